#pragma once
// Text and number helpers of the expression functions. Texts are Windows-1252
// bytes; number texts never depend on the process locale.

#include <string>

std::string RTrimBlanks(const std::string& s);
std::string LTrimBlanks(const std::string& s);
// Case conversion of the ANSI character set, accented letters included.
std::string AnsiLower(const std::string& s);
// The decimal number at the start of s after leading blanks: optional sign,
// digits with "." or "," as the decimal mark (and thousands marks), an
// exponent; what follows is ignored. 0 when no digit stands there.
double NumberPrefix(const std::string& s);
// x rounded half away from zero to n decimals (n < 0 rounds to tens,
// hundreds...). The scaled value is first taken to 15 significant digits, so
// that 0.29, stored as 0.28999..., still rounds as the decimal 0.29.
double RoundDecimals(double x, long long n);
// x written with `width` characters and `decimals` decimals, blanks on the
// left; `width` asterisks when it does not fit. Width is bounded to 0..255.
std::string NumberToStr(double x, long long width, long long decimals);
