#include "graphics/cad/blockreader.h"

#include "foundation/messagecollector.h"
#include "foundation/planegeo.h"
#include "foundation/programstate.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "graphics/cad/cadfiles.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "reports/engine/reportservices.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace
{

TCadState& S = cadstate;

// Vertices one polyline may have.
constexpr size_t MaxVertices = 100000;

// An insert nested too deep ends the whole insert it belongs to: a block
// that inserts itself n times would otherwise be read n^4 times, with as
// many messages.
bool nestingFailed = false;

std::string_view Trim(std::string_view V)
{
    while (!V.empty() && (V.front() == ' ' || V.front() == '\t'))
        V.remove_prefix(1);
    while (!V.empty() && (V.back() == ' ' || V.back() == '\t' || V.back() == '\r'))
        V.remove_suffix(1);
    return V;
}

Extended Number(std::string_view V)
{
    V = Trim(V);
    if (!V.empty() && V.front() == '+') V.remove_prefix(1);
    Extended x = 0;
    const auto r = std::from_chars(V.data(), V.data() + V.size(), x);
    if (r.ec == std::errc{} && r.ptr == V.data() + V.size()) return x;
    // Hand-edited files may use a decimal comma; anything else reads as 0.
    return TextToFloat(std::string(V));
}

// Group pairs: a code line, then a value line.
class TPairs
{
  public:
    explicit TPairs(std::string_view Data) : d_(Data) {}
    int Code = 0;
    std::string_view Value;
    // A code line that is not a number: the rest of the block is ignored.
    bool Malformed = false;
    std::string_view BadLine;

    bool Next()
    {
        if (Malformed || pos_ >= d_.size()) return false;
        const std::string_view raw = Line();
        const std::string_view code = Trim(raw);
        const auto r = std::from_chars(code.data(), code.data() + code.size(), Code);
        if (code.empty() || r.ec != std::errc{} || r.ptr != code.data() + code.size()) {
            Malformed = true;
            BadLine = raw;
            return false;
        }
        if (pos_ > d_.size()) return false;
        Value = Line();
        return true;
    }

  private:
    std::string_view Line()
    {
        const size_t nl = d_.find('\n', pos_);
        const size_t end = nl == std::string_view::npos ? d_.size() : nl;
        std::string_view l = d_.substr(pos_, end - pos_);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        pos_ = end + 1;
        return l;
    }
    std::string_view d_;
    size_t pos_ = 0;
};

// The groups of one entity up to the next code 0.
struct TGroups {
    Extended v[24] = {};
    bool has[24] = {};
    std::string_view text, name, layer;
    bool hasLayer = false;

    static int Slot(int Code)
    {
        switch (Code) {
        case 10: return 0;
        case 20: return 1;
        case 11: return 2;
        case 21: return 3;
        case 12: return 4;
        case 22: return 5;
        case 13: return 6;
        case 23: return 7;
        case 40: return 8;
        case 41: return 9;
        case 42: return 10;
        case 50: return 11;
        case 51: return 12;
        case 70: return 13;
        default: return -1;
        }
    }
    Extended Get(int Code, Extended Default) const
    {
        const int s = Slot(Code);
        return has[s] ? v[s] : Default;
    }
    // Reads until the next code 0 (left in P) or the end.
    bool Read(TPairs& P)
    {
        bool more = P.Next();
        while (more && P.Code != 0) {
            Take(P.Code, P.Value);
            more = P.Next();
        }
        return more;
    }
    void Take(int Code, std::string_view Value)
    {
        if (Code == 1)
            text = Value;
        else if (Code == 2)
            name = Value;
        else if (Code == 8) {
            layer = Value;
            hasLayer = true;
        } else if (const int s = Slot(Code); s >= 0) {
            v[s] = Number(Value);
            has[s] = true;
        }
    }
};

// A layer name: one of the named layers, else its number; anything else,
// and a negative number, is layer 0.
int LayerOf(std::string_view Name)
{
    for (int i = 0; i <= 5; ++i)
        if (Name == cadsettings.LayerNames[i]) return i;
    const std::string_view t = Trim(Name);
    int64_t n = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || r.ec != std::errc{} || r.ptr != t.data() + t.size() || n < 0) return 0;
    return static_cast<int>(n > 31 ? 16 + n % 16 : n);
}

void SetLayerOf(const TGroups& G)
{
    if (G.hasLayer) CadSetLayer(LayerOf(G.layer));
}

