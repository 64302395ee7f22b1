#pragma once
// The buttons the documentation forms share: "Button_help" shows the form's
// help entry and keeps the form up; "Button_cancel", Escape and the window's
// close button end the form as cancelled (Aborted set). Any other button is
// the form's own: no answer here.

#include "platform/dialoghost.h"

#include <cstdint>
#include <optional>
#include <string>

std::optional<platform::DialogAction> SheetFormButton(const std::string& Name, uint16_t HelpNumber);
