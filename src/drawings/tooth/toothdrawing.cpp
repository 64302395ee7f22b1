#include "drawings/tooth/toothdrawing.h"

#include "drawings/production/gearbody.h"
#include "drawings/tooth/diametercircles.h"
#include "drawings/tooth/meshpicture.h"
#include "drawings/tooth/toolprofile.h"
#include "drawings/tooth/toothcontour.h"
#include "drawings/tooth/toothgraphicsconfig.h"
#include "foundation/guardedmath.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace
{

TGearPairData& G = GearPair;

// Tooth shape counts from a project file are outside input: 0 takes its
// default, anything beyond 1..20000 is brought into range for the drawing
// only.
constexpr int ToothShapesMax = 20000;

const char* const ItemTexts[11] = {"",
                                   "tooth (involute)",
                                   "tooth gap (involute)",
                                   "tooth gap (tooth shape and involute)",
                                   "gear wheel (involute)",
                                   "gear wheel (tooth shape and involute)",
                                   "basic rack",
                                   "tooth contact",
                                   "planet gear, gear wheel 1+2",
                                   "Config",
                                   "return"};

std::string N(int Gear)
{
    return std::to_string(Gear);
}

void Help(int No)
{
    telmvar.HelpNumber = static_cast<uint16_t>(No);
}

// A setting changed for a while and put back on every way out, a block
// write that raises included.
template <class T> class TScopedValue
{
  public:
    TScopedValue(T& Ref, T Value) : ref_(Ref), saved_(Ref) { ref_ = Value; }
    ~TScopedValue() { ref_ = saved_; }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

  private:
    T& ref_;
    T saved_;
};

// The tool envelope with the shape count in range for the drawing; a 0
// keeps the default the envelope stores, any other count comes back.
void DrawToolEnvelopeClamped(int Gear)
{
    struct TRestore {
        int Saved;
        ~TRestore()
        {
            if (Saved != 0) G.GearToothShapes = Saved;
        }
    } restore{G.GearToothShapes};
    G.GearToothShapes = std::clamp(restore.Saved, 0, ToothShapesMax);
    DrawToolEnvelope(Gear);
}

// Defines one block; false when its file could not be written. The layer
// clears Aborted when a failed block ends, so the failure is caught before.
bool DefineBlock(const std::string& Name, const std::function<void()>& Body)
{
    CadBeginBlock(Name);
    bool ok = !telmvar.Aborted;
    if (ok) Body();
    ok = ok && !telmvar.Aborted;
    CadEndBlock();
    return ok;
}

// "sun wheel =  21 teeth, planet wheels =  15 teeth" with four-character
// right-aligned tooth counts.
std::string SunChoiceText(int Sun, int Planet)
{
    char a[16], b[16];
    std::snprintf(a, sizeof a, "%4d", Sun);
    std::snprintf(b, sizeof b, "%4d", Planet);
    return std::string("sun wheel =") + a + " teeth, planet wheels =" + b + " teeth";
}

void InsertAtOrigin(const std::string& Block, Extended AngleDeg)
{
    CadInsertBlock(Block, 0, 0, AngleDeg, 1, 1);
}

// The blocks of one item; false when one of them could not be written.
bool DefineItemBlocks(int Item, int Gear, int Section)
{
    const std::string g = N(Gear);
    const auto evolv = [](int Gr, bool Single) { return [Gr, Single] { GenerateToothContour(Gr, Single); }; };
    bool ok = true;
    const auto def = [&ok](const std::string& Name, const std::function<void()>& Body) {
        if (ok) ok = DefineBlock(Name, Body);
    };
    const auto toolBlocks = [&] {
        def("WERKZS" + g, [&] {
            confgraf(G.xv_pic);
            DrawToolProfile(Gear, !(Item == 3 && Section == 2), 0);
        });
        def("ZAHN" + g, [Gear] { DrawToolEnvelopeClamped(Gear); });
        confgraf(G.x_pic);
    };
    switch (Item) {
    case 2:
        def("EVOLV" + g, evolv(Gear, true));
        def("DMESS" + g, [Gear] { DrawMeasuringBall(Gear); });
        break;
    case 3:
        toolBlocks();
        def("EVOLV" + g, evolv(Gear, true));
        def("DMESS" + g, [Gear] { DrawMeasuringBall(Gear); });
        break;
    case 4:
        def("EVOLV" + g, evolv(Gear, true));
        break;
    case 5:
        toolBlocks();
        def("EVOLV" + g, evolv(Gear, true));
        if (Gear == 2 && G.z[2] < 0) {
            // The pinion inside the ring is drawn without auxiliary
            // diameters, whatever the setting; it comes back on every way
            // out.
            TScopedValue<int> aux(G.DrawingConfiguration, 1);
            def("EVOLV1", evolv(1, false));
            def("RAD1", [] { DrawGearWheel(1, false); });
        }
        break;
    case 7:
        def("EVOLV1", evolv(1, false));
        def("EVOLV2", evolv(2, false));
        break;
    case 8:
        def("EVOLV1", evolv(1, false));
        def("EVOLV2", evolv(2, false));
        def("RAD1", [] { DrawGearWheel(1, false); });
        def("RAD2", [] { DrawGearWheel(2, false); });
        break;
    default:
        break;
    }
    return ok;
}

// Item 2: the gap between two teeth with the ball, or N teeth with the
// sector down to the bore.
void DrawToothGap(int Gear, int Teeth)
{
    const std::string g = N(Gear);
    const int z = G.z[Gear];
    if (z == 0) return;
    CadSetLayer(0);
    if (Teeth == 2) {
        InsertAtOrigin("EVOLV" + g, 180.0L / z);
        InsertAtOrigin("EVOLV" + g, -180.0L / z);
        if (G.DrawingConfiguration == 2) DrawDiameterArcs(Gear, 90, 0, 0);
        CadSetLayer(0);
        InsertAtOrigin("DMESS" + g, 0);
        return;
    }
    const Extended first = (1 - Teeth) * 180.0L / z;
    for (int k = 0; k < Teeth; ++k)
        InsertAtOrigin("EVOLV" + g, first + k * 360.0L / z);
    if (G.dB[Gear] != 0) {
        const Extended A = DegToRad(Teeth * 180.0L / z);
        const Extended up = Pi / 2;
        const Extended rf = G.df_pic[Gear] / 2, rB = G.dB[Gear] / 2;
        CadSetLayer(5);
        CadBeginPolyline(1);
        CadPolylineVertexPolar(rf, up - A, 0);
        CadPolylineVertexPolar(rB, up - A, 2 * A);
        CadPolylineVertexPolar(rB, up + A, 0);
        // Closed back along the root circle, not across the teeth.
        CadPolylineVertexPolar(rf, up + A, -2 * A);
        CadEndPolyline();
    }
    if (G.DrawingConfiguration == 2) DrawDiameterArcs(Gear, 90, 0, 0);
}

void DrawWholeGear(int Gear)
{
    const bool internal = G.z[Gear] < 0;
    const Extended dB = G.dB[Gear];
    const bool body = G.DrawGearBody && dB != 0;
    if (body && internal) {
        CadSetLayer(5);
        CadCircle(0, 0, std::fabs(dB) / 2);
        const auto& h = G.RingFixingHoles;
        const Extended pcd = std::fabs(h.PitchCircleDiameter);
        if (h.Enabled && h.Count > 0 && std::fabs(G.df[Gear]) < pcd && pcd < std::fabs(dB)) {
            const int n = std::min(h.Count, ToothShapesMax);
            for (int k = 0; k < n; ++k) {
                const Extended t = 2 * Pi * k / n;
                CadFilledCircle(pcd / 2 * std::cos(t), pcd / 2 * std::sin(t), h.HoleDiameter / 2);
            }
        }
    }
    DrawGearWheel(Gear, false);
    if (body && !internal) {
        CadSetLayer(5);
        CadFilledCircle(0, 0, dB / 2);
    }
    if (G.DrawingConfiguration == 2 && cadstate.CadDevice != 6) DrawDiameterCircles(Gear, 0, 0);
}

void DrawEntities(int Item, int Gear, int Section, int Teeth)
{
    const std::string g = N(Gear);
    const int z = G.z[Gear];
    switch (Item) {
    case 1:
        GenerateToothContour(Gear, true);
        if (G.DrawingConfiguration == 2) DrawDiameterArcs(Gear, 90, 0, 0);
        break;
    case 2:
        DrawToothGap(Gear, Teeth);
        break;
    case 3:
        confgraf(G.xv_pic);
        DrawToolEnvelopeClamped(Gear);
        confgraf(G.x_pic);
        CadSetLayer(0);
        if (Section != 2 && z != 0) {
            InsertAtOrigin("EVOLV" + g, 180.0L / z);
            InsertAtOrigin("EVOLV" + g, -180.0L / z);
        }
        InsertAtOrigin("DMESS" + g, 0);
        if (G.DrawingConfiguration == 2) DrawDiameterArcs(Gear, 90, 0, 0);
        break;
    case 4:
        DrawWholeGear(Gear);
        break;
    case 5:
        if (Gear == 2 && G.z[2] < 0)
            DrawRingGearWithPinion();
        else
            DrawGearWheel(Gear, true);
        if (G.DrawingConfiguration == 2) DrawDiameterCircles(Gear, 0, 0);
        break;
    case 6:
        DrawToolProfile(Gear, false, 1);
        break;
    case 7: {
        const TMeshPictureFrame f = MeshPictureFrame();
        DrawMeshPicture(true, f.W, f.B, f.T, G.MeshRotationAngle);
        break;
    }
    case 8:
        if (G.PlanetSunChoice == 1 || G.z[2] < 0) {
            DrawPlanetArrangement(G.PicturePlanets, 1, G.MeshRotationAngle);
            if (G.DrawingConfiguration == 2) DrawDiameterCircles(1, 0, -G.a);
        } else {
            DrawPlanetArrangement(G.PicturePlanets, 2, G.MeshRotationAngle);
            if (G.DrawingConfiguration == 2) {
                DrawDiameterCircles(2, 0, -G.a);
                DrawDiameterCircles(1, 0, 0);
            }
        }
        break;
    default:
        break;
    }
}

// Output, window, blocks and entities of one picture; the output is closed
// (or abandoned) on every way out unless the caller owns it (Mode 2).
void DrawPicture(int Device, int Item, int Gear, int Section, int Teeth, int Mode)
{
    Help(8260);
    TCadOutputScope scope;
    if (Mode != 2) {
        CadOpenOutput(Device);
        if (telmvar.Aborted) return;
    }
    const TToothDrawingWindow w = ToothDrawingWindow(Item, Gear, Teeth);
    CadSetLayer(0);
    if (!(Mode == 2 && Item == 8)) CadBeginDrawing(w.X1, w.Y1, w.X2, w.Y2, G.b[Gear]);
    CadWriteTables(G.DrawingConfiguration == 2 ? 2 : 0);
    CadBeginBlocks();
    if (!DefineItemBlocks(Item, Gear, Section)) {
        CadEndSection();
        if (Mode != 2) CadAbandonOutput();
        if (reportservices.RestoreCursor) reportservices.RestoreCursor();
        if (reportservices.ShowMessageIfEnabled)
            reportservices.ShowMessageIfEnabled("file write error  -  temporary path !");
        telmvar.Aborted = true;
        return;
    }
    CadEndSection();
    CadBeginEntities();
    DrawEntities(Item, Gear, Section, Teeth);
    CadDeviceReady();
    CadEndSection();
    if (Mode != 2) CadCloseOutput(1);
    if (reportservices.RestoreCursor) reportservices.RestoreCursor();
}

} // namespace

