#include "toolkit/terminal/key_parser.h"

namespace terminal {

namespace {

constexpr char escapeByte = 0x1B;

// How many bytes of text form a control sequence after ESC [ (parameter
// and intermediate bytes, then one final byte); 0 when it is not complete.
size_t SequenceLength(const std::string& text)
{
    for (size_t i = 2; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x40 && c <= 0x7E) return i + 1;
        if (c < 0x20 || c > 0x3F) return i;  // broken off: what came so far
    }
    return 0;
}

KeyPress FromFinal(char final)
{
    switch (final) {
    case 'A': return {Key::up, 0};
    case 'B': return {Key::down, 0};
    case 'Z': return {Key::backTab, 0};
    default: return {};
    }
}

KeyPress FromByte(char c)
{
    if (c == '\t') return {Key::tab, 0};
    if (c == '\r' || c == '\n') return {Key::enter, 0};
    if (c >= 0x20 && c < 0x7F) return {Key::character, c};
    return {};
}

}  // namespace

void KeyParser::Feed(const char* bytes, size_t count)
{
    buffer.append(bytes, count);
}

bool KeyParser::Next(KeyPress* press, bool complete)
{
    while (!buffer.empty()) {
        size_t used = 1;
        KeyPress found;
        if (buffer[0] != escapeByte) {
            found = FromByte(buffer[0]);
        } else if (buffer.size() == 1) {
            if (!complete) return false;
            found = {Key::escape, 0};
        } else if (buffer[1] == '[') {
            size_t length = SequenceLength(buffer);
            if (length == 0 && !complete) return false;
            used = length == 0 ? buffer.size() : length;
            if (length > 0) found = FromFinal(buffer[length - 1]);
        } else if (buffer[1] == 'O') {
            if (buffer.size() < 3 && !complete) return false;
            used = buffer.size() < 3 ? 2 : 3;
            if (used == 3) found = FromFinal(buffer[2]);
        } else {
            // ESC before anything else is the Escape key; what follows is a key of its own.
            found = {Key::escape, 0};
        }
        buffer.erase(0, used);
        if (found.key != Key::none) {
            *press = found;
            return true;
        }
    }
    return false;
}

}  // namespace terminal
