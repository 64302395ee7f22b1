#pragma once
// The IGES device (device code 2) of the CAD layer, its options from the
// settings and the date its Global section carries.

#include "foundation/types.h"
#include "graphics/cad/caddevice.h"
#include "graphics/writers/igeswriter.h"

#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// IGES readers place a subfigure instance at scale 1 only: a 408 with
// another scale, or a 124 matrix that scales, comes out of them empty or at
// the wrong size. So the device keeps every block's calls as they come and
// writes a definition (308) only when an instance places it at scale 1,
// drawing a scaled instance out in place instead. A block nothing places
// is never written: a reader would show an unplaced definition on top of
// the drawing.
class TCadIgesDevice final : public TCadDevice
{
  public:
    TCadIgesDevice(std::ostream& Out, TIgesOptions Options) : writer_(Out, std::move(Options)) {}
    TIgesWriter& Writer() { return writer_; }

    // The Global section names the output file by its base name.
    void BeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Height) override;
    void BeginBlock(const std::string& Name) override;
    void EndBlock() override { recording_ = nullptr; }
    // A block section that ends without the end of its last block ends it.
    void EndSection() override { recording_ = nullptr; }
    void SetLayer(int N) override;
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override;
    void Circle(Extended X, Extended Y, Extended R) override;
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override;
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override;
    void Text(const std::string& Text, Extended X, Extended Y, const TCadTextStyle& Style) override;
    void Insert(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended SX,
                Extended SY) override;
    void Finish() override { writer_.Finish(); }

    // x' = A x + B y + E, y' = C x + D y + F.
    struct TPlacement {
        Extended A = 1, B = 0, C = 0, D = 1, E = 0, F = 0;
    };

  private:
    // One call of a block's definition.
    struct TCall {
        enum class TKind { Layer, Line, Circle, Arc, Solid, Text, Insert } Kind = TKind::Line;
        Extended V[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        int Layer = 0;
        int32_t LayerMode = 0;
        std::string Name; // the text of a note, the block of an instance
        TCadTextStyle Style;
    };
    struct TBlock {
        std::string Name;
        std::vector<TCall> Calls;
        bool Written = false;
        bool Busy = false; // being written or drawn out: a block that places itself
    };
    // Into the block being defined, or drawn now.
    void Take(TCall Call);
    void Draw(const TCall& Call, const TPlacement& P);
    void DrawOutInPlace(TBlock& Block, const TPlacement& P);
    // The 308 of the block and, before it, of the blocks it places at scale 1.
    void WriteDefinition(TBlock& Block);
    TBlock* Find(const std::string& Name);
    void ArcThrough(Extended X, Extended Y, Extended Start, Extended End, Extended R);

    struct TPen {
        int Layer = 0;
        int32_t LayerMode = 0;
    };
    // The writer's layer; a block's calls set theirs, and the one before
    // them is put back.
    void Pen(const TPen& P);

    TIgesWriter writer_;
    // By folded name: names match without regard to case.
    std::map<std::string, TBlock> blocks_;
    TBlock* recording_ = nullptr;
    // A second definition of a name, kept nowhere.
    TBlock spare_;
    TPen pen_;
};

struct TCadWriterDate {
    int Year = 0, Month = 0, Day = 0;
};

// The system's date as the writers see it.
TCadWriterDate CadWriterSystemToday();

struct TCadWriters {
    // Today's date for the IGES Global section; tests fix it.
    std::function<TCadWriterDate()> Today = CadWriterSystemToday;
};

extern TCadWriters cadwriters;

// The options from the program-wide settings.
TIgesOptions IgesOptionsFromSettings();
