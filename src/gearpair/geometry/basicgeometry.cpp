#include <cmath>
#include <string>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/measuring.h"

namespace
{

// Gear 2 of an external pair runs with the opposite hand, an internal one
// with the same hand; "free" stays free.
void SetMatingToothAlignment(TGearPairData& g)
{
    const bool internal = g.z[2] < 0;
    switch (g.ToothAlignment[1]) {
    case 1:
        g.ToothAlignment[2] = internal ? 1 : 2;
        break;
    case 2:
        g.ToothAlignment[2] = internal ? 2 : 1;
        break;
    case 3:
        g.ToothAlignment[2] = 3;
        break;
    default:
        break;
    }
}

} // namespace

void Unit0()
{
    auto& g = GearPair;
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : Unit0");
        return;
    }
    if (!(g.alpha >= 5 && g.alpha <= 45)) {
        AddFatalMessage("Fatal  : alpha !");
        return;
    }
    if (std::fabs(g.beta) > 45) AddErrorMessage("Fatal  : beta > 45!");
    if (!(g.mn > 0)) {
        AddFatalMessage("Fatal  : mn <= 0!");
        return;
    }
    if (!(g.b_effH > 0)) {
        AddFatalMessage("Fatal  : b <= 0!");
        return;
    }
    for (int i = 1; i <= 2; ++i) {
        if (std::abs(g.z[i]) < 2) {
            AddFatalMessage("Fatal  : z" + std::to_string(i) + " < 2!");
            return;
        }
    }
    if (std::abs(g.z[2]) < std::abs(g.z[1])) AddErrorMessage("Error  : z2 < z1 !");
    if (g.z[1] < 0) AddErrorMessage("Error  : z1 < 0 !");

    for (int i = 1; i <= 2; ++i) {
        if (g.b[i] <= 0) g.b[i] = g.b_effH;
        if (g.alphakP0[i] == 0) g.alphakP0[i] = g.alpha;
        g.HasChamfer[i] = g.alphakP0[i] != g.alpha ? 1 : 0;
        if (g.HasChamfer[i] == 0) g.hFfP0_mn[i] = g.hfP0_mn[i];
    }

    g.alpha_rad = DegToRad(g.alpha);
    g.beta_rad = DegToRad(g.beta);
    g.Pn = 25.4L / g.mn;
    SetMatingToothAlignment(g);
    // The functions of the pressure and helix angles the meshes share;
    // alpha_t is atan(tan alpha_n / cos beta). Read where they are kept:
    // nothing below forms those of other angles.
    const TProfileAngles& pa = ProfileAnglesOf(g.beta_rad, g.alpha_rad);
    const Extended cosBeta = pa.CosBeta;
    g.mt = g.mn / cosBeta;
    for (int i = 1; i <= 2; ++i)
        g.d[i] = g.z[i] * g.mt;
    g.alpha_t = pa.Alphat;
    const Extended sinAlpha = pa.SinAlphan;
    g.zg = 2 / (sinAlpha * sinAlpha);
    g.zg_p = 0.8333333333333334L * g.zg;
    for (int i = 1; i <= 2; ++i)
        g.x_min[i] = (g.zg_p - g.z[i] / IntPower(cosBeta, 3)) / g.zg;
    // An internal gear has no undercut limit of this kind.
    if (g.z[2] < 0) g.x_min[2] = 0;
    if (g.z[2] < 0 && g.dB[2] > 0) g.dB[2] = -g.dB[2];
    g.a0 = (g.mn / 2) / cosBeta * (g.z[1] + g.z[2]);
}

TGeometryAngles GeometryAnglesOf(const TGearPairData& g)
{
    TGeometryAngles angles{ProfileAnglesOf(g.beta_rad, g.alpha_rad), {}, {}};
    angles.Transverse = PairTransverseAnglesOf(angles.Profile, g.alpha_t, g.beta_b);
    return angles;
}

void CalcProfileShiftSum()
{
    const TProfileAngles pa = ProfileAnglesOf(GearPair.beta_rad, GearPair.alpha_rad);
    CalcProfileShiftSum(pa);
}

void CalcProfileShiftSum(const TProfileAngles& pa)
{
    auto& g = GearPair;
    if (telmvar.FatalCalcError) return;
    if (g.a == 0) {
        g.alpha_wt = 0;
        g.x_sum = 0;
        return;
    }
    const TPairTransverseAngles t = PairTransverseAnglesOf(pa, g.alpha_t, g.beta_b);
    const Extended cosAlphaT = t.CosAlphat;
    Extended c = cosAlphaT * (g.d[1] + g.d[2]) / 2 / g.a;
    if (c > 1 || c < 0) {
        AddErrorMessage("cent.distance corr. !");
        g.a0 = (g.mn / 2) / KeptCos(g.beta_rad) * (g.z[1] + g.z[2]);
        if (PercentDeviation(g.a, g.a0) > 20) g.a = g.a0;
        c = cosAlphaT * (g.d[1] + g.d[2]) / 2 / g.a;
    }
    g.alpha_wt = SafeArcCos(c);
    // DIN 3960: inv alpha_wt = inv alpha_t + 2 tan alpha_n (x1 + x2) / (z1 + z2).
    g.x_sum = (Involute(g.alpha_wt) - t.InvAlphat) * (g.z[1] + g.z[2]) / 2 / pa.TanAlphan;
}
