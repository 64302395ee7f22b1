#pragma once
// The layout of the graphics print settings (TForm_printconf): edits, radio
// groups, check boxes and buttons named as the model's controls. The
// dialogs' generic binder attaches to it when the form is registered; the
// Qt printer takes the orientation and gives its name.

#include <QDialog>
#include <memory>

#include "platform/dialoghost.h"

class QWidget;

namespace graphics_qt
{

std::unique_ptr<QDialog> PrintConfLayout(platform::DialogModel& model, QWidget* parent);

} // namespace graphics_qt
