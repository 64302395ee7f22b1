#include "graphics/graphfacade.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadtarget.h"
#include "graphics/graphmapping.h"
#include "graphics/graphwindow.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <utility>

TGraphFacade GraphFacade;

namespace
{

constexpr Extended Pi = std::numbers::pi_v<long double>;

} // namespace

// The CAD layer's screen: the facade unless a test installed a recorder.
TCadScreen& CadScreen()
{
    return cadscreentarget.Installed != nullptr ? *cadscreentarget.Installed : GraphFacade;
}

TCadScreen* SetCadScreen(TCadScreen* Screen)
{
    return std::exchange(cadscreentarget.Installed, Screen);
}

TGraphFacade::TGraphFacade() = default;

TGraphFacade::~TGraphFacade() = default;

void TGraphFacade::Clear()
{
    DisplayList.Clear();
    // The next picture records its first colour, style and width again: the
    // replay starts in colour 1, so a colour dropped as a repeat of the last
    // picture's would draw the new one in the wrong colour.
    DisplayList.ForgetPen();
    FTelmgra.Repaint();
}

void TGraphFacade::ClearViewPort()
{
    FTelmgra.ClearViewPort();
}

void TGraphFacade::SetWindow(bool aspect, bool frame, Extended vx1, Extended vy1, Extended vx2, Extended vy2,
                             Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    graphmapping.SetWindow(aspect, frame, vx1, vy1, vx2, vy2, wx1, wy1, wx2, wy2);
}

void TGraphFacade::Header(Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    auto& m = graphmapping;
    const TWorldRect& gw = m.GraphWorldWindow;
    const Extended w = gw.x2 - gw.x1;
    const Extended h = gw.y2 - gw.y1;
    // Proportions of the drawing area over those of the previous window, on
    // square world units.
    if (w != 0 && h != 0) m.GraphZoom = WorldUnitAspect() * (640 / w) / (480 / h);
    m.SetWindow(true, true, 0, 0, 1, 1, wx1, wy1, wx2, wy2);
    SetLineStyle(0);
    m.SaveLimit();
}

void TGraphFacade::Header(int32_t, Extended wx1, Extended wy1, Extended wx2, Extended wy2)
{
    Header(wx1, wy1, wx2, wy2);
}

void TGraphFacade::Circle(Extended x, Extended y, Extended r)
{
    AppendRealRecord(DisplayList.Records, TRecordKind::Circle, {x, y, r});
}

void TGraphFacade::Line(Extended x1, Extended y1, Extended x2, Extended y2)
{
    AppendRealRecord(DisplayList.Records, TRecordKind::Line, {x1, y1, x2, y2});
}

void TGraphFacade::Arc(Extended x, Extended y, Extended StAngle, Extended EndAngle, Extended r)
{
    // The angle from start to end in [0, 360), from the fractional turns.
    auto frac = [](Extended v) { return v - std::trunc(v); };
    Extended sweep = (frac(EndAngle / 360) - frac(StAngle / 360)) * 360;
    if (sweep < 0) sweep += 360;
    const Extended xs = x + r * std::cos(StAngle * Pi / 180);
    const Extended ys = y + r * std::sin(StAngle * Pi / 180);
    const Extended xe = x + r * std::cos(EndAngle * Pi / 180);
    const Extended ye = y + r * std::sin(EndAngle * Pi / 180);
    // Short sweeps are a line: the list stays short, and a sweep of 0 is
    // not taken for a full circle.
    if (sweep < 4) {
        Line(xs, ys, xe, ye);
        return;
    }
    AppendRealRecord(DisplayList.Records, TRecordKind::Arc, {x - r, y - r, x + r, y + r, xs, ys, xe, ye});
}

void TGraphFacade::Solid(Extended x1, Extended y1, Extended x2, Extended y2, Extended x3, Extended y3,
                         Extended x4, Extended y4)
{
    AppendRealRecord(DisplayList.Records, TRecordKind::Solid, {x1, y1, x2, y2, x3, y3, x4, y4});
}

