// Second half of the geometry page: tooth thickness allowances and backlash,
// the test dimensions of both gears, and the flank tolerances.
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/gearpair/gearpairreport.h"
#include "reports/gearpair/pairrows.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{

#define PV(expr)                                                                                             \
    []([[maybe_unused]] const TGearPairData& p, [[maybe_unused]] int i) -> Extended { return (expr); }
#define PW(expr) []([[maybe_unused]] const TGearPairData& p) -> bool { return (expr); }
#define PT(expr)                                                                                             \
    []([[maybe_unused]] const TGearPairData& p, [[maybe_unused]] int i) -> std::string { return (expr); }

using U = TPairUnit;
using F = TPairFormat;

// Angular backlash of gear i: the arc over the operating pitch radius. A
// pair without an operating pitch diameter has no such angle.
Extended BacklashAngle(Extended j, Extended dw)
{
    return dw != 0 ? 2 * j / dw : NotComputed;
}

const TPairRow BacklashRows[] = {
    {2, "tolerance zone to DIN 3967", "", U::Literal, "", F::Text, 0, 0, nullptr, nullptr,
     PT(p.ToleranceZone[i])},
    {2, "upper tooth thickn.allow.", "Asne", U::Length, "", F::Length, 3, 3, PV(p.Asne[i])},
    {2, "lower tooth thickn.allow.", "Asni", U::Length, "", F::Length, 3, 3, PV(p.Asni[i])},
    {2, "tooth thickness tolerance", "Tsn", U::Micro, "", F::Micro, 7, 0, PV(p.Tsn[i] * 1000)},
    {1, "torsional backlash min.", "jtmin", U::Length, "", F::Length, 3, 3, PV(p.jtmin)},
    {1, "torsional backlash max.", "jtmax", U::Length, "", F::Length, 3, 3, PV(p.jtmax)},
    {2, "torsional backlash min.ang.", "jtmin", U::Degree, "", F::AngleRad, 0, 0,
     PV(BacklashAngle(p.jtmin, p.dw[i]))},
    {2, "torsional backlash max.ang.", "jtmax", U::Degree, "", F::AngleRad, 0, 0,
     PV(BacklashAngle(p.jtmax, p.dw[i]))},
    {1, "normal backlash min.", "jnmin", U::Length, "", F::Length, 3, 3, PV(p.jnmin)},
    {1, "normal backlash max.", "jnmax", U::Length, "", F::Length, 3, 3, PV(p.jnmax)},
    {1, "radial backlash min.", "jrmin", U::Length, "", F::Length, 3, 3, PV(p.jrmin)},
    {1, "radial backlash max.", "jrmax", U::Length, "", F::Length, 3, 3, PV(p.jrmax)},
};

bool Premachined(const TGearPairData& p)
{
    return p.q[1] != 0 || p.q[2] != 0;
}

// Gear 1 shows its own stored limit; gear 2 (an internal gear keeps its
// inner dimensions negative) the larger or smaller magnitude of its two.
#define LIMIT(label, sym, own, lo, hi, upper, when)                                                          \
    {                                                                                                        \
        2, label, sym, U::Length, "", F::Length, 5, 3,                                                       \
            PV(i == 1 ? p.own[1] : (upper ? MaxAbsValue(p.lo[2], p.hi[2]) : MinAbsValue(p.lo[2], p.hi[2]))), \
            when                                                                                             \
    }

