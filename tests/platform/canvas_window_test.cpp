#include <gtest/gtest.h>

#include "platform/headless/platform_headless.h"

using namespace platform;

TEST(Colour, TheProgramsIntegerHoldsBlueGreenRed)
{
    struct Case {
        std::int32_t value;
        Colour colour;
    } cases[] = {
        {0x000000, {0, 0, 0}},       {0x0000FF, {255, 0, 0}},     {0x00FF00, {0, 255, 0}},
        {0xFF0000, {0, 0, 255}},     {0x800000, {0, 0, 128}},     {0x00FFFF, {255, 255, 0}},
        {0xC0C0C0, {192, 192, 192}}, {0xFFFFFF, {255, 255, 255}}, {0x123456, {0x56, 0x34, 0x12}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Colour::FromBgr(c.value), c.colour) << std::hex << c.value;
        EXPECT_EQ(c.colour.ToBgr(), c.value) << std::hex << c.value;
    }
}

TEST(HeadlessCanvas, RecordsEveryCallInOrder)
{
    CanvasImplHeadless canvas(200, 100);
    canvas.SetPen({Colour{255, 0, 0}, 2, PenStyle::Dash, PenMode::Copy});
    canvas.Line(0, 0, 10, 5);
    canvas.Circle(50, 50, 10);
    canvas.Arc({0, 0, 20, 20}, {20, 10}, {10, 0});
    canvas.SetBrush({Colour{0, 0, 255}, BrushStyle::Clear});
    canvas.Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    Font f;
    f.Height = 20;
    f.Width = 8;
    f.Escapement = 900;
    canvas.SetFont(f);
    canvas.TextOut(5, 6, "z=17");
    canvas.Clear(Colour{255, 255, 255});
    std::vector<std::string> expected = {
        "pen 255,0,0 2 dash copy",
        "moveto 0 0",
        "lineto 10 5",
        "ellipse 40 40 60 60",
        "arc 0 0 20 20 20 10 10 0",
        "brush 0,0,255 clear",
        "polygon 4 0 0 10 0 10 10 0 10",
        "font Arial 20 8 900 400 0,0,0",
        "text 5 6 z=17",
        "clear 255,255,255",
    };
    EXPECT_EQ(canvas.Records(), expected);
    EXPECT_EQ(canvas.CurrentPosition(), (Point{10, 5}));
    EXPECT_EQ(canvas.Width(), 200);
    EXPECT_EQ(canvas.Height(), 100);
}

TEST(HeadlessWindow, PaintsThroughItsHandlerOnlyWhenAsked)
{
    WindowImplHeadless w;
    int paints = 0;
    w.OnPaint = [&](Canvas& c) {
        ++paints;
        c.Line(0, 0, c.Width() - 1, c.Height() - 1);
    };
    w.SetTitle("QYR7 - Radi Divivuzez Orude");
    w.Invalidate();
    w.Invalidate();
    EXPECT_EQ(paints, 0);
    EXPECT_EQ(w.Invalidations(), 2);
    w.SetClientSize(321, 241);
    auto& canvas = w.Paint();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(canvas.Records(), (std::vector<std::string>{"moveto 0 0", "lineto 320 240"}));
    EXPECT_EQ(w.Title(), "QYR7 - Radi Divivuzez Orude");
    EXPECT_EQ(w.ClientWidth(), 321);
    EXPECT_EQ(w.ClientHeight(), 241);
}

TEST(HeadlessWindow, CloseQueryCanKeepTheWindowOpen)
{
    WindowImplHeadless w;
    bool allow = false;
    w.OnCloseQuery = [&] { return allow; };
    w.Show();
    w.Close();
    EXPECT_TRUE(w.Visible());
    allow = true;
    w.Close();
    EXPECT_FALSE(w.Visible());
}

TEST(HeadlessPrinter, KeepsThePagesOfEachDocument)
{
    PlatformHeadless headless(HeadlessMode::Scripted);
    Printer& p = headless.Print();
    EXPECT_TRUE(p.ChoosePrinter());
    ASSERT_TRUE(p.BeginDoc("Report"));
    EXPECT_TRUE(p.Printing());
    EXPECT_FALSE(p.BeginDoc("second")) << "one document at a time";
    p.PageCanvas().TextOut(100, 100, "page 1");
    p.NewPage();
    p.PageCanvas().TextOut(100, 100, "page 2");
    p.EndDoc();
    EXPECT_FALSE(p.Printing());
    // A4 at 300 dpi: 210 mm / 25.4 * 300 = 2480 pixels, 297 mm = 3508 pixels.
    EXPECT_EQ(p.PageWidthPixels(), 2480);
    EXPECT_EQ(p.PageHeightPixels(), 3508);
    EXPECT_DOUBLE_EQ(p.PageWidthMm(), 210.0);
    const auto& docs = headless.HeadlessPrinter().PrintedDocuments();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0].Title, "Report");
    ASSERT_EQ(docs[0].Pages.size(), 2u);
    EXPECT_EQ(docs[0].Pages[1]->Records(), std::vector<std::string>{"text 100 100 page 2"});
}

TEST(HeadlessPrinter, AnAbortedDocumentIsNotPrinted)
{
    PlatformHeadless headless(HeadlessMode::Scripted);
    headless.Print().BeginDoc("x");
    headless.Print().PageCanvas().Line(0, 0, 1, 1);
    headless.Print().Abort();
    EXPECT_FALSE(headless.Print().Printing());
    EXPECT_TRUE(headless.HeadlessPrinter().PrintedDocuments().empty());
}

TEST(HeadlessDesktop, CursorClipboardAndBeep)
{
    PlatformHeadless headless(HeadlessMode::Scripted);
    headless.ScreenCursor().Set(CursorShape::Hourglass);
    EXPECT_EQ(headless.ScreenCursor().Current(), CursorShape::Hourglass);
    headless.ScreenCursor().Set(CursorShape::Arrow);
    EXPECT_EQ(headless.HeadlessCursor().History(),
              (std::vector<CursorShape>{CursorShape::Hourglass, CursorShape::Arrow}));
    headless.Clip().SetText("m = 3 mm\r\nz = 17");
    EXPECT_EQ(headless.Clip().Text(), "m = 3 mm\r\nz = 17");
    headless.Bell().Beep();
    headless.Bell().Beep();
    EXPECT_EQ(headless.HeadlessSound().Beeps(), 2);
}

TEST(HeadlessLauncher, ScriptedLaunchesAreRecordedNotStarted)
{
    PlatformHeadless headless(HeadlessMode::Scripted);
    headless.HeadlessLauncher().QueueResult({false, 2, "program x not found or not executable"});
    LaunchResult first = headless.Launch().StartProgram("x", {"a b", "c"});
    EXPECT_FALSE(first.Started);
    EXPECT_EQ(first.Message, "program x not found or not executable");
    EXPECT_TRUE(headless.Launch().OpenDocument("/tmp/report.html").Started);
    const auto& l = headless.HeadlessLauncher().Launches();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].Arguments, (std::vector<std::string>{"a b", "c"}));
    EXPECT_EQ(l[1].Document, "/tmp/report.html");
}
