#include "platform/qt/dialoghost_qt.h"

#include <QApplication>

namespace platform
{

void DialogHostImplQt::RegisterForm(const std::string& formName, FormFactory factory)
{
    forms_[formName] = std::move(factory);
}

DialogResult DialogHostImplQt::RunModal(DialogModel& model)
{
    auto it = forms_.find(model.FormName());
    if (it == forms_.end()) {
        // A model without a form is a fault of the program, not of the user:
        // say so and leave everything as it was.
        messages_.ShowOk("Error  : ", "dialog " + model.FormName() + " is not available", MessageIcon::Error);
        return DialogResult::Cancel;
    }
    std::unique_ptr<QDialog> form = it->second(model, QApplication::activeWindow());
    if (!form) return DialogResult::Cancel;
    form->setWindowModality(Qt::ApplicationModal);
    return form->exec() == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

} // namespace platform
