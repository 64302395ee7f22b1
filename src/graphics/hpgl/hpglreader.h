#pragma once
// Reader of HP-GL plot files (".plt", with the HP-GL/2 encoded polyline PE):
// help pictures, auxiliary images and the start-up picture. It understands
// the subset of the plotter language that line drawings with text need and
// draws in millimetres (1 plotter unit = 0.025 mm) through the drawing
// facade, so a picture lands in the display list like any other drawing.
// The caller sets the world window first and repaints afterwards.

#include "foundation/types.h"

#include <cstdint>
#include <string>

// Reads and draws the whole file into the graphics window (GraphFacade).
// Aborted is set afterwards only when the file cannot be opened; a file that
// ends inside a command draws what was complete and reports nothing.
void RunHpglFile(const std::string& name);
// The same for a picture already in memory (the bytes of a file).
void RunHpglText(const std::string& bytes);

// --- the building blocks, on the picture held in hpgl.Input -------------------

// Makes bytes the picture the character readers read, from its start.
void OpenHpglText(const std::string& bytes);
// Next character, skipping blanks, carriage returns and line feeds; at the
// end of the picture Aborted is set and 0 returned.
unsigned char ReadHpglChar();
// The label variant: skips only carriage returns and line feeds.
unsigned char ReadHpglLabelChar();

// Number up to "," or ";", every "P" and "A" left out; unreadable text, a
// separator alone and non-finite or absurdly large values give 0.
Extended ReadHpglNumber();
// The same without leaving out letters.
Extended ReadHpglReal();
// Integer pen number; ";" alone gives pen 1.
int32_t ReadHpglPen();
// Reads up to and including the next ";".
void SkipHpglParameters();

Extended PlotterUnitsToMm(Extended u);
// Pens 1..7 to the screen colours of the plotter's usual pen order; pen 0 and
// pens above 7 keep their number as the colour number.
int32_t PenToPalette(int32_t pen);

// Encoded number of an HP-GL/2 polyline starting with the character First,
// further characters read with ReadHpglChar: base 64 (digits 63..126,
// terminators 191..254) or, in seven-bit mode, base 32 (digits 63..94,
// terminators 95..126). Bit 0 is the sign; the result is in plotter units.
// Complete is false when the number was cut off by ";" (left unread) or by
// the end of the picture.
int64_t DecodePeInteger(unsigned char First, bool SevenBit, bool* Complete = nullptr);
// The same in millimetres: n / 80 for even n, (1 - n) / 80 for odd n.
Extended DecodePeNumber(unsigned char First, bool SevenBit, bool* Complete = nullptr);

// Direction of a label in degrees: 90 or -90 for a vertical run, else the
// arc tangent of rise / run, plus 180 when the run points left.
Extended HpglLabelAngle(Extended Run, Extended Rise);
