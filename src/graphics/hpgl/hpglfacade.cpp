// The HP-GL reader drawing into the graphics window through its facade.
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"

namespace {

class TFacadeHpglSink final : public THpglSink
{
  public:
    void SetColor(int32_t c) override { GraphFacade.SetColor(c); }
    void Line(Extended x1, Extended y1, Extended x2, Extended y2) override { GraphFacade.Line(x1, y1, x2, y2); }
    void Circle(Extended x, Extended y, Extended r) override { GraphFacade.Circle(x, y, r); }
    void Arc(Extended x, Extended y, Extended StAngle, Extended EndAngle, Extended r) override
    {
        GraphFacade.Arc(x, y, StAngle, EndAngle, r);
    }
    void SetTextStyle(int32_t n, Extended angle, Extended height, Extended width) override
    {
        GraphFacade.SetTextStyle(n, angle, height, width);
    }
    void LabelPrefix(int32_t a, int32_t b) override { GraphFacade.SetTextJustify(a, b); }
    void OutTextXY(Extended x, Extended y, const std::string& text) override { GraphFacade.OutTextXY(x, y, text); }
    bool CheckFileExists(const std::string& name) override { return GraphFacade.CheckFileExists(name); }
    void SetWaitCursor() override { GraphFacade.SetWaitCursor(); }
    void SetNormalCursor() override { GraphFacade.SetNormalCursor(); }
};

} // namespace

void RunHpglFile(const std::string& name)
{
    TFacadeHpglSink sink;
    RunHpglFile(name, sink);
}

void RunHpglText(const std::string& bytes)
{
    TFacadeHpglSink sink;
    RunHpglText(bytes, sink);
}
