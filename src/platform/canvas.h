#pragma once
// A drawing surface in device pixels (x to the right, y downwards): the
// window's client area or a printer page. The graphics window maps its world
// coordinates to these pixels and replays its display list through this
// interface, so everything a picture needs is here and nothing more.

#include <cstdint>
#include <string>
#include <vector>

namespace platform
{

// The program keeps colours as one integer, blue * 65536 + green * 256 + red.
struct Colour {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    static constexpr Colour FromBgr(std::int32_t value)
    {
        return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
                static_cast<std::uint8_t>((value >> 16) & 0xFF)};
    }
    constexpr std::int32_t ToBgr() const { return Blue * 65536 + Green * 256 + Red; }
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, Clear };
// Invert draws by inverting what is under the pen: drawing twice erases,
// which the rubber band of the zoom relies on.
enum class PenMode { Copy, Invert };
enum class BrushStyle { Solid, Clear };

struct Pen {
    platform::Colour Colour{};
    // A line is Width pixels wide (at least 1), laid across its coordinate x
    // as every canvas paints it: the pixels x - Width / 2 to
    // x + (Width - 1) / 2, an even width's spare pixel before x.
    int Width = 1;
    PenStyle Style = PenStyle::Solid;
    PenMode Mode = PenMode::Copy;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    platform::Colour Colour{255, 255, 255};
    BrushStyle Style = BrushStyle::Solid;
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
    std::string Face = "Arial";
    int Height = 12;    // cell height in pixels
    int Width = 0;      // average character width in pixels; 0 = natural width for the height
    int Escapement = 0; // direction of the base line, tenths of a degree counterclockwise
    int Weight = 400;   // 400 normal, 700 bold
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    platform::Colour Colour{};
    friend bool operator==(const Font&, const Font&) = default;
};

struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

class Canvas
{
  public:
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual void SetFont(const Font& font) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Outline of the ellipse inscribed in the box, not filled.
    virtual void Ellipse(const Rect& box) = 0;
    // Arc of the ellipse inscribed in the box, from the ray through start to
    // the ray through end, counterclockwise as seen on the screen.
    virtual void Arc(const Rect& box, Point start, Point end) = 0;
    // Polygon filled with the brush and outlined with the pen.
    virtual void Polygon(const std::vector<Point>& points) = 0;
    // Text with its top left corner at (x, y), turned by the font's
    // escapement about that point, on a transparent background.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Fills the whole surface with the colour.
    virtual void Clear(Colour colour) = 0;

    void Line(int x1, int y1, int x2, int y2)
    {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }
    void Circle(int cx, int cy, int r) { Ellipse({cx - r, cy - r, cx + r, cy + r}); }
};

} // namespace platform
