#pragma once
// The drive, predimensioning, drawing texts, carrier and lubricant forms on
// Qt: each is a layout of named widgets bound to its model.

#include "platform/qt/dialoghost_qt.h"

#include <QStringList>

namespace dialogs_qt
{

// The choice beside the speed, torque and power rows of the drive and
// predimensioning forms: the row chosen is computed from the other two.
inline QStringList ComputedCaptions()
{
    return {QStringLiteral("computed"), QStringLiteral("computed"), QStringLiteral("computed")};
}

void RegisterDriveForm(platform::DialogHostImplQt& host);
void RegisterPredimForm(platform::DialogHostImplQt& host);
void RegisterTextsForm(platform::DialogHostImplQt& host);
void RegisterCarrierForm(platform::DialogHostImplQt& host);
void RegisterLubricantForm(platform::DialogHostImplQt& host);
void RegisterViscosityForm(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
