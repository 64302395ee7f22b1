#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/qt/canvas_qt.h"
#include "qtfixture.h"

using namespace platform;

TEST(QtCanvas, ArcAnglesFollowTheRaysCounterclockwise)
{
    struct Case {
        Rect box;
        Point start;
        Point end;
        int startAngle16;
        int span16;
    } cases[] = {
        // Circle of radius 50 about (50, 50); y grows downwards on screen.
        {{0, 0, 100, 100}, {100, 50}, {50, 0}, 0, 90 * 16},         // east to north: a quarter
        {{0, 0, 100, 100}, {50, 0}, {100, 50}, 90 * 16, 270 * 16},  // north to east: three quarters
        {{0, 0, 100, 100}, {0, 50}, {100, 50}, 180 * 16, 180 * 16}, // west to east through the south
        {{0, 0, 100, 100}, {100, 50}, {100, 50}, 0, 360 * 16},      // same ray: the whole circle
        {{0, 0, 100, 100}, {150, 50}, {50, -300}, 0, 90 * 16},      // points off the circle: only rays count
        // Ellipse 200 x 100: the ray at 45 degrees meets it at the
        // parametric angle atan(2) = 63.43 degrees.
        {{0, 0, 200, 100}, {200, 50}, {200, -50}, 0, 1015},
    };
    for (const auto& c : cases) {
        int a = 0, span = 0;
        CanvasImplQt::ArcAngles(c.box, c.start, c.end, a, span);
        EXPECT_EQ(a, c.startAngle16) << c.start.X << "," << c.start.Y;
        EXPECT_EQ(span, c.span16) << c.start.X << "," << c.start.Y;
    }
}

TEST(QtCanvas, DrawsLinesPolygonsAndClears)
{
    TestApp();
    QImage image(40, 30, QImage::Format_RGB32);
    QPainter painter(&image);
    CanvasImplQt canvas(painter);
    EXPECT_EQ(canvas.Width(), 40);
    EXPECT_EQ(canvas.Height(), 30);
    canvas.Clear(Colour{255, 255, 255});
    canvas.SetPen({Colour{255, 0, 0}, 1, PenStyle::Solid, PenMode::Copy});
    canvas.Line(0, 2, 39, 2);
    canvas.SetBrush({Colour{0, 128, 0}, BrushStyle::Solid});
    canvas.SetPen({Colour{0, 128, 0}, 1, PenStyle::Solid, PenMode::Copy});
    canvas.Polygon({{10, 10}, {30, 10}, {30, 25}, {10, 25}});
    canvas.SetPen({Colour{0, 0, 0}, 1, PenStyle::Solid, PenMode::Copy});
    canvas.Circle(5, 20, 3); // outline only: the centre stays white
    painter.end();
    EXPECT_EQ(image.pixelColor(20, 2), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(20, 5), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(20, 18), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(5, 20), QColor(255, 255, 255));
}

TEST(QtCanvas, InvertingTwiceRestoresThePicture)
{
    TestApp();
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    {
        QPainter painter(&image);
        CanvasImplQt canvas(painter);
        canvas.SetPen({Colour{0, 0, 0}, 1, PenStyle::Solid, PenMode::Invert});
        canvas.Line(0, 5, 19, 5);
    }
    EXPECT_EQ(image.pixelColor(10, 5), QColor(245, 55, 225));
    {
        QPainter painter(&image);
        CanvasImplQt canvas(painter);
        canvas.SetPen({Colour{0, 0, 0}, 1, PenStyle::Solid, PenMode::Invert});
        canvas.Line(0, 5, 19, 5);
    }
    EXPECT_EQ(image.pixelColor(10, 5), QColor(10, 200, 30));
}

TEST(QtCanvas, TextIsDrawnInTheFontColour)
{
    TestApp();
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CanvasImplQt canvas(painter);
    Font f;
    f.Height = 30;
    f.Colour = Colour{0, 0, 255};
    canvas.SetFont(f);
    canvas.TextOut(5, 5, "MMMM");
    painter.end();
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 80 && c.green() < 80) ++blue;
        }
    EXPECT_GT(blue, 50) << "text pixels in the font colour";
}

TEST(QtCanvas, TextHeightIsTheCharacterCell)
{
    TestApp();
    QImage image(300, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CanvasImplQt canvas(painter);
    Font f;
    f.Height = 60;
    canvas.SetFont(f);
    canvas.TextOut(10, 20, "Hg");
    painter.end();
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 128) {
                if (top < 0) top = y;
                bottom = y;
            }
    ASSERT_GE(top, 0) << "nothing drawn";
    // Ink of "Hg" (cap top to descender) stays within the 60-pixel cell
    // below the reference point and fills most of it.
    EXPECT_GE(top, 20);
    EXPECT_LE(bottom, 20 + 60);
    EXPECT_GT(bottom - top, 30);
}
