#include "platform/printer.h"

#include "platform/platform.h"

namespace platform
{

bool StartPrintout(const std::string& title)
{
    Printer& printer = CurrentPlatform().Print();
    if (!printer.HasDestination() && !printer.ChoosePrinter()) return false;
    if (printer.BeginDoc(title)) return true;
    ShowPrintoutRefused(printer.FailureCause());
    return false;
}

void ShowPrintoutRefused(const std::string& cause)
{
    CurrentPlatform().Messages().ShowOk("", "Printing is not possible: " + cause, MessageIcon::Error);
}

} // namespace platform
