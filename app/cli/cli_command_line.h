// The console program's command line as its run record gives it.
#pragma once

#include <string>

// "vellmark-cli" and the arguments, space between; an argument that is
// empty or holds a space, a quote, a backslash or a byte that is not
// printable is put in double quotes, such bytes as \xHH, so the line
// stays one printable line.
std::string CommandLineText(int argc, char** argv);
