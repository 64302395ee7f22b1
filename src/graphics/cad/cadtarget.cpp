#include "graphics/cad/cadtarget.h"

#include "graphics/cad/caddevice.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"

#include <memory>

TCadTarget cadtarget;

void ResetCadTarget()
{
    cadtarget = TCadTarget{};
}

namespace
{

// The screen outside any output (the device is the screen from the start).
TCadDevice* IdleScreen()
{
    static TCadScreen* bound = nullptr;
    static std::unique_ptr<TCadScreenDevice> dev;
    if (!dev || bound != &CadScreen()) {
        bound = &CadScreen();
        dev = std::make_unique<TCadScreenDevice>(*bound);
    }
    return dev.get();
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
