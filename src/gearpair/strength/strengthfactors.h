#pragma once
// Stateless factor functions of the load capacity calculation of a cylindrical
// gear pair (ISO 6336 and the shared pieces of DIN 3990).
//
// Every input is an argument and every result a return value or an output
// reference: none of these functions touches the gear-pair variables, so the
// method routines can call them for either gear and the tests can check each
// factor alone. Lengths mm, deviations and allowances um, stresses N/mm2,
// speeds m/s, viscosities mm2/s, angles radians unless a name says degrees.
//
// Material codes (MaterialKind 1..8, HeatTreatment 0..7) are passed as plain
// integers; see gearpair variables for their texts.

#include "foundation/guardedmath.h"
#include "foundation/types.h"

#include <string>

// Results of the tooth root geometry that the report prints beside YF and YS.
struct TToothRootShape {
    Extended sFn = 0;      // tooth root chord at the critical section
    Extended rhoF = 0;     // root fillet radius at the critical section
    Extended hFe = 0;      // bending moment arm, load at the outer point of single contact
    Extended alphaFen = 0; // load direction angle at that point
    Extended qs = 0;       // notch parameter sFn / (2 rhoF)
};

// A message of a factor, counted: a caller that keeps factors for later runs
// keeps only those formed without a message (with GuardedReportCount for the
// messages of the guarded routines), so that each run says it again.
void AddFactorMessage(const std::string& Text);
unsigned long FactorMessageCount();

// Tooth form factor YFa (load at the tip of the single pair contact) and stress
// correction factor YSa. z is signed: z < 1 marks an internal gear, which is
// cut by a pinion-type cutter (x0, z0).
void CalcToothFormFactors(int z, Extended& YFa, Extended& YSa, Extended mn, Extended alpha_n, Extended beta,
                          Extended x, Extended hfP, Extended rhofP, Extended prP, Extended q,
                          Extended eps_alpha, Extended da, Extended x0, Extended z0, TToothRootShape& shape);

// Dynamic factor Kv (method B): ranges sub-critical, main resonance,
// intermediate and super-critical by the resonance ratio N.
Extended CalcDynamicFactorKv(int accuracyGrade, Extended N, Extended N_S, Extended eps_gamma,
                             Extended SigmaHlim1, Extended SigmaHlim2, Extended Ft, Extended b, Extended K_A,
                             Extended c_single, Extended y_p, Extended y_f, Extended fpb, Extended ff);

// The parts of the dynamic factor that do not depend on the load: the
// coefficients Cv1 to Cv7, the effective pitch and form deviations after
// running-in and the tip relief Ca.
struct TDynamicFactorCoefficients {
    Extended Cv1, Cv2, Cv3, Cv4, Cv5, Cv6, Cv7;
    Extended fpb_eff, ff_eff, Ca;
};
TDynamicFactorCoefficients DynamicFactorCoefficients(Extended eps_gamma, Extended SigmaHlim1,
                                                     Extended SigmaHlim2, Extended y_p, Extended y_f,
                                                     Extended fpb, Extended ff);
// CalcDynamicFactorKv with its load-free parts formed.
Extended DynamicFactorKvAt(const TDynamicFactorCoefficients& c, int accuracyGrade, Extended N, Extended N_S,
                           Extended Ft, Extended b, Extended K_A, Extended c_single);

// The coefficient Cv7 of the dynamic factor.
Extended DynamicFactorCv7(Extended eps_gamma);

// Basic rack factor of the single stiffness (alpha_n in degrees).
Extended BasicRackFactorCB(Extended alpha_n_deg, Extended mn, Extended hfP);

// Single stiffness c' and mesh stiffness c_gamma (N/(mm um)).
void CalcMeshStiffness(Extended& c_single, Extended& c_gamma, Extended zn1, Extended zn2, Extended x1,
                       Extended x2, Extended mn, Extended alpha_n_deg, Extended beta, Extended b, Extended bs,
                       Extended sR, Extended hfP1, Extended hfP2, Extended E1, Extended E2, Extended Ft,
                       Extended K_A, Extended eps_alpha);

// The two steps of CalcMeshStiffness: the single stiffness of a line load of
// 100 N/mm or more, which rests on the geometry and the materials alone, and
// c' and c_gamma at the load.
Extended SingleStiffnessAtFullLoad(Extended zn1, Extended zn2, Extended x1, Extended x2, Extended mn,
                                   Extended alpha_n_deg, Extended beta, Extended b, Extended bs, Extended sR,
                                   Extended hfP1, Extended hfP2, Extended E1, Extended E2);
void MeshStiffnessAtLoad(Extended& c_single, Extended& c_gamma, Extended cFull, Extended b, Extended Ft,
                         Extended K_A, Extended eps_alpha);

// Reduced mass of the pair per face width (kg/mm), rho in kg/dm3.
Extended CalcReducedMass(Extended da1, Extended da2, Extended df1, Extended df2, Extended db1, Extended di1,
                         Extended di2, Extended rho1, Extended rho2, Extended u);

// Running-in allowances of the base pitch deviation and of the misalignment (um).
Extended RunningInYalpha(int MaterialKind, int HeatTreatment, Extended SigmaHlim, Extended v, Extended fpb);
Extended RunningInYbeta(int MaterialKind, int HeatTreatment, Extended SigmaHlim, Extended v, Extended Fbetax);

// The running-in allowance of the misalignment of one gear: a share of the
// misalignment, capped where the material and speed say so. Formed once per
// gear, it is read at every misalignment a load gives.
struct TRunningInYbetaRule {
    Extended Share;
    Extended Cap;
    bool Capped;
    bool CappedWithinOnly; // capped only where the share is no more than the misalignment

