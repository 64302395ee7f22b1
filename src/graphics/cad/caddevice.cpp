#include "graphics/cad/caddevice.h"

#include "foundation/guardedmath.h"
#include "graphics/cadsettings.h"

#include <algorithm>
#include <cmath>

namespace
{

// Chords of the arc about (X, Y) from A0 to A1 (radians, counter-clockwise),
// each at most CadArcResolution long.
void ArcChords(TCadDevice& D, Extended X, Extended Y, Extended R, Extended A0, Extended A1)
{
    Extended res = cadsettings.CadArcResolution;
    if (res <= 0) res = 0.1L;
    const Extended length = std::fabs(R * (A1 - A0));
    const int n = std::max(1, static_cast<int>(std::ceil(length / res)));
    Extended px = X + R * std::cos(A0), py = Y + R * std::sin(A0);
    for (int i = 1; i <= n; ++i) {
        const Extended a = A0 + (A1 - A0) * i / n;
        const Extended qx = X + R * std::cos(a), qy = Y + R * std::sin(a);
        D.Line(px, py, qx, qy);
        px = qx;
        py = qy;
    }
}

} // namespace

void TCadDevice::Circle(Extended X, Extended Y, Extended R)
{
    ArcChords(*this, X, Y, R, 0, 2 * Pi);
}

void TCadDevice::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    if (End < Start) End += 360;
    ArcChords(*this, X, Y, R, DegToRad(Start), DegToRad(End));
}

void TCadDevice::SheetFrame(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    Line(X1, Y1, X1, Y2);
    Line(X1, Y2, X2, Y2);
    Line(X2, Y2, X2, Y1);
    Line(X2, Y1, X1, Y1);
}

void TCadDevice::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                       Extended X4, Extended Y4)
{
    Line(X1, Y1, X2, Y2);
    Line(X2, Y2, X4, Y4);
    Line(X4, Y4, X3, Y3);
    Line(X3, Y3, X1, Y1);
}
