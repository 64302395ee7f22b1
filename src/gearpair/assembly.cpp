#include "gearpair/assembly.h"

#include <algorithm>
#include <cmath>

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"

namespace
{

int PlanetIndexNumber(int zA, int zB, bool minus)
{
    return minus ? std::abs(zA) - zB : std::abs(zA) + zB;
}

bool IsWholeMultiple(int N, int q)
{
    const Extended ratio = static_cast<Extended>(N) / q;
    return std::fabs(std::trunc(ratio) - ratio) < 1e-5L;
}

// A stage without planets has no spacing: stop the calculation instead of
// dividing by zero.
bool RejectNoPlanets(int q)
{
    if (q != 0) return false;
    AddFatalMessage("Fatal  : q = 0 !");
    return true;
}

} // namespace

bool AssemblyConditionFails(int zA, int zB, int q, bool minus)
{
    if (RejectNoPlanets(q)) return true;
    return !IsWholeMultiple(PlanetIndexNumber(zA, zB, minus), q);
}

Extended PlanetPositionAngle(int i, int zA, int zB, bool minus, int q)
{
    if (RejectNoPlanets(q)) return 0;
    const int N = PlanetIndexNumber(zA, zB, minus);
    if (N == 0) return 0;
    // Round half to even, the rounding of the whole program.
    const Extended steps = std::nearbyint(static_cast<Extended>(i) / q * N);
    return steps * 2 * Pi / N;
}

void StepTeethNumbers(char kind, char direction, int q, int& zS, int& zP, int& zH)
{
    if (direction == '0') {
        switch (kind) {
        case 'S':
            zS = -2 * zH - 7 * zP;
            break;
        case 'P':
            zP = static_cast<int>(std::nearbyint(static_cast<Extended>(-zS - zH) / 3.25L + 0.5L));
            break;
        case 'H':
            zH = -zS - 3 * zP;
            break;
        default:
            break;
        }
        return;
    }
    if (direction != '<' && direction != '>') return;
    const bool up = direction == '>';
    if (kind == 'P') {
        zP += up ? 1 : -1;
        return;
    }
    if (kind != 'S' && kind != 'H') return;
    // The first step is taken before the test, so a number that already
    // assembles moves on to the next one that does; with q > 0 this ends
    // within q steps.
    for (;;) {
        if (kind == 'S')
            zS += up ? 1 : -1;
        else
            zH += up ? -1 : 1; // the ring's count is negative
        if (q == 0) {
            AddErrorMessage(up ? "Fatal: q = 0 !" : "Fatal  : q = 0 !");
            return;
        }
        if (IsWholeMultiple(-zH - zS, q)) return;
    }
}

Extended CircleGap(Extended phiA, Extended phiB, Extended dA, Extended dB, Extended rB, Extended rA)
{
    // The radicand is a squared distance; rounding may leave it a hair below 0
    // for touching centres.
    const Extended sq = rA * rA + rB * rB - 2 * std::fabs(rA) * rB * std::cos(phiA - phiB);
    return std::sqrt(std::max(sq, Extended{0})) - dA / 2 - dB / 2;
}

Extended ChordLimitFactor(Extended angle, Extended v)
{
    const Extended s = std::sqrt(std::max(Extended{0}, 2 * (1 - std::cos(angle))));
    if (s > 0 && s < 2) return v * s / (2 - s) + 1;
    return 100;
}

Extended AngleFromRatio(Extended r1, Extended r2)
{
    if (r1 > r2) return 57.3L * Tangent(SafeArcCos(r2 / r1));
    return 0;
}
