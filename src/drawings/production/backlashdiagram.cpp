// The tooth-thickness tolerance and backlash diagram of a gear pair: the
// tolerance fields of both gears about a zero line, once with the largest
// centre distance (largest normal backlash jn max) and once with the
// smallest (jn min), and the data the diagram is drawn from.
#include "drawings/production/annotation.h"
#include "drawings/production/productiontables.h"

#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/caddimensions.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "reports/engine/reportservices.h"

#include <cmath>

namespace
{

Extended TanAlpha()
{
    return std::tan(DegToRad(GearPair.alpha));
}

// The x positions of one panel. Gear 1's field lies left of the zero line,
// gear 2's right of it; each is measured from its own reference, half the
// centre-distance share J / 2 away from the zero line.
struct TPanel {
    Extended Ref1, Max1, Min1; // gear 1: reference, s1 max (Asne1), s1 min (Asni1)
    Extended Ref2, Max2, Min2; // gear 2
};

TPanel PanelPositions(Extended X0, Extended K, Extended J)
{
    const auto& g = GearPair;
    TPanel p;
    p.Ref1 = X0 - K * J / 2;
    p.Max1 = X0 - K * (J / 2 - g.Asne[1]);
    p.Min1 = X0 - K * (J / 2 - g.Asni[1]);
    p.Ref2 = X0 + K * J / 2;
    p.Max2 = X0 + K * (J / 2 - g.Asne[2]);
    p.Min2 = X0 + K * (J / 2 - g.Asni[2]);
    return p;
}

void Dimension(const std::string& Text, Extended X1, Extended X2, Extended Yb, Extended Yd)
{
    CadHorizontalDimension(Text, "", "", X1, Yb, X2, Yb, Yd);
}

void Rule(Extended X, Extended Y1, Extended Y2)
{
    CadLine(X, Y1, X, Y2);
}

} // namespace

bool BacklashDiagramDrawable()
{
    const auto& g = GearPair;
    const Extended jmax = 2 * g.Aa * TanAlpha();
    return jmax - g.Asni[1] - g.Asni[2] > 0;
}

