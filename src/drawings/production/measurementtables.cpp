// Measurement values for checking the tooth thickness: dimension over or
// between balls and pins and the span, each as theoretical value and as
// premachining and finishing limits.
#include "drawings/production/productiontables.h"
#include "drawings/production/tablevalues.h"

#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadtable.h"

#include <cmath>

using namespace productiontables;

namespace
{

std::string Length3(Extended V)
{
    return FormatLengthFixed(3, 3, V);
}
std::string Length4(Extended V)
{
    return FormatLengthFixed(3, 4, V);
}

// "min/max" of a measurement row of the measurement sheet, 3 decimals.
std::string MinMax(Extended Min, Extended Max)
{
    return TrimBlanks(LengthToTextDecimals(3, Min)) + "/" + TrimBlanks(LengthToTextDecimals(3, Max));
}

} // namespace

void WriteMeasurementTable(int Gear)
{
    if (telmvar.FatalCalcError) return;
    const auto& g = GearPair;
    const int n = Gear;
    TCadTable t;
    t.Init(0, 100, 3.5L, {27, 9, 9}, {"measurement   (" + g.PartNumber[n] + ")", "premach.", "fin."});
    const std::string dm = Length3(std::fabs(g.DM[n]));
    t.AddRow("pin diameter DM", dm, dm);
    t.AddValueRow("dim.ov/betw.pins  MdR theor.", Length4(std::fabs(g.MdR_x[n])));
    const TMeasuredPair r = MeasuredPair(n, g.MdR_xevmin[n], g.MdR_xevmax[n], g.MdR_xemin[n], g.MdR_xemax[n]);
    t.AddRow("dim.ov/betw.pins  MdR max.", Length3(r.PreMax), Length3(r.FinMax));
    t.AddRow("dim.ov/betw.pins  MdR min.", Length3(r.PreMin), Length3(r.FinMin));
    t.AddRow("ball diameter DM", dm, dm);
    t.AddValueRow("dim.ov/betw.balls  MdK theor.", Length4(std::fabs(g.MdK_x[n])));
    const TMeasuredPair b = MeasuredPair(n, g.MdK_xevmin[n], g.MdK_xevmax[n], g.MdK_xemin[n], g.MdK_xemax[n]);
    t.AddRow("dim.ov/betw.balls  MdK max.", Length3(b.PreMax), Length3(b.FinMax));
    t.AddRow("dim.ov/betw.balls  MdK min.", Length3(b.PreMin), Length3(b.FinMin));
    const std::string k = IntToTextBlankPad(g.SpanTeeth[n], 6);
    t.AddRow("no. of teeth measured k", k, k);
    t.AddValueRow("span measure W theor.", Length4(g.W_x[n]));
    const TMeasuredPair w = MeasuredPair(n, g.W_xevmin[n], g.W_xevmax[n], g.W_xemin[n], g.W_xemax[n]);
    t.AddRow("span measure W max.", Length3(w.PreMax), Length3(w.FinMax));
    t.AddRow("span measure W min.", Length3(w.PreMin), Length3(w.FinMin));
    t.Done();
}

void WriteMeasurementColumns(int Gear, int Heading, int Short, Extended X, Extended Y, Extended H)
{
    const auto& g = GearPair;
    const int n = Gear;
    CadSetLayer(19);
    TCadTable t;
    if (Heading == 1)
        t.InitEx(0, X, Y, H, {16, 6, 7, 7}, {g.PartNumber[n], "", "premach.", "fin."});
    else
        t.InitEx(0, X, Y, H, {16, 6, 6, 6}, {"measurement", "", "premach.", "fin."});
    const std::string dm = Length3(std::fabs(g.DM[n]));
    t.AddRow("ball diameter", "DM", dm, dm);
    if (Short != 1) t.AddValueUnitRow("dim.ov/betw.balls", "MK nom", Length4(std::fabs(g.MdK_x[n])));
    const TMeasuredPair b = MeasuredPair(n, g.MdK_xevmin[n], g.MdK_xevmax[n], g.MdK_xemin[n], g.MdK_xemax[n]);
    t.AddRow("dim.ov/betw.balls", "MK max", Length3(b.PreMax), Length3(b.FinMax));
    t.AddRow("dim.ov/betw.balls", "MK min", Length3(b.PreMin), Length3(b.FinMin));
    const std::string k = IntToTextBlankPad(g.SpanTeeth[n], 6);
    t.AddRow("no. of teeth measured", "k", k, k);
    if (Short != 1) t.AddValueUnitRow("span measure", "W nom", Length4(g.W_x[n]));
    const TMeasuredPair w = MeasuredPair(n, g.W_xevmin[n], g.W_xevmax[n], g.W_xemin[n], g.W_xemax[n]);
    t.AddRow("span measure", "W max", Length3(w.PreMax), Length3(w.FinMax));
    t.AddRow("span measure", "W min", Length3(w.PreMin), Length3(w.FinMin));
    t.Done();
}

