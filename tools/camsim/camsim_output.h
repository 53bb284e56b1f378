// Everything camsim prints goes through here: text from the bench (names,
// reasons of damage, types, values, lines kept) may hold anything, so
// every character outside printable ASCII is shown as '?', and nothing
// read from a bench can drive the terminal. A failed write of the output
// is a failure of the command.
#pragma once

#include <string>

// The text with every character outside printable ASCII as '?'.
std::string Printable(const std::string& text);

// A line on standard output, formatted as printf does; its final newline
// is the only control character that goes out.
void Say(const char* format, ...) __attribute__((format(printf, 1, 2)));
// "camsim: MESSAGE" on standard error.
void SayError(const std::string& message);

// The command's exit code, or 1 with a line on standard error when its
// output could not be written whole.
int FinishOutput(int code);
