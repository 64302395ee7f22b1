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
    TArray<Extended, 1, 3> View3DAngles{{{-0.2617993877991494365L, 1.5707963267948966192L, 3.6651914291880921281L}}};
    bool Cad3DTo2D = true;
    bool Edit3DAngles = true;

    static constexpr const char* DefaultPlotCmdLine = "C:\\KORVILT\\WKORVILT KORVILT.DXF /M1.0";
};

extern TCadSettings cadsettings;

void ResetCadSettings();
