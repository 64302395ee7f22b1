#include "drawings/tooth/meshpicture.h"

#include "drawings/tooth/diametercircles.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/planegeo.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

Extended MeshPictureHalfWidth()
{
    const auto& g = GearPair;
    const int k = std::max(std::abs(g.z[2]), 7);
    Extended w = std::fabs(g.da_pic[2]) / 2 * std::sin(DegToRad(720.0L / k)) + g.mn;
    if (g.z[2] < 0) w *= 1.1L;
    return w;
}

Extended MeshPictureBottom()
{
    const auto& g = GearPair;
    const int z1 = std::abs(g.z[1]);
    if (z1 == 0) return 0;
    const Extended t = z1 < 12 ? std::log(Extended(z1)) * 0.6L * 360 / z1 : 540.0L / z1;
    const Extended y1 = std::fabs(g.da_pic[1]) / 2 * (1 - std::cos(DegToRad(t))) + 2 * g.mn;
    return g.da_pic[1] / 2 - 1.2L * y1;
}

Extended MeshPictureTop()
{
    const auto& g = GearPair;
    const int z2 = g.z[2];
    const int a2 = std::abs(z2);
    if (a2 == 0) return 0;
    const Extended r = std::fabs(g.da_pic[2]) / 2;
    Extended y2 = 0;
    if (a2 < 18) {
        const Extended t = std::log(Extended(a2)) * 0.7L * 360 / a2;
        y2 = r * (1 - std::cos(DegToRad(t)));
        if (z2 > 0) y2 += g.mn;
    } else {
        y2 = r * (1 - std::cos(DegToRad(720.0L / a2))) + g.mn;
    }
    // Gear 2 stands at (0, a_pic): its tip circle's near side is at
    // a_pic - da/2 (for a ring, da < 0, the side above gear 1). The top is
    // measured from there, not as da/2 + 1.2 y2 the way the bottom is from
    // gear 1's centre at the origin: that would leave out the centre
    // distance, putting a ring's top (da < 0) below the bottom and an
    // external gear's far above its teeth.
    return g.a_pic - g.da_pic[2] / 2 + 1.2L * y2;
}

namespace
{

// Points of the line through P with unit direction U at distance R from
// O: the one nearer to Q; false when the line misses the circle.
bool LineCirclePointNear(Extended Px, Extended Py, Extended Ux, Extended Uy, Extended Ox, Extended Oy,
                         Extended R, Extended Qx, Extended Qy, Extended& X, Extended& Y)
{
    const Extended dx = Px - Ox, dy = Py - Oy;
    const Extended b = dx * Ux + dy * Uy;
    const Extended c = dx * dx + dy * dy - R * R;
    const Extended disc = b * b - c;
    if (disc < 0) return false;
    const Extended s1 = -b + std::sqrt(disc), s2 = -b - std::sqrt(disc);
    const Extended x1 = Px + s1 * Ux, y1 = Py + s1 * Uy, x2 = Px + s2 * Ux, y2 = Py + s2 * Uy;
    if (std::hypot(x1 - Qx, y1 - Qy) <= std::hypot(x2 - Qx, y2 - Qy)) {
        X = x1;
        Y = y1;
    } else {
        X = x2;
        Y = y2;
    }
    return true;
}

std::string Trimmed(const std::string& S)
{
    return TrimBlanks(S);
}

// The texts placed so far in the picture, each by the box about it, so
// that the next is put where it covers none: the labels of nearly equal
// circles and of neighbouring contact points would print over each other.
class TLabelSpace
{
  public:
    struct TBox {
        Extended X1, Y1, X2, Y2;
    };
    // The box about a text of Chars characters starting at (X, Y).
    static TBox TextBox(Extended X, Extended Y, size_t Chars, Extended Height, Extended CharWidth,
                        Extended Angle)
    {
        const Extended a = DegToRad(Angle), c = std::cos(a), s = std::sin(a);
        const Extended w = static_cast<Extended>(Chars) * CharWidth;
        TBox b{X, Y, X, Y};
        for (const auto& [u, v] : {std::pair{w, Extended(0)}, {w, Height}, {Extended(0), Height}}) {
            const Extended x = X + u * c - v * s, y = Y + u * s + v * c;
            b = {std::min(b.X1, x), std::min(b.Y1, y), std::max(b.X2, x), std::max(b.Y2, y)};
        }
        return b;
    }
    bool Free(const TBox& B) const
    {
        return std::none_of(taken_.begin(), taken_.end(), [&](const TBox& T) {
            return B.X1 < T.X2 && T.X1 < B.X2 && B.Y1 < T.Y2 && T.Y1 < B.Y2;
        });
    }
    void Take(const TBox& B) { taken_.push_back(B); }

