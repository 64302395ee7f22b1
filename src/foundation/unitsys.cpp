#include "foundation/unitsys.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"

#include <algorithm>
#include <cmath>

namespace
{

bool Imperial()
{
    return wtelmvar.UnitSystem == 1;
}
bool KiloNewton()
{
    return wtelmvar.UnitSystem == 2 || wtelmvar.UnitSystem == 4;
}
bool Ascii()
{
    return wtelmvar.UnitCharMode == 1;
}

Extended ForceShown(Extended X)
{
    if (Imperial()) return NToLbf(X);
    return KiloNewton() ? X / 1000 : X;
}

// Amount of a length deviation: 2 significant digits in mm, 3 in inches.
std::string DeviationAmount(Extended X)
{
    return Imperial() ? FloatToSignificantLess(0, MmToInch(X)) : FloatToSignificantLess(1, X);
}

} // namespace

std::string LengthUnitLabel()
{
    return Imperial() ? "in" : "mm";
}

std::string ForceUnitLabel()
{
    if (Imperial()) return "lbf";
    return KiloNewton() ? "kN" : "N";
}

std::string StressUnitLabel()
{
    switch (wtelmvar.UnitSystem) {
    case 1:
        return "psi";
    case 3:
    case 4:
        return Ascii() ? "N/mm2" : "N/mm\xFD";
    default:
        return "MPa";
    }
}

std::string TorqueUnitLabel()
{
    return Imperial() ? "lbfin" : "Nm";
}

std::string TemperatureUnitLabel()
{
    if (Imperial()) return " F";
    return Ascii() ? " C"
                   : "\xF8"
                     "C";
}

std::string MicroLengthUnitLabel()
{
    if (Ascii()) return Imperial() ? "uin" : "um";
    return Imperial() ? "\xE6"
                        "in"
                      : "\xE6"
                        "m";
}

std::string DensityUnitLabel()
{
    return Ascii() ? "kg/dm3" : "kg/dm\xFC";
}

std::string ViscosityUnitLabel()
{
    return Ascii() ? "mm2/s" : "mm\xFD/s";
}

std::string PlusMinusSign()
{
    return Ascii() ? "+/-" : " \xF1 ";
}

std::string LengthToText(Extended X)
{
    return Imperial() ? FloatToFixedDecimals(4, MmToInch(X)) : FloatToSignificant(X);
}

std::string LengthToTextSig(Extended X)
{
    return FloatToSignificant(Imperial() ? MmToInch(X) : X);
}

std::string LengthToTextDecimals(int Decimals, Extended X)
{
    return Imperial() ? FloatToFixedDecimals(Decimals + 1, MmToInch(X)) : FloatToFixedDecimals(Decimals, X);
}

std::string LengthToText6(Extended X)
{
    return Imperial() ? FloatToFixedDecimals(5, MmToInch(X)) : FloatToSignificant6(X);
}

std::string ForceToText(Extended X)
{
    return FloatToSignificant(ForceShown(X));
}

std::string StressToText(Extended X)
{
    return FloatToSignificant(Imperial() ? MPaToPsi(X) : X);
}

std::string TorqueToText(Extended X)
{
    return FloatToSignificant(Imperial() ? NmToLbfIn(X) : X);
}

std::string TemperatureToText(Extended X)
{
    return FloatToSignificant(Imperial() ? CelsiusToFahrenheit(X) : X);
}

std::string FormatLengthFixed(int IntDigits, int Decimals, Extended X)
{
    // An inch has one digit less before the point and needs one more after it.
    if (Imperial()) return FormatFloatFixed(std::max(IntDigits - 1, 1), Decimals + 1, MmToInch(X));
    return FormatFloatFixed(IntDigits, Decimals, X);
}

// X in micrometres. In the inch system it is shown in microinches
// (X * 1000 / 25.4) with the same digits: converted as a length, like
// FormatLengthFixed does, it would print thousandths of an inch under the
// microinch label, so this routine departs from that one on purpose.
std::string FormatLengthFixed2(int IntDigits, int Decimals, Extended X)
{
    return FormatFloatFixed(IntDigits, Decimals, Imperial() ? MmToInch(X) * 1000 : X);
}

std::string FormatForceFixed(int IntDigits, int Decimals, Extended X)
{
    if (Imperial() || KiloNewton())
        return FormatFloatFixed(std::max(IntDigits - 1, 1), Decimals + 1, ForceShown(X));
    return FormatFloatFixed(IntDigits, Decimals, X);
}

std::string FormatStressFixed(int IntDigits, int Decimals, Extended X)
{
    // psi values are about 145 times the MPa values.
    if (Imperial()) return FormatFloatFixed(IntDigits + 2, std::max(Decimals - 2, 0), MPaToPsi(X));
    return FormatFloatFixed(IntDigits, Decimals, X);
}

std::string FormatTorqueFixed(int IntDigits, int Decimals, Extended X)
{
    if (Imperial()) return FormatFloatFixed(IntDigits + 1, std::max(Decimals - 1, 0), NmToLbfIn(X));
    return FormatFloatFixed(IntDigits, Decimals, X);
}

std::string FormatTemperatureFixed(int IntDigits, int Decimals, Extended X)
{
    return FormatFloatFixed(IntDigits, Decimals, Imperial() ? CelsiusToFahrenheit(X) : X);
}

Extended LengthForDisplay(Extended X)
{
    return Imperial() ? MmToInch(X) : X;
}
Extended ForceForDisplay(Extended X)
{
    return ForceShown(X);
}
Extended TorqueForDisplay(Extended X)
{
    return Imperial() ? NmToLbfIn(X) : X;
}

Extended TextToLength(const std::string& S)
{
    const Extended x = TextToFloat(S);
    return Imperial() ? InchToMm(x) : x;
}

Extended TextToLength2(const std::string& S)
{
    return TextToLength(S);
}

Extended TextToForce(const std::string& S)
{
    const Extended x = TextToFloat(S);
    if (Imperial()) return LbfToN(x);
    return KiloNewton() ? x * 1000 : x;
}

Extended TextToStress(const std::string& S)
{
    const Extended x = TextToFloat(S);
    return Imperial() ? PsiToMPa(x) : x;
}

Extended TextToTorque(const std::string& S)
{
    const Extended x = TextToFloat(S);
    return Imperial() ? LbfInToNm(x) : x;
}

Extended TextToTemperature(const std::string& S)
{
    const Extended x = TextToFloat(S);
    return Imperial() ? FahrenheitToCelsius(x) : x;
}

std::string LengthDeviationToText(Extended X)
{
    if (X == 0) return {};
    const std::string s = DeviationAmount(X);
    return X > 0 ? "+" + s : s;
}

std::string DeviationPairToText(Extended Upper, Extended Lower)
{
    if (Upper == 0 && Lower == 0) return {};
    if (std::fabs(Upper + Lower) < 1e-4L) return PlusMinusSign() + DeviationAmount(std::fabs(Upper));
    if (Upper != 0 && Lower != 0) return LengthDeviationToText(Upper) + "/" + LengthDeviationToText(Lower);
    return LengthDeviationToText(Upper != 0 ? Upper : Lower);
}
