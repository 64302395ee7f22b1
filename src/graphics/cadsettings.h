#pragma once
// The configurable settings of the CAD output and of the graphics window,
// with the values they have when the program starts. The configuration file
// and dialog replace them after that; the CAD layer and the drawings read
// them. Nothing here is saved with a project.

#include "foundation/types.h"

#include <cstdint>
#include <string>

struct TCadSettings {
    // Named layers 0..5: name, colour number, screen line width in pixels.
    TArray<std::string, 0, 5> LayerNames{{{"0", "1", "2", "3", "4", "5"}}};
    TArray<int32_t, 0, 5> LayerColours{{{1, 2, 2, 2, 3, 1}}};
    TArray<int32_t, 0, 5> LayerLineWidths{{{3, 1, 1, 1, 2, 3}}};
    // Numbered pens 16..31: layer 16 + i draws in colour i + 1.
    TArray<int32_t, 16, 31> LayerColours16{{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}};
    TArray<int32_t, 16, 31> LayerPenWidths16{{{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}};
    // Every layer of the DXF layer table in colour 1.
    bool LayerMonochrome = false;
    std::string CadTextFont = "TXT8";
    Extended CadTextWidthFactor = 1.0L;
    Extended CadFontAngle = 0; // degrees
    int32_t DxfDecimals = 6;
    Extended CadDimScale = 1.0L;
    bool CadExecFile = true;
    bool CadArcsToLines = true;
    Extended CadArcResolution = 0.5L; // mm
    bool CadPolylineAllowed = true;
    // Command lines of the external plot program; PlotCmdCount of them are in
    // use (at most the five there are room for).
    TArray<std::string, 1, 5> PlotCmdLines{{{DefaultPlotCmdLine, DefaultPlotCmdLine, DefaultPlotCmdLine,
                                             DefaultPlotCmdLine, DefaultPlotCmdLine}}};
    uint16_t PlotCmdCount = 1;
    uint16_t PlotCmdIndex = 1;
    int32_t StlFileType = 0; // 0 binary, else ASCII
    // Label of the release row of the title block (DOS code page).
    std::string ReleaseFieldLabel;
    // Drawing-sheet switches: the SheetShow... ones are true when the element
    // is left off the sheet; the last three are true when shown or used.
    bool SheetShowMakerTitle = false;
    bool SheetShowFileName = false;
    bool SheetShowDate = false;
    bool SheetShowLogo = false;
    bool SheetShowFooter = false;
    bool SheetShowTitleBlock = false;
    bool SheetShowProtectionNotice = false;
    bool SheetShowGridLabels = false;
    bool SheetShowMmScale = false;
    bool SheetShowChanges = false;
    bool SheetUseHeadBlocks = false;
    bool SheetUseInsertBlocks = false;
    // 3D output: default projection angles x, y, z in radians (-15, 90 and
    // 210 degrees), projecting 3D output onto the drawing plane, and whether
    // the angles are asked for before a 3D output.
    TArray<Extended, 1, 3> View3DAngles{
        {{-0.2617993877991494365L, 1.5707963267948966192L, 3.6651914291880921281L}}};
    bool Cad3DTo2D = true;
    bool Edit3DAngles = true;

    static constexpr const char* DefaultPlotCmdLine = "C:\\KORVILT\\WKORVILT KORVILT.DXF /M1.0";
};

extern TCadSettings cadsettings;

void ResetCadSettings();

// The arc precision (mm) the configuration takes: 0 or less, and a text that
// is no number (read as 0), is the default 0.5; a positive value below 0.01
// is 0.01. The floor departs from the plain "any positive number": an arc
// becomes its length over the precision in chords, so that 0.000001 mm made
// the result graphic of a stage take half a minute and gigabytes, and the
// IGES and STL files tens of megabytes to gigabytes, for chords no drawing
// or machine tool resolves.
inline Extended UsableArcResolution(Extended Mm)
{
    if (!(Mm > 0)) return 0.5L;
    return Mm < 0.01L ? 0.01L : Mm;
}

// Extents of the current drawing as CadBeginDrawing declared them. No order
// of the corners is enforced, so Width and Height may be negative.
struct TCadExtents {
    Extended XMin = 0;
    Extended XMax = 160;
    Extended YMin = 0;
    Extended YMax = 120;
    Extended Width = 160;
    Extended Height = 120;
};

// The running state of the CAD layer: where the current output goes, the
// current layer, text style, point and offsets, and the transform of the
// block being read back. Not configurable and never saved; CadOpenOutput
// and CadBeginDrawing reset parts of it per drawing, the rest carries over.
struct TCadState {
    // 0 none, 1 DXF, 2 IGES, 3 screen, 4 plot program, 5 text CAD, 6 STL.
    uint16_t CadDevice = 3;
    // Code handed to the last CadOpenOutput (0 = the user was asked); the
    // diagram frame reads it.
    uint16_t CadRequestedDevice = 0;
    std::string CadFileName = std::string(59, ' ');
    uint8_t CadLayer = 0;
    // Name the DXF writer gives the current layer.
    std::string CadLayerName = "0";
    // 0 named layers 0..5 with their line styles; 2 monochrome screen pens;
    // other values numbered layers.
    int32_t CadLayerMode = 0;
    // Between CadBeginBlocks and the CadEndSection that ends the blocks.
    bool CadInBlockSection = false;
    // Nesting depth while block files are read back.
    int32_t CadBlockCount = 0;
    // An insert nested too deep ends the whole insert it belongs to: a block
    // that inserts itself n times would otherwise be read n^4 times, with as
    // many messages.
    bool CadBlockNestingFailed = false;
    // Transform of the block being read: translation, rotation (degrees)
    // and scales, composed over the nesting levels.
    Extended BlockInsX = 0;
    Extended BlockInsY = 0;
    Extended BlockInsAngle = 0;
    Extended BlockInsScaleX = 1.0L;
    Extended BlockInsScaleY = 1.0L;
    TCadExtents CadExtents;
    Extended CadOffsetX = 0;
    Extended CadOffsetY = 0;
    Extended CadCurX = 0;
    Extended CadCurY = 0;
    Extended CadTextHeight = 5.0L; // mm
    Extended CadTextWidth = 1.0L;  // width/height of the characters
    Extended CadTextAngle = 0;     // degrees
    Extended CadTextSlant = 0;     // degrees
    int32_t CadTextAlignX = 0;     // 0 left, 1 centre, 2 right
    int32_t CadTextAlignY = 0;     // 0 baseline, 1 middle, 2 top
    Extended CadTextScale = 1.0L;  // line pitch factor of CadTextLine
    Extended CadScale = 1.0L;      // dimension scale
    int32_t CadFirstVertex = 1;
    // Included angle (radians) of the polyline segment that starts at the
    // last vertex.
    Extended CadPendingBulge = 0;
    Extended CadZLow = 0;
    Extended CadZHigh = 1.0L;
    bool StlOpen = false;
};

extern TCadState cadstate;

void ResetCadState();
