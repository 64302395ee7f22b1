#pragma once
// The compact road to the strength inputs: the method, then the compact
// dialogs, and for entered factors one prompt per factor of every mesh and
// gear.

#include "foundation/types.h"

#include <cstdint>
#include <string>
#include <vector>

// One factor prompt: the prompt text with its suffix (mesh or gear name),
// the help entry, and the field it asks for.
struct TFactorPrompt {
    std::string Prompt;
    uint16_t HelpNumber;
    Extended* Field;
};

// The 74 prompts of the entered-factor method in the order they are asked:
// per mesh Kv, KH-beta, KF-beta, KH-alpha, KF-alpha, ZH, ZB, Z-eps, Z-beta;
// ZL, Zv, ZR, ZW of the three meshes; ZX of the four gears; YF and YS of
// gear 1 of each mesh, then of gear 2; Y-beta of the meshes; YdrelT, YRrelT,
// YX, YA of the four gears. Texts are in the DOS code page (beta 0xE1).
std::vector<TFactorPrompt> EnteredFactorPrompts();

// The range of an entered factor.
inline constexpr Extended FactorMin = 0.01L;
inline constexpr Extended FactorMax = 100.0L;

// Method choice, dialog 1, dialog 2 (methods 1 and 4), the factor prompts
// (method 3). Aborted is left set when the user cancelled a step; what
// earlier steps stored stays.
void StrengthInputSequence();
// The sequence, then the stage calculation, also after a cancel (Aborted is
// kept for the caller as the user left it); a fatal calculation error shows the message list.
void RunStrengthInput();
