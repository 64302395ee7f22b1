#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/calculationmemo.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/measuring.h"
#include "gearpair/toothform.h"

namespace
{

std::string GearNo(int i)
{
    return std::to_string(i);
}

// Functions of the pair's angles that both gears' tips, thicknesses, root
// form circles and contact ratios use. None of these angles changes within
// the step, so each is worked out once for it.
struct TPairAngles {
    Extended TanAlpha, SinAlpha, CosBeta, CosAlphaT, SinAlphaT, InvAlphaT;
    Extended InvAlphaWt, TanAlphaWt, CosAlphaWt, SinAlphaWt;
};

// Those of the normal pressure and helix angles the meshes share, and of
// the pair's alpha_t and beta_b.
TPairAngles PairAnglesOf(const TGearPairData& g, const TGeometryAngles& Angles)
{
    const TProfileAngles& pa = Angles.Profile;
    const TPairTransverseAngles& t = Angles.Transverse;
    TPairAngles p;
    p.TanAlpha = pa.TanAlphan;
    p.SinAlpha = pa.SinAlphan;
    p.CosBeta = pa.CosBeta;
    p.CosAlphaT = t.CosAlphat;
    p.SinAlphaT = t.SinAlphat;
    p.InvAlphaT = t.InvAlphat;
    // Those Unit1 formed for the working angle as it left it, else looked up.
    const TWorkingAngle& w = Angles.Working;
    const bool formed = w.Known && SameBits(w.Alpha, g.alpha_wt);
    p.TanAlphaWt = formed ? w.Tan : KeptTan(g.alpha_wt);
    p.InvAlphaWt = p.TanAlphaWt - g.alpha_wt; // the involute, from the tangent at hand
    p.CosAlphaWt = formed ? w.Cos : KeptCos(g.alpha_wt);
    p.SinAlphaWt = KeptSin(g.alpha_wt);
    return p;
}

// Tip reduction, clearance, depths, tooth thicknesses, tip form diameters
// and top lands of gear i (j the mating gear). False when the step must stop.
bool SetTipAndThickness(TGearPairData& g, const TPairAngles& p, int i, int j)
{
    g.kmn[i] = (g.da0[i] - g.da[i]) / 2;
    if (std::fabs(g.kmn[i]) < 0.001L) {
        g.kmn[i] = 0;
        g.da[i] = g.da0[i];
    }
    if (g.kmn[i] < 0) AddErrorMessage("Error  : kmn < 0 !  (" + GearNo(i) + ")");

    const Extended tanAlpha = p.TanAlpha;
    const Extended cosBeta = p.CosBeta;
    g.da_min[i] = g.da[i] + g.df_tol[i];
    g.ck[i] = g.a - (g.da[i] + g.df[j]) / 2;
    g.h[i] = (g.da[i] - g.df[i]) / 2;
    g.h_min[i] = (g.da_min[i] - g.df[i]) / 2;
    g.h_max[i] = (g.da[i] - g.df_min[i]) / 2;
    g.sn_nom[i] = (Pi / 2 + 2 * g.x[i] * tanAlpha) * g.mn;
    g.sn_max[i] = (Pi / 2 + 2 * g.xemax[i] * tanAlpha) * g.mn;
    g.sn_min[i] = (Pi / 2 + 2 * g.xemin[i] * tanAlpha) * g.mn;
    g.st_nom[i] = g.sn_nom[i] / cosBeta;
    g.st_max[i] = g.sn_max[i] / cosBeta;
    g.st_min[i] = g.sn_min[i] / cosBeta;
    g.et[i] = g.pt - g.st_nom[i];
    g.en[i] = g.et[i] * cosBeta;

    if (g.HasChamfer[i]) {
        // The involute flank is finished, the chamfer comes from the
        // pre-machining tool.
        const Extended alphak = DegToRad(g.alphakP0[i]);
        g.dFamin[i] = TipFormDiameterChamfer(g.z[i], i, g.sak[i], g.alpha_rad, g.beta_rad, g.mn, g.xemin[i],
                                             g.xevmin[i], alphak, g.hFfP0[i], g.da[i]);
        g.dFamax[i] = TipFormDiameterChamfer(g.z[i], i, g.sak[i], g.alpha_rad, g.beta_rad, g.mn, g.xemax[i],
                                             g.xevmax[i], alphak, g.hFfP0[i], g.da[i]);
    } else if (g.rhofP0_mn[i] <= 0) {
        g.dFamax[i] = g.da[i];
        g.dFamin[i] = g.da_min[i];
    } else {
        g.dFamax[i] = std::min(g.da0[i] - 2 * g.rhofP0[i] * (1 - p.SinAlpha), g.da[i]);
        g.dFamin[i] = g.dFamax[i] + g.df_tol[i];
    }

    if (g.da[i] == 0) {
        AddFatalMessage("Fatal  : da = 0 !");
        return false;
    }
    const Extended c = p.CosAlphaT * g.d[i] / g.da[i];
    if (c <= 1) {
        g.alpha_a[i] = NamedArcCos("Fatal  : ArcCos(cos(alpha t)*d/da)>1 !", c);
    } else {
        AddErrorMessage("Error  : cos(alpha t)*d/da)>1");
        g.alpha_a[i] = 0;
    }
    const Extended invT = p.InvAlphaT;
    const Extended invA = Involute(g.alpha_a[i]);
    g.sat_nom[i] = (invT + g.st_nom[i] / g.d[i] - invA) * g.da[i];
    g.stw[i] = (invT + g.st_nom[i] / g.d[i] - p.InvAlphaWt) * g.dw[i];
    if (g.HasChamfer[i]) {
        const Extended k = KeptTan(DegToRad(g.alphakP0[i]) + Pi / g.z[i]);
        g.sat_max[i] = g.sak[i] - k * (g.da[i] - g.dFamax[i]) + g.Asne[i];
        g.sat_min[i] = g.sak[i] - k * (g.da[i] - g.dFamin[i]) + g.Asni[i];
    } else {
        g.sat_max[i] = (invT + g.st_max[i] / g.d[i] - invA) * g.da[i];
        g.sat_min[i] = (invT + g.st_min[i] / g.d[i] - invA) * g.da[i];
    }
    g.san_nom[i] = g.sat_nom[i] * cosBeta;
    g.san_max[i] = g.sat_max[i] * cosBeta;
    g.san_min[i] = g.sat_min[i] * cosBeta;
    return true;
}

void SetRootFormDiameters(TGearPairData& g, const TPairAngles& p, int i)
{
    if (g.z[i] < 0) {
        const Extended rounding = 2 * g.rhoaP0[i] * (1 - p.SinAlpha);
        g.dFf_nom[i] = g.df0[i] + rounding;
        g.dFfmin[i] = g.df_min[i] + rounding;
        g.dFfmax[i] = g.df[i] + rounding;
        return;
    }
    const Extended s = Sign(g.z[i]);
    auto form = [&](Extended x) {
        if (g.prP0[i] > 0)
            return s * RootFormDiameterProtuberance(g.prP0[i], g.d[i], g.alpha_t, g.haP0[i], x, g.mn,
                                                    g.rhoaP0[i], g.alpha_rad, g.db[i]);
        return s * RootFormDiameterFromSines(g.d[i], p.SinAlphaT, g.haP0[i], x, g.mn, g.rhoaP0[i], p.SinAlpha,
                                             g.db[i]);
    };
    g.dFf_nom[i] = form(g.x[i]);
    g.dFfmax[i] = form(g.xemax[i]);
    g.dFfmin[i] = form(g.xemin[i]);
}

// Usable tip diameter of gear j: limited by the interference point on the
// base circle of gear i (an external gear i), and by the tip form circle.
void SetUsableTip(TGearPairData& g, const TPairAngles& p, int i, int j)
{
    Extended L, Lmin, Lmax;
    if (g.z[i] < 0) {
        L = g.da[j];
        Lmin = g.da_min[j];
        Lmax = g.da[j];
    } else {
        const Extended sj = Sgn(g.z[j]);
        const Extended rbCos = g.db[i] * p.CosAlphaWt / 2;
        const Extended rbSin = g.db[i] * p.SinAlphaWt / 2;
        L = sj * 2 * Hypotenuse(g.a - rbCos, rbSin);
        Lmin = sj * 2 * Hypotenuse(g.a + g.Aai - rbCos, rbSin);
        Lmax = sj * 2 * Hypotenuse(g.a + g.Aa - rbCos, rbSin);
    }
    if (g.da[j] > L) {
        AddErrorMessage("Error  : tooth collision da" + GearNo(j) + " !");
        g.dNa[j] = L;
        g.dNa_min[j] = Lmin;
        g.dNa_max[j] = Lmax;
    } else {
        g.dNa[j] = std::min(L, g.dFamax[j]);
        g.dNa_min[j] = std::min(Lmin, g.dFamin[j]);
        g.dNa_max[j] = std::min(Lmax, g.dFamax[j]);
    }
}

void SetPartialContactRatio(TGearPairData& g, const TPairAngles& p, int i)
{
    const Extended r = g.dFamin[i] / g.db[i];
    Extended t;
    if (r <= 1) {
        AddErrorMessage("Error  : db > da  (" + GearNo(i) + ") !");
        t = -p.TanAlphaWt;
    } else {
        t = SafeSqrt("Error  : eps.alpha", r * r - 1) - p.TanAlphaWt;
    }
    g.eps_part[i] = t * g.z[i] / 2 / Pi;
}

// The roots sqrt(dNa^2 - db^2) of both gears at their usable tip diameters
// dNa1 and dNa2 (a negative difference is said and gives 0).
struct TTipRoots {
    Extended Root1, Root2;
};

TTipRoots TipRootsOf(const TGearPairData& g, Extended dNa1, Extended dNa2)
{
    const char* tag = "Error  : g alpha";
    const Extended root1 = SafeSqrt(tag, dNa1 * dNa1 - g.db[1] * g.db[1]);
    const Extended root2 = SafeSqrt(tag, dNa2 * dNa2 - g.db[2] * g.db[2]);
    return {root1, root2};
}

// Length of the path of contact (DIN 3960) from the roots at the usable tip
// diameters, signed for an internal pair; sinAlphaWt is the sine of the
// working pressure angle at centre distance a.
Extended PathOfContact(const TGearPairData& g, const TTipRoots& r, Extended a, Extended sinAlphaWt)
{
    // The internal gear's root counts negative; with a negative pinion count
    // (reported by step 0) the roles are exchanged.
    const Extended s1 = g.z[1] < 0 ? Sgn(g.z[1]) : 1;
    const Extended s2 = g.z[1] < 0 ? 1 : Sgn(g.z[2]);
    return (s1 * r.Root1 + s2 * r.Root2 - 2 * a * sinAlphaWt) * 0.5L;
}

// Cathetus(dNa / 2, db / 2) of gear i from the root sqrt(dNa^2 - db^2) of its
// usable tip diameter dNa: halving both legs quarters the difference of the
// squares and halves its root exactly, and a tip that clears the base
// circle has a difference that is not negative.
Extended HalfTipRoot(const TGearPairData& g, int i, Extended dNa, Extended root)
{
    return std::fabs(dNa) > std::fabs(g.db[i]) ? root / 2 : 0;
}

// sqrt(dNa^2 - db^2) of gear i under another tag: the root at hand where the
// difference is not negative, else worked out (and said) again.
Extended TipRootUnder(const char* tag, const TGearPairData& g, int i, Extended dNa, Extended root)
{
    const Extended difference = dNa * dNa - g.db[i] * g.db[i];
    return difference >= 0 ? root : SafeSqrt(tag, difference);
}

} // namespace

