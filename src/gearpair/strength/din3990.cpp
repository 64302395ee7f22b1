#include "gearpair/strength/din3990.h"

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearfactors.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/strength/strengthfactors.h"

#include <cmath>

namespace
{

// The outer point of single pair contact of gear z on its virtual spur gear:
// the diameter den where the load of single pair contact acts nearest the
// tip. For a ring (z < 0) the virtual diameters and the base pitch carry the
// ring's sign, so the point lies on the root side of its tip circle.
struct TLoadPoint {
    Extended zn = 0, dn = 0, dbn = 0, den = 0;
};

TLoadPoint LoadPointOfSingleContact(int z, Extended mn, Extended cosAlphan, Extended beta, Extended da,
                                    Extended eps_alpha)
{
    const Extended cosBeta = std::cos(beta);
    const Extended cosBetab = std::cos(SafeArcSin(std::sin(beta) * cosAlphan));
    const Extended cos2Betab = cosBetab * cosBetab;
    TLoadPoint p;
    p.zn = z / (cos2Betab * cosBeta);
    p.dn = mn * p.zn;
    p.dbn = p.dn * cosAlphan;
    const Extended d = z * mn / cosBeta;
    const Extended pbn = Pi * d * cosBeta * cosAlphan / std::abs(z);
    const Extended dan = p.dn + da - d;
    const Extended eps_alpha_n = eps_alpha / cos2Betab;
    // A tip inside the base circle, or a contact ratio whose single contact
    // lies beyond the tip, leaves no load point: the guarded root says so.
    const Extended tipRoll =
        SafeSqrt2("Error  : YFS->hfe", (dan / 2) * (dan / 2) - (p.dbn / 2) * (p.dbn / 2));
    const Extended roll = tipRoll - pbn * (eps_alpha_n - 1);
    p.den = 2 * (z < 0 ? -1 : 1) * SafeSqrt2("Error  : YFS->hfe", roll * roll + (p.dbn / 2) * (p.dbn / 2));
    return p;
}

} // namespace

