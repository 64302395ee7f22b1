#include "gearpair/viscosity.h"

#include "foundation/guardedmath.h"

#include <cmath>

namespace
{

Extended ViscosityLine(Extended nuRef, Extended tRef, Extended t)
{
    const Extended A = Log10Safe(Log10Safe(nuRef + 0.8L));
    const Extended W = A - 3.726L * (Log10Safe(t + 273.15L) - Log10Safe(tRef + 273.15L));
    return PowerOf10(PowerOf10(W)) - 0.8L;
}

} // namespace

// The oil does not change within a calculation, while the load capacity
// asks for the same viscosity on every load step of a spectrum and every
// trial of a limit torque search: the last answer is kept (four powers of
// ten and logarithms in extended precision each time otherwise).
Extended ViscosityAtTemp(Extended nuRef, Extended tRef, Extended t)
{
    struct TLast {
        bool Valid = false;
        unsigned long Calculation = 0;
        Extended NuRef = 0, TRef = 0, T = 0, Nu = 0;
    };
    static thread_local TLast last;
    // Within a stage or pair calculation only its own answer counts.
    const unsigned long calculation = CalculationUnderWay();
    if (last.Valid && (calculation == 0 || last.Calculation == calculation) && last.NuRef == nuRef &&
        last.TRef == tRef && last.T == t)
        return last.Nu;
    const unsigned long before = GuardedReportCount();
    const Extended nu = ViscosityLine(nuRef, tRef, t);
    // A result that came with a message is not kept: the next call must say
    // it again.
    last = TLast{GuardedReportCount() == before, calculation, nuRef, tRef, t, nu};
    return nu;
}

bool TryViscosityAt(Extended Nu, Extended TRef, Extended t, Extended& Result)
{
    // -273 deg C is as cold as an oil could be; the double logarithm of the
    // viscosity line has no value at or below it.
    if (!(Nu > 0) || !(TRef > -273) || !(t > -273)) return false;
    const Extended x = ViscosityAtTemp(Nu, TRef, t);
    if (!std::isfinite(static_cast<long double>(x)) || !(x > 0)) return false;
    Result = x;
    return true;
}
