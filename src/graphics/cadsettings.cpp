#include "graphics/cadsettings.h"

TCadSettings cadsettings;

void ResetCadSettings() { cadsettings = TCadSettings{}; }
