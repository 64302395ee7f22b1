// The graphics window on the Qt platform, offscreen: the replayed picture
// as the user sees it (the client area grabbed), zoom and pan keys, the
// rubber band, the step dialog, the printout to PDF judged by poppler, and
// the start logo of a fresh start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "../common/tempdir.h"
#include "app/configio.h"
#include "app/programidentity.h"
#include "app/qt/mainform_qt.h"
#include "app/startup.h"
#include "app/windowplacement.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/planetanimation.h"
#include "drawings/tooth/meshanimation.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/anistep.h"
#include "graphics/graphfacade.h"
#include "graphics/graphmapping.h"
#include "graphics/graphsettings.h"
#include "graphics/graphwindow.h"
#include "graphics/printconf.h"
#include "graphics/qt/anistep_qt.h"
#include "graphics/qt/graphwindow_qt.h"
#include "planetary/meshtransfer.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "platform/qt/platform_qt.h"
#include "qtfixture.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"
#include "reports/textview/showtextfile.h"

using namespace platform;

namespace
{

const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);

struct Bounds {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Empty() const { return right < 0; }
};

Bounds BoundsOf(const QImage& image, const std::function<bool(QColor)>& match)
{
    Bounds b;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y))) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

class GraphWindowQtTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        qt_ = std::make_unique<PlatformQt>();
        scope_ = std::make_unique<ScopedPlatform>(*qt_);
        binding_ = InstallGraphWindowQt(*qt_);
        graphmapping.PixelAspect = 1; // square pixels whatever the test screen says
        Area(640, 480);
    }
    void TearDown() override
    {
        binding_.reset();
        scope_.reset();
        qt_.reset();
    }
    // A drawing area of w x h pixels in a client area one pixel larger.
    void Area(int w, int h)
    {
        telmvar.ScreenPixelsX = static_cast<uint16_t>(w);
        telmvar.ScreenPixelsY = static_cast<uint16_t>(h);
        qt_->MainWindow().SetClientSize(w + 1, h + 1);
        qt_->MainWindow().Show();
        QApplication::processEvents();
        qt_->QtMainWindow().ClientArea().resize(w + 1, h + 1);
    }
    QWidget& ClientArea() { return qt_->QtMainWindow().ClientArea(); }
    // The picture as the window shows it, after the replay.
    QImage Shown()
    {
        binding_->ReplayNow();
        QApplication::processEvents();
        return ClientArea().grab().toImage();
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(&ClientArea(), &e);
    }
    void MouseEvent(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(x, y), ClientArea().mapToGlobal(QPointF(x, y)), button, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(&ClientArea(), &e);
    }

    std::unique_ptr<PlatformQt> qt_;
    std::unique_ptr<ScopedPlatform> scope_;
    std::unique_ptr<GraphWindowQt> binding_;
};

TEST_F(GraphWindowQtTest, RedLineLandsOnItsComputedPixels)
{
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 640, 480); // one pixel per unit
    GraphFacade.SetColor(12);
    GraphFacade.Line(10, 10, 200, 10); // y 10 is pixel row 480 - 10
    const QImage img = Shown();
    EXPECT_EQ(img.pixelColor(10, 470), Red);
    EXPECT_EQ(img.pixelColor(100, 470), Red);
    EXPECT_EQ(img.pixelColor(200, 470), Red);
    EXPECT_NE(img.pixelColor(100, 469), Red);
    EXPECT_NE(img.pixelColor(100, 471), Red);
    EXPECT_NE(img.pixelColor(202, 470), Red);
    const Bounds b = BoundsOf(img, [](QColor c) { return c == Red; });
    EXPECT_EQ(b.left, 10);
    EXPECT_EQ(b.right, 200);
    EXPECT_EQ(b.top, 470);
    EXPECT_EQ(b.bottom, 470);
}

TEST_F(GraphWindowQtTest, CircleIsRoundOnAWideDrawingArea)
{
    Area(1911, 949);
    GraphFacade.Header(0, 0, 100, 100);
    GraphFacade.SetColor(15);
    GraphFacade.Circle(50, 50, 40);
    const Bounds b = BoundsOf(Shown(), [](QColor c) { return c == White; });
    ASSERT_FALSE(b.Empty());
    // 80 units at 947 / 100 pixels each: about 758 pixels across and down.
    EXPECT_NEAR(b.Height(), 758, 2);
    EXPECT_LE(std::abs(b.Width() - b.Height()), 1) << b.Width() << " x " << b.Height();
}

