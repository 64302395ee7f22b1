// The replay of the display list onto recording canvases: what the window
// and the printer are asked to draw, the event rounds of a long list, the
// step dialog, and the zoom and pan that only change the mapping.
#include "graphwindow_testsupport.h"

#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace
{

class GraphReplayTest : public GraphWindowTest
{
  protected:
    void SetUp() override
    {
        GraphWindowTest::SetUp();
        platform_.HeadlessWindow().OnPaint = [](platform::Canvas& c) { FTelmgra.FormPaint(c); };
    }
    void TearDown() override
    {
        platform_.HeadlessWindow().OnPaint = nullptr;
        GraphWindowTest::TearDown();
    }
    std::vector<std::string> Paint() { return platform_.HeadlessWindow().Paint().Records(); }
    static std::string Joined(const std::vector<std::string>& lines)
    {
        std::string s;
        for (const auto& l : lines)
            s += l + "\n";
        return s;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    using Side = std::array<int, 4>; // x1, y1, x2, y2, the lesser end first
    // The lines drawn as a move and a line, sorted.
    static std::vector<Side> Sides(const std::vector<std::string>& lines)
    {
        std::vector<Side> sides;
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            Side s{};
            if (std::sscanf(lines[i].c_str(), "moveto %d %d", &s[0], &s[1]) == 2 &&
                std::sscanf(lines[i + 1].c_str(), "lineto %d %d", &s[2], &s[3]) == 2)
                sides.push_back(std::min(s, Side{s[2], s[3], s[0], s[1]}));
        }
        std::sort(sides.begin(), sides.end());
        return sides;
    }
    static std::vector<Side> Outline(int Left, int Top, int Right, int Bottom)
    {
        return {{Left, Top, Left, Bottom},
                {Left, Top, Right, Top},
                {Left, Bottom, Right, Bottom},
                {Right, Top, Right, Bottom}};
    }
    // One pixel per world unit on the whole 640 x 480 area, no aspect.
    static void PixelWorld() { GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 640, 480); }
};

TEST_F(GraphReplayTest, ReplayDrawsTheGoldenCanvasCalls)
{
    TGraphFacade& w = GraphFacade;
    w.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 64, 48); // 10 pixels per unit
    w.SetColor(12);
    w.Line(10, 10, 20, 20);
    w.Circle(32, 24, 5);
    w.SetLineStyle(3);
    w.SetLineWidth(2);
    w.Arc(32, 24, 0, 90, 5);
    w.SetTextStyle(0, 0, 2.5L, 2.5L); // height 2.5 * 1.6 = 4, width 2.5 * 1.1 * 0.8 = 2.2
    w.OutTextXY(10, 20, "a;b");
    w.SetTextStyle(0, 90, 2.5L, 2.5L);
    w.OutTextXY(10, 20, "v");
    w.SetColor(0);
    w.Solid(0, 0, 1, 0, 1, 1, 0, 1);
    w.SleepMs(10);
    ExpectGraphGolden("graphwindow_replay.txt", Joined(Paint()));
    // The replay makes the next style and width calls record again.
    EXPECT_EQ(DisplayList.CurrentLineStyle, 99);
    EXPECT_EQ(DisplayList.CurrentLineWidth, 1);
    EXPECT_EQ(platform_.HeadlessCursor().Current(), platform::CursorShape::Default);
}

