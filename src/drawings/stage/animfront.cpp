#include "drawings/stage/animfront.h"

#include "drawings/stage/frontviews.h"
#include "drawings/stage/stagewheels.h"
#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "planetary/stage.h"

#include <cmath>

void PlanetFrontView()
{
    // The animation's wheels show their marks but no bores: a frame is
    // drawn twice (once to erase it), every circle counts.
    TWheelBlockOptions o;
    o.Marks = true;
    o.PlanetBores = false;
    o.SunBlock = "RADSI";
    DefineWheelBlocks(o);
}

void AnimToothRing(int16_t g)
{
    DrawToothRing(g);
}

void AnimFrontView(Extended PhiS, Extended PhiPi, Extended PhiPe, Extended PhiH, Extended PhiC, Extended)
{
    const TStageWheelPlaces w = StageWheelPlaces();
    const Extended c = std::cos(PhiC * Pi / 180), s = std::sin(PhiC * Pi / 180);
    const auto insert = [](const char* Name, Extended X, Extended Y, Extended Angle) {
        CadInsertBlock(Name, X, Y, Angle, 1, 1);
    };
    CadSetLayer(0);
    insert("RADH", 0, 0, PhiH);
    for (const TPlanetSetPlace& p : w.Sets) {
        insert("CARRIER", 0, 0, p.Angle * 180 / Pi - 90 + PhiC);
        insert("RADPE", c * p.OuterX - s * p.OuterY, s * p.OuterX + c * p.OuterY, p.OuterPhase + PhiPe);
        insert("RADPI", c * p.InnerX - s * p.InnerY, s * p.InnerX + c * p.InnerY, p.InnerPhase + PhiPi);
    }
    insert("RADSI", 0, 0, w.SunPhase + PhiS);
    CadCircle(0, 0, 0.01L * PlanetaryGears.d[gS]);
}

void StageSchematicFrame(Extended PhiS, Extended PhiPi, Extended PhiPe, Extended PhiH, Extended PhiC,
                         Extended)
{
    const auto& g = PlanetaryGears;
    const Extended mn = GearPair.mn;
    const Extended rwS = g.dw[1][mSPi] / 2, rwH = std::fabs(g.dw[2][mPeH]) / 2;
    const Extended r1 = g.aInUse[mSPi], r3 = std::fabs(g.aInUse[mPeH]);
    const Extended dwPi1 = g.dw[2][mSPi], dwPi2 = g.dw[1][mPiPe];
    const Extended dwPe1 = g.dw[2][mPiPe], dwPe2 = g.dw[1][mPeH];
    const int q = GearPair.qp;

    CadSetLayer(21);
    CadLine(rwS * std::cos(PhiS - Pi), rwS * std::sin(PhiS - Pi), rwS * std::cos(PhiS), rwS * std::sin(PhiS));
    CadCircle(0, 0, rwS);

    CadSetLayer(19);
    CadLine(rwH * std::cos(PhiH), rwH * std::sin(PhiH), (rwH + mn) * std::cos(PhiH),
            (rwH + mn) * std::sin(PhiH));
    CadCircle(0, 0, rwH);

    // Planet centres: the outer ones from -pi (the first set on the -x
    // side), the inner ones turned on by the offset angle.
    const auto setAngle = [&](int i) { return 2 * Pi * i / q + PhiC - Pi; };
    const auto planet = [](Extended X, Extended Y, Extended D1, Extended D2, Extended Phi) {
        CadCircle(X, Y, D1 / 2);
        CadCircle(X, Y, D2 / 2);
        const Extended dx = D1 / 2 * std::cos(Phi), dy = D1 / 2 * std::sin(Phi);
        CadLine(X - dx, Y - dy, X + dx, Y + dy);
    };
    CadSetLayer(18);
    for (int i = 0; i < q; ++i) {
        const Extended t = setAngle(i) + PlanetaryStage.PhiSun;
        planet(r1 * std::cos(t), r1 * std::sin(t), dwPi1, dwPi2, PhiPi);
    }
    CadSetLayer(17);
    for (int i = 0; i < q; ++i) {
        const Extended t = setAngle(i);
        planet(r3 * std::cos(t), r3 * std::sin(t), dwPe1, dwPe2, PhiPe);
    }
    CadSetLayer(5);
    for (int i = 0; i < q; ++i) {
        const Extended t = setAngle(i);
        const Extended ti = t + PlanetaryStage.PhiSun;
        CadMoveTo(0, 0);
        CadLineTo(r3 * std::cos(t), r3 * std::sin(t));
        CadLineTo(r1 * std::cos(ti), r1 * std::sin(ti));
        CadLineTo(0, 0);
    }
}