TEST_F(GraphWindowQtTest, KeypadPlusZoomsAndEscRestores)
{
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 640, 480);
    GraphFacade.SetColor(12);
    GraphFacade.Line(100, 100, 300, 100);
    const QImage before = Shown();
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(
        (TPixelRect{graphmapping.DevXMin, graphmapping.DevYMin, graphmapping.DevXMax, graphmapping.DevYMax}),
        (TPixelRect{54, 40, 586, 440}));
    const QImage zoomed = Shown();
    // (100, 100) moves to ((100 - 54) * 640 / 532, 480 - (100 - 40) * 1.2).
    EXPECT_EQ(zoomed.pixelColor(55, 408), Red);
    EXPECT_NE(zoomed, before);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Shown(), before);
}

struct BandCase {
    const char* name;
    long double w, h;
    long double rx1, ry1, rx2, ry2;
};

class GraphWindowBandTest : public GraphWindowQtTest, public ::testing::WithParamInterface<BandCase>
{
};

TEST_P(GraphWindowBandTest, RubberBandZoomsOntoTheMarkedRegion)
{
    const BandCase& c = GetParam();
    Area(802, 602); // a framed viewport of 800 x 600
    GraphFacade.Header(0, 0, c.w, c.h);
    GraphFacade.SetColor(12);
    GraphFacade.Solid(c.rx1, c.ry1, c.rx2, c.ry1, c.rx2, c.ry2, c.rx1, c.ry2);
    const QImage before = Shown();
    const Bounds marked = BoundsOf(before, [](QColor q) { return q == Red; });
    ASSERT_FALSE(marked.Empty());
    MouseEvent(QEvent::MouseButtonPress, marked.left, marked.top, Qt::LeftButton, Qt::LeftButton);
    MouseEvent(QEvent::MouseMove, marked.right, marked.bottom, Qt::NoButton, Qt::LeftButton);
    // The band is painted over the picture, not into it.
    QApplication::processEvents();
    const QImage during = ClientArea().grab().toImage();
    EXPECT_NE(during.pixelColor(marked.left, (marked.top + marked.bottom) / 2), Red);
    EXPECT_EQ(binding_->Picture().pixelColor(marked.left, (marked.top + marked.bottom) / 2), Red);
    MouseEvent(QEvent::MouseButtonRelease, marked.right, marked.bottom, Qt::LeftButton, Qt::NoButton);
    const Bounds zoomed = BoundsOf(Shown(), [](QColor q) { return q == Red; });
    const TPixelRect vp = graphmapping.GraphViewport;
    // The region's lower left corner at the viewport's, and the region
    // filling the view in one direction.
    EXPECT_NEAR(zoomed.left, vp.x1, 1);
    EXPECT_NEAR(zoomed.bottom, vp.y2, 1);
    EXPECT_TRUE(std::abs(zoomed.right - vp.x2) <= 1 || std::abs(zoomed.top - vp.y1) <= 1)
        << zoomed.right << " " << zoomed.top;
    // The right button restores the whole picture.
    MouseEvent(QEvent::MouseButtonPress, 10, 10, Qt::RightButton, Qt::RightButton);
    MouseEvent(QEvent::MouseButtonRelease, 10, 10, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(Shown(), before);
}

INSTANTIATE_TEST_SUITE_P(Pictures, GraphWindowBandTest,
                         ::testing::Values(BandCase{"Wide4to1", 400, 100, 100, 20, 200, 70},
                                           BandCase{"Tall1to4", 100, 400, 20, 100, 70, 180}),
                         [](const ::testing::TestParamInfo<BandCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(GraphWindowQtTest, PauseShowsTheFrameDrawnSoFar)
{
    // An animation: a red frame, a pause, the frame erased, the next frame.
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 640, 480);
    GraphFacade.SetColor(12);
    GraphFacade.Line(100, 100, 300, 100);
    GraphFacade.SleepMs(1);
    GraphFacade.SetColor(0);
    GraphFacade.Line(100, 100, 300, 100);
    GraphFacade.SetColor(12);
    GraphFacade.Line(100, 200, 300, 200);
    std::vector<QImage> frames;
    const auto pause = FTelmgra.OnPause;
    FTelmgra.OnPause = [&](int32_t ms) {
        pause(ms);
        frames.push_back(ClientArea().grab().toImage());
    };
    const QImage last = Shown();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].pixelColor(200, 380), Red);
    EXPECT_NE(frames[0].pixelColor(200, 280), Red);
    EXPECT_NE(last.pixelColor(200, 380), Red);
    EXPECT_EQ(last.pixelColor(200, 280), Red);
}

