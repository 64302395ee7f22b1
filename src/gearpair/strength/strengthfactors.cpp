#include "gearpair/strength/strengthfactors.h"

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "gearpair/calculationmemo.h"
#include "gearpair/measuring.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{

bool InRange(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

thread_local unsigned long FactorMessages = 0;

// Radius of relative curvature at the pitch point, shared by ZR and ZW. For an
// internal wheel db2 is negative and so is its radius, which gives the concave
// contact its larger relative radius.
Extended RelativeRadius(Extended db1, Extended db2, Extended alpha_wt)
{
    const Extended tanAlphaWt = TanOfWorkingAngle(alpha_wt);
    const Extended rho1 = tanAlphaWt * db1 / 2;
    const Extended rho2 = tanAlphaWt * db2 / 2;
    return SafeDivide("rho red", rho1 * rho2, rho1 + rho2);
}

} // namespace

namespace
{

// The tangents of 60 and 30 degrees, the start of the iteration for the root
// section of an external and of an internal gear, as the library gives them
// when the program runs: the compiler works out a tangent of a constant
// itself, correctly rounded, which can differ from the library's in the last
// bit. The argument is read through a volatile to keep it from doing so.
Extended LibraryTangent(Extended angle)
{
    volatile Extended a = angle;
    return std::tan(a);
}
const Extended TanOfExternalStart = LibraryTangent(Pi / 3);
const Extended TanOfInternalStart = LibraryTangent(Pi / 6);

// The critical section of the tooth root, where the tangent at 30 degrees to
// the tooth centre line (60 degrees on an internal gear) touches the fillet,
// and the parts of the bending moment arm that rest on it. The section
// depends on the tooth and its cutter alone, not on the mate: a gear of two
// meshes has the same section in both.
struct TRootSection {
    Extended sFn = 0, rhoF = 0, qs = 0;
    Extended hTangent = 0; // zn cos(T - theta)
    Extended hFillet = 0;  // kh (G / cos theta - rhofPv / mn)
};

TRootSection RootSection(int z, const TProfileAngles& pa, Extended zn, Extended mn, Extended x, Extended hfP,
                         Extended rhofP, Extended prP, Extended q, Extended x0, Extended z0)
{
    const bool internal = z < 1;
    const Extended cosAlphan = pa.CosAlphan;
    const Extended tanAlphan = pa.TanAlphan;

    // Protuberance left on the flank after the machining allowance is removed.
    const Extended spr = prP == 0 ? 0 : prP - q;
    const Extended E =
        Pi / 4 * mn - hfP * tanAlphan + spr / cosAlphan - (1 - pa.SinAlphan) * rhofP / cosAlphan;

    // A pinion-type cutter rounds the root of an internal gear more than a rack.
    Extended rhofPv = rhofP;
    if (internal) {
        rhofPv = rhofP + mn * SafePowerOnce("YFA: rhofpv", hfP / mn + x0 - rhofP / mn, 1.95L) /
                             (3.156L * SafePowerOnce("YFA: z0", 1.036L, z0));
    }

    const Extended G = rhofPv / mn - hfP / mn + x;
    const Extended T = internal ? Pi / 6 : Pi / 3;
    const Extended H = 2 / zn * (Pi / 2 - E / mn) - T;
    // The angles of the iteration and of the section are this gear's own:
    // the library is asked without searching and filling the table of kept
    // values in vain.
    const Extended slope = 2 * G / zn;
    Extended theta = slope * (internal ? TanOfInternalStart : TanOfExternalStart) - H;
    for (int i = 1; i < 10; ++i)
        theta = slope * std::tan(theta) - H;

    const Extended k = internal ? 1 : std::sqrt(3.0L);
    const Extended kh = internal ? std::sqrt(3.0L) : 1;
    const Extended cosTheta = std::cos(theta);
    const Extended fillet = G / cosTheta - rhofPv / mn;
    TRootSection r;
    r.sFn = mn * (zn * std::sin(T - theta) + k * fillet);
    r.rhoF = rhofPv + 2 * G * G * mn / (cosTheta * (std::fabs(zn) * cosTheta * cosTheta - 2 * G));
    if (r.rhoF == 0) r.rhoF = 0.001L; // a sharp corner would make the notch parameter infinite
    r.qs = r.sFn / (2 * r.rhoF);
    r.hTangent = zn * std::cos(T - theta);
    r.hFillet = kh * fillet;
    return r;
}

// The form factors with the root section known (known) or formed here; the
// section used is handed back in root.
void ToothFormFactors(int z, Extended& YFa, Extended& YSa, Extended mn, Extended alpha_n, Extended beta,
                      Extended x, Extended hfP, Extended rhofP, Extended prP, Extended q, Extended eps_alpha,
                      Extended da, Extended x0, Extended z0, TToothRootShape& shape,
                      const TRootSection* known, TRootSection& root)
{
    // The functions of the helix and pressure angles, shared by all gears.
    const TProfileAngles& pa = ProfileAnglesOf(beta, alpha_n);
    const Extended cosAlphan = pa.CosAlphan;
    const Extended cosBeta = pa.CosBeta;
    const Extended tanAlphan = pa.TanAlphan;
    const Extended invAlphan = pa.InvAlphan;
    const Extended cos2_beta_b = pa.CosBetabOfSine * pa.CosBetabOfSine;
    const Extended zn = z / (cos2_beta_b * cosBeta);

    root = known ? *known : RootSection(z, pa, zn, mn, x, hfP, rhofP, prP, q, x0, z0);

    // Outer point of single pair contact on the virtual spur gear. Its angles
    // move with the mate's contact ratio and are new at every call: the
    // library is asked for their functions directly.
    const Extended eps_alpha_n = eps_alpha / cos2_beta_b;
    const Extended dn = mn * zn;
    const Extended dbn = dn * cosAlphan;
    const Extended d = z * mn / cosBeta;
    const Extended pbn = Pi * d * cosBeta * cosAlphan / std::abs(z);
    const Extended dan = dn + da - d;
    const Extended sgn = z < 0 ? -1 : 1;
    const Extended den =
        2 * sgn *
        SafeSqrt2("den", std::pow(SafeSqrt2("den", (dan / 2) * (dan / 2) - (dbn / 2) * (dbn / 2)) -
                                      pbn * (eps_alpha_n - 1),
                                  2) +
                             (dbn / 2) * (dbn / 2));

    // Beyond [-1, 1] the guarded arc cosine says so.
    const Extended cosAlpha_en = dbn / den;
    const Extended alpha_en = std::fabs(cosAlpha_en) > 1 ? SafeArcCos(cosAlpha_en) : std::acos(cosAlpha_en);
    const Extended gamma_e = (Pi / 2 + 2 * x * tanAlphan) / zn + invAlphan - (std::tan(alpha_en) - alpha_en);
    const Extended alphaFen = alpha_en - gamma_e;

    const Extended hFe = mn / 2 *
                         ((std::cos(gamma_e) - std::sin(gamma_e) * std::tan(alphaFen)) * den / mn -
                          root.hTangent - root.hFillet);

    const Extended sFn = root.sFn;
    YFa = 6 * (hFe / mn) * std::cos(alphaFen) / ((sFn / mn) * (sFn / mn) * cosAlphan);

    const Extended L = SafeDivide("YS", sFn, hFe);
    YSa = (1.2L + 0.13L * L) * SafePowerOnce("YS", root.qs, 1 / (1.21L + 2.3L / L));

    shape.sFn = sFn;
    shape.rhoF = root.rhoF;
    shape.hFe = hFe;
    shape.alphaFen = alphaFen;
    shape.qs = root.qs;
}

} // namespace

