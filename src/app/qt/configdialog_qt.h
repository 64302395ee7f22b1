#pragma once
// The configuration dialog with its nine pages and the colour number picker
// on Qt.

#include "platform/qt/dialoghost_qt.h"

void RegisterConfigForms(platform::DialogHostImplQt& host);
