#pragma once
// What the bearing sections share: drawing calls that let no coordinate
// that is not a finite number through (a degenerate catalogue record must
// not leave a message or a stray entity behind), outlines collected as
// vertices with included angles, and the common construction pieces.

#include "foundation/types.h"

#include <cmath>
#include <initializer_list>
#include <vector>

namespace bearingdrawing
{

inline constexpr Extended HalfPi = 1.57079632679489661923132169163975144L;
inline constexpr Extended PiL = 3.14159265358979323846264338327950288L;

inline Extended Rad(Extended Deg)
{
    return Deg * PiL / 180;
}
inline Extended Deg(Extended Rad)
{
    return Rad * 180 / PiL;
}

bool Finite(std::initializer_list<Extended> Values);

void Line(Extended X1, Extended Y1, Extended X2, Extended Y2);
void Circle(Extended X, Extended Y, Extended R);
// Degrees, counter-clockwise.
void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R);
void HatchPoint(Extended X, Extended Y);
void HatchArc(int N, Extended Cx, Extended Cy, Extended R, Extended T1, Extended T2);

// A closed outline given vertex by vertex; the angle of a vertex bends the
// edge to the next vertex into an arc with that included angle (radians).
// Vertices that are not finite are left out; the outline is closed by a
// copy of its first vertex when it does not end there.
class TOutline
{
  public:
    void Add(Extended X, Extended Y, Extended A = 0);
    // The outline as one CAD polyline on the current layer.
    void Polyline() const;
    // The outline as a polyline on layer 5 and as hatch outline, hatched
    // (BeginHatch / AddHatchVertex / EndHatch).
    void Hatched(Extended Spacing, Extended Angle) const;

  private:
    struct TVertex {
        Extended x, y, a;
    };
    std::vector<TVertex> Closed() const;
    std::vector<TVertex> v_;
};

// Held while a ring whose outline is already drawn (with its true arcs) is
// hatched: in HatchMode 1 the hatcher would draw the outline once more as
// chords, so for that time it draws the hatch lines only (mode 2). Any
// other mode is left alone.
class THatchLinesOnly
{
  public:
    THatchLinesOnly();
    ~THatchLinesOnly();
    THatchLinesOnly(const THatchLinesOnly&) = delete;
    THatchLinesOnly& operator=(const THatchLinesOnly&) = delete;

  private:
    bool modeOne_;
};

// Side faces across the bore: x = 0 and x = B from -Y to +Y on layer 5.
void BoreLinesAt(Extended B, Extended Y);
// Centre cross of a ball, each arm of length rw, on the current layer.
void BallCross(Extended X, Extended Y, Extended rw);
// Ball radius of types 1, 8, 9: m/2 to the nearest 0.1 mm (halves to even).
Extended RoundedBallRadius(Extended m);

// A roller drawn as a rectangle xa..xb, ylo..yhi with corners rounded by k:
// the corner arcs of both halves, then per half its centre line and edges.
struct TRoller {
    Extended xa, xb, ylo, yhi, k, overhang;
    void Arcs() const;
    void CentreLine(Extended s) const;
    void Edges(Extended s) const;
};

} // namespace bearingdrawing
