// Accuracy tolerances of one gear in µm: the DIN 3961/3962 system (base
// values of class 5 carried to the class by step laws) and ISO 1328-1:2013
// (class step √2, values rounded by size).

#include <cmath>
#include <cstddef>
#include <string>

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "gearpair/calculationmemo.h"
#include "gearpair/gearfactors.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/tolerances.h"

namespace
{

// DIN step laws from class 5 to class Q. The steps widen for the coarse
// classes, faster for the pitch and profile values than for the helix.
Extended StepLawPitch(int Q)
{
    if (Q <= 9) return SafePower("", 1.4L, Q - 5);
    return SafePower("", 1.4L, 4) * SafePower("", 1.6L, Q - 9);
}

Extended StepLawRunout(int Q)
{
    return SafePower("", 1.4L, Q - 5);
}

Extended StepLawHelixTotal(int Q)
{
    if (Q < 7) return SafePower("", 1.25L, Q - 5);
    if (Q <= 8) return 1.25L * SafePower("", 1.4L, Q - 6);
    return 1.25L * 1.4L * 1.4L * SafePower("", 1.6L, Q - 8);
}

Extended StepLawHelixSlope(int Q)
{
    if (Q < 7) return SafePower("", 1.32L, Q - 5);
    if (Q <= 8) return 1.32L * SafePower("", 1.4L, Q - 6);
    return 1.32L * 1.4L * 1.4L * SafePower("", 1.55L, Q - 8);
}

bool InRange(Extended v, Extended lo, Extended hi)
{
    return v >= lo && v <= hi;
}

} // namespace

void CalcDinTolerances(int i)
{
    auto& g = GearPair;
    const int Q = g.FlankToleranceClass[i];
    const Extended mn = g.mn;
    const Extended d = std::fabs(g.d[i]);
    const Extended z = std::abs(g.z[i]);
    const Extended b = g.b[i];
    const Extended sqrtMn = std::sqrt(mn);
    const Extended g1 = StepLawPitch(Q);
    const Extended g2 = StepLawRunout(Q);

    const Extended ffalpha5 = 1.5L + 0.25L * (mn + 9 * sqrtMn);
    const Extended fHalpha5 = 2.5L + 0.25L * (mn + 3 * sqrtMn);
    g.ffalphaT[i] = ffalpha5 * g1;
    g.fHalphaT[i] = fHalpha5 * g1;
    g.FalphaT[i] = std::sqrt(ffalpha5 * ffalpha5 + fHalpha5 * fHalpha5) * g1;
    g.fpT[i] = (4 + 0.315L * (mn + 0.25L * std::sqrt(d))) * g1;
    g.fuT[i] = (5 + 0.4L * (mn + 0.25L * std::sqrt(d))) * g1;
    g.FpT[i] = 7.25L * SafePower("Error  : Fp", d, 1.0L / 3) / SafePower("Error  : Fp", z, 1.0L / 7) * g1;
    g.Fpk[i] = 6.25L * SafePower("Error  : Fpk", mn, 1.0L / 7) * SafePower("Error  : Fpk", Pi * d, 1.0L / 3) /
               SafePower("Error  : Fpk", d, 1.0L / 7) * g1;
    g.FrT[i] =
        (2.18L * sqrtMn + 1.68L + (2.3L + 1.2L * KeptLog10(mn)) * SafePower("Error  : Fr", d, 0.25L)) * g2;
    g.Rs[i] =
        (1.28L * sqrtMn + 1.0L + (1.33L + 0.7L * KeptLog10(mn)) * SafePower("Error  : Rs", d, 0.25L)) * g2;
    // The tooth thickness tolerance must take in the run-out of the tooth
    // thickness, else a good gear is rejected at the measurement.
    if (!wtelmvar.HideWarnings && g.Tsn[i] < 2 * g.Rs[i] / 1000 && mn >= 1)
        AddErrorMessage("Warning: Tsn < 2Rs !  (" + std::to_string(i) + ")");
    g.FbetaT[i] = (0.8L * std::sqrt(b) + 4) * StepLawHelixTotal(Q);
    g.fHbetaT[i] = 4.16L * SafePower("Error  : fHbeta", b, 0.14L) * StepLawHelixSlope(Q);
    const Extended formSquared = g.FbetaT[i] * g.FbetaT[i] - g.fHbetaT[i] * g.fHbetaT[i];
    g.ffbetaT[i] = formSquared > 0 ? std::sqrt(formSquared) : 0;
    g.Fi2[i] =
        (2.57L * sqrtMn + 2.0L + (3.12L + 0.432L * KeptLog10(mn)) * SafePower("Error  : FIss", d, 0.25L)) *
        g2;
    g.fi2[i] = (1.8L * sqrtMn + 1.6L * SafePower("Error  : fiss", d, 0.25L) - 1.0L) * g2;
    g.FisT[i] = 0.8L * (g.FpT[i] + g.FalphaT[i]);
    g.fisT[i] = 0.7L * (g.fpT[i] + g.FalphaT[i]);
}

