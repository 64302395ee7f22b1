#include "graphics/cadsettings.h"

TCadSettings cadsettings;

void ResetCadSettings()
{
    cadsettings = TCadSettings{};
}

TCadState cadstate;

void ResetCadState()
{
    cadstate = TCadState{};
}
