#include "graphics/cad/blockreader.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/planegeo.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadfiles.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "reports/engine/reportservices.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace
{

TCadState& S = cadstate;

// Vertices one polyline may have.
constexpr size_t MaxVertices = 100000;

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
        case 10:
            return 0;
        case 20:
            return 1;
        case 11:
            return 2;
        case 21:
            return 3;
        case 12:
            return 4;
        case 22:
            return 5;
        case 13:
            return 6;
        case 23:
            return 7;
        case 40:
            return 8;
        case 41:
            return 9;
        case 42:
            return 10;
        case 50:
            return 11;
        case 51:
            return 12;
        case 70:
            return 13;
        default:
            return -1;
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

} // namespace

// One block file parsed: what each entity draws, in file order, with the
// numbers already read. Replaying it draws exactly what reading the bytes
// drew; only the transform in force is applied per insert.
struct TDxfBlockEntities {
    enum class TKind : uint8_t {
        Line,            // x1 y1 x2 y2
        Circle,          // x y r
        Arc,             // x y r a1 a2
        Text,            // x y height angle width factor; Str: the text
        Solid,           // four corners
        Polyline,        // x y bulge per vertex; Closed
        Insert,          // x y angle scale-x scale-y; Str: the block name
        BadPolyline,     // "Error in DXF File", nothing drawn
        TooManyVertices, // message, Aborted; nothing drawn
        UnknownEntity,   // message naming Str; the block ends
    };
    struct TEntity {
        TKind Kind;
        bool Closed = false;
        int32_t Layer = -1; // index into Layers, -1: layer left as it is
        uint32_t First = 0; // into Numbers
        uint32_t Count = 0;
        int32_t Str = -1; // into Strings
    };
    std::vector<TEntity> Entities;
    std::vector<Extended> Numbers;
    std::vector<std::string> Strings;
    // Layer names as written (resolved per insert: the layer names of the
    // settings may change between outputs).
    std::vector<std::string> Layers;
    // A code line that is not a number ended the file after the last entity.
    bool Malformed = false;
    std::string BadLine;
};

namespace
{

using TKind = TDxfBlockEntities::TKind;

class TBuilder
{
  public:
    TDxfBlockEntities B;

