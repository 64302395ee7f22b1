#pragma once
#include "platform/canvas.h"

class QPainter;

namespace platform
{

// A Canvas on an active QPainter: the window during a paint event, or a
// printer page. The painter is borrowed, not owned.
class CanvasImplQt final : public Canvas
{
  public:
    explicit CanvasImplQt(QPainter& painter);
    int Width() const override;
    int Height() const override;
    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void SetFont(const Font& font) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(const Rect& box) override;
    void Arc(const Rect& box, Point start, Point end) override;
    void Polygon(const std::vector<Point>& points) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Clear(Colour colour) override;

    // Qt's start angle and span (sixteenths of a degree, counterclockwise)
    // of the arc from the ray through start to the ray through end. Equal
    // rays give the whole ellipse.
    static void ArcAngles(const Rect& box, Point start, Point end, int& startAngle16, int& spanAngle16);

  private:
    void ApplyPen();
    QPainter& painter_;
    Pen pen_;
    Brush brush_;
    Font font_;
    Point position_;
};

} // namespace platform
