#pragma once
// The two settings forms asked before an animation runs. They hold texts
// only and store nothing: the caller fills some edits before showing the
// form and reads the edits after OK.
//
// TForm_qyr1ani: the meshing animation of one gear pair. Edits
// "Edit_anzbild" (steps), "Edit_ms" (pause after each step, ms), "Edit_wa"
// and "Edit_we" (rotation of gear 1 at the start and the end, degrees),
// check box "CheckBox_singlestep"; the "<" buttons "Button_anzbild" (100),
// "Button_ms" (0) and "Button_w" (one pitch of gear 1 forwards and back),
// and "Button_ae", "Button_ac", "Button_ce" that fill the start and end
// from the contact path of the loaded pair (A start, C pitch point, E end).
// The caller reads the edits through Settings().
//
// TForm_qyr5ani: the stage animation. Edits "Edit_anzbild", "Edit_wmax"
// (total angle of the driving shaft, degrees), "Edit_ms", check box
// "CheckBox_singlestep"; the stage animation fills and reads the texts
// itself.
//
// Both: "Button_ok" clears Aborted, "Button_cancel" sets it, "Button_help"
// shows help entry 6600. Closing by the window's button ("Escape") leaves
// Aborted as the caller set it before showing the form: a caller that must
// not run on a plain close tests the dialog result as well.

#include "foundation/formmodel.h"
#include "foundation/types.h"

#include <cstdint>
#include <string>

// The help entry of both animation forms.
constexpr uint16_t AnimationHelpNumber = 6600;

// The common buttons of the two forms.
class TAnimationFormBase : public TFormModel
{
  public:
    platform::DialogAction Press(const std::string& Name) override;

  protected:
    void SetCommonTexts();
};

// What the meshing animation reads after OK.
struct TMeshAnimationSettings {
    int Steps = 2;         // TextToInt, clamped to 2 .. 1000
    int PauseMs = 0;       // TextToInt; a negative text counts as 0
    Extended StartDeg = 0; // TextToFloat of Edit_wa
    Extended EndDeg = 0;   // TextToFloat of Edit_we
    bool SingleStep = false;
};

class TForm_qyr1ani final : public TAnimationFormBase
{
  public:
    TForm_qyr1ani();
    std::string FormName() const override { return "TForm_qyr1ani"; }
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // Edit_wa / Edit_we := one pitch of gear 1 of the loaded pair forwards
    // and backwards, as Button_w does; the caller's prefill. Nothing for a
    // pair without teeth.
    void ProposeOnePitch();
    TMeshAnimationSettings Settings() const;

    static constexpr int MaxSteps = 1000;
};

class TForm_qyr5ani final : public TAnimationFormBase
{
  public:
    TForm_qyr5ani();
    std::string FormName() const override { return "TForm_qyr5ani"; }
    std::string Caption() const override { return "Animation"; }

    // The texts the edits show and, after StoreFields, hold; the form's own
    // until the caller proposes others (then LoadFields).
    std::string Steps = "180";
    std::string Angle = "360";
    std::string Pause = "30";
    bool SingleStep = false;
};

struct TStageAnimationTexts;
// The stage animation's settings: the form with the animation's proposals
// (an empty one keeps the form's own), shown modally. True on OK, with the
// texts and the single-step switch as the user left them; Cancel and the
// window's close button give false and change nothing.
bool AskStageAnimationSettings(TStageAnimationTexts& Texts);
