#pragma once
#include "foundation/types.h"
// Limit torque of gear 1 (N·m): mode 1 tooth root, mode 2 pitting.
Extended FindLimitLoad(int Mode);