// The tooth form depends on the geometry only, while a load spectrum and
// the limit torque searches compute the strength again and again for the
// same pair: the form of the last few gears is kept, keyed by every
// argument. A form whose calculation raised a message is not kept, so that
// each call says it again. Within a stage or pair calculation only forms
// of that calculation count (CalculationUnderWay). A gear met again with
// another mate (another contact ratio) takes the root section of its kept
// form, which rests on all arguments but the last two.
void CalcToothFormFactors(int z, Extended& YFa, Extended& YSa, Extended mn, Extended alpha_n, Extended beta,
                          Extended x, Extended hfP, Extended rhofP, Extended prP, Extended q,
                          Extended eps_alpha, Extended da, Extended x0, Extended z0, TToothRootShape& shape)
{
    constexpr int SectionArgs = 10, Args = 12;
    struct TKept {
        int z = 0;
        Extended args[Args] = {};
        Extended YFa = 0, YSa = 0;
        TToothRootShape shape;
        TRootSection root;
    };
    // A stage has six gears in three meshes; eight places keep them all.
    // The first count places hold forms; a new calculation starts with none.
    static thread_local TKept kept[8];
    static thread_local unsigned next = 0, count = 0;
    static thread_local unsigned long keptCalculation = 0;
    const unsigned long calculation = CalculationUnderWay();
    if (calculation != 0 && calculation != keptCalculation) {
        count = 0;
        next = 0;
    }
    keptCalculation = calculation;
    const Extended args[Args] = {mn, alpha_n, beta, x, hfP, rhofP, prP, q, x0, z0, eps_alpha, da};
    const auto same = [&args](const TKept& k, int from, int to) {
        for (int a = from; a < to; ++a)
            if (!SameBits(k.args[a], args[a])) return false;
        return true;
    };
    const TKept* section = nullptr;
    for (unsigned i = 0; i < count; ++i) {
        const TKept& k = kept[i];
        if (k.z != z || !same(k, 0, SectionArgs)) continue;
        if (same(k, SectionArgs, Args)) {
            YFa = k.YFa;
            YSa = k.YSa;
            shape = k.shape;
            return;
        }
        section = &k;
    }
    const unsigned long before = GuardedReportCount();
    TRootSection root;
    ToothFormFactors(z, YFa, YSa, mn, alpha_n, beta, x, hfP, rhofP, prP, q, eps_alpha, da, x0, z0, shape,
                     section ? &section->root : nullptr, root);
    if (GuardedReportCount() != before) return;
    TKept& k = kept[next];
    next = (next + 1) % 8;
    if (count < 8) ++count;
    k.z = z;
    std::copy(std::begin(args), std::end(args), std::begin(k.args));
    k.YFa = YFa;
    k.YSa = YSa;
    k.shape = shape;
    k.root = root;
}