TEST_F(GraphWindowQtTest, ClosingTheWindowDuringALongReplayEndsIt)
{
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 640, 480);
    for (int i = 0; i < 120000; ++i)
        GraphFacade.Line(i % 640, 0, i % 640, 10);
    int rounds = 0;
    const auto events = FTelmgra.OnPendingEvents;
    FTelmgra.OnPendingEvents = [&] {
        if (++rounds == 2) {
            qt_->MainWindow().OnCloseQuery = [] { return true; };
            qt_->MainWindow().Close();
        }
        events();
    };
    binding_->ReplayNow();
    EXPECT_EQ(rounds, 2); // a third round would come before record 100000
    EXPECT_FALSE(FTelmgra.Replaying());
    // A later replay runs in full.
    rounds = 10;
    binding_->ReplayNow();
    EXPECT_EQ(rounds, 13);
}

TEST_F(GraphWindowQtTest, StepDialogEnterShowsNextFrameAndEscEndsStepping)
{
    GraphFacade.SetWindow(false, false, 0, 0, 1, 1, 0, 0, 640, 480);
    for (int frame = 0; frame < 4; ++frame) {
        GraphFacade.SetColor(0);
        GraphFacade.Line(frame, 0, frame, 10);
        GraphFacade.SetColor(15);
        GraphFacade.Line(frame, 0, frame, 10);
    }
    FTelmgra.StepMode = true;
    int shown = 0;
    QImage form;
    // What the window shows at each dialog: "+" drew the first frame's
    // white line before the second.
    std::vector<bool> white;
    std::function<void(QWidget*)> press = [&](QWidget* modal) {
        ++shown;
        white.push_back(
            !BoundsOf(ClientArea().grab().toImage(), [](QColor c) { return c == White; }).Empty());
        EXPECT_EQ(modal->windowTitle(), "Animation");
        auto* next = modal->findChild<QPushButton*>("Button_nextstep");
        auto* end = modal->findChild<QPushButton*>("Button_endstep");
        EXPECT_TRUE(next && end);
        if (next && end) {
            EXPECT_EQ(next->text(), "+");
            EXPECT_EQ(end->text(), "+++++++");
            EXPECT_TRUE(next->isDefault());
        }
        const int key = shown == 1 ? Qt::Key_Return : Qt::Key_Escape;
        if (shown == 1) {
            form = modal->grab().toImage();
            WhenModalAppears(press);
        }
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(shown == 1 && next ? static_cast<QWidget*>(next) : modal, &e);
    };
    WhenModalAppears(press);
    Shown();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(white, (std::vector<bool>{false, true}));
    EXPECT_FALSE(FTelmgra.StepMode);
    EXPECT_EQ(form.size(), QSize(116, 50));
}

class GraphWindowPrintTest : public GraphWindowQtTest
{
  protected:
    // Prints the picture (or what Print prints) to a PDF file, A4 without margins, and
    // renders its first page with poppler at 100 dpi or to Size pixels.
    QImage PrintAndRender(
        int& pages, QSize Size = {}, QPageLayout::Orientation Turn = QPageLayout::Portrait,
        const std::function<void()>& Print = [] { EXPECT_TRUE(FTelmgra.PrintPicture("x")); })
    {
        auto& printer = qt_->QtPrinter().QtPrinter();
        const std::string pdf = dir_.Path() + "/graphics.pdf";
        // A new file each time: a print onto the earlier one asks first.
        std::filesystem::remove(pdf);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(Turn);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        Print();
        const std::string info = dir_.Path() + "/info.txt";
        pages = -1;
        if (std::system(("pdfinfo '" + pdf + "' > '" + info + "' 2>&1").c_str()) == 0) {
            std::ifstream in(info);
            std::string line;
            while (std::getline(in, line))
                if (line.rfind("Pages:", 0) == 0) pages = std::atoi(line.substr(6).c_str());
        }
        const std::string png = dir_.Path() + "/page";
        const std::string to =
            " -scale-to-x " + std::to_string(Size.width()) + " -scale-to-y " + std::to_string(Size.height());
        EXPECT_EQ(std::system(("pdftoppm " + (Size.isEmpty() ? "-r 100" : to) +
                               " -f 1 -l 1 -singlefile -png '" + pdf + "' '" + png + "'")
                                  .c_str()),
                  0);
        return QImage(QString::fromStdString(png + ".png"));
    }
    testdirs::ScopedTempDir dir_{"graphprint"};
};

