#include "graphics/cad/cadhatch.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/planegeo.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

THatchState hatchstate;

namespace
{

THatchState& H = hatchstate;

constexpr int OutlineLayer = 5;
constexpr int HatchLineLayer = 3;

// Uniform in [0, 1): a 32-bit linear congruential generator.
Extended NextRandom()
{
    H.HatchRandSeed = H.HatchRandSeed * 134775813u + 1u;
    return static_cast<Extended>(H.HatchRandSeed) / 4294967296.0L;
}

// Count further points that find no room: the count only tells how many
// were asked for, so it stops at its largest value instead of wrapping.
void CountLostPoints(long long N)
{
    if (N <= 0) return;
    AddErrorMessage("Schraffurfehler");
    const long long c = static_cast<long long>(H.HatchPointCount) + N;
    H.HatchPointCount = static_cast<uint16_t>(std::min<long long>(c, std::numeric_limits<uint16_t>::max()));
}

// Points Point(k), k = 0..N-1, appended; once the table is full the rest
// are counted without computing them (an arc of a million chords would
// otherwise take its time to say "Schraffurfehler").
template <class F> void AppendPoints(long long N, F Point)
{
    for (long long k = 0; k < N; ++k) {
        if (H.HatchPointCount >= HatchPointsMax) {
            CountLostPoints(N - k);
            return;
        }
        const THatchPoint p = Point(k);
        AddHatchPoint(p.x, p.y);
    }
}

// The hatch lines of the closed outline P[0..N-1] (last point = first).
// Each line is the set of points whose level is c; the levels of the
// lines run from the outline's lowest to its highest level in Step.
void HatchLines(const std::array<THatchPoint, HatchPointsMax + 1>& P, int N, Extended Spacing, Extended Angle)
{
    // One family of lines for every angle: reduced into (-90, 90].
    Extended a = std::fmod(Angle, Extended(180));
    if (a <= -90) a += 180;
    if (a > 90) a -= 180;
    const bool vertical = a == 90;
    const Extended m = vertical ? 0 : std::tan(DegToRad(a));
    // Level of a point: c of the line y = m x + c through it, or x for
    // vertical lines x = c.
    std::array<Extended, HatchPointsMax + 1> level{};
    Extended cmin = 1e30L, cmax = -1e30L;
    for (int k = 0; k < N; ++k) {
        level[k] = vertical ? P[k].x : P[k].y - m * P[k].x;
        cmin = std::min(cmin, level[k]);
        cmax = std::max(cmax, level[k]);
    }
    // A negative spacing is its magnitude; a spacing given across the lines
    // is a step of c / cos(angle) along the y axis.
    const Extended step =
        Spacing == 0 ? (cmax - cmin) / 10 : std::fabs(Spacing) / (vertical ? 1 : std::cos(DegToRad(a)));
    if (!(step > 0) || !std::isfinite(step) || !(cmax > cmin)) return;
    // The line that reaches the outline's last level meets nothing; a line
    // just short of it by rounding would draw a crumb at the vertex there.
    const Extended last = cmax - (cmax - cmin) * 1e-12L;

    // Position along the lines, to pair the crossings in order.
    const Extended dx = vertical ? 0 : std::cos(DegToRad(a));
    const Extended dy = vertical ? 1 : std::sin(DegToRad(a));

    TArray<THatchPoint, 1, HatchCrossingsMax> crossing;
    TArray<Extended, 1, HatchCrossingsMax> along{};
    TArray<int, 1, HatchCrossingsMax> index{};
    for (long long k = 1;; ++k) {
        // Counted from cmin rather than summed: a tiny step added to a large
        // c would not move it.
        const Extended c = cmin + static_cast<Extended>(k) * step;
        if (!(c < last)) break;
        if (k > HatchLinesMax) {
            AddErrorMessage("Error  : hatch spacing too small, hatching stopped after 10000 lines");
            return;
        }
        int count = 0;
        for (int e = 0; e + 1 < N; ++e) {
            // An edge counts when its ends lie on either side, a vertex on
            // the line counting as below it: where the outline crosses at a
            // vertex exactly one of its edges counts, where it only touches
            // both or neither, so the crossings always pair up.
            const Extended lp = level[e], lq = level[e + 1];
            if ((lp > c) == (lq > c)) continue;
            if (count == HatchCrossingsMax) {
                AddErrorMessage("Fatal  : schraff schnittp");
                telmvar.Aborted = true;
                return;
            }
            const Extended t = (c - lp) / (lq - lp);
            ++count;
            crossing[count] = {P[e].x + t * (P[e + 1].x - P[e].x), P[e].y + t * (P[e + 1].y - P[e].y)};
            along[count] = crossing[count].x * dx + crossing[count].y * dy;
        }
        if (count == 0) continue;
        SortCrossings(along, index, count);
        for (int i = 1; i + 1 <= count; i += 2) {
            const THatchPoint& p = crossing[index[i]];
            const THatchPoint& q = crossing[index[i + 1]];
            CadLine(p.x, p.y, q.x, q.y);
        }
    }
}

} // namespace