void AddFactorMessage(const std::string& Text)
{
    ++FactorMessages;
    AddErrorMessage(Text);
}

unsigned long FactorMessageCount()
{
    return FactorMessages;
}

// The sine depends on the contact ratio alone, which a load spectrum and the
// limit torque searches hand in again and again for the same three meshes:
// the last few values are kept, keyed by the contact ratio.
Extended DynamicFactorCv7(Extended eps_gamma)
{
    if (eps_gamma <= 1.5L) return 0.75L;
    if (!(eps_gamma <= 2.5L)) return 1;
    struct TKept {
        bool Valid = false;
        Extended eps_gamma = 0;
        Extended Cv7 = 0;
    };
    static thread_local TKept kept[4];
    static thread_local unsigned next = 0;
    for (const TKept& k : kept)
        if (k.Valid && k.eps_gamma == eps_gamma && std::signbit(k.eps_gamma) == std::signbit(eps_gamma))
            return k.Cv7;
    const Extended Cv7 = 0.125L * KeptSin(Pi * (eps_gamma - 2)) + 0.875L;
    kept[next++ % 4] = TKept{true, eps_gamma, Cv7};
    return Cv7;
}

TDynamicFactorCoefficients DynamicFactorCoefficients(Extended eps_gamma, Extended SigmaHlim1,
                                                     Extended SigmaHlim2, Extended y_p, Extended y_f,
                                                     Extended fpb, Extended ff)
{
    TDynamicFactorCoefficients c{0.32L, 0.34L, 0.23L, 0.90L, 0.47L, 0.47L, 0, 0, 0, 0};
    if (eps_gamma > 2) {
        c.Cv2 = 0.57L / (eps_gamma - 0.3L);
        c.Cv3 = 0.096L / (eps_gamma - 1.56L);
        c.Cv4 = (0.57L - 0.05L * eps_gamma) / (eps_gamma - 1.44L);
        c.Cv6 = 0.12L / (eps_gamma - 1.74L);
    }
    c.Cv7 = DynamicFactorCv7(eps_gamma);

    c.fpb_eff = MaxExt(fpb - y_p, 0);
    c.ff_eff = MaxExt(ff - y_f, 0);
    // Tip relief produced by running-in, from each gear's endurance limit.
    auto cay = [](Extended s) { return (s / 97 - 18.45L) * (s / 97 - 18.45L) / 18 + 1.5L; };
    c.Ca = Mean2(cay(SigmaHlim1), cay(SigmaHlim2));
    return c;
}

Extended DynamicFactorKvAt(const TDynamicFactorCoefficients& c, int accuracyGrade, Extended N, Extended N_S,
                           Extended Ft, Extended b, Extended K_A, Extended c_single)
{
    if (K_A == 0) {
        AddFactorMessage("Fatal  : KA=0!");
        return 1;
    }
    if (Ft == 0) {
        AddFactorMessage("Error  : Ft=0!");
        return 1;
    }
    const Extended w = SafeDivide("Kv", K_A * Ft, b);
    const Extended Bp = c_single * c.fpb_eff / w;
    const Extended Bf = c_single * c.ff_eff / w;
    const Extended Bk = accuracyGrade >= 6 ? 1 : std::fabs(1 - c_single * c.Ca / w);

    const Extended Kres = c.Cv1 * Bp + c.Cv2 * Bf + c.Cv4 * Bk + 1;
    const Extended Ksup = c.Cv5 * Bp + c.Cv6 * Bf + c.Cv7;
    if (N <= N_S) return N * (c.Cv1 * Bp + c.Cv2 * Bf + c.Cv3 * Bk) + 1;
    if (N <= 1.15L) return Kres;
    if (N < 1.5L) return (Kres - Ksup) / 0.35L * (1.5L - N) + Ksup;
    return Ksup;
}

Extended CalcDynamicFactorKv(int accuracyGrade, Extended N, Extended N_S, Extended eps_gamma,
                             Extended SigmaHlim1, Extended SigmaHlim2, Extended Ft, Extended b, Extended K_A,
                             Extended c_single, Extended y_p, Extended y_f, Extended fpb, Extended ff)
{
    return DynamicFactorKvAt(DynamicFactorCoefficients(eps_gamma, SigmaHlim1, SigmaHlim2, y_p, y_f, fpb, ff),
                             accuracyGrade, N, N_S, Ft, b, K_A, c_single);
}

Extended BasicRackFactorCB(Extended alpha_n_deg, Extended mn, Extended hfP)
{
    return (1 + 0.5L * (1.25L - hfP / mn)) * (1 - 0.02L * (20 - alpha_n_deg));
}

