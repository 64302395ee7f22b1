#include "reports/engine/numberfit.h"

#include "foundation/floattext.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/textutil.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace
{

struct TNumberShape {
    int Decimals = 0;    // digits after the decimal point of a fixed text
    int Significant = 0; // digits shown, leading zeros not counted
    bool Exponent = false;
    char Separator = '.';
};

TNumberShape ShapeOf(const std::string& S)
{
    TNumberShape n;
    n.Separator = wtelmvar.RegionalDecimalSeparator;
    bool afterPoint = false, leading = true;
    for (char c : S) {
        if (c == 'E' || c == 'e') {
            n.Exponent = true;
            break;
        }
        if (c == '.' || c == ',') {
            afterPoint = true;
            n.Separator = c;
        } else if (c >= '0' && c <= '9') {
            n.Decimals += afterPoint ? 1 : 0;
            if (c != '0') leading = false;
            n.Significant += leading ? 0 : 1;
        }
    }
    return n;
}

// X with Sig significant digits in exponent form: "-2.06E4", or with the
// digits as a whole mantissa where that is shorter ("-206E2").
std::string ExponentText(Extended X, int Sig, char Separator)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::scientific, Sig - 1);
    std::string text(buf, r.ptr);
    const auto e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string mantissa = text.substr(0, e);
    const bool negative = mantissa.front() == '-';
    std::string digits;
    for (char c : mantissa)
        if (c >= '0' && c <= '9') digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const std::string sign = negative ? "-" : "";
    std::string normal = sign + digits.substr(0, 1);
    if (digits.size() > 1) normal += Separator + digits.substr(1);
    normal += "E" + std::to_string(exponent);
    const int shift = exponent - static_cast<int>(digits.size()) + 1;
    if (shift < 1) return normal;
    const std::string whole = sign + digits + "E" + std::to_string(shift);
    return whole.size() < normal.size() ? whole : normal;
}

} // namespace

std::string ShortestNumberText(const std::string& Text, int Width)
{
    const std::string s = TrimBlanks(Text);
    Extended x = 0;
    if (s.empty() || !TryTextToFloat(s, x) || !std::isfinite(static_cast<long double>(x))) return {};
    if (static_cast<int>(s.size()) <= Width) return s;
    const TNumberShape shape = ShapeOf(s);
    const auto fits = [Width](const std::string& t) { return static_cast<int>(t.size()) <= Width; };
    // Fewer decimals: the value as written, rounded further, as long as a
    // digit of it is left (0.0004 is not shown as 0.000).
    const auto showsValue = [x](const std::string& t) {
        return x == 0 || t.find_first_of("123456789") != std::string::npos;
    };
    for (int d = shape.Exponent ? 0 : shape.Decimals - 1; d >= 0 && std::fabs(x) < 1e18L; --d) {
        const std::string t = FloatToFixedText(x, 18, d, shape.Separator);
        if (fits(t) && showsValue(t)) return t;
    }
    // Then the exponent form, never with more digits than the text showed.
    for (int sig = std::max(shape.Significant, 1); sig >= 1; --sig) {
        const std::string t = ExponentText(x, sig, shape.Separator);
        if (fits(t)) return t;
    }
    return {};
}

std::string FitReportCell(const std::string& Cell, uint32_t Width, bool Number)
{
    const int w = static_cast<int>(Width);
    if (!Number || static_cast<int>(Cell.size()) <= w) return FitLeft(Cell, w);
    const std::string trimmed = TrimBlanks(Cell);
    if (static_cast<int>(trimmed.size()) <= w)
        return FitLeft(std::string(static_cast<size_t>(w) - trimmed.size(), ' ') + trimmed, w);
    const std::string shorter = ShortestNumberText(trimmed, w);
    if (!shorter.empty())
        return FitLeft(std::string(static_cast<size_t>(w) - shorter.size(), ' ') + shorter, w);
    return std::string(static_cast<size_t>(w), '*');
}

void PlaceReportValue(const std::string& Value, std::string& Line, int Pos, int SlotEnd, int LastFree)
{
    if (Pos < 1) Pos = 1;
    SlotEnd = std::min<int>(SlotEnd, static_cast<int>(Line.size()));
    if (SlotEnd < Pos) return;
    // What the value shows: its trailing blanks would only blank out the
    // field to its right, which is placed already.
    std::string shown = Value;
    while (!shown.empty() && shown.back() == ' ')
        shown.pop_back();
    if (Pos + static_cast<int>(shown.size()) - 1 <= std::min(SlotEnd, LastFree)) {
        OverwriteAt(shown, Line, Pos);
        return;
    }
    const std::string trimmed = TrimBlanks(Value);
    // Keep one blank before the next column so that two numbers never run
    // into one.
    const int end = std::min(SlotEnd < static_cast<int>(Line.size()) ? SlotEnd - 1 : SlotEnd, LastFree);
    const int room = end - Pos + 1;
    if (room <= 0) return;
    if (static_cast<int>(trimmed.size()) <= room) {
        OverwriteAt(trimmed, Line, Pos);
        return;
    }
    const std::string shorter = ShortestNumberText(trimmed, room);
    OverwriteAt(shorter.empty() ? std::string(static_cast<size_t>(room), '*') : shorter, Line, Pos);
}
