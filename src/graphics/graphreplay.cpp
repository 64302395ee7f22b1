// The replay of the display list (the window's paint), the graphics
// printout, and the zoom, pan and rubber-band events of the graphics window.
#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "graphics/anistep.h"
#include "graphics/displaylist.h"
#include "graphics/graphsettings.h"
#include "graphics/graphwindow.h"
#include "platform/platform.h"
#include "reports/textview/printsettings.h"
#include "reports/textview/printtext.h"

#include <algorithm>
#include <cmath>

namespace
{

using platform::Canvas;
using platform::Colour;

TGraphMapping& M()
{
    return graphmapping;
}

// std::rint of a screen position without frndint's long wait: below 2^63
// in magnitude RoundBelowShift, a negative v through its mirror (subtracting
// and adding 2^63). A zero comes out +0 where rint keeps the sign of -0 or of
// a small negative v; the positions add it to a whole viewport edge or take
// it from one, which gives the same either way. Larger values, infinities
// and NaN are whole already and stay as they are.
Extended RoundWhole(Extended v)
{
    if constexpr (X87Extended) {
        if (v >= 0 && v < WholeShift) return RoundBelowShift(v);
        if (v < 0 && v > -WholeShift) return (v - WholeShift) + WholeShift;
        return v;
    } else {
        return std::rint(v);
    }
}

// A drawing surface of the replay with its own mapping and the pen, brush
// and font colour last given to it: the window's mapping on the screen, the
// printer mapping on paper.
struct TTarget {
    Canvas* canvas = nullptr;
    bool printer = false;
    TPrinterMapping paper;
    platform::Pen pen;
    platform::Brush brush;
    Colour fontColour;

    void ApplyPen() { canvas->SetPen(pen); }
    void ApplyBrush() { canvas->SetBrush(brush); }

    // Unrounded pixel position of a world point.
    Extended RawX(Extended x) const
    {
        const TGraphMapping& m = M();
        if (printer) return paper.RawX(x);
        return RoundWhole((x - m.WorldXMin) * m.GraphXScale) + m.GraphViewport.x1;
    }
    Extended RawY(Extended y) const
    {
        const TGraphMapping& m = M();
        if (printer) return paper.RawY(y);
        return m.GraphViewport.y2 - RoundWhole((y - m.WorldYMin) * m.GraphYScale);
    }
    int X(Extended x) const { return RoundPixel(RawX(x)); }
    int Y(Extended y) const { return RoundPixel(RawY(y)); }
    platform::Point P(Extended x, Extended y) const { return {X(x), Y(y)}; }
    int LengthX(Extended l) const { return printer ? paper.LengthX(l) : RoundPixel(M().GraphXScale * l); }
    int LengthY(Extended l) const { return printer ? paper.LengthY(l) : RoundPixel(M().GraphYScale * l); }
    // A box from two world corners, normalised.
    platform::Rect Box(Extended x1, Extended y1, Extended x2, Extended y2) const
    {
        const int a = X(x1), b = X(x2), c = Y(y1), d = Y(y2);
        return {std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
    }

    // A line clipped to the drawable range before rounding, so that a deep
    // zoom keeps its direction instead of bending at the clamp. The ends of
    // the lines of the records come as the doubles read, handed over in
    // registers rather than as extended values through memory.
    template <typename Real> void Line(Real x1, Real y1, Real x2, Real y2)
    {
        Extended ax = RawX(x1), ay = RawY(y1), bx = RawX(x2), by = RawY(y2);
        // The raw positions are whole pixels, so a line inside the range
        // would come out of the clip unchanged; most lines are, and need no
        // clamp either.
        const Extended lim = MaxPixelMagnitude;
        const bool inside =
            std::fabs(ax) <= lim && std::fabs(ay) <= lim && std::fabs(bx) <= lim && std::fabs(by) <= lim;
        if (inside) {
            canvas->MoveTo(PixelInRange(ax), PixelInRange(ay));
            canvas->LineTo(PixelInRange(bx), PixelInRange(by));
            return;
        }
        if (!ClipToRange(ax, ay, bx, by)) return;
        canvas->MoveTo(RoundPixel(ax), RoundPixel(ay));
        canvas->LineTo(RoundPixel(bx), RoundPixel(by));
    }

    static bool ClipToRange(Extended& x1, Extended& y1, Extended& x2, Extended& y2)
    {
        const Extended lim = MaxPixelMagnitude;
        Extended t0 = 0, t1 = 1;
        const Extended dx = x2 - x1, dy = y2 - y1;
        const Extended p[4] = {-dx, dx, -dy, dy};
        const Extended q[4] = {x1 + lim, lim - x1, y1 + lim, lim - y1};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) return false;
                continue;
            }
            const Extended t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
        const Extended ox = x1, oy = y1;
        x1 = ox + t0 * dx;
        y1 = oy + t0 * dy;
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
        return true;
    }
};

