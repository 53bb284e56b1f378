// What a person sees of a text of the program's. The program keeps its
// English texts; every backend shows them through here, where each is
// looked up in the chosen language, so what the program decides on and
// records stays English.
#pragma once

#include <cstdint>
#include <string>

// The text as shown: at most length characters of it (0: all of it), in the
// chosen language when it is one of the program's texts, else as it is
// (a camera's name, a number).
std::string ShownText(uint32_t length, const char* text);