bool Dark(QColor c)
{
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

TEST_F(GraphWindowPrintTest, PrintoutIsOneNonEmptyPage)
{
    GraphFacade.Header(0, 0, 160, 120);
    GraphFacade.SetColor(12);
    GraphFacade.Rectangle(10, 10, 150, 110);
    GraphFacade.Circle(80, 60, 40);
    int pages = 0;
    const QImage page = PrintAndRender(pages);
    EXPECT_EQ(pages, 1);
    ASSERT_FALSE(page.isNull());
    // Hairlines of a 1200 dpi printer come out as light grey at 100 dpi.
    const Bounds drawn =
        BoundsOf(page, [](QColor c) { return c.red() < 240 || c.green() < 240 || c.blue() < 240; });
    ASSERT_FALSE(drawn.Empty()) << "nothing printed";
    EXPECT_GT(drawn.Width(), page.width() / 4);
}

TEST_F(GraphWindowPrintTest, SheetAtPortraitScalesIsTrueToScaleOnAWideDrawingArea)
{
    // A sheet's start scales 1.9 / 1, upright: a square prints 0.75 * 210 / 297 * 1.9 = 1.0076 as wide.
    Area(1911, 949);
    printsettings.PrintScaleX = 1.9;
    printsettings.PrintScaleY = 1.0;
    GraphFacade.Header(0, 0, 420, 297);
    GraphFacade.SetColor(15);
    GraphFacade.Solid(50, 150, 150, 150, 150, 250, 50, 250);
    int pages = 0;
    const QImage page = PrintAndRender(pages);
    ASSERT_FALSE(page.isNull());
    const Bounds b = BoundsOf(page, Dark);
    ASSERT_FALSE(b.Empty());
    EXPECT_LT(b.right, page.width() - 1) << "the square left the paper";
    const double ratio = double(b.Width()) / b.Height();
    EXPECT_NEAR(ratio, 1.0076, 0.01) << b.Width() << " x " << b.Height();
}

// After an animation, stopped or finished, the printout (rendered to the
// drawing area's pixels) is the picture shown: left of the kinematics text
// at most 8 % of either's ink lies 2 pixels or more from the other's.
TEST_F(GraphWindowPrintTest, AfterAnAnimationThePrintoutIsThePictureShown)
{
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    const auto bg = platform::Colour::FromBgr(graphsettings.BackgroundColour);
    const std::function<bool(QColor)> ink[2] = {
        [](QColor q) {
            return std::min({q.red(), q.green(), q.blue()}) < 200;
        },
        [&](QColor q) { return q != QColor(bg.Red, bg.Green, bg.Blue); }};
    const struct {
        int Kind, Steps, StopAt;
    } cases[] = {{1, 6, 0}, {2, 8, 3}}; // schematic finished, wheels stopped
    for (const auto& c : cases) {
        RecordStageAnimation(int16_t(c.Kind), {c.Steps, 1.2L, 0});
        int pauses = 0, pages = 0;
        const auto pause = FTelmgra.OnPause;
        FTelmgra.OnPause = [&](int32_t ms) {
            pause(ms);
            if (++pauses == c.StopAt) FTelmgra.processKey(vk::Escape);
        };
        const QImage shown = Shown(),
                     pictures[2] = {PrintAndRender(pages, shown.size() - QSize(1, 1)), shown};
        FTelmgra.OnPause = pause;
        for (int k = 0, alone = 0, all = 0; k < 2; ++k, alone = all = 0) {
            for (int y = 2; y < shown.height() - 3; ++y)
                for (int x = 2; x < shown.width() * 3 / 4; ++x) {
                    bool near = !ink[k](pictures[k].pixelColor(x, y));
                    all += !near;
                    for (int v = y - 2; v <= y + 2 && !near; ++v)
                        for (int u = x - 2; u <= x + 2 && !near; ++u)
                            near = ink[1 - k](pictures[1 - k].pixelColor(u, v));
                    alone += !near;
                }
            EXPECT_LT(alone, 0.08 * all) << (k ? "shown, not printed" : "printed, not shown");
        }
    }
}

// A printer that cannot start says why, once, and takes the next document: graphics and text alike.
TEST_F(GraphWindowPrintTest, PrintStartFailureSaysWhyAndTheNextPrintIsWritten)
{
    static TShowTextFileModel result; // the result window, for its print command
    std::ofstream(result.PrintFileName = dir_.Path() + "/report.txt") << "report line\n";
    reportservices.ChoosePrintPages = [](int n, int& from, int& to) {
        from = 1;
        to = n;
        return true;
    };
    std::vector<std::string> said;
    QTimer reader; // reads and closes every message box
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said.push_back(box->text().toStdString());
            box->accept();
        }
    });
    reader.start(10);
    // In folders that are not there; the name in the message as the message's Windows text holds it.
    const std::string bad = dir_.Path() + "/none/x.pdf", named = dir_.Path() + "/nöne/ä齿.pdf";
    int pages = 0;
    for (const auto& [print, file] :
         {std::pair{+[] { FTelmgra.PrintPicture("x"); }, bad}, std::pair{+[] { result.Print(); }, named}}) {
        qt_->QtPrinter().QtPrinter().setOutputFileName(QString::fromStdString(file));
        // Aborted cleared before each command, as the menu does.
        telmvar.Aborted = false;
        print();
        telmvar.Aborted = false;
        EXPECT_FALSE(PrintAndRender(pages, {}, QPageLayout::Portrait, print).isNull() || pages != 1);
    }
    const std::string why = " cannot be written (No such file or directory)";
    EXPECT_EQ(said,
              (std::vector<std::string>{"Printing is not possible: " + bad + why,
                                        "Printing is not possible: " + dir_.Path() + "/nöne/ä?.pdf" + why}));
}

