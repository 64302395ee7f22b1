#pragma once
// Number texts: the field layouts, formatters and readers that reports,
// dialogs, drawings and files use.
//
// The central rule is the layout for a number of significant digits
// (DigitsForSignificant) printed by FormatFloatFixed; the other formatters are
// variants of these two. Texts are right-aligned in fields of a computed
// width. They never follow the process locale: the decimal separator is
// wtelmvar.RegionalDecimalSeparator, and the readers accept "." and the first
// "," as the decimal point whatever it holds.
//
// Each formatter writes into S as its callers expect; a second form returns
// the text for use inside expressions.

#include "foundation/types.h"

#include <cstdint>
#include <string>
#include <string_view>

// Layout for Sig significant digits of X (Sig at most 7): IntDigits reserved
// before the separator (0 for values below 1) and Decimals. Values from 1 on
// get one digit more than Sig below 10^Sig; trailing zeros are not shown.
void DigitsForSignificant(int& IntDigits, int& Decimals, int Sig, Extended X);

// Fixed-point text of X right-aligned in IntDigits + Decimals + 1 characters
// (IntDigits without decimals); never cut. |X| < 1e-8 prints as 0, and
// telmvar.DecimalDigits shifts the decimals (3 leaves them, else they become
// DecimalDigits + Decimals - 3 held in 0..10).
void FormatFloatFixed(int IntDigits, int Decimals, std::string& S, Extended X);
// Where FormatFloatFixedIn forms a text: the common short field in place,
// another one in Long.
struct TFixedField {
    char Short[48];
    std::string Long;
};
// FormatFloatFixed's text without a string of its own, for a caller that
// puts it into a longer text: a view into Field, valid until Field is used
// again.
std::string_view FormatFloatFixedIn(TFixedField& Field, int IntDigits, int Decimals, Extended X);
// As FormatFloatFixed for files: no zero snap, no decimals shift, and always
// the point as separator.
void FormatFloatFixedFile(int IntDigits, int Decimals, std::string& S, Extended X);

void FloatToSignificant(std::string& S, Extended X);
void FloatToSignificantLess(int N, std::string& S, Extended X);
void FloatToSignificant6(std::string& S, Extended X);
void FloatToFixedDecimals(int Decimals, std::string& S, Extended X);
void FloatToField(int Width, std::string& S, Extended X);
void FloatToSignedFixed(int Decimals, std::string& S, Extended X);
void FloatToTextAuto(std::string& S, Extended X);
void FloatToTextAutoE(std::string& S, Extended X);
void FloatToEngineering(std::string& S, Extended X);
void FloatToScientific(std::string& S, Extended X);
void FloatToScientificFixed(int Decimals, std::string& S, Extended X);
// An angle in degrees by wtelmvar.AngleFormat: 1 decimal degrees with the
// degree sign, otherwise degrees, minutes and seconds.
void AngleToText(std::string& S, Extended X);

// The same formatters with every "," turned into "." (for files).
void FloatToFixedDecimalsPoint(int Decimals, std::string& S, Extended X);
void FloatToSignificantPoint(std::string& S, Extended X);
void FormatFloatFixedPoint(int IntDigits, int Decimals, std::string& S, Extended X);

void IntToText(int64_t N, std::string& S);
// "0" characters in front up to Width characters (in front of a minus sign
// too); a longer text is never cut.
void IntToTextZeroPad(int64_t N, int Width, std::string& S);
// Blanks in front up to Width characters.
void IntToTextBlankPad(int64_t N, int Width, std::string& S);
// "+" in front unless S begins with "-"; an empty text stays empty.
void PrefixPlus(const std::string& S, std::string& R);

// The degree sign of unit labels: the DOS code page byte 0xF8, or "deg" when
// wtelmvar.UnitCharMode asks for plain ASCII.
void DegreeSign(std::string& S);
std::string DegreeSign();

// Readers. Leading blanks are skipped; anything else the conversion does not
// consume (trailing blanks included) makes the text invalid, and an invalid
// text reads as 0. TextToFloat takes the first "," (only the first) as the
// decimal point.
Extended TextToFloat(const std::string& S);
Extended TextToFloat2(const std::string& S);
int32_t TextToInt(const std::string& S);
int32_t TextToInt2(const std::string& S);
int32_t TextToInt3(const std::string& S);

// Strict forms of the readers: false for an invalid text (Value is then 0).
// For input checks that must tell "0" from "not a number".
bool TryTextToFloat(const std::string& S, Extended& Value);
bool TryTextToInt(const std::string& S, int32_t& Value);
// The input forms' check of a typed number: a field left empty (or holding
// only blanks and tabs) is 0, as the readers read it; any other text must
// be a number (a real also finite). False, Value 0, for one that is not.
bool IsEmptyField(const std::string& S);
bool ReadFieldFloat(const std::string& S, Extended& Value);
bool ReadFieldInt(const std::string& S, int32_t& Value);

// Returning forms of the formatters above.
std::string FormatFloatFixed(int IntDigits, int Decimals, Extended X);
std::string FormatFloatFixedFile(int IntDigits, int Decimals, Extended X);
std::string FloatToSignificant(Extended X);
std::string FloatToSignificantLess(int N, Extended X);
std::string FloatToSignificant6(Extended X);
// A bound of a range as the refusals of files and forms show it ("100000",
// "1e+12", "0.01"): six significant digits, "%.6Lg" in the C locale.
std::string RangeBoundText(Extended X);
std::string FloatToFixedDecimals(int Decimals, Extended X);
std::string FloatToField(int Width, Extended X);
std::string FloatToSignedFixed(int Decimals, Extended X);
std::string FloatToTextAuto(Extended X);
std::string FloatToTextAutoE(Extended X);
std::string FloatToEngineering(Extended X);
std::string FloatToScientific(Extended X);
std::string FloatToScientificFixed(int Decimals, Extended X);
std::string AngleToText(Extended X);
std::string FloatToFixedDecimalsPoint(int Decimals, Extended X);
std::string FloatToSignificantPoint(Extended X);
std::string FormatFloatFixedPoint(int IntDigits, int Decimals, Extended X);
std::string IntToText(int64_t N);
std::string IntToTextZeroPad(int64_t N, int Width);
std::string IntToTextBlankPad(int64_t N, int Width);
std::string PrefixPlus(const std::string& S);
