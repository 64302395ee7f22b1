#pragma once
// Program-wide print settings of the text and graphics printouts with their
// start values; the configuration reader overwrites those it has keys for.

#include "foundation/types.h"

#include <cstdint>
#include <string>

struct TPrintSettings {
    // Font of text printouts and of the result window.
    std::string PrintFontName = "Courier New";
    uint16_t PrintFontSize = 10; // points
    uint16_t PrintFontStyle = 3; // style code: bold 1, italic 2, underline 4, strikeout 8
    // Left, top, width, height of the result window.
    TArray<int32_t, 0, 3> TextWindowRect{{{10, 40, 700, 440}}};
    // Current graphics printout.
    double PrintScaleX = 1.0;
    double PrintScaleY = 1.0;
    int32_t PrintOriginX = 0; // mm
    int32_t PrintOriginY = 0; // mm
    bool PrintBorder = false;
    uint16_t PrintOrientation = 2; // 1 portrait, 2 landscape
    // Configured graphics printout.
    double DefPrintScaleX = 1.0;
    double DefPrintScaleY = 1.0;
    int32_t DefPrintOriginX = 0;
    int32_t DefPrintOriginY = 0;
    bool DefPrintBorder = false;
    uint16_t DefPrintOrientation = 2;
    bool GraphPrintDialog = true;
    uint16_t GraphContentKind = 0; // 0 ordinary graphics
    uint16_t PrinterDbRecord = 0;  // record of the print settings table, 0 none
};

extern TPrintSettings printsettings;

void ResetPrintSettings();
