#pragma once
// The layout of the plot program's configuration form TForm_confkorvilt:
// widgets named as the model's controls. The dialogs' generic binder
// attaches to it when the form is registered with the dialog host.

#include <QDialog>
#include <memory>

#include "platform/dialoghost.h"

class QWidget;

namespace graphics_qt
{

std::unique_ptr<QDialog> ConfKorviltLayout(platform::DialogModel& model, QWidget* parent);

} // namespace graphics_qt