  private:
    std::vector<TBox> taken_;
};

// The frame of the picture, from (-W, B) to (W, T).
struct TFrame {
    Extended W, B, T;
    bool Holds(Extended X, Extended Y) const { return X >= -W && X <= W && Y >= B && Y <= T; }
    bool Holds(const TLabelSpace::TBox& Box) const { return Holds(Box.X1, Box.Y1) && Holds(Box.X2, Box.Y2); }
    // How far the box stands out of the frame at its farthest; 0 inside.
    Extended Overflow(const TLabelSpace::TBox& Box) const
    {
        return std::max({Extended(0), -W - Box.X1, Box.X2 - W, B - Box.Y1, Box.Y2 - T});
    }
};

// A labelled arc and a contact point's mark as placed for one frame.
struct TArcPlace {
    std::string Name;
    int Layer;
    Extended Y, Half, D, Mid, At;
};
struct TMarkPlace {
    const char* Letter;
    Extended X, Y, TextX, TextY;
};

// The arcs and marks of the frame and the box about all of them, their
// labels, the marks' circles and letters.
struct TFrameLayout {
    std::vector<TArcPlace> Arcs;
    std::vector<TMarkPlace> Marks;
    bool HasExtent = false;
    TLabelSpace::TBox Extent{};
    void Cover(const TLabelSpace::TBox& B)
    {
        Extent = !HasExtent ? B
                            : TLabelSpace::TBox{std::min(Extent.X1, B.X1), std::min(Extent.Y1, B.Y1),
                                                std::max(Extent.X2, B.X2), std::max(Extent.Y2, B.Y2)};
        HasExtent = true;
    }
};

// A labelled arc of the frame, its label moved along the arc from near its
// end towards and past the line of centres until it is inside the frame
// and clear of the others (else clear of them, else near the end). The
// arc is cut where it leaves the frame through its bottom (FromBelow:
// gear 1 and a ring) or its top; one whose middle, the circle's side
// towards the mesh, lies out of the frame is left out, as it would run out
// of the frame whatever its width.
void PlaceLabelledArc(TLabelSpace& Space, TFrameLayout& Layout, const TFrame& Frame, bool FromBelow,
                      int Layer, const std::string& Name, Extended Y, Extended Half, Extended D, Extended Mid)
{
    if (!Frame.Holds(0, Y + std::sin(DegToRad(Mid)) * D / 2)) return;
    if (!ClippedHalfAngle(Y, D, FromBelow ? Frame.B : Frame.T, Half)) return;
    const Extended places[6] = {0.8L, 0.5L, 0.2L, -0.2L, -0.5L, -0.8L};
    auto box = [&](int k) {
        const TArcLabel l = ArcLabel(false, 0, Y, Half, D, Mid, places[k]);
        return TLabelSpace::TextBox(l.X, l.Y, Name.size(), l.Height, l.CharWidth, l.Angle);
    };
    int k = -1;
    for (int j = 0; j < 6 && k < 0; ++j)
        if (Frame.Holds(box(j)) && Space.Free(box(j))) k = j;
    for (int j = 0; j < 6 && k < 0; ++j)
        if (Space.Free(box(j))) k = j;
    if (k < 0) k = 0;
    Space.Take(box(k));
    Layout.Cover(box(k));
    Layout.Arcs.push_back({Name, Layer, Y, Half, D, Mid, places[k]});
}

// A small circle with its letter to the upper left, clear of the line of
// action, which rises to the right; to the lower right, or further out,
// where another text stands there or the frame ends. The letter goes to
// the first place inside the frame and free; else to the free place that
// stands out of the frame least, the frame being widened to hold it; a
// letter on another reads as one word with it ("CD"), so a letter keeps
// a third of its height from every other text.
void PlacePointMark(TLabelSpace& Space, TFrameLayout& Layout, const TFrame& Frame, const char* Letter,
                    Extended X, Extended Y, Extended Size)
{
    const Extended r = Size / 4;
    Layout.Cover({X - r, Y - r, X + r, Y + r});
    const Extended offsets[4][2] = {
        {-Size, Size / 2}, {Size / 2, -1.5L * Size}, {-2 * Size, 1.5L * Size}, {-2 * Size, -1.5L * Size}};
    auto box = [&](int k) {
        return TLabelSpace::TextBox(X + offsets[k][0], Y + offsets[k][1], 1, Size, 0.8L * Size, 0);
    };
    auto clear = [&](int k) {
        const TLabelSpace::TBox b = box(k);
        const Extended g = Size / 3;
        return Space.Free({b.X1 - g, b.Y1 - g, b.X2 + g, b.Y2 + g});
    };
    // The first of the places standing out least (none, inside the frame)
    // among the clear ones, else among all.
    auto leastOut = [&](bool Clear) {
        int k = -1;
        for (int j = 0; j < 4; ++j)
            if ((!Clear || clear(j)) && (k < 0 || Frame.Overflow(box(j)) < Frame.Overflow(box(k)))) k = j;
        return k;
    };
    int k = leastOut(true);
    if (k < 0) k = leastOut(false);
    Space.Take(box(k));
    Layout.Cover(box(k));
    Layout.Marks.push_back({Letter, X, Y, X + offsets[k][0], Y + offsets[k][1]});
}

// The labelled arcs about the line of centres and the marks of the path of
// contact, placed for the frame W, B, T.
TFrameLayout LayOutFrame(Extended W, Extended B, Extended T)
{
    const auto& g = GearPair;
    TFrameLayout layout;
    const Extended ag = g.a_pic, mn = g.mn, h = W / 22;
    const TFrame frame{W, B, T};
    TLabelSpace space;
    for (int i = 1; i <= 2; ++i) {
        const Extended cy = i == 1 ? 0 : ag;
        const bool ring = g.z[i] < 0;
        // Gear 1 faces the mesh with its top, and its circles leave the
        // frame through the bottom; an external gear 2 faces it with its
        // bottom (270 degrees) and leaves through the top. A ring encloses
        // gear 1: its circles too face the mesh with their top and leave
        // through the bottom. Its negative diameters turn the arcs by 180
        // degrees, so the ring is given -90 to have them about 90.
        const Extended mid = i == 1 ? 90 : ring ? -90 : 270;
        const bool fromBelow = i == 1 || ring;
        Extended half = std::min(2 * 360.0L / std::abs(g.z[i]), Extended(90)) / 2;
        if (ring) half = -half;
        const std::string n = IntToText(i);
        // Each circle as far as the frame holds it; the working pitch
        // circle only where it stands clear of the reference circle.
        auto arc = [&](int Layer, const std::string& Name, Extended Half, Extended D) {
            PlaceLabelledArc(space, layout, frame, fromBelow, Layer, Name + n, cy, Half, D, mid);
        };
        // Both gears' circles on the layer of the line of centres: layer 3
        // is the frame's and the marks', and gear 2's would otherwise stay
        // on the layer of gear 1's last auxiliary circle.
        arc(1, "db", half, g.db[i]);
        arc(1, "df", half, g.df_pic[i]);
        arc(1, "d", half, g.d[i]);
        if (std::fabs(g.dw_pic[i] - g.d[i]) > 0.05L * mn) arc(1, "dw", half, g.dw_pic[i]);
        if (g.DrawingConfiguration == 2) {
            if (g.dFamax[i] != g.da[i]) arc(29, "dFa", half, g.dFamax[i]);
            const bool close =
                std::fabs(g.dNf[i] - g.db[i]) < 0.15L * mn || std::fabs(g.dNf[i] - g.d[i]) < 0.15L * mn;
            arc(24, "dNf", close ? 1.2L * half : half, g.dNf[i]);
        }
    }
    if (g.z[1] + g.z[2] != 0) {
        const TMeshContactPoints p = MeshContactPoints();
        if (p.Valid) {
            PlacePointMark(space, layout, frame, "C", p.Cx, p.Cy, h);
            PlacePointMark(space, layout, frame, "E", p.Ex, p.Ey, h);
            PlacePointMark(space, layout, frame, "A", p.Ax, p.Ay, h);
            if (p.HasSingleContact) {
                PlacePointMark(space, layout, frame, "B", p.Bx, p.By, h);
                PlacePointMark(space, layout, frame, "D", p.Dx, p.Dy, h);
            }
        }
    }
    return layout;
}

} // namespace

