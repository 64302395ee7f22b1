#pragma once
// STL output: the two-dimensional drawing as a surface model, every edge
// extruded into a vertical wall of two triangles between two heights; no
// caps. Binary STL (the default) is collected in memory and written at the
// end, when the facet count for its header is known; ASCII STL is written
// as the facets come.

#include "foundation/types.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct TStlOptions {
    bool Ascii = false;
    std::string SolidName = "TELSOLID";
};

// "1.25000000E+01": nine significant digits, enough for every single
// precision value to read back exactly (three would snap the points of a
// 200 mm gear to whole millimetres).
std::string StlNumber(float X);

class TStlWriter
{
  public:
    TStlWriter(std::ostream& Out, TStlOptions Options);

    // A wall from (X1, Y1) to (X2, Y2) between ZLow and ZHigh, its normal
    // to the left of the direction of travel; nothing for a zero length or
    // height in single precision.
    void Wall(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended ZLow, Extended ZHigh);
    // One triangle; values are rounded to single precision.
    void Facet(const std::array<Extended, 12>& NormalAndVertices);
    // Binary: header, count and facets; ASCII: "endsolid".
    void Finish();

    uint32_t FacetCount() const { return count_; }

  private:
    std::ostream& out_;
    TStlOptions options_;
    uint32_t count_ = 0;
    bool finished_ = false;
    std::vector<std::array<float, 12>> facets_;
};
