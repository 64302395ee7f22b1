#pragma once
// The DXF device of the CAD layer and its options from the settings.

#include "foundation/types.h"
#include "graphics/cad/caddevice.h"
#include "graphics/writers/dxfwriter.h"

#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>

// DXF entities into a stream. The layer table lists the layers the
// entities use, which are known only at the end: everything after the
// header is kept in memory and the file is written by Finish.
class TCadDxfDevice : public TCadDevice
{
  public:
    TCadDxfDevice(std::ostream& Out, const TDxfOptions& Options, bool Polylines)
        : out_(Out), writer_(body_, Options), polylines_(Polylines)
    {
    }
    TDxfWriter& Writer() { return writer_; }

    void BeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended) override
    {
        writer_.Header(X1, Y1, X2, Y2);
    }
    void Tables(int Mode) override;
    void BeginBlocksSection() override { writer_.BeginBlocksSection(); }
    void BeginBlock(const std::string& Name) override { writer_.BeginBlock(Name); }
    void EndBlock() override { writer_.EndBlock(); }
    void EndSection() override { writer_.EndSection(); }
    void BeginEntities() override { writer_.BeginEntities(); }
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
    void Text(const std::string& Text, Extended X, Extended Y, const TCadTextStyle& Style) override
    {
        writer_.Text(Text, X, Y, Style);
    }
    void Insert(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended SX,
                Extended SY) override
    {
        writer_.Insert(Name, X, Y, Angle, SX, SY);
    }
    bool HasPolylines() const override { return polylines_; }
    void BeginPolyline(uint8_t Flags) override { writer_.BeginPolyline(Flags); }
    void Vertex(Extended X, Extended Y, Extended Bulge) override { writer_.Vertex(X, Y, Bulge); }
    void EndPolyline() override { writer_.SeqEnd(); }
    void Finish() override;

  private:
    std::ostream& out_;
    std::ostringstream body_;
    TDxfWriter writer_;
    bool polylines_;
    // Mode of the tables to write at the end; -1 for none (block files).
    int tablesMode_ = -1;
};

// The DXF options from the program-wide settings and the current layer mode.
TDxfOptions DxfOptionsFromSettings(bool ConvertTexts);