TEST_F(GraphReplayTest, PrintoutUsesFourfoldPenAndSkipsPauses)
{
    PixelWorld();
    GraphFacade.SetLineWidth(2);
    GraphFacade.Line(12, 420, 20, 400);
    GraphFacade.SleepMs(500);
    int pauses = 0;
    FTelmgra.OnPause = [&](int32_t) { ++pauses; };
    ASSERT_TRUE(FTelmgra.PrintPicture("graphics"));
    EXPECT_EQ(pauses, 0);
    EXPECT_FALSE(graphmapping.GraphPrintMode);
    const auto& docs = platform_.HeadlessPrinter().PrintedDocuments();
    ASSERT_EQ(docs.size(), 1u);
    ASSERT_EQ(docs[0].Pages.size(), 1u);
    const auto& page = docs[0].Pages[0]->Records();
    EXPECT_TRUE(Has(page, "pen 0,0,0 8 solid copy")) << Joined(page); // monochrome print, 4 x 2 pixels
    // A4 at 300 dpi (2480 x 3508) over 640 x 480: x 12 -> 46.5 and y 480 - 420
    // -> 438.5 round to the even 46 and 438; x 20 -> 77.5 -> 78, y 80 -> 584.67.
    EXPECT_TRUE(Has(page, "moveto 46 438")) << Joined(page);
    EXPECT_TRUE(Has(page, "lineto 78 585")) << Joined(page);
    // Pauses count on the screen.
    Paint();
    EXPECT_EQ(pauses, 1);
}

TEST_F(GraphReplayTest, PrintBorderAndOriginOnThePrinter)
{
    printsettings.PrintBorder = true;
    printsettings.PrintOriginX = 21; // 21 mm of 210 on 2480 pixels: 248
    printsettings.PrintOriginY = 42; // counted on the page width too: 496
    PixelWorld();
    ASSERT_TRUE(FTelmgra.PrintPicture("graphics"));
    const auto& page = platform_.HeadlessPrinter().PrintedDocuments().at(0).Pages.at(0)->Records();
    // Outline of the world window in colour 11 (cyan), from (0, 0) up. The origin carries its
    // bottom and right sides (496 + 3508, 248 + 2480) past the page: they run along its last
    // row and column.
    EXPECT_TRUE(Has(page, "pen 0,255,255 1 solid copy")) << Joined(page);
    EXPECT_TRUE(Has(page, "moveto 248 3507")) << Joined(page);
    EXPECT_TRUE(Has(page, "lineto 248 496")) << Joined(page);
    EXPECT_TRUE(Has(page, "lineto 2479 496")) << Joined(page);
}

