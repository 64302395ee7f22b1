#pragma once
// The two animation settings forms on Qt: layouts of named widgets bound to
// the models TForm_qyr1ani (meshing animation) and TForm_qyr5ani (stage
// animation).

#include "platform/qt/dialoghost_qt.h"

#include <QDialog>
#include <memory>

namespace platform
{
class DialogModel;
}

namespace dialogs_qt
{

std::unique_ptr<QDialog> MeshAnimationLayout(platform::DialogModel& model, QWidget* parent);
std::unique_ptr<QDialog> StageAnimationLayout(platform::DialogModel& model, QWidget* parent);
void RegisterAnimationForms(platform::DialogHostImplQt& host);

} // namespace dialogs_qt