void WriteGearMeasurementSheet(int Gear, int Kind)
{
    const auto& g = GearPair;
    const int n = Gear;
    const int o = OtherGear(n);
    const bool internal = IsInternal(n);
    TCadTable t;
    t.Init(0, 150, 5, {22, 10, 12}, {});
    t.AddRow(g.beta == 0 ? "spur gear" : "helical gear", "", internal ? "intern. toothed" : "extern.toothed");
    t.AddRow("normal module", "mn", LengthToText(g.mn));
    t.AddRow("no. of teeth", "z", IntToText(g.z[n]));
    t.AddRow("basic rack", "", g.ProfileName[n]);
    t.AddRow("helix angle", "beta", AngleToText(g.beta));
    t.AddRow("tooth alignment", "", ToothAlignmentText(n));
    t.AddRow("pressure angle", "alfa", AngleToText(g.alpha));
    t.AddRow("profile shift coeff.", "x", FloatToSignificant(g.x[n]));
    t.AddRow("flank tolerance class", "",
             IntToText(g.FlankToleranceClass[n]) + " " + FlankToleranceStandardText(g.ToleranceStandard));
    t.AddRow("tolerance zone DIN 3967", "", g.ToleranceZone[n]);
    t.AddRow("center distance of housing", "a",
             TrimBlanks(LengthToText(g.a)) + " " +
                 (g.AaField < 9 ? CentreDistanceFieldText(g.AaField) : DeviationPairToText(g.Aa, g.Aai)));

    // Without a machining allowance the premachining values are the
    // finishing values: their rows would only repeat them.
    const bool premachined = g.q[n] > 0;
    if (Kind == 1 || Kind == 2) {
        const bool balls = Kind == 1;
        const char* what = balls ? "dim.ov/betw.balls" : "dim.ov/betw.pins";
        const char* symbol = balls ? "MdK min./max." : internal ? "MdR min./max." : "mdr min./max.";
        const TMeasuredPair p =
            balls ? MeasuredPair(n, g.MdK_xevmin[n], g.MdK_xevmax[n], g.MdK_xemin[n], g.MdK_xemax[n])
                  : MeasuredPair(n, g.MdR_xevmin[n], g.MdR_xevmax[n], g.MdR_xemin[n], g.MdR_xemax[n]);
        t.AddRow(balls ? "ball diameter" : "pin diameter", "DM",
                 TrimBlanks(LengthToTextDecimals(3, std::fabs(g.DM[n]))));
        if (premachined) t.AddRow(std::string(what) + " premach.", symbol, MinMax(p.PreMin, p.PreMax));
        t.AddRow(std::string(what) + " fin.", symbol, MinMax(p.FinMin, p.FinMax));
    } else if (Kind == 3) {
        const TMeasuredPair w = MeasuredPair(n, g.W_xevmin[n], g.W_xevmax[n], g.W_xemin[n], g.W_xemax[n]);
        t.AddRow("no. of teeth measured", "k", IntToText(g.SpanTeeth[n]));
        if (premachined) t.AddRow("span measure premach.", "W min./max.", MinMax(w.PreMin, w.PreMax));
        t.AddRow("span measure fin.", "W min./max.", MinMax(w.FinMin, w.FinMax));
    }
    t.AddRow("complem.gear part No.", "", g.PartNumber[o]);
    t.AddRow("complem.gear no. of teeth", "", IntToText(g.z[o]));
    t.Done();
}
