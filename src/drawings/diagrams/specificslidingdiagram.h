#pragma once
// The specific sliding of both gears of the loaded pair along the path of
// contact, from the start of contact A through the pitch point C to the end
// of contact E, as an x/y diagram with a table of the characteristic values
// beside it. x is the position on the path of contact measured from C (A at
// -g_alphaa, E at +g_alphae, mm), y the specific sliding. The nominal
// variant uses the nominal geometry; the tolerance variant adds the curves
// of the maximum and the minimum centre-distance states.
//
// The production drawing menu draws these into the output it has opened;
// nothing here opens or closes an output. Gear 1 is drawn on layer 18,
// gear 2 on layer 21, the A, C and E marks on layer 5.

#include "foundation/types.h"

#include <string>
#include <vector>

// The labels placed on the diagram being drawn, which are kept clear of each
// other; every diagram starts with none.
struct TSlidingLabels {
    struct TBox {
        Extended X, Y, W;
    };
    std::vector<TBox> Placed;
};

extern TSlidingLabels slidinglabels;

void ResetSlidingLabels();

// Mode 1 the tolerance variant, any other value the nominal one, with the
// plot area at (16, 12), 100 x 90, titled with MeshCaption; then the two
// remark lines above it and the values in a column right of it, from
// (121, 116) down.
void WriteSpecificSlidingTable(int Mode, const std::string& MeshCaption);

// The nominal diagram with its plot area at (X0, Y0), Width x Height.
// Nothing for a pair without teeth (z1 + z2 = 0).
void DrawSpecificSlidingDiagram(const std::string& Name, Extended X0, Extended Y0, Extended Width,
                                Extended Height);

// The nominal, maximum and minimum centre-distance states in one diagram.
void DrawSpecificSlidingToleranceDiagram(const std::string& Name, Extended X0, Extended Y0, Extended Width,
                                         Extended Height);

// The specific sliding of gear 1 or 2 of the loaded pair at position X from
// the pitch point, for the radii of curvature RhoC1, RhoC2 of both flanks at
// the pitch point and the ratio U (negative for an internal pair, whose
// sign GearPair.z[2] gives). 0 where the gear's own radius of curvature is
// 0 (no finite value there).
Extended SpecificSlidingAt(int Gear, Extended X, Extended RhoC1, Extended RhoC2, Extended U);
