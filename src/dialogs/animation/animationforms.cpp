#include "dialogs/animation/animationforms.h"

#include "dialogs/helptext.h"
#include "drawings/stage/planetanimation.h"
#include "foundation/codepage.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace
{

// A pause is a wait: a negative number typed would wait for nothing anyway.
int PauseOf(const std::string& Text)
{
    return std::max<int32_t>(0, TextToInt(Text));
}

} // namespace

void TAnimationFormBase::SetCommonTexts()
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    Control("Label_anzbild").Caption = "Number of steps";
    Control("Label_ms").Caption = "Pause after each step";
    Control("CheckBox_singlestep").Caption = "Pause after each step ?";
    Control("Label2").Caption = "ms";
}

platform::DialogAction TAnimationFormBase::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_ok") {
        telmvar.Aborted = false;
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel") {
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_help") {
        ShowHelpText(AnimationHelpNumber, 0, 1);
        return DialogAction::None;
    }
    // The window's close button and Escape: closed, Aborted untouched.
    if (Name == "Escape") return DialogAction::Reject;
    return DialogAction::None;
}

TForm_qyr1ani::TForm_qyr1ani()
{
    SetCommonTexts();
    Control("Label_wa").Caption = "phi 1 start";
    Control("Label_we").Caption = "phi 1 end";
    Control("Label_wau").Caption = DisplayText(DegreeSign());
    Control("Label_weu").Caption = DisplayText(DegreeSign());
    for (const char* b : {"Button_ms", "Button_anzbild", "Button_w"})
        Control(b).Caption = "<";
    Control("Button_ae").Caption = "A -> E";
    Control("Button_ac").Caption = "A -> C";
    Control("Button_ce").Caption = "C -> E";
    Control("Edit_anzbild").Text = "50";
    Control("Edit_ms").Text = "50";
    Control("Edit_wa");
    Control("Edit_we");
}

std::string TForm_qyr1ani::Caption() const
{
    return DisplayText(telmvar.ProgramName + " Animation");
}

void TForm_qyr1ani::ProposeOnePitch()
{
    const int z = std::abs(GearPair.z[1]);
    if (z == 0) return;
    Control("Edit_wa").Text = FloatToSignificant(Extended(360) / z);
    Control("Edit_we").Text = FloatToSignificant(Extended(-360) / z);
    Touch();
}

platform::DialogAction TForm_qyr1ani::Press(const std::string& Name)
{
    const auto fill = [this](Extended A, Extended B) {
        Control("Edit_wa").Text = FloatToSignificant(A);
        Control("Edit_we").Text = FloatToSignificant(B);
        Touch();
        return platform::DialogAction::None;
    };
    const auto& p = GearPair;
    if (Name == "Button_ms") {
        Control("Edit_ms").Text = "0";
        Touch();
        return platform::DialogAction::None;
    }
    if (Name == "Button_anzbild") {
        Control("Edit_anzbild").Text = "100";
        Touch();
        return platform::DialogAction::None;
    }
    if (Name == "Button_w") {
        ProposeOnePitch();
        return platform::DialogAction::None;
    }
    if (Name == "Button_ae") return fill(p.phi_a, p.phi_e);
    if (Name == "Button_ac") return fill(p.phi_a, p.phi_c);
    if (Name == "Button_ce") return fill(p.phi_c, p.phi_e);
    return TAnimationFormBase::Press(Name);
}

void TForm_qyr1ani::Changed(const std::string& Name)
{
    // A pause in single steps only delays the step button: none proposed.
    if (Name == "CheckBox_singlestep" && Control(Name).Checked) {
        Control("Edit_ms").Text = "0";
        Touch();
    }
}

TMeshAnimationSettings TForm_qyr1ani::Settings() const
{
    TMeshAnimationSettings s;
    s.Steps = ClampInt(2, MaxSteps, TextToInt(FindControl("Edit_anzbild")->Text));
    s.PauseMs = PauseOf(FindControl("Edit_ms")->Text);
    s.StartDeg = TextToFloat(FindControl("Edit_wa")->Text);
    s.EndDeg = TextToFloat(FindControl("Edit_we")->Text);
    s.SingleStep = FindControl("CheckBox_singlestep")->Checked;
    return s;
}

TForm_qyr5ani::TForm_qyr5ani()
{
    SetCommonTexts();
    Control("Label_wmax").Caption = "phi drive   0\xB0 .. ";
    Control("Label_deg").Caption = DisplayText(DegreeSign());
    Bind("Edit_anzbild", TFieldKind::RawText, &Steps);
    Bind("Edit_wmax", TFieldKind::RawText, &Angle);
    Bind("Edit_ms", TFieldKind::RawText, &Pause);
    Bind("CheckBox_singlestep", TFieldKind::Boolean, &SingleStep);
    LoadFields();
}

bool AskStageAnimationSettings(TStageAnimationTexts& Texts)
{
    TForm_qyr5ani form;
    for (auto [proposed, own] : {std::pair{&Texts.Steps, &form.Steps}, std::pair{&Texts.Angle, &form.Angle},
                                 std::pair{&Texts.Pause, &form.Pause}})
        if (!proposed->empty()) *own = *proposed;
    form.LoadFields();
    if (platform::CurrentPlatform().Dialogs().RunModal(form) != platform::DialogResult::Ok) return false;
    form.StoreFields();
    Texts.Steps = form.Steps;
    Texts.Angle = form.Angle;
    Texts.Pause = form.Pause;
    Texts.SingleStep = form.SingleStep;
    return true;
}
