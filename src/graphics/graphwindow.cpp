#include "graphics/graphwindow.h"

#include "foundation/programstate.h"
#include "graphics/anistep.h"
#include "graphics/graphfacade.h"
#include "graphics/graphsettings.h"
#include "platform/platform.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TFtelmgra FTelmgra;

namespace {

TGraphMapping& M() { return graphmapping; }

constexpr Extended Pi = std::numbers::pi_v<long double>;

} // namespace

TFtelmgra::TFtelmgra() = default;

void TFtelmgra::FormCreate()
{
    auto& m = M();
    m.GraphViewport = {0, 0, 1, 1};
    m.SavedViewport = {0, 0, 1, 1};
    m.GraphWorldWindow = {0, 0, 1, 1};
    m.SavedWorldWindow = {0, 0, 1, 1};
    m.GraphXScale = 1;
    m.GraphYScale = 1;
    m.GraphZoom = 1;
    m.GraphPrintMode = false;
    CurrentLineStyle = 99;
    CurrentLineWidth = 1;
    CurrentColour = -1;
    Dragging = false;
    DoubleClicked = false;
    StepMode = false;
}

void ResetGraphWindow()
{
    ResetGraphMapping();
    FTelmgra.FormCreate();
    FTelmgra.TextSizeMode = 0;
    FTelmgra.OnRepaint = nullptr;
    FTelmgra.OnPendingEvents = nullptr;
    FTelmgra.OnPause = nullptr;
    FTelmgra.ImmediateCanvas = nullptr;
    FTelmgra.OnImmediateDone = nullptr;
    GraphFacade.Init();
}

// ---------------------------------------------------------------------------
// Recording

void TFtelmgra::Record(std::string_view record) { GraphFacade.DrawRecordList.push_back(record); }

void TFtelmgra::circle(Extended x, Extended y, Extended r) { AppendRealRecord(GraphFacade.DrawRecordList, TRecordKind::Circle, {x, y, r}); }

void TFtelmgra::line(Extended x1, Extended y1, Extended x2, Extended y2)
{
    AppendRealRecord(GraphFacade.DrawRecordList, TRecordKind::Line, {x1, y1, x2, y2});
}

void TFtelmgra::Arc(Extended x, Extended y, Extended StAngle, Extended EndAngle, Extended r)
{
    // The angle from start to end in [0, 360), from the fractional turns.
    auto frac = [](Extended v) { return v - std::trunc(v); };
    Extended sweep = (frac(EndAngle / 360) - frac(StAngle / 360)) * 360;
    if (sweep < 0)
        sweep += 360;
    const Extended xs = x + r * std::cos(StAngle * Pi / 180);
    const Extended ys = y + r * std::sin(StAngle * Pi / 180);
    const Extended xe = x + r * std::cos(EndAngle * Pi / 180);
    const Extended ye = y + r * std::sin(EndAngle * Pi / 180);
    // Short sweeps are a line: the list stays short, and a sweep of 0 is
    // not taken for a full circle.
    if (sweep < 4) {
        line(xs, ys, xe, ye);
        return;
    }
    AppendRealRecord(GraphFacade.DrawRecordList, TRecordKind::Arc, {x - r, y - r, x + r, y + r, xs, ys, xe, ye});
}

void TFtelmgra::OutTextXY(Extended x, Extended y, const std::string& text) { Record(MakeTextRecord(x, y, text)); }

void TFtelmgra::Solid(Extended x1, Extended y1, Extended x2, Extended y2, Extended x3, Extended y3, Extended x4,
                      Extended y4)
{
    AppendRealRecord(GraphFacade.DrawRecordList, TRecordKind::Solid, {x1, y1, x2, y2, x3, y3, x4, y4});
}

void TFtelmgra::SetColor(int32_t c)
{
    if (c <= static_cast<int32_t>(telmvar.MaxColorIndex) && c != CurrentColour) {
        AppendIntRecord(GraphFacade.DrawRecordList, TRecordKind::Colour, c);
        CurrentColour = c;
    }
}

void TFtelmgra::SetTextStyle(int32_t n, Extended angle, Extended height, Extended width)
{
    std::string s = MakeRealRecord(TRecordKind::TextStyle, {height, width});
    s += ';';
    s += std::to_string(n);
    s += ';';
    AppendGraphReal(s, angle);
    Record(s);
}

