#pragma once
// Service life and safety of the loaded gear pair as x/y diagrams: the
// lives until tooth breakage and pitting against the input torque T1, the
// safety factors SF and SH against T1, and both safety factors against the
// flank tolerance class. Every curve point is a fresh strength calculation
// of GearPair with T1 and P (or both tolerance classes) changed; the inputs
// are put back and the pair recalculated however the command ends, so the
// pair's results after a diagram, also a cancelled one, are those before it.
//
// Curves, in the same order and look in every kind:
//   tooth breakage gear 1  layer 19  marker 1 (circle)
//   pitting gear 1         layer 17  marker 3 (diamond)
//   tooth breakage gear 2  layer 21  marker 2 (rectangle)
//   pitting gear 2         layer 18  marker 4 (triangle)
// The life diagram has a logarithmic y axis, where the diagram library
// draws no markers.

#include "foundation/types.h"

#include <cstdint>
#include <string>

// Kind 0 asks ("diagram"), 1 life Lt = f(T1), 2 safety S = f(T1), 3 safety
// S = f(flank tolerance class). Device as CadOpenOutput takes it (0 asks,
// 3 the screen). Name ("S-Pi", "Pi-Pe", "Pe-H" or "") ends the title.
void DrawLifeSafetyDiagrams(uint16_t Kind, uint16_t Device, const std::string& Name);

// The right end of the torque axis in N m: T1 raised by 20 % per step, at
// most 101 steps, until a safety falls below 0.6 (pitting) or 0.4 (tooth
// breakage). T1 and P are put back; the pair's results are those of the
// last sample until the caller recalculates.
Extended FindDiagramTorqueLimit();

// What the frame of a kind (1..3) is drawn with: axis titles, title and the
// data limits handed to DrawDiagramAxes, torques in the display unit. The
// life axis runs from 0.11 h to the time of 2 x 10^9 load cycles of gear 1,
// at most 100000 h.
struct TLifeSafetyAxes {
    std::string XLabel;
    std::string YLabel;
    std::string Title;
    Extended XMin = 0;
    Extended YMin = 0;
    Extended XMax = 0;
    Extended YMax = 0;
};
TLifeSafetyAxes LifeSafetyAxes(uint16_t Kind, Extended T1Max, const std::string& Name);

// The curves into the diagram frame already drawn. Torques in N m.
void DrawLifeCurves(Extended T1Max);
void DrawSafetyCurves(Extended T1Max);
void DrawQualityCurves();

// Legend lines and the operating data beside the diagram.
void DrawLifeLegend(uint16_t Kind);
void DrawSafetyLegend(uint16_t Kind);

// The life text of legend line Index (1, 2 tooth breakage of gear 1, 2;
// 3, 4 pitting): "infinite" from 10^10 cycles, "fraction" or "Pitting" for
// a pair that fails at once (life 0, safety below 1, no cycles), else the
// life in hours.
void LifeValueText(int Index, std::string& S, Extended Life, Extended Safety, Extended Cycles);
std::string LifeValueText(int Index, Extended Life, Extended Safety, Extended Cycles);
