#include "graphics/cad/caddevice.h"

#include "foundation/guardedmath.h"
#include "graphics/cad/cadscreen.h"

#include <cmath>
#include <map>

namespace
{

// Chords of the arc about (X, Y) from A0 to A1 (radians, counter-clockwise),
// each at most CadArcResolution long.
void ArcChords(TCadDevice& D, Extended X, Extended Y, Extended R, Extended A0, Extended A1)
{
    Extended res = cadsettings.CadArcResolution;
    if (res <= 0) res = 0.1L;
    const Extended length = std::fabs(R * (A1 - A0));
    const int n = std::max(1, static_cast<int>(std::ceil(length / res)));
    Extended px = X + R * std::cos(A0), py = Y + R * std::sin(A0);
    for (int i = 1; i <= n; ++i) {
        const Extended a = A0 + (A1 - A0) * i / n;
        const Extended qx = X + R * std::cos(a), qy = Y + R * std::sin(a);
        D.Line(px, py, qx, qy);
        px = qx;
        py = qy;
    }
}

} // namespace

void TCadDevice::Circle(Extended X, Extended Y, Extended R) { ArcChords(*this, X, Y, R, 0, 2 * Pi); }

void TCadDevice::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    if (End < Start) End += 360;
    ArcChords(*this, X, Y, R, DegToRad(Start), DegToRad(End));
}

void TCadDevice::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
                       Extended Y4)
{
    Line(X1, Y1, X2, Y2);
    Line(X2, Y2, X4, Y4);
    Line(X4, Y4, X3, Y3);
    Line(X3, Y3, X1, Y1);
}

void TCadDxfDevice::Tables(int Mode)
{
    // The header so far goes out now; the tables follow at the end.
    out_ << body_.view();
    body_.str("");
    tablesMode_ = Mode;
}

void TCadDxfDevice::Finish()
{
    writer_.EndOfFile();
    if (tablesMode_ >= 0) TDxfWriter(out_, writer_.Options()).Tables(tablesMode_, writer_.UsedLayers());
    out_ << body_.view();
    body_.str("");
}

void TCadDxfDevice::SetLayer(int N)
{
    writer_.SetLayerMode(cadstate.CadLayerMode);
    writer_.SetLayer(N);
    cadstate.CadLayerName = writer_.LayerName();
}

void TCadScreenDevice::BeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended)
{
    screen_.Header(X1, Y1, X2, Y2);
    penLayer_ = -1;
}

void TCadScreenDevice::BeginEntities()
{
    screen_.ClearViewPort();
    SetLineStyle(0);
}

void TCadScreenDevice::SetLineStyle(int Style)
{
    screen_.SetLineStyle(Style);
    penLayer_ = -1;
}

void TCadScreenDevice::SetLayer(int N)
{
    const int32_t mode = cadstate.CadLayerMode;
    if (N == penLayer_ && mode == penMode_) return;
    penLayer_ = N;
    penMode_ = mode;
    if (N <= 5 && mode == 0) {
        static const int styles[6] = {0, 2, 3, 0, 0, 0};
        screen_.SetLineStyle(styles[N]);
        screen_.SetCadColor(cadsettings.LayerColours[N]);
    } else {
        if (mode == 0) screen_.SetLineStyle(0);
        if (mode != 2 && N >= 16 && N <= 31) screen_.SetCadColor(cadsettings.LayerColours16[N]);
        if (mode == 2 && N == 0) screen_.SetCadColor(0);
    }
    int width = 1;
    if (N >= 1 && N <= 5) {
        width = cadsettings.LayerLineWidths[N];
    } else if (N >= 16 && N <= 31) {
        const int32_t w = cadsettings.LayerPenWidths16[N];
        if (w >= 2 && w <= 50) width = w;
    }
    screen_.SetLineWidth(width);
}

void TCadScreenDevice::SetTextStyle(int N, Extended Angle, Extended Height, Extended Width)
{
    screen_.SetTextStyle(N, Angle, Height, Width);
}

void TCadScreenDevice::Pause(int Ms) { screen_.SleepMs(Ms); }

void TCadScreenDevice::Line(Extended X1, Extended Y1, Extended X2, Extended Y2) { screen_.Line(X1, Y1, X2, Y2); }

void TCadScreenDevice::Circle(Extended X, Extended Y, Extended R) { screen_.Circle(X, Y, R); }

void TCadScreenDevice::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    screen_.Arc(X, Y, Start, End, R);
}

void TCadScreenDevice::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                             Extended X4, Extended Y4)
{
    screen_.Solid(X1, Y1, X2, Y2, X4, Y4, X3, Y3);
}

void TCadScreenDevice::Text(const std::string& Text, Extended X, Extended Y, const TDxfTextStyle&)
{
    screen_.OutTextXY(X, Y, Text);
}

void TCadScreenDevice::Finish()
{
    screen_.ClearViewPort();
    screen_.SetNormalCursor();
}

TCadDeviceRegistry caddeviceregistry;

void ResetCadDeviceRegistry() { caddeviceregistry = TCadDeviceRegistry{}; }

void RegisterCadDeviceFactory(int DeviceCode, TCadDeviceFactory Factory)
{
    caddeviceregistry.Factories[DeviceCode] = std::move(Factory);
}

const TCadDeviceFactory* FindCadDeviceFactory(int DeviceCode)
{
    const auto& f = caddeviceregistry.Factories;
    const auto it = f.find(DeviceCode);
    return it == f.end() || !it->second ? nullptr : &it->second;
}

TDxfOptions DxfOptionsFromSettings(bool ConvertTexts)
{
    TDxfOptions o;
    o.Decimals = cadsettings.DxfDecimals;
    o.LayerMode = cadstate.CadLayerMode;
    o.LayerNames = cadsettings.LayerNames;
    o.LayerColours = cadsettings.LayerColours;
    o.LayerColours16 = cadsettings.LayerColours16;
    o.Monochrome = cadsettings.LayerMonochrome;
    o.TextFont = cadsettings.CadTextFont;
    o.ConvertTexts = ConvertTexts;
    return o;
}
