// The forms the menu's commands run by name, each created, shown modally
// and freed; the other parts the commands object runs between its steps;
// and what the drawings and dialogs below ask of the shell.
#include "app/maincommands.h"

#include "app/configdialog.h"
#include "app/menutexts.h"
#include "app/systeminfo.h"
#include "dialogs/animation/animationforms.h"
#include "dialogs/dialogservices.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/drawingconfigform.h"
#include "dialogs/gear/materialform.h"
#include "dialogs/gear/measurementform.h"
#include "dialogs/gear/qualityform.h"
#include "dialogs/gear/toolprofileform.h"
#include "dialogs/stage/carrierform.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/stage/textsform.h"
#include "dialogs/stagedialog.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "dialogs/strength/optionforms.h"
#include "dialogs/strength/strengthforms.h"
#include "dialogs/strength/strengthsequence.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/planetanimation.h"
#include "drawings/tooth/meshanimation.h"
#include "foundation/programstate.h"
#include "graphics/printconf.h"
#include "planetary/bearings/bearingselection.h"
#include "xbase/ui/tablebrowser.h"

#include <map>
#include <string>

namespace
{

template <class TForm> void Modal()
{
    TForm form;
    RunModalDialog(form);
}

// A form whose runner says whether it ended with OK.
template <bool (*Show)()> void Shown()
{
    if (!Show()) telmvar.Aborted = true;
}

void LoadSpectrumTable()
{
    const TGeneralMenuTexts& t = menutexts;
    TForm_qyrlk1 form(TLoadSpectrumTableMenu{t.MenuTextFile, t.MenuTextEdit, t.MenuTextView, t.MenuTextCopy,
                                             t.MenuTextPaste});
    RunModalDialog(form);
}

const std::map<std::string, void (*)()> Forms = {
    {"TForm_qyr7text", Modal<TForm_qyr7text>},
    {"TForm_qyr7antr", Modal<TForm_qyr7antr>},
    {"TForm_qyr7vor", Modal<TForm_qyr7vor>},
    {"TForm_qyr7geo", Shown<ShowGearDimensionsDialog>},
    {"TForm_qyr7wst", Shown<ShowGearMaterialDialog>},
    {"TForm_qyr7mes", Shown<ShowGearMeasurementDialog>},
    {"TForm_qyr7qual", Shown<ShowGearQualityDialog>},
    {"TForm_qyr7prof", Shown<ShowToolProfileDialog>},
    {"TForm_qyr1conf", [] { ShowGearDrawingConfigDialog(); }},
    {"TForm_qyr7fs0", Modal<TForm_qyr7fs0>},
    {"TForm_qyr5con2", Modal<TForm_qyr5con2>},
    {"TForm_qyr5con3", Modal<TForm_qyr5con3>},
    {"TForm_qyrlk1", LoadSpectrumTable},
    {"TForm_printconf", Modal<TForm_printconf>},
    {"Tconfig", ShowConfigDialog},
    {"TSysinfo", Modal<TSysinfo>},
    {"TAboutBox", Modal<TAboutBox>},
};

// The meshing animation's settings: the form offers one pitch of gear 1
// each way (what the animation proposes), and only OK runs it; a form
// closed by its window button leaves Aborted as it was, so the result
// counts too.
bool AskMeshAnimationSettings(TMeshAnimationRequest& Request)
{
    TForm_qyr1ani form;
    form.ProposeOnePitch();
    telmvar.Aborted = false;
    if (RunModalDialog(form) != platform::DialogResult::Ok || telmvar.Aborted) {
        telmvar.Aborted = true;
        return false;
    }
    const TMeshAnimationSettings s = form.Settings();
    Request.Steps = s.Steps;
    Request.PauseMs = s.PauseMs;
    Request.StartDeg = s.StartDeg;
    Request.EndDeg = s.EndDeg;
    Request.SingleStep = s.SingleStep;
    return true;
}

} // namespace

bool Thh::RunForm(const std::string& Form)
{
    const auto it = Forms.find(Form);
    if (it == Forms.end()) {
        ShowNotAvailable("The form " + Form);
        return false;
    }
    it->second();
    return !telmvar.Aborted;
}

void Thh::RedrawView()
{
    PlanetViewRedraw();
}

void Thh::SelectPlanetBearing(int Planet)
{
    ::SelectPlanetBearing(Planet);
}

void Thh::EditLoadSpectrum()
{
    ::EditLoadSpectrum();
}

void Thh::RunStrengthInput()
{
    ::RunStrengthInput();
}

void InstallShellServices()
{
    stageanimationhooks.AskSettings = AskStageAnimationSettings;
    meshanimationservices.AskSettings = AskMeshAnimationSettings;
    stagecomposerhooks.EditCarrier = Modal<TForm_qyr7carr>;
    dialogservices.RedrawCurrentView = PlanetViewRedraw;
    InstallTableBrowserMenuTexts();
}

void InstallTableBrowserMenuTexts()
{
    // The table browser's menus speak the language of the main menu; a word
    // the browser asks for and the general group lacks keeps the English.
    tablebrowserservices.MenuText = [](const std::string& Word) {
        static const std::pair<const char*, std::string TGeneralMenuTexts::*> Words[] = {
            {"File", &TGeneralMenuTexts::MenuTextFile},        {"Print", &TGeneralMenuTexts::MenuTextPrint},
            {"Exit", &TGeneralMenuTexts::MenuTextExit},        {"Edit", &TGeneralMenuTexts::MenuTextEdit},
            {"View", &TGeneralMenuTexts::MenuTextView},        {"Help", &TGeneralMenuTexts::MenuTextHelp},
            {"Database", &TGeneralMenuTexts::MenuTextDatabase}};
        for (const auto& [W, Key] : Words)
            if (Word == W) return menutexts.*Key;
        return "&" + Word;
    };
    tablebrowserservices.MenuCodePage = GeneralCodePage;
}