void TFtelmgra::SetWindow(bool aspect, bool frame, Extended vx1, Extended vy1, Extended vx2, Extended vy2,
                          Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    auto& m = M();
    const Extended sx = DrawAreaPixelsX();
    const Extended sy = DrawAreaPixelsY();
    TPixelRect vp{RoundPixel(sx * vx1), RoundPixel(sy * (1 - vy2)), RoundPixel(sx * vx2), RoundPixel(sy * (1 - vy1))};
    if (frame) {
        ++vp.x1;
        ++vp.y1;
        --vp.x2;
        --vp.y2;
    }
    m.GraphViewport = vp;
    Record(MakeWindowRecord(vp.x1, vp.y1, vp.x2, vp.y2, wx1, wy1, wx2, wy2));
    m.GraphWorldWindow = {wx1, wy1, wx2, wy2};
    m.GraphAutoScale = aspect;
    // A viewport without width or height has no scale either.
    if (wx1 == wx2 || wy1 == wy2 || vp.x1 == vp.x2 || vp.y1 == vp.y2) {
        telmvar.Aborted = true;
        return;
    }
    // Every new window drops the zoom.
    SetScale(vp.x1, vp.y1, vp.x2, vp.y2);
}

void TFtelmgra::SetLineStyle(uint16_t s)
{
    if (s != CurrentLineStyle) {
        AppendIntRecord(GraphFacade.DrawRecordList, TRecordKind::LineStyle, s);
        CurrentLineStyle = s;
    }
}

void TFtelmgra::SetLineWidth(uint16_t w)
{
    if (w != CurrentLineWidth) {
        AppendIntRecord(GraphFacade.DrawRecordList, TRecordKind::LineWidth, w);
        CurrentLineWidth = w;
    }
}

void TFtelmgra::SleepMs(int32_t ms) { AppendIntRecord(GraphFacade.DrawRecordList, TRecordKind::Pause, ms); }

void TFtelmgra::Rectangle(Extended x1, Extended y1, Extended x2, Extended y2)
{
    line(x1, y1, x2, y1);
    line(x2, y1, x2, y2);
    line(x2, y2, x1, y2);
    line(x1, y2, x1, y1);
}

void TFtelmgra::SetLineStyleName(const std::string& name)
{
    if (name == "DOTTED" || name == "PUNKT")
        SetLineStyle(1);
    else if (name == "CENTER" || name == "DASHDOT" || name == "STRICHPUNKT")
        SetLineStyle(2);
    else if (name == "DASHED" || name == "HIDDEN" || name == "VERDECKT")
        SetLineStyle(3);
    else
        SetLineStyle(0);
}

void TFtelmgra::Header(Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    auto& m = M();
    const TWorldRect& gw = m.GraphWorldWindow;
    const Extended w = gw.x2 - gw.x1;
    const Extended h = gw.y2 - gw.y1;
    // Proportions of the drawing area over those of the previous window, on
    // square world units.
    if (w != 0 && h != 0)
        m.GraphZoom = WorldUnitAspect() * (640 / w) / (480 / h);
    SetWindow(true, true, 0, 0, 1, 1, wx1, wy1, wx2, wy2);
    SetLineStyle(0);
    SaveLimit();
}

void TFtelmgra::RestoreLimit()
{
    const TWorldRect s = M().SavedWorldWindow;
    SetWindow(true, true, 0, 0, 1, 1, s.x1, s.y1, s.x2, s.y2);
}

void TFtelmgra::ReSetWindow()
{
    SetWindow(false, false, 0, 0, 1, 1, 0, 0, 1, 1);
    ResetZoom();
}

void TFtelmgra::Regen()
{
    RestoreLimit();
    SetWindow(true, true, 0, 0, 1, 1, 0, 0, 1, 1);
    ResetZoom();
    auto& m = M();
    SetScale(m.DevXMin, m.DevYMin, m.DevXMax, m.DevYMax);
    ClearViewPort();
}

// ---------------------------------------------------------------------------
// Mapping

void TFtelmgra::SetScale(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (x2 == x1 || y2 == y1)
        return;
    auto& m = M();
    const TPixelRect vp = m.GraphViewport;
    const TWorldRect gw = m.GraphWorldWindow;
    // A viewport or world window without width or height has no scale: the
    // old one stays, as for a zero world window given to SetWindow.
    if (vp.x2 == vp.x1 || vp.y2 == vp.y1 || gw.x2 == gw.x1 || gw.y2 == gw.y1) {
        telmvar.Aborted = true;
        return;
    }
    m.DevXMin = x1;
    m.DevYMin = y1;
    m.DevXMax = x2;
    m.DevYMax = y2;
    const Extended vw = vp.x2 - vp.x1;
    const Extended vh = vp.y2 - vp.y1;
    m.WorldXMin = gw.x1 + (x1 - vp.x1) / vw * (gw.x2 - gw.x1);
    m.WorldXMax = gw.x1 + (x2 - vp.x1) / vw * (gw.x2 - gw.x1);
    m.WorldYMin = gw.y1 + (y1 - vp.y1) / vh * (gw.y2 - gw.y1);
    m.WorldYMax = gw.y1 + (y2 - vp.y1) / vh * (gw.y2 - gw.y1);
    m.GraphXScale = vw / (m.WorldXMax - m.WorldXMin);
    m.GraphYScale = vh / (m.WorldYMax - m.WorldYMin);
    if (m.GraphAutoScale) {
        const Extended k = WorldUnitAspect();
        if (m.GraphXScale >= m.GraphYScale * k)
            m.GraphXScale = m.GraphYScale * k;
        else
            m.GraphYScale = m.GraphXScale / k;
    }
}

