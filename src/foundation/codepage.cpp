#include "foundation/codepage.h"

#include "foundation/programsettings.h"
#include "foundation/textutil.h"
#include "platform/codepage.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace
{

// Unicode code points of the upper halves of the two code pages.
constexpr std::array<char32_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0, // F8
};

// 0 marks the five bytes that code page 1252 leaves undefined.
constexpr std::array<char32_t, 32> kCp1252C1 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 98
};

constexpr char32_t Cp1252ToUnicode(unsigned char c)
{
    if (c < 0x80 || c >= 0xA0) return c;
    const char32_t u = kCp1252C1[c - 0x80];
    return u != 0 ? u : c; // undefined: the C1 control of the same value
}

// Look-alikes of the DOS characters that code page 1252 lacks. The box
// drawing follows the report substitution table (a junction on a vertical
// stroke is a bar, a corner a plus); the remaining box characters follow the
// same idea.
constexpr unsigned char OemFallback(unsigned char c)
{
    switch (c) {
    case 0x9E:
        return 'P'; // peseta
    case 0xA9:
        return 0xAC; // reversed not sign
    case 0xB0:
    case 0xB1:
    case 0xB2:
    case 0xDB:
    case 0xDC:
    case 0xDD:
    case 0xDE:
    case 0xDF:
    case 0xFE:
        return '#'; // shades and blocks
    case 0xB3:
    case 0xB4:
    case 0xB5:
    case 0xB6:
    case 0xB9:
    case 0xBA:
    case 0xC3:
    case 0xC5:
    case 0xC6:
    case 0xC7:
    case 0xCC:
    case 0xD1:
    case 0xD7:
        return '|';
    case 0xB7:
    case 0xB8:
    case 0xBB:
    case 0xBC:
    case 0xBD:
    case 0xBE:
    case 0xBF:
    case 0xC0:
    case 0xC8:
    case 0xC9:
    case 0xCE:
    case 0xD3:
    case 0xD4:
    case 0xD5:
    case 0xD6:
    case 0xD8:
    case 0xD9:
    case 0xDA:
        return '+';
    case 0xC1:
    case 0xC2:
    case 0xC4:
    case 0xCA:
    case 0xCB:
    case 0xCD:
    case 0xCF:
    case 0xD0:
    case 0xD2:
        return '-';
    case 0xE0:
        return 'a';
    case 0xE2:
        return 'G';
    case 0xE3:
        return 'p';
    case 0xE4:
        return 'S';
    case 0xE5:
        return 's';
    case 0xE7:
        return 't';
    case 0xE8:
        return 'F';
    case 0xE9:
        return 'T';
    case 0xEA:
        return 'O';
    case 0xEB:
        return 'd';
    case 0xEC:
        return '8';
    case 0xED:
        return 'f';
    case 0xEE:
        return 'e';
    case 0xEF:
        return 'n';
    case 0xF0:
        return '=';
    case 0xF2:
        return '>';
    case 0xF3:
        return '<';
    case 0xF4:
    case 0xF5:
        return '|';
    case 0xF7:
        return '~';
    case 0xF9:
        return 0xB7; // bullet operator: middle dot
    case 0xFB:
        return 'v';
    case 0xFC:
        return 0xB3; // this program's superscript three
    default:
        return '?';
    }
}

// Look-alikes of the Windows characters that code page 437 lacks.
constexpr unsigned char AnsiFallback(char32_t u)
{
    switch (u) {
    case 0x20AC:
        return 'E';
    case 0x201A:
    case 0x00B8:
        return ',';
    case 0x201E:
    case 0x201C:
    case 0x201D:
    case 0x00A8:
        return '"';
    case 0x2026:
        return '.';
    case 0x2020:
    case 0x2021:
        return '+';
    case 0x02C6:
        return '^';
    case 0x2030:
        return '%';
    case 0x2039:
        return '<';
    case 0x203A:
        return '>';
    case 0x2018:
    case 0x2019:
    case 0x00B4:
        return '\'';
    case 0x2022:
        return 0xF9;
    case 0x2013:
    case 0x2014:
    case 0x00AD:
    case 0x00AF:
        return '-';
    case 0x02DC:
        return '~';
    case 0x2122:
        return 'T';
    case 0x00A6:
        return '|';
    case 0x00A7:
        return 0x15; // the section sign of the DOS control glyphs
    case 0x00B6:
        return 0x14; // pilcrow, likewise
    case 0x00A9:
        return 'c';
    case 0x00AE:
        return 'R';
    case 0x00B3:
        return 0xFC; // superscript three: this program's 0xFC
    case 0x00B9:
        return '1';
    case 0x00D7:
        return 'x';
    case 0x00D0:
        return 'D';
    case 0x00F0:
        return 'd';
    default:
        break;
    }
    if (u == 0x0160) return 'S';
    if (u == 0x0161) return 's';
    if (u == 0x0152) return 'O';
    if (u == 0x0153) return 'o';
    if (u == 0x017D) return 'Z';
    if (u == 0x017E) return 'z';
    if (u == 0x0178 || u == 0x00DD) return 'Y';
    if (u == 0x00FD) return 'y';
    if (u >= 0x00C0 && u <= 0x00C3) return 'A';
    if (u >= 0x00C8 && u <= 0x00CB) return 'E';
    if (u >= 0x00CC && u <= 0x00CF) return 'I';
    if ((u >= 0x00D2 && u <= 0x00D5) || u == 0x00D8) return 'O';
    if (u >= 0x00D9 && u <= 0x00DB) return 'U';
    if (u == 0x00E3) return 'a';
    if (u == 0x00F5 || u == 0x00F8) return 'o';
    return '?';
}

