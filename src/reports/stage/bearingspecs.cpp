#include "reports/stage/bearingspecs.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/unitsys.h"
#include "planetary/bearings/bearinglife.h"
#include "planetary/bearings/planetbearing.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/stage/reportformat.h"

#include <algorithm>

namespace
{

// Failure probability (%) of the reliability levels 90 .. 99.95 % of ISO 281,
// beside their factors a1 (ReliabilityFactors).
constexpr Extended FailurePercent[14] = {10,   5,    4,    3,    2,     1,     0.8L,
                                         0.6L, 0.4L, 0.2L, 0.1L, 0.08L, 0.06L, 0.05L};

std::string Sig(Extended X)
{
    return FloatToSignificant(X);
}

Extended TemperatureShown(Extended Celsius)
{
    return wtelmvar.UnitSystem == 1 ? CelsiusToFahrenheit(Celsius) : Celsius;
}

} // namespace

std::string EPSuffix(int n)
{
    return PlanetBearings[n].EPAdditives ? "(EP)" : "";
}

void ReportBearingSpecs(int n, const std::string& Heading, Extended Speed)
{
    const auto& br = PlanetBearings[n];
    if (br.Designation.empty() || br.d == 0) return;
    const std::string type =
        br.BearingType >= 1 && br.BearingType <= 10 ? BearingTypeNames[br.BearingType] : "";
    const std::string L = LengthUnitLabel(), F = ForceUnitLabel();
    const std::string visc = "mm\xFD/s";
    const int mode = br.LifeFactorMode;

    PrintReportLine("");
    PrintReportLine((Heading.empty() ? std::string("BEARING SPECS for") : Heading) + " " + type + " " +
                    br.Designation);
    PrintReportLine(GetDoubleRuleLine());
    PrintReportRow1("borehole diameter", "d", L, LengthToText(br.d));
    PrintReportRow1("outer diameter", "D", L, LengthToText(br.D));
    PrintReportRow1("bearing width", "B", L, LengthToText(br.B));
    if (br.BearingType == 1) {
        const int src = br.XYTableChoice >= 1 && br.XYTableChoice <= 5 ? br.XYTableChoice : 1;
        PrintReportRow1("clearance " + std::string(XYSourceTexts[src]) + " (X=" + Sig(br.X) +
                            ", Y=" + Sig(br.Y) + ")",
                        "", "", "");
    }
    if (br.Weight > 0) PrintReportRow1("weight", "m", "kg", FloatToSignificantLess(1, br.Weight));
    if (br.Price > 0) PrintReportRow1("price", "", "EUR", Fix(5, 2, br.Price));
    PrintReportRow1("basic load rating dynamic", "C", F, ForceToText(br.C));
    PrintReportRow1("basic load rating static", "C0", F, ForceToText(br.C0));
    PrintReportRow1("intrinsic fatigue resistance", "Cu", F, ForceToText(br.Cu));
    PrintReportRow1("static equivalent strain", "P0", F, ForceToText(br.P0));
    PrintReportRow1("dynamic equivalent strain", "P", F, ForceToText(br.P));
    PrintReportRow1(br.BearingType == 7 ? "perm.ax.strain on bushes" : "permittable axiale strain", "Fa z", F,
                    ForceToText(br.FaPerm));
    PrintReportRow1("min. load radial", "Frm", F, ForceToText(br.Frm));
    PrintReportRow1("rot. speed", "n", "1/min", Sig(Speed));
    if (br.P != 0 && br.P0 != 0) {
        PrintReportRow1("static safety margin", "S0", "", Sig(br.s0));
        PrintReportRow1("dynamic safety", "S", "", Sig(br.CRatio));
    }
    PrintReportRow1("life expect. revolutions", "L10", "1e6 rot.", Sig(br.L10));
    if (Speed != 0) PrintReportRow1("life expect. hours", "L10h", "h", Sig(LifeInHours(br.L10, Speed)));
    PrintReportRow1("reference viscosity", "nue 1", visc, Sig(br.nu1));
    if (mode == 3) PrintReportRow1("contamination factor", "eC", "", Sig(br.eC));
    if (br.EPAdditives && mode == 3 && br.nu1 > 0) {
        PrintReportRow1("viscosity ratio nue/nue1", "kappa'", "", Sig(br.nu / br.nu1));
        PrintReportRow1("viscosity ratio EP", "kappa", "", FloatToFixedDecimals(3, br.kappa));
    } else {
        PrintReportRow1("viscosity ratio", "kappa", "", FloatToFixedDecimals(3, br.kappa));
    }
    PrintReportRow1("operat.temperature", "theta", TemperatureUnitLabel(),
                    FloatToFixedDecimals(2, TemperatureShown(br.Temperature)));
    PrintReportRow1("nominal viscosity at 40 C", "nue n", visc, Sig(br.nu40));
    PrintReportRow1("Operat.viscosity at " + FloatToFixedDecimals(0, br.Temperature) + " C", "nue b", visc,
                    Sig(br.nu));

    const bool a23Modes = mode == 1 || mode == 2;
    const bool isoModes = mode == 3 || mode == 4;
    if (a23Modes)
        PrintReportLine("calculation : " + std::string(LifeFactorModeTexts[mode]) +
                        "    Lna = L10 x a1 x a23");
    else if (isoModes)
        PrintReportLine("calculation : " + std::string(LifeFactorModeTexts[mode]) + "    Lnm" + EPSuffix(n) +
                        " = L10 x a1 x aISO");
    if (a23Modes || isoModes) PrintReportLine(GetRuleLine());
    if (a23Modes) PrintReportRow1("lubricat. & material factor", "a23", "", Fix(2, 2, br.a23));
    if (isoModes) PrintReportRow1("lubricat. & material factor", "aISO", "", Fix(2, 2, br.aISO));
    const int index = std::clamp(br.ReliabilityIndex, 1, 14);
    const Extended p = FailurePercent[index - 1];
    const std::string symbol = "L" + FloatToSignificant(p) + (isoModes ? "m" : "a");
    PrintReportRow1("life expectancy", "", "%", Fix(2, 2, 100 - p));
    PrintReportRow1("life expectancy factor", "a1", "", Fix(1, 3, ReliabilityFactor(index)));
    PrintReportRow1("modif. nominal rating life", symbol, "1e6 rot.", Sig(br.Lna));
    if (Speed != 0)
        PrintReportRow1("modif.nom.rat.life  hours", symbol + "h", "h", Sig(LifeInHours(br.Lna, Speed)));
}
