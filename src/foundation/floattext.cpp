#include "foundation/floattext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string_view>

namespace
{

// Decimal digits and exponent of X rounded to Sig significant digits:
// X = 0.d1d2d3... * 10^(Exp + 1), i.e. Exp is the exponent of the first digit.
struct Digits {
    bool Negative = false;
    std::string Mantissa; // Sig digits, no point
    int Exp = 0;
};

Digits ScientificDigits(Extended X, int Sig)
{
    Digits d;
    char buf[128];
    const auto res = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::scientific, Sig - 1);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    if (!text.empty() && text.front() == '-') {
        d.Negative = true;
        text.remove_prefix(1);
    }
    const auto e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.') d.Mantissa.push_back(c);
    d.Exp = std::atoi(std::string(text.substr(e + 1)).c_str());
    return d;
}

std::string ExponentForm(const Digits& d, char Separator)
{
    std::string m = d.Mantissa;
    while (m.size() > 1 && m.back() == '0')
        m.pop_back();
    std::string s = d.Negative ? "-" : "";
    s += m[0];
    if (m.size() > 1) {
        s += Separator;
        s.append(m, 1, std::string::npos);
    }
    s += 'E';
    s += std::to_string(d.Exp);
    return s;
}

std::string NonFinite(Extended X)
{
    if (std::isnan(X)) return "NAN";
    return X < 0 ? "-INF" : "INF";
}

// Powers of ten up to 1e18, all exact in the 64-bit mantissa.
constexpr Extended PowersOfTen[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L, 1e9L,
                                    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L};

// The scaled value stays below 2^50, where its fraction is exact and the
// one rounding of the scaling moves it by less than 2^-14.
constexpr Extended ScaledLimit = 1125899906842624.0L; // 2^50

// |X| * 10^Decimals rounded to the nearest integer, where one scaling by a
// power of ten makes that certain; false where only the exact conversion can
// tell (halfway cases, large values). Always inlined: a call would pass the
// extended real through memory, which costs as much as the test itself.
[[gnu::always_inline]] inline bool ScaledRounded(Extended X, int Decimals, uint64_t& N)
{
    if (Decimals < 0 || Decimals > 18 || !std::isfinite(X)) return false;
    const Extended y = std::fabs(X) * PowersOfTen[Decimals];
    if (!(y < ScaledLimit)) return false;
    // Truncating is flooring here (y >= 0), and one conversion to an
    // integer does both: each rounding-mode switch of the x87 costs more
    // than the arithmetic around it.
    const uint64_t whole = static_cast<uint64_t>(static_cast<int64_t>(y));
    const Extended fraction = y - static_cast<Extended>(whole); // exact below 2^50
    // y is the exact scaled value within y * 2^-64; twice that keeps clear
    // of a halfway case, whose rounding only the exact conversion can
    // decide.
    const Extended doubt = y * 0x1p-63L;
    if (!(std::fabs(fraction - 0.5L) > doubt)) return false;
    N = whole + (fraction > 0.5L ? 1 : 0);
    return true;
}

// Writes the digits of N with Decimals (0..18) of them after Separator and
// at least one before it, ending at Last (FixedTextRoom before it holds them
// and a sign); returns the first one. Written
// backwards, the digits need neither a count first nor a copy after.
char* ScaledBefore(char* Last, uint64_t N, int Decimals, char Separator)
{
    char* p = Last;
    for (int k = 0; k < Decimals; ++k) {
        *--p = static_cast<char>('0' + N % 10);
        N /= 10;
    }
    if (Decimals > 0) *--p = Separator;
    do {
        *--p = static_cast<char>('0' + N % 10);
        N /= 10;
    } while (N != 0);
    return p;
}

} // namespace

