#pragma once
// Help services of the layers above (help file, help window) for the planet
// bearing dialogs and questions. Unset: no hints and no help shown, as in a
// batch run.

#include <cstdint>
#include <functional>
#include <string>

struct TBearingDialogServices {
    std::function<std::string(uint16_t HelpNo)> HelpHint;
    // Mode 1 the text, 2 the picture of the entry.
    std::function<void(uint16_t HelpNo, int Mode)> ShowHelp;
};
extern TBearingDialogServices bearingdialogservices;
void ResetBearingDialogServices();
