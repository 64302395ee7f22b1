#pragma once
// Where the entities of the CAD layer go now. The output (cadoutput.h) sets
// these devices as it opens, defines blocks and closes; the primitives
// (cadprimitives.h) and the block reader only ask for the target, so they
// need nothing of the output.

#include <memory>

class TCadDevice;
class TCadScreen;

struct TCadTarget {
    // The open output's device; nullptr while no output is open.
    TCadDevice* Output = nullptr;
    // The block being defined, and the block file being written by the
    // devices that keep their blocks in files (screen and STL).
    TCadDevice* Block = nullptr;
    TCadDevice* BlockFile = nullptr;
    bool BlocksInFiles = false;
};

extern TCadTarget cadtarget;

void ResetCadTarget();

// The screen the CAD layer draws on (cadscreen.h): outputs open and close
// around it, so it has a record and a reset of its own.
struct TCadScreenTarget {
    // A surface installed in place of the program's own (SetCadScreen);
    // nullptr for the drawing facade.
    TCadScreen* Installed = nullptr;
    // The screen device used outside any output, and the surface it was
    // made for: it is made again when another surface is in place.
    TCadScreen* IdleBound = nullptr;
    std::shared_ptr<TCadDevice> IdleDevice;
};

extern TCadScreenTarget cadscreentarget;

// The drawing facade as surface, and no screen device yet.
void ResetCadScreenTarget();

// The block being defined, else the block file inside the block section of
// the devices that keep blocks in files, else the device; without an open
// output the screen when it is the chosen device, else nullptr.
TCadDevice* CadEntityTarget();
