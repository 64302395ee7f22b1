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

void TStageDialogModel::LimitAs(const std::string& Control, const void* Variable)
{
    limitedAs_[Control] = Variable;
    ranges_.erase(Control);
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

std::string TStageDialogModel::ValidDataText(TFieldKind Kind, const TFieldRange& R)
{
    // A bound in the shown unit, rounded to six digits inwards: typed as
    // named, it is taken (1e7 MPa are 1.45037e+09 psi only after rounding
    // down). Up is the side the range lies on.
    const auto bound = [Kind](Extended X, bool Up) {
        Extended v = ShownValue(Kind, X);
        std::string text = RangeBoundText(v);
        for (int step = 0; step < 4; ++step) {
            const Extended back = StoredValue(Kind, text);
            if (Up ? back >= X : back <= X) break;
            const Extended digit = std::pow(10.0L, std::floor(std::log10(std::fabs(v))) - 5);
            v += Up ? digit : -digit;
            text = RangeBoundText(v);
        }
        return text;
    };
    const auto span = [&bound](Extended Lo, Extended Hi) {
        return bound(Lo, true) + " .. " + bound(Hi, false);
    };
    // The pieces in ascending order: the negative side of a magnitude or of
    // a size, 0 where it stands apart, then the positive side.
    std::string text;
    const auto piece = [&text](const std::string& P) { text += (text.empty() ? "" : ", ") + P; };
    const Extended lo = R.Least > 0 && R.Least > R.Lo ? R.Least : R.Lo;
    if (R.Magnitude)
        piece(span(-R.Hi, -R.Lo));
    else if (R.Least > 0 && R.Lo < 0)
        piece(span(R.Lo, -R.Least));
    if (R.Least > 0 || ((R.ZeroIsDefault || R.NonPositiveTaken) && lo > 0)) piece(bound(0, true));
    piece(span(lo, R.Hi));
    return "Valid Data are: " + text + " !";
}

void TStageDialogModel::RefuseRange(TFieldKind Kind, const std::string& Text, const TFieldRange& R)
{
    platform::CurrentPlatform().Bell().Beep();
    ShowErrorBox(InvalidInputText(AnsiTextToOem(TrimBlanks(Text))) + " " + ValidDataText(Kind, R));
}

void TStageDialogModel::RangeRefused(const TFieldBinding& B, const std::string& Text, const TFieldRange& R)
{
    RefuseRange(B.Kind, Text, R);
}
