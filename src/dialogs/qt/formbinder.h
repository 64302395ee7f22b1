#pragma once
// Binds the widgets of a form to the named controls of its model: every
// widget whose object name is a control of the model shows that control
// (caption, text, check mark, hint, visible, enabled); edits and check marks
// go back into the control and to the model's change handler; a button
// press goes to the model, whose answer closes the form, keeps it open or
// brings it to the front. A form is thus a layout of named widgets and
// nothing else. A list shows its control's caption as items, one a line,
// and keeps the chosen row (from 0) as the text; a grid shows the caption's
// lines as rows of tab-separated cells and keeps the current cell as
// "row,column"; a double click on either presses name + "DblClick".

#include <QDialog>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/dialoghost.h"
#include "platform/qt/dialoghost_qt.h"

class QWidget;

namespace dialogs_qt
{

class TFormBinder final : public QObject
{
  public:
    TFormBinder(QDialog& form, platform::DialogModel& model);
    // Shows the model's controls in the widgets again.
    void Refresh();
    // Hands a button press to the model and carries out its answer.
    void Press(const std::string& name);
    // Carries out a model's answer: close with OK or Cancel, stay, or come
    // to the front again.
    void Apply(platform::DialogAction action);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Connect(QWidget* widget, const std::string& name);
    // A name field's bytes as the model last put them there, the text shown
    // for them and the bytes its typing last gave back. A name with bytes
    // that are no UTF-8 shows replacement characters, which no typing
    // converts back into those bytes: while the field shows that text
    // again, the model gets the bytes it was filled from.
    struct TShownName {
        std::string Bytes;
        QString Shown;
        std::string Typed;
    };
    std::map<std::string, TShownName> names_;
    QDialog& form_;
    platform::DialogModel& model_;
    bool refreshing_ = false;
    bool closingByModel_ = false;
};

// Makes the form's layout for a model; the binder is attached afterwards.
using TFormLayout = std::function<std::unique_ptr<QDialog>(platform::DialogModel& model, QWidget* parent)>;

// Registers a form that is its layout plus the generic binding.
void RegisterBoundForm(platform::DialogHostImplQt& host, const std::string& formName, TFormLayout layout);

// The same binding for a form shown outside the dialog host.
std::unique_ptr<QDialog> MakeBoundForm(platform::DialogModel& model, QWidget* parent,
                                       const TFormLayout& layout);

} // namespace dialogs_qt
