#include "xbase/expr/exprtext.h"

#include "xbase/core/dbstrings.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

std::string RTrimBlanks(const std::string& s)
{
    std::size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ')
        --end;
    return s.substr(0, end);
}

std::string LTrimBlanks(const std::string& s)
{
    std::size_t start = 0;
    while (start < s.size() && s[start] == ' ')
        ++start;
    return s.substr(start);
}

std::string AnsiLower(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        c = CharLower(c);
    return r;
}

namespace
{

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

// A "," is a decimal mark as a "." is, as every number reader of the
// program takes it: VAL('0,3') is 0.3 on every desktop, not 0. The marks
// follow the table's number texts (NumTextToFloat): with both kinds the last
// one is the decimal mark and the other marks thousands, otherwise the first
// one is the decimal mark.
double NumberPrefix(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < s.size() && (IsDigit(s[i]) || s[i] == '.' || s[i] == ',')) {
        digits += IsDigit(s[i]);
        ++i;
    }
    if (digits == 0) return 0;
    std::string piece = s.substr(start, i - start);
    NormalizeNumberText(piece);
    if (const std::size_t second = piece.find('.', piece.find('.') + 1); second != std::string::npos) {
        piece.resize(second);
    } else if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        // from_chars takes no "+" in the exponent's place; it is left out
        // so that the exponent's sign survives.
        std::size_t j = i + 1;
        const bool minus = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t expStart = j;
        while (j < s.size() && IsDigit(s[j]))
            ++j;
        if (j > expStart) piece += (minus ? "e-" : "e") + s.substr(expStart, j - expStart);
    }
    double value = 0;
    std::from_chars(piece.data(), piece.data() + piece.size(), value);
    return negative ? -value : value;
}

// ROUND(x, n) and the number texts round to the nearest value of n decimals,
// halves away from zero (2.565 -> 2.57, -2.565 -> -2.57), as anyone writing
// ROUND in a filter, key or report expression means it. Cutting the digits
// off (ROUND(2.567, 2) = 2.56) would always err the same way: a rounded sum
// in a report reads low by up to a whole unit of its last decimal, and a key
// ROUND(x, 2) = 2.57 never finds the record holding 2.567. The scaled value
// is first taken to 15 significant digits, so that 2.675 (in binary
// 2.67499999...) rounds as it is written.
double RoundDecimals(double x, long long n)
{
    if (!std::isfinite(x) || x == 0) return x;
    if (n > 300) return x;
    if (n < -300) return 0;
    const long double scale = std::pow(10.0L, static_cast<long double>(n));
    const long double scaled = static_cast<long double>(x) * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e15L) return x;
    char buf[64];
    const auto out =
        std::to_chars(buf, buf + sizeof buf, static_cast<double>(scaled), std::chars_format::scientific, 14);
    double decimal = 0;
    std::from_chars(buf, out.ptr, decimal);
    const long double rounded = std::round(static_cast<long double>(decimal));
    return static_cast<double>(rounded / scale);
}

std::string NumberToStr(double x, long long width, long long decimals)
{
    if (width < 1) return std::string();
    if (width > 255) width = 255;
    if (decimals < 0) decimals = 0;
    const std::string stars(static_cast<std::size_t>(width), '*');
    // "0." and the decimals alone need decimals + 2 places.
    if (!std::isfinite(x) || decimals + 2 > width + (decimals == 0 ? 2 : 0)) return stars;
    const double rounded = RoundDecimals(x, decimals);
    char buf[700];
    const auto out =
        std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, static_cast<int>(decimals));
    if (out.ec != std::errc()) return stars;
    std::string text(buf, out.ptr);
    // A value that rounds to zero is written without a minus sign.
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    if (text.size() > static_cast<std::size_t>(width)) return stars;
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}
