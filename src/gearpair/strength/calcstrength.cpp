#include "gearpair/strength/calcstrength.h"

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "gearpair/gearbody.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifedin.h"
#include "gearpair/strength/din3990.h"
#include "gearpair/strength/facewidth.h"
#include "gearpair/strength/iso6336.h"
#include "gearpair/strength/loadfreememo.h"
#include "gearpair/strength/strengthfactors.h"

#include <cmath>
#include <string>

namespace
{

bool CheckInputs(const TGearPairData& g)
{
    for (int i = 1; i <= 2; ++i) {
        if (g.RzZ[i] == 0 || g.RzY[i] == 0) {
            AddFatalMessage("Fatal  : Rz = 0 !");
            return false;
        }
    }
    if (g.E[1] == 0 || g.E[2] == 0) {
        AddFatalMessage("Fatal  : E-Modul = 0 !");
        return false;
    }
    if (g.SigmaHlim[1] == 0 || g.SigmaHlim[2] == 0) {
        AddFatalMessage("Fatal  : SigmaHlim = 0 !");
        return false;
    }
    if (g.Sigma_FE[1] == 0 || g.Sigma_FE[2] == 0) {
        AddFatalMessage("Fatal  : SigmaFE = 0 !");
        return false;
    }
    return true;
}

// The application factors in force: the entered ones, or a load spectrum's,
// which the pair may put in force between two runs that keep the parts
// formed without the load.
bool CheckApplicationFactors(const TGearPairData& g)
{
    if (ApplicationFactorF(g) == 0) {
        AddFatalMessage("Fatal  : KAF = 0 !");
        return false;
    }
    if (ApplicationFactorH(g) == 0) {
        AddFatalMessage("Fatal  : KAH = 0 !");
        return false;
    }
    return true;
}

Extended ShiftForRoot(const TGearPairData& g, int i)
{
    switch (g.YFYSShiftMode) {
    case 1:
        return Mean2(g.xemin[i], g.xemax[i]);
    case 2:
        return g.xemin[i];
    case 3:
        return g.xemax[i];
    case 4:
        return Mean2(g.xevmin[i], g.xevmax[i]);
    case 5:
        return g.xevmin[i];
    case 6:
        return g.xevmax[i];
    default:
        return g.x[i];
    }
}

std::string SafetyText(Extended S)
{
    std::string text;
    FormatFloatFixed(1, 2, text, S);
    return text;
}

void FixRimAndBore(TGearPairData& g)
{
    if (g.z[2] < 0 && g.di[2] == 0) g.di[2] = DefaultRimDiameter(2);
    for (int i = 1; i <= 2; ++i) {
        if (g.di[i] == 0 && g.dB[i] != 0) g.di[i] = g.dB[i];
        if (g.z[i] < 0 && g.di[i] > 0) g.di[i] = -g.di[i];
        if (g.di[i] >= g.df[i]) {
            g.di[i] = 0;
            AddErrorMessage("di angepa\xE1t !");
        }
    }
    if (g.z[2] < 0 && g.dB[2] == 0 && g.di[2] < g.df[2]) g.dB[2] = g.di[2];
    if (g.z[2] < 0 && g.dB[2] < 0 && g.di[2] < g.dB[2]) g.di[2] = g.dB[2];
}

// Work hardening raises the durability of the softer gear that a hard, smooth
// mate polishes; the hard gear itself gains nothing. The ISO rule is formed
// for a soft wheel; the DIN rule for whichever gear is not hardened. Entered
// factors apply as entered. ZW is therefore not applied to both gears: on
// the hardened gear it would raise a permissible contact stress that no cold
// working backs (its surface is already at its hardness), and the pair's
// pitting safety, which the weaker gear decides, would come out up to 20 %
// too high.
bool GainsWorkHardening(const TGearPairData& g, int i)
{
    if (g.CalcMethod == 4) return i == 2;
    if (g.CalcMethod == 1 || g.CalcMethod == 2) {
        const bool hard1 = g.HeatTreatment[1] != 0, hard2 = g.HeatTreatment[2] != 0;
        if (hard1 != hard2) return !(i == 1 ? hard1 : hard2);
    }
    return true;
}

void ClearPittingLives(TGearPairData& g)
{
    for (int i = 1; i <= 2; ++i) {
        g.LtH[i] = 0;
        g.LtH2[i] = 0;
        g.NLH[i] = 0;
        g.NLH2[i] = 0;
    }
}

} // namespace

