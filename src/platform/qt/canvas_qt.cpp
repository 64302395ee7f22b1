#include "platform/qt/canvas_qt.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "platform/qt/qttext.h"

namespace platform
{

namespace
{

QColor ToQColor(Colour c)
{
    return QColor(c.Red, c.Green, c.Blue);
}

Qt::PenStyle ToQtPenStyle(PenStyle s)
{
    switch (s) {
    case PenStyle::Solid:
        return Qt::SolidLine;
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QRectF ToQRect(const Rect& r)
{
    return QRectF(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// The parametric angle of the ellipse point that lies on the ray from the
// centre through p, in degrees counterclockwise on the screen (y down).
double ParametricAngle(const Rect& box, Point p)
{
    double cx = (box.Left + box.Right) / 2.0;
    double cy = (box.Top + box.Bottom) / 2.0;
    double rx = std::abs(box.Right - box.Left) / 2.0;
    double ry = std::abs(box.Bottom - box.Top) / 2.0;
    double dx = p.X - cx;
    double dy = cy - p.Y;
    if (rx <= 0 || ry <= 0) return std::atan2(dy, dx) * 180.0 / M_PI;
    return std::atan2(dy / ry, dx / rx) * 180.0 / M_PI;
}

} // namespace

CanvasImplQt::CanvasImplQt(QPainter& painter) : painter_(painter)
{
    painter_.setBackgroundMode(Qt::TransparentMode);
    ApplyPen();
    painter_.setBrush(QBrush(ToQColor(brush_.Colour)));
}

int CanvasImplQt::Width() const
{
    return painter_.device() ? painter_.device()->width() : 0;
}

int CanvasImplQt::Height() const
{
    return painter_.device() ? painter_.device()->height() : 0;
}

void CanvasImplQt::ApplyPen()
{
    QPen pen(ToQColor(pen_.Colour));
    pen.setWidth(pen_.Width < 1 ? 1 : pen_.Width);
    pen.setStyle(ToQtPenStyle(pen_.Style));
    painter_.setPen(pen);
    // Inverting what lies under the pen makes a second stroke erase the
    // first: the rubber band of the zoom is drawn that way.
    painter_.setCompositionMode(pen_.Mode == PenMode::Invert ? QPainter::RasterOp_NotDestination
                                                             : QPainter::CompositionMode_SourceOver);
}

void CanvasImplQt::SetPen(const Pen& pen)
{
    pen_ = pen;
    ApplyPen();
}

void CanvasImplQt::SetBrush(const Brush& brush)
{
    brush_ = brush;
    painter_.setBrush(brush.Style == BrushStyle::Clear ? QBrush(Qt::NoBrush)
                                                       : QBrush(ToQColor(brush.Colour)));
}

void CanvasImplQt::SetFont(const Font& font)
{
    font_ = font;
}

void CanvasImplQt::MoveTo(int x, int y)
{
    position_ = {x, y};
}

void CanvasImplQt::LineTo(int x, int y)
{
    painter_.drawLine(position_.X, position_.Y, x, y);
    position_ = {x, y};
}

void CanvasImplQt::Ellipse(const Rect& box)
{
    QBrush saved = painter_.brush();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(ToQRect(box));
    painter_.setBrush(saved);
}

void CanvasImplQt::ArcAngles(const Rect& box, Point start, Point end, int& startAngle16, int& spanAngle16)
{
    double a1 = ParametricAngle(box, start);
    double a2 = ParametricAngle(box, end);
    double span = a2 - a1;
    while (span <= 0)
        span += 360.0;
    while (span > 360.0)
        span -= 360.0;
    startAngle16 = static_cast<int>(std::lround(a1 * 16.0));
    spanAngle16 = static_cast<int>(std::lround(span * 16.0));
}

void CanvasImplQt::Arc(const Rect& box, Point start, Point end)
{
    int a = 0;
    int span = 0;
    ArcAngles(box, start, end, a, span);
    painter_.drawArc(ToQRect(box), a, span);
}

void CanvasImplQt::Polygon(const std::vector<Point>& points)
{
    QPolygon poly;
    for (const auto& p : points)
        poly << QPoint(p.X, p.Y);
    painter_.drawPolygon(poly);
}

void CanvasImplQt::TextOut(int x, int y, const std::string& text)
{
    QFont f(ToQString(font_.Face));
    const int cell = font_.Height > 0 ? font_.Height : 1;
    f.setPixelSize(cell);
    // The height is the character cell (ascent plus descent), as the drawing
    // code measures its texts; Qt's pixel size is the smaller em height.
    const int measured = QFontMetrics(f).height();
    if (measured > cell) f.setPixelSize(qMax(1, cell * cell / measured));
    f.setWeight(font_.Weight >= 600 ? QFont::Bold : QFont::Normal);
    f.setItalic(font_.Italic);
    f.setUnderline(font_.Underline);
    f.setStrikeOut(font_.StrikeOut);
    if (font_.Width > 0) {
        // The character width is given: stretch the font to reach it.
        int natural = QFontMetrics(f).averageCharWidth();
        if (natural > 0) f.setStretch(qBound(1, font_.Width * 100 / natural, 4000));
    }
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setFont(f);
    painter_.setPen(ToQColor(font_.Colour));
    painter_.translate(x, y);
    painter_.rotate(-font_.Escapement / 10.0);
    painter_.drawText(0, QFontMetrics(f).ascent(), ToQString(text));
    painter_.restore();
}

void CanvasImplQt::Clear(Colour colour)
{
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(0, 0, Width(), Height(), ToQColor(colour));
    painter_.restore();
}

} // namespace platform
