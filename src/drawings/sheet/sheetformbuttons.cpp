#include "drawings/sheet/sheetformbuttons.h"

#include "foundation/programstate.h"
#include "reports/engine/reportservices.h"

std::optional<platform::DialogAction> SheetFormButton(const std::string& Name, uint16_t HelpNumber)
{
    if (Name == "Button_help") {
        if (reportservices.ShowHelpText) reportservices.ShowHelpText(HelpNumber, 0, 1);
        return platform::DialogAction::Raise;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        telmvar.Aborted = true;
        return platform::DialogAction::Reject;
    }
    return std::nullopt;
}
