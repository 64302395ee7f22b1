#include "reports/engine/reportservices.h"

#include "foundation/telmvar.h"

#include <cstdio>

TReportServices reportservices;

namespace {

void ToStderr(const std::string& Caption, const std::string& Text)
{
    std::fprintf(stderr, "%s %s\n", Caption.c_str(), Text.c_str());
}

} // namespace

void ResetReportServices()
{
    TReportServices& S = reportservices;
    S.AskSelect = [](const std::string&, int Count, uint16_t& Choice) {
        if (Choice < 1 || Choice > Count)
            Choice = 1;
    };
    S.AskYesNoCancel = [](const std::string& Q) {
        ToStderr("Question:", Q);
        return false;
    };
    S.QueryYesNo = [](const std::string& Q) {
        ToStderr("Question:", Q);
        return false;
    };
    S.SaveFileDialog = [](const std::string&, std::string&) { telmvar.Aborted = true; };
    S.CheckFileName = [](const std::string&) {};
    S.CheckFileExists = [](const std::string& Path) {
        std::FILE* f = std::fopen(Path.c_str(), "rb");
        if (f) {
            std::fclose(f);
            return true;
        }
        reportservices.ShowMessageBox("file " + Path + " not found or no access !");
        telmvar.Aborted = true;
        return false;
    };
    S.ShowMessageBox = [](const std::string& T) { ToStderr("Message:", T); };
    S.ShowMessageCaption = [](const std::string& C, const std::string& T) { ToStderr(C, T); };
    S.ShowMessageIfEnabled = [](const std::string& T) {
        if (telmvar.MessagesEnabled)
            ToStderr("Error  : ", T);
    };
    S.SetInputHelpNumber = [](int) {};
    S.ShowHelpText = [](int, int, int) {};
    S.SetHourglassCursor = [] {};
    S.RestoreCursor = [] {};
    S.TodayDateText = [] { return std::string("2000-01-01"); };
    S.NowTimeText = [] { return std::string("0:00"); };
    S.ShowResultWindow = [](const std::string&) {};
    S.Launch = [](const std::string&, const std::vector<std::string>&) { return false; };
    S.SendToPrinterPort = [](int, const std::string&) { return true; };
    S.PrintTextFile = [](const std::string&) {};
    S.CopyToClipboard = [](const std::string&) {};
    S.ChoosePrintPages = [](int PageCount, int& From, int& To) {
        From = 1;
        To = PageCount;
        return true;
    };
}

namespace {
struct InitServices {
    InitServices() { ResetReportServices(); }
} initServices;
} // namespace