TMeshContactPoints MeshContactPoints()
{
    const auto& g = GearPair;
    TMeshContactPoints p;
    const Extended ag = g.a_pic;
    if (ag == 0 || g.z[1] == 0 || g.z[2] == 0) return p;
    // The working pressure angle of the picture's own centre distance, so
    // the line of action touches both base circles as drawn.
    const Extended c = (g.db[1] + g.db[2]) / (2 * ag);
    if (!(std::fabs(c) <= 1)) return p;
    const Extended awt = std::acos(c);
    const Extended s = std::sin(awt), co = std::cos(awt);
    p.T1x = -g.db[1] / 2 * s;
    p.T1y = g.db[1] / 2 * co;
    p.T2x = g.db[2] / 2 * s;
    p.T2y = ag - g.db[2] / 2 * co;
    const Extended len = std::hypot(p.T2x - p.T1x, p.T2y - p.T1y);
    if (len == 0) return p;
    const Extended ux = (p.T2x - p.T1x) / len, uy = (p.T2y - p.T1y) / len;
    // Pitch point: where the line of action crosses the line of centres.
    if (ux == 0) return p;
    const Extended sc = -p.T1x / ux;
    p.Cx = 0;
    p.Cy = p.T1y + sc * uy;
    if (!LineCirclePointNear(p.T1x, p.T1y, ux, uy, 0, 0, g.dNa[1] / 2, p.Cx, p.Cy, p.Ex, p.Ey)) return p;
    if (!LineCirclePointNear(p.T1x, p.T1y, ux, uy, 0, ag, g.dNa[2] / 2, p.Cx, p.Cy, p.Ax, p.Ay)) return p;
    p.Valid = true;
    const Extended ga = std::hypot(p.Ex - p.Ax, p.Ey - p.Ay);
    const Extended pbt = Pi * std::fabs(g.db[1]) / std::abs(g.z[1]);
    if (ga > pbt) {
        const Extended vx = (p.Ex - p.Ax) / ga, vy = (p.Ey - p.Ay) / ga;
        p.HasSingleContact = true;
        p.Bx = p.Ex - pbt * vx;
        p.By = p.Ey - pbt * vy;
        p.Dx = p.Ax + pbt * vx;
        p.Dy = p.Ay + pbt * vy;
    }
    return p;
}

