#include "foundation/numbertext.h"

#include "foundation/floattext.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string_view>

namespace
{

char Separator()
{
    return wtelmvar.RegionalDecimalSeparator;
}

void PadLeftInPlace(std::string& T, int Width, char Fill)
{
    if (Width > static_cast<int>(T.size())) T.insert(0, static_cast<std::size_t>(Width) - T.size(), Fill);
}

std::string PadLeft(std::string T, int Width, char Fill)
{
    PadLeftInPlace(T, Width, Fill);
    return T;
}

void CommaToPointInPlace(std::string& S)
{
    for (char& c : S)
        if (c == ',') c = '.';
}

// Field width of a fixed-point text: the separator takes a place only when
// there are decimals.
int FieldWidth(int IntDigits, int Decimals)
{
    return Decimals > 0 ? IntDigits + Decimals + 1 : IntDigits;
}

// Mantissa and exponent of the exponent forms, "12.3" + "E" + "3".
std::string WithExponent(const std::string& Mantissa, int Exponent)
{
    return Mantissa + "E" + IntToText(Exponent);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

void DigitsForSignificant(int& IntDigits, int& Decimals, int Sig, Extended X)
{
    if (X == 0) X = 0.5L;
    X = std::fabs(X);
    if (!std::isfinite(X)) {
        IntDigits = 1;
        Decimals = 0;
        return;
    }
    const int E = DecimalExponent(X);
    if (Sig <= E) {
        IntDigits = E + 1;
        Decimals = 0;
        return;
    }
    if (E >= 0) {
        IntDigits = E + 1;
        Decimals = Sig - E;
    } else {
        IntDigits = 0;
        Decimals = Sig - E - 1;
    }
    // The digit after the last shown one is rounded in and cut off again;
    // every zero that then ends the number removes a decimal, so that 1.5 is
    // not shown as 1.500.
    const Extended scaled = Round(X * IntPower(10, Decimals + 1));
    if (scaled < 9e18L) {
        int64_t V = static_cast<int64_t>(scaled);
        for (;;) {
            V /= 10;
            if (V == 0 || V % 10 != 0) break;
            --Decimals;
        }
    }
    if (Decimals < 0) Decimals = 0;
}

std::string_view FormatFloatFixedIn(TFixedField& Field, int IntDigits, int Decimals, Extended X)
{
    if (std::fabs(X) < 1e-8L) X = 0;
    if (telmvar.DecimalDigits != 3) Decimals = ClampInt(0, 10, telmvar.DecimalDigits + Decimals - 3);
    if (Decimals < 0) Decimals = 0;
    const int width = FieldWidth(IntDigits, Decimals);
    // The common short field is written and padded in place.
    static_assert(sizeof Field.Short >= FixedTextRoom);
    constexpr int Padded = static_cast<int>(sizeof Field.Short);
    char* const last = std::end(Field.Short);
    if (width <= Padded) {
        if (char* first = FixedTextBefore(last, X, IntDigits + Decimals, Decimals, Separator())) {
            while (last - first < width)
                *--first = ' ';
            return {first, static_cast<std::size_t>(last - first)};
        }
    }
    Field.Long = FloatToFixedText(X, IntDigits + Decimals, Decimals, Separator());
    PadLeftInPlace(Field.Long, width, ' ');
    return Field.Long;
}

void FormatFloatFixed(int IntDigits, int Decimals, std::string& S, Extended X)
{
    TFixedField field;
    const std::string_view text = FormatFloatFixedIn(field, IntDigits, Decimals, X);
    if (text.data() == field.Long.data()) {
        S = std::move(field.Long);
    } else {
        S.clear();
        S.append(text);
    }
}

void FormatFloatFixedFile(int IntDigits, int Decimals, std::string& S, Extended X)
{
    if (Decimals < 0) Decimals = 0;
    S = FloatToFixedText(X, IntDigits + Decimals, Decimals, '.');
    PadLeftInPlace(S, FieldWidth(IntDigits, Decimals), ' ');
}

void FloatToSignificant(std::string& S, Extended X)
{
    FloatToSignificantLess(0, S, X);
}

void FloatToSignificantLess(int N, std::string& S, Extended X)
{
    if (std::fabs(X) < 1e-5L) {
        S = "0";
        return;
    }
    int intDigits = 0;
    int decimals = 0;
    DigitsForSignificant(intDigits, decimals, 3 - N, X);
    FormatFloatFixed(intDigits, decimals, S, X);
}

void FloatToSignificant6(std::string& S, Extended X)
{
    FloatToSignificantLess(-3, S, X);
}

void FloatToFixedDecimals(int Decimals, std::string& S, Extended X)
{
    int intDigits = 0;
    int ignored = 0;
    DigitsForSignificant(intDigits, ignored, 3, X);
    FormatFloatFixed(intDigits, Decimals, S, X);
}

void FloatToField(int Width, std::string& S, Extended X)
{
    int intDigits = 0;
    int decimals = 0;
    DigitsForSignificant(intDigits, decimals, 3, X);
    intDigits = Width - decimals - (decimals > 0 ? 1 : 0);
    if (std::fabs(X) >= 1e-6L)
        FormatFloatFixed(intDigits, decimals, S, X);
    else
        S = PadLeft("0", Width, ' ');
}

void FloatToSignedFixed(int Decimals, std::string& S, Extended X)
{
    if (X < 0) {
        FloatToFixedDecimals(Decimals, S, X);
    } else if (X > 0) {
        FloatToFixedDecimals(Decimals, S, X);
        S = "+" + S;
    } else {
        S.clear();
    }
}

void FloatToTextAuto(std::string& S, Extended X)
{
    if (std::fabs(X) < 1e-12L) X = 0;
    const Extended a = std::fabs(X);
    if (a >= 1e-4L && a < 10000)
        FloatToSignificant(S, X);
    else
        FloatToEngineering(S, X);
}

void FloatToTextAutoE(std::string& S, Extended X)
{
    if (std::fabs(X) < 1e-18L) X = 0;
    const Extended a = std::fabs(X);
    if (a >= 1e-5L && a < 1e6L)
        FloatToSignificant(S, X);
    else
        FloatToScientific(S, X);
}

void FloatToEngineering(std::string& S, Extended X)
{
    const int E = DecimalExponent(X);
    if (E >= -2 && E < 4) {
        FloatToSignificant(S, X);
        return;
    }
    // Exponents in steps of three, as the unit prefixes go; both parts
    // truncate toward zero.
    const int Q = E / 3;
    const int R = E % 3;
    const Extended mantissa = E >= 4 ? X / IntPower(10, E - R) : X * IntPower(10, R - E);
    S = WithExponent(FloatToSignificant(mantissa), 3 * Q);
}

void FloatToScientific(std::string& S, Extended X)
{
    const int E = DecimalExponent(X);
    if (E == 0) {
        FloatToSignificant(S, X);
        return;
    }
    const Extended mantissa = E > 0 ? X / IntPower(10, E) : X * IntPower(10, -E);
    S = WithExponent(FloatToSignificant(mantissa), E);
}

void FloatToScientificFixed(int Decimals, std::string& S, Extended X)
{
    const int E = DecimalExponent(X);
    if (E == 0) {
        FloatToSignificant(S, X);
        return;
    }
    const Extended mantissa = E > 0 ? X / IntPower(10, E) : X * IntPower(10, -E);
    S = WithExponent(FloatToFixedDecimals(Decimals, mantissa), E);
}

void AngleToText(std::string& S, Extended X)
{
    const auto decimalDegrees = [&] { S = FloatToField(7, X) + DegreeSign(); };
    if (wtelmvar.AngleFormat == 1 || !std::isfinite(X) || std::fabs(X) > 2e9L) {
        decimalDegrees();
        return;
    }
    int64_t D = static_cast<int64_t>(std::trunc(X));
    const Extended minutesExact = (X - std::trunc(X)) * 60;
    int64_t M = static_cast<int64_t>(std::trunc(std::fabs(minutesExact)));
    int64_t Sec = static_cast<int64_t>(std::fabs(Round((minutesExact - std::trunc(minutesExact)) * 60)));
    if (Sec >= 60) {
        ++M;
        Sec -= 60;
    }
    if (M >= 60) {
        // Only reached through a seconds carry, which leaves minutes and
        // seconds at 0: the text is then the decimal form of X.
        D += 1;
        M -= 60;
    }
    if (M == 0 && Sec == 0) {
        decimalDegrees();
        return;
    }
    // Below one degree the whole degrees are 0 and cannot carry the sign.
    const std::string degrees = (X < 0 && D == 0) ? "-0" : IntToText(D);
    if (Sec != 0)
        S = degrees + DegreeSign() + IntToText(M) + "'" + IntToText(Sec) + "\"";
    else
        S = PadLeft(degrees, 5, ' ') + DegreeSign() + IntToText(M) + "'";
}

void FloatToFixedDecimalsPoint(int Decimals, std::string& S, Extended X)
{
    FloatToFixedDecimals(Decimals, S, X);
    CommaToPointInPlace(S);
}

void FloatToSignificantPoint(std::string& S, Extended X)
{
    FloatToSignificant(S, X);
    CommaToPointInPlace(S);
}

void FormatFloatFixedPoint(int IntDigits, int Decimals, std::string& S, Extended X)
{
    FormatFloatFixed(IntDigits, Decimals, S, X);
    CommaToPointInPlace(S);
}

void IntToText(int64_t N, std::string& S)
{
    S = std::to_string(N);
}

void IntToTextZeroPad(int64_t N, int Width, std::string& S)
{
    S = PadLeft(std::to_string(N), Width, '0');
}

void IntToTextBlankPad(int64_t N, int Width, std::string& S)
{
    S = PadLeft(std::to_string(N), Width, ' ');
}

void PrefixPlus(const std::string& S, std::string& R)
{
    if (S.empty() || S.front() == '-')
        R = S;
    else
        R = "+" + S;
}

void DegreeSign(std::string& S)
{
    S = wtelmvar.UnitCharMode == 1 ? "deg" : "\xF8";
}

std::string DegreeSign()
{
    std::string s;
    DegreeSign(s);
    return s;
}

bool TryTextToFloat(const std::string& S, Extended& Value)
{
    Value = 0;
    std::string t = S;
    const auto comma = t.find(',');
    if (comma != std::string::npos) t[comma] = '.';
    std::size_t i = t.find_first_not_of(' ');
    if (i == std::string::npos) return false;
    const std::size_t start = i;
    // [sign] digits [. digits] [E [sign] digits], at least one mantissa digit.
    if (t[i] == '+' || t[i] == '-') ++i;
    std::size_t mantissaDigits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    if (i != t.size()) return false;

    std::string_view number(t.data() + start, t.size() - start);
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    Extended v = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small for the extended range reads as 0; too large is invalid.
        const bool tiny = number.find_first_of("eE") != std::string_view::npos &&
                          number[number.find_first_of("eE") + 1] == '-';
        return tiny;
    }
    if (res.ec != std::errc() || res.ptr != number.data() + number.size() || !std::isfinite(v)) return false;
    Value = negative ? -v : v;
    return true;
}

bool TryTextToInt(const std::string& S, int32_t& Value)
{
    Value = 0;
    std::size_t i = S.find_first_not_of(' ');
    if (i == std::string::npos) return false;
    bool negative = false;
    if (S[i] == '+' || S[i] == '-') {
        negative = S[i] == '-';
        ++i;
    }
    if (i == S.size()) return false;
    int64_t v = 0;
    for (; i < S.size(); ++i) {
        if (!IsDigit(S[i])) return false;
        v = v * 10 + (S[i] - '0');
        if (v > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) return false;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) return false;
    Value = static_cast<int32_t>(v);
    return true;
}

Extended TextToFloat(const std::string& S)
{
    Extended v = 0;
    return TryTextToFloat(S, v) ? v : 0;
}

Extended TextToFloat2(const std::string& S)
{
    return TextToFloat(S);
}

int32_t TextToInt(const std::string& S)
{
    int32_t v = 0;
    return TryTextToInt(S, v) ? v : 0;
}

int32_t TextToInt2(const std::string& S)
{
    return TextToInt(S);
}

int32_t TextToInt3(const std::string& S)
{
    return TextToInt(S);
}

// Returning forms.
#define QYR7_RETURNING(call)                                                                                 \
    std::string s;                                                                                           \
    call;                                                                                                    \
    return s

std::string FormatFloatFixed(int IntDigits, int Decimals, Extended X)
{
    QYR7_RETURNING(FormatFloatFixed(IntDigits, Decimals, s, X));
}
std::string FormatFloatFixedFile(int IntDigits, int Decimals, Extended X)
{
    QYR7_RETURNING(FormatFloatFixedFile(IntDigits, Decimals, s, X));
}
std::string FloatToSignificant(Extended X)
{
    QYR7_RETURNING(FloatToSignificant(s, X));
}
std::string FloatToSignificantLess(int N, Extended X)
{
    QYR7_RETURNING(FloatToSignificantLess(N, s, X));
}
std::string FloatToSignificant6(Extended X)
{
    QYR7_RETURNING(FloatToSignificant6(s, X));
}
std::string FloatToFixedDecimals(int Decimals, Extended X)
{
    QYR7_RETURNING(FloatToFixedDecimals(Decimals, s, X));
}
std::string FloatToField(int Width, Extended X)
{
    QYR7_RETURNING(FloatToField(Width, s, X));
}
std::string FloatToSignedFixed(int Decimals, Extended X)
{
    QYR7_RETURNING(FloatToSignedFixed(Decimals, s, X));
}
std::string FloatToTextAuto(Extended X)
{
    QYR7_RETURNING(FloatToTextAuto(s, X));
}
std::string FloatToTextAutoE(Extended X)
{
    QYR7_RETURNING(FloatToTextAutoE(s, X));
}
std::string FloatToEngineering(Extended X)
{
    QYR7_RETURNING(FloatToEngineering(s, X));
}
std::string FloatToScientific(Extended X)
{
    QYR7_RETURNING(FloatToScientific(s, X));
}
std::string FloatToScientificFixed(int Decimals, Extended X)
{
    QYR7_RETURNING(FloatToScientificFixed(Decimals, s, X));
}
std::string AngleToText(Extended X)
{
    QYR7_RETURNING(AngleToText(s, X));
}
std::string FloatToFixedDecimalsPoint(int Decimals, Extended X)
{
    QYR7_RETURNING(FloatToFixedDecimalsPoint(Decimals, s, X));
}
std::string FloatToSignificantPoint(Extended X)
{
    QYR7_RETURNING(FloatToSignificantPoint(s, X));
}
std::string FormatFloatFixedPoint(int IntDigits, int Decimals, Extended X)
{
    QYR7_RETURNING(FormatFloatFixedPoint(IntDigits, Decimals, s, X));
}
std::string IntToText(int64_t N)
{
    QYR7_RETURNING(IntToText(N, s));
}
std::string IntToTextZeroPad(int64_t N, int Width)
{
    QYR7_RETURNING(IntToTextZeroPad(N, Width, s));
}
std::string IntToTextBlankPad(int64_t N, int Width)
{
    QYR7_RETURNING(IntToTextBlankPad(N, Width, s));
}
std::string PrefixPlus(const std::string& S)
{
    QYR7_RETURNING(PrefixPlus(S, s));
}

#undef QYR7_RETURNING

bool IsEmptyField(const std::string& S)
{
    return S.find_first_not_of(" \t") == std::string::npos;
}

bool ReadFieldFloat(const std::string& S, Extended& Value)
{
    Value = 0;
    if (IsEmptyField(S)) return true;
    if (TryTextToFloat(S.substr(0, S.find_last_not_of(' ') + 1), Value) && std::isfinite(Value)) return true;
    Value = 0;
    return false;
}

bool ReadFieldInt(const std::string& S, int32_t& Value)
{
    Value = 0;
    return IsEmptyField(S) || TryTextToInt(S.substr(0, S.find_last_not_of(' ') + 1), Value);
}

std::string RangeBoundText(Extended X)
{
    // The point whatever locale the window's toolkit has set.
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, X, std::chars_format::general, 6).ptr);
}