std::string ToothDrawingItemText(int Item)
{
    return Item >= 1 && Item <= 10 ? ItemTexts[Item] : "";
}

TToothDrawingWindow ToothDrawingWindow(int Item, int Gear, int Teeth)
{
    const Extended mn = G.mn;
    const Extended d = G.d[Gear], da = G.da[Gear], df = G.df[Gear], da0 = G.da0[Gear], dB = G.dB[Gear];
    const int z = G.z[Gear];
    const bool internal = z < 0;
    TToothDrawingWindow w;
    const auto set = [&w](Extended X1, Extended Y1, Extended X2, Extended Y2) { w = {X1, Y1, X2, Y2}; };
    switch (Item) {
    case 1:
        set(-3 * mn, d / 2 - 2 * mn, 3 * mn, d / 2 + 2 * mn);
        break;
    case 2: {
        if (Teeth == 2 || z == 0) {
            set(-3.5L * mn, d / 2 - 2 * mn, 3.5L * mn, d / 2 + 2 * mn);
            break;
        }
        const Extended phi = 2 * Pi * Teeth / std::abs(z);
        const bool narrow = phi <= 2.199114857512855L;
        if (!internal && narrow) {
            const Extended X = da / 2 * std::sin(phi / 2) + 0.05L * mn;
            const Extended R = dB > 0 ? dB / 2 - 0.5L * mn : df / 2 - 0.5L * mn;
            set(-X, R * std::cos(phi / 2), X, da / 2 + 0.1L * mn);
        } else if (!internal) {
            set(-da, -da, da, da);
        } else if (narrow) {
            const Extended X = std::fabs(df) / 2 * std::sin(phi / 2) + 0.3L * mn;
            set(-X, std::min(dB / 2, df / 2) - 0.5L * mn, X,
                -(std::fabs(da) / 2 - 0.5L * mn) * std::cos(phi / 2));
        } else {
            const Extended R = 2 * mn - df;
            set(-R, -R, R, R);
        }
        break;
    }
    case 3:
        set(-3.5L * mn, d / 2 - 2 * mn, 3.5L * mn, d / 2 + 3.5L * mn);
        break;
    case 4:
    case 5:
        if (Gear == 2 && internal)
            set(df / 2 - mn, df / 2 - mn, -df / 2 + mn, -df / 2 + mn);
        else
            set(-da0 / 2 - 1.5L * mn, -da0 / 2 - 1.5L * mn, da0 / 2 + 1.5L * mn, da0 / 2 + 1.5L * mn);
        break;
    case 6:
        set(-2 * mn, -2 * mn, 2 * mn, 2 * mn);
        break;
    case 7: {
        const auto [W, B, T] = MeshPictureFrame();
        set(-W - 0.1L * mn, B - 0.4318181818181818L * W - 0.1L * mn, W + 0.1L * mn, T + 0.1L * mn);
        break;
    }
    case 8:
        if (G.z[2] < 0) {
            const Extended df2 = G.df[2];
            set(df2 / 2 - mn, df2 / 2 - mn, -df2 / 2 + mn, -df2 / 2 + mn);
        } else {
            const Extended S = G.da0[2] / 2 + G.da0[1] + mn;
            set(-S, -S, S, S);
        }
        break;
    default:
        set(-da0 / 2 - 1.5L * mn, -da0 / 2 - 1.5L * mn, da0 / 2 + 1.5L * mn, da0 / 2 + 1.5L * mn);
        break;
    }
    return w;
}

