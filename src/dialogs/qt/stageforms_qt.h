#pragma once
// The drive, predimensioning, drawing texts, carrier and lubricant forms on
// Qt: each is a layout of named widgets bound to its model.

#include "platform/qt/dialoghost_qt.h"

namespace dialogs_qt
{

void RegisterDriveForm(platform::DialogHostImplQt& host);
void RegisterPredimForm(platform::DialogHostImplQt& host);
void RegisterTextsForm(platform::DialogHostImplQt& host);
void RegisterCarrierForm(platform::DialogHostImplQt& host);
void RegisterLubricantForm(platform::DialogHostImplQt& host);
void RegisterViscosityForm(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