Colour TableColour(int n)
{
    return Colour::FromBgr(graphsettings.ColourTable[n]);
}

Colour Background()
{
    return Colour::FromBgr(graphsettings.BackgroundColour);
}

// A canvas that draws nothing: the window side of a printout run from a
// menu command, whose picture is replayed again at the next paint anyway.
class DiscardCanvas final : public Canvas
{
  public:
    int Width() const override { return DrawAreaPixelsX() + 1; }
    int Height() const override { return DrawAreaPixelsY() + 1; }
    void SetPen(const platform::Pen&) override {}
    void SetBrush(const platform::Brush&) override {}
    void SetFont(const platform::Font&) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Ellipse(const platform::Rect&) override {}
    void Arc(const platform::Rect&, platform::Point, platform::Point) override {}
    void Polygon(const std::vector<platform::Point>&) override {}
    void TextOut(int, int, const std::string&) override {}
    void Clear(Colour) override {}
};

} // namespace

// One replay of the display list: the window's target and, while printing,
// the printer's, the colour and text size the records last set, and the pen
// position. Each kind of record has its drawing below; the walk over the
// list hands every record to the drawing of its kind.
struct TFtelmgra::TReplay {
    TReplay(TFtelmgra& owner, Canvas& canvas);

    TFtelmgra& form;
    platform::Platform& pf;
    const bool printing;
    TTarget win;
    TTarget prn;
    const bool colour = telmvar.ColorGraphics;
    const bool printColour = telmvar.PrintColorMode == 2 || telmvar.PrintColorMode == 3;
    int replayColour = 1;
    Extended textHeight = 3.5L;
    Extended textWidth = 3.5L;
    Extended textAngle = 0;
    // Records of the animation frames a printout leaves out.
    size_t erasedFrom = 0, erasedTo = 0;
    uint64_t generation = 0;
    uint64_t closes = 0;
    // The pen position is always a field read, a double.
    double curX = 0, curY = 0;
    // One record read into again and again: a kind writes the members it
    // has, and only those are looked at.
    TRecordReading r;

    // The target the text goes to: the paper while printing, else the window.
    TTarget& Text() { return printing ? prn : win; }
    // A field as the extended real everything below computes with.
    Extended f(int k) const { return r.F[k]; }
    template <typename Fn> void ForEach(Fn&& fn)
    {
        fn(win);
        if (printing) fn(prn);
    }
    // The list is walked by index and may change while events are handled:
    // a Clear or a closed window ends the replay.
    bool StillValid() const { return DisplayList.Generation == generation && form.closeCount_ == closes; }

    void ApplyColour(TTarget& t, int n);
    void StartInColourOne();
    void DrawPrintBorder();
    void DrawOnPage(const TWorldRect& w);
    void DrawSheetFrame();
    void Walk();
    bool SkippedInErasedFrame(size_t i);
    bool DrawRecord(size_t i);
    void DrawCircle();
    void DrawArc();
    void DrawText();
    void FillQuadrangle();
    bool SetColour();
    void EraseColour();
    void SetTextSize();
    bool SetWindow();
    void SetLineStyle();
    void SetLineWidth();
    bool Pause(size_t i);
};

TFtelmgra::TReplay::TReplay(TFtelmgra& owner, Canvas& canvas)
    : form(owner), pf(platform::CurrentPlatform()), printing(M().GraphPrintMode && pf.Print().Printing())
{
    win.canvas = &canvas;
    if (printing) {
        prn.canvas = &pf.Print().PageCanvas();
        prn.printer = true;
        TPrinterMapping& paper = prn.paper;
        paper.PageWidth = pf.Print().PageWidthPixels();
        paper.PageHeight = pf.Print().PageHeightPixels();
        paper.ScaleX = printsettings.PrintScaleX;
        paper.ScaleY = printsettings.PrintScaleY;
        paper.OriginX = printsettings.PrintOriginX;
        paper.OriginY = printsettings.PrintOriginY;
        paper.Layout(M());
    }
}

