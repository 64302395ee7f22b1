#pragma once
// TGraphFacade: the procedural door to the graphics window for drawing code
// (the CAD layer's screen device, whose surface it is, the HP-GL reader,
// help and start-up pictures). Its one instance GraphFacade records every
// drawing call into the display list DisplayList, which the window replays
// at every paint; the facade asks the window only to repaint, for the
// cursor and whether the user wants an animation ended, and the window
// never calls it.

#include "foundation/types.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/displaylist.h"

#include <cstdint>
#include <string>
#include <string_view>

class TGraphFacade final : public TCadScreen
{
  public:
    TGraphFacade();
    ~TGraphFacade() override;
    TGraphFacade(const TGraphFacade&) = delete;
    TGraphFacade& operator=(const TGraphFacade&) = delete;

    // Empties the display list and repaints: the next paint shows nothing.
    void Clear() override;
    // Repaint with the list kept.
    void ClearViewPort() override;

    // --- Recording (world coordinates, angles in degrees): each call
    // appends one record unless said otherwise ---
    // Viewport as fractions 0..1 of the drawing area (y upward), world window.
    void SetWindow(bool aspect, bool frame, Extended vx1, Extended vy1, Extended vx2, Extended vy2,
                   Extended wx1, Extended wy1, Extended wx2, Extended wy2);
    // A new picture: its window on the whole area, framed, solid lines, and
    // the window saved as the limit.
    void Header(Extended wx1, Extended wy1, Extended wx2, Extended wy2) override;
    // The form with a leading flag that the help and auxiliary pictures use;
    // the flag changes nothing.
    void Header(int32_t flag, Extended wx1, Extended wy1, Extended wx2, Extended wy2);
    void Circle(Extended x, Extended y, Extended r) override;
    void Line(Extended x1, Extended y1, Extended x2, Extended y2) override;
    // Counterclockwise from StAngle to EndAngle; sweeps under 4 degrees
    // become one line between the end points.
    void Arc(Extended x, Extended y, Extended StAngle, Extended EndAngle, Extended r) override;
    void Solid(Extended x1, Extended y1, Extended x2, Extended y2, Extended x3, Extended y3, Extended x4,
               Extended y4) override;
    // One record, drawn as those four lines on the screen; on paper it is
    // laid out as the print border is, within the printable area.
    void SheetFrame(Extended x1, Extended y1, Extended x2, Extended y2) override;
    // Four lines.
    void Rectangle(Extended x1, Extended y1, Extended x2, Extended y2);
    // The text is held in the DOS code page; it is recorded made displayable.
    void OutTextXY(Extended x, Extended y, const std::string& text) override;
    // Colour, style and width record only a change; a colour above
    // MaxColorIndex records nothing.
    void SetColor(int32_t c);
    // CAD colour number (CadColorToPalette), taken as a byte.
    void SetCadColor(int c) override;
    int32_t GetColor() const { return DisplayList.CurrentColour; }
    // Style and width are 16-bit numbers; a negative width counts as 0.
    void SetLineStyle(int s) override;
    // A CAD line type name to one of the four styles.
    void SetLineStyleName(const std::string& name);
    void SetLineWidth(int w) override;
    void SetTextStyle(int32_t n, Extended angle, Extended height, Extended width) override;
    // A pause of the replay (animations), recorded every time.
    void SleepMs(int32_t ms) override;
    // Text alignment of the HP-GL labels: the window has one alignment only,
    // so this does nothing.
    void SetTextJustify(int32_t horizontal, int32_t vertical);

    void ShowMessage(const std::string& text);
    // False (with a message "<name> not found !" and Aborted) when the file
    // cannot be opened for reading. Uses a file of its own: the shared text
    // file may be in the middle of writing a drawing.
    bool CheckFileExists(const std::string& name);
    void SetWaitCursor() override;
    void SetNormalCursor() override;
    // Animations: the number of records so far; whether the user asked the
    // window to end the run (Escape, or closing it) since the last question;
    // the drawing of records From..To dropped (DisplayList.DropDrawing).
    size_t RecordMark() const override { return DisplayList.Records.size(); }
    bool StopAsked() override;
    void DropDrawing(size_t From, size_t To) override { DisplayList.DropDrawing(From, To); }
    void FrameStarts(size_t Mark) override { DisplayList.FrameStarts.push_back(Mark); }
    // The start logo: the program's name and title in a frame, drawn into
    // the world window (0, 0)-(32, 36.9) set by SetLogoWindow.
    void SetLogoWindow();
    void DrawLogo();

  private:
    void Record(std::string_view record) { DisplayList.Records.push_back(record); }
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
