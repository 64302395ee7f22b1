// Operating data of the stage, materials, method flags and lubricant.
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/stage/planetaryreport.h"
#include "reports/stage/reportformat.h"

#include <string>

namespace
{

// Texts of codes that come from a file or a dialog: a code outside the table
// prints as an empty text rather than reading past it.
std::string HeatTreatmentText(int code)
{
    static const char* const texts[] = {"none",        "heat-treat.", "case-hard.", "ind.hard.",
                                        "flame-hard.", "gas-nitr.",   "bath-nitr.", "nitrocarb."};
    return code >= 0 && code <= 7 ? texts[code] : "";
}

std::string CalcMethodText(int method)
{
    static const char* const texts[] = {"", "DIN 3990-1,2,3", "DIN 3990-41", "Input K,Y,Z",
                                        "ISO 6336:2006-2008"};
    return method >= 0 && method <= 4 ? texts[method] : "";
}

std::string Flag(char c)
{
    return std::string("     ") + c;
}

std::string Field(int Width, Extended X)
{
    return FloatToField(Width, X);
}

void OperatingDataPage()
{
    const auto& st = PlanetaryStage;
    PrintReportLine("OPERATIONAL DATA PLANETARY GEAR   Input:" + ShaftLetter(PlanetaryShafts.InputShaft) +
                    "  Output:" + ShaftLetter(PlanetaryShafts.OutputShaft));
    PrintReportLine(GetRuleLine());
    PrintReportRow3("nominal power", "P", "kW", Fix(3, 2, st.P[shaftS]), Fix(3, 2, st.P[shaftC]),
                    Fix(3, 1, st.P[shaftH]));
    PrintReportRow1("rot. power", "PW", "kW", Fix(5, 2, st.PW));
    PrintReportRow1("gear ratio", "i", "", Fix(5, 2, st.i));
    PrintReportRow1("gear ratio stat", "i st", "", Fix(5, 2, st.i0));
    PrintReportRow3("rot.speed", "n", "1/min", Field(5, st.n[shaftS]), Field(5, st.n[shaftC]),
                    Field(5, st.n[shaftH]));
    PrintReportRow3("rot.speed Planet (bearing)", "npC", "1/min", "", Field(8, st.npC[1]),
                    Field(8, st.npC[2]));
    PrintReportRow3("rot.speed Planet", "np0", "1/min", "", Field(8, st.np0[1]), Field(8, st.np0[2]));
    // Torques run to five digits and more: written whole with three
    // significant digits at least, never in exponent form where the column
    // has room.
    PrintReportRow3("torque", "T", TorqueUnitLabel(), Field(7, TorqueForDisplay(st.T[shaftS])),
                    Field(7, TorqueForDisplay(st.T[shaftC])), Field(7, TorqueForDisplay(st.T[shaftH])));
    PrintReportRow2("mass planet wheel", "mP", "kg", Field(8, st.mP[1]), Field(8, st.mP[2]));
    const std::string F = ForceUnitLabel();
    PrintReportRow2("flywheel force planet wheel", "FfP", F, Field(8, ForceForDisplay(st.FfP[1])),
                    Field(8, ForceForDisplay(st.FfP[2])));
    PrintReportRow2("bearing load planet wheel nom", "FlPN", F, Field(8, ForceForDisplay(st.FlPN[1])),
                    Field(8, ForceForDisplay(st.FlPN[2])));
    if (GearPair.LoadSpectrumCount > 0)
        PrintReportRow2("bearing load load spectrum m", "FlPm", F, Field(8, ForceForDisplay(st.FlPm[1])),
                        Field(8, ForceForDisplay(st.FlPm[2])));
    PrintReportLine("");
}

void MaterialPage()
{
    const auto& g = PlanetaryGears;
    const auto& p = GearPair;
    PrintReportLine("MATERIAL AND TREATMENT");
    PrintReportLine(GetRuleLine());
    PrintReportLine("S:" + FitLeft(g.MaterialName[gS], 14) + "  Pi:" + FitLeft(g.MaterialName[gPi], 14) +
                    "  Pe:" + FitLeft(g.MaterialName[gPe], 14) + "  H:" + FitLeft(g.MaterialName[gH], 14));
    PrintReportLine(GetRuleLine());
    const std::string S = StressUnitLabel();
    GearRow("density", "rho", "kg/dm3", [&](int k) { return Fix(3, 2, g.rho[k]); });
    GearRow("modulus of elasticity", "E", S, [&](int k) { return FormatStressFixed(5, 0, g.E[k]); });
    GearRow("poisson ratio", "n\x81", "", [&](int k) { return Fix(3, 2, g.nu[k]); });
    GearRow("allow.stress nr.(contact)", "S.Hlim", S,
            [&](int k) { return FormatStressFixed(5, 0, g.SigmaHlim[k]); });
    GearRow("allow.stress nr.(bend.)", "Sig.FE", S,
            [&](int k) { return FormatStressFixed(5, 0, g.Sigma_FE[k]); });
    GearRow("allow.stress nr.(bend.)", "S.FLim", S,
            [&](int k) { return FormatStressFixed(5, 0, g.Sigma_FE[k] / 2); });
    PrintReportLine("heat treatment S: " + FitLeft(HeatTreatmentText(g.HeatTreatment[gS]), 8) +
                    "  Pi: " + FitLeft(HeatTreatmentText(g.HeatTreatment[gPi]), 8) +
                    "  Pe: " + FitLeft(HeatTreatmentText(g.HeatTreatment[gPe]), 8) +
                    "  H: " + FitLeft(HeatTreatmentText(g.HeatTreatment[gH]), 8));
    PrintReportLine(GetRuleLine());
    GearRow("Brinell hardness", "", "HB", [&](int k) { return Fix(5, 0, g.HB[k]); });
    GearRow("mean peak-vall.roughn. flank", "RzZ", MicroLengthUnitLabel(),
            [&](int k) { return FormatLengthFixed2(5, 0, g.RzZ[k]); });
    GearRow("mean peak-vall.roughn. root", "RzY", MicroLengthUnitLabel(),
            [&](int k) { return FormatLengthFixed2(5, 0, g.RzY[k]); });
    if (p.CalcMethod == 1) {
        PrintReportRow1("crowning", "", "Y/N", Flag(p.Crowning));
        PrintReportRow1("lapping-in/breaking-in", "", "Y/N", Flag(p.LappingIn));
        PrintReportRow1("end relief", "", "Y/N", Flag(p.EndRelief));
    }
    PrintReportLine("");
    KeepReportLines(1);
    PrintReportLine("CALCULATION METHOD:     " + CalcMethodText(p.CalcMethod));
    PrintReportLine(GetRuleLine());
    PrintReportLine("");
    PrintReportLine("ADDITIONAL DIMENSIONS AND BEARING ARRANGEMENTS");
    PrintReportLine(GetRuleLine());
    PrintReportRow1("double helical gearing", "", "Y/N", Flag(p.DoubleHelical));
    PrintReportRow1("tooth trace angle correction", "", "Y/N", Flag(p.ToothTraceCorrection));
    PrintReportLine("");
    PrintReportRow1("lubricant", "", "", p.LubricantName);
    if (p.v40 > 0) PrintReportRow1("nominal viscosity at 40 C", "v40", "mm2/s", Fix(6, 1, p.v40));
    if (p.v50 > 0) PrintReportRow1("nominal viscosity at 50 C", "v50", "mm2/s", Fix(6, 1, p.v50));
    if (p.v100 > 0) PrintReportRow1("nominal viscosity at 100 C", "v100", "mm2/s", Fix(6, 1, p.v100));
    if (p.rho15 > 0) PrintReportRow1("lubricant density at 15 C", "rho15", "kg/dm3", Fix(4, 3, p.rho15));
    if (p.TOil > 0)
        PrintReportRow1("lubricant temperature", "TOil", TemperatureUnitLabel(),
                        FormatTemperatureFixed(6, 1, p.TOil));
    PrintReportLine("");
    KeepReportLines(1);
}

} // namespace

bool ReportStrengthSection()
{
    const auto& r = telmvar.RemarkLines;
    SetReportHeader(StageReportTitle("gearing strength"), StageHeaderNoLine(), r[1], r[2], r[3], 0);
    SetReportColumns4("", "", "", "", "", "", "");
    SetReportColumns3("", "", "", "  S   ", "      C", "        H");
    // Both heads of this section open a sheet of their own, departing on
    // purpose from the plain rule of heading the page where the text stands:
    // a head in mid-page gave a printed page far longer than its sheet, and
    // the printer lost the lines below the sheet's edge. Only the devices
    // that print sheets see the break; the files keep their text.
    BreakReportPageBeforeHead();
    PrintReportPageHeader(0, 1);
    if (telmvar.Aborted) return false;
    OperatingDataPage();
    SetReportColumns3("", "", "", "", "", "");
    SetReportColumns4("", "", "", "S", "Pi", "Pe", "H");
    BreakReportPageBeforeHead();
    PrintReportPageHeader(0, 1);
    if (telmvar.Aborted) return false;
    MaterialPage();
    return true;
}