void DrawGearWheel(int Gear, bool WithToothShape)
{
    if (telmvar.Aborted || (Gear != 1 && Gear != 2)) return;
    const int z = G.z[Gear];
    if (z == 0) return;
    const std::string g = N(Gear);
    const Extended pitch = 360.0L / z;
    for (int k = 0; k < std::abs(z); ++k) {
        CadSetLayer(0);
        InsertAtOrigin("EVOLV" + g, 360 - k * pitch + pitch / 2);
        if (WithToothShape) InsertAtOrigin("ZAHN" + g, 360 - k * pitch);
        if (StopToothLoop(k)) break;
    }
}

void DrawRingGearWithPinion()
{
    const int z2 = G.z[2];
    const Extended dw1 = G.dw_pic[1], dw2 = G.dw_pic[2];
    // A failed confgraf leaves no drawn pitch circle to roll on.
    if (z2 == 0 || dw1 == 0 || dw2 == 0 || !std::isfinite(dw1) || !std::isfinite(dw2)) return;
    if (G.RingToothShapes == 0) G.RingToothShapes = 200;
    const int shapes = std::clamp(G.RingToothShapes, 1, ToothShapesMax);
    CadSetLayer(0);
    for (int k = 0; k < std::abs(z2); ++k)
        InsertAtOrigin("EVOLV2", 90 + k * 360.0L / z2);
    CadSetLayer(1);
    CadCircle(0, 0, std::fabs(dw2) / 2);
    CadSetLayer(0);
    const Extended R = (-dw1 - dw2) / 2;
    const Extended step = 2 * Pi / shapes;
    for (int k = 0; k < shapes; ++k) {
        const Extended theta = k * step;
        if (theta >= 2 * Pi) break;
        const Extended turn = -(dw2 / dw1 + 1) * theta;
        CadInsertBlock("RAD1", R * std::cos(theta), R * std::sin(theta), RadToDeg(turn), 1, 1);
    }
}

