// Load spectrum page: S-N line constants, the spectrum scaled to both mesh
// sides, and the equivalent and limit torques of the life calculation.
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifeparams.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reporttable.h"
#include "reports/stage/planetaryreport.h"
#include "reports/stage/reportformat.h"

#include <algorithm>
#include <string>

namespace
{

// The two mesh sides of the report: sun to planet and planet to ring.
constexpr int SideSP = mSPi;
constexpr int SidePH = mPeH;

// Nominal torque of a side: the torque of the pair's gear 1 of that mesh,
// the torque the spectrum was scaled to.
Extended SideTorque(int m)
{
    return PlanetaryGears.T[PlanetaryGearOfMesh(m, 1)];
}

// Spectrum torque carried to a side; without a nominal torque of the stage
// there is nothing to scale by, and the cell shows 0.
Extended ScaledTorque(Extended Ti, int m)
{
    const Extended TN = PlanetaryStage.TN;
    return TN != 0 ? Ti * SideTorque(m) / TN : 0;
}

void TorqueRow(const char* Label, const char* Symbol, const MeshArray& V)
{
    PrintReportRow2(Label, Symbol, TorqueUnitLabel(), TorqueToText(V[SideSP]), TorqueToText(V[SidePH]));
}

// A limit torque the search did not find is 0 in the records, and so is
// every corner torque formed from it; a found one is never 0. The cell says
// so instead of showing 0 as a limit.
std::string LimitTorqueText(Extended T)
{
    return T != 0 ? TorqueToText(T) : "not found";
}

void LimitTorqueRow(const char* Label, const char* Symbol, const MeshArray& V)
{
    PrintReportRow2(Label, Symbol, TorqueUnitLabel(), LimitTorqueText(V[SideSP]), LimitTorqueText(V[SidePH]));
}

} // namespace

bool ReportLoadSpectrumBlock()
{
    const auto& r = telmvar.RemarkLines;
    const auto& p = GearPair;
    const auto& g = PlanetaryGears;
    SetReportHeader(StageReportTitle("load spectrum (Niemann/Winter)"), StageHeaderNoLine(), r[1], r[2], r[3],
                    0);
    SetReportColumns2("", "symbol", "unit", " S-P", "P-H");
    // The head opens a sheet of its own where the page holds lines, as the
    // strength section's heads do (and for the same reason).
    BreakReportPageBeforeHead();
    PrintReportPageHeader(0, 1);
    if (telmvar.Aborted) return false;
    PrintReportLine("");
    PrintReportLine("MATERIAL LIFE EXPECTATION PARAMETERS");
    PrintReportLine(GetDoubleRuleLine());
    PrintReportLine("material class: " + LifeParams.LW);
    PrintReportLine(GetRuleLine());
    PrintReportRow1("tooth root lifetime const.", "N0F", "LW", FloatToScientific(LifeParams.N0F));
    PrintReportRow1("tooth root lifetime const.", "NnF", "LW", FloatToScientific(LifeParams.NnF));
    PrintReportRow1("tooth root lifetime exponent", "p F", "", FloatToSignificant(LifeParams.pF));
    PrintReportRow1("pitting lifetime const.", "N0H", "LW", FloatToScientific(LifeParams.N0H));
    PrintReportRow1("pitting lifetime const.", "NnH", "LW", FloatToScientific(LifeParams.NnH));
    PrintReportRow1("pitting lifetime exponent", "p H", "", FloatToSignificant(LifeParams.pH));
    PrintReportLine("");
    PrintReportLine("LOAD SPECTRUM");

    const std::string T = TorqueUnitLabel();
    TReportTable table(5, 14, 14, 14, 14, 0, 0, " i ", "    Ni * 1E6", "  Ti in[" + T + "]",
                       " Ti1 SP[" + T + "]", " Ti1 PH[" + T + "]", "", "");
    // Count and items from the same list: the stage's stored spectrum holds
    // the items the working count refers to, never more than it can hold.
    const int count = std::min(p.LoadSpectrumCount, LoadSpectrumMax);
    for (int i = 1; i <= count; ++i) {
        const auto& item = PlanetaryStage.LoadSpectrum[i];
        table.AddRow(IntToTextBlankPad(i, 2), Fix(5, 6, item.N / 1000000), FormatTorqueFixed(8, 2, item.T),
                     FormatTorqueFixed(8, 2, ScaledTorque(item.T, SideSP)),
                     FormatTorqueFixed(8, 2, ScaledTorque(item.T, SidePH)), "", "");
    }
    table.Done();

    PrintReportLine("");
    PrintReportRow1("sum of load changes", "N sum", "", FloatToScientific(p.Nsum));
    PrintReportRow1("equiv.number of load cycles", "N eq", "", FloatToScientific(p.Neq));
    PrintReportRow1("application factor tooth break", "KA F", "", Fix(2, 2, p.LoadSpectrumKA_F));
    PrintReportRow1("application factor pitting", "KA H", "", Fix(2, 2, p.LoadSpectrumKA_H));
    PrintReportRow2("nominal torque", "T N", T, TorqueToText(SideTorque(SideSP)),
                    TorqueToText(SideTorque(SidePH)));
    TorqueRow("equival.torque tooth root", "T eqF", g.TeqF);
    TorqueRow("equival.torque pitting", "T eqH", g.TeqH);
    LimitTorqueRow("limit fatigue str. tooth root", "T nF", g.TnF);
    LimitTorqueRow("limit fatigue str. pitting", "T nH", g.TnH);
    LimitTorqueRow("limit breakage tooth root", "T 0F", g.T0F);
    LimitTorqueRow("limit breakage pitting", "T 0H", g.T0H);
    TorqueRow("Eq.limit fatigue str. tooth root", "T nFeq", g.TnFeq);
    TorqueRow("Eq.limit fatigue str. pitting", "T nHeq", g.TnHeq);
    TorqueRow("Eq.limit breakage tooth root", "T 0Feq", g.T0Feq);
    TorqueRow("Eq.limit breakage pitting", "T 0Heq", g.T0Heq);
    ReportPageBreak();
    return true;
}
