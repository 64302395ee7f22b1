#pragma once
// Plane geometry on extended-precision coordinates: linear systems in two
// unknowns, line and segment intersections, arcs through two points, roots of
// quadratics, line-circle intersections, clipping to a rectangle and fillet
// arcs. The tooth-form, gear and bearing drawings and the geometry steps use
// them. Angles are in radians. Nothing here raises; messages go to the
// collector unless HideWarnings is set.

#include "foundation/types.h"

// A·D - B·C.
Extended Det2(Extended A, Extended B, Extended C, Extended D);

// A1·X + B1·Y = C1, A2·X + B2·Y = C2 by Cramer's rule. A zero determinant
// gives X = Y = 0 and false.
bool SolveLinear2(Extended& X, Extended& Y, Extended A1, Extended B1, Extended C1, Extended A2, Extended B2,
                  Extended C2);

// Intersection of the infinite lines P1P2 and P3P4. Parallel (or degenerate)
// lines have none: the result is then false and (X, Y) is P1, the point
// callers have always received in that case.
bool LineIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended X2, Extended Y2,
                      Extended X3, Extended Y3, Extended X4, Extended Y4);

// A <= X <= B or B <= X <= A; for A and B closer than 1e-12 also X within
// 1e-12 of B, so that a computed point on a vertical or horizontal segment
// still counts as lying on it.
bool IsBetween(Extended X, Extended A, Extended B);

// The intersection point of the lines when it lies on both segments.
// Parallel segments, overlapping ones included, have no single point: false.
bool SegmentIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended X2, Extended Y2,
                         Extended X3, Extended Y3, Extended X4, Extended Y4);

// (X, Y) rotated by Phi about (Xc, Yc).
void RotateAboutPoint(Extended& X2, Extended& Y2, Extended X, Extended Y, Extended Xc, Extended Yc,
                      Extended Phi);

// The angle between sides B and C of a triangle, opposite side A; 0 when B or
// C is 0.
Extended AngleFromSides(Extended B, Extended C, Extended A);

// Centre, radius and the angles of the end points of the arc from P1 to P2
// with the included angle Dphi (positive counter-clockwise). The angles are
// returned so that the arc always runs counter-clockwise from PhiStart to
// PhiEnd (exchanged for a negative Dphi). Dphi a multiple of 2 pi has no arc:
// a message, no output changed, false.
bool GetArcCenter(Extended& Xc, Extended& Yc, Extended& PhiStart, Extended X1, Extended Y1, Extended X2,
                  Extended Y2, Extended Dphi, Extended& PhiEnd, Extended& R);
// The same with the angles always in point order; coincident points are
// reported.
bool GetArcCenterNoSwap(Extended& Xc, Extended& Yc, Extended& PhiStart, Extended X1, Extended Y1, Extended X2,
                        Extended Y2, Extended Dphi, Extended& PhiEnd, Extended& R);

// Roots of A·x² + B·x + C, X1 with +sqrt(D), X2 with -sqrt(D). A negative
// discriminant sets Failed with both roots 0. A = 0 leaves the linear
// equation: its root in both outputs, or Failed when B is 0 too.
void SolveQuadratic(Extended& X1, Extended& X2, bool& Failed, Extended A, Extended B, Extended C);

// The two points where the line through P1 and P2 meets the circle (Xm, Ym,
// R); Failed (with the y values 0) when it misses.
void LineCircleIntersection(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Xm, Extended Ym,
                            Extended R, Extended& XA, Extended& YA, Extended& XB, Extended& YB, bool& Failed);

// Intersection of two lines, each through a point at an angle; false for
// parallel lines (the point is then the first one).
bool RayIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended Angle1, Extended X2,
                     Extended Y2, Extended Angle2);

bool PointInRect(Extended X, Extended Y, Extended Xmin, Extended Ymin, Extended Xmax, Extended Ymax);

// The crossing of the segment with the first rectangle edge it meets, edges
// tried bottom, right, top, left; false when none.
bool SegmentRectIntersection(Extended& X, Extended& Y, Extended X1, Extended Y1, Extended X2, Extended Y2,
                             Extended Xmin, Extended Ymin, Extended Xmax, Extended Ymax);

// Cuts the segment to the part inside the rectangle (edges included) and
// returns true; a segment entirely outside becomes all zeros and false. A
// segment crossing the rectangle with both ends outside keeps the part that
// crosses it.
bool ClipSegmentToRect(Extended& X1, Extended& Y1, Extended& X2, Extended& Y2, Extended Xmin, Extended Ymin,
                       Extended Xmax, Extended Ymax);

// Fillet of radius R between the line through P1 at Angle1 and the line
// through P2 at Angle2: centre, tangent points on the first and the second
// line and the angle from the first to the second tangent point seen from the
// centre (not normalised). Lines whose offsets are parallel give all zeros
// and false.
bool FilletArc(Extended X1, Extended Y1, Extended Angle1, Extended X2, Extended Y2, Extended Angle2,
               Extended R, Extended& Xc, Extended& Yc, Extended& Xt1, Extended& Yt1, Extended& Xt2,
               Extended& Yt2, Extended& Angle);

// A + pi, less 2 pi when the sum exceeds 2 pi.
Extended OppositeAngle(Extended A);

// Fillet at the corner (X0, Y0) where the first line leaves at Angle1 and the
// second arrives with the direction Angle2; a negative angle output is raised
// by 2 pi.
bool FilletArcReversed(Extended X0, Extended Y0, Extended Angle1, Extended Angle2, Extended R, Extended& Xc,
                       Extended& Yc, Extended& Xt1, Extended& Yt1, Extended& Xt2, Extended& Yt2,
                       Extended& Angle);
