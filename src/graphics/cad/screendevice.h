#pragma once
// The screen device of the CAD layer.

#include "foundation/types.h"
#include "graphics/cad/caddevice.h"

#include <cstdint>
#include <string>

class TCadScreen;

// The graphics window through its drawing facade: the current layer becomes
// the pen (line style, colour, width).
class TCadScreenDevice : public TCadDevice
{
  public:
    explicit TCadScreenDevice(TCadScreen& Screen) : screen_(Screen) {}

    void BeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended) override;
    void BeginEntities() override;
    void SetLayer(int N) override;
    void SetLineStyle(int Style) override;
    void SetTextStyle(int N, Extended Angle, Extended Height, Extended Width) override;
    void Pause(int Ms) override;
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override;
    void SheetFrame(Extended X1, Extended Y1, Extended X2, Extended Y2) override;
    void Circle(Extended X, Extended Y, Extended R) override;
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override;
    // Polygon order 1, 2, 4, 3 of the DXF corners.
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override;
    void Text(const std::string& Text, Extended X, Extended Y, const TCadTextStyle& Style) override;
    void Finish() override;

  private:
    TCadScreen& screen_;
    // Pen last set from a layer: block files set the layer before every
    // entity, and the same pen again would only lengthen the display list.
    int penLayer_ = -1;
    int32_t penMode_ = -1;
};
