#pragma once
// Value texts the production tables share.
#include "foundation/types.h"

#include <string>

namespace productiontables
{

// The other gear of the pair.
inline int OtherGear(int Gear)
{
    return Gear == 1 ? 2 : 1;
}
// An internal gear has a tooth number below 1.
bool IsInternal(int Gear);
// The generating addendum modification of the finished gear as its mean
// and the half range, "0.123" 0xF1 "0.025": mean +- half range spans
// xemin to xemax.
std::string AddendumModificationText(int Gear);
// A premachining and a finishing pair of one measurement in the order the
// rows print them: by magnitude, and for an internal gear (whose dimension
// between balls shrinks as the teeth get thicker) the maximum row takes
// the values of the minimum addendum modification.
struct TMeasuredPair {
    Extended PreMax = 0, PreMin = 0, FinMax = 0, FinMin = 0;
};
TMeasuredPair MeasuredPair(int Gear, Extended PreAtMin, Extended PreAtMax, Extended FinAtMin,
                           Extended FinAtMax);

} // namespace productiontables
