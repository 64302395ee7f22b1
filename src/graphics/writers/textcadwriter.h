#pragma once
// The text CAD code: one line per primitive, a keyword and its fields, each
// field after one TAB, lines ended by CR LF; meant to be read by other
// programs. Blocks are kept as blocks (BLOCK ... END OF BLOCK, INSERT), no
// record carries a layer, texts carry no height or angle.
//
// Numbers are fixed point with the DXF decimals, right-aligned in at least
// 3 characters, with a decimal comma when the program writes numbers that
// way.

#include "foundation/types.h"

#include <ostream>
#include <string>
#include <string_view>

struct TTextCadOptions {
    int Decimals = 6; // clamped to 0..15 when written
    bool DecimalComma = false;
    // Texts pass through the CAD text conversion.
    bool ConvertTexts = true;
};

class TTextCadWriter
{
  public:
    TTextCadWriter(std::ostream& Out, const TTextCadOptions& Options) : out_(Out), options_(Options) {}

    // N(x): the number as every field writes it.
    std::string Number(Extended X) const;

    void MinMax(Extended XMin, Extended YMin, Extended XMax, Extended YMax);
    void BeginBlocksSection();
    void BeginBlock(std::string_view Name);
    void EndBlock();
    void BeginEntities();
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2);
    void Circle(Extended X, Extended Y, Extended R);
    // A CIRCLE when start and end are equal or are 0 and 360 (either way).
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R);
    // Tabs stay; CR and LF become blanks (they would end the record).
    void Text(std::string_view Text, Extended X, Extended Y);
    // The corners in argument order.
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4);
    void Insert(std::string_view Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                Extended ScaleY);
    void EndOfFile();

  private:
    // The digits of a number as every field writes them: no minus sign on
    // a zero, at least 3 characters, the decimal comma when asked for.
    std::string Finish(const char* Begin, const char* End) const;
    void Record(std::string_view Keyword, std::initializer_list<Extended> Values);
    void Line(std::string_view Text);

    std::ostream& out_;
    TTextCadOptions options_;
};