void Map(Extended& X2, Extended& Y2, Extended X, Extended Y)
{
    ScaleRotateShiftPoint(X2, Y2, S.BlockInsScaleX, S.BlockInsScaleY, S.BlockInsX, S.BlockInsY, S.BlockInsAngle, X,
                          Y);
}

struct TVertex {
    Extended x, y, bulge;
};

// One polyline segment in world coordinates: a line, or for a bulge the arc
// through both points.
void Segment(const TVertex& A, const TVertex& B)
{
    Extended x1, y1, x2, y2;
    Map(x1, y1, A.x, A.y);
    Map(x2, y2, B.x, B.y);
    if (A.bulge == 0) {
        CadLine(x1, y1, x2, y2);
        return;
    }
    Extended phi = 4 * std::atan(A.bulge);
    // A mirroring insert turns the arc the other way.
    if (S.BlockInsScaleX * S.BlockInsScaleY < 0) phi = -phi;
    Extended xc = 0, yc = 0, a1 = 0, a2 = 0, r = 0;
    if (GetArcCenter(xc, yc, a1, x1, y1, x2, y2, phi, a2, r))
        CadArc(xc, yc, RadToDeg(a1), RadToDeg(a2), r);
    else
        CadLine(x1, y1, x2, y2);
}

void DrawVertices(const std::vector<TVertex>& V, bool Closed)
{
    for (size_t i = 0; i + 1 < V.size(); ++i)
        Segment(V[i], V[i + 1]);
    if (Closed && V.size() > 1) Segment(V.back(), V.front());
}

void TooManyVertices()
{
    reportservices.ShowMessageIfEnabled("Elements > " + std::to_string(MaxVertices) + " !");
    telmvar.Aborted = true;
}

bool UpperEquals(std::string_view V, std::string_view Upper)
{
    if (V.size() != Upper.size()) return false;
    for (size_t i = 0; i < V.size(); ++i) {
        char c = V[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != Upper[i]) return false;
    }
    return true;
}

bool ReadLwPolyline(TPairs& P)
{
    std::vector<TVertex> v;
    int layer = -1;
    bool more = P.Next();
    while (more && P.Code != 0 && !(P.Code == 100 && P.Value == "AcDbPolyline")) {
        if (P.Code == 8) layer = LayerOf(P.Value);
        more = P.Next();
    }
    if (more && P.Code == 100) more = P.Next();
    while (more && P.Code != 0) {
        const int c = P.Code;
        if (c == 8) {
            layer = LayerOf(P.Value);
        } else if (c == 10) {
            if (v.size() >= MaxVertices) {
                TooManyVertices();
                return false;
            }
            v.push_back({Number(P.Value), 0, 0});
        } else if (c == 20 && !v.empty()) {
            v.back().y = Number(P.Value);
        } else if (c == 42 && !v.empty()) {
            v.back().bulge = Number(P.Value);
        } else if (!(c == 38 || c == 39 || c == 40 || c == 41 || c == 43 || c == 70 || c == 90 || c == 210 ||
                     c == 220 || c == 230 || c == 20 || c == 42)) {
            // Any other group ends the vertex list.
            break;
        }
        more = P.Next();
    }
    while (more && P.Code != 0)
        more = P.Next();
    if (layer >= 0) CadSetLayer(layer);
    DrawVertices(v, false);
    return more;
}

bool ReadPolyline(TPairs& P)
{
    TGroups header;
    bool more = header.Read(P);
    if (!more || P.Value != "VERTEX") {
        reportservices.ShowMessageIfEnabled("Error in DXF File");
        return more;
    }
    std::vector<TVertex> v;
    int layer = header.hasLayer ? LayerOf(header.layer) : -1;
    while (more && P.Value == "VERTEX") {
        TGroups g;
        more = g.Read(P);
        if (v.size() >= MaxVertices) {
            TooManyVertices();
            return false;
        }
        if (g.hasLayer) layer = LayerOf(g.layer);
        v.push_back({g.Get(10, 0), g.Get(20, 0), g.Get(42, 0)});
    }
    if (more && P.Value == "SEQEND") {
        TGroups end;
        more = end.Read(P);
    }
    if (layer >= 0) CadSetLayer(layer);
    DrawVertices(v, static_cast<int>(header.Get(70, 0)) == 1);
    return more;
}

} // namespace

