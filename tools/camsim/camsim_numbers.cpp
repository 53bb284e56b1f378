#include "tools/camsim/camsim_numbers.h"

namespace {

int DigitValue(char c, int base)
{
    int digit = 99;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

}  // namespace

bool ParseNumber(const std::string& text, uint64_t low, uint64_t high, uint64_t* value)
{
    int base = 10;
    size_t at = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        at = 2;
    }
    if (at >= text.size()) return false;
    uint64_t number = 0;
    for (; at < text.size(); ++at) {
        int digit = DigitValue(text[at], base);
        if (digit < 0) return false;
        number = number * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (number > high) return false;
    }
    if (number < low) return false;
    *value = number;
    return true;
}
