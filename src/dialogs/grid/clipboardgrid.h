#pragma once
// Copy and paste of a string grid's cells through the clipboard, in the
// form spreadsheets exchange: cells of a row separated by TAB, rows ended
// by CR LF.

#include "dialogs/grid/stringgrid.h"

#include <string>

// The selected cells as text: rows from top to bottom, cells left to right
// joined by one TAB, every row ended by CR LF; "" for an empty selection.
std::string GridSelectionText(const TStringGrid& Grid);

// Writes Text into the grid from the selection's top-left cell: one grid row
// per line, one cell per TAB-separated field. A line ends at CR LF, LF or CR
// (text from another program on this desktop ends its lines in LF alone),
// and a last line without an end is pasted too. Fields that fall beyond the
// grid's last column or row are dropped; no row is added. Returns the
// number of lines that fell below the last row.
int PasteGridText(TStringGrid& Grid, const std::string& Text);

// The same through the platform's clipboard.
void CopyGridToClipboard(const TStringGrid& Grid);
int PasteGridFromClipboard(TStringGrid& Grid);