Extended SingleStiffnessAtFullLoad(Extended zn1, Extended zn2, Extended x1, Extended x2, Extended mn,
                                   Extended alpha_n_deg, Extended beta, Extended b, Extended bs, Extended sR,
                                   Extended hfP1, Extended hfP2, Extended E1, Extended E2)
{
    const Extended qmin = 0.04723L + 0.15551L / zn1 + 0.25791L / zn2 - 0.00635L * x1 - 0.11654L * x1 / zn1 -
                          0.00193L * x2 - 0.24188L * x2 / zn2 + 0.00529L * x1 * x1 + 0.00182L * x2 * x2;
    const Extended cth = 1 / qmin;
    const Extended CM = 0.8L;
    Extended CR = 1;
    if (bs != b && b != 0)
        CR = 1 + KeptLn(ClampExt(0.2L, 1.2L, bs / b)) / (5 * KeptExp(MaxExt(1, sR / mn) / 5));
    const Extended CB =
        Mean2(BasicRackFactorCB(alpha_n_deg, mn, hfP1), BasicRackFactorCB(alpha_n_deg, mn, hfP2));
    const Extended Eeq = SafeDivide("c'", 2 * E1 * E2, E1 + E2);
    return cth * CM * CR * CB * KeptCos(beta) * Eeq / 210000;
}

void MeshStiffnessAtLoad(Extended& c_single, Extended& c_gamma, Extended cFull, Extended b, Extended Ft,
                         Extended K_A, Extended eps_alpha)
{
    c_single = cFull;
    // Below 100 N/mm the teeth are not fully in contact over the face width.
    if (b != 0) {
        const Extended w = K_A * Ft / b;
        if (w < 100) c_single = c_single * SafePower("cst", w / 100, 0.25L);
    }
    c_gamma = 0.85L * (0.75L * eps_alpha + 0.25L) * c_single;
}

void CalcMeshStiffness(Extended& c_single, Extended& c_gamma, Extended zn1, Extended zn2, Extended x1,
                       Extended x2, Extended mn, Extended alpha_n_deg, Extended beta, Extended b, Extended bs,
                       Extended sR, Extended hfP1, Extended hfP2, Extended E1, Extended E2, Extended Ft,
                       Extended K_A, Extended eps_alpha)
{
    const Extended cFull =
        SingleStiffnessAtFullLoad(zn1, zn2, x1, x2, mn, alpha_n_deg, beta, b, bs, sR, hfP1, hfP2, E1, E2);
    MeshStiffnessAtLoad(c_single, c_gamma, cFull, b, Ft, K_A, eps_alpha);
}

Extended CalcReducedMass(Extended da1, Extended da2, Extended df1, Extended df2, Extended db1, Extended di1,
                         Extended di2, Extended rho1, Extended rho2, Extended u)
{
    const Extended dm1 = (da1 + df1) / 2;
    const Extended dm2 = (da2 + df2) / 2;
    const Extended q1 = SafeDivide("m red", di1, dm1);
    const Extended q2 = SafeDivide("m red", di2, dm2);
    Extended inv = 1 / ((1 - IntPower(q1, 4)) * rho1);
    // The ring of an internal pair is carried by the housing and is far heavier
    // than the pinion: its inertia is taken as infinite, and the formula's ring
    // term (negative there, since the rim lies outside the teeth) is dropped.
    if (da2 >= 0) inv += 1 / (u * u * (1 - IntPower(q2, 4)) * rho2);
    const Extended r = dm1 / db1;
    return Pi / 8 * 1e-6L * r * r * dm1 * dm1 / inv;
}

Extended RunningInYalpha(int MaterialKind, int HeatTreatment, Extended SigmaHlim, Extended v, Extended fpb)
{
    auto limited = [v](Extended y, Extended lim10, Extended limAbove) {
        if (v > 10) return MinExt(y, limAbove);
        if (v > 5) return MinExt(y, lim10);
        return y;
    };
    if (MaterialKind == 5 || MaterialKind == 6) return limited(0.275L * fpb, 22, 11);
    if (InRange(HeatTreatment, 2, 7)) return MinExt(0.075L * fpb, 3);
    return limited(160 / SigmaHlim * fpb, 22, 11);
}

Extended RunningInYbeta(int MaterialKind, int HeatTreatment, Extended SigmaHlim, Extended v, Extended Fbetax)
{
    return RunningInYbetaRule(MaterialKind, HeatTreatment, SigmaHlim, v).At(Fbetax);
}

Extended CalcFbetax(bool toothTraceCorrection, bool crowning, bool endRelief, int mode, Extended fHbeta5,
                    Extended fHbeta, Extended fma, Extended fsh, Extended w_m)
{
    Extended B1 = 1, B2 = 1;
    if (crowning) {
        B1 = 1.0L;
        B2 = 0.5L;
    } else if (toothTraceCorrection) {
        B1 = 0.1L;
        B2 = 1.0L;
    } else if (endRelief) {
        B1 = 0.7L;
        B2 = 0.7L;
    }
    const Extended Fmin = MaxExt(0.5L * fHbeta, 0.005L * w_m);
    if (mode == 0) return MaxExt(1.33L * B1 * fsh + B2 * fma, Fmin);
    if (mode == 1) return MaxExt(std::fabs(1.33L * B1 * fsh - fHbeta5), Fmin);
    return 0;
}

