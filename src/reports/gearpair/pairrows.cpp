#include "reports/gearpair/pairrows.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"

#include <cmath>
#include <cstdlib>

std::string PairUnitText(TPairUnit Unit, const char* Literal)
{
    switch (Unit) {
    case TPairUnit::Length:
        return LengthUnitLabel();
    case TPairUnit::Micro:
        return MicroLengthUnitLabel();
    case TPairUnit::Degree:
        return DegreeSign();
    case TPairUnit::Stress:
        return StressUnitLabel();
    case TPairUnit::Force:
        return ForceUnitLabel();
    case TPairUnit::Torque:
        return TorqueUnitLabel();
    case TPairUnit::Temperature:
        return TemperatureUnitLabel();
    case TPairUnit::Viscosity:
        return ViscosityUnitLabel();
    case TPairUnit::Literal:
        break;
    }
    return Literal != nullptr ? Literal : "";
}

std::string PairCell(TPairFormat Format, int IntDigits, int Decimals, Extended X)
{
    if (std::isnan(X)) return "";
    switch (Format) {
    case TPairFormat::Length:
        return FormatLengthFixed(IntDigits, Decimals, X);
    case TPairFormat::Micro:
        return FormatLengthFixed2(IntDigits, Decimals, X);
    case TPairFormat::Float:
        return FormatFloatFixed(IntDigits, Decimals, X);
    case TPairFormat::Angle:
        return AngleToText(X);
    case TPairFormat::AngleRad:
        return AngleToText(RadToDeg(X));
    case TPairFormat::Int:
        return IntToTextBlankPad(std::llround(X), IntDigits);
    case TPairFormat::Stress:
        return FormatStressFixed(IntDigits, Decimals, X);
    case TPairFormat::Force:
        return FormatForceFixed(IntDigits, Decimals, X);
    case TPairFormat::Torque:
        return FormatTorqueFixed(IntDigits, Decimals, X);
    case TPairFormat::Temperature:
        return FormatTemperatureFixed(IntDigits, Decimals, X);
    case TPairFormat::Field:
        return FloatToField(IntDigits, X);
    case TPairFormat::Significant:
        return FloatToSignificant(X);
    case TPairFormat::Auto:
        return FloatToTextAuto(X);
    case TPairFormat::Text:
        break;
    }
    return "";
}

namespace
{

std::string RowCell(const TPairRow& r, int i)
{
    if (r.Format == TPairFormat::Text) return r.Text != nullptr ? r.Text(GearPair, i) : "";
    return r.Value != nullptr ? PairCell(r.Format, r.IntDigits, r.Decimals, r.Value(GearPair, i)) : "";
}

} // namespace

void PrintPairRows(const TPairRow* Rows, std::size_t Count)
{
    for (std::size_t k = 0; k < Count; ++k) {
        const TPairRow& r = Rows[k];
        if (r.When != nullptr && !r.When(GearPair)) continue;
        const std::string unit = PairUnitText(r.Unit, r.UnitText);
        if (r.Kind == 1)
            PrintReportRow1(r.Label, r.Symbol, unit, RowCell(r, 1));
        else
            PrintReportRow2(r.Label, r.Symbol, unit, RowCell(r, 1), RowCell(r, 2));
    }
}

bool PairSectionHeading(const std::string& Heading)
{
    PrintReportLine("");
    KeepReportLines(1);
    if (telmvar.Aborted) return false;
    PrintReportLine(Heading);
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    return true;
}

bool IsRack(int z)
{
    return std::abs(z) >= 1000;
}
