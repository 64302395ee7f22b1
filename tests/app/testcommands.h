#pragma once
// The main window's commands with the parts a test stands in for: the forms
// it names, the redraw, the bearing pick, the spectrum editor and the compact
// strength sequence; what it leaves empty runs as in the program.
#include "app/maincommands.h"
#include "foundation/programstate.h"

#include <functional>
#include <map>

struct TTestCommands : Thh {
    std::map<std::string, std::function<void()>> Forms;
    std::function<void()> Redraw, SpectrumEditor, StrengthSequence;
    std::function<void(int)> BearingPick;

    bool RunForm(const std::string& F) override
    {
        if (!Forms.count(F)) return Thh::RunForm(F);
        Forms[F]();
        return !telmvar.Aborted;
    }
    void RedrawView() override { Redraw ? Redraw() : Thh::RedrawView(); }
    void SelectPlanetBearing(int P) override { BearingPick ? BearingPick(P) : Thh::SelectPlanetBearing(P); }
    void EditLoadSpectrum() override { SpectrumEditor ? SpectrumEditor() : Thh::EditLoadSpectrum(); }
    void RunStrengthInput() override { StrengthSequence ? StrengthSequence() : Thh::RunStrengthInput(); }
};