// The border's four sides on the world window's outline, pulled onto the page where the scale carries them
// past: a square window on 640 x 480 spans x 1 .. 479, y 479 .. 1; on A4 at 300 dpi x 3.9 .. 1856 (x 2:
// 7.75 .. 3712), y 7.3 .. 3500.7. A sheet's frame drawn into the picture prints so without the border.
TEST_F(GraphReplayTest, PrintBorderHasItsFourSidesOnTheWorldWindowsOutline)
{
    const struct {
        Extended ScaleX;
        int Left, Top, Right, Bottom;
        bool SheetFrame;
    } cases[] = {{1, 4, 7, 1856, 3501, false}, {2, 8, 7, 2479, 3501, false}, {2, 8, 7, 2479, 3501, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(double(c.ScaleX) + c.SheetFrame * 10);
        GraphFacade.Clear();
        printsettings.PrintBorder = true;
        printsettings.PrintScaleX = c.ScaleX;
        GraphFacade.Header(0, 0, 100, 100);
        if (c.SheetFrame) {
            cadsettings.SheetShowFooter = true;
            CadOpenOutput(3);
            CadBeginDrawing(0, 0, 100, 100, 0);
            CadCloseOutput();
            printsettings.PrintBorder = false;
        }
        ASSERT_TRUE(FTelmgra.PrintPicture("graphics"));
        const auto& page = platform_.HeadlessPrinter().PrintedDocuments().back().Pages.at(0)->Records();
        EXPECT_EQ(Sides(page), Outline(c.Left, c.Top, c.Right, c.Bottom)) << Joined(page);
        if (c.SheetFrame) EXPECT_EQ(Sides(Paint()), Outline(1, 1, 479, 479));
    }
}

// A sheet's frame drawn wide (4 printer pixels for the layer's width 1 after a wider line, 8 for width 2)
// with its right side (x 1.9: 7.4 .. 3527 on A4 at 300 dpi) or bottom (y 2: .. 7001) past the page paints up
// to the page's last pixel (2479, 3507) and no further: a line on x paints x - W / 2 .. x + (W - 1) / 2. An
// origin 10 mm before the page (-118 pixels) pulls the left side and top onto it: painted from pixel 0 on.
TEST_F(GraphReplayTest, WideSheetFramePaintsWithinThePrintableArea)
{
    const struct {
        Extended ScaleX, ScaleY;
        int LayerWidth, Pixels, OriginMm = 0;
    } cases[] = {{1.9L, 1, 1, 4}, {1, 2, 2, 8}, {1.9L, 2, 2, 8, -10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Pixels);
        printsettings.PrintBorder = true;
        printsettings.PrintScaleX = c.ScaleX;
        printsettings.PrintScaleY = c.ScaleY;
        printsettings.PrintOriginX = printsettings.PrintOriginY = c.OriginMm;
        cadsettings.SheetShowFooter = true;
        cadsettings.LayerPenWidths16[19] = c.LayerWidth;
        CadOpenOutput(3);
        GraphFacade.SetLineWidth(3);
        CadBeginDrawing(0, 0, 100, 100, 0);
        CadCloseOutput();
        printsettings.PrintBorder = false;
        ASSERT_TRUE(FTelmgra.PrintPicture("graphics"));
        const auto& page = platform_.HeadlessPrinter().PrintedDocuments().back().Pages.at(0)->Records();
        EXPECT_TRUE(Has(page, "pen 0,0,0 " + std::to_string(c.Pixels) + " solid copy")) << Joined(page);
        int w = 1, x = 0, y = 0, px = 0, py = 0, least = 0, right = 0, bottom = 0;
        for (const auto& l : page) {
            std::sscanf(l.c_str(), "pen %*d,%*d,%*d %d", &w);
            if (std::sscanf(l.c_str(), "lineto %d %d", &px, &py) == 2) {
                least = std::min({least, x - w / 2, y - w / 2, px - w / 2, py - w / 2});
                right = std::max({right, x + (w - 1) / 2, px + (w - 1) / 2});
                bottom = std::max({bottom, y + (w - 1) / 2, py + (w - 1) / 2});
            }
            std::sscanf(l.c_str(), "%*s %d %d", &x, &y);
        }
        EXPECT_EQ(least, 0) << Joined(page);
        EXPECT_EQ(c.ScaleX > 1 ? right : bottom, c.ScaleX > 1 ? 2479 : 3507) << Joined(page);
        EXPECT_LE(std::max(right - 2479, bottom - 3507), 0) << Joined(page);
    }
}

// A zoomed region that the print scales would carry past the page is fitted onto it and ends on its last
// column or row, never one pixel beyond (A4 at 300 dpi, 2480 x 3508): the region's diagonal at scale x 2
// spans 2 * 2480 pixels (fit 2479 / 4960: y 3508 * 2479 / 4960 = 1753.3), at scale y 2 2 * 3508 (fit
// 3507 / 7016: x 2480 * 3507 / 7016 = 1239.6).
TEST_F(GraphReplayTest, ZoomedRegionEndsOnThePagesLastColumnOrRow)
{
    const struct {
        Extended ScaleX, ScaleY;
        const char *From, *To;
    } cases[] = {{2, 1, "moveto 0 1753", "lineto 2479 0"}, {1, 2, "moveto 0 3507", "lineto 1240 0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.To);
        GraphFacade.Clear();
        PixelWorld();
        FTelmgra.processKey(vk::Add); // the region 54 .. 586, 40 .. 440
        const TGraphMapping& m = graphmapping;
        GraphFacade.Line(m.WorldXMin, m.WorldYMin, m.WorldXMax, m.WorldYMax);
        printsettings.PrintBorder = false;
        printsettings.PrintScaleX = c.ScaleX;
        printsettings.PrintScaleY = c.ScaleY;
        ASSERT_TRUE(FTelmgra.PrintPicture("graphics"));
        const auto& page = platform_.HeadlessPrinter().PrintedDocuments().back().Pages.at(0)->Records();
        EXPECT_TRUE(Has(page, c.From) && Has(page, c.To)) << Joined(page);
    }
}

TEST_F(GraphReplayTest, LongListLetsEventsThroughEvery50000Records)
{
    PixelWorld();
    for (int i = 0; i < 120000; ++i)
        GraphFacade.Line(0, 0, 1, 1);
    const int before = platform_.HeadlessWindow().EventRounds();
    Paint();
    EXPECT_EQ(platform_.HeadlessWindow().EventRounds() - before, 3); // before 0, 50000, 100000
}

TEST_F(GraphReplayTest, ClearOrCloseDuringEventsEndsTheReplay)
{
    for (int mode = 0; mode < 2; ++mode) {
        SCOPED_TRACE(mode == 0 ? "clear" : "close");
        GraphFacade.Clear();
        PixelWorld();
        for (int i = 0; i < 120000; ++i)
            GraphFacade.Line(0, 0, 1, 1);
        int rounds = 0;
        FTelmgra.OnPendingEvents = [&] {
            if (++rounds == 2) {
                if (mode == 0)
                    GraphFacade.Clear(); // a menu command starting a new picture
                else
                    FTelmgra.FormClose();
            }
        };
        const auto recs = Paint();
        const auto lines =
            std::count_if(recs.begin(), recs.end(), [](auto& r) { return r.rfind("lineto", 0) == 0; });
        EXPECT_EQ(lines, 49999); // records 0..49999: the window and 49999 lines
        EXPECT_EQ(rounds, 2);
        FTelmgra.OnPendingEvents = nullptr;
    }
}

TEST_F(GraphReplayTest, StepDialogStopsAtErasesUntilEnded)
{
    PixelWorld();
    for (int frame = 0; frame < 3; ++frame) {
        GraphFacade.SetColor(0);
        GraphFacade.Line(frame, 0, frame, 10);
        GraphFacade.SetColor(15);
        GraphFacade.Line(frame, 0, frame, 10);
    }
    FTelmgra.StepMode = true;
    auto& dialogs = platform_.HeadlessDialogs();
    dialogs.QueueScript([](platform::DialogModel& m) {
        dynamic_cast<TForm_anistep&>(m).Button_nextstepClick();
        return platform::DialogResult::Ok;
    });
    dialogs.QueueScript([](platform::DialogModel& m) {
        dynamic_cast<TForm_anistep&>(m).Button_endstepClick();
        return platform::DialogResult::Cancel;
    });
    Paint();
    ASSERT_EQ(dialogs.ShownDialogs().size(), 2u); // the third erase runs through
    EXPECT_EQ(dialogs.ShownDialogs()[0].FormName, "TForm_anistep");
    EXPECT_EQ(dialogs.ShownDialogs()[0].Caption, "Animation");
    EXPECT_FALSE(FTelmgra.StepMode);
}

// Escape while an animation plays: its frame on the screen stays as the last
// one, and the frames after it are gone from the list.
TEST_F(GraphReplayTest, EscapeEndsAnAnimationAtTheFrameShown)
{
    PixelWorld();
    for (int frame = 0; frame < 3; ++frame) {
        GraphFacade.Line(frame, 0, frame, 10);
        GraphFacade.SleepMs(0);
        GraphFacade.SetColor(0);
        GraphFacade.Line(frame, 0, frame, 10);
        GraphFacade.SetColor(15);
    }
    const size_t firstPause = 3; // window, line, pause
    FTelmgra.OnPause = [](int32_t) { FTelmgra.FormKeyDown(platform::KeyEvent{platform::Key::Escape}); };
    const auto recs = Paint();
    FTelmgra.OnPause = nullptr;
    EXPECT_EQ(DisplayList.Records.size(), firstPause);
    EXPECT_EQ(std::count_if(recs.begin(), recs.end(), [](auto& r) { return r.rfind("lineto", 0) == 0; }), 1);
}

TEST_F(GraphReplayTest, ZeroWindowRecordEndsTheReplay)
{
    PixelWorld();
    GraphFacade.Line(0, 0, 1, 1);
    DisplayList.Records.push_back("10;0;0;640;480;0;0;0;480");
    GraphFacade.Line(2, 2, 3, 3);
    telmvar.Aborted = false;
    const auto recs = Paint();
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(Has(recs, "lineto 1 479"));
    EXPECT_FALSE(Has(recs, "lineto 3 477"));
    EXPECT_EQ(platform_.HeadlessCursor().Current(), platform::CursorShape::Default);
}

TEST_F(GraphReplayTest, DeepZoomKeepsPixelsInRangeAndLinesStraight)
{
    PixelWorld();
    GraphFacade.Line(0, 0, 640, 480);
    GraphFacade.Line(320, 240, 1e9L, 240); // 1e9 units at hundreds of pixels each
    for (int i = 0; i < 60; ++i)
        FTelmgra.processKey(vk::Add); // down to a zoom rectangle of a few pixels
    const auto recs = Paint();
    bool clipped = false;
    for (size_t i = 0; i + 1 < recs.size(); ++i) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (std::sscanf(recs[i].c_str(), "moveto %d %d", &x1, &y1) != 2 ||
            std::sscanf(recs[i + 1].c_str(), "lineto %d %d", &x2, &y2) != 2)
            continue;
        for (int v : {x1, y1, x2, y2})
            EXPECT_LE(std::abs(v), 4194304) << recs[i] << " / " << recs[i + 1];
        if (x2 == 4194304) {
            clipped = true;
            EXPECT_EQ(y1, y2) << "the horizontal line bent at the clip";
        }
    }
    EXPECT_TRUE(clipped);
}

TEST_F(GraphReplayTest, ZoomAndPanKeysChangeOnlyTheMapping)
{
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 640, 480);
    const size_t records = DisplayList.Records.size();
    struct Step {
        uint16_t key;
        TPixelRect dev;
        char ch, scan;
    };
    // ZoomIncrement 1.2, PanFactor 0.1 on the zoom rectangle (0, 0, 640, 480).
    const std::vector<Step> steps = {
        {vk::Add, {54, 40, 586, 440}, '+', ' '},        {vk::Escape, {0, 0, 640, 480}, 0, '?'},
        {vk::Subtract, {-64, -48, 704, 528}, '-', ' '}, {vk::F5, {0, 0, 640, 480}, 0, '?'},
        {vk::Left, {64, 0, 704, 480}, 0, 'K'},          {vk::Right, {0, 0, 640, 480}, 0, 'M'},
        {vk::Up, {0, -48, 640, 432}, 0, 'H'},           {vk::Down, {0, 0, 640, 480}, 0, 'P'},
        {vk::PageUp, {0, -240, 640, 240}, 0, 'I'},      {vk::PageDown, {0, 0, 640, 480}, 0, 'Q'},
        {65 /* A */, {0, 0, 640, 480}, 0, 'Q'}, // not a zoom key: nothing, not the last step again
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.key);
        FTelmgra.processKey(s.key);
        const auto& m = graphmapping;
        EXPECT_EQ((TPixelRect{m.DevXMin, m.DevYMin, m.DevXMax, m.DevYMax}), s.dev);
        EXPECT_EQ(telmvar.LastKeyChar, s.ch);
        EXPECT_EQ(telmvar.LastKeyScan, s.scan);
    }
    EXPECT_EQ(DisplayList.Records.size(), records);
    // The zoomed window: (54, 40) is now the viewport's lower left corner.
    FTelmgra.processKey(vk::Add);
    EXPECT_EQ(FTelmgra.ScreenX(54), 0);
    EXPECT_EQ(FTelmgra.ScreenY(40), 480);
}

