#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A buffer pre-filled with a marker so bytes written past the terminator show.
struct Buffer {
    char bytes[32];
    Buffer() { std::memset(bytes, '#', sizeof bytes); }
    explicit Buffer(const char* text) : Buffer() { std::strcpy(bytes, text); }
};

}  // namespace

TEST(TextCopy, StopsAtTerminatorOrSourceLength)
{
    Buffer b;
    CopyA(20, b.bytes, 0, "hello");
    EXPECT_STREQ(b.bytes, "hello");
    EXPECT_EQ(b.bytes[6], '#');
    CopyA(20, b.bytes, 3, "hello");
    EXPECT_STREQ(b.bytes, "hel");
    // A fixed 14-byte field: three letters then zero bytes.
    const char padded[14] = {'A', 'B', 'C', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CopyA(20, b.bytes, 14, padded);
    EXPECT_STREQ(b.bytes, "ABC");
    // A full 14-letter field directly followed by other bytes.
    const char full[20] = "ABCDEFGHIJKLMNxyz!!";
    CopyA(20, b.bytes, 14, full);
    EXPECT_STREQ(b.bytes, "ABCDEFGHIJKLMN");
}

TEST(TextCopy, CutsAtDestinationMaximum)
{
    Buffer b;
    CopyA(4, b.bytes, 0, "abcdefgh");
    EXPECT_EQ(std::string(b.bytes, 6), std::string("abcd\0#", 6));
    CopyA(0, b.bytes, 0, "abc");
    EXPECT_EQ(b.bytes[0], 0);
    EXPECT_EQ(b.bytes[1], 'b');  // untouched from the previous copy
    CopyA(8, b.bytes, 0, "");
    EXPECT_EQ(b.bytes[0], 0);
}

TEST(TextAppend, AppendsAndCuts)
{
    Buffer b("abc");
    AppendA(10, b.bytes, 0, "def");
    EXPECT_STREQ(b.bytes, "abcdef");
    AppendA(10, b.bytes, 2, "ghijk");
    EXPECT_STREQ(b.bytes, "abcdefgh");
    AppendA(10, b.bytes, 0, "12345");
    EXPECT_STREQ(b.bytes, "abcdefgh12");
    EXPECT_EQ(b.bytes[11], '#');
    AppendA(10, b.bytes, 0, "zz");  // already full
    EXPECT_STREQ(b.bytes, "abcdefgh12");
    // A destination longer than the maximum is cut to it.
    Buffer longer("abcdefgh");
    AppendA(5, longer.bytes, 0, "x");
    EXPECT_STREQ(longer.bytes, "abcde");
}

TEST(TextPrepend, PrependsAndCutsTheTail)
{
    Buffer b("world");
    PrependA(20, b.bytes, 0, "hello ");
    EXPECT_STREQ(b.bytes, "hello world");
    Buffer c("world");
    PrependA(8, c.bytes, 0, "hello ");
    EXPECT_STREQ(c.bytes, "hello wo");
    Buffer d("world");
    PrependA(3, d.bytes, 0, "hello ");
    EXPECT_STREQ(d.bytes, "hel");
    Buffer e("xyz");
    PrependA(10, e.bytes, 2, "abcdef");
    EXPECT_STREQ(e.bytes, "abxyz");
    // Left-padding a hex number with zeros up to eight digits.
    Buffer hex("40904e4");
    for (int i = 0; i < 8 && LengthA(0, hex.bytes) < 8; ++i) PrependA(8, hex.bytes, 0, "0");
    EXPECT_STREQ(hex.bytes, "040904e4");
}

TEST(TextConcat, JoinsWithCutAndMayWorkInPlace)
{
    Buffer b;
    ConcatA(20, b.bytes, 0, "abc", 0, "def");
    EXPECT_STREQ(b.bytes, "abcdef");
    ConcatA(20, b.bytes, 2, "abc", 1, "def");
    EXPECT_STREQ(b.bytes, "abd");
    ConcatA(4, b.bytes, 0, "abc", 0, "def");
    EXPECT_STREQ(b.bytes, "abcd");
    // The destination may also be the first or the second source.
    Buffer first("key");
    ConcatA(20, first.bytes, 0, first.bytes, 0, "\\sub");
    EXPECT_STREQ(first.bytes, "key\\sub");
    Buffer second("tail");
    ConcatA(20, second.bytes, 0, "head-", 0, second.bytes);
    EXPECT_STREQ(second.bytes, "head-tail");
    Buffer cut("tail");
    ConcatA(7, cut.bytes, 0, "head-", 0, cut.bytes);
    EXPECT_STREQ(cut.bytes, "head-ta");
}

TEST(TextLength, BoundedByMaximum)
{
    EXPECT_EQ(LengthA(0, "hello"), 5u);
    EXPECT_EQ(LengthA(3, "hello"), 3u);
    EXPECT_EQ(LengthA(5, "hello"), 5u);
    EXPECT_EQ(LengthA(10, "hello"), 5u);
    EXPECT_EQ(LengthA(0, ""), 0u);
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(LengthA(4, unterminated), 4u);
}

TEST(TextCardToStr, DecimalAndHex)
{
    char out[40];
    uint8_t ok = 7;
    CardToStrA(0, 10, out, 10, &ok);
    EXPECT_STREQ(out, "0");
    EXPECT_EQ(ok, 1);
    CardToStrA(4294967295u, 10, out, 10, &ok);
    EXPECT_STREQ(out, "4294967295");
    EXPECT_EQ(ok, 1);
    CardToStrA(0x409, 10, out, 16, &ok);
    EXPECT_STREQ(out, "409");
    CardToStrA(0xFFFFFFFFu, 8, out, 16, &ok);
    EXPECT_STREQ(out, "ffffffff");
    EXPECT_EQ(ok, 1);
    CardToStrA(0x80000000u, 32, out, 2, &ok);
    EXPECT_EQ(std::string(out), "1" + std::string(31, '0'));
    CardToStrA(71, 4, out, 36, &ok);
    EXPECT_STREQ(out, "1z");
}

TEST(TextCardToStr, RefusesTooLongAndBadRadix)
{
    char out[40];
    uint8_t ok = 1;
    std::strcpy(out, "junk");
    CardToStrA(0xFFFFFFFFu, 7, out, 16, &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_STREQ(out, "");
    for (uint32_t radix : {0u, 1u, 37u}) {
        ok = 1;
        std::strcpy(out, "junk");
        CardToStrA(5, 10, out, radix, &ok);
        EXPECT_EQ(ok, 0) << radix;
        EXPECT_STREQ(out, "") << radix;
    }
}

// "a", "é" (2 bytes), "日" (3 bytes): a cut never splits one of them.
struct Utf8Cut {
    uint32_t room;
    const char* source;
    std::string kept;
};

TEST(TextUtf8, CutsBetweenCharactersNeverInsideOne)
{
    const char* const mixed = "a\xc3\xa9\xe6\x97\xa5z";
    const Utf8Cut cuts[] = {
        {2, mixed, "a"},
        {3, mixed, "a\xc3\xa9"},
        {4, mixed, "a\xc3\xa9"},
        {5, mixed, "a\xc3\xa9"},
        {6, mixed, "a\xc3\xa9\xe6\x97\xa5"},
        {3, "\xf0\x9d\x84\x9e", ""},                  // a 4-byte character
        {2, "\xff\xfe\xfd", "\xff\xfe"},              // not UTF-8: cut where the room ends
        {2, "\x80\x80\x80", "\x80\x80"},
    };
    for (const Utf8Cut& cut : cuts) {
        Buffer b;
        CopyA(cut.room, b.bytes, 0, cut.source);
        EXPECT_EQ(cut.kept, b.bytes) << "room " << cut.room;
    }
    Buffer appended("ab");
    AppendA(4, appended.bytes, 0, "\xc3\xa9\xe6\x97\xa5");
    EXPECT_STREQ(appended.bytes, "ab\xc3\xa9");
    Buffer prepended("\xe6\x97\xa5\xe6\x9c\xac");  // 日本: the tail is cut
    PrependA(7, prepended.bytes, 0, "ab");
    EXPECT_STREQ(prepended.bytes, "ab\xe6\x97\xa5");
    Buffer joined;
    ConcatA(4, joined.bytes, 0, "ab", 0, "\xe6\x97\xa5");
    EXPECT_STREQ(joined.bytes, "ab");
    ConcatA(5, joined.bytes, 0, "ab", 0, "\xe6\x97\xa5");
    EXPECT_STREQ(joined.bytes, "ab\xe6\x97\xa5");
}
