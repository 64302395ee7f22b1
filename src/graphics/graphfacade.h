#pragma once
// TGraphFacade: the procedural door to the graphics window for drawing code
// that is not a form method (the CAD layer's screen device, the HP-GL reader,
// help and start-up pictures). Its one instance GraphFacade owns the display
// list DrawRecordList; every method forwards to FTelmgra.

#include "foundation/types.h"
#include "graphics/displaylist.h"

#include <cstdint>
#include <string>

class TGraphFacade
{
  public:
    TGraphFacade();
    virtual ~TGraphFacade();
    TGraphFacade(const TGraphFacade&) = delete;
    TGraphFacade& operator=(const TGraphFacade&) = delete;

    // The display list: one record per drawing call, replayed at every paint.
    TDrawRecordList DrawRecordList;
    // Counts the times the list was emptied; a replay that lets events
    // through stops when it changed under it.
    uint64_t ListGeneration = 0;

    // Starts with an empty display list (the constructor's work, for a
    // program that creates the facade again).
    void Init();
    void Done();

    void Clear();
    void ClearViewPort();
    void SetWindow(bool aspect, bool frame, Extended vx1, Extended vy1, Extended vx2, Extended vy2, Extended wx1,
                   Extended wy1, Extended wx2, Extended wy2);
    void Header(Extended wx1, Extended wy1, Extended wx2, Extended wy2);
    // The form with a leading flag that the help and auxiliary pictures use;
    // the flag changes nothing.
    void Header(int32_t flag, Extended wx1, Extended wy1, Extended wx2, Extended wy2);
    void Circle(Extended x, Extended y, Extended r);
    void Line(Extended x1, Extended y1, Extended x2, Extended y2);
    void Arc(Extended x, Extended y, Extended StAngle, Extended EndAngle, Extended r);
    void Solid(Extended x1, Extended y1, Extended x2, Extended y2, Extended x3, Extended y3, Extended x4,
               Extended y4);
    void Rectangle(Extended x1, Extended y1, Extended x2, Extended y2);
    // The text is held in the DOS code page; it is recorded made displayable.
    void OutTextXY(Extended x, Extended y, const std::string& text);
    void SetColor(int32_t c);
    // CAD colour number (CadColorToPalette).
    void SetCadColor(uint8_t c);
    void SetLineStyle(uint16_t s);
    void SetLineStyleName(const std::string& name);
    void SetLineWidth(uint16_t w);
    void SetTextStyle(int32_t n, Extended angle, Extended height, Extended width);
    void SleepMs(int32_t ms);
    void MoveTo(Extended x, Extended y);
    void LineTo(Extended x, Extended y);
    // Text alignment of the HP-GL labels: the window has one alignment only,
    // so this does nothing.
    void SetTextJustify(int32_t horizontal, int32_t vertical);
    void ShowMessage(const std::string& text);
    // False (with a message "<name> not found !" and Aborted) when the file
    // cannot be opened for reading. Uses a file of its own: the shared text
    // file may be in the middle of writing a drawing.
    bool CheckFileExists(const std::string& name);
    void SetWaitCursor();
    void SetNormalCursor();
    // The start logo: the program's name and title in a frame, drawn into
    // the world window (0, 0)-(32, 36.9) set by SetLogoWindow.
    void SetLogoWindow();
    void DrawLogo();
};

extern TGraphFacade GraphFacade;

// CAD colour number to colour number: above 16 reduced mod 16; 0 stays 0
// (erase), 1..7 red, yellow, green, cyan, blue, magenta, white (12, 14, 10,
// 11, 9, 13, 15), 8..15 the colours 1..8, 16 stays 16.
uint8_t CadColorToPalette(uint8_t c);

// Full path of the current project file: directory with its separator,
// name, ".", extension; the name alone in archive mode or when it ends in
// the project extension (it is the full path then); empty when there is no
// project name.
std::string GetProjectFilePath();
