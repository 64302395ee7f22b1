// The start logo: what a fresh start shows in the main window until the
// first picture replaces it. Our own artwork: a double-planet stage seen from
// the front (ring, sun and three pairs of meshing planets) above the
// program's name, title and version, in a double frame.
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void TGraphFacade::SetLogoWindow()
{
    // World window (0, 0)-(32, 36.9) on the viewport (0.05, 0.1)-(0.95, 0.95)
    // of the drawing area.
    SetWindow(true, true, 0.05L, 0.1L, 0.95L, 0.95L, 0, 0, 32, 36.9L);
}

namespace
{

// Reference x of a text of n characters centred on cx: the replay widens
// text by 1.1 times the width factor (0.8) of the graphics settings; glyph
// is the width of an average glyph of the text over the font's average
// (capitals are wider).
Extended CentredX(Extended cx, size_t n, Extended width, Extended glyph = 1)
{
    return cx - static_cast<Extended>(n) * width * 0.88L * glyph / 2;
}

} // namespace

void TGraphFacade::DrawLogo()
{
    constexpr Extended Pi = std::numbers::pi_v<long double>;
    SetLineStyle(0);
    SetColor(15);
    Rectangle(0.5L, 0.5L, 31.5L, 36.4L);
    SetColor(11);
    Rectangle(1.1L, 1.1L, 30.9L, 35.8L);

    // The stage: ring gear, sun, and three planet pairs (outer planet in
    // mesh with the ring, inner planet with the sun).
    const Extended cx = 16;
    const Extended cy = 23.5L;
    SetColor(14);
    Circle(cx, cy, 9.8L);
    Circle(cx, cy, 10.4L);
    SetColor(12);
    Circle(cx, cy, 2.6L);
    Circle(cx, cy, 0.6L);
    for (int i = 0; i < 3; ++i) {
        const Extended a = (90 + 120 * i) * Pi / 180;
        // Turned so that the inner planet meshes with the outer one too
        // (centre distance 4.8 = 2.6 + 2.2).
        const Extended ai = a + 0.74L;
        SetColor(10);
        Circle(cx + 7.1L * std::cos(a), cy + 7.1L * std::sin(a), 2.6L);
        SetColor(9);
        Circle(cx + 4.9L * std::cos(ai), cy + 4.9L * std::sin(ai), 2.2L);
    }

    const std::string& name = telmvar.ProgramName;
    SetColor(15);
    SetTextStyle(0, 0, 2.6L, 2.6L);
    OutTextXY(CentredX(cx, name.size(), 2.6L, 1.3L), 7.6L, name);
    const std::string& title = telmvar.ProgramTitle;
    const Extended tw = std::min<Extended>(0.75L, 27.0L / (0.88L * std::max<size_t>(title.size(), 1)));
    SetColor(11);
    SetTextStyle(0, 0, tw, tw);
    OutTextXY(CentredX(cx, title.size(), tw), 4.6L, title);
    const std::string version = "Version " + telmvar.ProgramVersion;
    SetColor(7);
    SetTextStyle(0, 0, 0.6L, 0.6L);
    OutTextXY(CentredX(cx, version.size(), 0.6L), 2.4L, version);
}
