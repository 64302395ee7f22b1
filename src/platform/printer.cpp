#include "platform/printer.h"

#include <cstdlib>

namespace platform
{

PrintFileServices& PrintFiles()
{
    static PrintFileServices services{[](const std::string& Target, std::string& Temp) {
                                          Temp = Target + ".XXXXXX";
                                          return ::mkstemp(Temp.data());
                                      },
                                      [](const std::string&) {}};
    return services;
}

bool StartPrintout(Printer& printer, MessageBoxes& messages, const std::string& title,
                   const std::function<bool(const std::string& file)>& mayReplace)
{
    if (!printer.HasDestination() && !printer.ChoosePrinter()) return false;
    const std::string file = printer.FileToReplace();
    if (!file.empty() && !mayReplace(file)) return false;
    if (printer.BeginDoc(title)) return true;
    ShowPrintoutRefused(messages, printer.FailureCause());
    return false;
}

void ShowPrintoutRefused(MessageBoxes& messages, const std::string& cause)
{
    messages.ShowOk("", "Printing is not possible: " + cause, MessageIcon::Error);
}

} // namespace platform