// Colour number 1..16 on a target.
void TFtelmgra::TReplay::ApplyColour(TTarget& t, int n)
{
    const bool inColour = t.printer ? printColour : colour;
    t.pen.Colour = inColour ? TableColour(n) : Colour{};
    t.brush.Colour = inColour ? TableColour(n) : Background();
    t.fontColour = inColour ? TableColour(n) : Colour{};
    t.ApplyPen();
    t.ApplyBrush();
}

// The picture starts in colour 1 whatever the last replay left, and the next
// style and width calls record again.
void TFtelmgra::TReplay::StartInColourOne()
{
    DisplayList.CurrentLineStyle = 99;
    DisplayList.CurrentLineWidth = 1;
    ForEach([&](TTarget& t) {
        t.pen.Width = 1;
        ApplyColour(t, 1);
    });
}

// The frame of the world window around the picture on paper, laid out as
// the picture is. A side the scales or the origin carry past the page's
// edge is drawn along that edge, so the frame stays closed on the paper.
void TFtelmgra::TReplay::DrawPrintBorder()
{
    if (colour) {
        prn.pen.Colour = TableColour(11);
        prn.ApplyPen();
    }
    DrawOnPage(M().GraphWorldWindow);
}

// The outline of a world rectangle on paper, each side pulled onto the page
// where it would lie past its edge, the pen's whole width on it.
void TFtelmgra::TReplay::DrawOnPage(const TWorldRect& w)
{
    const TPixelRect b = prn.paper.PageOutline(w, prn.pen.Width);
    Canvas& c = *prn.canvas;
    c.Line(b.x1, b.y1, b.x1, b.y2);
    c.Line(b.x1, b.y2, b.x2, b.y2);
    c.Line(b.x2, b.y2, b.x2, b.y1);
    c.Line(b.x2, b.y1, b.x1, b.y1);
}

// The frame of a drawing sheet: its four lines on the screen, and on paper
// laid out as the print border is. At the print scales of a sheet its right
// side would fall just past the printable area and be cut off there.
void TFtelmgra::TReplay::DrawSheetFrame()
{
    const double x1 = r.F[0], y1 = r.F[1], x2 = r.F[2], y2 = r.F[3];
    win.Line(x1, y1, x1, y2);
    win.Line(x1, y2, x2, y2);
    win.Line(x2, y2, x2, y1);
    win.Line(x2, y1, x1, y1);
    if (printing) DrawOnPage({x1, y1, x2, y2});
}

// Reads and draws the records in order until the list ends, a record ends
// the replay or the list changes under it; pending events are let through
// every 50000 records.
void TFtelmgra::TReplay::Walk()
{
    // The paper gets the picture the window ends with: of an animation the
    // fixed picture and the last frame shown. The frames before it are
    // drawn and erased again on the screen; on paper an erased frame would
    // stay as a ghost of its outlines, so their records only set the pen.
    if (printing) DisplayList.ErasedFrames(erasedFrom, erasedTo);

    generation = DisplayList.Generation;
    closes = form.closeCount_;
    for (size_t i = 0;; ++i) {
        if (i % 50000 == 0) {
            form.PendingEvents();
            if (!StillValid()) return;
        }
        if (i >= DisplayList.Records.size()) return;
        ReadDisplayRecord(DisplayList.Records[i], r);
        if (SkippedInErasedFrame(i)) continue;
        if (!DrawRecord(i)) return;
    }
}

// A drawing record of a frame the printout leaves out: only its pen
// position counts.
bool TFtelmgra::TReplay::SkippedInErasedFrame(size_t i)
{
    if (i < erasedFrom || i >= erasedTo) return false;
    if (r.Kind == 2 || r.Kind == 4) {
        curX = r.F[r.Kind == 2 ? 0 : 2];
        curY = r.F[r.Kind == 2 ? 1 : 3];
    }
    return (r.Kind >= 2 && r.Kind <= 7) || r.Kind == 13;
}

