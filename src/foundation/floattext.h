#pragma once
// Locale-free conversions between extended reals and decimal text.
//
// Number texts must not change with the process locale (a GUI toolkit may
// switch it to the user's): the decimal separator is always the one passed
// in, and the digits come from the standard character conversions, which
// ignore the locale.

#include "foundation/types.h"

#include <string>

// General conversion: 15 significant digits, trailing zeros dropped, exponent
// form ("1.5E-6", "1E20") below 1e-5 and from 1e15 on; "0" for zero.
std::string FloatToGeneralText(Extended X, char Separator);

// Fixed-point conversion with Decimals decimals (at least one digit before
// the separator). When the rounded integer part has more digits than
// Precision, the text switches to exponent form with Precision significant
// digits. A value that rounds to zero carries no minus sign.
std::string FloatToFixedText(Extended X, int Precision, int Decimals, char Separator);
