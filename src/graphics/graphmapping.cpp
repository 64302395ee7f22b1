#include "graphics/graphmapping.h"

#include "foundation/programstate.h"
#include "graphics/displaylist.h"

#include <algorithm>
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
    Fit = 1;
    const TPixelRect& vp = Viewport;
    const bool zoomed = TPixelRect{m.DevXMin, m.DevYMin, m.DevXMax, m.DevYMax} != vp;
    if (m.GraphAutoScale) {
        // Unzoomed the world window is laid out as the print scales were
        // chosen for. Zoomed or panned, the region the screen shows is, band
        // and all: its scales only narrow to the printout's aspect, so the
        // paper shows what the user picked out.
        Extended sx = zoomed ? XScale : (vp.x2 - vp.x1) / (m.WorldXMax - WorldXMin);
        Extended sy = zoomed ? YScale : (vp.y2 - vp.y1) / (m.WorldYMax - WorldYMin);
        // A turned or empty window keeps the window's scales.
        if (std::isfinite(sx) && std::isfinite(sy) && sx > 0 && sy > 0) {
            const Extended k = PrintUnitAspect();
            if (sx >= sy * k)
                sx = sy * k;
            else
                sy = sx / k;
            XScale = sx;
            YScale = sy;
        }
    }
    // An unzoomed picture keeps the print scales as given: a drawing sheet at
    // its scales is true to scale. A zoomed one is a region picked out to be
    // seen whole, and scales chosen for the whole picture can carry it off
    // the paper.
    if (zoomed) FitRegion(m);
}

// The region the window shows spans its viewport at the window's scales; laid
// out for the page its right edge lies at the viewport's left plus the
// viewport's width narrowed as x was, its bottom at the viewport's bottom, and
// its top and left within the drawing area. Shrinking the page mapping about
// the origin's corner therefore brings the whole region onto the page as soon
// as its right and bottom edges are on it. The windows of a picture share the
// viewport (the whole drawing area, framed), so each gets the same factor.
void TPrinterMapping::FitRegion(const TGraphMapping& m)
{
    const Extended right = Viewport.x1 + (Viewport.x2 - Viewport.x1) * XScale / m.GraphXScale;
    const Extended bottom = Viewport.y2;
    // Paper pixels from the origin to the region's far edges, and from the
    // origin to the last pixel of the page.
    const Extended across = PageWidth * right * ScaleX / DrawAreaPixelsX();
    const Extended down = PageHeight * bottom * ScaleY / DrawAreaPixelsY();
    const Extended roomX = PageWidth - 1 - std::rint(PageWidth * OriginX / 210);
    const Extended roomY = PageHeight - 1 - std::rint(PageWidth * OriginY / 210);
    // An origin past the page leaves no room to fit into; mirrored scales
    // and empty windows are printed as they are.
    if (across > roomX && roomX > 0 && std::isfinite(across)) Fit = std::min(Fit, roomX / across);
    if (down > roomY && roomY > 0 && std::isfinite(down)) Fit = std::min(Fit, roomY / down);
}

Extended TPrinterMapping::RawX(Extended x) const
{
    const Extended sx = (x - WorldXMin) * XScale + Viewport.x1;
    return std::rint(PageWidth * OriginX / 210) +
           std::rint(PageWidth * sx * (ScaleX * Fit) / DrawAreaPixelsX());
}

Extended TPrinterMapping::RawY(Extended y) const
{
    const Extended sy = Viewport.y2 - (y - WorldYMin) * YScale;
    // The y origin too is counted on a page width of 210 mm.
    return std::rint(PageWidth * OriginY / 210) +
           std::rint(PageHeight * sy * (ScaleY * Fit) / DrawAreaPixelsY());
}

int32_t TPrinterMapping::LengthX(Extended l) const
{
    return RoundPixel(PageWidth * XScale * l * (ScaleX * Fit) / DrawAreaPixelsX());
}

int32_t TPrinterMapping::LengthY(Extended l) const
{
    return RoundPixel(PageHeight * YScale * l * (ScaleY * Fit) / DrawAreaPixelsY());
}

TPixelRect TPrinterMapping::PageOutline(const TWorldRect& w, int PenWidth) const
{
    // The pixels a line paints around its coordinate (platform::Pen): a side
    // on the page's last column or row would paint past it.
    const int before = std::max(PenWidth, 1) / 2, after = (std::max(PenWidth, 1) - 1) / 2;
    const auto onPage = [&](Extended v, Extended size) {
        return std::clamp(RoundPixel(v), before, std::max(RoundPixel(size) - 1 - after, before));
    };
    return {onPage(RawX(w.x1), PageWidth), onPage(RawY(w.y1), PageHeight), onPage(RawX(w.x2), PageWidth),
            onPage(RawY(w.y2), PageHeight)};
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
