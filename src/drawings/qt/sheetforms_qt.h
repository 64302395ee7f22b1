#pragma once
// Layouts of the documentation forms: one change of the protocol
// (TForm_EinAend), the drawing information (TForm_zeichInfo) and the
// document links (TForm_confDoku). Widgets are named as the models'
// controls, grid cells as grid + "_" + column + "_" + row; the dialogs'
// generic binder attaches to them when the forms are registered with the
// dialog host. The one widget it does not know, the description memo, is
// bound here.

#include <QDialog>
#include <memory>

#include "platform/dialoghost.h"

class QWidget;

namespace drawings_qt
{

std::unique_ptr<QDialog> ChangeEntryLayout(platform::DialogModel& model, QWidget* parent);
std::unique_ptr<QDialog> DrawingInfoLayout(platform::DialogModel& model, QWidget* parent);
std::unique_ptr<QDialog> DocumentLinksLayout(platform::DialogModel& model, QWidget* parent);

} // namespace drawings_qt