void ResetHatchState()
{
    hatchstate = THatchState{};
}

void ResetHatch()
{
    H.HatchPointCount = 0;
}

void AddHatchPoint(Extended X, Extended Y)
{
    if (H.HatchPointCount >= HatchPointsMax) {
        CountLostPoints(1);
        return;
    }
    H.HatchPointCount += 1;
    H.HatchPoints[H.HatchPointCount] = {X, Y};
}

void AddHatchArcPoint(Extended Cx, Extended Cy, Extended R, Extended T)
{
    AddHatchPoint(Cx + R * std::cos(T), Cy + R * std::sin(T));
}

void AddHatchArc(int N, Extended Cx, Extended Cy, Extended R, Extended T1, Extended T2)
{
    if (N < 1) N = 1;
    const Extended dt = (T2 - T1) / N;
    AppendPoints(static_cast<long long>(N) + 1, [&](long long k) {
        const Extended t = T1 + static_cast<Extended>(k) * dt;
        return THatchPoint{Cx + R * std::cos(t), Cy + R * std::sin(t)};
    });
}

void BeginHatch()
{
    CadBeginPolyline();
    H.HatchPendingAngle = 0;
    ResetHatch();
}

void AddHatchVertex(Extended X, Extended Y, Extended Angle)
{
    const Extended bend = H.HatchPendingAngle;
    H.HatchPendingAngle = Angle;
    if (H.HatchPointCount == 0 || bend == 0 || !std::isfinite(bend)) {
        AddHatchPoint(X, Y);
        return;
    }
    // The arc from the last point collected (the last one stored when the
    // table has run full) to this vertex.
    const THatchPoint p = H.HatchPoints[std::min<int>(H.HatchPointCount, HatchPointsMax)];
    Extended xc = 0, yc = 0, a0 = 0, a1 = 0, r = 0;
    if (!GetArcCenterNoSwap(xc, yc, a0, p.x, p.y, X, Y, bend, a1, r)) {
        AddHatchPoint(X, Y);
        return;
    }
    // One point every 10 degrees, at least 3 chords; the first repeats the
    // last point, the last is the vertex itself.
    const Extended steps = std::max(Extended(3), Round(std::fabs(RadToDeg(bend)) / 10));
    const long long n = steps > 1e9L ? 1000000000LL : static_cast<long long>(steps);
    AppendPoints(n, [&](long long k) {
        const Extended t = a0 + static_cast<Extended>(k) * bend / static_cast<Extended>(n);
        return THatchPoint{xc + r * std::cos(t), yc + r * std::sin(t)};
    });
    AddHatchPoint(X, Y);
}

void EndHatch(int N, Extended Spacing, Extended Angle)
{
    CadEndPolyline();
    HatchCollected(N, Spacing, Angle);
}

