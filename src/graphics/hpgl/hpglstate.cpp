#include "graphics/hpgl/hpglstate.h"

THpglState hpgl;

void ResetHpglState()
{
    hpgl = THpglState{};
}
