#include "app/menuhooks.h"

#include "dialogs/messageboxes.h"
#include "foundation/programstate.h"

TMenuHooks menuhooks;

void ResetMenuHooks() { menuhooks = TMenuHooks{}; }

void ShowNotAvailable(const std::string& What)
{
    ShowMessageBox(What + " is not available in this version");
    telmvar.Aborted = true;
}

std::string FormTitle(const std::string& Form)
{
    static const std::map<std::string, std::string> titles = {
        {"TForm_qyr7text", "The drawing texts dialog"},
        {"TForm_qyr7antr", "The drive data dialog"},
        {"TForm_qyr7vor", "The predimensioning dialog"},
        {"TForm_qyr7prof", "The cutting tool dialog"},
        {"TForm_qyr7geo", "The dimensions dialog"},
        {"TForm_qyr7wst", "The materials dialog"},
        {"TForm_qyr7qual", "The quality dialog"},
        {"TForm_qyr7mes", "The measurement dialog"},
        {"TForm_qyr7fs0", "The strength dialog"},
        {"TForm_qyrlk1", "The load spectrum table"},
        {"TForm_qyr5con2", "The calculation method dialog for the dimensions"},
        {"TForm_qyr5con3", "The calculation method dialog for the strength"},
        {"TForm_qyr1conf", "The gear drawing settings"},
        {"TForm_qyrconf", "The CAD settings"},
        {"TForm_printconf", "The print settings"},
        {"Tconfig", "The configuration dialog"},
        {"TSysinfo", "The system information"},
        {"TAboutBox", "The about box"},
    };
    const auto it = titles.find(Form);
    return it == titles.end() ? "The form " + Form : it->second;
}

bool RunForm(const std::string& Form)
{
    const auto it = menuhooks.Forms.find(Form);
    if (it == menuhooks.Forms.end() || !it->second) {
        ShowNotAvailable(FormTitle(Form));
        return false;
    }
    it->second();
    return !telmvar.Aborted;
}
