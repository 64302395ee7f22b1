#include "graphics/cad/screendevice.h"

#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"

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

void TCadScreenDevice::Pause(int Ms)
{
    screen_.SleepMs(Ms);
}

void TCadScreenDevice::Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    screen_.Line(X1, Y1, X2, Y2);
}

void TCadScreenDevice::SheetFrame(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    screen_.SheetFrame(X1, Y1, X2, Y2);
}

void TCadScreenDevice::Circle(Extended X, Extended Y, Extended R)
{
    screen_.Circle(X, Y, R);
}

void TCadScreenDevice::Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R)
{
    screen_.Arc(X, Y, Start, End, R);
}

void TCadScreenDevice::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                             Extended X4, Extended Y4)
{
    screen_.Solid(X1, Y1, X2, Y2, X4, Y4, X3, Y3);
}

void TCadScreenDevice::Text(const std::string& Text, Extended X, Extended Y, const TCadTextStyle&)
{
    screen_.OutTextXY(X, Y, Text);
}

void TCadScreenDevice::Finish()
{
    screen_.ClearViewPort();
    screen_.SetNormalCursor();
}
