#pragma once
// The graphics print settings (TForm_printconf): scale, origin, orientation,
// shading and border of the printout, bound as form rows (a field the user
// left alone keeps its value); the printer choice; named settings in
// the table "printout.dbf" (load one, store the current ones as a new one);
// and on OK the graphics window printed by replaying its display list onto
// the printer.

#include "foundation/formmodel.h"

#include <functional>
#include <string>

class TForm_printconf final : public TFormModel
{
  public:
    // Creation: captions, start values by GraphContentKind, the fields.
    TForm_printconf();
    std::string FormName() const override { return "TForm_printconf"; }
    std::string Caption() const override { return "Printout"; }

    // Radio groups: RadioGroup_hochquer 0 portrait, 1 landscape;
    // RadioGroup_printmono 0 monochrome, 1 grey-scale / colour. A button
    // the user checks chooses at once; ShowChoices checks the buttons of
    // values set here.
    int32_t Hochquer = 0;
    int32_t Printmono = 0;
    void ShowChoices();
    std::string EditText(const char* name) const { return FindControl(name)->Text; }
    void SetEditText(const char* name, const std::string& text) { Control(name).Text = text; }

    // The current printer's name (empty: none known).
    std::function<std::string()> PrinterName;

    // Activation: the printer's name right-aligned in 40 characters.
    void FormActivate();
    void ButtonPrinter();
    // Loads a named setting: false when the table or the pick was cancelled.
    bool ButtonDb();
    // Stores the current values as a new named setting.
    bool ButtonAppend();
    // Reads the fields back and prints; None (dialog stays) when a field is
    // refused.
    platform::DialogAction ButtonOk();

    platform::DialogAction Press(const std::string& name) override;
    void Changed(const std::string& name) override;

    // Field checks: the message for the first refused field, empty when all
    // are numbers within their bounds.
    std::string CheckFields() const;

  private:
    void ShowValues();
    bool OpenTable();
};

// The main window's print command: the dialog shown modally. False when it
// was cancelled (Aborted set).
bool PrintGraphicsWithSettings();
