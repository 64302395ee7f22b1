#pragma once
// The step dialog of the animations on Qt.

#include <QDialog>

class TForm_anistep;
class QPushButton;

namespace platform
{
class DialogHostImplQt;
}

class AnistepFormQt final : public QDialog
{
  public:
    AnistepFormQt(TForm_anistep& model, QWidget* parent);

  protected:
    // Esc presses the end button, as the cancel button of the dialog.
    void reject() override;

  private:
    TForm_anistep& model_;
};

// Registers the step dialog of the animations with the dialog host.
void RegisterAnimationStepForm(platform::DialogHostImplQt& dialogs);