void Unit2()
{
    Unit2(GeometryAnglesOf(GearPair));
}

void Unit2(const TGeometryAngles& Angles)
{
    auto& g = GearPair;
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : Unit2");
        return;
    }
    const TPairAngles angles = PairAnglesOf(g, Angles);
    for (int i = 1; i <= 2; ++i)
        if (!SetTipAndThickness(g, angles, i, 3 - i)) return;

    g.ckmin[1] = g.a + g.Aai - g.da[1] / 2 - g.df[2] / 2;
    g.ckmax[1] = g.a + g.Aa - (g.da[1] + g.df_tol[1]) / 2 - (g.df[2] + g.df_tol[2]) / 2;
    g.ckmin[2] = g.a + g.Aai - g.da[2] / 2 - g.df[1] / 2;
    g.ckmax[2] = g.a + g.Aa - (g.da[2] + g.df_tol[2]) / 2 - (g.df[1] + g.df_tol[1]) / 2;

    for (int i = 1; i <= 2; ++i) {
        g.stw_angle[i] = 2 * SafeArcSin(g.stw[i] / (2 * g.dw[i]));
        SetRootFormDiameters(g, angles, i);
        SetUsableTip(g, angles, i, 3 - i);
        SetPartialContactRatio(g, angles, i);
    }

    const TTipRoots nominal = TipRootsOf(g, g.dNa[1], g.dNa[2]);
    g.g_alpha = PathOfContact(g, nominal, g.a, angles.SinAlphaWt);
    // The sines of the working angles at the limits are asked for here
    // alone: from the library, without a look-up among the kept values.
    const TTipRoots smallest = TipRootsOf(g, g.dNa_min[1], g.dNa_min[2]);
    g.g_alpha_min = PathOfContact(g, smallest, g.a + g.Aa, std::sin(g.alpha_wt_max));
    const TTipRoots largest = TipRootsOf(g, g.dNa_max[1], g.dNa_max[2]);
    g.g_alpha_max = PathOfContact(g, largest, g.a + g.Aai, std::sin(g.alpha_wt_min));

    // The flanks' radii of curvature at the pitch point, Cathetus(dw/2, db/2),
    // at the centre distance and its limits; the specific sliding takes
    // those at the limits.
    const TPitchPointRadii radii = PitchPointRadiiOf(g);
    PairArray<Extended> pitchRadius;
    for (int i = 1; i <= 2; ++i)
        pitchRadius[i] = Cathetus(g.dw[i] / 2, g.db[i] / 2);
    auto part = [&](int i, Extended dNa, Extended root, Extended radius) {
        return Sgn(g.z[i]) * (HalfTipRoot(g, i, dNa, root) - radius);
    };
    g.g_alphae = part(1, g.dNa[1], nominal.Root1, pitchRadius[1]);
    g.g_alphae_min = part(1, g.dNa_min[1], smallest.Root1, radii.AtMax[1]);
    g.g_alphae_max = part(1, g.dNa_max[1], largest.Root1, radii.AtMin[1]);
    g.g_alphaa = part(2, g.dNa[2], nominal.Root2, pitchRadius[2]);
    g.g_alphaa_min = part(2, g.dNa_min[2], smallest.Root2, radii.AtMax[2]);
    g.g_alphaa_max = part(2, g.dNa_max[2], largest.Root2, radii.AtMin[2]);

    g.eps_alpha = g.g_alpha / g.pet;
    g.eps_alpha_max = g.g_alpha_max / g.pet;
    g.eps_alpha_min = g.g_alpha_min / g.pet;
    if (!(g.eps_alpha > 0)) {
        AddFatalMessage("Fatal  : epsilon alpha <=0 !");
        return;
    }

    const Extended twoASin = 2 * g.a * angles.SinAlphaWt;
    g.dNf[1] =
        Sgn(g.z[1]) *
        SafeSqrt("Error  : dnf1",
                 g.db[1] * g.db[1] + IntPower(twoASin - Sgn(g.z[2]) * TipRootUnder("Error  : dnf1", g, 2,
                                                                                   g.dNa[2], nominal.Root2),
                                              2));
    g.dNf[2] =
        Sgn(g.z[2]) *
        SafeSqrt("Error  : dnf2",
                 g.db[2] * g.db[2] + IntPower(twoASin - Sgn(g.z[1]) * TipRootUnder("Error  : dnf2", g, 1,
                                                                                   g.dNa[1], nominal.Root1),
                                              2));

    // The overlap ratio is a length ratio: a left-hand helix entered as a
    // negative angle overlaps as much as a right-hand one.
    const Extended width = g.IsDoubleHelical ? g.b_effH / 2 : g.b_effH;
    g.eps_beta = width * std::fabs(KeptSin(g.beta_rad)) / (Pi * g.mn);
    g.eps_gamma = g.eps_alpha + g.eps_beta;
    g.eps_gamma_max = g.eps_alpha_max + g.eps_beta;
    g.eps_gamma_min = g.eps_alpha_min + g.eps_beta;

    g.u = static_cast<Extended>(g.z[2]) / g.z[1];

    CalcSpecificSliding(Angles.Profile, radii);
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : spec.sliding !");
        return;
    }
    if (g.z[2] < 0) {
        g.CollisionY = CheckToothCollision();
        if (telmvar.FatalCalcError) AddErrorMessage("Fatal  : spec.sliding !");
    }
}

Extended CheckToothCollision()
{
    const auto& g = GearPair;
    const Extended A1 = NamedArcCos("Fatal  : db > da  (1)", g.db[1] / g.da[1]);
    const Extended A2 = NamedArcCos("Fatal  : db > da  (2)", g.db[2] / g.da[2]);
    Extended delta1 = 0;
    Extended delta2 = 0;
    if (g.a != 0) {
        const Extended ra1 = g.da[1] / 2;
        const Extended ra2 = g.da[2] / 2;
        const Extended a2 = g.a * g.a;
        // Angles of the tip circles' crossing, met nowhere else.
        delta1 =
            NamedArcCosOnce("Fatal  : tooth collision Y !", (ra1 * ra1 + a2 - ra2 * ra2) / (2 * g.a * ra1));
        delta2 =
            NamedArcCosOnce("Fatal  : tooth collision Y !", (ra2 * ra2 + a2 - ra1 * ra1) / (2 * g.a * ra2));
    }
    const Extended invW = Involute(g.alpha_wt);
    return (Involute(A1) + delta1 - invW) * g.db[1] / 2 + (Involute(A2) + delta2 - invW) * g.db[2] / 2;
}