void TGraphFacade::SheetFrame(Extended x1, Extended y1, Extended x2, Extended y2)
{
    AppendRealRecord(DisplayList.Records, TRecordKind::SheetFrame, {x1, y1, x2, y2});
}

void TGraphFacade::Rectangle(Extended x1, Extended y1, Extended x2, Extended y2)
{
    Line(x1, y1, x2, y1);
    Line(x2, y1, x2, y2);
    Line(x2, y2, x1, y2);
    Line(x1, y2, x1, y1);
}

void TGraphFacade::OutTextXY(Extended x, Extended y, const std::string& text)
{
    Record(MakeTextRecord(x, y, DisplayText(text)));
}

void TGraphFacade::SetColor(int32_t c)
{
    if (c <= static_cast<int32_t>(telmvar.MaxColorIndex) && c != DisplayList.CurrentColour) {
        AppendIntRecord(DisplayList.Records, TRecordKind::Colour, c);
        DisplayList.CurrentColour = c;
    }
}

void TGraphFacade::SetCadColor(int c)
{
    SetColor(CadColorToPalette(static_cast<uint8_t>(c)));
}

void TGraphFacade::SetLineStyle(int style)
{
    const auto s = static_cast<uint16_t>(style);
    if (s != DisplayList.CurrentLineStyle) {
        AppendIntRecord(DisplayList.Records, TRecordKind::LineStyle, s);
        DisplayList.CurrentLineStyle = s;
    }
}

void TGraphFacade::SetLineStyleName(const std::string& name)
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

void TGraphFacade::SetLineWidth(int width)
{
    const auto w = static_cast<uint16_t>(std::max(width, 0));
    if (w != DisplayList.CurrentLineWidth) {
        AppendIntRecord(DisplayList.Records, TRecordKind::LineWidth, w);
        DisplayList.CurrentLineWidth = w;
    }
}

void TGraphFacade::SetTextStyle(int32_t n, Extended angle, Extended height, Extended width)
{
    std::string s = MakeRealRecord(TRecordKind::TextStyle, {height, width});
    s += ';';
    s += std::to_string(n);
    s += ';';
    AppendGraphReal(s, angle);
    Record(s);
}

void TGraphFacade::SleepMs(int32_t ms)
{
    AppendIntRecord(DisplayList.Records, TRecordKind::Pause, ms);
}

void TGraphFacade::SetTextJustify(int32_t, int32_t) {}

void TGraphFacade::ShowMessage(const std::string& text)
{
    platform::CurrentPlatform().Messages().ShowOk("", text, platform::MessageIcon::Information);
}

bool TGraphFacade::CheckFileExists(const std::string& name)
{
    std::ifstream probe(NativePath(name), std::ios::binary);
    if (probe.is_open()) return true;
    platform::CurrentPlatform().Messages().ShowOk(
        "", DisplayText(FileNameToOem(WithoutBlanks(name))) + " not found !", platform::MessageIcon::Error);
    telmvar.Aborted = true;
    return false;
}

void TGraphFacade::SetWaitCursor()
{
    FTelmgra.SetWaitCursor();
}

void TGraphFacade::SetNormalCursor()
{
    FTelmgra.SetOldCursor();
}

bool TGraphFacade::StopAsked()
{
    return FTelmgra.StopAsked();
}

uint8_t CadColorToPalette(uint8_t c)
{
    static constexpr uint8_t Low[8] = {0, 12, 14, 10, 11, 9, 13, 15};
    if (c > 16) c = c % 16;
    if (c <= 7) return Low[c];
    if (c <= 15) return static_cast<uint8_t>(c - 7);
    return 16;
}

std::string GetProjectFilePath()
{
    if (telmvar.ProjectName.empty()) return "";
    // A name with the project extension is the path as it was given (the
    // archive mode's, kept when a save of it left that mode).
    if (telmvar.ArchiveMode ||
        UpperCaseText(FileExtNoDot(telmvar.ProjectName)) == UpperCaseText(telmvar.DataExt))
        return telmvar.ProjectName;
    return AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName + "." + telmvar.DataExt;
}