// At scale 1, origin 0, landscape, the page holds the window's picture uncut, its ink's box 0.75 * page
// width / page height = 1.0607 times as wide within 3 % (P-H: S-Pi's teeth run past this area's top).
TEST_F(GraphWindowPrintTest, PrintFitsPageAsTheWindowHoldsThePicture)
{
    Area(1271, 709); // a 1280 x 800 screen less the main window's frame and bars
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    meshanimationservices.AskSettings = [](TMeshAnimationRequest& r) {
        r.Steps = 4;
        r.PauseMs = 1;
        return true;
    };
    int pages = 0;
    for (const auto draw : {+[] {
                                LoadMesh(mPeH);
                                CalcGearPair();
                                AnimateMeshing();
                            },
                            +[] {
                                RecordStageAnimation(2, {8, 1.2L, 0});
                            }}) {
        draw();
        const QImage shown = Shown(), page = PrintAndRender(pages, {}, QPageLayout::Landscape);
        const Bounds s = BoundsOf(shown, [&](QColor q) { return q != shown.pixelColor(0, 0); });
        const Bounds p = BoundsOf(page, [](QColor q) {
            return std::min({q.red(), q.green(), q.blue()}) < 240;
        });
        const double wider = double(p.Width()) / p.Height() * s.Height() / s.Width();
        EXPECT_NEAR(wider, 0.75 * page.width() / page.height(), 0.03);
        EXPECT_TRUE(p.left > 0 && p.top > 0 && p.right < page.width() - 1 && p.bottom < page.height() - 1)
            << "cut at the page's edge";
    }
}

