#include "dialogs/stagedialog.h"

#include "dialogs/dialogservices.h"
#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "platform/platform.h"

#include <cmath>

platform::DialogResult RunModalDialog(platform::DialogModel& Model)
{
    const platform::DialogResult r = platform::CurrentPlatform().Dialogs().RunModal(Model);
    if (r == platform::DialogResult::Cancel) telmvar.Aborted = true;
    return r;
}

TStageDialogModel::TStageDialogModel(std::string Form, std::string Title)
    : form_(std::move(Form)), title_(std::move(Title))
{
}

std::string TStageDialogModel::Caption() const
{
    return DisplayText(telmvar.ProgramName + " " + title_);
}

void TStageDialogModel::SetHint(const std::string& Name, uint16_t HelpNo)
{
    platform::DialogControl& c = Control(Name);
    c.HintNumber = HelpNo;
    c.Hint = telmvar.HelpLevel == 0 ? std::string() : GetHelpHint(HelpNo);
}

void TStageDialogModel::SetStandardCaptions()
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_hilfetext").Caption = "&Help Text";
    Control("Button_hilfebild").Caption = "Aux. &Image";
}

platform::DialogAction TStageDialogModel::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (OnPress) {
        const DialogAction own = OnPress(Name);
        if (own != DialogAction::None) return own;
    }
    if (Name == "Button_ok") {
        telmvar.Aborted = false;
        if (!StoreFields()) return DialogAction::None;
        if (AfterOk) AfterOk();
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_hilfetext" || Name == "Button_help") {
        ShowHelpText(HelpTextNumber, 0, 1);
        telmvar.Aborted = false;
        return DialogAction::None;
    }
    if (Name == "Button_hilfebild") {
        ShowHelpText(HelpPictureNumber, 0, 2);
        telmvar.Aborted = false;
        return DialogAction::Raise;
    }
    if (Name == "Button_metric") {
        if (!StoreFields()) return DialogAction::None;
        dialogservices.ToggleUnitSystem();
        LoadFields();
        return DialogAction::None;
    }
    if (Name == "Button_calc") {
        telmvar.Aborted = false;
        if (!StoreFields()) return DialogAction::None;
        dialogservices.CalculateStage();
        dialogservices.RedrawCurrentView();
        Touch();
        return DialogAction::Raise;
    }
    return DialogAction::None;
}

void TStageDialogModel::InputRefused(const std::string& Text)
{
    platform::CurrentPlatform().Bell().Beep();
    ShowErrorBox(InvalidInputText(AnsiTextToOem(Text)));
}

void TStageDialogModel::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (OnChanged) OnChanged(Name);
}
