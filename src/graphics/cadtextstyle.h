#pragma once
// The text style every CAD device draws a text with, and the DXF writer
// writes its TEXT entities with.

#include "foundation/types.h"

struct TCadTextStyle {
    Extended Height = 5.0L;
    Extended Width = 1.0L; // width/height ratio
    Extended Angle = 0;    // degrees
    Extended Slant = 0;    // degrees
};
