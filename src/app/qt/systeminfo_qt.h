#pragma once
// The system information window and the about box on Qt.

#include <QDialog>
#include <memory>

#include "platform/qt/dialoghost_qt.h"

std::unique_ptr<QDialog> MakeSysinfoForm(platform::DialogModel& model, QWidget* parent);
std::unique_ptr<QDialog> MakeAboutBoxForm(platform::DialogModel& model, QWidget* parent);
void RegisterSystemInfoForms(platform::DialogHostImplQt& host);
