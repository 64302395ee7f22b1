#pragma once
// The entity and table layer of the DXF output: a classic sectioned ASCII
// DXF (HEADER, TABLES, BLOCKS, ENTITIES, EOF), two-dimensional, without
// handles or object sections. Entities carry only their layer; colour and
// line type come from the layer table.
//
// The writer chooses nothing: every coordinate, angle and name arrives final
// from the CAD layer, which also keeps the order of the sections. It serves
// the DXF file, the plot program's file and the temporary block files of
// the screen and STL outputs.

#include "foundation/types.h"
#include "graphics/cadtextstyle.h"

#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

struct TDxfOptions {
    int Decimals = 6; // clamped to 0..DxfMaxDecimals when written
    // 0: layers 0..5 by name; other values: numbered layers.
    int32_t LayerMode = 0;
    TArray<std::string, 0, 5> LayerNames{{{"0", "1", "2", "3", "4", "5"}}};
    TArray<int32_t, 0, 5> LayerColours{{{1, 2, 2, 2, 3, 1}}};
    TArray<int32_t, 16, 31> LayerColours16{{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}};
    bool Monochrome = false;
    std::string TextFont = "TXT8";
    // Texts pass through the CAD text conversion (every output but the
    // screen's own block files, which the screen reads back).
    bool ConvertTexts = true;
};

// Layer name of layer N: "0" for layer 0; LayerNames[N] for 1..5 in layer
// mode 0; otherwise the decimal number.
std::string DxfLayerName(int N, const TDxfOptions& Options);

// Bulge of a polyline vertex from the included angle (radians) of the arc
// segment that starts there: tan(angle / 4).
Extended BulgeFromAngle(Extended Angle);

class TDxfWriter
{
  public:
    TDxfWriter(std::ostream& Out, const TDxfOptions& Options) : out_(Out), options_(Options) {}

    // The name every entity is written with (group 8).
    void SetLayer(int N) { layer_ = DxfLayerName(N, options_); }
    void SetLayerName(std::string Name) { layer_ = std::move(Name); }
    const std::string& LayerName() const { return layer_; }
    const TDxfOptions& Options() const { return options_; }
    // Layer names entities and blocks were written with so far.
    const std::set<std::string>& UsedLayers() const { return used_; }
    // The layer mode may change while a drawing is written.
    void SetLayerMode(int32_t Mode) { options_.LayerMode = Mode; }

    void Header(Extended XMin, Extended YMin, Extended XMax, Extended YMax);
    // Mode 0: six named layers; 1: sixteen numbered layers "0".."15";
    // 2: the named layers and "16".."31". Other modes are treated as 0.
    // Every name of Used that the mode leaves out gets an entry of its
    // own after them, so that no entity sits on a layer the file does not
    // define.
    void Tables(int Mode, const std::set<std::string>& Used = {});
    void BeginBlocksSection();
    void BeginBlock(std::string_view Name);
    void EndBlock();
    void EndSection();
    void BeginEntities();
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2);
    void Circle(Extended X, Extended Y, Extended R);
    // Counter-clockwise from Start to End (degrees).
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R);
    void Text(std::string_view Text, Extended X, Extended Y, const TCadTextStyle& Style);
    // Corners in DXF order: edges 1-2 and 3-4 are opposite.
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4);
    void Insert(std::string_view Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                Extended ScaleY);
    // Flags: 1 closed; 0 writes no group 70.
    void BeginPolyline(uint8_t Flags);
    // Bulge (not the angle); exactly 0 writes no group 42.
    void Vertex(Extended X, Extended Y, Extended Bulge);
    void SeqEnd();
    void EndOfFile();

  private:
    void Pair(int Code, std::string_view Text);
    void Real(int Code, Extended X);
    void Int(int Code, int64_t N);
    void EntityStart(std::string_view Kind);

    std::ostream& out_;
    TDxfOptions options_;
    std::string layer_ = "0";
    std::set<std::string> used_;
    // A BLOCKS or ENTITIES section is open. The header and tables close their
    // own sections, so an end of section with none open writes nothing: a
    // second ENDSEC makes the file unreadable for every DXF reader.
    bool sectionOpen_ = false;
};
