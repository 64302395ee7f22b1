#pragma once
// Registers every form of the dialogs with the Qt dialog host.

#include "platform/qt/dialoghost_qt.h"

namespace dialogs_qt
{

void RegisterDialogForms(platform::DialogHostImplQt& host);
// Registers the plot program's configuration form and lets the device menu
// open it.
void InstallPlotForm(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
