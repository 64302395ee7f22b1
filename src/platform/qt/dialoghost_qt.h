#pragma once
// Runs a dialog model in the Qt form registered for it. Each form module
// registers a factory under the model's FormName; the form binds the model's
// fields and, on OK, lets the model check and store them.

#include <QDialog>
#include <QLineEdit>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialoghost.h"
#include "platform/messagebox.h"
#include "platform/qt/qttext.h"

namespace platform
{

// The window title of a model's form: a file or directory name in it is
// shown whole, the rest as the program's text.
inline QString CaptionToQString(const DialogModel& model)
{
    if (const auto named = model.CaptionWithFileName())
        return ToQString(named->Before) + FileNameToQString(named->FileName) + ToQString(named->After);
    return ToQString(model.Caption());
}

// A widget of a form that only shows a value, with no control of the form's
// model behind it: marked so, a field reads as shown only and takes no
// typing. Every other named widget that takes a click or input is a
// control of its model.
inline void MarkShownOnly(QWidget& widget)
{
    widget.setProperty("shownOnly", true);
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) edit->setReadOnly(true);
}
inline bool IsShownOnly(const QWidget& widget)
{
    return widget.property("shownOnly").toBool();
}

class DialogHostImplQt final : public DialogHost
{
  public:
    using FormFactory = std::function<std::unique_ptr<QDialog>(DialogModel& model, QWidget* parent)>;

    explicit DialogHostImplQt(MessageBoxes& messages) : messages_(messages) {}
    void RegisterForm(const std::string& formName, FormFactory factory);
    bool HasForm(const std::string& formName) const { return forms_.count(formName) != 0; }
    // The names of the registered forms, in order.
    std::vector<std::string> FormNames() const
    {
        std::vector<std::string> names;
        for (const auto& form : forms_)
            names.push_back(form.first);
        return names;
    }
    DialogResult RunModal(DialogModel& model) override;

  private:
    MessageBoxes& messages_;
    std::map<std::string, FormFactory> forms_;
};

} // namespace platform
