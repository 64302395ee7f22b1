#pragma once
// The layout of the planet bearing's operating data form (TForm_vq1waelz):
// widgets named as the model's controls, placed at their designed
// positions. The dialogs' generic binder attaches to it when the form is
// registered with the dialog host.

#include <QDialog>
#include <memory>

#include "platform/dialoghost.h"

class QWidget;

namespace planetary_qt
{

std::unique_ptr<QDialog> OperationDataLayout(platform::DialogModel& model, QWidget* parent);

} // namespace planetary_qt
