#pragma once
// The drawing surface of the screen device: the calls the CAD layer makes
// on the graphics window's drawing facade. Coordinates are world
// millimetres, angles degrees. The program's surface is the drawing facade
// itself (TGraphFacade implements this and binds it, graphfacade.cpp), which
// records into the display list; tests may put a recorder in its place.

#include "foundation/types.h"

#include <cstddef>
#include <string>

class TCadScreen
{
  public:
    virtual ~TCadScreen() = default;
    // Empties the picture (new drawing).
    virtual void Clear() = 0;
    virtual void SetWaitCursor() = 0;
    virtual void SetNormalCursor() = 0;
    // New picture with this world window.
    virtual void Header(Extended X1, Extended Y1, Extended X2, Extended Y2) = 0;
    // Repaint from the display list.
    virtual void ClearViewPort() = 0;
    virtual void SetLineStyle(int Style) = 0;
    // CAD colour number (mapped to the window's palette by the facade).
    virtual void SetCadColor(int Colour) = 0;
    virtual void SetLineWidth(int Width) = 0;
    virtual void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) = 0;
    // The frame of a drawing sheet: the four lines (X1, Y1) to (X1, Y2) to
    // (X2, Y2) to (X2, Y1) and back.
    virtual void SheetFrame(Extended X1, Extended Y1, Extended X2, Extended Y2)
    {
        Line(X1, Y1, X1, Y2);
        Line(X1, Y2, X2, Y2);
        Line(X2, Y2, X2, Y1);
        Line(X2, Y1, X1, Y1);
    }
    virtual void Circle(Extended X, Extended Y, Extended R) = 0;
    virtual void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) = 0;
    // Corners in polygon order.
    virtual void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                       Extended X4, Extended Y4) = 0;
    // Text held in the DOS code page; the facade makes it displayable.
    virtual void OutTextXY(Extended X, Extended Y, const std::string& Text) = 0;
    virtual void SetTextStyle(int N, Extended Angle, Extended Height, Extended Width) = 0;
    // A pause recorded in the picture (animations).
    virtual void SleepMs(int Ms) = 0;
    // Animations ended early: where the next record goes, whether the user
    // asked to end the run, and dropping what records From..To draw while
    // their pen settings stay. A surface without a user never stops.
    virtual size_t RecordMark() const { return 0; }
    virtual bool StopAsked() { return false; }
    virtual void DropDrawing(size_t /*From*/, size_t /*To*/) {}
    // An animation frame begins at the mark (the first call: its first
    // frame), so that a printout can leave out the frames the last one
    // replaced.
    virtual void FrameStarts(size_t /*Mark*/) {}
};

// The surface the screen device draws on.
TCadScreen& CadScreen();
// Installs a surface (not owned); nullptr goes back to the program's own.
// Returns the previous one.
TCadScreen* SetCadScreen(TCadScreen* Screen);
