#include "graphics/graphmapping.h"

#include "foundation/programstate.h"
#include "graphics/displaylist.h"

#include <cmath>

TGraphMapping graphmapping;

void ResetGraphMapping()
{
    graphmapping = TGraphMapping{};
}

void TGraphMapping::SetWindow(bool aspect, bool frame, Extended vx1, Extended vy1, Extended vx2, Extended vy2,
                              Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    const Extended sx = DrawAreaPixelsX();
    const Extended sy = DrawAreaPixelsY();
    TPixelRect vp{RoundPixel(sx * vx1), RoundPixel(sy * (1 - vy2)), RoundPixel(sx * vx2),
                  RoundPixel(sy * (1 - vy1))};
    if (frame) {
        ++vp.x1;
        ++vp.y1;
        --vp.x2;
        --vp.y2;
    }
    GraphViewport = vp;
    DisplayList.Records.push_back(MakeWindowRecord(vp.x1, vp.y1, vp.x2, vp.y2, wx1, wy1, wx2, wy2));
    GraphWorldWindow = {wx1, wy1, wx2, wy2};
    GraphAutoScale = aspect;
    // A viewport without width or height has no scale either.
    if (wx1 == wx2 || wy1 == wy2 || vp.x1 == vp.x2 || vp.y1 == vp.y2) {
        telmvar.Aborted = true;
        return;
    }
    SetScale(vp.x1, vp.y1, vp.x2, vp.y2);
}

void TGraphMapping::SetScale(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (x2 == x1 || y2 == y1) return;
    const TPixelRect vp = GraphViewport;
    const TWorldRect gw = GraphWorldWindow;
    // A viewport or world window without width or height has no scale: the
    // old one stays, as for a zero world window given to SetWindow.
    if (vp.x2 == vp.x1 || vp.y2 == vp.y1 || gw.x2 == gw.x1 || gw.y2 == gw.y1) {
        telmvar.Aborted = true;
        return;
    }
    DevXMin = x1;
    DevYMin = y1;
    DevXMax = x2;
    DevYMax = y2;
    const Extended vw = vp.x2 - vp.x1;
    const Extended vh = vp.y2 - vp.y1;
    WorldXMin = gw.x1 + (x1 - vp.x1) / vw * (gw.x2 - gw.x1);
    WorldXMax = gw.x1 + (x2 - vp.x1) / vw * (gw.x2 - gw.x1);
    WorldYMin = gw.y1 + (y1 - vp.y1) / vh * (gw.y2 - gw.y1);
    WorldYMax = gw.y1 + (y2 - vp.y1) / vh * (gw.y2 - gw.y1);
    GraphXScale = vw / (WorldXMax - WorldXMin);
    GraphYScale = vh / (WorldYMax - WorldYMin);
    if (GraphAutoScale) {
        const Extended k = WorldUnitAspect();
        if (GraphXScale >= GraphYScale * k)
            GraphXScale = GraphYScale * k;
        else
            GraphYScale = GraphXScale / k;
    }
}

void TGraphMapping::ResetZoom()
{
    const TPixelRect vp = GraphViewport;
    SetScale(vp.x1, vp.y1, vp.x2, vp.y2);
}

void TGraphMapping::RestoreLimit()
{
    const TWorldRect s = SavedWorldWindow;
    SetWindow(true, true, 0, 0, 1, 1, s.x1, s.y1, s.x2, s.y2);
}

void TGraphMapping::ReSetWindow()
{
    SetWindow(false, false, 0, 0, 1, 1, 0, 0, 1, 1);
    ResetZoom();
}

int DrawAreaPixelsX()
{
    return telmvar.ScreenPixelsX == 0 ? 640 : telmvar.ScreenPixelsX;
}

int DrawAreaPixelsY()
{
    return telmvar.ScreenPixelsY == 0 ? 480 : telmvar.ScreenPixelsY;
}

Extended WorldUnitAspect()
{
    const Extended a = graphmapping.PixelAspect;
    // A nonsense aspect from a broken display report falls back to square.
    if (!(a > 0.01L && a < 100.0L)) return 1.0L;
    return 1.0L / a;
}

Extended PrintUnitAspect()
{
    return 0.75L * DrawAreaPixelsX() / DrawAreaPixelsY();
}

void TPrinterMapping::Layout(const TGraphMapping& m)
{
    Viewport = m.GraphViewport;
    WorldXMin = m.WorldXMin;
    WorldYMin = m.WorldYMin;
    XScale = m.GraphXScale;
    YScale = m.GraphYScale;
    if (!m.GraphAutoScale) return;
    // Unzoomed the world window is laid out as the print scales were chosen
    // for. Zoomed or panned, the region the screen shows is, band and all:
    // its scales only narrow to the printout's aspect, so the paper shows
    // what the user picked out.
    const TPixelRect& vp = Viewport;
    const bool zoomed = TPixelRect{m.DevXMin, m.DevYMin, m.DevXMax, m.DevYMax} != vp;
    Extended sx = zoomed ? XScale : (vp.x2 - vp.x1) / (m.WorldXMax - WorldXMin);
    Extended sy = zoomed ? YScale : (vp.y2 - vp.y1) / (m.WorldYMax - WorldYMin);
    // A turned or empty window keeps the window's scales.
    if (!(std::isfinite(sx) && std::isfinite(sy) && sx > 0 && sy > 0)) return;
    const Extended k = PrintUnitAspect();
    if (sx >= sy * k)
        sx = sy * k;
    else
        sy = sx / k;
    XScale = sx;
    YScale = sy;
}

Extended TPrinterMapping::RawX(Extended x) const
{
    const Extended sx = (x - WorldXMin) * XScale + Viewport.x1;
    return std::rint(PageWidth * OriginX / 210) + std::rint(PageWidth * sx * ScaleX / DrawAreaPixelsX());
}

Extended TPrinterMapping::RawY(Extended y) const
{
    const Extended sy = Viewport.y2 - (y - WorldYMin) * YScale;
    // The y origin too is counted on a page width of 210 mm.
    return std::rint(PageWidth * OriginY / 210) + std::rint(PageHeight * sy * ScaleY / DrawAreaPixelsY());
}

int32_t TPrinterMapping::LengthX(Extended l) const
{
    return RoundPixel(PageWidth * XScale * l * ScaleX / DrawAreaPixelsX());
}

int32_t TPrinterMapping::LengthY(Extended l) const
{
    return RoundPixel(PageHeight * YScale * l * ScaleY / DrawAreaPixelsY());
}

int32_t RoundPixel(Extended v)
{
    if (std::isnan(v)) return 0;
    if (v > MaxPixelMagnitude) v = MaxPixelMagnitude;
    if (v < -MaxPixelMagnitude) v = -MaxPixelMagnitude;
    return PixelInRange(v);
}

int32_t PixelInRange(Extended v)
{
    // lrint rounds in the current mode as nearbyint does, without saving and
    // restoring the floating-point environment around it: a replay rounds
    // every coordinate, so this is its hottest line. On the x87 the store of
    // an integer is that rounding, and the clamped value fits in 32 bits;
    // the library's long double lrint is a call for one instruction.
#if defined(__x86_64__) || defined(__i386__)
    int32_t pixel;
    __asm__("fistpl %0" : "=m"(pixel) : "t"(v) : "st");
    return pixel;
#else
    return static_cast<int32_t>(std::lrint(v));
#endif
}