// The record just read, by its kind. False ends the replay.
bool TFtelmgra::TReplay::DrawRecord(size_t i)
{
    switch (r.Kind) {
    case 1:
        curX = r.F[0];
        curY = r.F[1];
        break;
    case 2:
        ForEach([&](TTarget& t) { t.Line(curX, curY, r.F[0], r.F[1]); });
        curX = r.F[0];
        curY = r.F[1];
        break;
    case 3:
        DrawCircle();
        break;
    case 4:
        ForEach([&](TTarget& t) { t.Line(r.F[0], r.F[1], r.F[2], r.F[3]); });
        curX = r.F[2];
        curY = r.F[3];
        break;
    case 5:
        DrawArc();
        break;
    case 14:
        DrawSheetFrame();
        break;
    case 6:
        DrawText();
        break;
    case 7:
        FillQuadrangle();
        break;
    case 8:
        return SetColour();
    case 9:
        SetTextSize();
        break;
    case 10:
        return SetWindow();
    case 11:
        SetLineStyle();
        break;
    case 12:
        SetLineWidth();
        break;
    case 13:
        return Pause(i);
    default:
        break;
    }
    return true;
}

void TFtelmgra::TReplay::DrawCircle()
{
    ForEach([&](TTarget& t) {
        t.brush.Style = platform::BrushStyle::Clear;
        t.ApplyBrush();
        t.canvas->Ellipse(t.Box(f(0) - f(2), f(1) - f(2), f(0) + f(2), f(1) + f(2)));
    });
}

void TFtelmgra::TReplay::DrawArc()
{
    ForEach(
        [&](TTarget& t) { t.canvas->Arc(t.Box(f(0), f(1), f(2), f(3)), t.P(f(4), f(5)), t.P(f(6), f(7))); });
}

// A text in the colour, size and angle the records last set, on one target.
void TFtelmgra::TReplay::DrawText()
{
    TTarget& text = Text();
    Colour c = text.fontColour;
    if (replayColour == 0)
        c = Background();
    else if (!colour)
        c = Colour{};
    else if (printing && telmvar.PrintColorMode == 1)
        c = Colour{};
    else if (replayColour >= 1 && replayColour <= 15)
        c = TableColour(replayColour);
    platform::Font font;
    font.Face = graphsettings.GraphTextFont;
    font.Height = text.LengthY(textHeight);
    font.Width = text.LengthX(textWidth);
    font.Escapement = static_cast<int>(std::rint(textAngle * 10));
    const unsigned style = graphsettings.GraphTextStyle;
    if (style >= 1 && style <= 15) {
        font.Weight = (style & 1) ? 700 : 100;
        font.Italic = (style & 2) != 0;
        font.Underline = (style & 4) != 0;
        font.StrikeOut = (style & 8) != 0;
    } else {
        font.Weight = 100;
    }
    font.Colour = c;
    text.canvas->SetFont(font);
    // The cell's top left corner lies 0.75 of the height above the
    // reference point, turned with the text.
    Extended x = f(0), y = f(1) + 0.75L * textHeight;
    if (textAngle != 0) {
        const Extended a = textAngle * Pi / 180;
        x = f(0) - std::sin(a) * 0.7L * textHeight;
        y = f(1) + std::cos(a) * 0.75L * textHeight;
    }
    text.canvas->TextOut(text.X(x), text.Y(y), std::string(r.Text));
}

void TFtelmgra::TReplay::FillQuadrangle()
{
    ForEach([&](TTarget& t) {
        t.brush.Style = platform::BrushStyle::Solid;
        if (!colour) t.brush.Colour = Colour{};
        t.ApplyBrush();
        t.canvas->Polygon({t.P(f(0), f(1)), t.P(f(2), f(3)), t.P(f(4), f(5)), t.P(f(6), f(7))});
    });
}

// A colour number: 1..16 a table colour, 0 the erase colour. False ends the
// replay.
bool TFtelmgra::TReplay::SetColour()
{
    const long long n = r.N;
    replayColour = static_cast<int>(std::clamp<long long>(n, -1000000, 1000000));
    if (n >= 1 && n <= 16) {
        ForEach([&](TTarget& t) { ApplyColour(t, static_cast<int>(n)); });
    } else if (n == 0) {
        // The step dialog of an animation stops at each erase: the frame
        // just drawn is on the screen. A printout never stops.
        if (form.StepMode && !printing) {
            if (form.OnShowFrame) form.OnShowFrame();
            TForm_anistep step;
            pf.Dialogs().RunModal(step);
            if (step.EndStepping) form.StepMode = false;
            if (!StillValid()) return false;
        }
        EraseColour();
    }
    return true;
}

