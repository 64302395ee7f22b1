#pragma once
// The STL device (device code 6) of the CAD layer and its options from the
// settings.

#include "foundation/types.h"
#include "graphics/cad/caddevice.h"
#include "graphics/writers/stlwriter.h"

#include <ostream>

// Every edge becomes a wall between cadstate.CadZLow and CadZHigh. Arcs
// and circles are cut into chords as the CAD layer's resolution gives them;
// a filled disc runs clockwise, so its walls face the other way. Blocks
// never reach this device: the CAD layer draws them from their files.
class TCadStlDevice final : public TCadDevice
{
  public:
    TCadStlDevice(std::ostream& Out, TStlOptions Options) : writer_(Out, std::move(Options)) {}
    TStlWriter& Writer() { return writer_; }

    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override;
    void Circle(Extended X, Extended Y, Extended R) override { Disc(X, Y, R, false); }
    void FilledCircle(Extended X, Extended Y, Extended R) override { Disc(X, Y, R, true); }
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override;
    // The walls of the outline 1, 2, 4, 3 over the distinct corners.
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override;
    void Finish() override { writer_.Finish(); }

  private:
    void Disc(Extended X, Extended Y, Extended R, bool Filled);
    TStlWriter writer_;
};

// The options from the program-wide settings.
TStlOptions StlOptionsFromSettings();
