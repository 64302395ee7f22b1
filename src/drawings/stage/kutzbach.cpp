#include "drawings/stage/kutzbach.h"

#include "drawings/stage/kinematicstext.h"
#include "foundation/guardedmath.h"
#include "foundation/planegeo.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/diagrams/diagram.h"
#include "planetary/stage.h"

#include <algorithm>
#include <cmath>

namespace
{

// The radii (mm) and velocities (m/s) of the chart's polyline: sun pitch
// point, inner carrier circle, Pi-Pe contact X, outer carrier circle, ring
// pitch point.
struct TKutzbachPoints {
    Extended rwS = 0, rCi = 0, rCe = 0, rwH = 0;
    Extended vS = 0, vCi = 0, vCe = 0, vH = 0;
    Extended vX = 0, rX = 0;
};

TKutzbachPoints KutzbachPoints()
{
    const TPlanetaryGears& g = PlanetaryGears;
    const TPlanetaryStage& st = PlanetaryStage;
    TKutzbachPoints p;
    p.rCi = std::fabs(g.aInUse[mSPi]);
    p.rCe = std::fabs(g.aInUse[mPeH]);
    p.rwS = g.dw[1][mSPi] / 2;
    p.rwH = std::fabs(g.dw[2][mPeH]) / 2;
    p.vS = PitchLineVelocity(st.n[shaftS] * p.rwS);
    p.vCi = PitchLineVelocity(st.n[shaftC] * p.rCi);
    p.vCe = PitchLineVelocity(st.n[shaftC] * p.rCe);
    p.vH = PitchLineVelocity(st.n[shaftH] * p.rwH);
    // The Pi-Pe contact lies on both planets' velocity lines. Parallel lines
    // only come from a stage turning as one block (or standing): every
    // point is then on the one line and the sun point stands in.
    LineIntersection(p.vX, p.rX, p.vS, p.rwS, p.vCi, p.rCi, p.vCe, p.rCe, p.vH, p.rwH);
    return p;
}

} // namespace

Extended KutzbachVelocityLimit()
{
    const TPlanetaryGears& g = PlanetaryGears;
    const TPlanetaryStage& st = PlanetaryStage;
    // The sun's term is taken by its amount: a sun turning backwards (carrier
    // driving with the ring held, a negative input speed) would otherwise
    // give a limit of 0 or one that cuts the sun's line off.
    Extended v = PitchLineVelocity(
        2 * MaxExt(std::fabs(st.n[shaftS] * g.d[gS]) / 2, std::fabs(st.n[shaftH] * g.d[gH]) / 2));
    const TKutzbachPoints p = KutzbachPoints();
    for (Extended w : {p.vS, p.vCi, p.vX, p.vCe, p.vH})
        if (std::isfinite(w)) v = std::max(v, std::fabs(w));
    // A stage at rest still gets an axis.
    if (!(v > 0) || !std::isfinite(v)) v = 1;
    return v;
}

void KutzbachChart()
{
    const TPlanetaryGears& g = PlanetaryGears;
    const Extended mn = GearPair.mn;
    const TKutzbachPoints p = KutzbachPoints();
    const Extended dwPi1 = g.dw[2][mSPi], dwPi2 = g.dw[1][mPiPe];
    const Extended dwPe1 = g.dw[2][mPiPe], dwPe2 = g.dw[1][mPeH];

    CadSetTextStyle(2, 0, 2.5L, 1.8L);
    const Extended vmax = KutzbachVelocityLimit();
    const Extended tick = 0.2L * vmax;
    SetDiagramScaleType(0);
    SetDiagramSize(100, 100);
    SetDiagramOrigin(12, 10);
    // The radius axis is labelled in the display unit while the data stay
    // in mm. It ends at the ring's reference radius; a helical ring's
    // operating pitch circle may lie above it and its lines are clipped.
    DrawDiagramAxes("v [m/s]", LengthUnitLabel(), "Kutzbach Chart    ", -vmax, 0, vmax,
                    LengthForDisplay(std::abs(g.z[gH]) * mn / 2), 0);
    ScaleDiagramRange(1, LengthForDisplay(1));
    // The frame leaves its scale numbers' style; the labels take the chart's.
    CadSetTextStyle(2, 0, 2.5L, 1.8L);

    auto tickAt = [&](Extended R, const char* Label) {
        DiagramLine(-tick, R, tick, R);
        DiagramText(Label, tick, R);
    };
    CadSetLayer(19);
    DiagramLine(0, 0, 0, g.z[gS] * mn / 2);
    tickAt(p.rwS, "S");
    DiagramArc(0, 0, 0, 180, p.rwS);
    CadSetLayer(1);
    DiagramArc(0, 0, 0, 180, g.d[gS] / 2);

    CadSetLayer(21);
    tickAt(p.rCi, "Ci");
    DiagramCircle(0, p.rCi, dwPi1 / 2);
    DiagramCircle(0, p.rCi, dwPi2 / 2);
    CadSetLayer(1);
    DiagramCircle(0, p.rCi, g.d[gPi] / 2);

    CadSetLayer(21);
    tickAt(p.rCe, "Ce");
    DiagramCircle(0, p.rCe, dwPe1 / 2);
    DiagramCircle(0, p.rCe, dwPe2 / 2);
    CadSetLayer(1);
    DiagramCircle(0, p.rCe, g.d[gPe] / 2);
    DiagramArc(0, 0, 60, 120, std::fabs(g.d[gH]) / 2);

    CadSetLayer(18);
    tickAt(p.rwH, "H");
    DiagramArc(0, 0, 60, 120, p.rwH);
    CadSetLayer(2);
    DiagramLine(0, 0, 0, p.rwH);

    // Velocity along the radial line: the sun from the centre, the inner
    // planet through its carrier point to the Pi-Pe contact X, the outer
    // planet on to the ring's pitch point, back to the axis.
    CadSetLayer(5);
    DiagramMoveTo(0, 0);
    DiagramLineTo(p.vS, p.rwS);
    DiagramLineTo(p.vCi, p.rCi);
    DiagramLineTo(p.vX, p.rX);
    DiagramLineTo(p.vCe, p.rCe);
    DiagramLineTo(p.vH, p.rwH);
    DiagramLineTo(0, p.rwH);

    CadSetLayer(19);
    CadMoveTo(120, 114);
    CadSetTextStyle(0, 0, 2.0L, 1.5L);
    KinematicsTextBlock();

    // The diagram layout back for the next diagram.
    SetDiagramSize(160, 120);
    SetDiagramOrigin(0, 0);
}
