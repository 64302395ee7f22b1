#pragma once
// The mapping of the graphics window from world coordinates (reals, y up) to
// the pixels of the drawing area (integers, y down), and the printer mapping
// of the graphics printout from the same world coordinates to the page.
//
// One record for the whole program: the drawing code sets the window and
// viewport, the zoom and pan keys and the rubber band change the zoom
// rectangle, the replay re-applies both at every window record, and the
// graphics printout lays them out for the page. ResetGraphMapping restores the
// start-up values.

#include "foundation/types.h"
#include "platform/canvas.h"

#include <cstdint>

struct TPixelRect {
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;
    friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};

struct TWorldRect {
    Extended x1 = 0;
    Extended y1 = 0;
    Extended x2 = 0;
    Extended y2 = 0;
    friend bool operator==(const TWorldRect&, const TWorldRect&) = default;
};

struct TGraphMapping {
    // Viewport in pixels: x1 left, y1 top, x2 right, y2 bottom.
    TPixelRect GraphViewport{0, 0, 1, 1};
    // World rectangle laid onto the viewport by the last window call or record.
    TWorldRect GraphWorldWindow{0, 0, 1, 1};
    TWorldRect SavedWorldWindow{0, 0, 1, 1};
    TPixelRect SavedViewport{0, 0, 1, 1};
    // Zoom rectangle: the part of the viewport (viewport pixel units, y
    // upward) stretched over the whole viewport.
    int32_t DevXMin = 0;
    int32_t DevYMin = 0;
    int32_t DevXMax = 640;
    int32_t DevYMax = 480;
    // Visible world window after zoom and pan.
    Extended WorldXMin = 0;
    Extended WorldYMin = 0;
    Extended WorldXMax = 1;
    Extended WorldYMax = 1;
    // Pixels per world unit.
    Extended GraphXScale = 1;
    Extended GraphYScale = 1;
    // Aspect flag of the last window call: world units keep their shape.
    bool GraphAutoScale = true;
    // Ratio of the drawing area's proportions to the previous picture's
    // world window, kept for the configuration and older callers; the rubber
    // band maps through the current mapping instead.
    Extended GraphZoom = 1;
    // While set, the replay draws on the printer page too.
    bool GraphPrintMode = false;
    platform::Point RubberStart;
    platform::Point RubberEnd;
    // Width over height of one screen pixel (1 for square pixels). The
    // desktop sets it from the display; circles stay round whatever the
    // proportions of the drawing area.
    Extended PixelAspect = 1;

    // Lays the world window onto the viewport, given as fractions 0..1 of
    // the drawing area (y upward), and records both in the display list
    // (kind 10), so that a replay lays them onto what follows. A frame
    // keeps one pixel free on every side. Every new window drops the zoom.
    void SetWindow(bool aspect, bool frame, Extended vx1, Extended vy1, Extended vx2, Extended vy2,
                   Extended wx1, Extended wy1, Extended wx2, Extended wy2);
    // The zoom rectangle (viewport pixels, y upward) and the visible world
    // window and scales that follow from it.
    void SetScale(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // The zoom rectangle becomes the viewport.
    void ResetZoom();
    void SaveLimit() { SavedWorldWindow = GraphWorldWindow; }
    // The saved world window on the whole drawing area, framed.
    void RestoreLimit();
    // The unit square on the whole drawing area, unzoomed.
    void ReSetWindow();
};

extern TGraphMapping graphmapping;

void ResetGraphMapping();

// Pixel counts of the drawing area: the configured ScreenPixelsX and
// ScreenPixelsY, 640 x 480 while they are 0 (a run without a display).
int DrawAreaPixelsX();
int DrawAreaPixelsY();

// How many times as many pixels a world unit is wide as high when the aspect
// flag is set: 1 on square pixels, whatever the drawing area's proportions.
Extended WorldUnitAspect();

// The printer mapping of a graphics printout. The page stands for the drawing
// area: at scale 1 the page's width takes the drawing area's ScreenPixelsX
// pixels and its height the ScreenPixelsY pixels, each on its own. The print
// scales were chosen for pictures laid out with world units
// PrintUnitAspect() times as many pixels wide as high, so the printout lays
// the picture out that way, where the screen keeps world units square: on
// paper a world unit is then 0.75 * page width / page height * ScaleX / ScaleY
// times as wide as high on every drawing area (a drawing sheet at 1.9 / 1 on
// upright A4 is true to scale within 1 %), and everything the layout puts
// within the drawing area lands on the page at scale 1 and origin 0.
// A zoomed or panned window prints the region it shows whole: where that
// region at the print scales would run past the page's right or bottom edge,
// the page mapping shrinks by a common factor about the origin's corner, so
// the region fits with the proportions the scales give.
// The window's own mapping is only read.
struct TPrinterMapping {
    // The page in printer pixels, the print scales and the origin in
    // millimetres, both counted on a page width of 210 mm.
    Extended PageWidth = 0;
    Extended PageHeight = 0;
    Extended ScaleX = 1;
    Extended ScaleY = 1;
    Extended OriginX = 0;
    Extended OriginY = 0;
    // The layout of the window last laid out: the world point at the
    // viewport's lower left corner and the drawing-area pixels per world
    // unit.
    TPixelRect Viewport{0, 0, 1, 1};
    Extended WorldXMin = 0;
    Extended WorldYMin = 0;
    Extended XScale = 1;
    Extended YScale = 1;
    // The factor both print scales are taken by on the page: below 1 only
    // where a zoomed window's region would not fit at the print scales.
    Extended Fit = 1;

    // Lays out the window and zoom of m for the page: unzoomed the world
    // window fills the viewport in one direction, zoomed the region the
    // window shows does, fitted to the page; without the aspect flag x and y
    // keep the window's scales.
    void Layout(const TGraphMapping& m);
    // Unrounded printer pixel of a world point, whole numbers.
    Extended RawX(Extended x) const;
    Extended RawY(Extended y) const;
    // Lengths along x and y in printer pixels.
    int32_t LengthX(Extended l) const;
    int32_t LengthY(Extended l) const;
    // The printer pixels of the corners (x1, y1) and (x2, y2) of a world
    // rectangle, each side pulled onto the page where it would lie past the
    // page's edge: the print border stays within the printable area whatever
    // the scales and origin. A side drawn PenWidth pixels wide is pulled in
    // so far that its whole width stays on the page.
    TPixelRect PageOutline(const TWorldRect& w, int PenWidth) const;

  private:
    void FitRegion(const TGraphMapping& m);
};

// How many times as many pixels a world unit is wide as high in the layout
// of a printout: 0.75 * ScreenPixelsX / ScreenPixelsY, square on a drawing
// area of 4:3 pixel counts.
Extended PrintUnitAspect();

// Rounding of every pixel value: to the nearest integer, ties to even.
// Values beyond the range a canvas can draw are clamped to it, so a deep zoom
// never wraps a coordinate round to the other side of the picture.
int32_t RoundPixel(Extended v);
// The same for a v known to lie within MaxPixelMagnitude, without the checks.
int32_t PixelInRange(Extended v);

// The largest pixel magnitude handed to a canvas. Raster engines lose
// precision far beyond the surface; this is thousands of screens away.
inline constexpr Extended MaxPixelMagnitude = 4194304.0L;
