#pragma once
// The step dialog of an animation: the replay shows it at every erase-colour
// record while the graphics window is in step mode. "+" shows the next frame
// (the default button, Enter); "+++++++" ends stepping (the cancel button, so
// Esc presses it) and the rest of the animation runs without stops.

#include "platform/dialoghost.h"

#include <string>

class TForm_anistep final : public platform::DialogModel
{
  public:
    std::string FormName() const override { return "TForm_anistep"; }
    std::string Caption() const override { return "Animation"; }

    // Captions of the two buttons.
    static constexpr const char* NextStepCaption = "+";
    static constexpr const char* EndStepCaption = "+++++++";

    // The user ended stepping.
    bool EndStepping = false;

    TForm_anistep()
    {
        Control("Button_nextstep").Caption = NextStepCaption;
        Control("Button_endstep").Caption = EndStepCaption;
    }

    void Button_nextstepClick() {}
    void Button_endstepClick() { EndStepping = true; }
    // "+" closes the dialog for the next frame; "+++++++" and Esc end
    // stepping.
    platform::DialogAction Press(const std::string& Name) override
    {
        if (Name == "Button_nextstep") {
            Button_nextstepClick();
            return platform::DialogAction::Accept;
        }
        if (Name == "Button_endstep" || Name == "Escape") {
            Button_endstepClick();
            return platform::DialogAction::Reject;
        }
        return platform::DialogAction::None;
    }
};
