#pragma once
// Rows of the gear-pair report as data: each section of a page is a table of
// rows (label, symbol, unit, value, format, condition), printed by one loop.
// A value that was not calculated is NotComputed and prints as an empty
// cell: a zero would read as a result.

#include "foundation/types.h"
#include "gearpair/gearpairdata.h"

#include <cstddef>
#include <limits>
#include <string>

enum class TPairUnit {
    Literal, // the row's own text (often empty)
    Length,
    Micro,
    Degree, // DegreeSign
    Stress,
    Force,
    Torque,
    Temperature,
    Viscosity,
};

enum class TPairFormat {
    Length,      // FormatLengthFixed(i, d) of mm
    Micro,       // FormatLengthFixed2(i, d) of micrometres
    Float,       // FormatFloatFixed(i, d)
    Angle,       // AngleToText of degrees
    AngleRad,    // AngleToText of radians turned into degrees
    Int,         // IntToTextBlankPad(value, i)
    Stress,      // FormatStressFixed(i, d) of N/mm2
    Force,       // FormatForceFixed(i, d) of N
    Torque,      // FormatTorqueFixed(i, d) of N*m
    Temperature, // FormatTemperatureFixed(i, d) of deg C
    Field,       // FloatToField(i): 3 significant digits in i characters
    Significant, // FloatToSignificant
    Auto,        // FloatToTextAuto
    Text,        // the row's Text function
};

struct TPairRow {
    int Kind; // 1: one value; 2: gear 1 and gear 2
    const char* Label;
    const char* Symbol;
    TPairUnit Unit;
    const char* UnitText;
    TPairFormat Format;
    int IntDigits;
    int Decimals;
    // Value of gear i (kind 1 rows are asked for gear 1).
    Extended (*Value)(const TGearPairData& p, int i) = nullptr;
    // Printed when this holds; always when null.
    bool (*When)(const TGearPairData& p) = nullptr;
    // Value text of TPairFormat::Text rows.
    std::string (*Text)(const TGearPairData& p, int i) = nullptr;
};

inline constexpr Extended NotComputed = std::numeric_limits<Extended>::quiet_NaN();

std::string PairUnitText(TPairUnit Unit, const char* Literal);
// The cell of a value in a format; NotComputed gives an empty cell.
std::string PairCell(TPairFormat Format, int IntDigits, int Decimals, Extended X);

// Prints the rows whose condition holds, in table order.
void PrintPairRows(const TPairRow* Rows, std::size_t Count);
template <std::size_t N> void PrintPairRows(const TPairRow (&Rows)[N])
{
    PrintPairRows(Rows, N);
}

// The section heading of both pages: empty line, keep room (new page with
// column heads when nearly full), the heading, a rule, an empty line. False
// when the report was stopped at that page break.
bool PairSectionHeading(const std::string& Heading);

// A gear counts as a rack from 1000 teeth on (either sign).
bool IsRack(int z);