const TPairRow MeasurementRows[] = {
    {2, "no. of teeth measured", "k", U::Literal, "", F::Int, 6, 0, PV(p.SpanTeeth[i])},
    {2, "span measurement, theor.", "W", U::Length, "", F::Length, 5, 4, PV(p.W_x[i])},
    LIMIT("span meas. premachined, max.", "Wqmax", W_xevmax, W_xevmin, W_xevmax, true, Premachined),
    LIMIT("span meas. premachined, min.", "Wqmin", W_xevmin, W_xevmin, W_xevmax, false, Premachined),
    LIMIT("span meas. finished, max.", "Wmax", W_xemax, W_xemin, W_xemax, true, nullptr),
    LIMIT("span meas. finished, min.", "Wmin", W_xemin, W_xemin, W_xemax, false, nullptr),
    {2, "span meas. tolerance", "TW", U::Length, "", F::Length, 5, 3, PV(p.W_xemax[i] - p.W_xemin[i])},
    {2, "ball/pin diameter", "Dm", U::Length, "", F::Length, 5, 3, PV(p.DM[i])},
    {2, "dimension ov/bw.balls,theor.", "MdK", U::Length, "", F::Length, 5, 3, PV(p.MdK_x[i])},
    LIMIT("dim.ov/bw.balls premach.max.", "MdKqmax", MdK_xevmax, MdK_xevmin, MdK_xevmax, true, Premachined),
    LIMIT("dim.ov/bw.balls premach.min.", "MdKqmin", MdK_xevmin, MdK_xevmin, MdK_xevmax, false, Premachined),
    LIMIT("dim.ov/bw.balls finish.max.", "MdKmax", MdK_xemax, MdK_xemin, MdK_xemax, true, nullptr),
    LIMIT("dim.ov/bw.balls finish.min.", "MdKmin", MdK_xemin, MdK_xemin, MdK_xemax, false, nullptr),
    {2, "deviation dimen.betw.balls", "T MdK", U::Length, "", F::Length, 5, 3,
     PV(p.MdK_xemax[i] - p.MdK_xemin[i])},
    {2, "dim.ov/betw.pins,theor.", "MdR", U::Length, "", F::Length, 5, 3, PV(p.MdR_x[i])},
    LIMIT("dim.ov/bw.pins premach. max.", "MdRqmax", MdR_xevmax, MdR_xevmin, MdR_xevmax, true, Premachined),
    LIMIT("dim.ov/bw.pins premach. min.", "MdRqmin", MdR_xevmin, MdR_xevmin, MdR_xevmax, false, Premachined),
    LIMIT("dim.ov/bw.pins finished max.", "MdRmax", MdR_xemax, MdR_xemin, MdR_xemax, true, nullptr),
    LIMIT("dim.ov/bw.pins finished min.", "MdRmin", MdR_xemin, MdR_xemin, MdR_xemax, false, nullptr),
    {2, "deviation dimen.betw.pins", "T MdR", U::Length, "", F::Length, 5, 3,
     PV(p.MdR_xemax[i] - p.MdR_xemin[i])},
    {2, "control dimension ball-da rack", "MKamax", U::Length, "", F::Length, 5, 3,
     PV(i == 1 ? NotComputed : std::fabs(p.MdK_xemax[2] - p.da[2]) / 2), PW(IsRack(p.z[2]))},
    {2, "control dimension ball-da rack", "MKamin", U::Length, "", F::Length, 5, 3,
     PV(i == 1 ? NotComputed : std::fabs(p.MdK_xemin[2] - p.da[2]) / 2), PW(IsRack(p.z[2]))},
};
#undef LIMIT

#define FT(label, sym, member)                                                                               \
    {                                                                                                        \
        2, label, sym, U::Micro, "", F::Micro, 5, 0, PV(p.member[i])                                         \
    }

const TPairRow IsoFlankRows[] = {
    {2, "Flank tolerance class", "", U::Literal, "", F::Int, 5, 0, PV(p.FlankToleranceClass[i])},
    FT("Profile form tolerance", "ffalphaT", ffalphaT),
    FT("Profile slope tolerance", "fHalphaT", fHalphaT),
    FT("Profile tolerance, total", "FalphaT", FalphaT),
    FT("Single pitch tolerance", "fpT", fpT),
    FT("Adjacent pitch difference tol.", "fuT", fuT),
    FT("Cumulative pitch tolerance, total", "FpT", FpT),
    FT("Sector pitch tolerance k=z/8", "Fpk", Fpk),
    FT("Runout tolerance", "FrT", FrT),
    FT("tooth thickness variation", "Rs", Rs),
    FT("Helix tolerance, total", "FbetaT", FbetaT),
    FT("Helix slope tolerance", "fHbetaT", fHbetaT),
    FT("Helix form tolerance, total", "ffbetaT", ffbetaT),
    FT("Radial composite tolerance, total", "Fi\"", Fi2),
    FT("Radial comp.tol., tooth-to-tooth", "fi\"", fi2),
    FT("Single flank composite tol, total", "FisT", FisT),
    FT("Single flank comp.tol,tooth-to-t.", "fisT", fisT),
};

