#pragma once
// Settings of the graphics window (the main window's drawing surface) with
// their start-up values; the configuration file replaces them.

#include "foundation/types.h"

#include <cstdint>
#include <string>

struct TGraphSettings {
    Extended ZoomIncrement = 1.2L;
    Extended PanFactor = 0.1L;
    // Horizontal stretch of the picture (1.0 keeps circles round).
    Extended GraphXFactor = 1.0L;
    // Colour value of the window background.
    int32_t BackgroundColour = 1;
    std::string GraphTextFont = "Arial";
    Extended GraphTextWidthFactor = 0.8L;
    Extended TextHeightFactor = 1.0L;
    uint16_t GraphTextStyle = 3;
    // Colour values (0xBBGGRR) of the 17 screen colours.
    TArray<int32_t, 0, 16> ColourTable;

    TGraphSettings();
};

extern TGraphSettings graphsettings;

// The 17 screen colours of a fresh start.
void SetDefaultGraphPalette();

void ResetGraphSettings();
