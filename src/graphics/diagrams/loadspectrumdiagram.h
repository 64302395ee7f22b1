#pragma once
// The load spectrum of the current gear pair against its S-N lines: the
// tooth root and the pitting diagram, four framed tables (the items, the
// sums and application factors, the torques, the life material) and a sheet
// that combines them, drawn through the CAD layer on any device. The load
// spectrum output menu reaches DrawLoadSpectrumDiagram through
// reportservices.DrawLoadSpectrumDiagram.
//
// Everything is read from the gear-pair variables (GearPair: the working
// spectrum, T[1], the results of the service-life calculation) and from
// LifeParams; nothing is changed there.

#include "foundation/types.h"

#include <cstdint>

// Kind 1 tooth root diagram ("LASTKO_F"), 2 pitting diagram ("LASTKO_H"),
// 3 items table, 4 sums table, 5 torques table, 6 the combined sheet, 7 life
// material table (all "QYRLK"). No items: "no load spectrum defined"; a
// breakage limit torque of 0: "error at load spectrum" (message boxes); a
// fatal calculation error: the message list; nothing is drawn then, nor
// when the device choice is cancelled.
void DrawLoadSpectrumDiagram(uint16_t Kind, int Device);

// One diagram into the drawing being written: Kind 1 tooth root, 2 pitting.
// Plot area 125 x 95 at (18, 10); the load-cycle axis is logarithmic when
// GearPair.LoadCyclesLogarithmic is set.
void DrawLoadSpectrumCurves(uint16_t Kind);

// The tables with their text height H and top left corner (X, Y); a row is
// 2 H high. The items table shrinks its text so that its rows fit into
// AvailableHeight.
void DrawLoadSpectrumItemsTable(Extended H, Extended X, Extended Y, Extended AvailableHeight);
void WriteLoadSpectrumTable(Extended H, Extended X, Extended Y);
void DrawLoadSpectrumTorquesTable(Extended H, Extended X, Extended Y);
void DrawLifeMaterialTable(Extended H, Extended X, Extended Y);