void DrawDxfBlockBytes(std::string_view Bytes)
{
    TPairs P(Bytes);
    bool more = P.Next();
    while (more) {
        if (P.Code != 0) {
            more = P.Next();
            continue;
        }
        const std::string_view kind = P.Value;
        if (kind == "EOF") break;
        if (UpperEquals(kind, "LWPOLYLINE")) {
            more = ReadLwPolyline(P);
        } else if (kind == "POLYLINE") {
            more = ReadPolyline(P);
        } else if (kind == "LINE" || kind == "CIRCLE" || kind == "ARC" || kind == "TEXT" || kind == "SOLID" ||
                   kind == "INSERT") {
            const std::string entity(kind);
            TGroups g;
            more = g.Read(P);
            if (entity == "INSERT") {
                const int before = S.CadLayer;
                ReadDxfBlockFile(std::string(g.name), g.Get(10, 0), g.Get(20, 0), g.Get(50, 0), g.Get(41, 1),
                                 g.Get(42, 1));
                CadSetLayer(before);
            } else {
                SetLayerOf(g);
                Extended x1, y1;
                Map(x1, y1, g.Get(10, 0), g.Get(20, 0));
                if (entity == "LINE") {
                    Extended x2, y2;
                    Map(x2, y2, g.Get(11, 0), g.Get(21, 0));
                    CadLine(x1, y1, x2, y2);
                } else if (entity == "CIRCLE") {
                    CadCircle(x1, y1, g.Get(40, 0) * std::fabs(S.BlockInsScaleX));
                } else if (entity == "ARC") {
                    const Extended r = g.Get(40, 0) * std::fabs(S.BlockInsScaleX);
                    if (r != 0)
                        CadArc(x1, y1, g.Get(50, 0) + S.BlockInsAngle, g.Get(51, 0) + S.BlockInsAngle, r);
                } else if (entity == "TEXT") {
                    const Extended h = g.Get(40, 3.5L);
                    // The composed angle of all nesting levels, so that a
                    // text turns with the geometry around it.
                    CadSetTextStyle(2, g.Get(50, 0) + S.BlockInsAngle, h * S.BlockInsScaleY,
                                    h * g.Get(41, 1.0L) * S.BlockInsScaleX);
                    CadTextAt(x1, y1, std::string(g.text));
                } else {
                    Extended x2, y2, x3, y3, x4, y4;
                    Map(x2, y2, g.Get(11, 0), g.Get(21, 0));
                    Map(x3, y3, g.Get(12, 0), g.Get(22, 0));
                    Map(x4, y4, g.Get(13, 0), g.Get(23, 0));
                    CadSolid(x1, y1, x2, y2, x3, y3, x4, y4);
                }
            }
        } else {
            AddErrorMessage("Error  : DXF: " + std::string(kind));
            break;
        }
        if (telmvar.Aborted || nestingFailed) break;
    }
    if (P.Malformed) AddErrorMessage("Error  : DXF: " + std::string(P.BadLine.substr(0, 40)));
}

void ReadDxfBlockFile(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                      Extended ScaleY)
{
    // Each insert starts from its caller's transform and hands it back.
    struct TSaved {
        Extended X, Y, Angle, ScaleX, ScaleY;
        int32_t Depth;
    } const saved{S.BlockInsX, S.BlockInsY, S.BlockInsAngle, S.BlockInsScaleX, S.BlockInsScaleY, S.CadBlockCount};
    auto restore = [&saved] {
        S.BlockInsX = saved.X;
        S.BlockInsY = saved.Y;
        S.BlockInsAngle = saved.Angle;
        S.BlockInsScaleX = saved.ScaleX;
        S.BlockInsScaleY = saved.ScaleY;
        S.CadBlockCount = saved.Depth;
    };
    if (S.CadBlockCount == 0) nestingFailed = false;
    S.CadBlockCount += 1;
    Extended x = 0, y = 0;
    Map(x, y, X, Y);
    S.BlockInsX = x;
    S.BlockInsY = y;
    S.BlockInsAngle += Angle;
    S.BlockInsScaleX *= ScaleX;
    S.BlockInsScaleY *= ScaleY;
    if (S.CadBlockCount > MaxBlockDepth) {
        // A block that inserts itself (or nests too deep) is drawn as
        // nothing; the rest of the drawing goes on.
        reportservices.ShowMessageIfEnabled("error blockno." + std::to_string(S.CadBlockCount));
        nestingFailed = true;
        restore();
        return;
    }
    TCadBlockStore& store = CadBlockFiles();
    const std::optional<std::string> path = store.Find(Name);
    const std::string* bytes = path ? store.Contents(*path) : nullptr;
    if (bytes == nullptr) {
        AddErrorMessage("Invalid temp directory");
        telmvar.Aborted = true;
        restore();
        return;
    }
    DrawDxfBlockBytes(*bytes);
    restore();
}
