#pragma once
// The plot program's configuration form TForm_confkorvilt on Qt: a layout
// of widgets named as the model's controls, kept in step with the model.

#include <QDialog>
#include <memory>

#include "platform/qt/dialoghost_qt.h"

namespace graphics_qt
{

std::unique_ptr<QDialog> MakeConfKorviltForm(platform::DialogModel& model, QWidget* parent);
// Registers the form and lets the device menu open it.
void InstallPlotForms(platform::DialogHostImplQt& host);

} // namespace graphics_qt
