#pragma once
// TEinDiagramLimits: the diagram limits dialog's layout.

#include "platform/qt/dialoghost_qt.h"

namespace dialogs_qt
{

void RegisterDiagramLimitsForm(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
