#pragma once
// The entity layer of the IGES output: a fixed-format ASCII IGES file with
// Start, Global, Directory Entry, Parameter Data and Terminate sections,
// two-dimensional (Z = 0), in millimetres. Entities: 110 line, 100 arc and
// circle, 106 form 11 (filled quadrilaterals as their outline), 212 note,
// 308 subfigure definition (blocks), 408 subfigure instance, with a 124
// matrix for a rotated instance.
//
// IGES wants every D record before the first P record, while each entity
// yields both at once: the D records go straight to the file, the P records
// are kept in memory until Finish appends them. Two outputs at the same
// time, or a read-only working directory, therefore never get in each
// other's way.
//
// Coordinates and names arrive final from the CAD layer.

#include "foundation/types.h"

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

struct TIgesOptions {
    // Name of the file in the Global section: the base name of the output as
    // the file system has it. The section is ASCII: every other character is
    // a "?", and the name is shortened in the middle beyond 30 characters.
    std::string FileName;
    std::string ProgramName = "QYR7";
    std::string ProgramVersion = "1.0";
    // Decimals of coordinates (0..10); angles and matrix values get 3 more.
    int DecimalDigits = 3;
    // Date of the Global section (the time is always 14:09:20).
    int Year = 2026;
    int Month = 1;
    int Day = 6;
    // Layer to pen: mode 0 names layers 0..5 and pens 16..31; other modes
    // give every layer the colour (n mod 16) + 1.
    TArray<int32_t, 0, 5> LayerColours{{{1, 2, 2, 2, 3, 1}}};
    TArray<int32_t, 16, 31> LayerColours16{{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}};
};

// IGES colour number of a drawing colour index: 1..15 by the drawing's
// colour table, 16 (white on the screen's black) as black 1, anything else
// 0 (no colour).
int IgesColourOf(int Index);

// The text style of a 212 note.
struct TIgesTextStyle {
    Extended Height = 5.0L;
    Extended Width = 1.0L; // width/height of a character
    Extended Angle = 0;    // degrees
};

class TIgesWriter
{
  public:
    TIgesWriter(std::ostream& Out, TIgesOptions Options) : out_(Out), options_(std::move(Options)) {}

    // S and G sections; MaxCoordinate is the larger of the drawing's xmax
    // and ymax.
    void StartFile(Extended MaxCoordinate);
    void SetLayer(int N, int32_t LayerMode);
    // Nothing for a line whose ends are written as the same point.
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2);
    // Counter-clockwise from (XS, YS) to (XE, YE) about (XC, YC); equal
    // points make a full circle.
    void Arc(Extended XC, Extended YC, Extended XS, Extended YS, Extended XE, Extended YE);
    void Circle(Extended X, Extended Y, Extended R);
    // Corners in DXF order (edges 1-2 and 3-4 opposite), traced 1, 2, 4, 3
    // over the distinct corners and closed.
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4);
    // The text as it goes into the file (already converted for CAD); CR
    // and LF become blanks.
    void Text(std::string_view Text, Extended X, Extended Y, const TIgesTextStyle& Style);
    void BeginSubfigure(std::string_view Name);
    void EndSubfigure();
    // A block defined earlier in this file (names match without regard to
    // case); angle in degrees, scale always 1. An unknown name is not
    // written and gives the message "Blockname <name> not found !".
    void Insert(std::string_view Name, Extended X, Extended Y, Extended Angle);
    // P section and T record.
    void Finish();

    int DirectoryCount() const { return counts_[2]; }
    int ParameterCount() const { return counts_[3]; }

  private:
    std::string C(Extended X) const;
    std::string A(Extended X) const;
    // Starts an entity: its directory entry number, recorded as a member
    // of the open definition when Member is set.
    int BeginEntity(bool Member);
    void Parameters(std::string_view Text);
    void Directory(int Type, const std::string& Transform, const std::string& Form, const std::string& Label,
                   const std::string& Status);
    std::string Status() const { return inSubfigure_ ? "00010000" : "00000000"; }
    void Record(std::string_view Data, char Letter);

    std::ostream& out_;
    TIgesOptions options_;
    bool started_ = false;
    bool finished_ = false;
    // Records per section S, G, D, P, T.
    int counts_[5] = {0, 0, 0, 0, 0};
    int entity_ = -1;
    int nextParameter_ = 1;
    int entityParameters_ = 0;
    int colour_ = 0;
    int lineFont_ = 1;
    bool inSubfigure_ = false;
    std::string subfigureName_;
    std::vector<int> members_;
    // Nesting level of the open definition (0: no instances in it).
    int depth_ = 0;
    struct TDefinition {
        int Entry = 0;
        int Depth = 0;
    };
    // Definitions by folded name (the first of a name wins).
    std::map<std::string, TDefinition> definitions_;
    std::string parameters_;
};
