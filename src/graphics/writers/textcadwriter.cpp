#include "graphics/writers/textcadwriter.h"

#include "foundation/codepage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{

// X in fixed point with Decimals decimals, digit for digit what the
// library's conversion writes (the exact binary value rounded half to
// even), without its detour through the C formatted output, which costs
// most of the time of a text CAD file. Only for the 64-bit mantissa of the
// extended type and values below 2^63; false leaves the text to the
// library.
bool ExactFixed(Extended X, int Decimals, char* Buf, char*& End)
{
    if constexpr (std::numeric_limits<Extended>::digits != 64 || !std::numeric_limits<Extended>::is_iec559) {
        return false;
    } else {
        if (!std::isfinite(X) || Decimals < 0 || Decimals > 15) return false;
        int e = 0;
        const Extended f = std::frexp(std::fabs(X), &e);
        if (e > 63) return false;
        // |X| = m 2^(e - 64) with a whole m below 2^64, exactly.
        const uint64_t m = static_cast<uint64_t>(std::ldexp(f, 64));
        unsigned __int128 scaled = m;
        for (int k = 0; k < Decimals; ++k)
            scaled *= 10; // below 2^64 10^15 < 2^114
        const int shift = 64 - e;
        unsigned __int128 q = 0;
        if (shift < 120) {
            q = scaled >> shift;
            const unsigned __int128 rest = scaled - (q << shift);
            const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
            if (rest > half || (rest == half && (q & 1) != 0)) ++q;
        } // else below a half of the last decimal: 0
        char digits[48];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + static_cast<int>(q % 10));
            q /= 10;
        } while (q != 0);
        while (n < Decimals + 1)
            digits[n++] = '0';
        char* p = Buf;
        if (std::signbit(X)) *p++ = '-';
        for (int k = n - 1; k >= 0; --k) {
            *p++ = digits[k];
            if (k == Decimals && Decimals > 0) *p++ = '.';
        }
        End = p;
        return true;
    }
}

} // namespace

std::string TTextCadWriter::Number(Extended X) const
{
    const int decimals = std::clamp(options_.Decimals, 0, 15);
    char buf[128];
    char* end = nullptr;
    if (ExactFixed(X, decimals, buf, end)) return Finish(buf, end);
    auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::fixed, decimals);
    if (r.ec != std::errc{}) r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(X));
    return Finish(buf, r.ptr);
}

std::string TTextCadWriter::Finish(const char* Begin, const char* End) const
{
    const char* start = Begin;
    if (*start == '-' && std::all_of(start + 1, End, [](char c) { return c == '0' || c == '.'; })) ++start;
    std::string s(start, End);
    if (s.size() < 3) s.insert(0, 3 - s.size(), ' ');
    if (options_.DecimalComma) std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

void TTextCadWriter::Line(std::string_view Text)
{
    out_.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    out_.write("\r\n", 2);
}

void TTextCadWriter::Record(std::string_view Keyword, std::initializer_list<Extended> Values)
{
    std::string line(Keyword);
    for (Extended v : Values) {
        line += '\t';
        line += Number(v);
    }
    Line(line);
}

void TTextCadWriter::MinMax(Extended XMin, Extended YMin, Extended XMax, Extended YMax)
{
    Record("MINMAX", {XMin, YMin, XMax, YMax});
}

void TTextCadWriter::BeginBlocksSection()
{
    Line("SECTION BLOCKS");
}

void TTextCadWriter::BeginBlock(std::string_view Name)
{
    Line("BLOCK\t" + std::string(Name));
}

void TTextCadWriter::EndBlock()
{
    Line("END OF BLOCK");
}

void TTextCadWriter::BeginEntities()
{
    Line("SECTION ENTITIES");
}

void TTextCadWriter::Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    Record("LINE", {X1, Y1, X2, Y2});
}

void TTextCadWriter::Circle(Extended X, Extended Y, Extended R)
{
    Record("CIRCLE", {X, Y, R});
}

void TTextCadWriter::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    auto near = [](Extended A, Extended B) { return std::fabs(A - B) < 1e-5L; };
    if (Start == End || (near(Start, 0) && near(End, 360)) || (near(Start, 360) && near(End, 0))) {
        Circle(X, Y, R);
        return;
    }
    Record("ARC", {X, Y, R, Start, End});
}

void TTextCadWriter::Text(std::string_view Text, Extended X, Extended Y)
{
    std::string text = options_.ConvertTexts ? ConvertTextForCad(std::string(Text)) : std::string(Text);
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    Line("TEXT\t" + Number(X) + "\t" + Number(Y) + "\t" + text);
}

void TTextCadWriter::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                           Extended X4, Extended Y4)
{
    Record("SOLID", {X1, Y1, X2, Y2, X3, Y3, X4, Y4});
}

void TTextCadWriter::Insert(std::string_view Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                            Extended ScaleY)
{
    Line("INSERT\t" + std::string(Name) + "\t" + Number(X) + "\t" + Number(Y) + "\t" + Number(Angle) + "\t" +
         Number(ScaleX) + "\t" + Number(ScaleY));
}

void TTextCadWriter::EndOfFile()
{
    Line("EOF");
}
