#include "drawings/production/tablevalues.h"

#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "gearpair/gearpairdata.h"

#include <cmath>

namespace productiontables
{

bool IsInternal(int Gear)
{
    return GearPair.z[Gear] < 1;
}

std::string AddendumModificationText(int Gear)
{
    const auto& g = GearPair;
    const Extended mean = (g.xemin[Gear] + g.xemax[Gear]) / 2;
    // Half the range: the full difference after a plus-minus sign would
    // allow twice the spread the tooth thickness tolerance gives.
    const Extended half = std::fabs(g.xemax[Gear] - g.xemin[Gear]) / 2;
    return TrimBlanks(FormatFloatFixed(1, 3, mean)) + '\xF1' + TrimBlanks(FormatFloatFixed(1, 3, half));
}

TMeasuredPair MeasuredPair(int Gear, Extended PreAtMin, Extended PreAtMax, Extended FinAtMin,
                           Extended FinAtMax)
{
    TMeasuredPair p;
    if (IsInternal(Gear)) {
        p.PreMax = std::fabs(PreAtMin);
        p.PreMin = std::fabs(PreAtMax);
        p.FinMax = std::fabs(FinAtMin);
        p.FinMin = std::fabs(FinAtMax);
    } else {
        p.PreMax = std::fabs(PreAtMax);
        p.PreMin = std::fabs(PreAtMin);
        p.FinMax = std::fabs(FinAtMax);
        p.FinMin = std::fabs(FinAtMin);
    }
    return p;
}

} // namespace productiontables