namespace
{

// Where DrawMeshPicture inserts the one-pitch outlines at the rotation Phi1
// of gear 1, in drawing order: three teeth of gear 1 about the origin, four
// of gear 2 about (0, a_pic) turned the other way by the ratio.
struct TToothInsert {
    int Gear;
    Extended Y, Angle;
};
std::vector<TToothInsert> MeshPictureInserts(Extended Phi1)
{
    const auto& g = GearPair;
    const Extended phi2 = -Phi1 * g.z[1] / g.z[2];
    const Extended p1 = 360.0L / g.z[1], p2 = 360.0L / g.z[2];
    std::vector<TToothInsert> r = {{1, 0, Phi1}, {1, 0, Phi1 + p1}, {1, 0, Phi1 - p1}};
    for (int j = 0; j <= 1; ++j) {
        r.push_back({2, g.a_pic, 180 + p2 / 2 + j * p2 + phi2});
        r.push_back({2, g.a_pic, 180 - p2 / 2 - j * p2 + phi2});
    }
    return r;
}

// The box about the teeth of the picture at Phi1: the outline of one pitch
// of each gear, as the blocks hold it, turned and placed as each insert
// puts it; an arc of the outline by points along it, as its bulge may
// stand out past its ends.
std::optional<TLabelSpace::TBox> MeshPictureTeethBox(Extended Phi1)
{
    TLabelSpace::TBox box{0, 0, 0, 0};
    bool any = false;
    const TToothContour outline[3] = {{}, BuildToothContour(1, false), BuildToothContour(2, false)};
    for (const TToothInsert& t : MeshPictureInserts(Phi1)) {
        const Extended a = DegToRad(t.Angle), c = std::cos(a), s = std::sin(a);
        const auto cover = [&](Extended X, Extended Y) {
            const Extended x = X * c - Y * s, y = t.Y + X * s + Y * c;
            if (!std::isfinite(x) || !std::isfinite(y)) return;
            box = any ? TLabelSpace::TBox{std::min(box.X1, x), std::min(box.Y1, y), std::max(box.X2, x),
                                          std::max(box.Y2, y)}
                      : TLabelSpace::TBox{x, y, x, y};
            any = true;
        };
        for (const TContourPath& p : outline[t.Gear].Paths)
            for (std::size_t i = 0; i < p.Vertices.size(); ++i) {
                const TContourVertex& v = p.Vertices[i];
                cover(v.X, v.Y);
                if (p.IsLine || v.Angle == 0 || i + 1 == p.Vertices.size()) continue;
                // The arc from v to the next vertex turning by Angle; one
                // without a centre (no chord, a whole turn) counts by its
                // ends alone.
                const TContourVertex& w = p.Vertices[i + 1];
                if ((w.X == v.X && w.Y == v.Y) || std::sin(v.Angle / 2) == 0) continue;
                Extended cx = 0, cy = 0, start = 0, end = 0, r = 0;
                if (!GetArcCenterNoSwap(cx, cy, start, v.X, v.Y, w.X, w.Y, v.Angle, end, r)) continue;
                for (int k = 1; k < 16; ++k) {
                    const Extended u = start + v.Angle * k / 16;
                    cover(cx + r * std::cos(u), cy + r * std::sin(u));
                }
            }
    }
    if (!any) return std::nullopt;
    return box;
}

// The window widened where a mark, a letter or a label would stand out.
TMeshPictureFrame FrameHoldingTheLabels(TMeshPictureFrame f)
{
    const auto& g = GearPair;
    if (g.z[1] == 0 || g.z[2] == 0 || !(f.W > 0) || !std::isfinite(f.W)) return f;
    // The window of the functions above is sized to the teeth alone: where
    // the pinion's tip reaches above a large gear's top, the end of
    // contact E stands out of it, and a mark or a label may stand across
    // its line. Rather than leave a point of the path of contact out, each
    // side that something crosses is moved out to hold it with a quarter
    // of the text height to spare. The texts grow with the width, and an
    // arc grows with the frame that cuts it: the frame is laid out again
    // until all it shows stands inside.
    for (int round = 0; round < 8; ++round) {
        const TFrameLayout l = LayOutFrame(f.W, f.B, f.T);
        if (!l.HasExtent) break;
        const Extended gap = f.W / 88;
        const TMeshPictureFrame was = f;
        const Extended side = std::max(-l.Extent.X1, l.Extent.X2);
        if (side > f.W) f.W = side + gap;
        if (l.Extent.Y1 < f.B) f.B = l.Extent.Y1 - gap;
        if (l.Extent.Y2 > f.T) f.T = l.Extent.Y2 + gap;
        if (f.W == was.W && f.B == was.B && f.T == was.T) break;
    }
    return f;
}

} // namespace

