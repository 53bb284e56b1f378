// Texts a person reads, in the chosen language. The program's code keeps
// its English texts, and the English text is the key: it is looked up here
// where it is shown or printed, so what the program decides on, records
// and prints for machines stays English. A text with no translation is
// shown as it is.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The text in the current language; the English text itself when it has
// no translation. The pointer stays valid while the program runs.
const char* Tr(const char* english);

// The same for a text given as (length, pointer), as the toolkit passes
// them: at most length characters of it (0: all) are the key.
std::string TrCut(uint32_t length, const char* english);

// The format with its places {1} to {9} filled in with the values, as it
// stands (a place with no value stays as written).
std::string FillPlaces(std::string_view format, std::initializer_list<std::string_view> values);

// A text with places {1} to {9} filled in after the lookup, so that each
// language puts them where its word order wants them.
std::string TrFormat(const char* englishFormat, std::initializer_list<std::string_view> values);
