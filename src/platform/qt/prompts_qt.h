#pragma once
#include "platform/prompts.h"

namespace platform
{

// The list, radio, text and text-screen dialogs built from plain widgets.
// Every dialog's widgets carry object names ("Prompt", "Items", "Text",
// "Screen", "OK", "Cancel") so that tests can find and drive them.
class PromptsImplQt final : public Prompts
{
  public:
    std::optional<int> Select(const SelectionRequest& request) override;
    std::optional<std::string> AskText(const TextPromptRequest& request) override;
    void ShowTextScreen(const TextScreenRequest& request) override;
};

} // namespace platform
