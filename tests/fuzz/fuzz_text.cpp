// The text routines with any lengths and with sources that are not
// terminated within their length; every buffer has its exact size, so
// reading or writing one byte too far is caught.
#include <cstring>
#include <vector>

#include "tests/fuzz/fuzz_harness.h"
#include "toolkit/memory.h"
#include "toolkit/text.h"

namespace {

// A source of exactly its bytes; with a length of 0 (no maximum) the
// routines read to the terminator, so such a source gets one.
std::vector<char> Source(fuzz::Input& input, uint32_t length)
{
    size_t taken = 0;
    const uint8_t* bytes = input.Take(input.Byte() % 80, &taken);
    std::vector<char> source(bytes, bytes + taken);
    if (length == 0 || length > source.size()) source.push_back(0);
    return source;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input input(data, size);
    while (input.Left() > 0) {
        uint32_t maxLen = input.Byte() % 70;
        uint32_t len1 = input.Byte() % 90;
        uint32_t len2 = input.Byte() % 90;
        std::vector<char> s1 = Source(input, len1);
        std::vector<char> s2 = Source(input, len2);
        std::vector<char> dst(maxLen + 1, 'x');
        dst[input.Byte() % (maxLen + 1)] = 0;
        switch (input.Byte() % 6) {
        case 0: CopyA(maxLen, dst.data(), len1, s1.data()); break;
        case 1: AppendA(maxLen, dst.data(), len1, s1.data()); break;
        case 2: PrependA(maxLen, dst.data(), len1, s1.data()); break;
        case 3: ConcatA(maxLen, dst.data(), len1, s1.data(), len2, s2.data()); break;
        case 4: {
            uint8_t ok = 0;
            CardToStrA(input.U32(), maxLen, dst.data(), input.Byte() % 40, &ok);
            break;
        }
        default:
            if (Compare(s1.data(), s2.data(), s1.size() < s2.size() ? s1.size() : s2.size()) > s1.size())
                __builtin_trap();
            break;
        }
        if (LengthA(maxLen + 1, dst.data()) > maxLen) __builtin_trap();
        if (LengthA(len1, s1.data()) > (len1 ? len1 : s1.size())) __builtin_trap();
    }
    return 0;
}
