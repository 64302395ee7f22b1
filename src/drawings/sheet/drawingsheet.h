#pragma once
// The drawing sheet every paper drawing stands on (production drawing of a
// gear, stage drawings): sheet edge, inner frame, title block after DIN 6771
// or ISO 7200 with the revision rows, zone grid and millimetre scale,
// protection notice in the left margin, the free texts of the drawing
// information, file name, date and the creator line. The user's own DXF
// blocks (logo, head and insert blocks) are placed into the title block.
//
// Millimetres on the sheet, origin at its lower left corner. Everything goes
// through the CAD layer, so the sheet looks the same on the screen and in
// every CAD file. The composers call BeginSheetDrawing in place of
// CadBeginDrawing and DrawDrawingSheet among their entities; the stage
// drawings write their scale ("M 1:...", ScaleText of the annotation
// helpers) themselves.
//
// Size codes: 1 A1 and 2 A2 landscape (edge only, title block at the
// current offset), 3 A3 landscape, 4 A4 portrait; any other code draws no
// edge and no frame.
//
// The title-block data come from the project's documentation record, the
// layout from the configuration (TitleBlockType, DrawingBorderWidth,
// IndexStyle) and the sheet switches of the CAD settings.

#include "foundation/types.h"

#include <functional>
#include <string>

// Where the sheet's date and time come from. The defaults ask the report
// services' clock (which the application and the tests set) and the local
// clock for the ISO date of the revision field.
struct TSheetClock {
    // Today in the configured date order.
    std::function<std::string()> TodayDateText;
    // "H:MM".
    std::function<std::string()> NowTimeText;
    // "YYYY-MM-DD".
    std::function<std::string()> TodayIsoDateText;
};
extern TSheetClock sheetclock;
void ResetSheetClock();

// Opens the drawing with the sheet's extents (room for the creator line
// above the sheet): A3 -2, -5, 422, 305; A4 -5, -5, 215, 307. Other codes
// open nothing: the caller opens the drawing itself.
void BeginSheetDrawing(int SizeCode);

// The whole sheet. A text that is "/" once its blanks are removed is drawn
// as an empty field. Nothing but that rule and the printout's content kind
// when the sheet is switched off or Aborted is set.
void DrawDrawingSheet(int SizeCode, const std::string& Title, const std::string& SupplementaryTitle,
                      const std::string& DrawingNumber);

// Title block with its revision rows, logo, head and insert blocks; the CAD
// offset is (0, 0) afterwards.
void DrawTitleBlock(int SizeCode, const std::string& Title, const std::string& SupplementaryTitle,
                    const std::string& DrawingNumber);

// Height of the configured title block with its revision rows, and the
// height of its lower edge on an A3 or A4 sheet: a drawing's own texts and
// tables keep above TitleBlockBottom() + TitleBlockHeight().
Extended TitleBlockHeight();
Extended TitleBlockBottom();
// The lowest a drawing's table may reach on the sheet: 2 above the title
// block and its revision table.
Extended TableFloor();
// The scale (at most 1) about its top that makes a table running from Top
// down to Bottom end at TableFloor(): 1 where it ends there or higher, or
// where even its top is no higher.
Extended TableFitFactor(Extended Top, Extended Bottom);

// The inner frame of a sheet of SizeCode under the configured title block
// and border, as DrawDrawingSheet draws it; false where it draws none.
bool SheetInnerFrame(int SizeCode, Extended& X1, Extended& Y1, Extended& X2, Extended& Y2);

// The ISO revision table above an ISO title block, in title-block
// coordinates: the last eight changes.
void DrawRevisionTable();

// Index of change N by IndexStyle: 0 "a", "b" ...; 1 "1", "2" ...; 2 "A",
// "B" ...; any other style the empty text.
std::string RevisionIndexText(int N);

// Five lines reading upward in the left margin of an A3 or A4 sheet.
void DrawProtectionNotice(int SizeCode);

// Zone grid of Nx columns and Ny rows around the frame (X1, Y1)-(X2, Y2)
// in a margin of width M, and the millimetre scales above and right of it.
void DrawZoneGrid(int Nx, int Ny, Extended X1, Extended Y1, Extended X2, Extended Y2, Extended M);