// A world unit prints 0.75 * page width / page height * scale x / scale y as wide as high on any area (1.0076
// a sheet at its start scales, upright; 1.0607 at 1 / 1, landscape): an added circle, a border, a zoom's box.
TEST_F(GraphWindowPrintTest, PrintTrueToScale)
{
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    LoadMesh(mSPi);
    CalcGearPair();
    meshanimationservices.AskSettings = [](TMeshAnimationRequest&) { return true; };
    const struct {
        int View;             // of the stage, 0 the tooth contact after its animation, -1 a square window
        double ScaleX, Wider; // x scale over the start values (0 keeps them), world units on paper
        bool Border, Zoom;
    } cases[] = {{7, 0, 1.0076, 0, 0},  {4, 0, 1.0607, 0, 0},  {1, 0, 1.0607, 0, 0}, {0, 0, 1.0607, 0, 0},
                 {-1, 2, 2.1213, 0, 0}, {-1, 0, 1.0607, 1, 0}, {-1, 0, 1.0607, 0, 1}};
    const TGraphMapping& m = graphmapping;
    for (const QSize area : {QSize(1911, 949), QSize(1271, 709), QSize(900, 1000)})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(&c - cases) + " on " + std::to_string(area.width()));
            Area(area.width(), area.height());
            printsettings = {};
            GraphFacade.Clear();
            if (c.View > 0)
                PlanetDrawView(3, int16_t(c.View));
            else if (c.View == 0)
                AnimateMeshing();
            else
                GraphFacade.Header(0, 0, 100, 100);
            const TForm_printconf start;
            printsettings.PrintScaleX = c.ScaleX > 0 ? c.ScaleX : printsettings.PrintScaleX;
            printsettings.PrintBorder = c.Border;
            if (c.Zoom) Key(Qt::Key_Plus, Qt::KeypadModifier);
            Shown();
            const auto before = std::tuple(m.GraphViewport, m.GraphWorldWindow, m.DevXMin, m.GraphXScale);
            const auto turn = QPageLayout::Orientation(printsettings.PrintOrientation == 2);
            int pages = 0;
            const QImage page = PrintAndRender(pages, {}, turn);
            EXPECT_TRUE(std::tuple(m.GraphViewport, m.GraphWorldWindow, m.DevXMin, m.GraphXScale) == before);
            const TWorldRect w = m.GraphWorldWindow;
            const Extended sw = (m.GraphViewport.x2 - m.GraphViewport.x1) / m.GraphXScale / 50;
            const Extended sh = (m.GraphViewport.y2 - m.GraphViewport.y1) / m.GraphYScale / 50;
            GraphFacade.SetColor(12);
            if (c.Zoom)
                GraphFacade.Rectangle(m.WorldXMin + sw, m.WorldYMin + sh, m.WorldXMin + 49 * sw,
                                      m.WorldYMin + 49 * sh);
            else
                GraphFacade.Circle(w.x1 + (w.x2 - w.x1) * 0.3L, (w.y1 + w.y2) / 2,
                                   std::min(w.x2 - w.x1, w.y2 - w.y1) / 5);
            QImage marked = PrintAndRender(pages, {}, turn);
            QPainter difference(&marked);
            difference.setCompositionMode(QPainter::CompositionMode_Difference);
            difference.drawImage(0, 0, page);
            difference.end();
            const Bounds p = BoundsOf(page, [](QColor q) { return q.lightness() < 240; });
            const Bounds mark = c.Border ? p : BoundsOf(marked, [](QColor q) { return q != Qt::black; });
            const double wider = c.Zoom ? c.Wider * (area.width() - 2) / (area.height() - 2) : c.Wider;
            EXPECT_NEAR(double(mark.Width()) / mark.Height(), wider, wider / 100);
            for (const Bounds& b : {p, mark})
                EXPECT_TRUE(c.Border || (b.left > 0 && b.top > 0 && b.right < page.width() - 1 &&
                                         b.bottom < page.height() - 1));
            EXPECT_TRUE(c.View != 7 || p.Width() >= 0.9 * page.width()) << p.Width();
        }
}

// With no printer set up the first print asks where to print; Cancel there prints nothing and says nothing.
TEST_F(GraphWindowPrintTest, FirstPrintWithoutAPrinterAsksWhereToPrint)
{
    qt_->QtPrinter().QtPrinter().setOutputFileName({});
    QStringList asked;
    QTimer cancel; // every modal window: its kind noted, then cancelled
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            asked << modal->metaObject()->className();
            modal->reject();
        }
    });
    cancel.start(10);
    EXPECT_FALSE(FTelmgra.PrintPicture("x"));
    EXPECT_EQ(asked, QStringList{"QPrintDialog"});
}