namespace
{

// The ISO tolerances of one gear: a function of the class, the module, the
// reference diameter, the face width and the number of teeth alone.
struct TIsoTolerances {
    int A = 0;
    Extended mn = 0, d = 0, b = 0, z = 0;
    Extended ffalphaT = 0, fHalphaT = 0, FalphaT = 0, fpT = 0, fuT = 0, FpT = 0, Fpk = 0, FrT = 0, Rs = 0;
    Extended fHbetaT = 0, ffbetaT = 0, FbetaT = 0, fisT = 0, FisT = 0, fi2 = 0, Fi2 = 0;
};

// Fills t, in place (a kept entry).
void FormIsoTolerances(TIsoTolerances& t, int A, Extended mn, Extended d, Extended b, Extended z)
{
    const Extended phi = SafePower("", std::sqrt(2.0L), A - 5);
    auto R = RoundTolerance;
    t.A = A;
    t.mn = mn;
    t.d = d;
    t.b = b;
    t.z = z;
    t.ffalphaT = R(phi * (0.55L * mn + 5));
    t.fHalphaT = R(phi * (0.001L * d + 0.4L * mn + 4));
    t.FalphaT = R(std::sqrt(t.ffalphaT * t.ffalphaT + t.fHalphaT * t.fHalphaT));
    // The class factor belongs inside the rounding: the tolerance of a class
    // is the rounded value of the scaled formula, a value on the rounding
    // steps like every other tolerance of the standard.
    t.fpT = R(phi * (0.001L * d + 0.4L * mn + 5));
    t.fuT = std::sqrt(2.0L) * t.fpT;
    t.FpT = R(phi * (0.002L * d + 0.55L * std::sqrt(d) + 0.7L * mn + 12));
    t.Fpk = R(t.fpT + t.FpT) / 2;
    t.FrT = 0.9L * t.FpT;
    t.Rs = R(0.58L * t.FrT);
    t.fHbetaT = R(phi * (0.05L * std::sqrt(d) + 0.35L * std::sqrt(b) + 4));
    t.ffbetaT = R(phi * (0.07L * std::sqrt(d) + 0.45L * std::sqrt(b) + 4));
    t.FbetaT = std::sqrt(t.ffbetaT * t.ffbetaT + t.fHbetaT * t.fHbetaT);
    t.fisT = R(phi * (0.375L * mn + 5));
    t.FisT = t.FpT + t.fisT;
    t.fi2 = R(phi * (0.01L * std::sqrt(d) + 2.96L * mn + 0.8L));
    t.Fi2 = R(phi * (1.01L * std::sqrt(d) + 3.2L * mn + 6.4L));
}

bool SameIsoGear(const TIsoTolerances& t, int A, Extended mn, Extended d, Extended b, Extended z)
{
    return t.A == A && SameBits(t.mn, mn) && SameBits(t.d, d) && SameBits(t.b, b) && SameBits(t.z, z);
}

thread_local TCalculationMemo<TIsoTolerances, 6> IsoTolerancesKept;

const TIsoTolerances& KeptIsoTolerancesOf(int A, Extended mn, Extended d, Extended b, Extended z)
{
    if (const TIsoTolerances* kept =
            IsoTolerancesKept.Find([&](const TIsoTolerances& t) { return SameIsoGear(t, A, mn, d, b, z); }))
        return *kept;
    TIsoTolerances& t = IsoTolerancesKept.Add();
    FormIsoTolerances(t, A, mn, d, b, z);
    return t;
}

} // namespace

void CalcIsoTolerances(int i)
{
    auto& g = GearPair;
    const Extended mn = g.mn;
    const Extended d = std::fabs(g.d[i]);
    const Extended z = std::abs(g.z[i]);
    const TIsoTolerances& t = KeptIsoTolerancesOf(g.FlankToleranceClass[i], mn, d, g.b[i], z);
    g.ffalphaT[i] = t.ffalphaT;
    g.fHalphaT[i] = t.fHalphaT;
    g.FalphaT[i] = t.FalphaT;
    g.fpT[i] = t.fpT;
    g.fuT[i] = t.fuT;
    g.FpT[i] = t.FpT;
    g.Fpk[i] = t.Fpk;
    g.FrT[i] = t.FrT;
    g.Rs[i] = t.Rs;
    g.fHbetaT[i] = t.fHbetaT;
    g.ffbetaT[i] = t.ffbetaT;
    g.FbetaT[i] = t.FbetaT;
    g.fisT[i] = t.fisT;
    g.FisT[i] = t.FisT;
    g.fi2[i] = t.fi2;
    g.Fi2[i] = t.Fi2;
    // The formulas hold within these ranges of the standard; outside them the
    // values are extrapolations.
    if (!wtelmvar.HideWarnings) {
        if (!InRange(z, 5, 1000)) AddErrorMessage("Warning: Fr: (5<=z<=1000)");
        if (!InRange(d, 5, 15000)) AddErrorMessage("Warning: Fr: (5<=d<=15000)");
        if (!InRange(mn, 0.5L, 70)) AddErrorMessage("Warning: Fr: (0.5<=mn<=70)");
        if (!InRange(z, 5, 400)) AddErrorMessage("Warning: fis: (5<=z<=400)");
        if (!InRange(d, 5, 2500)) AddErrorMessage("Warning: fis: (5<=d<=2500)");
        if (!InRange(mn, 1, 50)) AddErrorMessage("Warning: fis: (1<=mn<=50)");
    }
}