TShaftDeflectionParts ShaftDeflectionParts(bool doubleHelical, bool supportingEffect, int ContactPatternNo,
                                           Extended d1, Extended dsh, Extended b, Extended l, Extended s,
                                           int BearingArrangementNo)
{
    static constexpr Extended withSupport[] = {0.48L, -0.48L, 1.33L, -0.36L, -0.6L};
    static constexpr Extended without[] = {0.8L, -0.8L, 1.33L, -0.6L, -1.0L};
    TShaftDeflectionParts p{false, 0, 0, 0, -1};
    Extended K = 0;
    if (InRange(BearingArrangementNo, 1, 5))
        K = supportingEffect ? withSupport[BearingArrangementNo - 1] : without[BearingArrangementNo - 1];
    const Extended Bstar = doubleHelical ? 1.5L : 1;
    // Without a pinion diameter or shaft diameter there is no bending term.
    Extended term = 0;
    if (d1 != 0 && dsh != 0) term = l * s / (d1 * d1) * IntPower(d1 / dsh, 4);
    const Extended A = K * term;
    p.HasPinion = d1 != 0;
    if (p.HasPinion) {
        p.Unit = doubleHelical ? 0.046L : 0.023L;
        p.Stiffness = std::fabs(A + Bstar - 0.3L) + 0.3L;
        p.Ratio = doubleHelical ? b / 2 / d1 : b / d1;
    }
    const Extended absTerm = std::fabs(K) * term;
    switch (ContactPatternNo) {
    case 1:
    case 6:
        p.Mode = 1;
        break;
    case 2:
    case 5:
        p.Mode = 0;
        break;
    case 3:
        p.Mode = Bstar < absTerm ? 1 : 0;
        break;
    case 4:
        p.Mode = Bstar - 0.3L > absTerm ? 1 : 0;
        break;
    default:
        p.Mode = -1;
        break;
    }
    return p;
}

Extended ShaftDeflectionAt(const TShaftDeflectionParts& p, Extended w_m, int& mode)
{
    mode = p.Mode;
    if (!p.HasPinion) return 0;
    return w_m * p.Unit * p.Stiffness * p.Ratio * p.Ratio;
}

Extended CalcFsh(bool doubleHelical, bool supportingEffect, int ContactPatternNo, Extended w_m, Extended d1,
                 Extended dsh, Extended b, Extended l, Extended s, int BearingArrangementNo, int& mode)
{
    if (dsh == 0 && w_m > 0) dsh = std::sqrt(w_m / 500);
    return ShaftDeflectionAt(ShaftDeflectionParts(doubleHelical, supportingEffect, ContactPatternNo, d1, dsh,
                                                  b, l, s, BearingArrangementNo),
                             w_m, mode);
}

Extended HypotenuseOf(Extended a, Extended b)
{
    return std::sqrt(a * a + b * b);
}

Extended TanOfWorkingAngle(Extended alpha_wt)
{
    struct TKept {
        unsigned long Calculation = 0;
        Extended Angle = 0, Tan = 0;
    };
    static thread_local TKept kept;
    const unsigned long calculation = CalculationUnderWay();
    if (calculation != 0 && kept.Calculation == calculation && SameAngle(kept.Angle, alpha_wt))
        return kept.Tan;
    kept = TKept{calculation, alpha_wt, KeptTan(alpha_wt)};
    return kept.Tan;
}

namespace
{

// M1 of gear a from the tip terms sqrt((da/db)^2 - 1) of gear a and of its
// mate b, and the tangent of the working pressure angle.
Extended ContactFactorOfTips(int za, int zb, Extended eps_alpha, Extended tanAlphaWt, Extended tipA,
                             Extended tipB)
{
    const Extended fa = tipA - 2 * Pi / za;
    const Extended fb = tipB - 2 * Pi * (eps_alpha - 1) / zb;
    return SafeDivide(" div M1ISO", tanAlphaWt, SafeSqrt2("SQRT M1ISO", fa * fb));
}

} // namespace

Extended ContactFactorM1(int za, int zb, Extended alpha_wt, Extended eps_alpha, Extended da_a, Extended da_b,
                         Extended db_a, Extended db_b)
{
    const Extended ra = da_a / db_a;
    const Extended rb = da_b / db_b;
    const Extended tipA = SafeSqrt2("M1 ISO", ra * ra - 1);
    const Extended tipB = SafeSqrt2("M1 ISO", rb * rb - 1);
    return ContactFactorOfTips(za, zb, eps_alpha, TanOfWorkingAngle(alpha_wt), tipA, tipB);
}

void ContactFactorsM1M2(int z1, int z2, Extended alpha_wt, Extended eps_alpha, Extended da1, Extended da2,
                        Extended db1, Extended db2, Extended& M1, Extended& M2)
{
    const Extended r1 = da1 / db1;
    const Extended r2 = da2 / db2;
    const Extended q1 = r1 * r1 - 1;
    const Extended q2 = r2 * r2 - 1;
    // A tip circle within the base circle is reported by each factor in turn.
    if (q1 < 0 || q2 < 0) {
        M1 = ContactFactorM1(z1, z2, alpha_wt, eps_alpha, da1, da2, db1, db2);
        M2 = ContactFactorM1(z2, z1, alpha_wt, eps_alpha, da2, da1, db2, db1);
        return;
    }
    const Extended tip1 = std::sqrt(q1);
    const Extended tip2 = std::sqrt(q2);
    const Extended tanAlphaWt = TanOfWorkingAngle(alpha_wt);
    M1 = ContactFactorOfTips(z1, z2, eps_alpha, tanAlphaWt, tip1, tip2);
    M2 = ContactFactorOfTips(z2, z1, eps_alpha, tanAlphaWt, tip2, tip1);
}

