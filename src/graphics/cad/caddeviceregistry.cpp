#include "graphics/cad/caddeviceregistry.h"

#include "graphics/cad/igesdevice.h"
#include "graphics/cad/stldevice.h"
#include "graphics/cad/textcaddevice.h"

TCadDeviceRegistry caddeviceregistry;

void ResetCadDeviceRegistry()
{
    caddeviceregistry = TCadDeviceRegistry{};
}

void RegisterCadDeviceFactory(int DeviceCode, TCadDeviceFactory Factory)
{
    caddeviceregistry.Factories[DeviceCode] = std::move(Factory);
}

const TCadDeviceFactory* FindCadDeviceFactory(int DeviceCode)
{
    const auto& f = caddeviceregistry.Factories;
    const auto it = f.find(DeviceCode);
    return it == f.end() || !it->second ? nullptr : &it->second;
}

void RegisterCadWriters()
{
    RegisterCadDeviceFactory(2, [](std::ostream& Out) {
        return std::make_unique<TCadIgesDevice>(Out, IgesOptionsFromSettings());
    });
    RegisterCadDeviceFactory(5, [](std::ostream& Out) {
        return std::make_unique<TCadTextCadDevice>(Out, TextCadOptionsFromSettings());
    });
    RegisterCadDeviceFactory(
        6, [](std::ostream& Out) { return std::make_unique<TCadStlDevice>(Out, StlOptionsFromSettings()); });
}

void ResetCadWriters()
{
    cadwriters = TCadWriters{};
    RegisterCadWriters();
}
