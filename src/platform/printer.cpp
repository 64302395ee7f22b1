#include "platform/printer.h"

namespace platform
{

bool StartPrintout(Printer& printer, MessageBoxes& messages, const std::string& title)
{
    if (!printer.HasDestination() && !printer.ChoosePrinter()) return false;
    if (printer.BeginDoc(title)) return true;
    ShowPrintoutRefused(messages, printer.FailureCause());
    return false;
}

void ShowPrintoutRefused(MessageBoxes& messages, const std::string& cause)
{
    messages.ShowOk("", "Printing is not possible: " + cause, MessageIcon::Error);
}

} // namespace platform
