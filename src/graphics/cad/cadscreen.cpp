#include "graphics/cad/cadscreen.h"

namespace
{

// Draws nothing: the surface until the graphics window provides one.
class TNullScreen final : public TCadScreen
{
  public:
    void Clear() override {}
    void SetWaitCursor() override {}
    void SetNormalCursor() override {}
    void Header(Extended, Extended, Extended, Extended) override {}
    void ClearViewPort() override {}
    void SetLineStyle(int) override {}
    void SetCadColor(int) override {}
    void SetLineWidth(int) override {}
    void Line(Extended, Extended, Extended, Extended) override {}
    void Circle(Extended, Extended, Extended) override {}
    void Arc(Extended, Extended, Extended, Extended, Extended) override {}
    void Solid(Extended, Extended, Extended, Extended, Extended, Extended, Extended, Extended) override {}
    void OutTextXY(Extended, Extended, const std::string&) override {}
    void SetTextStyle(int, Extended, Extended, Extended) override {}
    void SleepMs(int) override {}
};

TCadScreen* installed = nullptr;

TCadScreen& ProgramScreen()
{
    static TNullScreen s;
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