std::to_chars_result FixedToChars(char* First, char* Last, Extended X, int Decimals)
{
    uint64_t N = 0;
    if (ScaledRounded(X, Decimals, N)) {
        char digits[FixedTextRoom];
        char* const end = std::end(digits);
        char* begin = ScaledBefore(end, N, Decimals, '.');
        if (std::signbit(X)) *--begin = '-';
        if (Last - First < end - begin) return {Last, std::errc::value_too_large};
        return {std::copy(begin, end, First), std::errc{}};
    }
    return std::to_chars(First, Last, X, std::chars_format::fixed, Decimals);
}

char* FixedTextBefore(char* Last, Extended X, int Precision, int Decimals, char Separator)
{
    Decimals = std::clamp(Decimals, 0, 18);
    Precision = std::clamp(Precision, 1, 18);
    // A digit as separator would hide among the digits that decide the sign.
    if (Separator >= '0' && Separator <= '9') return nullptr;
    uint64_t N = 0;
    if (!ScaledRounded(X, Decimals, N)) return nullptr;
    char* first = ScaledBefore(Last, N, Decimals, Separator);
    const std::ptrdiff_t intSize = (Last - first) - (Decimals > 0 ? Decimals + 1 : 0);
    const int intDigits = intSize == 1 && *first == '0' ? 0 : static_cast<int>(intSize);
    if (intDigits > Precision) return nullptr;
    // "-0.00" would suggest a negative value that the field cannot show.
    if (std::signbit(X) && N != 0) *--first = '-';
    return first;
}

std::string FloatToGeneralText(Extended X, char Separator)
{
    if (!std::isfinite(X)) return NonFinite(X);
    if (X == 0) return "0";
    const Digits d = ScientificDigits(X, 15);
    // Very small or very large values read better in exponent form.
    if (d.Exp < -5 || d.Exp >= 15) return ExponentForm(d, Separator);

    std::string s = d.Negative ? "-" : "";
    std::string intPart;
    std::string fracPart;
    if (d.Exp >= 0) {
        intPart = d.Mantissa.substr(0, static_cast<std::size_t>(d.Exp) + 1);
        fracPart = d.Mantissa.substr(static_cast<std::size_t>(d.Exp) + 1);
    } else {
        intPart = "0";
        fracPart = std::string(static_cast<std::size_t>(-d.Exp - 1), '0') + d.Mantissa;
    }
    while (!fracPart.empty() && fracPart.back() == '0')
        fracPart.pop_back();
    s += intPart;
    if (!fracPart.empty()) {
        s += Separator;
        s += fracPart;
    }
    return s;
}

std::string FloatToFixedText(Extended X, int Precision, int Decimals, char Separator)
{
    if (!std::isfinite(X)) return NonFinite(X);
    Decimals = std::clamp(Decimals, 0, 18);
    Precision = std::clamp(Precision, 1, 18);

    // Values too large for the field fall back to exponent form; deciding on
    // the magnitude first keeps the fixed conversion's buffer small.
    if (std::fabs(X) >= 1e18L) {
        return ExponentForm(ScientificDigits(X, Precision), Separator);
    }
    // The digits are edited in the buffer and copied out once: the message
    // and table texts of a calculation come through here by the dozen.
    char buf[64];
    if (char* text = FixedTextBefore(std::end(buf), X, Precision, Decimals, Separator))
        return std::string(text, std::end(buf));
    const auto res = FixedToChars(buf, buf + sizeof buf, X, Decimals);
    char* first = buf;
    char* const last = res.ptr;
    const bool negative = first != last && *first == '-';
    if (negative) ++first;
    char* const point = std::find(first, last, '.');
    const std::ptrdiff_t intSize = point - first;
    const int intDigits = intSize == 1 && *first == '0' ? 0 : static_cast<int>(intSize);
    if (intDigits > Precision) return ExponentForm(ScientificDigits(X, Precision), Separator);

    if (point != last) *point = Separator;
    // "-0.00" would suggest a negative value that the field cannot show.
    if (negative && std::any_of(first, last, [Separator](char c) { return c != '0' && c != Separator; }))
        *--first = '-';
    return std::string(first, last);
}
