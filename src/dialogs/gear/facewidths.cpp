#include "dialogs/gear/facewidths.h"

void StoreStageFaceWidths(const TEffectiveFaceWidths& W)
{
    TPlanetaryGears& g = PlanetaryGears;
    for (int i = 1; i <= 3; ++i) {
        g.b_effH[i] = W.H[i];
        g.b_effF[1][i] = W.F1[i];
        g.b_effF[2][i] = W.F2[i];
    }
}
