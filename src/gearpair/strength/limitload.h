#pragma once
// Limit torque of the pinion: the torque at which the smaller safety of the
// pair (tooth root or pitting) is 1.

#include "foundation/types.h"

// Mode 1 tooth root (SF), mode 2 pitting (SH). Returns the limit torque of
// gear 1 in N m. When the search finds no torque with a safety of 1 it returns
// 0, sets GearPair.LimitLoadFound[Mode] false and adds a message after the
// final run; the pair is left recalculated at its nominal load either way.
Extended FindLimitLoad(int Mode);

// The smaller safeties of the pair (tooth root and pitting) at its nominal
// torque, from a strength run with the application factors the searches'
// trials are calculated with.
struct TNominalSafeties {
    Extended SF = 0;
    Extended SH = 0;
};

// The searches of FindLimitLoad(1) and FindLimitLoad(2), the second taking
// the safeties of a torque the first has tried from that trial. Nominal (may
// be null) spares trials whose side of 1 the safeties at the nominal torque
// already make certain. The pair is left with its nominal torque and power
// but the state of the last trial: the caller calculates it again. The
// message list is reset and says nothing of a search that failed;
// LimitLoadFound does.
void FindLimitLoads(Extended& Root, Extended& Pitting, const TNominalSafeties* Nominal = nullptr);

// The message of a failed search of mode Mode (1 root, 2 pitting), where
// GearPair.LimitLoadFound says it failed.
void AddLimitLoadNotFoundMessage(int Mode);
