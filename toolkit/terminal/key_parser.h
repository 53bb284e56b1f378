// The keys in the bytes a terminal sends. A read may hold many keys (a
// paste, key repeat) or part of one (an escape sequence cut between two
// reads); the parser keeps what it has not used yet and gives the keys one
// by one, in order.
#pragma once

#include <cstddef>
#include <string>

namespace terminal {

enum class Key { none, tab, backTab, enter, up, down, escape, character };

struct KeyPress {
    Key key = Key::none;
    char letter = 0;  // for Key::character
};

class KeyParser {
public:
    void Feed(const char* bytes, size_t count);
    // The next whole key; false when none is complete. An escape sequence
    // still open waits for more bytes unless complete is set: then what
    // was read of it counts as it stands (a lone ESC is the Escape key).
    bool Next(KeyPress* press, bool complete = false);
    // Bytes are held that may begin an escape sequence.
    bool Waiting() const { return !buffer.empty(); }

private:
    std::string buffer;
};

}  // namespace terminal
