#include <cmath>
#include <limits>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/measuring.h"
#include "gearpair/toothform.h"

namespace
{

// Specific sliding at a root is -infinite at the interference point; such
// values are shown as -999.
Extended LimitRootSliding(Extended zeta)
{
    return std::fabs(zeta) > 1000 ? -999 : zeta;
}

} // namespace

TPitchPointRadii PitchPointRadiiOf(const TGearPairData& g)
{
    TPitchPointRadii radii;
    for (int i = 1; i <= 2; ++i) {
        radii.AtMin[i] = Cathetus(g.dw_amin[i] / 2, g.db[i] / 2);
        radii.AtMax[i] = Cathetus(g.dw_amax[i] / 2, g.db[i] / 2);
    }
    return radii;
}

void CalcSpecificSliding()
{
    const TProfileAngles pa = ProfileAnglesOf(GearPair.beta_rad, GearPair.alpha_rad);
    CalcSpecificSliding(pa, PitchPointRadiiOf(GearPair));
}

void CalcSpecificSliding(const TProfileAngles& pa, const TPitchPointRadii& Radii)
{
    auto& g = GearPair;
    const Extended uPair = static_cast<Extended>(g.z[2]) / g.z[1];
    // The transverse pressure angle atan(tan alpha_n / cos beta) and its
    // cosine, shared by the meshes.
    const Extended cosBeta = pa.CosBeta;
    const Extended alphaT = pa.Alphat;
    const Extended alphaSw = g.a == 0
                                 ? alphaT
                                 : NamedArcCos("Error  : spec.sliding",
                                               pa.CosAlphat * (g.z[1] + g.z[2]) * g.mn / (2 * g.a) / cosBeta);
    if (KeptCos(alphaSw) == 0) {
        AddErrorMessage("Error  : spec.sliding !");
        return;
    }
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : spec.sliding alpha sw !");
        return;
    }
    const Extended alphaA1 = NamedArcCos("Fatal  : db > da !  (1)", g.db[1] / g.dNa[1]);
    const Extended alphaA2 = NamedArcCos("Fatal  : db > da !  (2)", g.db[2] / g.dNa[2]);
    const Extended T = KeptTan(alphaSw);
    const Extended tA1 = KeptTan(alphaA1), tA2 = KeptTan(alphaA2);
    // Pressure angles at the start and end of contact on the other gear.
    const Extended alphaF1 = KeptArcTan(T - (tA2 - T) * g.db[2] / g.db[1]);
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : spec.slidingalpha a1 !");
        return;
    }
    const Extended alphaF2 = KeptArcTan(T - (tA1 - T) * g.db[1] / g.db[2]);
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : spec.slidingalpha e2 !");
        return;
    }
    const Extended tF1 = KeptTan(alphaF1), tF2 = KeptTan(alphaF2);
    if (tA1 == 0 || tF1 == 0 || tA2 == 0 || tF2 == 0) {
        AddErrorMessage("Fatal  : spec.sliding !");
        return;
    }
    if (g.z[1] + g.z[2] == 0) {
        g.zeta_f1 = g.zeta_a2 = g.zeta_a1 = g.zeta_f2 = 0;
    } else {
        g.zeta_f1 = LimitRootSliding((1 - T / tF1) * (uPair + 1) / uPair);
        g.zeta_a2 = (1 - T / tA2) * (uPair + 1);
        g.zeta_a1 = (1 - T / tA1) * (uPair + 1) / uPair;
        g.zeta_f2 = LimitRootSliding((1 - T / tF2) * (uPair + 1));
    }

    // At the centre distance limits: the point A lies g_alphaa before the pitch
    // point, E lies g_alphae after it.
    // The flanks' radii of curvature at the pitch point are the same for
    // the four values at either limit.
    auto at = [&](int which, bool atMin, Extended gap) {
        const PairArray<Extended>& radius = atMin ? Radii.AtMin : Radii.AtMax;
        return SpecificSlidingFromRadii(g.z[2], which, gap, radius[1], radius[2], g.u);
    };
    g.zeta_f1_amin = at(1, true, -g.g_alphaa_min);
    g.zeta_f1_amax = at(1, false, -g.g_alphaa_max);
    g.zeta_a1_amin = at(1, true, g.g_alphae_max);
    g.zeta_a1_amax = at(1, false, g.g_alphae_max);
    g.zeta_a2_amin = at(2, true, -g.g_alphaa_min);
    g.zeta_a2_amax = at(2, false, -g.g_alphaa_max);
    g.zeta_f2_amin = at(2, true, g.g_alphae_max);
    g.zeta_f2_amax = at(2, false, g.g_alphae_max);
}

Extended GetXSpezGleit()
{
    if (telmvar.FatalCalcError) return 0;
    // The search runs the geometry steps on trial profile shifts; every
    // result they overwrite belongs to the pair as the caller left it, so the
    // whole pair and the run flags are put back on every way out.
    const TGearPairData saved = GearPair;
    const bool savedAborted = telmvar.Aborted;
    auto restore = [&] {
        GearPair = saved;
        telmvar.FatalCalcError = false;
        telmvar.Aborted = savedAborted;
    };
    auto& g = GearPair;
    Extended lo = -0.5L, hi = 1.5L;
    for (int n = 1;; ++n) {
        if (n > 100) {
            AddErrorMessage("Error  : GetXSpez.Gleit.");
            restore();
            return 0;
        }
        g.x[1] = (lo + hi) / 2;
        g.x[2] = g.x_sum - g.x[1];
        Unit0();
        CalcProfileShiftSum();
        Unit1();
        if (telmvar.Aborted || telmvar.FatalCalcError) {
            AddErrorMessage("Error  : GetXSpez.Gleit.");
            restore();
            return 0;
        }
        // Tips at the standard tip shortening, with at least 0.12 mn clearance.
        for (int i = 1; i <= 2; ++i) {
            const int j = 3 - i;
            g.kmn[i] = std::max(Extended{0}, g.mt / 2 * (g.z[1] + g.z[2]) + (g.x[1] + g.x[2]) * g.mn - g.a);
            g.da[i] = g.da0[i] - 2 * g.kmn[i];
            g.ck[i] = g.a - (g.da[i] + g.df[j]) / 2;
            if (g.ck[i] < 0.12L * g.mn) {
                g.ck[i] = 0.12L * g.mn;
                g.da[i] = 2 * (g.a - g.ck[i]) - g.df[j];
                g.kmn[i] = (g.da0[i] - g.da[i]) / 2;
            }
        }
        // A trial whose sliding cannot be formed leaves the root values of
        // the previous trial behind; they must not pass for a balance.
        g.zeta_f1 = g.zeta_f2 = std::numeric_limits<Extended>::quiet_NaN();
        Unit2();
        const Extended delta = g.zeta_f1 - g.zeta_f2;
        if (telmvar.FatalCalcError || !std::isfinite(delta)) {
            AddErrorMessage("Error  : GetXSpez.Gleit.");
            restore();
            return 0;
        }
        if (delta >= 0)
            hi = g.x[1];
        else
            lo = g.x[1];
        if (std::fabs(delta) < 0.001L) {
            const Extended result = g.x[1];
            restore();
            return result;
        }
    }
}
