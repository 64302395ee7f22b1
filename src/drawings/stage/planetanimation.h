#pragma once
// The stage animation: sun, planets, ring and carrier turn on the screen at
// the speed ratios of the calculated drive, as circles and lines (kind 1)
// or as gear wheels with their true teeth (kind 2), with the kinematics
// text beside the picture.
//
// The command records the whole run into the graphics window's display
// list and returns: each frame is followed by a pause record and, except
// the last, by the same frame in the erasing colour. The window plays the
// list back from its event loop, waiting at each pause (or in the step
// dialog when single steps were asked for).

#include "foundation/types.h"

#include <cstdint>
#include <functional>
#include <string>

// The texts of the settings form (TForm_qyr5ani) as the animation proposes
// them and as the user leaves them; an empty proposal keeps the form's own.
struct TStageAnimationTexts {
    std::string Steps; // Edit_anzbild
    std::string Angle; // Edit_wmax, degrees of the driving shaft
    std::string Pause; // Edit_ms
    bool SingleStep = false;
};

// The settings form lives above the drawings: the application installs it.
// AskSettings shows the form with the proposals and returns true on OK with
// the texts as left; false (Cancel, the window closed, no form) runs
// nothing.
struct TStageAnimationHooks {
    std::function<bool(TStageAnimationTexts&)> AskSettings;
};
extern TStageAnimationHooks stageanimationhooks;
void ResetStageAnimationHooks();

// The step count proposed for the gear-wheel picture by the ring's tooth
// number: fewer frames for a ring of many teeth, whose frames cost more.
std::string ProposedAnimationSteps(int AbsZH);

// A run as read from the form.
struct TStageAnimationRun {
    int Steps = 2;           // N: frames 0 .. N
    Extended TotalAngle = 0; // radians, turned by the driving shaft
    int PauseMs = 0;
};
// Steps from the text clamped to 2 .. 100000, the angle from degrees, the
// pause (a negative one waits for nothing: 0). Texts that are no number
// read as 0.
TStageAnimationRun StageAnimationRunFromTexts(const TStageAnimationTexts& Texts);

// The members' angles (radians) when the driving shaft has turned by Phi.
struct TMemberAngles {
    Extended S = 0, Pi = 0, Pe = 0, H = 0, C = 0;
};
// From the shaft speeds and the absolute planet speeds of the calculated
// stage. A driving shaft at speed 0 (a stage whose input stands) or an
// unknown shaft code leaves every member at rest.
TMemberAngles StageMemberAngles(Extended Phi);

// The view menu's command: kind 1 schematic, kind 2 gear wheels.
void PlanetAnimation(int16_t Kind);

// The run itself once the settings are known, onto the CAD device Device
// (3, the screen, for the command): the tooth resolution lowered, the stage
// recalculated, frames 0 .. Run.Steps. Everything changed is put back on
// every way out.
void RecordStageAnimation(int16_t Kind, const TStageAnimationRun& Run, int Device = 3);
