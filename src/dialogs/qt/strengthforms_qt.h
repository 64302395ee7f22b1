#pragma once
// The strength input forms, the calculation option forms and the load
// spectrum forms (table, list and item) on Qt.

#include "platform/qt/dialoghost_qt.h"

namespace dialogs_qt
{

void RegisterStrengthForms(platform::DialogHostImplQt& host);
void RegisterLoadSpectrumForms(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