// A drawing sheet on a 1920 x 1080 screen zoomed into its upper left quarter, printed upright on A4 at the
// scales its print dialog opens with (1.9 / 1.0), prints the region shown whole, as wide as the page: a
// rectangle 48 / 50 of its 1909 x 987 pixels, 0.75 * 210 / 297 * 1.9 * 1909 / 987 = 1.949 times as wide as
// high.
TEST_F(GraphWindowPrintTest, ZoomedSheetPrintsTheRegionShownWholeAtTheDialogsScales)
{
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    Area(1911, 989);
    printsettings = {};
    GraphFacade.Clear();
    PlanetDrawView(3, 7);
    const TForm_printconf start;
    printsettings.PrintBorder = false;
    const QImage shown = Shown();
    const Bounds sheet = BoundsOf(shown, [&](QColor q) { return q != shown.pixelColor(0, 0); });
    const QPoint middle((sheet.left + sheet.right) / 2, (sheet.top + sheet.bottom) / 2);
    MouseEvent(QEvent::MouseButtonPress, sheet.left, sheet.top, Qt::LeftButton, Qt::LeftButton);
    MouseEvent(QEvent::MouseMove, middle.x(), middle.y(), Qt::NoButton, Qt::LeftButton);
    MouseEvent(QEvent::MouseButtonRelease, middle.x(), middle.y(), Qt::LeftButton, Qt::NoButton);
    Shown();
    int pages = 0;
    const QImage page = PrintAndRender(pages);
    const TGraphMapping& m = graphmapping;
    const Extended w = (m.GraphViewport.x2 - m.GraphViewport.x1) / m.GraphXScale / 50;
    const Extended h = (m.GraphViewport.y2 - m.GraphViewport.y1) / m.GraphYScale / 50;
    GraphFacade.SetColor(12);
    GraphFacade.Rectangle(m.WorldXMin + w, m.WorldYMin + h, m.WorldXMin + 49 * w, m.WorldYMin + 49 * h);
    QImage marked = PrintAndRender(pages);
    QPainter difference(&marked);
    difference.setCompositionMode(QPainter::CompositionMode_Difference);
    difference.drawImage(0, 0, page);
    difference.end();
    const Bounds r = BoundsOf(marked, [](QColor q) { return q != Qt::black; });
    EXPECT_TRUE(r.left > 0 && r.top > 0 && r.right < page.width() - 1 && r.bottom < page.height() - 1)
        << "cut at the page's edge: " << r.left << " " << r.top << " " << r.right << " " << r.bottom;
    EXPECT_NEAR(double(r.Width()) / r.Height(), 1.949, 0.0195);
    EXPECT_GT(r.right, 0.95 * page.width()) << "laid out smaller than the page needs";
}

class GraphWindowStartTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        TestApp();
        InitProgramLoadDefaults();
        configio.FallbackDirs.clear();
        InitProgramIdentity();
        wtelmvar.ConfigDir = dir_.Path() + "/";
        wtelmvar.DefaultDataDir = dir_.Path() + "/";
        telmvar.StartDir = dir_.Path();
    }
    testdirs::ScopedTempDir dir_{"graphstart"};
};

TEST_F(GraphWindowStartTest, FreshStartShowsTheLogo)
{
    PlatformQt qt;
    ScopedPlatform scope(qt);
    InstallQtScreenInfo(qt);
    const auto binding = InstallGraphWindowQt(qt);
    graphmapping.PixelAspect = 1;
    startup.Interactive = true;
    const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({}));
    ASSERT_FALSE(outcome.EndProcess);
    OpenMainForm(qt);
    QApplication::processEvents();
    binding->ReplayNow();
    QApplication::processEvents();
    const QImage img = qt.QtMainWindow().ClientArea().grab().toImage();
    // The frame in white and the ring gear in yellow.
    const Bounds frame = BoundsOf(img, [](QColor c) { return c == White; });
    const Bounds ring = BoundsOf(img, [](QColor c) { return c == QColor(255, 255, 0); });
    ASSERT_FALSE(frame.Empty());
    ASSERT_FALSE(ring.Empty());
    EXPECT_GT(frame.Height(), img.height() / 2);
    EXPECT_LT(frame.left, ring.left);
    EXPECT_GT(frame.right, ring.right);
    EXPECT_LE(std::abs(ring.Width() - ring.Height()), 1); // round
    qt.MainWindow().OnCloseQuery = [] { return true; };
    qt.MainWindow().Close();
    ThhFormDestroy();
    startup.Interactive = false;
}

} // namespace
