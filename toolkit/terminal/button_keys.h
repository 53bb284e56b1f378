// The key letter of each button a screen shows. A button's key is the
// first letter of its shown text that no other key has: not a, p or q
// (the About box, the plug and quit), nor the key of a button before it on
// the screen. An accented Latin letter stands for its plain letter ("É" is
// e). A text with no such letter (Japanese and Chinese ones) takes the
// first free letter of its English text, shown after it as "(S)", as
// Windows shows the access keys of those languages. In English each button
// has the first letter of its text.
#pragma once

#include <string>
#include <vector>

namespace terminal {

struct ButtonKey {
    std::string label;  // the text the button shows, with "(S)" added when the key is not in it
    char letter = 0;    // the key, lower case; 0 when the button has none
    size_t at = 0;      // the byte of label where the key's letter starts
};

// The keys of buttons shown together, given their English texts in the
// order on screen.
std::vector<ButtonKey> AssignButtonKeys(const std::vector<std::string>& englishTexts);

}  // namespace terminal