TMeshPictureFrame MeshPictureFrame()
{
    return FrameHoldingTheLabels({MeshPictureHalfWidth(), MeshPictureBottom(), MeshPictureTop()});
}

TMeshPictureFrame MeshPictureFrameHoldingTheTeeth(Extended Phi1)
{
    const auto& g = GearPair;
    TMeshPictureFrame f{MeshPictureHalfWidth(), MeshPictureBottom(), MeshPictureTop()};
    if (g.z[1] == 0 || g.z[2] == 0 || !(f.W > 0) || !std::isfinite(f.W)) return f;
    // The window's top is measured at the tip circle of gear 2: the roots of
    // its outer teeth, turned with the picture, stand above it, and a ring's
    // teeth above its middle. The window on the screen cuts them at the
    // frame; a sheet, which has no edge there, moves the frame out to hold
    // them, with the gap the labels keep.
    if (const auto teeth = MeshPictureTeethBox(Phi1)) {
        const Extended gap = f.W / 88;
        f.W = std::max({f.W, -teeth->X1 + gap, teeth->X2 + gap});
        f.B = std::min(f.B, teeth->Y1 - gap);
        f.T = std::max(f.T, teeth->Y2 + gap);
    }
    return FrameHoldingTheLabels(f);
}

void DrawMeshPicture(bool WithText, Extended W, Extended B, Extended T, Extended Phi1)
{
    const auto& g = GearPair;
    const int z1 = g.z[1], z2 = g.z[2];
    // No tooth number, no pitch angle: nothing to draw.
    if (z1 == 0 || z2 == 0) return;
    CadSetLayer(0);
    for (const TToothInsert& t : MeshPictureInserts(Phi1))
        CadInsertBlock(t.Gear == 1 ? "EVOLV1" : "EVOLV2", 0, t.Y, t.Angle, 1, 1);
    if (WithText) DrawMeshPictureFrame(W, B, T, Phi1);
}

