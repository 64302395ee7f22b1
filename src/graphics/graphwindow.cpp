#include "graphics/graphwindow.h"

#include "foundation/programstate.h"
#include "graphics/anistep.h"
#include "graphics/graphsettings.h"
#include "platform/platform.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <cmath>

TFtelmgra FTelmgra;

namespace
{

TGraphMapping& M()
{
    return graphmapping;
}

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
    FTelmgra.OnShowFrame = nullptr;
    FTelmgra.OnStopAsked = nullptr;
    FTelmgra.ImmediateCanvas = nullptr;
    FTelmgra.OnImmediateDone = nullptr;
    ResetDisplayList();
}

// ---------------------------------------------------------------------------
// Mapping

void TFtelmgra::Regen()
{
    auto& m = M();
    m.RestoreLimit();
    m.SetWindow(true, true, 0, 0, 1, 1, 0, 0, 1, 1);
    m.ResetZoom();
    m.SetScale(m.DevXMin, m.DevYMin, m.DevXMax, m.DevYMax);
    ClearViewPort();
}

void TFtelmgra::SaveViewPort()
{
    M().SavedViewport = M().GraphViewport;
}

void TFtelmgra::RetrieveViewPort()
{
    M().GraphViewport = M().SavedViewport;
}

Extended TFtelmgra::EinX(Extended f) const
{
    return (M().GraphWorldWindow.x2 - M().GraphWorldWindow.x1) * f;
}

Extended TFtelmgra::EinY(Extended f) const
{
    return (M().GraphWorldWindow.y2 - M().GraphWorldWindow.y1) * f;
}

int32_t TFtelmgra::ScreenX(Extended x) const
{
    return RoundPixel((x - M().WorldXMin) * M().GraphXScale) + M().GraphViewport.x1;
}

int32_t TFtelmgra::ScreenY(Extended y) const
{
    return M().GraphViewport.y2 - RoundPixel((y - M().WorldYMin) * M().GraphYScale);
}

int32_t TFtelmgra::ScreenLengthX(Extended l) const
{
    return RoundPixel(M().GraphXScale * l);
}

int32_t TFtelmgra::ScreenLengthY(Extended l) const
{
    return RoundPixel(M().GraphYScale * l);
}

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

void TFtelmgra::ClearViewPort()
{
    SetWaitCursor();
    Repaint();
}

platform::Canvas* TFtelmgra::Immediate()
{
    return ImmediateCanvas ? ImmediateCanvas() : nullptr;
}

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
    if (c && OnImmediateDone) OnImmediateDone();
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
    if (OnImmediateDone) OnImmediateDone();
}

int TFtelmgra::GetDirection(Extended angle)
{
    if ((angle >= 45 && angle < 135) || (angle >= 225 && angle < 315) || (angle >= -135 && angle < -45))
        return 1;
    return 0;
}

void TFtelmgra::SetWaitCursor()
{
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Hourglass);
}

void TFtelmgra::SetOldCursor()
{
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Arrow);
}
