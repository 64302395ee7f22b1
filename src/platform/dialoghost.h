#pragma once
// Modal dialogs whose logic is a plain C++ model. The model holds the fields,
// loads them from and stores them into the program's records and validates
// them; a back end only shows it. The Qt back end looks up the form that binds
// a model by the model's FormName; the headless back end lets a test script
// fill in the model as a user would and press OK or Cancel.

#include <string>

namespace platform
{

enum class DialogResult { Ok, Cancel };

class DialogModel
{
  public:
    virtual ~DialogModel() = default;
    // Names the form that shows this model (one form per model class).
    virtual std::string FormName() const = 0;
    virtual std::string Caption() const = 0;
};

class DialogHost
{
  public:
    virtual ~DialogHost() = default;
    // Shows the dialog for the model and returns once the user closed it.
    virtual DialogResult RunModal(DialogModel& model) = 0;
};

} // namespace platform
