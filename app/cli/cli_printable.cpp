#include "app/cli/cli_printable.h"

std::string Printable(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string shown;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
            continue;
        }
        shown += "\\x";
        shown += digits[c >> 4];
        shown += digits[c & 0xF];
    }
    return shown;
}
