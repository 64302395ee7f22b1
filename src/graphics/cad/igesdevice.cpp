#include "graphics/cad/igesdevice.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cadsettings.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace
{

using TPlacement = TCadIgesDevice::TPlacement;

// Chords of a scaled arc that is no longer circular stay within this of
// the true curve (mm), well inside what a drawing shows.
constexpr Extended ChordDeviation = 0.002L;
constexpr int MaxChords = 20000;

std::string Folded(std::string Name)
{
    for (char& c : Name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return Name;
}

bool IsIdentity(const TPlacement& P)
{
    return P.A == 1 && P.B == 0 && P.C == 0 && P.D == 1 && P.E == 0 && P.F == 0;
}

void Map(const TPlacement& P, Extended X, Extended Y, Extended& OX, Extended& OY)
{
    OX = P.A * X + P.B * Y + P.E;
    OY = P.C * X + P.D * Y + P.F;
}

// Outer after Inner.
TPlacement Compose(const TPlacement& Outer, const TPlacement& Inner)
{
    TPlacement r;
    r.A = Outer.A * Inner.A + Outer.B * Inner.C;
    r.B = Outer.A * Inner.B + Outer.B * Inner.D;
    r.C = Outer.C * Inner.A + Outer.D * Inner.C;
    r.D = Outer.C * Inner.B + Outer.D * Inner.D;
    Map(Outer, Inner.E, Inner.F, r.E, r.F);
    return r;
}

// An instance as a DXF reader places it: scaled, turned, then moved.
TPlacement InstancePlacement(Extended X, Extended Y, Extended Angle, Extended SX, Extended SY)
{
    const Extended a = DegToRad(Angle), c = std::cos(a), s = std::sin(a);
    TPlacement p;
    p.A = c * SX;
    p.B = -s * SY;
    p.C = s * SX;
    p.D = c * SY;
    p.E = X;
    p.F = Y;
    return p;
}

// The direction (degrees) a direction of the block takes in the drawing.
Extended MapAngle(const TPlacement& P, Extended Degrees)
{
    const Extended a = DegToRad(Degrees);
    return RadToDeg(std::atan2(P.C * std::cos(a) + P.D * std::sin(a), P.A * std::cos(a) + P.B * std::sin(a)));
}

// The scale of a placement that keeps circles circles (turned, moved,
// mirrored, evenly scaled), else 0.
Extended EvenScale(const TPlacement& P)
{
    const Extended sx = std::hypot(P.A, P.C), sy = std::hypot(P.B, P.D);
    const Extended tolerance = 1e-9L * std::max(sx, sy);
    if (std::fabs(sx - sy) > tolerance || std::fabs(P.A * P.B + P.C * P.D) > tolerance * std::max(sx, sy))
        return 0;
    return sx;
}

} // namespace

void TCadIgesDevice::BeginDrawing(Extended, Extended, Extended X2, Extended Y2, Extended)
{
    writer_.StartFile(std::max(X2, Y2));
}

void TCadIgesDevice::BeginBlock(const std::string& Name)
{
    // The first of a name wins, as in the file's own look-up; a second
    // definition of it is kept nowhere.
    auto [it, added] = blocks_.try_emplace(Folded(Name));
    if (!added) {
        spare_ = TBlock{};
        recording_ = &spare_;
    } else {
        it->second.Name = Name;
        recording_ = &it->second;
    }
    // The block's entities take the layer in force where it starts.
    TCall layer;
    layer.Kind = TCall::TKind::Layer;
    layer.Layer = pen_.Layer;
    layer.LayerMode = pen_.LayerMode;
    recording_->Calls.push_back(std::move(layer));
}

void TCadIgesDevice::SetLayer(int N)
{
    // The pen goes on as the calls come, inside a block as well, so that
    // what follows a block is drawn as before it was kept back.
    Pen({N, cadstate.CadLayerMode});
    if (recording_ == nullptr) return;
    TCall c;
    c.Kind = TCall::TKind::Layer;
    c.Layer = N;
    c.LayerMode = pen_.LayerMode;
    recording_->Calls.push_back(std::move(c));
}

void TCadIgesDevice::Pen(const TPen& P)
{
    pen_ = P;
    writer_.SetLayer(P.Layer, P.LayerMode);
}

void TCadIgesDevice::Take(TCall Call)
{
    if (recording_ != nullptr)
        recording_->Calls.push_back(std::move(Call));
    else
        Draw(Call, TPlacement{});
}

void TCadIgesDevice::Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    TCall c;
    c.Kind = TCall::TKind::Line;
    c.V[0] = X1, c.V[1] = Y1, c.V[2] = X2, c.V[3] = Y2;
    Take(std::move(c));
}

