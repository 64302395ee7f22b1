#pragma once
// The meshing of the wheel inserts of a stage front view: on the line of
// centres of two meshing wheels a tooth of one must face a tooth space of
// the other. Tooth centres come from the insert angles: the tooth block of
// an external gear has its tooth on +y, the ring's its tooth on -y, and a
// wheel's k-th copy is turned by s/2 - k s (s = 360/z).

#include "cadlogsupport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// Fraction of a pitch between the direction Towards (deg) and the nearest
// tooth centre of a wheel whose tooth centres lie at Tooth + k * Pitch.
inline double PitchFraction(double Towards, double Tooth, double Pitch)
{
    double f = std::fmod((Towards - Tooth) / std::fabs(Pitch), 1.0);
    return f < 0 ? f + 1 : f;
}

// Distance of a fraction from the wanted one on the circle of fractions.
inline double FromHalf(double Sum)
{
    double f = std::fmod(Sum - 0.5, 1.0);
    if (f < 0) f += 1;
    return std::min(f, 1 - f);
}

// Distance of two fractions on the circle of fractions.
inline double FractionDistance(double A, double B)
{
    return FromHalf(A - B + 0.5);
}

struct TStageInserts {
    TCadCall Ring, Sun;
    std::vector<TCadCall> Pe, Pi;
};

// Per planet set the three mesh sums Pe-H, Pi-Pe and S-Pi: 0.5 (mod 1)
// where the teeth mesh.
inline std::vector<std::array<double, 3>> MeshPhaseSums(const TStageInserts& w, int zS, int zPi, int zPe,
                                                        int zH)
{
    constexpr double Deg = 3.14159265358979323846 / 180;
    const double sS = 360.0 / zS, sPi = 360.0 / zPi, sPe = 360.0 / zPe, sH = 360.0 / zH;
    const double toothH = w.Ring.V[2] - 90 + sH / 2;
    const double toothS = w.Sun.V[2] + 90 + sS / 2;
    std::vector<std::array<double, 3>> r;
    for (size_t k = 0; k < w.Pe.size() && k < w.Pi.size(); ++k) {
        const TCadCall& pe = w.Pe[k];
        const TCadCall& pi = w.Pi[k];
        const double toothPe = pe.V[2] + 90 + sPe / 2;
        const double toothPi = pi.V[2] + 90 + sPi / 2;
        // Pe-H: both look outwards along the line from the axis through Pe.
        const double out = std::atan2(pe.V[1], pe.V[0]) / Deg;
        // Pi-Pe: each looks at the other; S-Pi likewise.
        const double piToPe = std::atan2(pe.V[1] - pi.V[1], pe.V[0] - pi.V[0]) / Deg;
        const double sToPi = std::atan2(pi.V[1], pi.V[0]) / Deg;
        r.push_back({PitchFraction(out, toothH, sH) - PitchFraction(out, toothPe, sPe),
                     PitchFraction(piToPe, toothPi, sPi) + PitchFraction(piToPe + 180, toothPe, sPe),
                     PitchFraction(sToPi, toothS, sS) + PitchFraction(sToPi + 180, toothPi, sPi)});
    }
    return r;
}