void DrawPlanetArrangement(int Q, int PlanetGear, Extended Angle)
{
    if (Q <= 0) Q = 3;
    Q = std::min(Q, 100);
    const int p = PlanetGear == 2 ? 2 : 1;
    const int c = 3 - p;
    const int zp = G.z[p], zc = G.z[c];
    const Extended dwp = G.dw_pic[p], dwc = G.dw_pic[c];
    if (zp == 0 || zc == 0 || dwp == 0 || dwc == 0 || !std::isfinite(dwp) || !std::isfinite(dwc)) return;
    const Extended base = p == 1 ? 0 : 180;
    Extended off = zp % 2 == 0 ? 180.0L / zp * dwp / dwc : 0;
    if (zc % 2 == 0) off += 180.0L / zc;
    CadSetLayer(0);
    CadInsertBlock("RAD" + N(c), 0, 0, base + off - Angle * zp / zc, 1, 1);
    const Extended R = (dwc + dwp) / 2;
    for (int k = 0; k < Q; ++k) {
        const Extended theta = 2 * Pi * k / Q;
        const Extended turn = base + Angle + 180 - 180.0L / zp + RadToDeg((dwc / dwp + 1) * theta);
        CadInsertBlock("RAD" + N(p), -R * std::cos(theta + Pi / 2), -R * std::sin(theta + Pi / 2), turn, 1,
                       1);
    }
}

