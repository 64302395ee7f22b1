#pragma once
// The characteristic diameters of a gear as auxiliary geometry of the
// tooth, gear and mesh pictures: short labelled arcs about the tooth
// ("dw1", "d1", "db1" ...), full circles with the list of their values,
// and the measuring ball (pin) in the tooth space (block "DMESS" + gear).
//
// Diameters are signed: an internal gear's negative diameters put its arcs
// about MidAngle + 180, where its tooth space lies. Angles are degrees
// counter-clockwise from +x; MidAngle 90 is the +y axis, where the tooth
// outline stands.

#include "foundation/types.h"

#include <string>

// The arc of the circle of diameter D about (X, Y) from MidAngle - HalfAngle
// to MidAngle + HalfAngle, labelled with Name just inside or outside it, at
// LabelAt times the half angle from the middle (0.8: near the arc's end).
void DrawLabelledArc(const std::string& Name, bool Inside, Extended X, Extended Y, Extended HalfAngle,
                     Extended D, Extended MidAngle, Extended LabelAt = 0.8L);
// Where DrawLabelledArc writes its label: the start of the text, its angle
// (degrees), the height and the width of a character.
struct TArcLabel {
    Extended X = 0, Y = 0, Angle = 0, Height = 0, CharWidth = 0;
};
TArcLabel ArcLabel(bool Inside, Extended X, Extended Y, Extended HalfAngle, Extended D, Extended MidAngle,
                   Extended LabelAt);
// The half angle cut back to where the circle of diameter D about (0, Y)
// meets the line y = YLimit, keeping its sign; false when the circle does
// not reach the line or D is 0.
bool ClippedHalfAngle(Extended Y, Extended D, Extended YLimit, Extended& HalfAngle);
// DrawLabelledArc with the half angle so cut; nothing where it gives none.
void DrawClippedLabelledArc(const std::string& Name, bool Inside, Extended X, Extended Y, Extended HalfAngle,
                            Extended D, Extended MidAngle, Extended YLimit, Extended LabelAt = 0.8L);
// The full circle, and Name as the next line of the text list.
void DrawLabelledCircle(const std::string& Name, Extended X, Extended Y, Extended HalfAngle, Extended D,
                        Extended Size);
// The labelled arcs of all drawing diameters of the gear about (X, Y).
void DrawDiameterArcs(int Gear, Extended MidAngle, Extended X, Extended Y);
// The full circles of all diameters of the gear and the list of values.
void DrawDiameterCircles(int Gear, Extended X, Extended Y);
// Radius of the ball centre from the finished dimension over balls: for an
// odd tooth number the two balls lie half a pitch apart, so the dimension
// is the chord 2 R cos(pi / 2z) plus the ball diameter.
Extended MeasuringBallCentreRadius(int Gear);
// The ball (pin) in the tooth space about +y; an ellipse, wider in x, in
// the transverse section of a helical gear.
void DrawMeasuringBall(int Gear);
// The gear pictures ask after each inserted tooth whether to stop; they
// never do.
bool StopToothLoop(int N);
