#pragma once
#include "platform/prompts.h"

namespace platform
{

// The list, radio, yes/no, text and text-screen dialogs built from plain
// widgets. Each dialog and its widgets carry the object names of the
// program's forms (Tin_codedialog with Label1, ListBox1, button_ok,
// button_cancel; Tin_radiodialog with RadioGroup1; Tin_janeindialog with
// RadioGroup_janein; Tin_textdialog with EditEinText, Button_ok,
// Button_Cancel; TShowScreen with Memo1; Button_hilfetext and
// Button_hilfebild for help), so that tests can find and drive them.
class PromptsImplQt final : public Prompts
{
  public:
    std::optional<int> Select(const SelectionRequest& request) override;
    std::optional<std::string> AskText(const TextPromptRequest& request) override;
    void ShowTextScreen(const TextScreenRequest& request) override;
    std::optional<uint32_t> PickColour(const ColourRequest& request) override;
    std::optional<FontChoice> PickFont(const FontChoice& current) override;
};

} // namespace platform
