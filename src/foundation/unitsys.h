#pragma once
// Unit systems: the calculations keep lengths in mm, forces in N, stresses in
// MPa (N/mm²), torques in N·m and temperatures in °C; values are converted
// only where they are shown and where a typed text is read back, in the
// system chosen by wtelmvar.UnitSystem:
//   0  metric        mm  N    MPa            Nm      °C
//   1  imperial      in  lbf  psi            lbfin   °F
//   2  metric        mm  kN   MPa            Nm      °C
//   3  metric        mm  N    N/mm²          Nm      °C
//   4  metric        mm  kN   N/mm²          Nm      °C
// Torques are N·m with the label "Nm" in every metric system, even where a
// system's name says "Nmm". Labels use the DOS code-page bytes for ², ³, µ,
// ° and ± unless wtelmvar.UnitCharMode is 1, which spells every label in
// plain ASCII. The degree sign itself is DegreeSign (numbertext.h).

#include "foundation/types.h"

#include <string>

// --- labels ------------------------------------------------------------------
std::string LengthUnitLabel();
std::string ForceUnitLabel();
std::string StressUnitLabel();
std::string TorqueUnitLabel();
std::string TemperatureUnitLabel();
std::string MicroLengthUnitLabel();
std::string DensityUnitLabel();
std::string ViscosityUnitLabel();
std::string PlusMinusSign();

// --- internal value to text in the current system ------------------------------
// Inches with 4 decimals in system 1, else 3 significant digits.
std::string LengthToText(Extended X);
std::string LengthToTextSig(Extended X);
// Decimals in mm, one more in inches.
std::string LengthToTextDecimals(int Decimals, Extended X);
// Inches with 5 decimals in system 1, else 6 significant digits.
std::string LengthToText6(Extended X);
std::string ForceToText(Extended X);
std::string StressToText(Extended X);
std::string TorqueToText(Extended X);
std::string TemperatureToText(Extended X);

// --- fixed fields (FormatFloatFixed) with digits adapted to the unit ----------
std::string FormatLengthFixed(int IntDigits, int Decimals, Extended X);
// A value in micrometres, shown in microinches in system 1 (MicroLengthUnitLabel).
std::string FormatLengthFixed2(int IntDigits, int Decimals, Extended X);
std::string FormatForceFixed(int IntDigits, int Decimals, Extended X);
std::string FormatStressFixed(int IntDigits, int Decimals, Extended X);
std::string FormatTorqueFixed(int IntDigits, int Decimals, Extended X);
std::string FormatTemperatureFixed(int IntDigits, int Decimals, Extended X);

// --- display values ------------------------------------------------------------
Extended LengthForDisplay(Extended X);
Extended ForceForDisplay(Extended X);
Extended TorqueForDisplay(Extended X);

// --- typed text in the current system to the internal value (bad text: 0) -----
Extended TextToLength(const std::string& S);
Extended TextToLength2(const std::string& S);
Extended TextToForce(const std::string& S);
Extended TextToStress(const std::string& S);
Extended TextToTorque(const std::string& S);
Extended TextToTemperature(const std::string& S);

// --- tolerances and deviations of lengths ---------------------------------------
// "" for 0; 2 significant digits in mm or 3 in inches; "+" before positive
// values.
std::string LengthDeviationToText(Extended X);
// An upper and a lower deviation: "" when both are 0; a symmetric pair as
// PlusMinusSign and the amount; otherwise the two deviations joined by "/"
// (or the one that is not 0).
std::string DeviationPairToText(Extended Upper, Extended Lower);
