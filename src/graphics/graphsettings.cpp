#include "graphics/graphsettings.h"

TGraphSettings graphsettings;

namespace
{
constexpr int32_t DefaultPalette[17] = {0,        0x800000, 0x00FF00, 0xFFFF00, 0x0000FF, 0x800080,
                                        0x000080, 0xC0C0C0, 0xB0B0B0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0};
} // namespace

TGraphSettings::TGraphSettings()
{
    for (int i = 0; i <= 16; ++i)
        ColourTable[i] = DefaultPalette[i];
}

void SetDefaultGraphPalette()
{
    for (int i = 0; i <= 16; ++i)
        graphsettings.ColourTable[i] = DefaultPalette[i];
}

void ResetGraphSettings()
{
    graphsettings = TGraphSettings{};
}
