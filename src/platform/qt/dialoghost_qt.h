#pragma once
// Runs a dialog model in the Qt form registered for it. Each form module
// registers a factory under the model's FormName; the form binds the model's
// fields and, on OK, lets the model check and store them.

#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <string>

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

class DialogHostImplQt final : public DialogHost
{
  public:
    using FormFactory = std::function<std::unique_ptr<QDialog>(DialogModel& model, QWidget* parent)>;

    explicit DialogHostImplQt(MessageBoxes& messages) : messages_(messages) {}
    void RegisterForm(const std::string& formName, FormFactory factory);
    bool HasForm(const std::string& formName) const { return forms_.count(formName) != 0; }
    DialogResult RunModal(DialogModel& model) override;

  private:
    MessageBoxes& messages_;
    std::map<std::string, FormFactory> forms_;
};

} // namespace platform