void TFtelmgra::TReplay::EraseColour()
{
    ForEach([&](TTarget& t) {
        t.pen.Colour = Background();
        t.brush.Colour = Background();
        t.fontColour = Background();
        t.ApplyPen();
        t.ApplyBrush();
    });
}

void TFtelmgra::TReplay::SetTextSize()
{
    textHeight = f(0) * 1.6L * graphsettings.TextHeightFactor;
    textWidth = f(1) * 1.1L * graphsettings.GraphTextWidthFactor;
    textAngle = f(3);
}

// A new viewport and world window. An empty one aborts the drawing and ends
// the replay (false).
bool TFtelmgra::TReplay::SetWindow()
{
    auto& m = M();
    m.GraphViewport = {RoundPixel(f(0)), RoundPixel(f(1)), RoundPixel(f(2)), RoundPixel(f(3))};
    m.GraphWorldWindow = {f(4), f(5), f(6), f(7)};
    if (f(4) == f(6) || f(5) == f(7) || m.GraphViewport.x1 == m.GraphViewport.x2 ||
        m.GraphViewport.y1 == m.GraphViewport.y2) {
        telmvar.Aborted = true;
        return false;
    }
    // The zoom rectangle stays and is laid onto the new window.
    m.SetScale(m.DevXMin, m.DevYMin, m.DevXMax, m.DevYMax);
    if (printing) prn.paper.Layout(m);
    return true;
}

void TFtelmgra::TReplay::SetLineStyle()
{
    platform::PenStyle s = platform::PenStyle::Solid;
    if (r.N == 1)
        s = platform::PenStyle::Dot;
    else if (r.N == 2)
        s = platform::PenStyle::DashDot;
    else if (r.N == 3)
        s = platform::PenStyle::Dash;
    ForEach([&](TTarget& t) {
        t.pen.Style = s;
        t.pen.Mode = platform::PenMode::Copy;
        t.ApplyPen();
    });
}

// The paper's pen is four times as wide as the window's.
void TFtelmgra::TReplay::SetLineWidth()
{
    const int n = static_cast<int>(std::clamp<long long>(r.N, 0, 1000));
    win.pen.Width = n;
    win.ApplyPen();
    if (printing) {
        prn.pen.Width = 4 * n;
        prn.ApplyPen();
    }
}

// A pause of an animation after record i: the back end shows the frame and
// waits. False ends the replay.
bool TFtelmgra::TReplay::Pause(size_t i)
{
    if (!printing && form.OnPause) {
        form.pausedOnce_ = true;
        form.OnPause(static_cast<int32_t>(std::clamp<long long>(r.N, 0, 600000)));
        if (!StillValid()) return false;
    }
    // Escape during an animation: the frame on the screen is its last one,
    // the frames after it are dropped.
    if (form.stopAtPause_ && !printing) {
        DisplayList.Records.resize(i + 1);
        auto& marks = DisplayList.FrameStarts;
        marks.erase(std::remove_if(marks.begin(), marks.end(), [i](size_t m) { return m > i; }), marks.end());
        return false;
    }
    return true;
}

void TFtelmgra::FormPaint(platform::Canvas& canvas)
{
    // A paint asked for while the replay lets events through runs after it.
    if (replaying_) {
        repaintAgain_ = true;
        return;
    }
    replaying_ = true;
    pausedOnce_ = false;
    stopAtPause_ = false;
    auto& pf = platform::CurrentPlatform();
    pf.ScreenCursor().Set(platform::CursorShape::Hourglass);
    {
        TReplay replay(*this, canvas);
        replay.StartInColourOne();
        if (replay.printing && printsettings.PrintBorder) replay.DrawPrintBorder();
        replay.Walk();
    }
    pf.ScreenCursor().Set(platform::CursorShape::Default);
    replaying_ = false;
    if (repaintAgain_) {
        repaintAgain_ = false;
        Repaint();
    }
}

bool TFtelmgra::PrintPicture(const std::string& title)
{
    auto& pf = platform::CurrentPlatform();
    auto& printer = pf.Print();
    // A print command let through while the window draws would walk the
    // list a second time from inside the first walk.
    if (replaying_) platform::ShowPrintoutRefused(pf.Messages(), "the picture is still being drawn");
    if (replaying_ || !BeginPrintout(printer, title)) {
        telmvar.Aborted = true;
        return false;
    }
    M().GraphPrintMode = true;
    DiscardCanvas window;
    FormPaint(window);
    M().GraphPrintMode = false;
    return EndPrintout(printer);
}

