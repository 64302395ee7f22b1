#pragma once
// Registers every form of the dialogs with the Qt dialog host.

#include "platform/qt/dialoghost_qt.h"

namespace dialogs_qt
{

void RegisterDialogForms(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