// Tooth form and stress correction factor by DIN 3990-3 method B: the load
// at the outer point of single pair contact, the critical section where the
// tangent at 30 degrees to the tooth centre line touches the root fillet.
//
// The ISO routine of method 4 differs from it for a ring gear: it rounds the
// ring's root by the pinion cutter (z0, x0) and takes the section at the
// 60-degree tangent. DIN takes the ring's tooth as the tooth of a rack cut
// by the same tool (the virtual tooth number of a ring is large and
// negative, the rack is its limit): straight flanks at the pressure angle,
// the load normal to them (alphaFen = alpha_n), and half the tool's tip
// radius as the fillet radius at the section. The two may not stand in for
// each other: a ring's root safety under methods 1 and 2 is DIN's.
void ToothFormFactorDin(TGearPairData& g, int i)
{
    // After a fatal error the geometry this rests on is not there.
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal: bending moment !");
        return;
    }
    const int z = g.z[i];
    const Extended mn = g.mn;
    const Extended alphan = g.alpha_rad;
    const Extended x = g.xeF[i];
    const Extended hfP = g.haP0[i];     // the tool's addendum is the dedendum of its basic rack
    const Extended rhofP = g.rhoaP0[i]; // the tool's tip radius rounds the root
    // Protuberance left undercut on the flank after the machining allowance.
    const Extended spr = g.prP0[i] == 0 ? 0 : g.prP0[i] - g.q[i];
    const Extended sinAlphan = std::sin(alphan), cosAlphan = std::cos(alphan), tanAlphan = std::tan(alphan);

    const TLoadPoint p = LoadPointOfSingleContact(z, mn, cosAlphan, g.beta_rad, g.dFamax[i], g.eps_alpha);
    const Extended zn = p.zn;
    Extended sFn = 0, rhoF = 0, hFe = 0, alphaFen = 0;
    if (z >= 1) {
        const Extended E =
            Pi / 4 * mn - hfP * tanAlphan + spr / cosAlphan - (1 - sinAlphan) * rhofP / cosAlphan;
        const Extended G = rhofP / mn - hfP / mn + x;
        const Extended H = 2 / zn * (Pi / 2 - E / mn) - Pi / 3;
        Extended theta = Pi / 6;
        for (int k = 0; k < 10; ++k)
            theta = 2 * G / zn * std::tan(theta) - H;
        const Extended cosTheta = std::cos(theta);
        const Extended fillet = G / cosTheta - rhofP / mn;
        sFn = mn * (zn * std::sin(Pi / 3 - theta) + std::sqrt(3.0L) * fillet);
        rhoF = rhofP + 2 * G * G * mn / (cosTheta * (zn * cosTheta * cosTheta - 2 * G));
        const Extended cosAlphaen = p.dbn / p.den;
        const Extended alphaen = std::fabs(cosAlphaen) > 1 ? SafeArcCos(cosAlphaen) : std::acos(cosAlphaen);
        const Extended gammae =
            (Pi / 2 + 2 * x * tanAlphan) / zn + (tanAlphan - alphan) - (std::tan(alphaen) - alphaen);
        alphaFen = alphaen - gammae;
        hFe = mn / 2 *
              ((std::cos(gammae) - std::sin(gammae) * std::tan(alphaFen)) * p.den / mn -
               zn * std::cos(Pi / 3 - theta) - fillet);
    } else {
        // The rack tooth: half thickness pi mn / 4 at the tool's reference
        // line, hfP above the root; the fillet's centre rhofP above the root
        // and rhofP off the flank (less the protuberance's undercut).
        const Extended centre = Pi / 4 * mn + (hfP - rhofP) * tanAlphan + (rhofP - spr) / cosAlphan;
        const Extended sin30 = 0.5L, cos30 = std::sqrt(3.0L) / 2;
        sFn = 2 * (centre - rhofP * cos30);
        const Extended sectionHeight = rhofP * (1 - sin30);
        // Height of the load point above the root. The root is where the tool
        // put it (the same profile shift that sets the tooth's thickness);
        // on a ring den and dn are negative, den the smaller in magnitude.
        const Extended loadHeight = (p.den - p.dn) / 2 + hfP - x * mn;
        const Extended halfThickness = Pi / 4 * mn + (hfP - loadHeight) * tanAlphan;
        // The load acts normal to the straight flank and meets the centre line
        // below the load point.
        hFe = loadHeight - halfThickness * tanAlphan - sectionHeight;
        alphaFen = alphan;
        rhoF = rhofP / 2;
    }

    g.sFn[i] = sFn;
    g.rhoF[i] = rhoF;
    g.hFe[i] = hFe;
    g.alphaFen[i] = alphaFen;
    g.YF[i] = 6 * (hFe / mn) * std::cos(alphaFen) / ((sFn / mn) * (sFn / mn) * cosAlphan);
    const Extended L = SafeDivide("Error  : YS:HFe=0", sFn, hFe);
    g.qs[i] = SafeDivide("Error  : YS:rhof=0", sFn, 2 * rhoF);
    // A negative notch parameter (a fillet or chord below zero) is no
    // geometry; the guarded power names it.
    g.YS[i] = (1.2L + 0.13L * L) * SafePowerOnce("Error  : YS", g.qs[i], 1 / (1.21L + 2.3L / L));
    // The load line meeting the centre line at or below the critical section
    // (a load point below the section, a tip at the root) gives no bending
    // moment: a form factor of zero or less would make the root look safe.
    if (!(hFe > 0)) AddFatalMessage("Fatal: Biegehebelarm !");
}

Extended RunningInAllowance(int MaterialKind, int HeatTreatment, Extended SigmaHlim)
{
    const TGearPairData& g = GearPair;
    Extended y = MinExt(320 / SigmaHlim * g.Fbetax, g.Fbetax);
    if (g.v > 10)
        y = MinExt(y, 12800 / SigmaHlim);
    else if (g.v > 5)
        y = MinExt(y, 25600 / SigmaHlim);
    if (MaterialKind == 5 || MaterialKind == 6) {
        y = 0.55L * g.Fbetax;
        if (g.v > 10)
            y = MinExt(y, 22);
        else if (g.v > 5)
            y = MinExt(y, 45);
    }
    if (HeatTreatment >= 2) y = MinExt(0.15L * g.Fbetax, 6);
    return y;
}

