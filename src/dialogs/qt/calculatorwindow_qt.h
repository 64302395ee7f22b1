#pragma once
// The online input window TForm_online on Qt: its layout, the keys of its
// edits and the hints of its labels; everything else is the model's.

#include <QDialog>
#include <memory>

#include "platform/qt/dialoghost_qt.h"

namespace dialogs_qt
{

std::unique_ptr<QDialog> MakeOnlineForm(platform::DialogModel& model, QWidget* parent);
void RegisterOnlineForm(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