void WriteBacklashTable(const std::string& MeshCaption)
{
    const auto& g = GearPair;
    const Extended tanA = TanAlpha();
    const Extended jmax = 2 * g.Aa * tanA;
    const Extended jmin = 2 * g.Aai * tanA;
    // The scale makes the largest backlash 100 units wide. It is 0 or
    // negative not only when all allowances are 0 but also with Aa = 0,
    // no lower tooth-thickness allowances and a negative Aai: there is no
    // diagram to draw then.
    const Extended span = jmax - g.Asni[1] - g.Asni[2];
    if (!(span > 0)) {
        if (reportservices.ShowMessageIfEnabled)
            reportservices.ShowMessageIfEnabled("not for tolerance = 0 !");
        return;
    }
    const Extended k = 100 / span;
    const Extended x0 = k * (jmax / 2 - g.Asni[1]) + 5;

    SetDimensionScale(0.5L);
    CadSetLayer(5);

    // jn max: the panel between y 15 and 25.
    const TPanel a = PanelPositions(x0, k, jmax);
    CadRectangle(a.Min1, 15, a.Min2, 25);
    CadSetLayer(3);
    for (Extended x : {a.Ref1, a.Ref2, a.Max1, a.Max2})
        Rule(x, 15, 25);
    if (g.Aa != 0) Dimension("2 Aae tan(al)", a.Ref1, a.Ref2, 25, 28.5L);
    if (g.Asne[1] != 0) Dimension("Asne1", a.Ref1, a.Max1, 25, 30.5L);
    Dimension("Asni1", a.Ref1, a.Min1, 25, 32.5L);
    Dimension("Tsn1", a.Min1, a.Max1, 25, 34.5L);
    if (g.Asne[2] != 0) Dimension("Asne2", a.Max2, a.Ref2, 25, 30.5L);
    Dimension("Asni2", a.Ref2, a.Min2, 25, 32.5L);
    Dimension("Tsn2", a.Max2, a.Min2, 25, 34.5L);
    Dimension("jn max", a.Min1, a.Min2, 25, 37.5L);
    CadSetLayer(4);
    CadSetTextStyle(2, 0, 2.0L, 1.4L);
    SetCadTextAlign(1, 2);
    CadText(x0, 14, "0");
    CadText(a.Max1, 14, "s1 max");
    CadText(a.Min1, 11, "s1 min");
    CadText(a.Max2, 14, "s2 max");
    CadText(a.Min2, 11, "s2 min");
    SetCadTextAlign(0, 0);

    // jn min: the panel between y 70 and 80, the tolerance fields hatched.
    const TPanel b = PanelPositions(x0, k, jmin);
    CadSetLayer(5);
    CadRectangle(b.Min1, 70, b.Min2, 80);
    HatchRectangle(b.Min1, 70, b.Max1, 80, 3, 45);
    HatchRectangle(b.Max2, 70, b.Min2, 80, 3, -45);
    CadSetLayer(3);
    for (Extended x : {b.Ref1, b.Ref2})
        Rule(x, 70, 80);
    if (g.Aai != 0) Dimension("2 Aai tan(al)", b.Ref1, b.Ref2, 80, 83.5L);
    if (g.Asne[1] != 0) Dimension("Asne1", b.Ref1, b.Max1, 80, 85.5L);
    Dimension("Asni1", b.Ref1, b.Min1, 80, 87.5L);
    Dimension("Tsn1", b.Min1, b.Max1, 80, 89.5L);
    if (g.Asne[2] != 0) Dimension("Asne2", b.Max2, b.Ref2, 80, 85.5L);
    Dimension("Asni2", b.Ref2, b.Min2, 80, 87.5L);
    Dimension("Tsn2", b.Max2, b.Min2, 80, 89.5L);
    Dimension("jn min", b.Max1, b.Max2, 80, 92.5L);
    CadSetLayer(4);
    CadSetTextStyle(2, 0, 2.0L, 1.4L);
    SetCadTextAlign(1, 2);
    CadText(x0, 69, "0");
    CadText(b.Max1, 69, "s1 max");
    CadText(b.Min1, 66, "s1 min");
    CadText(b.Max2, 69, "s2 max");
    CadText(b.Min2, 66, "s2 min");
    SetCadTextAlign(0, 0);
    SetDimensionScale(1.0L);

    // The data of the diagram, line by line beside it.
    CadMoveTo(112, 100);
    CadSetTextStyle(2, 0, 2.5L, 1.8L);
    CadTextLine("tooth thickness tolerance and backlash  " + MeshCaption);
    CadSetTextStyle(2, 0, 2.0L, 1.4L);
    for (int i = 1; i <= 2; ++i) {
        const std::string s = std::to_string(i);
        DimensionValueLine("Asne" + s, g.Asne[i]);
        DimensionValueLine("Asni" + s, g.Asni[i]);
        DimensionValueLine("Tsn" + s, g.Tsn[i]);
        ValueLine("x" + s, g.x[i]);
        CadTextLine("xE = x + Asn/(2*mn*tan(al))");
        ValueLine("xE" + s + "min", g.xemin[i]);
        ValueLine("xE" + s + "max", g.xemax[i]);
        CadTextLine(" ");
    }
    DimensionValueLine("a", g.a);
    DimensionValueLine("Aae", g.Aa);
    DimensionValueLine("Aai", g.Aai);
    DimensionValueLine("2 Aae tan(al)", jmax);
    DimensionValueLine("2 Aai tan(al)", jmin);
    CadTextLine(" ");
    CadTextLine("jn max = 2 Aae tan(al) - Asni1 - Asni2");
    CadTextLine("jn min = 2 Aai tan(al) - Asne1 - Asne2");
    CadTextLine(" ");
    DimensionValueLine("jtmin", g.jtmin);
    DimensionValueLine("jtmax", g.jtmax);
}