void HatchCollected(int N, Extended Spacing, Extended Angle)
{
    HatchPolygon(N == 0 ? static_cast<int>(H.HatchPointCount) : N, Spacing, Angle);
}

void HatchRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Spacing, Extended Angle)
{
    H.HatchPoints[1] = {X1, Y1};
    H.HatchPoints[2] = {X2, Y1};
    H.HatchPoints[3] = {X2, Y2};
    H.HatchPoints[4] = {X1, Y2};
    if (Spacing == 0) Spacing = Round(std::max(std::fabs(X2 - X1), std::fabs(Y2 - Y1)) / 5);
    HatchCollected(4, Spacing, Angle);
}

void HatchPolygon(int N, Extended Spacing, Extended Angle)
{
    if (N > HatchPointsMax) {
        AddErrorMessage("Fatal  : n schraff !");
        return;
    }
    // Nothing to draw from fewer than two points.
    if (N < 2) return;
    // The outline closed by a copy of its first point, kept here: an open
    // outline of a full table has no slot for it.
    std::array<THatchPoint, HatchPointsMax + 1> p{};
    for (int k = 1; k <= N; ++k)
        p[k - 1] = H.HatchPoints[k];
    int n = N;
    if (p[n - 1].x != p[0].x || p[n - 1].y != p[0].y) p[n++] = p[0];

    const int16_t mode = H.HatchMode;
    if (mode == 1) CadSetLayer(OutlineLayer);
    if (mode != 2) {
        CadBeginPolyline();
        for (int k = 0; k < n; ++k)
            CadPolylineVertex(p[k].x, p[k].y, 0);
        CadEndPolyline();
    }
    // An angle of 0 asks for the outline alone; two points enclose nothing.
    if (Angle == 0 || N < 3 || !std::isfinite(Angle) || !std::isfinite(Spacing)) return;
    if (mode == 1 || mode == 2) CadSetLayer(HatchLineLayer);
    HatchLines(p, n, Spacing, Angle);
}

void HatchStrip(bool AddPoints, Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Amplitude)
{
    const Extended l = Hypotenuse(X2 - X1, Y2 - Y1);
    const Extended d = PolarAngle(X2 - X1, Y2 - Y1);
    const Extended c = std::cos(d), s = std::sin(d);
    CadMoveTo(X1, Y1);
    if (AddPoints) AddHatchPoint(X1, Y1);
    for (int i = 1; i <= 5; ++i) {
        const Extended r1 = NextRandom();
        const Extended r2 = NextRandom();
        const Extended along = i * l / 6;
        const Extended aside = (r1 - r2) * 2 * Amplitude;
        const Extended x = X1 + along * c - aside * s;
        const Extended y = Y1 + along * s + aside * c;
        CadLineTo(x, y);
        if (AddPoints) AddHatchPoint(x, y);
    }
    CadLineTo(X2, Y2);
    if (AddPoints) AddHatchPoint(X2, Y2);
}

void SetHatchMode(int16_t Mode)
{
    H.HatchMode = Mode;
}

void SetDefaultHatchMode()
{
    H.HatchMode = 1;
}

void SortCrossings(TArray<Extended, 1, HatchCrossingsMax>& Values, TArray<int, 1, HatchCrossingsMax>& Index,
                   int Count)
{
    for (int k = 1; k <= HatchCrossingsMax; ++k)
        Index[k] = k;
    if (Count > HatchCrossingsMax) {
        AddErrorMessage("Fatal  : QSORT2 error");
        telmvar.Aborted = true;
        return;
    }
    // Insertion sort: at most ten values, and equal ones keep their order.
    for (int i = 2; i <= Count; ++i) {
        const Extended v = Values[i];
        const int ix = Index[i];
        int j = i - 1;
        while (j >= 1 && Values[j] > v) {
            Values[j + 1] = Values[j];
            Index[j + 1] = Index[j];
            --j;
        }
        Values[j + 1] = v;
        Index[j + 1] = ix;
    }
}
