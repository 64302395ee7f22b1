#include "graphics/cad/stldevice.h"

#include "foundation/guardedmath.h"
#include "graphics/cadsettings.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace
{

// Most chords of one arc or circle, as the CAD layer's own chords.
constexpr Extended MaxChords = 100000;

Extended Resolution()
{
    if (cadsettings.CadArcResolution <= 0) cadsettings.CadArcResolution = 0.1L;
    return cadsettings.CadArcResolution;
}

} // namespace

void TCadStlDevice::Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    writer_.Wall(X1, Y1, X2, Y2, cadstate.CadZLow, cadstate.CadZHigh);
}

void TCadStlDevice::Disc(Extended X, Extended Y, Extended R, bool Filled)
{
    const Extended res = Resolution();
    const Extended c = 2 * Pi * R;
    if (res >= c) return;
    const Extended n = std::clamp(Round(c / res), Extended(1), MaxChords);
    const Extended step = (Filled ? -2 : 2) * Pi / n;
    Extended px = X + R, py = Y;
    for (int i = 1; i <= static_cast<int>(n); ++i) {
        const Extended a = i * step;
        const Extended qx = X + R * std::cos(a), qy = Y + R * std::sin(a);
        Line(px, py, qx, qy);
        px = qx;
        py = qy;
    }
}

void TCadStlDevice::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    if (End < Start) End += 360;
    const Extended a0 = DegToRad(Start), phi = DegToRad(End - Start);
    const Extended x1 = X + R * std::cos(a0), y1 = Y + R * std::sin(a0);
    const Extended x2 = X + R * std::cos(a0 + phi), y2 = Y + R * std::sin(a0 + phi);
    const Extended r = std::fabs(R);
    const Extended length = r * std::fabs(phi);
    if (phi == 0 || length == 0) {
        Line(x1, y1, x2, y2);
        return;
    }
    const Extended res = Resolution();
    if (res >= length && std::fabs(phi) <= 0.1L) {
        Line(x1, y1, x2, y2);
        return;
    }
    Extended n = std::fabs(phi * res / length) > 0.1L ? Round(std::fabs(phi) / 0.1L) : Round(length / res);
    n = std::clamp(n, Extended(1), MaxChords);
    Extended px = x1, py = y1;
    for (int i = 1; i <= static_cast<int>(n); ++i) {
        const Extended a = a0 + phi * i / n;
        const Extended qx = X + R * std::cos(a), qy = Y + R * std::sin(a);
        Line(px, py, qx, qy);
        px = qx;
        py = qy;
    }
}

void TCadStlDevice::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                          Extended X4, Extended Y4)
{
    // Edges 1-2 and 3-4 are opposite: the outline runs 1, 2, 4, 3. A corner
    // given twice (a triangle) is one corner.
    std::vector<std::pair<Extended, Extended>> p;
    for (const auto& c : {std::pair{X1, Y1}, {X2, Y2}, {X4, Y4}, {X3, Y3}})
        if (p.empty() || p.back() != c) p.push_back(c);
    while (p.size() > 1 && p.back() == p.front())
        p.pop_back();
    if (p.size() < 2) return;
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& a = p[i];
        const auto& b = p[(i + 1) % p.size()];
        Line(a.first, a.second, b.first, b.second);
    }
}

TStlOptions StlOptionsFromSettings()
{
    TStlOptions o;
    // 1 ASCII; 0 and anything else binary.
    o.Ascii = cadsettings.StlFileType == 1;
    o.SolidName = "TELSOLID";
    return o;
}