void DrawMeshPictureFrame(Extended W, Extended B, Extended T, Extended Phi1)
{
    const auto& g = GearPair;
    const int z1 = g.z[1], z2 = g.z[2];
    if (z1 == 0 || z2 == 0) return;
    const Extended ag = g.a_pic;

    CadSetLayer(3);
    CadRectangle(-W, B, W, T);
    const Extended h = W / 22;
    CadSetTextStyle(2, 0, h, 0.8L * h);
    CadRectangle(-W, B, W, B - 9.5L * h);
    const std::string deg = DegreeSign();
    const std::string left[6] = {
        "mn = " + Trimmed(LengthToText(g.mn)),
        "alpha= " + Trimmed(FloatToSignificant(g.alpha)) + deg,
        "beta = " + Trimmed(FloatToSignificant(g.beta)) + deg,
        "a = " + Trimmed(LengthToTextDecimals(3, ag)),
        "eps.al. = " + Trimmed(FloatToFixedDecimals(3, g.eps_alpha)),
        "phi = " + Trimmed(FloatToFixedDecimals(2, Phi1)) + deg,
    };
    for (int r = 0; r < 6; ++r)
        CadText(-W + h, B - 1.5L * h - r * 1.5L * h, left[r]);
    for (int i = 1; i <= 2; ++i) {
        const std::string n = IntToText(i);
        const std::string col[6] = {
            "z" + n + "  = " + IntToText(g.z[i]),
            "dw" + n + " = " + Trimmed(LengthToTextDecimals(2, g.dw_pic[i])),
            "df" + n + " = " + Trimmed(LengthToTextDecimals(2, g.df_pic[i])),
            "da" + n + " = " + Trimmed(LengthToTextDecimals(2, g.da_pic[i])),
            "db" + n + " = " + Trimmed(LengthToTextDecimals(2, g.db[i])),
            "xe" + n + " = " + Trimmed(FormatFloatFixed(1, 3, g.x_pic[i])),
        };
        for (int r = 0; r < 6; ++r)
            CadText(-W + i * 2 * W / 3, B - 1.5L * h - r * 1.5L * h, col[r]);
    }

    CadSetLayer(1);
    CadLine(0, B, 0, T);

    const TFrameLayout layout = LayOutFrame(W, B, T);
    for (const TArcPlace& a : layout.Arcs) {
        CadSetLayer(a.Layer);
        DrawLabelledArc(a.Name, false, 0, a.Y, a.Half, a.D, a.Mid, a.At);
    }
    // The arc labels set their own text styles; the point letters go back
    // to the data text's.
    CadSetTextStyle(2, 0, h, 0.8L * h);

    if (z1 + z2 != 0) {
        const TMeshContactPoints p = MeshContactPoints();
        // From tangent point to tangent point, through the path of contact
        // A to E, cut where it leaves the frame, so that no line but the
        // teeth runs out of it. A ring's tangent point lies behind the
        // pinion's, seen from the pitch point, and the path of contact
        // beyond the pinion's (both lie on one side of the line of centres,
        // where the pitch point is): the line runs from the ring's tangent
        // point through the pinion's on to the frame's side.
        Extended x1 = p.T1x, y1 = p.T1y, x2 = p.T2x, y2 = p.T2y;
        if (p.T1x != p.T2x && p.T1x * p.T2x > 0) {
            x1 = p.T1x < p.T2x ? -W : W;
            y1 = p.T1y + (x1 - p.T1x) * (p.T2y - p.T1y) / (p.T2x - p.T1x);
        }
        // Written from its left end.
        if (x2 < x1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        CadSetLayer(0);
        if ((p.T1x != p.T2x || p.T1y != p.T2y) && ClipSegmentToRect(x1, y1, x2, y2, -W, B, W, T))
            CadLine(x1, y1, x2, y2);
        if (!layout.Marks.empty()) CadSetLayer(3);
        for (const TMarkPlace& m : layout.Marks) {
            CadCircle(m.X, m.Y, h / 4);
            CadText(m.TextX, m.TextY, m.Letter);
        }
    }
    CadSetLayer(0);
}
