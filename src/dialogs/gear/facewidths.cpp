#include "dialogs/gear/facewidths.h"

#include "gearpair/gearpairdata.h"
#include "gearpair/strength/facewidth.h"

TEffectiveFaceWidths CalcStageFaceWidths(const GearArray& b, const GearArray& bcha, const MeshArray& bctr, Extended mn)
{
    TGearPairData& p = GearPair;
    // Everything CalcEffectiveFaceWidth reads or writes.
    const PairArray<Extended> keepB = p.b, keepCha = p.bcha, keepF = p.b_effF;
    const Extended keepH = p.b_effH, keepCtr = p.bctr, keepMn = p.mn;
    TEffectiveFaceWidths w;
    p.mn = mn;
    for (int i = 1; i <= 3; ++i) {
        p.b[1] = b[i];
        p.b[2] = b[i + 1];
        p.bcha[1] = bcha[i];
        p.bcha[2] = bcha[i + 1];
        p.bctr = bctr[i];
        p.b_effH = PlanetaryGears.b_effH[i];
        CalcEffectiveFaceWidth();
        w.H[i] = p.b_effH;
        w.F1[i] = p.b_effF[1];
        w.F2[i] = p.b_effF[2];
    }
    p.b = keepB;
    p.bcha = keepCha;
    p.b_effF = keepF;
    p.b_effH = keepH;
    p.bctr = keepCtr;
    p.mn = keepMn;
    return w;
}

void StoreStageFaceWidths(const TEffectiveFaceWidths& W)
{
    TPlanetaryGears& g = PlanetaryGears;
    for (int i = 1; i <= 3; ++i) {
        g.b_effH[i] = W.H[i];
        g.b_effF[1][i] = W.F1[i];
        g.b_effF[2][i] = W.F2[i];
    }
}