// The class row's label names the standard, so it is printed apart.
const TPairRow DinFlankRows[] = {
    FT("profile form tolerance", "ff", ffalphaT),    FT("profile slope tolerance", "fHalpha", fHalphaT),
    FT("profile tolerance, total", "Ff", FalphaT),   FT("single pitch tolerance", "fp", fpT),
    FT("adjacent pitch difference", "fu", fuT),      FT("cumulative pitch tol.tot.", "Fp", FpT),
    FT("sector pitch deviation", "Fpk", Fpk),        FT("runout tolerance", "Fr", FrT),
    FT("tooth thickness variation", "Rs", Rs),       FT("helix tolerance, total.", "Fbeta", FbetaT),
    FT("helix slope tolerance.", "fHbeta", fHbetaT), FT("helix form tolerance", "fbeta f", ffbetaT),
    FT("radial composite deviation", "Fi\"", Fi2),   FT("tooth-to-tooth rad.comp.dev.", "fi\"", fi2),
    FT("single flank composite tol.", "Fi'", FisT),  FT("single flank comp.tol.tot.", "fi'", fisT),
};
#undef FT
#undef PV
#undef PW
#undef PT

// The calculation keeps the standard at 0 or 1; any other code has no name.
std::string StandardName(int Code)
{
    return Code >= 0 && Code <= 1 ? ToleranceStandardNames[Code] : "";
}

} // namespace

Extended MaxAbsValue(Extended a, Extended b)
{
    return std::max(std::fabs(a), std::fabs(b));
}
Extended MinAbsValue(Extended a, Extended b)
{
    return std::min(std::fabs(a), std::fabs(b));
}

bool ReportPairTolerancesSection()
{
    const auto& p = GearPair;
    if (!PairSectionHeading("TOLERANCES, BACKLASH")) return false;
    PrintPairRows(BacklashRows);
    if (p.dw[1] == 0 || p.dw[2] == 0)
        AddErrorMessage("Warning: operating pitch diameter dw = 0: no torsional backlash angle");
    PrintReportLine("");
    KeepReportLines(1);
    if (telmvar.Aborted) return false;
    ReportPairMeasurementsBlock();
    ReportPairFlankTolerances();
    return true;
}

void ReportPairMeasurementsBlock()
{
    PrintReportLine("MEASUREMENTS/DIMENSIONS");
    PrintReportLine(GetRuleLine());
    PrintPairRows(MeasurementRows);
}

void ReportPairFlankTolerances()
{
    const auto& p = GearPair;
    if (p.ToleranceStandard == 1) {
        PrintReportLine("");
        KeepReportLines(1);
        PrintReportLine("Flank tolerances according to ISO 1328-1:2013-09");
        PrintReportLine(GetRuleLine());
        PrintPairRows(IsoFlankRows);
    } else if (p.mn > 0.9L) {
        const std::string standard = StandardName(p.ToleranceStandard);
        PrintReportLine("");
        KeepReportLines(1);
        PrintReportLine("ALLOWABLE DEVIATIONS ACC. TO " + standard);
        PrintReportLine(GetRuleLine());
        PrintReportRow2("flank tolerance class to " + standard, "", "",
                        IntToTextBlankPad(p.FlankToleranceClass[1], 5),
                        IntToTextBlankPad(p.FlankToleranceClass[2], 5));
        PrintPairRows(DinFlankRows);
    }
}