void TCadIgesDevice::Circle(Extended X, Extended Y, Extended R)
{
    TCall c;
    c.Kind = TCall::TKind::Circle;
    c.V[0] = X, c.V[1] = Y, c.V[2] = R;
    Take(std::move(c));
}

void TCadIgesDevice::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    TCall c;
    c.Kind = TCall::TKind::Arc;
    c.V[0] = X, c.V[1] = Y, c.V[2] = Start, c.V[3] = End, c.V[4] = R;
    Take(std::move(c));
}

void TCadIgesDevice::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                           Extended X4, Extended Y4)
{
    TCall c;
    c.Kind = TCall::TKind::Solid;
    const Extended v[8] = {X1, Y1, X2, Y2, X3, Y3, X4, Y4};
    std::copy(v, v + 8, c.V);
    Take(std::move(c));
}

void TCadIgesDevice::Text(const std::string& Text, Extended X, Extended Y, const TCadTextStyle& Style)
{
    TCall c;
    c.Kind = TCall::TKind::Text;
    c.V[0] = X, c.V[1] = Y;
    c.Name = Text;
    c.Style = Style;
    Take(std::move(c));
}

void TCadIgesDevice::Insert(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended SX,
                            Extended SY)
{
    TCall c;
    c.Kind = TCall::TKind::Insert;
    c.V[0] = X, c.V[1] = Y, c.V[2] = Angle, c.V[3] = SX, c.V[4] = SY;
    c.Name = Name;
    Take(std::move(c));
}

TCadIgesDevice::TBlock* TCadIgesDevice::Find(const std::string& Name)
{
    const auto it = blocks_.find(Folded(Name));
    return it == blocks_.end() ? nullptr : &it->second;
}

void TCadIgesDevice::ArcThrough(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    const Extended s = DegToRad(Start), e = DegToRad(End);
    const Extended xs = X + R * std::cos(s), ys = Y + R * std::sin(s);
    // An arc over the whole circle gets the same start and end point, which
    // IGES reads as the full circle; computed apart, the two points could
    // differ in the last digit and make a tiny arc.
    const Extended sweep = std::fmod(std::fabs(End - Start), 360.0L);
    if (sweep < 1e-5L || 360 - sweep < 1e-5L) {
        writer_.Arc(X, Y, xs, ys, xs, ys);
        return;
    }
    writer_.Arc(X, Y, xs, ys, X + R * std::cos(e), Y + R * std::sin(e));
}