void Mouse(platform::MouseAction action, platform::MouseButton button, int x, int y)
{
    platform::MouseEvent e;
    e.Action = action;
    e.Button = button;
    e.X = x;
    e.Y = y;
    FTelmgra.FormMouse(e);
}

// A marked region of a wide and of a tall picture, framed by a rubber band
// through the screen mapping, must fill the view with its lower left corner
// at the viewport's lower left corner.
struct BandCase {
    const char* name;
    long double w, h;               // world window (0, 0)-(w, h)
    long double rx1, ry1, rx2, ry2; // marked region
};

class RubberBandTest : public GraphReplayTest, public ::testing::WithParamInterface<BandCase>
{
};

TEST_P(RubberBandTest, BandZoomsOntoTheMarkedRegion)
{
    const BandCase& c = GetParam();
    // A framed viewport of 800 x 600 pixels: the region's corners fall on
    // whole pixels, so the band frames it exactly.
    telmvar.ScreenPixelsX = 802;
    telmvar.ScreenPixelsY = 602;
    GraphFacade.Header(0, 0, c.w, c.h);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "first band" : "band in the zoomed view");
        const int sx = FTelmgra.ScreenX(c.rx1), sy = FTelmgra.ScreenY(c.ry2);
        const int ex = FTelmgra.ScreenX(c.rx2), ey = FTelmgra.ScreenY(c.ry1);
        Mouse(platform::MouseAction::Press, platform::MouseButton::Left, sx, sy);
        Mouse(platform::MouseAction::Move, platform::MouseButton::None, ex, ey);
        Mouse(platform::MouseAction::Release, platform::MouseButton::Left, ex, ey);
        EXPECT_FALSE(FTelmgra.Dragging);
        const TPixelRect vp = graphmapping.GraphViewport;
        EXPECT_NEAR(FTelmgra.ScreenX(c.rx1), vp.x1, 1);
        EXPECT_NEAR(FTelmgra.ScreenY(c.ry1), vp.y2, 1);
        // The region fills the view in one direction and fits in the other.
        const int rx2 = FTelmgra.ScreenX(c.rx2), ry2 = FTelmgra.ScreenY(c.ry2);
        EXPECT_LE(rx2, vp.x2 + 1);
        EXPECT_GE(ry2, vp.y1 - 1);
        EXPECT_TRUE(std::abs(rx2 - vp.x2) <= 1 || std::abs(ry2 - vp.y1) <= 1) << rx2 << " " << ry2;
    }
    // The right button resets the zoom.
    Mouse(platform::MouseAction::Press, platform::MouseButton::Right, 5, 5);
    EXPECT_EQ(FTelmgra.ScreenX(0), graphmapping.GraphViewport.x1);
}

INSTANTIATE_TEST_SUITE_P(Pictures, RubberBandTest,
                         ::testing::Values(BandCase{"Wide4to1", 400, 100, 100, 20, 200, 70},
                                           BandCase{"Tall1to4", 100, 400, 20, 100, 70, 180}),
                         [](const ::testing::TestParamInfo<BandCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(GraphReplayTest, DoubleClickRestoresTheSavedWindow)
{
    GraphFacade.Header(0, 0, 160, 120);
    FTelmgra.processKey(vk::Add);
    Mouse(platform::MouseAction::Press, platform::MouseButton::Left, 10, 10);
    Mouse(platform::MouseAction::Release, platform::MouseButton::Left, 10, 10);
    EXPECT_FALSE(FTelmgra.Dragging);
    Mouse(platform::MouseAction::DoubleClick, platform::MouseButton::Left, 10, 10);
    EXPECT_FALSE(FTelmgra.DoubleClicked);
    // RestoreLimit and ReSetWindow each record a window.
    const auto& list = DisplayList.Records;
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[list.size() - 2], "10;1;1;639;479;0;0;160;120");
    EXPECT_EQ(list.back(), "10;0;0;640;480;0;0;1;1");
}

} // namespace