Extended DefaultRimDiameter(int i)
{
    const TGearPairData& g = GearPair;
    if (g.dB[i] == 0) return Round(g.df[i] - 3 * g.h[i]);
    return g.dB[i];
}

Extended CalcPittingLife(int HeatTreatment, int MaterialKind, int Variant, Extended S, Extended n,
                         Extended LoadsPerRevolution, Extended ZRvL, Extended One, Extended& NL)
{
    if (GearPair.CalcMethod == 4)
        return PittingLifeFromSafety(MaterialKind, HeatTreatment, Variant, S, n, LoadsPerRevolution, ZRvL,
                                     One, NL);
    return PittingLifeDin(HeatTreatment, MaterialKind, Variant, S, n, LoadsPerRevolution, ZRvL, NL);
}

Extended CalcRootLife(int HeatTreatment, int MaterialKind, Extended& NL, Extended S, Extended n,
                      Extended LoadsPerRevolution)
{
    if (GearPair.CalcMethod == 4)
        return RootLifeFromSafety(MaterialKind, HeatTreatment, NL, S, n, LoadsPerRevolution);
    return RootLifeDin(HeatTreatment, MaterialKind, NL, S, n, LoadsPerRevolution);
}

void CalcStrength()
{
    TGearPairData& g = GearPair;
    TLoadFreeMemo* const loadFree = TLoadFreeMemo::Active();
    // A search's trials read the safeties alone; their lives stay cleared.
    const bool formsLives = g.LifeFactorInput == 0 && !loadFree;

    // 1
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal  : Geometry");
        return;
    }
    // 2: an internal wheel with as many teeth as the pinion is no gear pair.
    // It ends the run whether or not warnings are shown (a display switch
    // must not decide whether results are formed), and as a fatal error, so
    // that no result of an earlier run is read as this pair's. The entered
    // load stays as it was.
    if (g.z[1] + g.z[2] == 0) {
        AddFatalMessage("Warning: z1+z2=0 !");
        return;
    }
    // 3-4: inputs that a search's first trial found usable are so for the
    // later ones, but for the application factors; the parts it kept are
    // formed from the same inputs.
    if (loadFree) loadFree->Enter(g);
    const TStrengthLoadFree* const kept = loadFree ? loadFree->StrengthParts() : nullptr;
    if ((!kept && !CheckInputs(g)) || !CheckApplicationFactors(g)) return;
    if (!kept) {
        if (g.nu[1] <= 0 || g.nu[2] <= 0) AddErrorMessage("Error  : mue <= 0 !");
        if (g.nu[1] >= 1 || g.nu[2] >= 1) AddErrorMessage("Error  : mue >= 1 !");
    }
    // 5-7
    // A run with kept parts finds the flags, widths, rims and bores, the
    // speeds and the shifts of the root in the pair as the run that kept
    // them left them (the trials change nothing but the load, and a pair
    // whose adjusted inputs changed forms them again).
    TStrengthLoadFree formed;
    if (!kept) {
        g.IsCrowning = IsYesChar(g.Crowning);
        g.IsLappingIn = IsYesChar(g.LappingIn);
        g.IsEndRelief = IsYesChar(g.EndRelief);
        g.IsDoubleHelical = IsYesChar(g.DoubleHelical);
        g.IsSupportingEffect = IsYesChar(g.SupportingEffect);
        g.IsToothTraceCorrection = IsYesChar(g.ToothTraceCorrection);
        g.HBmin = MinExt(g.HB[1], g.HB[2]);
        CalcEffectiveFaceWidth();
    }
    // 8-9
    if (!kept) {
        g.n[2] = g.n[1] * g.z[1] / g.z[2];
        g.v = std::fabs(g.d[1] * g.n[1] * Pi / 60000);
    }
    if (g.n[1] == 0 && g.LifeFactorInput != 1) AddErrorMessage("n1=0 -> ZNT=1, YNT=1");
    // 10-11
    if (g.T[1] == 0 && g.P > 0 && g.n[1] > 0) g.T[1] = g.P * 60000 / (g.n[1] * 2 * Pi);
    if (!(std::fabs(g.P - g.n[1] * g.T[1] * 2 * Pi / 60000) < 0.1L)) AddErrorMessage("Fatal  : P<>T*n*2PI");
    // 12
    g.T[2] = g.u * g.T[1];
    g.Ft = SafeDivide("Ft", g.T[1] * 2000, g.d[1]);
    if (g.dw[1] == 0) {
        AddFatalMessage("Fatal  : dw1 = 0 !");
        return;
    }
    const TStrengthLoadFree& parts = kept ? *kept : formed;
    if (!kept) {
        formed.TanBetaW = KeptTan(g.beta_w);
        formed.TanAlphaWt = TanOfWorkingAngle(g.alpha_wt);
        formed.CosAlphaWt = KeptCos(g.alpha_wt);
    }
    g.Ftw = g.T[1] / g.dw[1] * 2000;
    g.Fxw = g.IsDoubleHelical ? 0 : g.Ftw * parts.TanBetaW;
    g.Frw = g.Ftw * parts.TanAlphaWt;
    g.Fnw = g.Ftw / parts.CosAlphaWt;
    // 13-15
    if (!kept) {
        FixRimAndBore(g);
        formed.ZE = SafeSqrt(
            "Error  : ZE", (1 / Pi) / ((1 - g.nu[2] * g.nu[2]) / g.E[2] + (1 - g.nu[1] * g.nu[1]) / g.E[1]));
        for (int i = 1; i <= 2; ++i)
            if (g.z[i] > 0 && g.dB[i] < g.df[i])
                formed.RootModulus[i] = HollowPolarSectionModulus(g.df[i], g.dB[i]);
        if (loadFree) loadFree->KeepStrengthParts(formed);
    }
    // The ISO factors a memo kept are in the pair, its own ZE among them.
    const bool isoKept = loadFree && g.CalcMethod == 4 && loadFree->IsoFactorsKept();
    if (!isoKept) g.ZE = parts.ZE;
    if (!kept) {
        for (int i = 1; i <= 2; ++i)
            g.xeF[i] = ShiftForRoot(g, i);
    }

    // Without a common face width (a zero width, or gears that do not overlap
    // axially) no line load exists for any method.
    if (!(g.b_effH > 0)) {
        AddFatalMessage("Fatal  : beff=0!");
        return;
    }

    // 16
    if (g.CalcMethod == 1 || g.CalcMethod == 2)
        CalcDin3990();
    else if (g.CalcMethod == 4)
        CalcIso6336();

    // What rests on the ISO factors and the materials alone is formed once
    // for the runs that take the factors from a memo.
    const TIsoStressLimits* const keptLimits = isoKept ? loadFree->IsoStressLimits() : nullptr;

    // 17-18
    const Extended Q = (g.u + 1) * (g.Ft / (g.b_effH * g.d[1])) / g.u;
    const Extended Zall = keptLimits ? keptLimits->Zall : g.Z_beta * g.Z_eps * g.ZE * g.ZH;
    g.SigmaH0 = Zall * SafeSqrt("SigmaH0: u", Q);
    g.SigmaHC = Zall * SafeSqrt("Error  : Sigma HC", Q) *
                SafeSqrt("Error  : Sigma HC", g.KHalpha * g.KHbeta * g.Kv * ApplicationFactorH(g));
    if (telmvar.FatalCalcError) {
        AddErrorMessage("Fatal: Sigma HC !");
        return;
    }

    // 19-21: contact stress, permissible stress, pitting safety and life.
    g.SigmaH[1] = g.ZB * g.SigmaHC;
    g.SigmaH[2] = g.CalcMethod == 4 ? g.ZD * g.SigmaHC : g.SigmaHC;
    if (keptLimits) {
        g.SigmaHG = keptLimits->SigmaHG;
    } else {
        for (int i = 1; i <= 2; ++i) {
            const Extended ZW = GainsWorkHardening(g, i) ? g.ZW : 1;
            g.SigmaHG[i] = g.ZX[i] * ZW * g.ZR * g.Zv * g.ZL * g.SigmaHlim[i];
            if (g.LifeFactorInput == 1) g.SigmaHG[i] *= g.ZNT[i];
        }
    }
    // Lives that this run does not calculate are cleared, so that no life of
    // an earlier load or method is read as this run's.
    ClearPittingLives(g);
    if (g.SigmaH[1] == 0) {
        if (g.z[1] + g.z[2] != 0) AddErrorMessage("Fatal  : SH !");
        g.SH[1] = 0;
        g.SH[2] = 0;
    } else {
        for (int i = 1; i <= 2; ++i) {
            if (g.SigmaH[i] == 0) {
                // An entered ZD of 0 leaves no stress to compare with.
                AddErrorMessage("Fatal  : SH !");
                g.SH[i] = 0;
                continue;
            }
            g.SH[i] = g.SigmaHG[i] / g.SigmaH[i];
            if (formsLives) {
                const Extended ZRvL = g.ZR * g.Zv * g.ZL;
                g.LtH[i] = CalcPittingLife(g.HeatTreatment[i], g.MaterialKind[i], 0, g.SH[i], g.n[i], g.e[i],
                                           ZRvL, 1.0L, g.NLH[i]);
                g.LtH2[i] = CalcPittingLife(g.HeatTreatment[i], g.MaterialKind[i], 2, g.SH[i], g.n[i], g.e[i],
                                            ZRvL, 1.0L, g.NLH2[i]);
            }
            if (g.SH[i] < 1 && JudgementsKept())
                AddJudgementMessage("Warning: SH<1 (" + std::to_string(i) + ") (" + SafetyText(g.SH[i]) +
                                    ") !");
        }
    }

    // 22: tooth root.
    for (int i = 1; i <= 2; ++i) {
        if (g.CalcMethod == 4)
            g.SigmaF0[i] = g.Ft / (g.b_effF[i] * g.mn) * g.YF[i] * g.YSg[i] * g.Y_beta * g.YB[i] * g.YDT;
        else
            g.SigmaF0[i] = g.Ft / (g.b_effF[i] * g.mn) * g.YF[i] * g.YS[i] * g.Y_beta;
        g.SigmaF[i] = g.SigmaF0[i] * ApplicationFactorF(g) * g.Kv * g.KFbeta * g.KFalpha;
        if (keptLimits) {
            g.SigmaFG[i] = keptLimits->SigmaFG[i];
        } else {
            g.SigmaFG[i] = g.Sigma_FE[i] * g.YdrelT[i] * g.YRrelT[i] * g.YX[i] * g.YA[i];
            if (g.LifeFactorInput == 1) g.SigmaFG[i] *= g.YNT[i];
        }
        g.LtF[i] = 0;
        g.NLF[i] = 0;
        if (!(g.SigmaF[i] > 0)) {
            AddErrorMessage("Fatal  : Sigma F = 0 !");
            g.SF[i] = 0;
        } else {
            g.SF[i] = g.SigmaFG[i] / g.SigmaF[i];
            if (formsLives)
                g.LtF[i] =
                    CalcRootLife(g.HeatTreatment[i], g.MaterialKind[i], g.NLF[i], g.SF[i], g.n[i], g.e[i]);
        }
        if (g.SF[i] < 1 && JudgementsKept())
            AddJudgementMessage("Warning: SF<1 (" + std::to_string(i) + ") (" + SafetyText(g.SF[i]) + ") !");
        if (loadFree) continue;
        g.nS = g.nE[i] == 0 ? 0 : g.n[i] / g.nE[i];
        if (g.nS > 0.85L && g.nS <= 1.15L && MessagesKept())
            AddErrorMessage("Warning: resonance (" + std::to_string(i) + ")");
        if (g.nS > 1.15L && g.nS <= 1.5L && MessagesKept())
            AddErrorMessage("Warning: upper resonance (" + std::to_string(i) + ")");
    }
    // A search and its gate read the safeties alone; the run at the nominal
    // load after them forms the rest.
    if (loadFree) {
        if (isoKept && !keptLimits) loadFree->KeepIsoStressLimits({Zall, g.SigmaHG, g.SigmaFG});
        return;
    }

    // 23: bores, masses and inertias.
    for (int i = 1; i <= 2; ++i) {
        if (g.z[i] <= 0) continue;
        if (!wtelmvar.HideWarnings && g.dB[i] > g.df[i] - 2 * g.mn && MessagesKept())
            AddErrorMessage("Warning: d bore > 0.6 df (" + std::to_string(i) + ")");
        if (g.dB[i] < g.df[i]) {
            const Extended W = parts.RootModulus[i];
            if (W > 0 && g.T[i] * 1000 / W > 0.7L * g.Sigma_FE[i])
                AddErrorMessage("Error  : tau(df-dbore)>Sig.FE*0.7");
        }
    }
    for (int i = 1; i <= 2; ++i) {
        GearBodyMassInertia(g.da[i], g.df[i], g.di[i], g.dB[i], g.b[i], g.rho[i], g.m[i], g.J[i]);
    }

    // 24-25
    if (g.eps_alpha < g.KHalpha) AddJudgementMessage("Warning: KHalpha > eps.alpha !");
    if (g.eps_alpha < g.KFalpha) AddJudgementMessage("Warning: KFalpha > eps.alpha !");
    const int z0 = PinionCutterTeeth(g);
    if (g.z[2] < 0 && g.CalcMethod == 4 && (z0 == 0 || z0 > -g.z[2])) AddErrorMessage("Warning: z0 cutter !");
}
