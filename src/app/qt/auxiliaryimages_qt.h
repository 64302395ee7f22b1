#pragma once
// The picture list window TForm_hilfebild on Qt: a tool window with the
// list, the spin button and the command buttons.

#include <QDialog>
#include <memory>

#include "platform/qt/dialoghost_qt.h"

std::unique_ptr<QDialog> MakeHilfebildForm(platform::DialogModel& model, QWidget* parent);
void RegisterHilfebildForm(platform::DialogHostImplQt& host);
