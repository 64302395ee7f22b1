#pragma once
// Pitting and tooth root service life read off the DIN 3990 life factor
// curves: the safety ratio gives the life factor the gear would need, the
// curve of its material the load cycles at which it is reached.

#include "foundation/types.h"

// Pitting life in hours; N receives the load cycles. ratio is the pitting
// safety, n the gear's speed (1/min), e its tooth contacts per rotation, F the
// product ZR Zv ZL of the other influence factors; curve 2 selects the curve
// with limited pitting permitted.
Extended PittingLifeDin(int heatTreatment, int materialKind, int curve, Extended ratio, Extended n,
                        Extended e, Extended F, Extended& N);

// Tooth root life in hours; N receives the load cycles.
Extended RootLifeDin(int heatTreatment, int materialKind, Extended& N, Extended ratio, Extended n,
                     Extended e);