void ComposeToothDrawing(int Device, int Gear, int Item, int Section, int Mode)
{
    if (telmvar.FatalCalcError) {
        ShowMessageList();
        return;
    }
    const int gearIn = Gear == 1 || Gear == 2 ? Gear : 1;
    uint16_t gear = static_cast<uint16_t>(gearIn);
    uint16_t section = Section == 2 ? 2 : 1;
    int32_t teeth = 2;
    const bool ask = Mode == 0;
    telmvar.DiagramKind = 0;
    for (;;) {
        telmvar.Aborted = false;
        telmvar.DiagramKind = static_cast<uint16_t>(telmvar.DiagramKind + 1);
        confgraf(G.x_pic);
        int item = Item;
        if (Item == 0) {
            for (int k = 1; k <= 10; ++k)
                telmvar.TextItems[k] = ItemTexts[k];
            Help(8270);
            uint16_t choice = std::clamp<uint16_t>(telmvar.DiagramKind, 1, 10);
            graphservices.AskSelect("Tooth drawing", 10, choice);
            item = choice;
        }
        if (telmvar.Aborted || item < 1 || item >= 10) return;
        telmvar.DiagramKind = static_cast<uint16_t>(item);
        if (item == 8 && ask) {
            Help(8280);
            int32_t q = std::clamp(G.PicturePlanets, 1, 100);
            graphservices.AskIntInRange("no. planet wheels q", q, 1, 100);
            if (telmvar.Aborted) return;
            G.PicturePlanets = q;
        }
        if (item == 9) {
            ConfigureToothGraphics();
            confgraf(G.x_pic);
            if (telmvar.Aborted || Item != 0) return;
            continue;
        }
        if (item == 7 || item == 8) {
            gear = 2;
        } else if (ask) {
            AskSelectGear(gear);
            if (telmvar.Aborted) return;
        }
        const int g = gear;
        const int z = G.z[g];
        if (item == 3 && ask && z > 0) {
            telmvar.TextItems[1] = "transverse section";
            telmvar.TextItems[2] = "normal section";
            graphservices.AskSelect("", 2, section);
            if (telmvar.Aborted) return;
        }
        if (item == 2 && (ask || Mode == 4) && std::abs(z) >= 2) {
            teeth = std::clamp(teeth, 2, std::abs(z));
            graphservices.AskIntInRange("Plot no. teeth", teeth, 2, std::abs(z));
            if (telmvar.Aborted) return;
        }
        if (item == 3 && z < 0) item = 5;
        if (item == 8 && ask && G.z[2] > 0) {
            Help(8285);
            telmvar.TextItems[1] = SunChoiceText(G.z[2], G.z[1]);
            telmvar.TextItems[2] = SunChoiceText(G.z[1], G.z[2]);
            uint16_t choice = G.PlanetSunChoice == 2 ? 2 : 1;
            graphservices.AskSelect("select gear", 2, choice);
            if (telmvar.Aborted) return;
            G.PlanetSunChoice = choice;
        }
        if (item == 7 || item == 8) {
            Help(8370);
            if (ask) {
                Extended angle = std::clamp(G.MeshRotationAngle, Extended(-180), Extended(180));
                graphservices.AskDoubleInRange("angle of rotation gear 1 [deg]", angle, -180, 180);
                if (telmvar.Aborted) return;
                G.MeshRotationAngle = angle;
            }
        }
        DrawPicture(Device, item, g, section, teeth, Mode);
        if (!ask || Item != 0 || telmvar.Aborted) return;
    }
}
