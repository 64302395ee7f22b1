#pragma once
// State of the HP-GL picture reader. The pen, its state, the character size,
// the label direction and the character set carry over from one picture to
// the next, as they would on a plotter that is not re-initialised; only the
// pen position starts unknown in every file.

#include "foundation/types.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct THpglState {
    // Current pen position in mm. -999 stands for "not known yet" and is set
    // at the start of every file; HpglPenPlaced says whether a command has
    // put the pen somewhere since.
    Extended HpglPenX = 0;
    Extended HpglPenY = 0;
    bool HpglPenPlaced = false;
    uint8_t HpglPen = 0;
    bool HpglPenDown = false;
    // Character size set by SI, in centimetres.
    Extended HpglCharWidth = 5.0L;
    Extended HpglCharHeight = 5.0L;
    // Label direction set by DI (run along x, rise along y).
    Extended HpglDirRun = 1.0L;
    Extended HpglDirRise = 0;
    // Character set set by CS; 3 turns "}" into an umlaut of the letter before.
    Extended HpglCharSet = 1.0L;
    // The last parameter read ended with ";".
    bool HpglTerminated = false;

    // The picture being read: the whole file is held in memory and read by
    // position, so the character readers cost no system call each.
    std::string Input;
    std::size_t InputPos = 0;
};

extern THpglState hpgl;

void ResetHpglState();
