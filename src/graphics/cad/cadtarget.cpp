#include "graphics/cad/cadtarget.h"

#include "graphics/cad/caddevice.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cad/screendevice.h"
#include "graphics/cadsettings.h"

#include <memory>

TCadTarget cadtarget;
TCadScreenTarget cadscreentarget;

void ResetCadTarget()
{
    cadtarget = TCadTarget{};
}

void ResetCadScreenTarget()
{
    cadscreentarget = TCadScreenTarget{};
}

namespace
{

// The screen outside any output (the device is the screen from the start).
TCadDevice* IdleScreen()
{
    auto& t = cadscreentarget;
    if (!t.IdleDevice || t.IdleBound != &CadScreen()) {
        t.IdleBound = &CadScreen();
        t.IdleDevice = std::make_shared<TCadScreenDevice>(*t.IdleBound);
    }
    return t.IdleDevice.get();
}

} // namespace

TCadDevice* CadEntityTarget()
{
    const TCadTarget& t = cadtarget;
    if (t.Output != nullptr) {
        if (t.Block != nullptr) return t.Block;
        if (t.BlocksInFiles && cadstate.CadInBlockSection) return t.BlockFile;
        return t.Output;
    }
    return cadstate.CadDevice == 3 ? IdleScreen() : nullptr;
}