    TDxfBlockEntities::TEntity& Add(TKind Kind, std::initializer_list<Extended> Numbers = {})
    {
        TDxfBlockEntities::TEntity e{Kind};
        e.First = static_cast<uint32_t>(B.Numbers.size());
        e.Count = static_cast<uint32_t>(Numbers.size());
        B.Numbers.insert(B.Numbers.end(), Numbers);
        B.Entities.push_back(e);
        return B.Entities.back();
    }
    int32_t Layer(std::string_view Name)
    {
        for (size_t i = 0; i < B.Layers.size(); ++i)
            if (B.Layers[i] == Name) return static_cast<int32_t>(i);
        B.Layers.emplace_back(Name);
        return static_cast<int32_t>(B.Layers.size() - 1);
    }
    int32_t Str(std::string_view Text)
    {
        B.Strings.emplace_back(Text);
        return static_cast<int32_t>(B.Strings.size() - 1);
    }
};

struct TVertex {
    Extended x, y, bulge;
};

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

void AddPolyline(TBuilder& Out, const std::vector<TVertex>& V, bool Closed,
                 std::optional<std::string_view> Layer)
{
    auto& e = Out.Add(TKind::Polyline);
    e.Closed = Closed;
    if (Layer) e.Layer = Out.Layer(*Layer);
    for (const TVertex& v : V)
        Out.B.Numbers.insert(Out.B.Numbers.end(), {v.x, v.y, v.bulge});
    e.Count = static_cast<uint32_t>(V.size() * 3);
}

bool ReadLwPolyline(TPairs& P, TBuilder& Out)
{
    std::vector<TVertex> v;
    std::optional<std::string_view> layer;
    bool more = P.Next();
    while (more && P.Code != 0 && !(P.Code == 100 && P.Value == "AcDbPolyline")) {
        if (P.Code == 8) layer = P.Value;
        more = P.Next();
    }
    if (more && P.Code == 100) more = P.Next();
    while (more && P.Code != 0) {
        const int c = P.Code;
        if (c == 8) {
            layer = P.Value;
        } else if (c == 10) {
            if (v.size() >= MaxVertices) {
                Out.Add(TKind::TooManyVertices);
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
    AddPolyline(Out, v, false, layer);
    return more;
}

bool ReadPolyline(TPairs& P, TBuilder& Out)
{
    TGroups header;
    bool more = header.Read(P);
    if (!more || P.Value != "VERTEX") {
        Out.Add(TKind::BadPolyline);
        return more;
    }
    std::vector<TVertex> v;
    std::optional<std::string_view> layer;
    if (header.hasLayer) layer = header.layer;
    while (more && P.Value == "VERTEX") {
        TGroups g;
        more = g.Read(P);
        if (v.size() >= MaxVertices) {
            Out.Add(TKind::TooManyVertices);
            return false;
        }
        if (g.hasLayer) layer = g.layer;
        v.push_back({g.Get(10, 0), g.Get(20, 0), g.Get(42, 0)});
    }
    if (more && P.Value == "SEQEND") {
        TGroups end;
        more = end.Read(P);
    }
    AddPolyline(Out, v, static_cast<int>(header.Get(70, 0)) == 1, layer);
    return more;
}

std::shared_ptr<const TDxfBlockEntities> ParseDxfBlock(std::string_view Bytes)
{
    TBuilder out;
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
            more = ReadLwPolyline(P, out);
        } else if (kind == "POLYLINE") {
            more = ReadPolyline(P, out);
        } else if (kind == "LINE" || kind == "CIRCLE" || kind == "ARC" || kind == "TEXT" || kind == "SOLID" ||
                   kind == "INSERT") {
            const std::string entity(kind);
            TGroups g;
            more = g.Read(P);
            if (entity == "INSERT") {
                auto& e = out.Add(TKind::Insert,
                                  {g.Get(10, 0), g.Get(20, 0), g.Get(50, 0), g.Get(41, 1), g.Get(42, 1)});
                e.Str = out.Str(g.name);
                continue;
            }
            const Extended x = g.Get(10, 0), y = g.Get(20, 0);
            TDxfBlockEntities::TEntity* e = nullptr;
            if (entity == "LINE") {
                e = &out.Add(TKind::Line, {x, y, g.Get(11, 0), g.Get(21, 0)});
            } else if (entity == "CIRCLE") {
                e = &out.Add(TKind::Circle, {x, y, g.Get(40, 0)});
            } else if (entity == "ARC") {
                e = &out.Add(TKind::Arc, {x, y, g.Get(40, 0), g.Get(50, 0), g.Get(51, 0)});
            } else if (entity == "TEXT") {
                e = &out.Add(TKind::Text, {x, y, g.Get(40, 3.5L), g.Get(50, 0), g.Get(41, 1.0L)});
                e->Str = out.Str(g.text);
            } else {
                e = &out.Add(TKind::Solid, {x, y, g.Get(11, 0), g.Get(21, 0), g.Get(12, 0), g.Get(22, 0),
                                            g.Get(13, 0), g.Get(23, 0)});
            }
            if (g.hasLayer) e->Layer = out.Layer(g.layer);
        } else {
            out.Add(TKind::UnknownEntity).Str = out.Str(kind);
            break;
        }
    }
    if (P.Malformed) {
        out.B.Malformed = true;
        out.B.BadLine = std::string(P.BadLine.substr(0, 40));
    }
    return std::make_shared<const TDxfBlockEntities>(std::move(out.B));
}

// The block transform in force, with its sine and cosine worked out once
// per insert instead of once per point (the same expressions as the
// program's point rotation, so every point comes out bit for bit the same).
struct TTransform {
    Extended sx, sy, dx, dy, c, s;
    TTransform()
    {
        sx = S.BlockInsScaleX;
        sy = S.BlockInsScaleY;
        dx = S.BlockInsX;
        dy = S.BlockInsY;
        const Extended phi = DegToRad(S.BlockInsAngle);
        c = std::cos(phi);
        s = std::sin(phi);
    }
    void Map(Extended& X2, Extended& Y2, Extended X, Extended Y) const
    {
        const Extended x = X * sx, y = Y * sy;
        X2 = x * c - y * s;
        Y2 = y * c + x * s;
        X2 += dx;
        Y2 += dy;
    }
};

// One polyline segment in world coordinates: a line, or for a bulge the arc
// through both points.
void Segment(const TTransform& T, const Extended* A, const Extended* B)
{
    Extended x1, y1, x2, y2;
    T.Map(x1, y1, A[0], A[1]);
    T.Map(x2, y2, B[0], B[1]);
    if (A[2] == 0) {
        CadLine(x1, y1, x2, y2);
        return;
    }
    Extended phi = 4 * std::atan(A[2]);
    // A mirroring insert turns the arc the other way.
    if (S.BlockInsScaleX * S.BlockInsScaleY < 0) phi = -phi;
    Extended xc = 0, yc = 0, a1 = 0, a2 = 0, r = 0;
    if (GetArcCenter(xc, yc, a1, x1, y1, x2, y2, phi, a2, r))
        CadArc(xc, yc, RadToDeg(a1), RadToDeg(a2), r);
    else
        CadLine(x1, y1, x2, y2);
}

void TooManyVertices()
{
    reportservices.ShowMessageIfEnabled("Elements > " + std::to_string(MaxVertices) + " !");
    telmvar.Aborted = true;
}

void DrawEntities(TCadBlockStore& Store, const TDxfBlockEntities& B)
{
    std::vector<int> layers(B.Layers.size());
    for (size_t i = 0; i < layers.size(); ++i)
        layers[i] = LayerOf(B.Layers[i]);
    TTransform T;
    size_t done = 0;
    for (const TDxfBlockEntities::TEntity& e : B.Entities) {
        const Extended* n = B.Numbers.data() + e.First;
        switch (e.Kind) {
        case TKind::Insert: {
            const int before = S.CadLayer;
            ReadDxfBlockFile(Store, B.Strings[e.Str], n[0], n[1], n[2], n[3], n[4]);
            CadSetLayer(before);
            T = TTransform();
            break;
        }
        case TKind::BadPolyline:
            reportservices.ShowMessageIfEnabled("Error in DXF File");
            break;
        case TKind::TooManyVertices:
            TooManyVertices();
            break;
        case TKind::UnknownEntity:
            AddErrorMessage("Error  : DXF: " + B.Strings[e.Str]);
            break;
        case TKind::Polyline: {
            if (e.Layer >= 0) CadSetLayer(layers[e.Layer]);
            const size_t count = e.Count / 3;
            for (size_t i = 0; i + 1 < count; ++i)
                Segment(T, n + 3 * i, n + 3 * (i + 1));
            if (e.Closed && count > 1) Segment(T, n + 3 * (count - 1), n);
            break;
        }
        default: {
            if (e.Layer >= 0) CadSetLayer(layers[e.Layer]);
            Extended x1, y1;
            T.Map(x1, y1, n[0], n[1]);
            if (e.Kind == TKind::Line) {
                Extended x2, y2;
                T.Map(x2, y2, n[2], n[3]);
                CadLine(x1, y1, x2, y2);
            } else if (e.Kind == TKind::Circle) {
                CadCircle(x1, y1, n[2] * std::fabs(S.BlockInsScaleX));
            } else if (e.Kind == TKind::Arc) {
                const Extended r = n[2] * std::fabs(S.BlockInsScaleX);
                if (r != 0) CadArc(x1, y1, n[3] + S.BlockInsAngle, n[4] + S.BlockInsAngle, r);
            } else if (e.Kind == TKind::Text) {
                const Extended h = n[2];
                // The composed angle of all nesting levels, so that a
                // text turns with the geometry around it.
                CadSetTextStyle(2, n[3] + S.BlockInsAngle, h * S.BlockInsScaleY, h * n[4] * S.BlockInsScaleX);
                CadTextAt(x1, y1, B.Strings[e.Str]);
            } else {
                Extended x2, y2, x3, y3, x4, y4;
                T.Map(x2, y2, n[2], n[3]);
                T.Map(x3, y3, n[4], n[5]);
                T.Map(x4, y4, n[6], n[7]);
                CadSolid(x1, y1, x2, y2, x3, y3, x4, y4);
            }
        }
        }
        ++done;
        if (telmvar.Aborted || S.CadBlockNestingFailed) break;
    }
    // The bad line was met while reading the last entity: reported only when
    // the drawing got that far.
    if (B.Malformed && done == B.Entities.size()) AddErrorMessage("Error  : DXF: " + B.BadLine);
}

} // namespace

void DrawDxfBlockBytes(TCadBlockStore& Store, std::string_view Bytes)
{
    DrawEntities(Store, *ParseDxfBlock(Bytes));
}

void ReadDxfBlockFile(TCadBlockStore& Store, const std::string& Name, Extended X, Extended Y, Extended Angle,
                      Extended ScaleX, Extended ScaleY)
{
    // Each insert starts from its caller's transform and hands it back.
    struct TSaved {
        Extended X, Y, Angle, ScaleX, ScaleY;
        int32_t Depth;
    } const saved{S.BlockInsX,      S.BlockInsY,      S.BlockInsAngle,
                  S.BlockInsScaleX, S.BlockInsScaleY, S.CadBlockCount};
    auto restore = [&saved] {
        S.BlockInsX = saved.X;
        S.BlockInsY = saved.Y;
        S.BlockInsAngle = saved.Angle;
        S.BlockInsScaleX = saved.ScaleX;
        S.BlockInsScaleY = saved.ScaleY;
        S.CadBlockCount = saved.Depth;
    };
    if (S.CadBlockCount == 0) S.CadBlockNestingFailed = false;
    S.CadBlockCount += 1;
    Extended x = 0, y = 0;
    ScaleRotateShiftPoint(x, y, S.BlockInsScaleX, S.BlockInsScaleY, S.BlockInsX, S.BlockInsY, S.BlockInsAngle,
                          X, Y);
    S.BlockInsX = x;
    S.BlockInsY = y;
    S.BlockInsAngle += Angle;
    S.BlockInsScaleX *= ScaleX;
    S.BlockInsScaleY *= ScaleY;
    if (S.CadBlockCount > MaxBlockDepth) {
        // A block that inserts itself (or nests too deep) is drawn as
        // nothing; the rest of the drawing goes on.
        reportservices.ShowMessageIfEnabled("error blockno." + std::to_string(S.CadBlockCount));
        S.CadBlockNestingFailed = true;
        restore();
        return;
    }
    const std::optional<std::string> path = Store.Find(Name);
    const std::string* bytes = path ? Store.Contents(*path) : nullptr;
    if (bytes == nullptr) {
        AddErrorMessage("Invalid temp directory");
        telmvar.Aborted = true;
        restore();
        return;
    }
    // Parsed once per file and output; the pointer keeps the entities alive
    // while a nested insert might make the store forget them.
    std::shared_ptr<const TDxfBlockEntities>* slot = Store.Parsed(*path);
    std::shared_ptr<const TDxfBlockEntities> parsed = slot != nullptr ? *slot : nullptr;
    if (parsed == nullptr) {
        parsed = ParseDxfBlock(*bytes);
        if (slot != nullptr) *slot = parsed;
    }
    DrawEntities(Store, *parsed);
    restore();
}
