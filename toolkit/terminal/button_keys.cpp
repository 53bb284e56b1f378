#include "toolkit/terminal/button_keys.h"

#include <cstring>

#include "toolkit/shown_text.h"
#include "toolkit/utf8.h"

namespace terminal {

namespace {

// The keys that are not the buttons'.
const char fixedKeys[] = "apq";

// The plain letter of À to ý, by code point from U+00C0; 0 for × and ÷.
const char latinLetters[] = "aaaaaaaceeeeiiiidnooooo0ouuuuyts"
                            "aaaaaaaceeeeiiiidnooooo0ouuuuyty";

// The key a character may be: its letter, lower case; 0 for none.
char KeyOf(uint32_t c)
{
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z') return static_cast<char>(c);
    if (c >= 0xC0 && c <= 0xFF && latinLetters[c - 0xC0] != '0') return latinLetters[c - 0xC0];
    // The few of Latin Extended-A the pseudo-language writes: Š š Ţ ţ Ž ž.
    if (c == 0x160 || c == 0x161) return 's';
    if (c == 0x162 || c == 0x163) return 't';
    if (c == 0x17D || c == 0x17E) return 'z';
    return 0;
}

bool Free(char letter, const std::string& taken)
{
    return letter && !std::strchr(fixedKeys, letter) && taken.find(letter) == std::string::npos;
}

// The first free key of the text and the byte it starts at; false when none.
bool FirstFreeKey(const std::string& text, const std::string& taken, char* letter, size_t* at)
{
    size_t bytes = 1;
    for (size_t i = 0; i < text.size(); i += bytes) {
        const char key = KeyOf(DecodeUtf8(text, i, &bytes));
        if (!Free(key, taken)) continue;
        *letter = key;
        *at = i;
        return true;
    }
    return false;
}

}  // namespace

std::vector<ButtonKey> AssignButtonKeys(const std::vector<std::string>& englishTexts)
{
    std::vector<ButtonKey> keys;
    std::string taken;
    for (const std::string& english : englishTexts) {
        ButtonKey key;
        key.label = ShownText(0, english.c_str());
        size_t inEnglish = 0;
        if (!FirstFreeKey(key.label, taken, &key.letter, &key.at) &&
            FirstFreeKey(english, taken, &key.letter, &inEnglish)) {
            key.at = key.label.size() + 1;
            key.label += std::string("(") + static_cast<char>(key.letter - 'a' + 'A') + ")";
        }
        if (key.letter) taken += key.letter;
        keys.push_back(key);
    }
    return keys;
}

}  // namespace terminal
