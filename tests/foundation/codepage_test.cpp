#include "foundation/codepage.h"
#include "foundation/programsettings.h"

#include "common/testlocales.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace
{

class CodePage : public ::testing::Test
{
};

std::string Byte(int b)
{
    return std::string(1, static_cast<char>(b));
}

// Pairs of DOS 437 and Windows 1252 bytes that name the same character,
// read off the two published code page charts.
struct SameChar {
    int oem;
    int ansi;
    const char* what;
};
constexpr SameChar kSameChars[] = {
    {0x80, 0xC7, "C cedilla"},
    {0x81, 0xFC, "u umlaut"},
    {0x82, 0xE9, "e acute"},
    {0x84, 0xE4, "a umlaut"},
    {0x8E, 0xC4, "A umlaut"},
    {0x8F, 0xC5, "A ring"},
    {0x90, 0xC9, "E acute"},
    {0x94, 0xF6, "o umlaut"},
    {0x98, 0xFF, "y umlaut"},
    {0x99, 0xD6, "O umlaut"},
    {0x9A, 0xDC, "U umlaut"},
    {0x9B, 0xA2, "cent"},
    {0x9C, 0xA3, "pound"},
    {0x9D, 0xA5, "yen"},
    {0x9F, 0x83, "florin"},
    {0xA4, 0xF1, "n tilde"},
    {0xA5, 0xD1, "N tilde"},
    {0xA8, 0xBF, "inverted ?"},
    {0xAA, 0xAC, "not"},
    {0xAB, 0xBD, "one half"},
    {0xAC, 0xBC, "one quarter"},
    {0xAD, 0xA1, "inverted !"},
    {0xAE, 0xAB, "<<"},
    {0xAF, 0xBB, ">>"},
    {0xE1, 0xDF, "sharp s"},
    {0xE6, 0xB5, "micro"},
    {0xF1, 0xB1, "plus-minus"},
    {0xF6, 0xF7, "division"},
    {0xF8, 0xB0, "degree"},
    {0xFA, 0xB7, "middle dot"},
    {0xFD, 0xB2, "superscript two"},
    {0xFF, 0xA0, "no-break space"},
    // This program stores its superscript three as 0xFC.
    {0xFC, 0xB3, "superscript three"},
};

TEST_F(CodePage, SameCharactersMapBothWays)
{
    for (const auto& c : kSameChars) {
        EXPECT_EQ(OemToAnsiChar(static_cast<unsigned char>(c.oem)), c.ansi) << c.what;
        EXPECT_EQ(AnsiToOemChar(static_cast<unsigned char>(c.ansi)), c.oem) << c.what;
    }
}

// Both ways, but for the 437 bytes 0x14 and 0x15, which that code page draws
// as the pilcrow and the section sign (1252 0xB6 and 0xA7).
TEST_F(CodePage, AsciiIsUnchangedInBothDirections)
{
    for (int b = 0; b < 128; ++b) {
        const int shown = b == 0x14 ? 0xB6 : b == 0x15 ? 0xA7 : b;
        EXPECT_EQ(OemToAnsiChar(static_cast<unsigned char>(b)), shown) << b;
        EXPECT_EQ(AnsiToOemChar(static_cast<unsigned char>(b)), b) << b;
    }
}

// 128 ASCII bytes plus the 55 upper characters both pages share (31 in
// 0x80..0x9F, 15 in 0xA0..0xAF, and ß µ ± ÷ ° · ² no-break space and the
// program's superscript three): exactly these come back unchanged. From
// 1252, the pilcrow and the section sign take the places of 0x14 and 0x15.
TEST_F(CodePage, RoundTripOfAllBytesWhereBothPagesHaveTheCharacter)
{
    int oemBack = 0;
    int ansiBack = 0;
    for (int b = 0; b < 256; ++b) {
        const auto u = static_cast<unsigned char>(b);
        if (AnsiToOemChar(OemToAnsiChar(u)) == u) ++oemBack;
        if (OemToAnsiChar(AnsiToOemChar(u)) == u) ++ansiBack;
    }
    EXPECT_EQ(oemBack, 183);
    EXPECT_EQ(ansiBack, 183);
    for (const auto& c : kSameChars) {
        const std::string s = Byte(c.oem);
        EXPECT_EQ(AnsiToOemText(OemToAnsiText(s)), s) << c.what;
    }
}

TEST_F(CodePage, CharactersMissingInTheOtherPageGetPlainLookAlikes)
{
    struct Case {
        int from;
        int to;
    };
    // DOS to Windows: box drawing, Greek, mathematical signs.
    for (const Case c : {Case{0xB3, '|'}, Case{0xC4, '-'}, Case{0xDA, '+'}, Case{0xCD, '-'}, Case{0xBA, '|'},
                         Case{0xC9, '+'}, Case{0xE3, 'p'}, Case{0xF2, '>'}, Case{0xF3, '<'}, Case{0xDB, '#'}})
        EXPECT_EQ(OemToAnsiChar(static_cast<unsigned char>(c.from)), c.to) << c.from;
    // Windows to DOS: accented capitals lose the accent, quotes become ASCII.
    for (const Case c : {Case{0xC0, 'A'}, Case{0xC8, 'E'}, Case{0xD8, 'O'}, Case{0x93, '"'}, Case{0x96, '-'},
                         Case{0x80, 'E'}, Case{0x81, '?'}, Case{0xDE, '?'}})
        EXPECT_EQ(AnsiToOemChar(static_cast<unsigned char>(c.from)), c.to) << c.from;
}

TEST_F(CodePage, DosToAnsiTableFollowsTheReportSubstitutions)
{
    struct Case {
        int dos;
        const char* ansi;
    };
    const Case cases[] = {
        {124, "\xE3"},
        {129, "\xFC"},
        {130, "\xE9"},
        {132, "\xE4"},
        {134, "\xE5"},
        {142, "\xC4"},
        {143, "\xC5"},
        {148, "\xF6"},
        {153, "\xD6"},
        {154, "\xDC"},
        {160, "\xE1"},
        {161, "\xED"},
        {162, "\xF3"},
        {163, "\xFA"},
        {164, "\xF1"},
        {179, "|"},
        {180, "|"},
        {181, "|"},
        {182, "|"},
        {185, "|"},
        {186, "|"},
        {195, "|"},
        {197, "|"},
        {198, "|"},
        {199, "|"},
        {204, "|"},
        {209, "|"},
        {215, "|"},
        {184, "+"},
        {187, "+"},
        {188, "+"},
        {190, "+"},
        {191, "+"},
        {192, "+"},
        {200, "+"},
        {201, "+"},
        {206, "+"},
        {211, "+"},
        {214, "+"},
        {217, "+"},
        {218, "+"},
        {196, "-"},
        {205, "-"},
        {225, "\xDF"},
        {230, "\xB5"},
        {241, "\xB1"},
        {248, "\xB0"},
        {252, "\xB3"},
        {253, "\xB2"},
        // Not in the table: copied unchanged.
        {65, "A"},
        {123, "{"},
        {128, "\x80"},
        {183, "\xB7"},
        {254, "\xFE"},
        {255, "\xFF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DosToAnsiTable(Byte(c.dos)), c.ansi) << c.dos;
}

TEST_F(CodePage, DosToAsciiSpellsTheSpecialCharacters)
{
    struct Case {
        int dos;
        const char* ascii;
    };
    const Case cases[] = {
        {129, "ue"},  {130, "e"},   {132, "ae"}, {142, "Ae"}, {148, "oe"},   {153, "Oe"},   {154, "Ue"},
        {160, "a"},   {163, "u"},   {164, "n"},  {196, "-"},  {205, "-"},    {225, "ss"},   {230, "u"},
        {241, "+/-"}, {248, "deg"}, {253, "2"},  {124, "|"},  {252, "\xFC"}, {179, "\xB3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DosToAscii(Byte(c.dos)), c.ascii) << c.dos;
    EXPECT_EQ(DosToAscii("20\xF8"
                         "C, 5 N/mm\xFD"),
              "20degC, 5 N/mm2");
}

TEST_F(CodePage, DisplayTextFollowsUnitCharMode)
{
    const std::string degree = "\xF8";
    const std::string square = "\xFD";
    EXPECT_EQ(DisplayText(degree), "\xB0");
    EXPECT_EQ(DisplayText(square), "\xB2");
    wtelmvar.UnitCharMode = 1;
    EXPECT_EQ(DisplayText(degree), "deg");
    EXPECT_EQ(DisplayText(square), "2");
    // ASCII spelling first, then the table: the umlaut is spelled out, the
    // acute vowel not in the ASCII table goes through the report table.
    EXPECT_EQ(ConvertTextCodePage("\x81\xA1"), "ue\xED");
}

TEST_F(CodePage, LongTextsAreConvertedNotEmptied)
{
    const std::string s300(300, '\x84');
    EXPECT_EQ(ConvertTextCodePage(s300), std::string(300, '\xE4'));
    EXPECT_EQ(AnsiTextToOem(std::string(300, '\xE4')), s300);
    EXPECT_EQ(ConvertTextCodePage(std::string(254, 'x')), std::string(254, 'x'));
}

TEST_F(CodePage, CadTextModeSelectsTheConversion)
{
    const std::string s = "90\xF8";
    struct Case {
        int mode;
        const char* want;
    };
    for (const Case c :
         {Case{1, "90\xF8"}, Case{2, "90\xB0"}, Case{3, "90deg"}, Case{0, "90\xF8"}, Case{7, "90\xF8"}}) {
        wtelmvar.CadTextMode = static_cast<uint16_t>(c.mode);
        EXPECT_EQ(ConvertTextForCad(s), c.want) << "mode " << c.mode;
    }
    EXPECT_EQ(CopyBoxBarChar("\xB3\xC4"), "\xB3\xC4");
}

TEST_F(CodePage, Utf8EdgeRoundTripsEveryAnsiByte)
{
    EXPECT_EQ(AnsiToUtf8("\xB0"), "\xC2\xB0");
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(AnsiToUtf8("M\xE4"), "M\xC3\xA4");
    EXPECT_EQ(OemToUtf8("\xF8"), "\xC2\xB0");
    EXPECT_EQ(OemToUtf8("\xFD"), "\xC2\xB2");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST_F(CodePage, Utf8WithoutAnAnsiCharacterBecomesAQuestionMark)
{
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Utf8ToAnsi("\xCE\xB1"), "?");         // Greek alpha
    EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");           // cut sequence
    EXPECT_EQ(Utf8ToAnsi("\xC3(x"), "?(x");         // bad continuation
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80"), "?"); // outside the BMP
}

// A file name into a program text: code page 437 bytes, "?" for what 437 lacks or shows otherwise.
TEST_F(CodePage, NamesAsTheFileSystemHasThemBecomeDosTextOrQuestionMarks)
{
    using Case = std::pair<const char*, const char*>;
    for (const auto& [name, oem] :
         {Case{"gr\xC3\xB6\xC3\x9F.qy7", "gr\x94\xE1.qy7"}, Case{"\xC3\x86r\xC3\xB8 \xC3\xB1", "\x92r? \xA4"},
          Case{"\xE9\xBD\xBF\xE8\xBD\xAE", "??"}, Case{"\xC2\xB6\xC2\xA7", "\x14\x15"}, Case{"\xCE\xB1", "?"},
          Case{"a\nb\x1B\x7F", "a?b??"}, Case{"x\xFFy", "x?y"}})
        EXPECT_EQ(FileNameToOem(name), oem) << name;
}

// strerror's text under de_DE.UTF-8 into a program text; "?" for what 437 lacks (Polish z with dot above).
TEST_F(CodePage, SystemTextsBecomeDosTextOrQuestionMarks)
{
    EXPECT_EQ(SystemTextToOem("Die Datei ist zu gro\xC3\x9F"), "Die Datei ist zu gro\xE1");
    EXPECT_EQ(SystemTextToOem("Nie mo\xC5\xBCna"), "Nie mo?na");
}

// strerror's text comes in the locale's character set (glibc: "Die Datei ist zu gro\xDF" for EFBIG).
TEST_F(CodePage, SystemErrorTextsOfLatin1AndUtf8LocalesBecomeDosText)
{
    using Case = std::pair<const char*, const char*>;
    for (const auto& [locale, text] :
         {Case{"C", "File too large"}, Case{"de_DE.ISO-8859-1", "Die Datei ist zu gro\xE1"},
          Case{"de_DE.UTF-8", "Die Datei ist zu gro\xE1"}}) {
        testlocales::ScopedLocale on(locale);
        EXPECT_TRUE(on.Ok()) << locale;
        EXPECT_EQ(ErrnoText(EFBIG), text) << locale;
    }
}

} // namespace