struct Tables {
    std::array<unsigned char, 256> oemToAnsi{};
    std::array<unsigned char, 256> ansiToOem{};
};

constexpr Tables BuildTables()
{
    Tables t;
    for (int c = 0; c < 128; ++c) {
        t.oemToAnsi[c] = static_cast<unsigned char>(c);
        t.ansiToOem[c] = static_cast<unsigned char>(c);
    }
    for (int o = 0x80; o < 0x100; ++o) {
        const char32_t u = kCp437High[o - 0x80];
        unsigned char a = 0;
        for (int c = 0x80; c < 0x100 && a == 0; ++c)
            if (Cp1252ToUnicode(static_cast<unsigned char>(c)) == u) a = static_cast<unsigned char>(c);
        t.oemToAnsi[o] = a != 0 ? a : OemFallback(static_cast<unsigned char>(o));
    }
    for (int a = 0x80; a < 0x100; ++a) {
        const char32_t u = Cp1252ToUnicode(static_cast<unsigned char>(a));
        unsigned char o = 0;
        for (int c = 0x80; c < 0x100 && o == 0; ++c)
            if (kCp437High[c - 0x80] == u) o = static_cast<unsigned char>(c);
        t.ansiToOem[a] = o != 0 ? o : AnsiFallback(u);
    }
    // Code page 437 draws its bytes below 0x20 as symbols. A typed pilcrow
    // and section sign (1252 0xB6 and 0xA7) are stored as two of them, so
    // the two are shown as what was typed.
    t.oemToAnsi[0x14] = 0xB6;
    t.oemToAnsi[0x15] = 0xA7;
    return t;
}

// Built by the compiler: nothing of it is left to the start of the program.
constexpr Tables kTables = BuildTables();

const Tables& TheTables()
{
    return kTables;
}

std::string MapBytes(const std::string& S, const std::array<unsigned char, 256>& table)
{
    std::string r = S;
    for (char& ch : r)
        ch = static_cast<char>(table[static_cast<unsigned char>(ch)]);
    return r;
}

const char* DosAnsiSubstitute(unsigned char c)
{
    switch (c) {
    case 124:
        return "\xE3";
    case 129:
        return "\xFC";
    case 130:
        return "\xE9";
    case 132:
        return "\xE4";
    case 134:
        return "\xE5";
    case 142:
        return "\xC4";
    case 143:
        return "\xC5";
    case 148:
        return "\xF6";
    case 153:
        return "\xD6";
    case 154:
        return "\xDC";
    case 160:
        return "\xE1";
    case 161:
        return "\xED";
    case 162:
        return "\xF3";
    case 163:
        return "\xFA";
    case 164:
        return "\xF1";
    case 179:
    case 180:
    case 181:
    case 182:
    case 185:
    case 186:
    case 195:
    case 197:
    case 198:
    case 199:
    case 204:
    case 209:
    case 215:
        return "|";
    case 184:
    case 187:
    case 188:
    case 190:
    case 191:
    case 192:
    case 200:
    case 201:
    case 206:
    case 211:
    case 214:
    case 217:
    case 218:
        return "+";
    case 196:
    case 205:
        return "-";
    case 225:
        return "\xDF";
    case 230:
        return "\xB5";
    case 241:
        return "\xB1";
    case 248:
        return "\xB0";
    case 252:
        return "\xB3";
    case 253:
        return "\xB2";
    default:
        return nullptr;
    }
}

