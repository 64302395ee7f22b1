#include "gearpair/strength/iso6336.h"

#include "foundation/keptfunctions.h"
#include "gearpair/calculationmemo.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/calculationmemo.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/measuring.h"
#include "gearpair/strength/loadfreememo.h"
#include "gearpair/strength/strengthfactors.h"
#include "gearpair/viscosity.h"

#include <cmath>

namespace
{

// Contact ratio factor as the limit of the transverse load factor uses it:
// 0 for a spur pair beyond the range of the formula (no limit applied then).
Extended ContactRatioFactorForLimit(const TGearPairData& g)
{
    if (g.beta == 0 && g.eps_alpha >= 4) return 0;
    if (g.beta == 0) return std::sqrt((4 - g.eps_alpha) / 3);
    if (g.eps_beta < 1) return std::sqrt((4 - g.eps_alpha) / 3 * (1 - g.eps_beta) + g.eps_beta / g.eps_alpha);
    return std::sqrt(1 / g.eps_alpha);
}

// Contact ratio factor of the result.
Extended ContactRatioFactor(const TGearPairData& g)
{
    if (g.beta == 0 && g.eps_alpha < 4) return std::sqrt((4 - g.eps_alpha) / 3);
    if (g.eps_beta < 1 && g.eps_alpha < 4)
        return std::sqrt((4 - g.eps_alpha) / 3 * (1 - g.eps_beta) + g.eps_beta / g.eps_alpha);
    return std::sqrt(1 / g.eps_alpha);
}

// Single pair contact factors ZB (pinion) and ZD (wheel). In the helical
// range below a full overlap the factor is interpolated between the spur value
// M and the helical value 1; ISO 6336-2 keeps the result at 1 or above, so
// a pinion with M < 1 never lowers the contact stress below the pitch point
// value.
void SinglePairContactFactors(TGearPairData& g, Extended M1, Extended M2)
{
    g.ZB = 1;
    g.ZD = 1;
    const bool spur = g.beta_rad == 0;
    const bool covered = g.eps_alpha > 1;
    if (spur) {
        g.ZB = MaxExt(1, M1);
        g.ZD = MaxExt(1, M2);
    } else if (!covered || g.eps_beta < 1) {
        g.ZB = MaxExt(1, M1 - g.eps_beta * (M1 - 1));
        g.ZD = MaxExt(1, M2 - g.eps_beta * (M2 - 1));
    }
    if (!covered) AddFactorMessage("Error  : ZB,ZD: not covered by ISO 6336");
    if (std::fabs(g.ZB) > 10) g.ZB = 10;
    if (std::fabs(g.ZD) > 10) g.ZD = 10;
    if (g.z[2] < 0) g.ZD = 1; // the concave flank of an internal wheel has no critical inner point
}

int WorkHardeningVariant(const TGearPairData& g)
{
    const bool hard2 = g.HeatTreatment[2] >= 3 && g.HeatTreatment[2] <= 7;
    const bool hard1 = g.HeatTreatment[1] >= 3 && g.HeatTreatment[1] <= 7;
    const bool hbKnown = g.HB[1] > 0 && g.HB[2] > 0;
    if (g.MaterialKind[1] == 2 && g.HeatTreatment[1] == 2 && g.MaterialKind[2] == 3 && hard2 && hbKnown)
        return 1;
    if (g.MaterialKind[1] == 3 && hard1 && g.MaterialKind[2] == 3 && hard2 && hbKnown) return 2;
    return 0;
}

// The steps' parts that rest on the geometry, the materials and the speed
// alone, in the order the steps use them.
void FormLoadFreeParts(const TGearPairData& g, TIsoLoadFree& p)
{
    p.m_red = CalcReducedMass(g.da[1], g.da[2], g.df[1], g.df[2], g.db[1], g.di[1], g.di[2], g.rho[1],
                              g.rho[2], g.u);
    const Extended sR = (g.df[2] - g.di[2]) / 2;
    const Extended bs = MinExt(sR, g.b_effH);
    p.cFull = SingleStiffnessAtFullLoad(g.zn[1], g.zn[2], g.x[1], g.x[2], g.mn, g.alpha, g.beta_rad, g.b_effH,
                                        bs, sR, g.haP0[1], g.haP0[2], g.E[1], g.E[2]);
    p.y_alpha = Mean2(RunningInYalpha(g.MaterialKind[1], g.HeatTreatment[1], g.SigmaHlim[1], g.v, g.fpT[1]),
                      RunningInYalpha(g.MaterialKind[2], g.HeatTreatment[2], g.SigmaHlim[2], g.v, g.fpT[2]));
    p.Kv = DynamicFactorCoefficients(g.eps_gamma, g.SigmaHlim[1], g.SigmaHlim[2], p.y_alpha, p.y_alpha,
                                     Mean2(g.fpT[1], g.fpT[2]), Mean2(g.ffalphaT[1], g.ffalphaT[2]));
    p.fma = HypotenuseOf(g.fHbetaT[1], g.fHbetaT[2]);
    p.Fsh = g.dsh != 0
                ? ShaftDeflectionParts(g.IsDoubleHelical, g.IsSupportingEffect, g.ContactPatternNo, g.d[1],
                                       g.dsh, g.b_effH, g.l_bearing, g.s_bedding, g.BearingArrangementNo)
                : TShaftDeflectionParts{};
    for (int i = 1; i <= 2; ++i)
        p.Ybeta[i] = RunningInYbetaRule(g.MaterialKind[i], g.HeatTreatment[i], g.SigmaHlim[i], g.v);
    const Extended bh = MaxExt(3, g.b_effH / MaxExt(g.h[1], g.h[2]));
    p.NF = bh * bh / (1 + bh + bh * bh);
    p.ZepsLimit = ContactRatioFactorForLimit(g);
}

// Steps 17 to 34.
void FormLoadFreeFactors(TGearPairData& g, int grade)
{
    // 17: zone factor.
    // The functions of the pressure and helix angles the meshes share, where
    // the pair's angles are the ones they were formed from.
    const TProfileAngles& pa = ProfileAnglesOf(g.beta_rad, g.alpha_rad);
    const Extended cosBeta = pa.CosBeta;
    const TPairTransverseAngles t = PairTransverseAnglesOf(pa, g.alpha_t, g.beta_b);
    const Extended radicand =
        2 * t.CosBetab * KeptCos(g.alpha_wt) / (t.CosAlphat * t.CosAlphat * KeptSin(g.alpha_wt));
    if (radicand > 0) {
        g.ZH = std::sqrt(radicand);
    } else {
        g.ZH = 0;
        AddFactorMessage("Error  : ZH <= 0 !");
    }

    // 18-19: single pair contact factors.
    Extended M1, M2;
    ContactFactorsM1M2(g.z[1], g.z[2], g.alpha_wt, g.eps_alpha, g.da[1], g.da[2], g.db[1], g.db[2], M1, M2);
    SinglePairContactFactors(g, M1, M2);

    // 20-22: elasticity, contact ratio and helix factors.
    g.ZE = std::sqrt(1 / (Pi * ((1 - g.nu[1] * g.nu[1]) / g.E[1] + (1 - g.nu[2] * g.nu[2]) / g.E[2])));
    g.Z_eps = ContactRatioFactor(g);
    g.Z_beta = 1 / std::sqrt(cosBeta);

    // 23-25: lubricant film, work hardening and size.
    const Extended sigmaMin = MinExt(g.SigmaHlim[1], g.SigmaHlim[2]);
    g.ZL = LubricantFactorZL(g.v50, sigmaMin);
    g.Zv = VelocityFactorZV(g.v50, sigmaMin, g.v);
    g.ZR = RoughnessFactorZR(sigmaMin, g.db[1], g.db[2], g.alpha_wt, Mean2(g.RzZ[1], g.RzZ[2]));
    // The hardness ratio counts how often the pinion meets each wheel tooth:
    // the magnitude of the ratio, whose sign only marks an internal pair.
    // Only a hardened wheel with a through-hardened pinion (variant 1) reads
    // the viscosity at 40 degrees, which takes two powers of ten.
    const int variant = WorkHardeningVariant(g);
    const Extended v40 = variant == 1 ? ViscosityAtTemp(g.v50, 50, 40) : 0;
    g.ZW = WorkHardeningFactorZW(variant, g.db[1], g.db[2], g.alpha_wt, g.RzZ[1], g.RzZ[2], g.HB[1], g.HB[2],
                                 v40, g.v, std::fabs(g.u));
    g.ZX[1] = 1;
    g.ZX[2] = 1;

    // 26-27: tooth form, stress correction and grinding notch.
    for (int i = 1; i <= 2; ++i) {
        TToothRootShape s;
        CalcToothFormFactors(g.z[i], g.YF[i], g.YS[i], g.mn, g.alpha_rad, g.beta_rad, g.xeF[i], g.haP0[i],
                             g.rhoaP0[i], g.prP0[i], g.q[i], g.eps_alpha, g.dFamax[i], PinionCutterShift(g),
                             PinionCutterTeeth(g), s);
        g.sFn[i] = s.sFn;
        g.rhoF[i] = s.rhoF;
        g.hFe[i] = s.hFe;
        g.alphaFen[i] = s.alphaFen;
        g.qs[i] = s.qs;
    }
    for (int i = 1; i <= 2; ++i) {
        if (g.tg_rhog[i] > 2) g.tg_rhog[i] = 2;
        if (g.GrindingNotch[i])
            g.YSg[i] = 1.3L * g.YS[i] / (1.3L - 0.6L * SafeSqrt2("YSg", g.tg_rhog[i]));
        else
            g.YSg[i] = g.YS[i];
    }

    // 28-34: helix, rim, deep tooth, notch, surface, size and alternating load.
    g.Y_beta = 1 - MinExt(g.eps_beta, 1) * MinExt(g.beta, 30) / 120;
    for (int i = 1; i <= 2; ++i)
        g.YB[i] = RimThicknessFactorYB(g.z[i], g.df[i], g.di[i], g.h[i], g.mn);
    g.YDT = DeepToothFactorYDT(grade, g.eps_alpha);
    for (int i = 1; i <= 2; ++i) {
        g.YdrelT[i] = NotchSensitivityYdrelT(g.MaterialKind[i], g.HeatTreatment[i], g.rho_slip[i],
                                             g.Sigma_FE[i], g.YS[i], g.qs[i]);
        g.YRrelT[i] = SurfaceFactorYRrelT(g.MaterialKind[i], g.HeatTreatment[i], g.RzY[i]);
        g.YX[i] = SizeFactorYX(g.MaterialKind[i], g.HeatTreatment[i], g.mn);
        g.YA[i] = LogLimitFactor(g.Np[i]);
    }
}

// Everything steps 17 to 34 read from the pair (the pinion cutter's entered
// and proposed teeth and shift for PinionCutterTeeth and PinionCutterShift,
// the flank tolerance classes for the accuracy grade).
using TIsoFactorKeyFields = TPairFields<
    &TGearPairData::beta_rad, &TGearPairData::alpha_rad, &TGearPairData::alpha_t, &TGearPairData::beta_b,
    &TGearPairData::alpha_wt, &TGearPairData::eps_alpha, &TGearPairData::eps_beta, &TGearPairData::beta,
    &TGearPairData::v50, &TGearPairData::v, &TGearPairData::u, &TGearPairData::mn, &TGearPairData::x0,
    &TGearPairData::x0Proposed, &TGearPairData::z0, &TGearPairData::z0Proposed, &TGearPairData::z,
    &TGearPairData::HeatTreatment, &TGearPairData::MaterialKind, &TGearPairData::FlankToleranceClass,
    &TGearPairData::GrindingNotch, &TGearPairData::da, &TGearPairData::db, &TGearPairData::nu,
    &TGearPairData::E, &TGearPairData::SigmaHlim, &TGearPairData::RzZ, &TGearPairData::HB,
    &TGearPairData::xeF, &TGearPairData::haP0, &TGearPairData::rhoaP0, &TGearPairData::prP0,
    &TGearPairData::q, &TGearPairData::dFamax, &TGearPairData::tg_rhog, &TGearPairData::df,
    &TGearPairData::di, &TGearPairData::h, &TGearPairData::Sigma_FE, &TGearPairData::RzY, &TGearPairData::Np>;
using TIsoFactorKey = TIsoFactorKeyFields::TValues;

// A pair with a load spectrum is calculated again at its nominal load and at
// the trial torques of its limit searches, while steps 17 to 34 rest on the
// geometry, the materials and the speed alone: their factors are kept for
// the later runs of the same calculation (one place per mesh of a stage),
// keyed by everything they read. Factors formed with a message are not
// kept, so that each run says it again.
struct TKeptIsoFactors {
    TIsoFactorKey Key;
    TIsoFactors Factors;
};

thread_local TCalculationMemo<TKeptIsoFactors, 4> KeptIsoFactors;

} // namespace