Extended LubricantFactorZL(Extended viscosity, Extended SigmaHlim)
{
    const Extended CZL = ClampExt(850, 1200, SigmaHlim) / 4375 + 0.6357L;
    const Extended t = 1.2L + SafeDivide("ZL", 80, viscosity);
    return CZL + 4 * (1 - CZL) / (t * t);
}

Extended VelocityFactorZV(Extended /*viscosity*/, Extended SigmaHlim, Extended v)
{
    const Extended CZV = ClampExt(850, 1200, SigmaHlim) / 4375 + 0.6357L + 0.02L;
    if (v == 0) return 1;
    return CZV + 2 * (1 - CZV) / std::sqrt(0.8L + 32 / v);
}

Extended RoughnessExponentCZR(Extended SigmaHlim)
{
    if (SigmaHlim < 850) return 0.15L;
    if (SigmaHlim > 1200) return 0.08L;
    return 0.32L - 0.0002L * SigmaHlim;
}

Extended RoughnessFactorZR(Extended SigmaHlim, Extended db1, Extended db2, Extended alpha_wt, Extended Rz)
{
    const Extended CZR = RoughnessExponentCZR(SigmaHlim);
    const Extended rho_red = RelativeRadius(db1, db2, alpha_wt);
    const Extended Rz10 = Rz * SafePowerOnce("Rz10", SafeDivide("Rz10", 10, rho_red), 1.0L / 3);
    return SafePowerOnce("ZR", SafeDivide("ZR", 3, Rz10), CZR);
}

Extended WorkHardeningFactorZW(int variant, Extended db1, Extended db2, Extended alpha_wt, Extended Rz1,
                               Extended Rz2, Extended HB1, Extended HB2, Extended viscosity, Extended v,
                               Extended u)
{
    if (variant == 1) {
        if (Rz2 == 0) return 1;
        const Extended rho_red = RelativeRadius(db1, db2, alpha_wt);
        Extended RzH = 0;
        if (v > 0) {
            RzH = Rz1 * SafePower("RzH", SafeDivide("RzH", 10, rho_red), 0.33L) *
                  SafePower("RzH", Rz1 / Rz2, 0.66L) / SafePower("RzH", viscosity * v / 1500, 0.33L);
        }
        RzH = ClampExt(3, 16, RzH);
        const Extended HB = MinExt(HB1, HB2);
        const Extended r = SafePower("ZW", 3 / RzH, 0.15L);
        if (HB < 130) return 1.2L * r;
        if (HB <= 470) return (1.2L - (HB - 130) / 1700) * r;
        return r;
    }
    if (variant == 2) {
        if (HB2 == 0) return 1;
        const Extended ratio = HB1 / HB2;
        Extended A = 0;
        if (ratio > 1.7L)
            A = 0.00698L;
        else if (ratio >= 1.2L)
            A = 0.00898L * ratio - 0.00829L;
        return 1 + A * (u - 1);
    }
    return 1;
}

Extended RimThicknessFactorYB(int z, Extended df, Extended di, Extended ht, Extended mn)
{
    if (ht == 0) return 1;
    const bool internal = z < 1;
    if (internal && di > 0) di = -di;
    // The rim thickness is radial: half the difference of the two diameters.
    Extended sR = (df - di) / 2;
    if (internal && di == 0) sR = 5 * ht;
    if (!internal) {
        const Extended r = sR / ht;
        if (r >= 1.2L) return 1;
        if (r > 0.5L) return 1.6L * KeptLn(2.242L * ht / sR);
        AddFactorMessage("Error  : YB: sR/ht <= 0.5 !");
        return 2.5L;
    }
    const Extended r = sR / mn;
    if (r >= 3.5L) return 1;
    if (r > 1.75L) return 1.15L * KeptLn(8.324L * mn / sR);
    AddFactorMessage("Error  : YB: sR/mn <= 1.75 !");
    return 2.0L;
}

Extended DeepToothFactorYDT(int accuracyGrade, Extended eps)
{
    if (eps <= 2.05L || accuracyGrade >= 5) return 1;
    if (eps <= 2.5L) return -0.666L * eps + 2.366L;
    return 0.7L;
}

Extended NotchSensitivityStatic(int MaterialKind, int HeatTreatment, Extended X, Extended YS)
{
    if (MaterialKind == 1 && HeatTreatment == 0) {
        return (1 + 0.93L * (YS - 1) * SafePower("Ydrelt", 200 / X, 0.25L)) /
               (1 + 0.93L * SafePower("YdrelT", 200 / X, 0.25L));
    }
    if ((MaterialKind == 1 || MaterialKind == 3 || MaterialKind == 4) && !InRange(HeatTreatment, 2, 4)) {
        return (1 + 0.82L * (YS - 1) * SafePower("Ydrelt", 300 / X, 0.25L)) /
               (1 + 0.82L * SafePower("YdrelT", 300 / X, 0.25L));
    }
    if (InRange(HeatTreatment, 2, 4)) return 0.44L * YS + 0.12L;
    if (InRange(HeatTreatment, 5, 7)) return 0.2L * YS + 0.6L;
    if (MaterialKind == 7) return 0.075L * YS + 0.85L;
    return 1;
}

