#include "i18n/pseudo_language.h"

#include <cstring>

namespace {

// Each ASCII letter that has an accented look-alike, and that look-alike.
const char plainLetters[] = "AaCcEeIiNnOoSsTtUuYyZz";
const char* const accentedLetters[] = {"Å", "å", "Ç", "ç", "É", "é", "Î", "î", "Ñ", "ñ", "Ö",
                                       "ö", "Š", "š", "Ţ", "ţ", "Ü", "ü", "Ý", "ý", "Ž", "ž"};

// A place such as {1} is kept as it is: the value filled in later is not
// the program's text.
size_t PlaceLength(const std::string& text, size_t at)
{
    if (text[at] != '{' || at + 2 >= text.size()) return 0;
    if (text[at + 1] < '1' || text[at + 1] > '9' || text[at + 2] != '}') return 0;
    return 3;
}

}  // namespace

std::string PseudoText(const std::string& english)
{
    std::string body;
    for (size_t i = 0; i < english.size(); ++i) {
        if (size_t place = PlaceLength(english, i)) {
            body += english.substr(i, place);
            i += place - 1;
            continue;
        }
        const char* letter = std::strchr(plainLetters, english[i]);
        if (english[i] && letter) body += accentedLetters[letter - plainLetters];
        else body += english[i];
    }
    // The wrapping adds 8 characters; longer texts are padded to a third more.
    const size_t wanted = english.size() + (english.size() + 2) / 3;
    const size_t padding = wanted > english.size() + 8 ? wanted - english.size() - 8 : 0;
    return "[!! " + body + std::string(padding, '~') + " !!]";
}