void ResetIsoFactorCache()
{
    KeptIsoFactors = {};
}

void CalcIso6336()
{
    TGearPairData& g = GearPair;
    const Extended KA = MaxExt(ApplicationFactorH(g), ApplicationFactorF(g));

    // What does not move with the load: from a search's first trial, which
    // found the densities as the later ones find them.
    TLoadFreeMemo* const loadFree = TLoadFreeMemo::Active();
    TIsoLoadFree formed;
    const TIsoLoadFree* const kept = loadFree ? loadFree->IsoParts() : nullptr;
    if (!kept) {
        // A body without density has no mass to resonate: the dynamic factor
        // would silently fall to 1.
        if (g.rho[1] == 0 || g.rho[2] == 0) {
            AddFatalMessage("Fatal  : rho = 0 !");
            return;
        }
        FormLoadFreeParts(g, formed);
        if (loadFree) loadFree->KeepIsoParts(formed);
    }
    const TIsoLoadFree& p = kept ? *kept : formed;

    // 1-2: reduced mass and mesh stiffness. What the parts give the pair,
    // a run that took them from the memo finds there.
    if (!kept) g.m_red = p.m_red;
    MeshStiffnessAtLoad(g.c_single, g.c_gamma, p.cFull, g.b_effH, g.Ft, KA, g.eps_alpha);

    // 3: resonance speeds; the ratio uses the magnitude of the speed, whose
    // sign only says the direction of rotation.
    Extended nE1 = 0;
    if (p.m_red > 0) nE1 = 30000 / (Pi * g.z[1]) * SafeSqrt2("nE1", g.c_gamma / p.m_red);
    g.nE[1] = nE1;
    g.nE[2] = nE1 / g.u;
    const Extended N = nE1 == 0 ? 0 : std::fabs(g.n[1] / nE1);

    // 4: upper end of the sub-critical range.
    Extended N_S = 0.85L;
    if (g.b_effH != 0) {
        const Extended w = g.Ft * KA / g.b_effH;
        if (w < 100) N_S = 0.5L + 0.35L * SafeSqrt2("N_S", w / 100);
    }

    // 5-6: running-in and dynamic factor.
    if (!kept) g.y_alpha = p.y_alpha;
    const int grade = MaxInt(g.FlankToleranceClass[1], g.FlankToleranceClass[2]);
    g.Kv = DynamicFactorKvAt(p.Kv, grade, N, N_S, g.Ft, g.b_effH, KA, g.c_single);

    // 7: checks.
    if (g.Ft == 0) AddErrorMessage("Error  : Ft=0!");
    if (g.b_effH == 0) {
        AddFatalMessage("Fatal  : beff=0!");
        return;
    }

    // 8: mean line load; below 100 N/mm the teeth are taken as loaded with 100.
    Extended w_m = g.Ft * KA * g.Kv / g.b_effH;
    if (g.Ft / g.b_effH * ApplicationFactorF(g) < 100) {
        w_m = 100 * g.Kv;
        if (!wtelmvar.HideWarnings) AddJudgementMessage("Warning: Ft/b*KA < 100 !");
    }

    // 9-12: misalignment.
    if (!kept && !g.FmaEntered) g.fma = p.fma;
    int mode = 1;
    if (!g.FshEntered && g.dsh != 0)
        g.fsh = ShaftDeflectionAt(p.Fsh, w_m, mode);
    else if (!g.FshEntered)
        g.fsh = CalcFsh(g.IsDoubleHelical, g.IsSupportingEffect, g.ContactPatternNo, w_m, g.d[1], g.dsh,
                        g.b_effH, g.l_bearing, g.s_bedding, g.BearingArrangementNo, mode);
    g.Fbetax = CalcFbetax(g.IsToothTraceCorrection, g.IsCrowning, g.IsEndRelief, mode, g.fHbeta5,
                          Mean2(g.fHbetaT[1], g.fHbetaT[2]), g.fma, g.fsh, w_m);
    // Running-in removes at most the misalignment there is.
    g.y_beta = MinExt(Mean2(p.Ybeta[1].At(g.Fbetax), p.Ybeta[2].At(g.Fbetax)), g.Fbetax);
    g.Fbetay = g.Fbetax - g.y_beta;

    // 13-14: face load factors.
    const Extended X = g.Fbetay * g.c_gamma / (2 * w_m);
    if (X >= 1)
        g.KHbeta = MaxExt(2, std::sqrt(2 * g.Fbetay * g.c_gamma / w_m));
    else
        g.KHbeta = 1 + X;
    if (!loadFree || loadFree->RootSafetyWanted()) g.KFbeta = SafePower("KFbeta", g.KHbeta, p.NF);

    // 15-16: transverse load factors. The limit's contact ratio factor is
    // not the result's, which steps 17 to 34 form.
    const Extended Z_eps = p.ZepsLimit;
    const Extended FtH = g.Ft * KA * g.Kv * g.KHbeta;
    const Extended fpb = Mean2(g.fpT[1], g.fpT[2]);
    if (FtH == 0) {
        g.KHalpha = 1;
    } else {
        const Extended term = g.c_gamma * (fpb - p.y_alpha) / (FtH / g.b_effH);
        if (g.eps_gamma <= 2)
            g.KHalpha = g.eps_gamma / 2 * (0.9L + 0.4L * term);
        else
            g.KHalpha = 0.9L + 0.4L * std::sqrt(2 * (g.eps_gamma - 1) / g.eps_gamma) * term;
    }
    if (Z_eps > 0 && g.eps_alpha > 0)
        g.KHalpha = ClampExt(1, g.eps_gamma / (g.eps_alpha * Z_eps * Z_eps), g.KHalpha);
    g.KFalpha = g.KHalpha;

    // 17-34 rest on the geometry, the materials and the speed alone: a
    // search over the load forms them once.
    if (loadFree && loadFree->IsoFactorsKept()) return;
    const auto same = [&g](const TKeptIsoFactors& k) { return TIsoFactorKeyFields::Same(g, k.Key); };
    const TKeptIsoFactors* keptFactors = g.LoadSpectrumCount >= 1 ? KeptIsoFactors.Find(same) : nullptr;
    if (keptFactors != nullptr) {
        keptFactors->Factors.Give(g);
    } else if (g.LoadSpectrumCount < 1) {
        FormLoadFreeFactors(g, grade);
    } else {
        TIsoFactorKey key;
        TIsoFactorKeyFields::Take(g, key);
        const unsigned long reportsBefore = GuardedReportCount(), factorMessagesBefore = FactorMessageCount();
        FormLoadFreeFactors(g, grade);
        if (GuardedReportCount() == reportsBefore && FactorMessageCount() == factorMessagesBefore) {
            TKeptIsoFactors& k = KeptIsoFactors.Add();
            k.Key = key;
            k.Factors.Take(g);
        }
    }
    if (loadFree) loadFree->KeepIsoFactors();
}
