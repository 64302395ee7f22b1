#pragma once
// The common model of the stage input forms: named controls, fields bound to
// the stage records (TFormModel), and the actions OK, Cancel, Calc,
// metric/inch and the two help buttons. A changed text that is not a number
// gets "Invalid Input" with the text. An empty face width is 15 modules, an
// empty pressure angle 20 degrees: each form's own rule for 0.

#include "foundation/formmodel.h"
#include "foundation/types.h"
#include "platform/dialoghost.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

// Shows a dialog modally. A dialog closed without the model's own answer
// (a batch run, where nobody is there to answer; the window's close button)
// counts as Cancel: Aborted is set, so no caller waits for an answer that
// never comes.
platform::DialogResult RunModalDialog(platform::DialogModel& Model);

class TStageDialogModel : public TFormModel
{
  public:
    // Title: the caption is ProgramName + " " + Title.
    TStageDialogModel(std::string Form, std::string Title);

    std::string FormName() const override { return form_; }
    std::string Caption() const override;

    // --- set-up (the form's FormCreate) -------------------------------------
    // The hint of a control from help entry HelpNo (none at HelpLevel 0).
    void SetHint(const std::string& Control, uint16_t HelpNo);
    // The help entries of the "&Help Text" and "Aux. &Image" buttons.
    uint16_t HelpTextNumber = 0;
    uint16_t HelpPictureNumber = 0;
    // Gives the form the buttons' captions ("OK", "Cancel", "&Help Text",
    // "Aux. &Image").
    void SetStandardCaptions();

    // --- actions ------------------------------------------------------------------
    // Button_ok, Button_cancel, Button_hilfetext/Button_help,
    // Button_hilfebild, Button_metric, Button_calc and Escape; a form's own
    // buttons go to OnPress.
    platform::DialogAction Press(const std::string& Name) override;
    // Change handlers run only outside LoadFields.
    void Changed(const std::string& Name) override;

    // --- limits of the number fields ------------------------------------------
    // A number field takes what the project file can hold of the variable it
    // is bound to, so that every input can be saved; a text outside is
    // refused with the range as the field shows it. A field bound to a copy
    // names the variable the copy goes into; a field whose 0 the form
    // replaces by its default takes 0 too, and with NonPositive anything not
    // above 0 (see TFieldRange); a field limited as no variable (nullptr)
    // takes any number.
    void LimitAs(const std::string& Control, const void* Variable);
    // A field whose variable the project file does not hold: the form's own
    // range of what a stage can have.
    void LimitTo(const std::string& Control, const TFieldRange& Range);
    void TakeZeroAsDefault(const std::string& Control, bool NonPositive = false);
    // A field the form fills from others (a power from the torque and the
    // speed): the user never typed its number, so a refusal of it names the
    // quantity, its unit and what gives it ("The power P = 1.2e+10 kW that
    // the torque and speed give"), not an input. An empty What: typed again.
    struct TComputedField {
        std::string What; // "The power P"
        std::string Unit; // "kW"
        std::string From; // "the torque and speed give"
    };
    void MarkComputed(const std::string& Control, TComputedField Field);

    // The form's own steps.
    std::function<void()> AfterOk; // the dialog's follow-up step on OK
    std::function<platform::DialogAction(const std::string&)> OnPress;
    std::function<void(const std::string&)> OnChanged;

  protected:
    // Beeps and shows "Invalid Input" with the text.
    void InputRefused(const std::string& Text) override;
    const TFieldRange* RangeOf(const TFieldBinding& B) override;
    // Beeps and shows "Invalid Input" with the text and the valid range;
    // with the control named, a computed one says what it is (MarkComputed).
    void RefuseRange(TFieldKind Kind, const std::string& Text, const TFieldRange& R);
    void RefuseRange(const std::string& Control, TFieldKind Kind, const std::string& Text,
                     const TFieldRange& R);
    void RangeRefused(const TFieldBinding& B, const std::string& Text, const TFieldRange& R) override;

  private:
    std::map<std::string, const void*> limitedAs_;
    std::map<std::string, bool> zeroDefaults_; // control: non-positive too
    std::map<std::string, std::optional<TFieldRange>> ranges_;
    std::map<std::string, TComputedField> computed_;

    std::string form_;
    std::string title_;
};