    Extended At(Extended Fbetax) const
    {
        Extended y = Share * Fbetax;
        if (Capped && (!CappedWithinOnly || y <= Fbetax)) y = MinExt(y, Cap);
        return y;
    }
};
inline TRunningInYbetaRule RunningInYbetaRule(int MaterialKind, int HeatTreatment, Extended SigmaHlim,
                                              Extended v)
{
    if (MaterialKind == 5 || MaterialKind == 6) return {0.55L, v > 10 ? 22.0L : 45.0L, v > 5, false};
    // Surface-hardened flanks run in by at most 6 um, whatever the
    // misalignment: ISO 6336-1 limits y_beta of case-hardened, induction- or
    // flame-hardened and nitrided gears so. Hard flanks hardly wear in; an
    // uncapped 15 % of a large misalignment would credit them with a running-in
    // they never get and make KHbeta, and so the face load, too small.
    if (HeatTreatment >= 2 && HeatTreatment <= 7) return {0.15L, 6, true, false};
    if (!(v > 5)) return {320 / SigmaHlim, 0, false, true};
    return {320 / SigmaHlim, v > 10 ? 12800 / SigmaHlim : 25600 / SigmaHlim, true, true};
}

// Initial equivalent misalignment Fbetax (um). mode 0: from manufacturing and
// deflection; mode 1: the contact pattern shows the deflection compensated.
Extended CalcFbetax(bool toothTraceCorrection, bool crowning, bool endRelief, int mode, Extended fHbeta5,
                    Extended fHbeta, Extended fma, Extended fsh, Extended w_m);

// Equivalent misalignment from the pinion shaft deflection (um); mode receives
// 1, 0 or -1 by the contact pattern for CalcFbetax.
Extended CalcFsh(bool doubleHelical, bool supportingEffect, int ContactPatternNo, Extended w_m, Extended d1,
                 Extended dsh, Extended b, Extended l, Extended s, int BearingArrangementNo, int& mode);

// The two steps of CalcFsh for a given shaft diameter: what rests on the
// shaft and its bearings, and fsh at the mean line load w_m.
struct TShaftDeflectionParts {
    bool HasPinion;
    Extended Unit, Stiffness, Ratio;
    int Mode;
};
TShaftDeflectionParts ShaftDeflectionParts(bool doubleHelical, bool supportingEffect, int ContactPatternNo,
                                           Extended d1, Extended dsh, Extended b, Extended l, Extended s,
                                           int BearingArrangementNo);
Extended ShaftDeflectionAt(const TShaftDeflectionParts& p, Extended w_m, int& mode);

Extended HypotenuseOf(Extended a, Extended b);

// tan of the working pressure angle. The forces, the single pair contact
// factors and the roughness and work hardening factors of every load step
// ask for it: the last one is kept for the calculation under way.
Extended TanOfWorkingAngle(Extended alpha_wt);

// Single pair contact factor of gear a meshing with gear b (M1 with gear 1 as a,
// M2 with gear 2 as a).
Extended ContactFactorM1(int za, int zb, Extended alpha_wt, Extended eps_alpha, Extended da_a, Extended da_b,
                         Extended db_a, Extended db_b);

// M1 and M2 of a pair at once (M1 first, as ContactFactorM1 gives each):
// each gear's tip term serves both.
void ContactFactorsM1M2(int z1, int z2, Extended alpha_wt, Extended eps_alpha, Extended da1, Extended da2,
                        Extended db1, Extended db2, Extended& M1, Extended& M2);

Extended LubricantFactorZL(Extended viscosity, Extended SigmaHlim);
Extended VelocityFactorZV(Extended viscosity, Extended SigmaHlim, Extended v);
// Exponent CZR of the roughness factor.
Extended RoughnessExponentCZR(Extended SigmaHlim);
Extended RoughnessFactorZR(Extended SigmaHlim, Extended db1, Extended db2, Extended alpha_wt, Extended Rz);
Extended WorkHardeningFactorZW(int variant, Extended db1, Extended db2, Extended alpha_wt, Extended Rz1,
                               Extended Rz2, Extended HB1, Extended HB2, Extended viscosity, Extended v,
                               Extended u);
Extended RimThicknessFactorYB(int z, Extended df, Extended di, Extended ht, Extended mn);
Extended DeepToothFactorYDT(int accuracyGrade, Extended eps);
Extended NotchSensitivityStatic(int MaterialKind, int HeatTreatment, Extended X, Extended YS);
Extended NotchSensitivityYdrelT(int MaterialKind, int HeatTreatment, Extended& rho_slip, Extended X,
                                Extended YS, Extended qs);
Extended SurfaceFactorYRrelT(int MaterialKind, int HeatTreatment, Extended Rz);
Extended SizeFactorYX(int MaterialKind, int HeatTreatment, Extended mn);
Extended LogLimitFactor(Extended x);

// Life lines in log-log coordinates.
Extended CyclesOnLifeLine(Extended Y, Extended Y_a, Extended Y_b, Extended N_b, Extended N_a);
Extended CyclesOnLifeLineScaled(Extended Z, Extended Z_a, Extended Z_b, Extended N_b, Extended N_a,
                                Extended Zf);
Extended PittingCyclesForFactor(int MaterialKind, int HeatTreatment, int PittingPermitted, Extended ZNT,
                                Extended Zf, Extended unused);
Extended RootCyclesForFactor(int MaterialKind, int HeatTreatment, Extended YNT);
Extended PittingLifeFromSafety(int MaterialKind, int HeatTreatment, int PittingPermitted, Extended SH,
                               Extended n, Extended loadsPerRevolution, Extended Zf, Extended unused,
                               Extended& NL);
Extended RootLifeFromSafety(int MaterialKind, int HeatTreatment, Extended& NL, Extended SF, Extended n,
                            Extended loadsPerRevolution);
