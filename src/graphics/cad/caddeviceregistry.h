#pragma once
// The writer devices by device code: CadOpenOutput makes the device of a
// code from its factory, and the program registers the IGES, text CAD and
// STL devices at start-up.

#include "graphics/cad/caddevice.h"

#include <functional>
#include <map>
#include <memory>
#include <ostream>

// The writer of a device code that has one (IGES 2, text CAD 5, STL 6),
// made on the output's stream; CadOpenOutput refuses a code without one.
using TCadDeviceFactory = std::function<std::unique_ptr<TCadDevice>(std::ostream& Out)>;
void RegisterCadDeviceFactory(int DeviceCode, TCadDeviceFactory Factory);
const TCadDeviceFactory* FindCadDeviceFactory(int DeviceCode);

struct TCadDeviceRegistry {
    std::map<int, TCadDeviceFactory> Factories;
};

extern TCadDeviceRegistry caddeviceregistry;

// No device code has a writer (the writers register theirs again).
void ResetCadDeviceRegistry();

// Registers the three devices under their codes (at start-up).
void RegisterCadWriters();

// The system's date and the three devices registered, as the program runs
// them; a writer replaced or removed under its code is registered again.
void ResetCadWriters();
