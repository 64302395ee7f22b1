#pragma once
// Hatching of cut areas in section views (gear bodies, production drawings,
// bearing sections). The drawing code collects the outline of the cut area
// as a list of points (straight edges, arcs broken into chords, freehand
// break lines) and then asks for the hatching: the outline is drawn as one
// polyline and a family of parallel lines at a given angle and spacing is
// cut against it; the pieces inside go out as lines. Everything is drawn
// through the CAD layer, so the hatching looks the same on the screen and
// in every CAD file.
//
// Two ways to collect an outline:
//   BeginHatch(); AddHatchVertex(...) per vertex; EndHatch(0, spacing, angle)
//   ResetHatch(); AddHatchPoint / AddHatchArc / HatchStrip(true, ...);
//       HatchCollected(0, spacing, angle)
//
// Failures go to the message list: "Schraffurfehler" for a point beyond the
// 100 the outline holds, "Fatal  : n schraff !" for hatching such an
// outline, "Fatal  : schraff schnittp" (and Aborted) when one hatch line
// meets the outline more than 10 times.

#include "foundation/types.h"

#include <cstdint>

struct THatchPoint {
    Extended x = 0;
    Extended y = 0;
};

// Most points an outline holds.
inline constexpr int HatchPointsMax = 100;
// Most crossings of one hatch line with the outline.
inline constexpr int HatchCrossingsMax = 10;
// Most hatch lines one call draws: a spacing far below the outline's size
// would otherwise run for hours.
inline constexpr int HatchLinesMax = 10000;

struct THatchState {
    // The outline being collected, 1..HatchPointCount.
    TArray<THatchPoint, 1, HatchPointsMax> HatchPoints{};
    // Points added since the last reset; may run past 100 (each point past
    // it only adds "Schraffurfehler").
    uint16_t HatchPointCount = 0;
    // Included angle (radians, signed) of the arc from the last vertex given
    // to AddHatchVertex to the next one; 0 is a straight edge.
    Extended HatchPendingAngle = 0;
    // 1: outline on layer 5, hatch lines on layer 3; 2: no outline, hatch
    // lines on layer 3; other values: both on the current layer.
    int16_t HatchMode = 1;
    // Generator of the break lines' offsets. It starts from the same seed
    // after every reset, so a drawing comes out the same each time.
    uint32_t HatchRandSeed = 0;
};

extern THatchState hatchstate;

void ResetHatchState();

void ResetHatch();
// Appends a point; past 100 points the point is dropped with
// "Schraffurfehler" (the count still grows).
void AddHatchPoint(Extended X, Extended Y);
// The point at angle T (radians) on the circle (Cx, Cy, R).
void AddHatchArcPoint(Extended Cx, Extended Cy, Extended R, Extended T);
// N + 1 points of the arc from T1 to T2 (radians), N chords; N below 1
// counts as 1.
void AddHatchArc(int N, Extended Cx, Extended Cy, Extended R, Extended T1, Extended T2);

void BeginHatch();
// One vertex of the outline; Angle bends the edge to the next vertex into
// an arc with that included angle (radians, 0 straight). An arc edge is
// stored as points every 10 degrees, at least 3 chords. Draws nothing.
void AddHatchVertex(Extended X, Extended Y, Extended Angle);
void EndHatch(int N, Extended Spacing, Extended Angle);
// Hatches the first N points (all collected ones for N = 0).
void HatchCollected(int N, Extended Spacing, Extended Angle);
// Hatches the rectangle; spacing 0 becomes a fifth of its longer side,
// rounded to whole millimetres. The corners become points 1..4 of the
// outline (its count is left alone).
void HatchRectangle(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Spacing, Extended Angle);
// Draws the outline of points 1..N (closed when the last point is not the
// first) and hatch lines at Angle degrees Spacing apart (0: a tenth of the
// outline's extent across them). An angle of exactly 0 draws no hatch
// lines; any other angle is taken modulo 180 degrees.
void HatchPolygon(int N, Extended Spacing, Extended Angle);
// A freehand break line of six segments from (X1, Y1) to (X2, Y2) whose
// five inner points lie at random up to 2 × Amplitude to either side; with
// AddPoints its points are appended to the outline too.
void HatchStrip(bool AddPoints, Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Amplitude);
void SetHatchMode(int16_t Mode);
void SetDefaultHatchMode();

// Sorts Values[1..Count] ascending and moves Index alongside, after setting
// Index[k] = k for every k. A Count above 10 adds "Fatal  : QSORT2 error"
// and sets Aborted, and nothing is sorted.
void SortCrossings(TArray<Extended, 1, HatchCrossingsMax>& Values, TArray<int, 1, HatchCrossingsMax>& Index,
                   int Count);