// ---------------------------------------------------------------------------
// Keys

void TFtelmgra::FormKeyDown(const platform::KeyEvent& event)
{
    using platform::Key;
    uint16_t code = 0;
    switch (event.KeyCode) {
    case Key::Escape:
        code = vk::Escape;
        break;
    case Key::F5:
        code = vk::F5;
        break;
    case Key::PageUp:
        code = vk::PageUp;
        break;
    case Key::PageDown:
        code = vk::PageDown;
        break;
    case Key::Left:
        code = vk::Left;
        break;
    case Key::Up:
        code = vk::Up;
        break;
    case Key::Right:
        code = vk::Right;
        break;
    case Key::Down:
        code = vk::Down;
        break;
    case Key::Plus:
        code = vk::Add;
        break;
    case Key::Minus:
        code = vk::Subtract;
        break;
    default:
        if (event.Text == "+")
            code = vk::Add;
        else if (event.Text == "-")
            code = vk::Subtract;
        break;
    }
    processKey(code);
}

void TFtelmgra::processKey(uint16_t key)
{
    if (key == vk::Escape && replaying_ && pausedOnce_) {
        stopAtPause_ = true;
        return;
    }
    char ch = 0;
    char scan = 0;
    switch (key) {
    case vk::Escape:
    case vk::F5:
        scan = '?';
        break;
    case vk::PageUp:
        scan = 'I';
        break;
    case vk::PageDown:
        scan = 'Q';
        break;
    case vk::Left:
        scan = 'K';
        break;
    case vk::Up:
        scan = 'H';
        break;
    case vk::Right:
        scan = 'M';
        break;
    case vk::Down:
        scan = 'P';
        break;
    case vk::Add:
        ch = '+';
        scan = ' ';
        break;
    case vk::Subtract:
        ch = '-';
        scan = ' ';
        break;
    default:
        // Any other key leaves the view alone (it would repeat the last
        // zoom or pan step otherwise).
        return;
    }
    telmvar.LastKeyChar = ch;
    telmvar.LastKeyScan = scan;
    Repaint();

    auto& m = M();
    const Extended W = static_cast<Extended>(m.DevXMax) - m.DevXMin;
    const Extended H = static_cast<Extended>(m.DevYMax) - m.DevYMin;
    // Integer division of a rounded value, truncating toward zero.
    auto half = [](Extended v) { return static_cast<long long>(std::rint(v)) / 2; };
    // Steps that would leave the 32-bit range are not taken.
    auto set = [&](Extended x1, Extended y1, Extended x2, Extended y2) {
        constexpr Extended lim = 1073741824.0L;
        for (Extended v : {x1, y1, x2, y2})
            if (!(std::fabs(v) < lim)) return;
        m.SetScale(static_cast<int32_t>(x1), static_cast<int32_t>(y1), static_cast<int32_t>(x2),
                   static_cast<int32_t>(y2));
    };
    if (ch == '+' || ch == '-') {
        const long long cx = (static_cast<long long>(m.DevXMax) + m.DevXMin) / 2;
        const long long cy = (static_cast<long long>(m.DevYMax) + m.DevYMin) / 2;
        const Extended zi = graphsettings.ZoomIncrement;
        if (!(zi > 0)) return;
        const long long w = ch == '+' ? half(W / zi) : half(W * zi);
        const long long h = ch == '+' ? half(H / zi) : half(H * zi);
        set(cx - w, cy - h, cx + w, cy + h);
        return;
    }
    const Extended pan = graphsettings.PanFactor;
    const long long dx = static_cast<long long>(std::rint(W * pan));
    const long long dy = static_cast<long long>(std::rint(H * pan));
    const long long dy5 = static_cast<long long>(std::rint(H * pan * 5));
    const long long x1 = m.DevXMin, y1 = m.DevYMin, x2 = m.DevXMax, y2 = m.DevYMax;
    switch (scan) {
    case '?':
        m.ResetZoom();
        break;
    case 'K':
        set(x1 + dx, y1, x2 + dx, y2);
        break;
    case 'M':
        set(x1 - dx, y1, x2 - dx, y2);
        break;
    case 'H':
        set(x1, y1 - dy, x2, y2 - dy);
        break;
    case 'P':
        set(x1, y1 + dy, x2, y2 + dy);
        break;
    case 'I':
        set(x1, y1 - dy5, x2, y2 - dy5);
        break;
    case 'Q':
        set(x1, y1 + dy5, x2, y2 + dy5);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Mouse

void TFtelmgra::FormMouse(const platform::MouseEvent& event)
{
    using platform::MouseAction;
    switch (event.Action) {
    case MouseAction::Press:
        FormMouseDown(event.Button, event.X, event.Y);
        break;
    case MouseAction::Release:
        FormMouseUp(event.Button, event.X, event.Y);
        break;
    case MouseAction::Move:
        FormMouseMove(event.X, event.Y);
        break;
    case MouseAction::DoubleClick:
        // The desktop reports the second press of a double click as the
        // double click itself; the press follows it here.
        FormDblClick();
        FormMouseDown(event.Button, event.X, event.Y);
        break;
    }
}

void TFtelmgra::FormMouseDown(platform::MouseButton button, int x, int y)
{
    using platform::MouseButton;
    auto& m = M();
    if (button == MouseButton::Right) {
        m.ResetZoom();
        Repaint();
    } else if (button == MouseButton::Left && DoubleClicked) {
        m.RestoreLimit();
        m.ResetZoom();
        m.ReSetWindow();
        Repaint();
    } else if (button == MouseButton::Left && !Dragging) {
        Dragging = true;
        m.RubberStart = m.RubberEnd = {x, y};
    }
    DoubleClicked = false;
}

void TFtelmgra::FormMouseMove(int x, int y)
{
    if (!Dragging) return;
    auto& m = M();
    platform::Canvas* c = Immediate();
    // Drawn in invert mode: the old band is erased by drawing it again.
    if (c) {
        platform::Pen pen;
        pen.Width = 1;
        pen.Mode = platform::PenMode::Invert;
        c->SetPen(pen);
        DrawRectangle(m.RubberStart.X, m.RubberStart.Y, m.RubberEnd.X, m.RubberEnd.Y);
    }
    m.RubberEnd = {x, y};
    DrawRectangle(m.RubberStart.X, m.RubberStart.Y, m.RubberEnd.X, m.RubberEnd.Y);
}

void TFtelmgra::FormMouseUp(platform::MouseButton, int x, int y)
{
    if (!Dragging) return;
    auto& m = M();
    m.RubberEnd = {x, y};
    Dragging = false;
    if (OnImmediateDone) OnImmediateDone();
    const platform::Point s = m.RubberStart, e = m.RubberEnd;
    if (s.X == e.X || s.Y == e.Y) return;
    SetWaitCursor();
    // The band's corners go back through the current mapping to world
    // points and on to the zoom rectangle's units, so the band fills the
    // viewport whatever the picture's proportions and the zoom already set.
    const TPixelRect vp = m.GraphViewport;
    const TWorldRect gw = m.GraphWorldWindow;
    if (gw.x2 == gw.x1 || gw.y2 == gw.y1 || m.GraphXScale == 0 || m.GraphYScale == 0) return;
    auto devX = [&](int px) {
        const Extended wx = m.WorldXMin + (px - vp.x1) / m.GraphXScale;
        return vp.x1 + (wx - gw.x1) / (gw.x2 - gw.x1) * (vp.x2 - vp.x1);
    };
    auto devY = [&](int py) {
        const Extended wy = m.WorldYMin + (vp.y2 - py) / m.GraphYScale;
        return vp.y1 + (wy - gw.y1) / (gw.y2 - gw.y1) * (vp.y2 - vp.y1);
    };
    const Extended x1 = devX(std::min(s.X, e.X)), x2 = devX(std::max(s.X, e.X));
    const Extended y1 = devY(std::max(s.Y, e.Y)), y2 = devY(std::min(s.Y, e.Y));
    constexpr Extended lim = 1073741824.0L;
    for (Extended v : {x1, y1, x2, y2})
        if (!(std::fabs(v) < lim)) return;
    m.SetScale(static_cast<int32_t>(std::rint(x1)), static_cast<int32_t>(std::rint(y1)),
               static_cast<int32_t>(std::rint(x2)), static_cast<int32_t>(std::rint(y2)));
    Repaint();
}

void TFtelmgra::FormDblClick()
{
    DoubleClicked = true;
}
