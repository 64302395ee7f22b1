#include <gtest/gtest.h>

#include "platform/codepage.h"

using namespace platform;

namespace
{

struct ByteCase {
    unsigned char byte;
    const char* utf8;
};

// Code points from the published Windows-1252 table.
const ByteCase kCp1252Cases[] = {
    {'A', "A"},
    {0x80, "\xE2\x82\xAC"}, // euro sign
    {0x81, "\xC2\x81"},     // undefined: kept as the control character of that number
    {0x8A, "\xC5\xA0"},     // S with caron
    {0x96, "\xE2\x80\x93"}, // en dash
    {0x9F, "\xC5\xB8"},     // Y with diaeresis
    {0xA0, "\xC2\xA0"},     // no-break space
    {0xB0, "\xC2\xB0"},     // degree sign
    {0xB5, "\xC2\xB5"},     // micro sign
    {0xDF, "\xC3\x9F"},     // sharp s
    {0xE4, "\xC3\xA4"},     // a with diaeresis
    {0xFF, "\xC3\xBF"},
};

std::string AllBytes()
{
    std::string s;
    for (int b = 1; b < 256; ++b)
        s += static_cast<char>(b);
    return s;
}

} // namespace

TEST(CodePage, Cp1252BytesBecomeTheirUnicodeCharacters)
{
    for (const auto& c : kCp1252Cases) {
        std::string in(1, static_cast<char>(c.byte));
        EXPECT_EQ(Cp1252ToUtf8(in), c.utf8) << "byte " << int(c.byte);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), in) << "byte " << int(c.byte);
    }
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip)
{
    const std::string all = AllBytes();
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(CodePage, UnmappableAndMalformedTextBecomesTheReplacement)
{
    struct Case {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"\xE4\xB8\xAD", "?"},           // a CJK character has no Windows-1252 byte
        {"a\xC3", "a?"},                 // sequence cut off at the end
        {"\xC0\xAF", "??"},              // overlong form of "/"
        {"\xED\xA0\x80", "???"},         // surrogate
        {"\xF4\x90\x80\x80", "????"},    // beyond U+10FFFF
        {"\xC2\x80", "?"},               // U+0080 is no Windows-1252 character
        {"x\x80y", "x?y"},               // stray continuation byte
        {"\xF0\x9F\x98\x80 ok", "? ok"}, // four-byte character
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD", '_'), "_");
}

TEST(CodePage, EmptyTextStaysEmpty)
{
    EXPECT_EQ(Cp1252ToUtf8(""), "");
    EXPECT_EQ(Utf8ToCp1252(""), "");
}

// Menu texts in the Korean and Chinese double-byte code pages (HAN C7 D1 and ZHONG D6 D0 in the published
// tables): a byte no character starts with is shown as U+FFFD where it stood, and the rest still converts.
TEST(CodePage, DamagedDoubleByteTextShowsTheReplacementWhereTheBytesWere)
{
    const char* const cases[][3] = {{"CP949", "\xC7\xD1\xFF\xC7\xD1", "\xED\x95\x9C\xEF\xBF\xBD\xED\x95\x9C"},
                                    {"GBK", "\xD6\xD0\xFF\xD6\xD0", "\xE4\xB8\xAD\xEF\xBF\xBD\xE4\xB8\xAD"}};
    for (const auto& c : cases)
        EXPECT_EQ(IconvToUtf8(c[1], c[0], "\xEF\xBF\xBD"), std::optional<std::string>(c[2])) << c[0];
}