Extended NotchSensitivityYdrelT(int MaterialKind, int HeatTreatment, Extended& rho_slip, Extended X,
                                Extended /*YS*/, Extended qs)
{
    if (InRange(HeatTreatment, 2, 4))
        rho_slip = 0.003L;
    else if (InRange(HeatTreatment, 5, 7))
        rho_slip = 0.1005L;
    else if (MaterialKind == 6 && X < 100)
        rho_slip = 0.3124L;
    else if (MaterialKind == 5 || MaterialKind == 6)
        rho_slip = 0.3095L;
    else if (MaterialKind == 3 || MaterialKind == 4 || MaterialKind == 7) {
        if (X < 366.67L)
            rho_slip = 0.0281L;
        else if (X < 466.67L)
            rho_slip = 0.0194L;
        else if (X < 600)
            rho_slip = 0.0064L;
        else
            rho_slip = 0.0014L;
    } else if (MaterialKind == 1)
        rho_slip = X < 233.33L ? 0.0833L : 0.0445L;
    else
        rho_slip = 0;
    return (1 + std::sqrt(rho_slip * 0.2L * (1 + 2 * qs))) / (1 + std::sqrt(1.2L * rho_slip));
}

Extended SurfaceFactorYRrelT(int MaterialKind, int HeatTreatment, Extended Rz)
{
    const bool groupA = InRange(MaterialKind, 2, 4) || InRange(HeatTreatment, 2, 4);
    const bool kind1 = MaterialKind == 1;
    const bool groupC = InRange(MaterialKind, 5, 6) || InRange(HeatTreatment, 5, 7);
    if (Rz > 40) {
        AddFactorMessage("Error  : YRrelT: Rz > 40 !");
        return 1;
    }
    if (Rz < 1) {
        if (groupA) return 1.12L;
        if (kind1) return 1.07L;
        if (groupC) return 1.025L;
        return 1;
    }
    if (groupA) return 1.674L - 0.529L * SafePower("YRrelT", Rz + 1, 0.1L);
    if (kind1) return 5.306L - 4.203L * SafePower("YRrelT", Rz + 1, 0.01L);
    if (groupC) return 4.299L - 3.259L * SafePower("YRrelT", Rz + 1, 0.0058L);
    return 1;
}

Extended SizeFactorYX(int MaterialKind, int HeatTreatment, Extended mn)
{
    if (MaterialKind == 1 || MaterialKind == 3 || MaterialKind == 4 || MaterialKind == 7) {
        if (mn <= 5) return 1;
        if (mn < 30) return 1.03L - 0.006L * mn;
        return 0.85L;
    }
    if (MaterialKind == 2 || HeatTreatment == 2 || InRange(HeatTreatment, 5, 7)) {
        if (mn <= 5) return 1;
        if (mn < 25) return 1.05L - 0.01L * mn;
        return 0.8L;
    }
    if (MaterialKind == 5 || MaterialKind == 6) {
        if (mn <= 5) return 1;
        if (mn < 25) return 1.075L - 0.015L * mn;
        return 0.7L;
    }
    return 1;
}

Extended LogLimitFactor(Extended x)
{
    if (x == 0) return 1;
    return MinExt(0.0417L * Log10Safe(x) + 0.6275L, 1);
}

namespace
{

// Cycles at Y on a life line through (N_a, Y_a) of slope exponent in log-log
// coordinates.
Extended CyclesOnLineAt(Extended Y, Extended Y_a, Extended N_a, Extended exponent)
{
    return N_a / SafePowerOnce("Error  : qyrrech4: Ylog", Y / Y_a, exponent);
}

} // namespace

Extended CyclesOnLifeLine(Extended Y, Extended Y_a, Extended Y_b, Extended N_b, Extended N_a)
{
    return CyclesOnLineAt(Y, Y_a, N_a, KeptLn(N_a / N_b) / KeptLn(Y_b / Y_a));
}

Extended CyclesOnLifeLineScaled(Extended Z, Extended Z_a, Extended Z_b, Extended N_b, Extended N_a,
                                Extended Zf)
{
    return CyclesOnLineAt(Z, Z_a, N_a, KeptLn(N_a / N_b) / KeptLn(Z_b / (Z_a * Zf)));
}

