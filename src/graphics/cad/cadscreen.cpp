#include "graphics/cad/cadscreen.h"

#include "graphics/graphfacade.h"

#include <algorithm>

namespace
{

// The graphics window through its drawing facade: every call becomes a
// record of the display list.
class TFacadeScreen final : public TCadScreen
{
  public:
    void Clear() override { GraphFacade.Clear(); }
    void SetWaitCursor() override { GraphFacade.SetWaitCursor(); }
    void SetNormalCursor() override { GraphFacade.SetNormalCursor(); }
    void Header(Extended X1, Extended Y1, Extended X2, Extended Y2) override { GraphFacade.Header(X1, Y1, X2, Y2); }
    void ClearViewPort() override { GraphFacade.ClearViewPort(); }
    void SetLineStyle(int Style) override { GraphFacade.SetLineStyle(static_cast<uint16_t>(Style)); }
    void SetCadColor(int Colour) override { GraphFacade.SetCadColor(static_cast<uint8_t>(Colour)); }
    void SetLineWidth(int Width) override { GraphFacade.SetLineWidth(static_cast<uint16_t>(std::max(Width, 0))); }
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override { GraphFacade.Line(X1, Y1, X2, Y2); }
    void Circle(Extended X, Extended Y, Extended R) override { GraphFacade.Circle(X, Y, R); }
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override
    {
        GraphFacade.Arc(X, Y, Start, End, R);
    }
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override
    {
        GraphFacade.Solid(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    }
    void OutTextXY(Extended X, Extended Y, const std::string& Text) override { GraphFacade.OutTextXY(X, Y, Text); }
    void SetTextStyle(int N, Extended Angle, Extended Height, Extended Width) override
    {
        GraphFacade.SetTextStyle(N, Angle, Height, Width);
    }
    void SleepMs(int Ms) override { GraphFacade.SleepMs(Ms); }
};

TCadScreen* installed = nullptr;

TCadScreen& ProgramScreen()
{
    static TFacadeScreen s;
    return s;
}

} // namespace

TCadScreen& CadScreen() { return installed != nullptr ? *installed : ProgramScreen(); }

TCadScreen* SetCadScreen(TCadScreen* Screen)
{
    TCadScreen* previous = installed;
    installed = Screen;
    return previous;
}
