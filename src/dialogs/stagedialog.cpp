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
#include "planetary/projectfile.h"
#include "platform/platform.h"

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

void TStageDialogModel::LimitAs(const std::string& Control, const void* Variable)
{
    limitedAs_[Control] = Variable;
    ranges_.erase(Control);
}

void TStageDialogModel::LimitTo(const std::string& Control, const TFieldRange& Range)
{
    ranges_[Control] = Range;
}

void TStageDialogModel::TakeZeroAsDefault(const std::string& Control, bool NonPositive)
{
    zeroDefaults_[Control] = NonPositive;
    ranges_.erase(Control);
}

const TFieldRange* TStageDialogModel::RangeOf(const TFieldBinding& B)
{
    auto known = ranges_.find(B.Control);
    if (known == ranges_.end()) {
        const auto as = limitedAs_.find(B.Control);
        const void* variable = as != limitedAs_.end()
                                   ? as->second
                                   : std::visit([](auto* p) -> const void* { return p; }, B.Target);
        std::optional<TFieldRange> range;
        if (const std::optional<TProjectField> f = ProjectFieldOf(variable)) {
            range = TFieldRange{f->Lo, f->Hi, f->Least, f->Magnitude};
            if (const auto zero = zeroDefaults_.find(B.Control); zero != zeroDefaults_.end()) {
                range->ZeroIsDefault = true;
                range->NonPositiveTaken = zero->second;
            }
        }
        known = ranges_.emplace(B.Control, range).first;
    }
    return known->second ? &*known->second : nullptr;
}

void TStageDialogModel::RefuseRange(TFieldKind Kind, const std::string& Text, const TFieldRange& R)
{
    platform::CurrentPlatform().Bell().Beep();
    ShowErrorBox(InvalidInputText(AnsiTextToOem(TrimBlanks(Text))) + " " + ValidDataText(Kind, R));
}

void TStageDialogModel::MarkComputed(const std::string& Control, TComputedField Field)
{
    computed_[Control] = std::move(Field);
}

void TStageDialogModel::RefuseRange(const std::string& Control, TFieldKind Kind, const std::string& Text,
                                    const TFieldRange& R)
{
    const auto c = computed_.find(Control);
    if (c == computed_.end() || c->second.What.empty()) {
        RefuseRange(Kind, Text, R);
        return;
    }
    const TComputedField& f = c->second;
    // The number as the range's bounds show it: the edit may hold all the
    // digits of a computed number.
    Extended x = 0;
    const std::string number =
        TryTextToFloat(TrimBlanks(Text), x) ? RangeBoundText(x) : AnsiTextToOem(TrimBlanks(Text));
    platform::CurrentPlatform().Bell().Beep();
    ShowErrorBox(f.What + " = " + number + (f.Unit.empty() ? "" : " " + f.Unit) + " that " + f.From +
                 " is out of range ! " + ValidDataText(Kind, R));
}

void TStageDialogModel::RangeRefused(const TFieldBinding& B, const std::string& Text, const TFieldRange& R)
{
    RefuseRange(B.Control, B.Kind, Text, R);
}
