// Test dimensions of the four gears: span, balls and pins.
#include "foundation/numbertext.h"
#include "foundation/unitsys.h"
#include "planetary/stage.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/stage/planetaryreport.h"
#include "reports/stage/reportformat.h"

#include <algorithm>
#include <cmath>

namespace
{

Extended MaxAbsValue(Extended a, Extended b)
{
    return std::max(std::fabs(a), std::fabs(b));
}
Extended MinAbsValue(Extended a, Extended b)
{
    return std::min(std::fabs(a), std::fabs(b));
}

// The ring's limits can run the other way: its max. row shows the larger
// magnitude, its min. row the smaller one.
void LimitRow(const char* Label, const char* Symbol, const GearArray& Own, const GearArray& Lower,
              const GearArray& Upper, bool UpperRow)
{
    const auto H = UpperRow ? MaxAbsValue(Lower[gH], Upper[gH]) : MinAbsValue(Lower[gH], Upper[gH]);
    PrintReportRow4(Label, Symbol, LengthUnitLabel(), Len(3, 3, Own[gS]), Len(3, 3, Own[gPi]),
                    Len(3, 3, Own[gPe]), Len(3, 3, H));
}

void ValueRow(const char* Label, const char* Symbol, const GearArray& V)
{
    GearRow(Label, Symbol, LengthUnitLabel(), [&](int k) { return Len(3, 3, V[k]); });
}

void DifferenceRow(const char* Label, const char* Symbol, const GearArray& Upper, const GearArray& Lower)
{
    GearRow(Label, Symbol, LengthUnitLabel(), [&](int k) { return Len(3, 3, Upper[k] - Lower[k]); });
}

} // namespace

void ReportMeasurementsBlock()
{
    const auto& g = PlanetaryGears;
    const bool premachined = g.q[gS] != 0 || g.q[gPi] != 0;
    PrintReportLine("MEASUREMENTS/DIMENSIONS");
    PrintReportLine(GetRuleLine());
    GearRow("no. of teeth measured", "k", "",
            [&](int k) { return IntToTextBlankPad(g.SpanTeethInUse[k], 6); });
    ValueRow("span measurement, theor.", "W", g.W_x);
    if (premachined) {
        LimitRow("span meas. premachined, max.", "Wqmax", g.W_xevmax, g.W_xevmin, g.W_xevmax, true);
        LimitRow("span meas. premachined, min.", "Wqmin", g.W_xevmin, g.W_xevmin, g.W_xevmax, false);
    }
    LimitRow("span meas. finished, max.", "Wmax", g.W_xemax, g.W_xemin, g.W_xemax, true);
    LimitRow("span meas. finished, min.", "Wmin", g.W_xemin, g.W_xemin, g.W_xemax, false);
    DifferenceRow("span meas. tolerance", "TW", g.W_xemax, g.W_xemin);
    ValueRow("ball/pin diameter", "Dm", g.DM);
    ValueRow("dimension ov/bw.balls,theor.", "MdK", g.MdK_x);
    if (premachined) {
        LimitRow("dim.ov/bw.balls premach.max.", "MdKqmax", g.MdK_xevmax, g.MdK_xevmin, g.MdK_xevmax, true);
        LimitRow("dim.ov/bw.balls premach.min.", "MdKqmin", g.MdK_xevmin, g.MdK_xevmin, g.MdK_xevmax, false);
    }
    LimitRow("dim.ov/bw.balls finish.max.", "MdKmax", g.MdK_xemax, g.MdK_xemin, g.MdK_xemax, true);
    LimitRow("dim.ov/bw.balls finish.min.", "MdKmin", g.MdK_xemin, g.MdK_xemin, g.MdK_xemax, false);
    DifferenceRow("deviation dimen.betw.balls", "T MdK", g.MdK_xemax, g.MdK_xemin);
    ValueRow("dim.ov/betw.pins,theor.", "MdR", g.MdR_x);
    if (premachined) {
        LimitRow("dim.ov/bw.pins premach. max.", "MdRqmax", g.MdR_xevmax, g.MdR_xevmin, g.MdR_xevmax, true);
        LimitRow("dim.ov/bw.pins premach. min.", "MdRqmin", g.MdR_xevmin, g.MdR_xevmin, g.MdR_xevmax, false);
    }
    LimitRow("dim.ov/bw.pins finished max.", "MdRmax", g.MdR_xemax, g.MdR_xemin, g.MdR_xemax, true);
    LimitRow("dim.ov/bw.pins finished min.", "MdRmin", g.MdR_xemin, g.MdR_xemin, g.MdR_xemax, false);
    DifferenceRow("deviation dimen.betw.pins", "T MdR", g.MdR_xemax, g.MdR_xemin);
}
