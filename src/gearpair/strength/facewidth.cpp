#include "gearpair/strength/facewidth.h"

#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"

void EffectiveFaceWidths(TFaceWidthPair& g)
{
    PairArray<Extended> w{};
    for (int i = 1; i <= 2; ++i) {
        if (g.b[i] == 0) g.b[i] = g.b_effH;
        if (g.bcha[i] > 0.4L * g.b[i]) g.bcha[i] = 0;
        w[i] = g.b[i] - 2 * g.bcha[i];
    }
    // Axial coordinate from the middle of the pinion's face width.
    const Extended left1 = -w[1] / 2 - g.bcha[1], right1 = w[1] / 2 + g.bcha[1];
    const Extended left2 = g.bctr - w[2] / 2 - g.bcha[2], right2 = g.bctr + w[2] / 2 + g.bcha[2];
    const Extended L = MaxExt(g.bctr - w[2] / 2, -w[1] / 2);
    const Extended R = MinExt(g.bctr + w[2] / 2, w[1] / 2);
    g.b_effH = R - L;
    // The root of the wider gear carries load one module beyond the contact.
    const Extended lefts[] = {left1, left2}, rights[] = {right1, right2};
    for (int i = 1; i <= 2; ++i) {
        const Extended A = MaxExt(lefts[i - 1], L - g.mn);
        const Extended B = MinExt(rights[i - 1], R + g.mn);
        g.b_effF[i] = B - A;
    }
}

void CalcEffectiveFaceWidth()
{
    TGearPairData& g = GearPair;
    TFaceWidthPair p{g.b, g.bcha, g.bctr, g.mn, g.b_effH, g.b_effF};
    EffectiveFaceWidths(p);
    g.b = p.b;
    g.bcha = p.bcha;
    g.b_effH = p.b_effH;
    g.b_effF = p.b_effF;
}

TEffectiveFaceWidths CalcStageFaceWidths(const TArray<Extended, 1, 4>& b, const TArray<Extended, 1, 4>& bcha,
                                         const TArray<Extended, 1, 3>& bctr,
                                         const TArray<Extended, 1, 3>& b_effH, Extended mn)
{
    TEffectiveFaceWidths w;
    for (int i = 1; i <= 3; ++i) {
        TFaceWidthPair p;
        p.b[1] = b[i];
        p.b[2] = b[i + 1];
        p.bcha[1] = bcha[i];
        p.bcha[2] = bcha[i + 1];
        p.bctr = bctr[i];
        p.mn = mn;
        p.b_effH = b_effH[i];
        EffectiveFaceWidths(p);
        w.H[i] = p.b_effH;
        w.F1[i] = p.b_effF[1];
        w.F2[i] = p.b_effF[2];
    }
    return w;
}
