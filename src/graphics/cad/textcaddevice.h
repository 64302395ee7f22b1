#pragma once
// The text CAD device (device code 5) of the CAD layer and its options from
// the settings.

#include "foundation/types.h"
#include "graphics/cad/caddevice.h"
#include "graphics/writers/textcadwriter.h"

#include <ostream>
#include <string>

class TCadTextCadDevice final : public TCadDevice
{
  public:
    TCadTextCadDevice(std::ostream& Out, const TTextCadOptions& Options) : writer_(Out, Options) {}

    void BeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended) override
    {
        writer_.MinMax(X1, Y1, X2, Y2);
    }
    void BeginBlocksSection() override { writer_.BeginBlocksSection(); }
    void BeginBlock(const std::string& Name) override { writer_.BeginBlock(Name); }
    void EndBlock() override { writer_.EndBlock(); }
    void BeginEntities() override { writer_.BeginEntities(); }
    // No record carries a layer; the layer's name is kept as the DXF
    // writer would name it.
    void SetLayer(int N) override;
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override { writer_.Line(X1, Y1, X2, Y2); }
    void Circle(Extended X, Extended Y, Extended R) override { writer_.Circle(X, Y, R); }
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override
    {
        writer_.Arc(X, Y, Start, End, R);
    }
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override
    {
        writer_.Solid(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    }
    void Text(const std::string& Text, Extended X, Extended Y, const TCadTextStyle&) override
    {
        writer_.Text(Text, X, Y);
    }
    void Insert(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended SX,
                Extended SY) override
    {
        writer_.Insert(Name, X, Y, Angle, SX, SY);
    }
    void Finish() override { writer_.EndOfFile(); }

  private:
    TTextCadWriter writer_;
};

// The options from the program-wide settings.
TTextCadOptions TextCadOptionsFromSettings();
