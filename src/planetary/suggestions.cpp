#include "planetary/suggestions.h"

#include "foundation/guardedmath.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "gearpair/geometry/calcgearpair.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/meshtransfer.h"
#include "planetary/stage.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

// Nearest integer, ties to even (the default rounding mode).
Extended Nearest(Extended v)
{
    return std::nearbyint(v);
}

// Outer diameter of the bearing of planet g (bearing 1 Pi, bearing 2 Pe).
Extended PlanetBearingD(int g);
Extended PlanetBearingBore(int g);

} // namespace

Extended SuggestInnerDiameter(int g)
{
    const auto& s = PlanetaryGears;
    switch (g) {
    case gS:
        return std::max(s.di[g], s.dB[g]);
    case gPi:
    case gPe:
        return PlanetBearingD(g) > 0 ? PlanetBearingD(g) : std::max(s.di[g], s.dB[g]);
    case gH:
        return Nearest(s.df[g] - 3 * s.h[g]);
    default:
        return 0;
    }
}

Extended SuggestBoreDiameter(int g)
{
    const auto& s = PlanetaryGears;
    switch (g) {
    case gS:
        return s.df[g] > s.dB[g] ? s.dB[g] : 0;
    case gPi:
    case gPe:
        if (PlanetBearingD(g) > 0) return PlanetBearingD(g);
        if (s.df[g] > s.dB[g] && s.dB[g] != 0) return s.dB[g];
        return Nearest(std::max(s.df[g] - 3 * s.h[g], s.df[g] / 2));
    case gH:
        return Nearest(s.df[g] - 3 * s.h[g]);
    default:
        return 0;
    }
}

Extended SuggestShaftDiameter(int m)
{
    const auto& s = PlanetaryGears;
    const int g = PlanetaryGearOfMesh(m, 1);
    switch (g) {
    case gS: {
        Extended d0 = 0;
        if (s.Sigma_FE[g] > 0)
            d0 = Nearest(SafePower("dbohrung",
                                   std::fabs(s.T[g]) * 16 / std::numbers::pi_v<Extended> * 1000 /
                                       (0.3L * s.Sigma_FE[g]),
                                   1.0L / 3));
        return s.df[g] < d0 ? std::trunc(s.df[g]) : std::trunc((d0 + s.df[g]) / 2);
    }
    case gPi:
    case gPe:
        if (PlanetBearingBore(g) > 0) return PlanetBearingBore(g);
        return s.dB[g] <= 0 ? std::trunc(0.7L * s.df[g]) : s.dB[g];
    default:
        return 0;
    }
}

Extended SuggestShaftLength(int g)
{
    const auto& s = PlanetaryGears;
    if (g == gS) return 3 * s.b[g];
    if (g >= gPi && g <= gH) return 2 * s.b[g];
    return 0;
}

int CutterTeethDefault()
{
    return std::abs(PlanetaryGears.z[gH]) / 2;
}

Extended CutterShiftDefault()
{
    return -PlanetaryGears.x[gH];
}

Extended PlanetAngle(int i)
{
    return PlanetPositionAngle(i, PlanetaryGears.z[gH], PlanetaryGears.z[gS], true, GearPair.qp);
}

std::string ShaftLetter(int code)
{
    return code >= 1 && code <= 3 ? ShaftLetters[code] : "";
}

std::string MeshName(int m)
{
    return m >= 1 && m <= 3 ? PlanetaryMeshNames[m] : "";
}

std::string_view MeshGearLabel(int s, int m)
{
    static constexpr std::string_view labels[3][2] = {
        {"S", "Pi-SPi"}, {"Pi-PiPe", "Pe-PiPe"}, {"Pe-PeH", "H"}};
    if (m < 1 || m > 3 || s < 1 || s > 2) return "";
    return labels[m - 1][s - 1];
}

int PlanetaryGearOfMesh(int m, int j)
{
    if (m < 1 || m > 3 || j < 1 || j > 2) return 0;
    return MeshGearOrder(m)[j];
}

int MeshGearOfPair(int m, int g)
{
    if (m < 1 || m > 3) return 0;
    const MeshOrder order = MeshGearOrder(m);
    if (order[1] == g) return 1;
    if (order[2] == g) return 2;
    return 0;
}

std::string MeshGearCaption(int m, int j)
{
    const int g = PlanetaryGearOfMesh(m, j);
    return g >= 1 && g <= 4 ? PlanetaryGearLetters[g] : "";
}

std::string MeshCaption(int m)
{
    return MeshGearCaption(m, 1) + "-" + MeshGearCaption(m, 2);
}

void CalcMesh(int m)
{
    if (m < mSPi || m > mPeH) return;
    LoadMesh(m);
    CalcGearPair();
    StoreMesh(m);
}

void LoadCalculatedMesh(int m)
{
    LoadMesh(m);
    CalcLoadedMesh();
    StoreMesh(m);
}

void CalcLoadedMesh()
{
    GearPair.DimensionInputReserve = 0;
    CalcGearPair();
}

void AnimateLoadedMesh()
{
    SetAnimationAngles();
}

namespace
{

// Bearing 1 carries Pi, bearing 2 Pe.
Extended PlanetBearingD(int g)
{
    return PlanetBearings[g - 1].D;
}
Extended PlanetBearingBore(int g)
{
    return PlanetBearings[g - 1].d;
}

} // namespace
