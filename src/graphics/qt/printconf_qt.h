#pragma once
// The graphics print settings dialog on screen: edits, radio groups, check
// boxes and buttons bound to TForm_printconf; the Qt printer takes the
// orientation and gives its name.

#include "graphics/printconf.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace platform
{
class DialogHostImplQt;
}

namespace graphics_qt
{

class PrintConfQt final : public QDialog
{
    Q_OBJECT
  public:
    PrintConfQt(TForm_printconf& model, QWidget* parent = nullptr);

  protected:
    void reject() override;
    void showEvent(QShowEvent* event) override;

  private:
    void ToModel();
    void FromModel();
    void Act(platform::DialogAction a);
    TForm_printconf& model_;
    QLineEdit* edits_[4] = {};
    QButtonGroup* hochquer_ = nullptr;
    QButtonGroup* printmono_ = nullptr;
    QCheckBox* anpassen_ = nullptr;
    QCheckBox* umrandung_ = nullptr;
    QLabel* printer_ = nullptr;
    bool closing_ = false;
};

// Registers "TForm_printconf".
void RegisterPrintConfForm(platform::DialogHostImplQt& host);

} // namespace graphics_qt