void TFtelmgra::ResetZoom()
{
    const TPixelRect vp = M().GraphViewport;
    SetScale(vp.x1, vp.y1, vp.x2, vp.y2);
}

void TFtelmgra::SaveLimit() { M().SavedWorldWindow = M().GraphWorldWindow; }

void TFtelmgra::SaveViewPort() { M().SavedViewport = M().GraphViewport; }

void TFtelmgra::RetrieveViewPort() { M().GraphViewport = M().SavedViewport; }

Extended TFtelmgra::EinX(Extended f) const { return (M().GraphWorldWindow.x2 - M().GraphWorldWindow.x1) * f; }

Extended TFtelmgra::EinY(Extended f) const { return (M().GraphWorldWindow.y2 - M().GraphWorldWindow.y1) * f; }

int32_t TFtelmgra::ScreenX(Extended x) const
{
    return RoundPixel((x - M().WorldXMin) * M().GraphXScale) + M().GraphViewport.x1;
}

int32_t TFtelmgra::ScreenY(Extended y) const
{
    return M().GraphViewport.y2 - RoundPixel((y - M().WorldYMin) * M().GraphYScale);
}

int32_t TFtelmgra::ScreenLengthX(Extended l) const { return RoundPixel(M().GraphXScale * l); }

int32_t TFtelmgra::ScreenLengthY(Extended l) const { return RoundPixel(M().GraphYScale * l); }

// ---------------------------------------------------------------------------
// Picture

void TFtelmgra::Repaint()
{
    if (OnRepaint)
        OnRepaint();
    else
        platform::CurrentPlatform().MainWindow().Invalidate();
}

void TFtelmgra::PendingEvents()
{
    if (OnPendingEvents)
        OnPendingEvents();
    else
        platform::CurrentPlatform().MainWindow().ProcessPendingEvents();
}

void TFtelmgra::Clear()
{
    GraphFacade.DrawRecordList.clear();
    ++GraphFacade.ListGeneration;
    // The next picture records its first colour, style and width again: the
    // replay starts in colour 1, so a colour dropped as a repeat of the last
    // picture's would draw the new one in the wrong colour.
    CurrentColour = -1;
    CurrentLineStyle = 99;
    CurrentLineWidth = 1;
    Repaint();
}

void TFtelmgra::ClearViewPort()
{
    SetWaitCursor();
    Repaint();
}

platform::Canvas* TFtelmgra::Immediate() { return ImmediateCanvas ? ImmediateCanvas() : nullptr; }

void TFtelmgra::MoveTo(Extended x, Extended y)
{
    // Only the position: LineTo draws from it, so a canvas is taken only for
    // as long as a line needs it.
    penX_ = x;
    penY_ = y;
}

void TFtelmgra::LineTo(Extended x, Extended y)
{
    platform::Canvas* c = Immediate();
    if (c) {
        c->MoveTo(ScreenX(penX_), ScreenY(penY_));
        c->LineTo(ScreenX(x), ScreenY(y));
    }
    penX_ = x;
    penY_ = y;
    if (c && OnImmediateDone)
        OnImmediateDone();
}

void TFtelmgra::DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (platform::Canvas* c = Immediate()) {
        c->MoveTo(x1, y1);
        c->LineTo(x2, y1);
        c->LineTo(x2, y2);
        c->LineTo(x1, y2);
        c->LineTo(x1, y1);
    }
    if (OnImmediateDone)
        OnImmediateDone();
}

int TFtelmgra::GetDirection(Extended angle)
{
    if ((angle >= 45 && angle < 135) || (angle >= 225 && angle < 315) || (angle >= -135 && angle < -45))
        return 1;
    return 0;
}

void TFtelmgra::SetWaitCursor() { platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Hourglass); }

void TFtelmgra::SetOldCursor() { platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Arrow); }
