#pragma once
// Modal dialogs whose logic is a plain C++ model. The model holds the fields,
// loads them from and stores them into the program's records and validates
// them; a back end only shows it. The Qt back end looks up the form that binds
// a model by the model's FormName; the headless back end lets a test script
// fill in the model as a user would and press OK or Cancel.
//
// A model may describe its form as named controls (the widgets' object
// names): what each shows (caption, text, check mark, hint) and whether it
// is visible and enabled. A generic binder then keeps the widgets and the
// controls in step and hands button presses and edits to the model, so a
// form needs nothing but its layout.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace platform
{

enum class DialogResult { Ok, Cancel };

// What a pressed button asks of the form.
enum class DialogAction {
    None,   // stay open
    Accept, // close with OK
    Reject, // close with Cancel
    Raise,  // stay open and come to the front again (after a help picture)
};

// One control of a form, named as its widget. Texts are in the display code
// page (Windows-1252), as everywhere between the program and the toolkit;
// a control that holds a file or directory name (FileName) holds it as the
// file system has it instead, and the form shows it and reads it back
// through the toolkit's file-name conversion.
struct DialogControl {
    std::string Name;
    bool Visible = true;
    bool Enabled = true;
    std::string Caption; // label, button, check box or group caption
    std::string Text;    // the text of an edit
    bool Checked = false;
    std::string Hint;      // tool tip; empty for none
    int HintNumber = 0;    // help entry the hint was read from
    bool FileName = false; // Text (a label's or list's Caption) is a name: the file system's bytes
};

class DialogModel
{
  public:
    virtual ~DialogModel() = default;
    // Names the form that shows this model (one form per model class).
    virtual std::string FormName() const = 0;
    virtual std::string Caption() const = 0;
    // A caption that shows a file or directory name: Caption() is the whole
    // as a text of the program (the name with "?" for what the code page
    // cannot show); these are its parts, the name as the file system has it,
    // so that a form shows the name whole. Nothing for a caption without one.
    struct NamedCaption {
        std::string Before, FileName, After;
    };
    virtual std::optional<NamedCaption> CaptionWithFileName() const { return std::nullopt; }

    // The control of that name, made on first use (in order of first use).
    DialogControl& Control(const std::string& name);
    const DialogControl* FindControl(const std::string& name) const;
    const std::deque<DialogControl>& Controls() const { return controls_; }

    // The user pressed the named button ("Escape" for the key and for
    // closing the window).
    virtual DialogAction Press(const std::string& name)
    {
        return name == "Escape" ? DialogAction::Reject : DialogAction::None;
    }
    // The user changed the text or check mark of the named control; the
    // binder has already written it into the control.
    virtual void Changed(const std::string& name) { (void)name; }
    // The user left the named edit field (the focus went elsewhere or
    // Return was pressed in it).
    virtual void Left(const std::string& name) { (void)name; }

    // Counts changes the model made to its controls, so that a form knows
    // when to show them again.
    uint64_t Revision() const { return revision_; }
    void Touch() { ++revision_; }

  private:
    std::deque<DialogControl> controls_;
    uint64_t revision_ = 0;
};

class DialogHost
{
  public:
    virtual ~DialogHost() = default;
    // Shows the dialog for the model and returns once the user closed it.
    virtual DialogResult RunModal(DialogModel& model) = 0;
};

} // namespace platform