namespace
{

struct TLifePoint {
    Extended N;
    Extended Y;
};

Extended LibraryLn(Extended x)
{
    volatile Extended v = x; // the library's logarithm, not one the compiler works out
    return std::log(v);
}

// A life curve given from the static point (first) down to the endurance end
// (last), with the logarithms of the ratios of each segment's ends, worked
// out when the program starts: every calculation reads the same curves.
template <std::size_t Count> struct TLifeCurve {
    TLifePoint Points[Count];
    Extended LnN[Count - 1]; // ln(N of the lower end / N of the upper end)
    Extended LnY[Count - 1]; // ln(Y of the upper end / Y of the lower end)

    explicit TLifeCurve(const TLifePoint (&points)[Count])
    {
        for (std::size_t i = 0; i < Count; ++i)
            Points[i] = points[i];
        for (std::size_t i = 0; i + 1 < Count; ++i) {
            LnN[i] = LibraryLn(Points[i + 1].N / Points[i].N);
            LnY[i] = LibraryLn(Points[i].Y / Points[i + 1].Y);
        }
    }
};

// The cycles at which the curve reaches Y. Only the segment that starts at
// the static point is scaled by Zf: there the other influence factors grow
// from 1 (static strength) to their full values, while beyond the first knee
// they act in full at both ends of every segment.
template <std::size_t Count>
Extended CyclesOnCurve(const TLifeCurve<Count>& curve, Extended Y, Extended Zf, bool scaled)
{
    const TLifePoint(&pts)[Count] = curve.Points;
    if (Y > pts[0].Y) return 0;
    if (Y <= 0.85L) return 1e10L;
    for (std::size_t i = 0; i + 1 < Count; ++i) {
        const TLifePoint& hi = pts[i];
        const TLifePoint& lo = pts[i + 1];
        if (Y <= hi.Y && Y >= lo.Y) {
            if (scaled && i == 0)
                return CyclesOnLineAt(Y, lo.Y, lo.N, curve.LnN[i] / KeptLn(hi.Y / (lo.Y * Zf)));
            return CyclesOnLineAt(Y, lo.Y, lo.N, curve.LnN[i] / curve.LnY[i]);
        }
    }
    return 1e10L;
}

const TLifeCurve<3> PittingNitrocarburized({{1e5L, 1.1L}, {2e6L, 1.0L}, {1e10L, 0.85L}});
const TLifeCurve<3> PittingNitrided({{1e5L, 1.3L}, {2e6L, 1.0L}, {1e10L, 0.85L}});
const TLifeCurve<3> PittingOthers({{1e5L, 1.6L}, {5e7L, 1.0L}, {1e10L, 0.85L}});
const TLifeCurve<4> PittingOthersPermitted({{6e5L, 1.6L}, {1e7L, 1.3L}, {1e9L, 1.0L}, {1e10L, 0.85L}});
const TLifeCurve<3> RootNitrocarburized({{1e3L, 1.1L}, {3e6L, 1.0L}, {1e10L, 0.85L}});
const TLifeCurve<3> RootNitrided({{1e3L, 1.6L}, {3e6L, 1.0L}, {1e10L, 0.85L}});
const TLifeCurve<3> RootHardened({{1e3L, 2.5L}, {3e6L, 1.0L}, {1e10L, 0.85L}});
const TLifeCurve<3> RootOthers({{1e4L, 2.5L}, {3e6L, 1.0L}, {1e10L, 0.85L}});

Extended HoursFromCycles(Extended NL, Extended n, Extended loadsPerRevolution)
{
    // A gear at rest has no load cycles per hour; its life in hours is left 0.
    if (n == 0) return 0;
    Extended h = NL / (std::fabs(n) * 60);
    if (loadsPerRevolution > 1) h /= loadsPerRevolution;
    return h;
}

} // namespace

Extended PittingCyclesForFactor(int MaterialKind, int HeatTreatment, int PittingPermitted, Extended ZNT,
                                Extended Zf, Extended /*unused*/)
{
    if (HeatTreatment == 7) return CyclesOnCurve(PittingNitrocarburized, ZNT, Zf, true);
    if (InRange(MaterialKind, 5, 6) || InRange(HeatTreatment, 5, 6))
        return CyclesOnCurve(PittingNitrided, ZNT, Zf, true);
    if (PittingPermitted < 1) return CyclesOnCurve(PittingOthers, ZNT, Zf, true);
    return CyclesOnCurve(PittingOthersPermitted, ZNT, Zf, true);
}

Extended RootCyclesForFactor(int MaterialKind, int HeatTreatment, Extended YNT)
{
    if (HeatTreatment == 7) return CyclesOnCurve(RootNitrocarburized, YNT, 1, false);
    if (InRange(MaterialKind, 5, 6) || InRange(HeatTreatment, 5, 6))
        return CyclesOnCurve(RootNitrided, YNT, 1, false);
    if (InRange(HeatTreatment, 2, 4)) return CyclesOnCurve(RootHardened, YNT, 1, false);
    return CyclesOnCurve(RootOthers, YNT, 1, false);
}

Extended PittingLifeFromSafety(int MaterialKind, int HeatTreatment, int PittingPermitted, Extended SH,
                               Extended n, Extended loadsPerRevolution, Extended Zf, Extended unused,
                               Extended& NL)
{
    if (SH >= 1 / 0.85L)
        NL = 1e10L;
    else if (SH <= 0)
        NL = 0; // no stress figure: nothing to read off the curve
    else
        NL = PittingCyclesForFactor(MaterialKind, HeatTreatment, PittingPermitted, 1 / SH, Zf, unused);
    return HoursFromCycles(NL, n, loadsPerRevolution);
}

Extended RootLifeFromSafety(int MaterialKind, int HeatTreatment, Extended& NL, Extended SF, Extended n,
                            Extended loadsPerRevolution)
{
    if (SF >= 1 / 0.85L)
        NL = 1e10L;
    else if (SF <= 0)
        NL = 0;
    else
        NL = RootCyclesForFactor(MaterialKind, HeatTreatment, 1 / SF);
    return HoursFromCycles(NL, n, loadsPerRevolution);
}