Extended WorkHardeningFactor(Extended HB)
{
    return ClampExt(1.0L, 1.2L, 1.2L - (HB - 130) / 1700);
}

Extended RunningInCay(Extended SigmaHlim)
{
    const Extended t = SigmaHlim / 97 - 18.45L;
    return t * t / 18 + 1.5L;
}

void CalcDin3990()
{
    TGearPairData& g = GearPair;
    const bool part41 = g.CalcMethod == 2;

    // 1: single stiffness and mesh stiffness.
    const Extended qmin = 0.04723L + 0.15551L / g.zn[1] + 0.25791L / g.zn[2] - 0.00635L * g.x[1] -
                          0.11654L * g.x[1] / g.zn[1] - 0.00193L * g.x[2] - 0.24188L * g.x[2] / g.zn[2] +
                          0.00529L * g.x[1] * g.x[1] + 0.00182L * g.x[2] * g.x[2];
    PairArray<Extended> CB{};
    for (int i = 1; i <= 2; ++i)
        CB[i] = (1 + 0.5L * (1.2L - g.haP0[i] / g.mn)) * (1 - 0.02L * (20 - g.alpha));
    g.c_single = (CB[1] + CB[2]) / 2 * 0.8L * (1 / qmin) * KeptCos(g.beta_rad);
    g.c_gamma = std::fabs(g.c_single * (0.75L * g.eps_alpha + 0.25L));

    // 2: reduced mass.
    if (g.rho[1] == 0 || g.rho[2] == 0) {
        AddFatalMessage("Fatal  : rho = 0 !");
        return;
    }
    {
        const Extended q1 = SafeDivide("Error  : m red", g.di[1], g.dm[1]);
        const Extended q2 = SafeDivide("Error  : m red", g.di[2], g.dm[2]);
        Extended inv = 1 / ((1 - IntPower(q1, 4)) * g.rho[1]);
        // The ring of an internal pair sits in the housing and is far heavier
        // than the pinion: its term (negative, its rim lies outside the teeth)
        // is dropped and the pinion alone resonates.
        if (g.z[2] > 0) inv += 1 / ((1 - IntPower(q2, 4)) * g.rho[2] * g.u * g.u);
        g.m_red = 3.9269908169872417e-7L * IntPower(g.dm[1], 4) / (g.db[1] * g.db[1]) / inv;
    }

    // 3: resonance speed.
    if (g.m_red > 0) {
        g.nE[1] = 9549.29658551372L / g.z[1] * SafeSqrt("Error  : ne(freq)", g.c_gamma / g.m_red);
        if (telmvar.FatalCalcError) {
            AddErrorMessage("Fatal: m red !");
            return;
        }
        g.nE[2] = g.nE[1] / g.u;
    } else {
        AddErrorMessage("Fatal: m red <=0 !");
        g.nE[1] = 0;
        g.nE[2] = 0;
    }

    // 4: dynamic factor constants.
    const Extended eg = g.eps_gamma;
    Extended Cv1 = 0.32L, Cv2 = 0.34L, Cv3 = 0.23L, Cv4 = 0.90L, Cv5 = 0.47L, Cv6 = 0.47L;
    if (eg > 2) {
        Cv2 = 0.57L / (eg - 0.3L);
        Cv3 = 0.096L / (eg - 1.56L);
        Cv4 = (0.57L - 0.05L * eg) / (eg - 1.44L);
        Cv6 = 0.12L / (eg - 1.74L);
    }
    const Extended Cv7 = DynamicFactorCv7(eg);
    const Extended Ca = Mean2(RunningInCay(g.SigmaHlim[1]), RunningInCay(g.SigmaHlim[2]));

    // 5: effective deviations after running-in.
    g.y_alpha =
        Mean2(RunningInAllowanceAlpha(g.HeatTreatment[1], g.MaterialKind[1], g.fpT[1], g.v, g.SigmaHlim[1]),
              RunningInAllowanceAlpha(g.HeatTreatment[2], g.MaterialKind[2], g.fpT[2], g.v, g.SigmaHlim[2]));
    const Extended fpbEff = MaxExt(MaxExt(g.fpT[1], g.fpT[2]) - g.y_alpha, 0);
    const Extended yf = Mean2(
        RunningInAllowanceAlpha(g.HeatTreatment[1], g.MaterialKind[1], g.ffalphaT[1], g.v, g.SigmaHlim[1]),
        RunningInAllowanceAlpha(g.HeatTreatment[2], g.MaterialKind[2], g.ffalphaT[2], g.v, g.SigmaHlim[2]));
    const Extended ffEff = MaxExt(MaxExt(g.ffalphaT[1], g.ffalphaT[2]) - yf, 0);

    // 6: line load.
    g.FtPerB = g.Ft / g.b_effH;
    const Extended KA = ApplicationFactorF(g);
    if (KA == 0) {
        AddFatalMessage("Fatal  : KA = 0!");
        return;
    }

    // 7: dynamic factor, method B. The resonance ratio uses the magnitude of
    // the speed: its sign only gives the direction of rotation.
    if (g.FtPerB == 0) {
        AddErrorMessage("Error  : Ft=0");
        g.Kv = 1;
    } else {
        const Extended w = KA * g.FtPerB;
        const Extended Bp = g.c_single * fpbEff / w;
        const Extended Bf = g.c_single * ffEff / w;
        const int grade = MaxInt(g.FlankToleranceClass[1], g.FlankToleranceClass[2]);
        const Extended BK = grade > 6 ? 1 : std::fabs(1 - g.c_single * Ca / w);
        Extended N = 1;
        if (g.nE[1] == 0)
            AddErrorMessage("Fatal  : ne1=0!");
        else
            N = std::fabs(g.n[1] / g.nE[1]);
        const Extended KM = Cv1 * Bp + Cv2 * Bf + Cv4 * BK + 1;
        const Extended KS = Cv5 * Bp + Cv6 * Bf + Cv7;
        if (N <= 0.85L)
            g.Kv = N * (Cv1 * Bp + Cv2 * Bf + Cv3 * BK) + 1;
        else if (N <= 1.15L)
            g.Kv = KM;
        else if (N <= 1.5L)
            g.Kv = KS + (KM - KS) * (1.5L - N) / 0.35L;
        else
            g.Kv = KS;
    }

    // 8: mean line load. Below 100 N/mm the teeth are taken as loaded with 100
    // whether or not the warning is shown: a display switch must not change
    // the result.
    g.FmPerB = g.Kv * KA * g.Ft / g.b_effH;
    if (KA * g.Ft / g.b_effH < 100) {
        if (!wtelmvar.HideWarnings) AddJudgementMessage("Warning: Ft/b*KA < 100 !");
        g.FmPerB = 100 * g.Kv;
    }

    // 9: mesh misalignment from manufacturing.
    if (!g.FmaEntered) {
        g.fma = g.fHbetaT[1];
        if (g.IsLappingIn || g.IsToothTraceCorrection || g.IsCrowning) g.fma = 0.5L * g.fHbetaT[1];
        if (g.IsEndRelief) g.fma = 0.7L * g.fHbetaT[1];
    }

    // 10: factor of the shaft deflection.
    Extended B = 0.023L;
    if (g.IsEndRelief) B = 0.016L;
    if (g.IsCrowning) B = 0.012L;
    if (g.IsDoubleHelical) B = 0.046L;
    if (g.IsDoubleHelical && (g.IsCrowning || g.IsEndRelief)) B = 0.024L;

    // 11-13: bearing geometry.
    if (g.l_bearing == 0) {
        g.l_bearing = g.d[1];
        g.s_bedding = 0;
        AddErrorMessage("Fatal  : l1 angepasst");
    }
    if (!wtelmvar.HideWarnings && g.l_bearing != 0) {
        const Extended sl = g.s_bedding / g.l_bearing;
        const int arr = g.BearingArrangementNo;
        if ((arr == 1 || arr == 2 || arr == 4 || arr == 5) && sl > 0.3L)
            AddErrorMessage("Warning: s/l > 0.3 !");
        if (arr == 3 && sl > 0.5L) AddErrorMessage("Warning: s/l > 0.5 !");
    }
    static constexpr Extended kWithout[] = {0.8L, -0.8L, 1.33L, -0.6L, -1.0L};
    static constexpr Extended kWith[] = {0.48L, -0.48L, 1.33L, -0.36L, -0.6L};
    if (g.BearingArrangementNo >= 1 && g.BearingArrangementNo <= 5)
        g.Kprime =
            g.IsSupportingEffect ? kWith[g.BearingArrangementNo - 1] : kWithout[g.BearingArrangementNo - 1];

    // 14: pinion shaft diameter, at most the root diameter.
    if ((g.df[1] < g.dsh || g.dsh == 0) && g.df[1] > 0) g.dsh = g.df[1] >= 1 ? std::trunc(g.df[1]) : g.df[1];
    if (g.dsh == 0) {
        AddFatalMessage("Fatal: dsh = 0 !");
        return;
    }

    // 15: misalignment by shaft deflection.
    const Extended bendTerm = g.l_bearing * g.s_bedding / (g.d[1] * g.d[1]) * IntPower(g.d[1] / g.dsh, 4);
    if (!g.FshEntered) {
        const Extended K = g.Kprime * bendTerm;
        if (g.IsDoubleHelical) {
            const Extended r = g.b_effH / (2 * g.d[1]);
            g.fsh = B * g.FmPerB * (0.3L + std::fabs(K + 1.5L - 0.3L)) * r * r;
        } else {
            const Extended r = g.b_effH / g.d[1];
            g.fsh = B * g.FmPerB * (0.3L + std::fabs(K + 1 - 0.3L)) * r * r;
        }
    }
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal: Fsh !");
        return;
    }

    // 16: initial misalignment; a contact pattern that shows the deflection
    // compensated leaves only the difference to the helix slope deviation.
    g.Fbetax = g.fma + 1.33L * g.fsh;
    {
        const Extended Bstar = g.IsDoubleHelical ? 1.5L : 1;
        const Extended X = std::fabs(g.Kprime) * bendTerm;
        const int cp = g.ContactPatternNo;
        if (g.IsToothTraceCorrection || cp == 1 || cp == 6 || (cp == 3 && X > Bstar) ||
            (cp == 4 && X < Bstar - 0.3L))
            g.Fbetax = std::fabs(1.33L * g.fsh - g.fHbeta5);
        const Extended Fmin = MaxExt(0.005L * g.FmPerB, 0.5L * g.fHbetaT[1]);
        if (g.IsToothTraceCorrection && g.Fbetax < Fmin) g.Fbetax = Fmin;
    }

    // 17: running-in of the misalignment.
    g.y_beta = Mean2(RunningInAllowance(g.MaterialKind[1], g.HeatTreatment[1], g.SigmaHlim[1]),
                     RunningInAllowance(g.MaterialKind[2], g.HeatTreatment[2], g.SigmaHlim[2]));
    g.Fbetay = g.Fbetax - g.y_beta;

    // 18-19: face load factor of the flank.
    if (!part41) {
        if (g.FmPerB == 0) {
            AddErrorMessage("Fatal  : Fmb = 0 !");
            g.KHbeta = 1;
        } else {
            const Extended Q = g.c_gamma * g.Fbetay / (2 * g.FmPerB);
            if (Q < 1)
                g.KHbeta = 1 + Q;
            else
                g.KHbeta = SafeSqrt("Error  : F\xE1y", 2 * g.c_gamma * g.Fbetay / g.FmPerB);
        }
    } else {
        if (!g.FmaEntered) g.fma = 0.5L * MaxExt(g.fHbetaT[1], g.fHbetaT[2]);
        g.Fbetax = g.fma;
        g.y_beta = MinExt(6, 0.15L * g.Fbetax);
        g.Fbetay = g.Fbetax - g.y_beta;
        if (g.FmPerB == 0) {
            AddErrorMessage("Fatal  : Fmb = 0 !");
            g.KHbeta = 1;
        } else {
            g.KHbeta = 1 + g.Fbetay * g.c_gamma / (2 * g.FmPerB);
        }
        if (g.KHbeta > 2) AddErrorMessage("Error  : KHbeta>2! DIN 33990 T.41");
    }

    // 20: face load factor of the root. Without a tooth depth the factors of
    // this run cannot be completed: that is fatal for the pair, so that no
    // stress is formed from the factors of an earlier run.
    const Extended hmax = MaxExt(g.h[1], g.h[2]);
    if (hmax == 0) {
        AddFatalMessage("Fatal: h0 !");
        return;
    }
    {
        const Extended bh = MaxExt(3, g.b_effH / hmax);
        const Extended NF = bh * bh / (1 + bh + bh * bh);
        g.KFbeta = SafePower("Error  : KF\xE1", g.KHbeta, NF);
    }

    // 21-23: contact ratio and helix factors. The helix factor of the root
    // counts the helix angle up to 30 degrees only, as the tooth root part of
    // the standard does; beyond that it would fall below its 0.75 floor.
    g.Y_eps = 0.25L + 0.75L * KeptCos(g.beta_b) * KeptCos(g.beta_b) / g.eps_alpha;
    {
        const Extended betaY = MinExt(g.beta, 30);
        g.Y_beta = 1 - betaY * g.eps_beta / 120;
        if (g.eps_beta > 1) g.Y_beta = 1 - betaY / 120;
        g.Y_beta = MaxExt(g.Y_beta, 1 - 0.25L * g.eps_beta);
    }
    if (g.eps_beta >= 1)
        g.Z_eps = SafeSqrt("Error  : Z eps.", 1 / g.eps_alpha);
    else
        g.Z_eps =
            SafeSqrt("Error  : Z eps.", g.eps_beta / g.eps_alpha + (1 - g.eps_beta) * (4 - g.eps_alpha) / 3);

    // 24-26: transverse load factors.
    g.y_alpha = Mean2(RunningInYalpha(g.MaterialKind[1], g.HeatTreatment[1], g.SigmaHlim[1], g.v, g.fpT[1]),
                      RunningInYalpha(g.MaterialKind[2], g.HeatTreatment[2], g.SigmaHlim[2], g.v, g.fpT[2]));
    if (g.FmPerB == 0) {
        g.KHalpha = 1;
    } else {
        const Extended term = g.c_gamma * (g.fpT[2] - g.y_alpha) / g.FmPerB / g.KHbeta;
        if (g.eps_gamma <= 2)
            g.KHalpha = g.eps_gamma / 2 * (0.9L + 0.4L * term);
        else
            g.KHalpha =
                0.9L + 0.4L * SafeSqrt("Error  : KHalpha", 2 * (g.eps_gamma - 1) / g.eps_gamma) * term;
    }
    // Without a transverse contact ratio no factor of this run is sound.
    if (g.eps_alpha <= 0) {
        AddFatalMessage("Fatal: eps.alpha <=0 !");
        return;
    }
    if (g.Z_eps <= 0) AddErrorMessage("Fatal  : Zeps.<=0 !");
    if (g.Z_eps != 0) g.KHalpha = ClampExt(1, g.eps_gamma / (g.eps_alpha * g.Z_eps * g.Z_eps), g.KHalpha);
    g.KFalpha = g.KHalpha;

    // 27-29: zone, single contact and helix factors of the flank.
    g.ZH = SafeSqrt("Error  : ZH", 2 * KeptCos(g.beta_b) / KeptTan(g.alpha_wt)) / KeptCos(g.alpha_t);
    g.ZB = 1;
    if (g.z[1] < 20) {
        const Extended p = Pi * g.mn * KeptCos(g.alpha_rad);
        Extended A = (SafeSqrt("Error  : ZB", g.da[1] * g.da[1] - g.db[1] * g.db[1]) - 2 * p) / g.db[1];
        if (A <= 0) A = 0.01L;
        Extended C = ((g.u + 1) * KeptTan(g.alpha_wt) * KeptCos(g.beta_rad) - A) / g.u;
        if (C <= 0) {
            AddErrorMessage("Error  : ZB !  z1, u0 !");
            C = 0.01L;
        }
        g.ZB = MaxExt(1, KeptTan(g.alpha_wt) * KeptCos(g.beta_rad) / SafeSqrt("Error  : ZB", A * C));
    }
    g.Z_beta = std::sqrt(KeptCos(g.beta_rad));

    // 30: lubricant and velocity factors.
    const Extended sigma = ClampExt(850, 1200, MinExt(g.SigmaHlim[1], g.SigmaHlim[2]));
    {
        const Extended CZL = 0.83L + 0.08L * (sigma - 850) / 350;
        const Extended t = 1.2L + 80 / g.v50;
        g.ZL = CZL + 4 * (1 - CZL) / (t * t);
        const Extended CZV = 0.85L + 0.08L * (sigma - 850) / 350;
        if (g.v != 0) g.Zv = CZV + 2 * (1 - CZV) / std::sqrt(0.8L + 32 / g.v);
    }

    // 31: roughness factor.
    if (part41) {
        if (g.a != 0)
            g.ZR =
                1.02L * SafePower("Error  : ZR 2 ",
                                  SafePower("Error  : ZR", std::fabs(g.a), 1.0L / 3) / (g.RzZ[1] + g.RzZ[2]),
                                  0.08L);
    } else {
        const Extended CZR = 0.12L + (1000 - sigma) / 5000;
        Extended Rz100 = (g.RzZ[1] + g.RzZ[2]) / 2;
        if (g.a != 0) Rz100 *= SafePower("Error  : Rz100", 100 / std::fabs(g.a), 1.0L / 3);
        g.ZR = SafePower("Error  : ZR", 3 / Rz100, CZR);
    }

    // 32: work hardening of a soft gear by a hardened, smooth mate.
    g.ZW = 1;
    {
        const bool hard1 = g.HeatTreatment[1] != 0, hard2 = g.HeatTreatment[2] != 0;
        if (hard1 != hard2) {
            const int hard = hard1 ? 1 : 2;
            if (g.RzZ[hard] <= 6) g.ZW = WorkHardeningFactor(g.HBmin);
        }
    }

    // 33: size factor of the flank.
    for (int i = 1; i <= 2; ++i) {
        g.ZX[i] = SizeFactorZXDin(g.HeatTreatment[i], g.mn);
        if (telmvar.FatalCalcError) {
            AddErrorMessage("Fatal: ZX !");
            g.ZX[i] = 1;
        }
    }

    // 34-38: tooth root factors.
    for (int i = 1; i <= 2; ++i)
        ToothFormFactorDin(g, i);
    for (int i = 1; i <= 2; ++i) {
        g.YdrelT[i] = 0.9434L + 0.0231L * SafeSqrt("Error  : Ydrelt", 1 + g.qs[i]);
        g.YRrelT[i] = MinExt(1.674L - 0.529L * SafePower("Error  : YRrel", g.RzY[i] + 1, 0.1L), 1.12L);
    }
    for (int i = 1; i <= 2; ++i) {
        g.YX[i] = SizeFactorYXDin(g.HeatTreatment[i], g.MaterialKind[i], g.mn);
        if (telmvar.FatalCalcError) {
            AddErrorMessage("Fatal: YX !");
            g.YX[i] = 1;
        }
    }
    for (int i = 1; i <= 2; ++i)
        g.YA[i] = g.Np[i] == 0 ? 1 : MinExt(0.6275L + 0.0417L * Log10Safe(g.Np[i]), 1);
}