void TCadIgesDevice::Draw(const TCall& Call, const TPlacement& P)
{
    const Extended* v = Call.V;
    const bool asIs = IsIdentity(P);
    switch (Call.Kind) {
    case TCall::TKind::Layer:
        Pen({Call.Layer, Call.LayerMode});
        return;
    case TCall::TKind::Line: {
        Extended x1, y1, x2, y2;
        Map(P, v[0], v[1], x1, y1);
        Map(P, v[2], v[3], x2, y2);
        writer_.Line(x1, y1, x2, y2);
        return;
    }
    case TCall::TKind::Solid: {
        Extended m[8];
        for (int i = 0; i < 8; i += 2)
            Map(P, v[i], v[i + 1], m[i], m[i + 1]);
        writer_.Solid(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7]);
        return;
    }
    case TCall::TKind::Text: {
        Extended x, y;
        Map(P, v[0], v[1], x, y);
        TIgesTextStyle style{Call.Style.Height, Call.Style.Width, Call.Style.Angle};
        if (!asIs) {
            // The text's height runs across its base line, its width along.
            const Extended a = DegToRad(Call.Style.Angle);
            const Extended along =
                std::hypot(P.A * std::cos(a) + P.B * std::sin(a), P.C * std::cos(a) + P.D * std::sin(a));
            const Extended across =
                std::hypot(-P.A * std::sin(a) + P.B * std::cos(a), -P.C * std::sin(a) + P.D * std::cos(a));
            style.Height *= across;
            if (across > 0) style.Width *= along / across;
            style.Angle = MapAngle(P, Call.Style.Angle);
        }
        writer_.Text(ConvertTextForCad(Call.Name), x, y, style);
        return;
    }
    case TCall::TKind::Insert: {
        TBlock* block = Find(Call.Name);
        const bool unit = v[3] == 1 && v[4] == 1;
        if (block == nullptr || (asIs && unit)) {
            // An instance at scale 1: its definition first, then the 408 (an
            // unknown name gives the writer's message).
            if (block != nullptr) WriteDefinition(*block);
            writer_.Insert(block == nullptr ? Call.Name : block->Name, v[0], v[1], v[2]);
            return;
        }
        DrawOutInPlace(*block, Compose(P, InstancePlacement(v[0], v[1], v[2], v[3], v[4])));
        return;
    }
    case TCall::TKind::Circle:
    case TCall::TKind::Arc:
        break;
    }

    // Circles and arcs.
    const bool circle = Call.Kind == TCall::TKind::Circle;
    const Extended r = circle ? v[2] : v[4];
    const Extended start = circle ? 0 : v[2], end = circle ? 360 : v[3];
    if (asIs) {
        if (circle)
            writer_.Circle(v[0], v[1], r);
        else
            ArcThrough(v[0], v[1], start, end, r);
        return;
    }
    Extended cx, cy;
    Map(P, v[0], v[1], cx, cy);
    const Extended k = EvenScale(P);
    if (k > 0) {
        // A mirror turns the sense of the arc: it then runs from the image
        // of its end to that of its start.
        const bool mirrored = P.A * P.D - P.B * P.C < 0;
        const Extended from = MapAngle(P, mirrored ? end : start);
        if (circle)
            writer_.Circle(cx, cy, r * k);
        else
            ArcThrough(cx, cy, from, from + (end - start), r * k);
        return;
    }
    // Scaled unevenly: an ellipse, drawn as chords.
    Extended sweep = std::fmod(end - start, Extended(360));
    if (sweep <= 1e-5L) sweep += 360;
    const Extended reach = std::fabs(r) * std::sqrt(P.A * P.A + P.B * P.B + P.C * P.C + P.D * P.D);
    if (reach == 0) return;
    const Extended step = 2 * std::acos(std::max(Extended(-1), 1 - ChordDeviation / reach));
    const int n = std::clamp(static_cast<int>(std::ceil(DegToRad(sweep) / std::max(step, Extended(1e-6)))), 1,
                             MaxChords);
    Extended px = 0, py = 0;
    for (int i = 0; i <= n; ++i) {
        const Extended a = DegToRad(start + sweep * i / n);
        Extended x, y;
        Map(P, v[0] + r * std::cos(a), v[1] + r * std::sin(a), x, y);
        if (i > 0) writer_.Line(px, py, x, y);
        px = x;
        py = y;
    }
}

void TCadIgesDevice::DrawOutInPlace(TBlock& Block, const TPlacement& P)
{
    if (Block.Busy) return;
    Block.Busy = true;
    const TPen pen = pen_;
    for (const TCall& c : Block.Calls)
        Draw(c, P);
    Pen(pen);
    Block.Busy = false;
}

void TCadIgesDevice::WriteDefinition(TBlock& Block)
{
    if (Block.Written || Block.Busy) return;
    Block.Busy = true;
    const TPen pen = pen_;
    // One definition is open at a time: the blocks this one places at
    // scale 1 are written before it.
    for (const TCall& c : Block.Calls)
        if (c.Kind == TCall::TKind::Insert && c.V[3] == 1 && c.V[4] == 1)
            if (TBlock* inner = Find(c.Name)) WriteDefinition(*inner);
    writer_.BeginSubfigure(Block.Name);
    for (const TCall& c : Block.Calls)
        Draw(c, TPlacement{});
    writer_.EndSubfigure();
    Pen(pen);
    Block.Written = true;
    Block.Busy = false;
}

TCadWriterDate CadWriterSystemToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday};
}

TCadWriters cadwriters;

TIgesOptions IgesOptionsFromSettings()
{
    TIgesOptions o;
    o.FileName = ExtractBaseName(cadstate.CadFileName);
    o.ProgramName = telmvar.ProgramName;
    o.ProgramVersion = telmvar.ProgramVersion;
    o.DecimalDigits = telmvar.DecimalDigits;
    const TCadWriterDate d = cadwriters.Today ? cadwriters.Today() : CadWriterSystemToday();
    o.Year = d.Year;
    o.Month = d.Month;
    o.Day = d.Day;
    o.LayerColours = cadsettings.LayerColours;
    o.LayerColours16 = cadsettings.LayerColours16;
    return o;
}
