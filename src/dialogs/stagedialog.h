#pragma once
// The common model of the stage input forms: named controls, fields bound to
// the stage records, and the actions OK, Cancel, Calc, metric/inch and the
// two help buttons.
//
// A form's model lists its bindings once (control name, kind, variable); the
// same list loads the edits from the records (LoadFields) and stores them
// back (StoreFields), so the two cannot drift apart. Numbers are shown and
// read with the program's number routines in the current unit system.
//
// Two rules protect the user's data:
// - A text the user did not change is not read back: the variable keeps its
//   value bit for bit (a viscosity of 123.456 shown as "123.5" stays
//   123.456 after OK, Calc or the unit switch).
// - A changed text that is not a number stores nothing at all: the user
//   gets "Invalid Input" with the text and the form stays open.
// - A field left empty (or holding only blanks) stands for 0, and the
//   form's own rule for 0 applies (an empty face width is 15 modules, an
//   empty pressure angle 20 degrees); the user cleared it on purpose.

#include "foundation/types.h"
#include "platform/dialoghost.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

// Shows a dialog modally. A dialog closed without the model's own answer
// (a batch run, where nobody is there to answer; the window's close button)
// counts as Cancel: Aborted is set, so no caller waits for an answer that
// never comes.
platform::DialogResult RunModalDialog(platform::DialogModel& Model);

enum class TFieldKind {
    Length,      // mm, shown in mm or inch
    MicroLength, // um, shown in um or microinch
    Stress,      // MPa, shown in the stress unit
    Torque,      // Nm, shown in the torque unit
    Temperature, // degrees C, shown in C or F
    Sig3,        // a plain real with 3 significant digits
    Sig6,        // a plain real with 6 significant digits
    Integer,     // a 32- or 16-bit integer
    YesNoChar,   // 'J' or 'N' as a check box
    Boolean,     // a flag as a check box
    Text,        // a stored text (DOS code page)
};

using TFieldTarget = std::variant<Extended*, double*, int32_t*, uint16_t*, char*, bool*, std::string*>;

struct TFieldBinding {
    std::string Control;
    TFieldKind Kind;
    TFieldTarget Target;
};

class TStageDialogModel : public platform::DialogModel
{
  public:
    // Title: the caption is ProgramName + " " + Title.
    TStageDialogModel(std::string Form, std::string Title);

    std::string FormName() const override { return form_; }
    std::string Caption() const override;

    // --- set-up (the form's FormCreate) -------------------------------------
    void Bind(const std::string& Control, TFieldKind Kind, TFieldTarget Target);
    // The hint of a control from help entry HelpNo (none at HelpLevel 0).
    void SetHint(const std::string& Control, uint16_t HelpNo);
    // The help entries of the "&Help Text" and "Aux. &Image" buttons.
    uint16_t HelpTextNumber = 0;
    uint16_t HelpPictureNumber = 0;
    // Gives the form the buttons' captions ("OK", "Cancel", "&Help Text",
    // "Aux. &Image").
    void SetStandardCaptions();

    // --- fields -----------------------------------------------------------------
    // Controls from the records; change handlers are blocked meanwhile.
    void LoadFields();
    // Records from the controls. False (nothing stored, message shown) when
    // a changed text is not a number.
    bool StoreFields();
    // True while LoadFields fills the controls.
    bool Loading() const { return loading_; }

    // --- actions ------------------------------------------------------------------
    // Button_ok, Button_cancel, Button_hilfetext/Button_help,
    // Button_hilfebild, Button_metric, Button_calc and Escape; a form's own
    // buttons go to OnPress.
    platform::DialogAction Press(const std::string& Name) override;
    // Change handlers run only outside LoadFields.
    void Changed(const std::string& Name) override;

    // The form's own steps.
    std::function<void()> AfterLoad;  // extra controls after the bound ones
    std::function<void()> AfterStore; // extra records after the bound ones
    std::function<void()> AfterOk;    // the dialog's follow-up step on OK
    std::function<platform::DialogAction(const std::string&)> OnPress;
    std::function<void(const std::string&)> OnChanged;

    // The text a binding shows for its variable now.
    static std::string FormatField(const TFieldBinding& B);

  private:
    // Parses a changed text into the value it stands for; false when it is
    // not a number.
    static bool ParseField(const TFieldBinding& B, const platform::DialogControl& C);

    std::string form_;
    std::string title_;
    std::vector<TFieldBinding> bindings_;
    std::vector<std::string> loadedTexts_;
    std::vector<bool> loadedChecks_;
    bool loading_ = false;
};
