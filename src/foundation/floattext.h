#pragma once
// Locale-free conversions between extended reals and decimal text.
//
// Number texts must not change with the process locale (a GUI toolkit may
// switch it to the user's): the decimal separator is always the one passed
// in, and the digits come from the standard character conversions, which
// ignore the locale.

#include "foundation/types.h"

#include <charconv>
#include <string>

// General conversion: 15 significant digits, trailing zeros dropped, exponent
// form ("1.5E-6", "1E20") below 1e-5 and from 1e15 on; "0" for zero.
std::string FloatToGeneralText(Extended X, char Separator);

// Fixed-point conversion with Decimals decimals (at least one digit before
// the separator). When the rounded integer part has more digits than
// Precision, the text switches to exponent form with Precision significant
// digits. A value that rounds to zero carries no minus sign.
std::string FloatToFixedText(Extended X, int Precision, int Decimals, char Separator);

// The same text for the common case, written so that it ends at Last (room
// for FixedTextRoom characters before it); returns its first character, or
// null where FloatToFixedText has to form it (halfway cases, large values,
// exponent form). Saves the string for a caller that edits the text further.
inline constexpr int FixedTextRoom = 21;
char* FixedTextBefore(char* Last, Extended X, int Precision, int Decimals, char Separator);

// The characters std::to_chars writes for X in fixed form with Decimals
// decimals (0..18), and its result. The standard library goes through the
// C library's printf for extended reals, which is slow for the many message
// and table texts of a calculation: where the correctly rounded digits are
// certain from one scaling by a power of ten, they are written directly;
// halfway cases and large values still go to to_chars.
std::to_chars_result FixedToChars(char* First, char* Last, Extended X, int Decimals);
