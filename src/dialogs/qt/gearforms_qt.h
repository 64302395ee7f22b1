#pragma once
// The gear forms on Qt (dimensions, face widths, ...): each is a layout of
// named widgets bound to its model.

#include "platform/qt/dialoghost_qt.h"

namespace dialogs_qt
{

void RegisterGearDimensionsForm(platform::DialogHostImplQt& host);
void RegisterFaceWidthForm(platform::DialogHostImplQt& host);
void RegisterGearMaterialForm(platform::DialogHostImplQt& host);
void RegisterGearMeasurementForm(platform::DialogHostImplQt& host);
void RegisterPinionCutterForm(platform::DialogHostImplQt& host);
void RegisterGearQualityForm(platform::DialogHostImplQt& host);
void RegisterToolProfileForm(platform::DialogHostImplQt& host);
// The tooth drawing settings and the CAD settings of one gear.
void RegisterGearDrawingConfigForms(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
