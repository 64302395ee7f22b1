#include "platform/printer.h"

#include "platform/platform.h"

namespace platform
{

bool StartPrintout(const std::string& title)
{
    Platform& pf = CurrentPlatform();
    Printer& printer = pf.Print();
    if (!printer.HasDestination() && !printer.ChoosePrinter())
        return false;
    if (printer.BeginDoc(title))
        return true;
    pf.Messages().ShowOk("", "Printing is not possible: " + printer.FailureCause(), MessageIcon::Error);
    return false;
}

} // namespace platform
