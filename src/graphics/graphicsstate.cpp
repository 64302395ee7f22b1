#include "graphics/graphicsstate.h"

#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadtarget.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"
#include "graphics/graphservicedefaults.h"
#include "graphics/graphsettings.h"
#include "graphics/graphwindow.h"
#include "graphics/hpgl/hpglstate.h"

void ResetGraphicsState()
{
    ResetCadScreenTarget();
    ResetCadOutput();
    ResetCadDeviceRegistry();
    ResetCadWriters();
    ResetCadSettings();
    ResetCadState();
    ResetHatchState();
    ResetDiagramState();
    ResetHpglState();
    ResetGraphSettings();
    ResetGraphServices();
    ResetGraphWindow();
}
