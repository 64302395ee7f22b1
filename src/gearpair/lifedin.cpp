#include "gearpair/lifedin.h"

#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"

#include <cmath>

namespace
{

// Hours from load cycles. A gear at rest collects no cycles, so it gets no
// finite life in hours: 0 stands for "not calculated" as in the other life
// results, instead of a division by zero.
Extended Hours(Extended N, Extended n, Extended e)
{
    if (n == 0) return 0;
    Extended L = N / std::fabs(n) / 60;
    if (e > 1) L /= e;
    return L;
}

// Cycles on a life line N = Nref / Z^(1/ex); 0 when the line is horizontal
// (the influence factors lift the endurance point onto the static level).
Extended LineCycles(Extended Nref, Extended Z, Extended ex)
{
    if (std::fabs(ex) < 1e-6L) return 0;
    return Nref / SafePower("Error  : LtH", Z, 1 / ex);
}

} // namespace

Extended PittingLifeDin(int heatTreatment, int materialKind, int curve, Extended ratio, Extended n,
                        Extended e, Extended F, Extended& N)
{
    Extended N1 = 1e10L, N2 = 1e10L;
    if (ratio < 1) {
        // A zero or negative ratio has no life factor; it reads as broken at once.
        const Extended Z = ratio > 0 ? 1 / ratio : 1e30L;
        if (heatTreatment == 7 || materialKind == 6 || heatTreatment == 5 || heatTreatment == 6) {
            const Extended zStatic = heatTreatment == 7 ? 1.1L : 1.3L;
            if (Z > zStatic) AddErrorMessage("Error  : Pitting");
            const Extended ex = KeptLn(SafeDivide("Error  : LtH", zStatic, F)) / KeptLn(20.0L);
            N1 = LineCycles(2e6L, Z, ex);
            N2 = N1;
        } else if (materialKind == 8) {
            if (Z > 1.1L) AddErrorMessage("Error  : Pitting");
            N1 = N2 = 0;
        } else {
            if (Z > 1.6L) AddErrorMessage("Error  : Pitting");
            const Extended lnRatio = KeptLn(SafeDivide("Error  : LtH", 1.6L, F));
            const Extended ex = lnRatio / KeptLn(500.0L);
            N1 = LineCycles(5e7L, Z, ex);
            if (Z > 1.3L)
                N2 = LineCycles(3e8L, Z, ex);
            else
                N2 = LineCycles(1e9L, Z, lnRatio / KeptLn(5000.0L));
        }
    }
    if (curve == 2) {
        N = N2;
        return Hours(N2, n, e);
    }
    N = N1;
    return Hours(N1, n, e);
}

Extended RootLifeDin(int heatTreatment, int materialKind, Extended& N, Extended ratio, Extended n, Extended e)
{
    N = 1e10L;
    if (ratio < 1) {
        const Extended Y = ratio > 0 ? 1 / ratio : 1e30L;
        Extended k = 6.25L;
        Extended yStatic = 2.5L;
        bool none = false;
        if (heatTreatment == 7) {
            k = 1 / 0.012L;
            yStatic = 1.1L;
        } else if (materialKind == 6 || heatTreatment == 5 || heatTreatment == 6) {
            k = 1 / 0.059L;
            yStatic = 1.1L;
        } else if (materialKind == 8) {
            none = true;
            yStatic = 1.1L;
        } else if (heatTreatment >= 2 && heatTreatment <= 4) {
            k = 1 / 0.115L;
            yStatic = 1.6L;
        }
        if (Y > yStatic) AddErrorMessage("Error  : fatigue fract.");
        N = none ? 0 : 3e6L / SafePower("Error  : LtF", Y, k);
    }
    return Hours(N, n, e);
}