const char* DosAsciiSubstitute(unsigned char c)
{
    switch (c) {
    case 129:
        return "ue";
    case 130:
        return "e";
    case 132:
        return "ae";
    case 142:
        return "Ae";
    case 148:
        return "oe";
    case 153:
        return "Oe";
    case 154:
        return "Ue";
    case 160:
        return "a";
    case 163:
        return "u";
    case 164:
        return "n";
    case 196:
    case 205:
        return "-";
    case 225:
        return "ss";
    case 230:
        return "u";
    case 241:
        return "+/-";
    case 248:
        return "deg";
    case 253:
        return "2";
    default:
        return nullptr;
    }
}

std::string Substitute(const std::string& S, const char* (*table)(unsigned char))
{
    std::string r;
    r.reserve(S.size());
    for (char ch : S) {
        if (const char* sub = table(static_cast<unsigned char>(ch)))
            r += sub;
        else
            r += ch;
    }
    return r;
}

} // namespace

unsigned char OemToAnsiChar(unsigned char C)
{
    return TheTables().oemToAnsi[C];
}
unsigned char AnsiToOemChar(unsigned char C)
{
    return TheTables().ansiToOem[C];
}

std::string OemToAnsiText(const std::string& S)
{
    return MapBytes(S, TheTables().oemToAnsi);
}
std::string AnsiToOemText(const std::string& S)
{
    return MapBytes(S, TheTables().ansiToOem);
}

std::string DisplayText(const std::string& S)
{
    return ConvertTextCodePage(S);
}

std::string ConvertTextCodePage(const std::string& S)
{
    if (wtelmvar.UnitCharMode == 1) return Substitute(DosToAscii(S), DosAnsiSubstitute);
    return OemToAnsiText(S);
}

std::string AnsiTextToOem(const std::string& S)
{
    return AnsiToOemText(S);
}

std::string DosToAnsiTable(const std::string& S)
{
    if (wtelmvar.UnitCharMode == 1) return Substitute(DosToAscii(S), DosAnsiSubstitute);
    return Substitute(S, DosAnsiSubstitute);
}

std::string DosToAscii(const std::string& S)
{
    return Substitute(S, DosAsciiSubstitute);
}

std::string ConvertTextForCad(const std::string& S)
{
    switch (wtelmvar.CadTextMode) {
    case 2:
        return DisplayText(S);
    case 3:
        return DosToAscii(S);
    default:
        return S;
    }
}

std::string CopyBoxBarChar(const std::string& S)
{
    return S;
}

// The edge conversions are the platform's: one table for every place where
// text leaves or enters the program.
std::string AnsiToUtf8(const std::string& S)
{
    return platform::Cp1252ToUtf8(S);
}

std::string Utf8ToAnsi(const std::string& S)
{
    return platform::Utf8ToCp1252(S, '?');
}

std::string OemToUtf8(const std::string& S)
{
    return AnsiToUtf8(OemToAnsiText(S));
}

std::string TerminalText(const std::string& S)
{
    return AnsiToUtf8(DisplayText(NulBytesShown(S)));
}

std::string FileNameToOem(const std::string& Name)
{
    // Through 1252 first: a character 437 holds but 1252 lacks (Greek, box
    // drawing) would be shown as a look-alike, so it is a "?" as well.
    const std::string ansi = platform::Utf8ToCp1252(Name, '?');
    const auto& t = TheTables();
    std::string r;
    r.reserve(ansi.size());
    for (const char ch : ansi) {
        const auto a = static_cast<unsigned char>(ch);
        // A NUL stays: a name cut short by one (a configuration line holding
        // it) is shown by the messages as "0x00" (NulBytesShown).
        if (a < 0x80) {
            r += (a >= 0x20 && a != 0x7F) || a == 0 ? ch : '?';
            continue;
        }
        // Only a byte that is that very character: the look-alikes 437 -> 1252
        // gives for the characters 1252 lacks do not count.
        char o = '?';
        if (t.oemToAnsi[0x14] == a) o = 0x14;
        if (t.oemToAnsi[0x15] == a) o = 0x15;
        for (int c = 0x80; c < 0x100 && o == '?'; ++c)
            if (kCp437High[c - 0x80] == Cp1252ToUnicode(a)) o = static_cast<char>(c);
        r += o;
    }
    return r;
}

std::string SystemTextToOem(const std::string& Text)
{
    return FileNameToOem(platform::LocaleTextToUtf8(Text));
}

std::string ErrnoText(int Errno)
{
    return SystemTextToOem(std::strerror(Errno));
}

std::string NameRefusalCause(const std::string& Name, int Error)
{
    return Name.find('\0') != std::string::npos ? std::string("the name holds a NUL byte") : ErrnoText(Error);
}
