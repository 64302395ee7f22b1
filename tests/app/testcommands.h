#pragma once
// The main window's commands with the parts a test stands in for: the forms
// it names, the redraw, the bearing pick, the spectrum editor and the compact
// strength sequence run the test's routines; what it leaves empty runs as in
// the program.
#include "app/maincommands.h"
#include "foundation/programstate.h"

#include <functional>
#include <map>
#include <string>

class TTestCommands : public Thh {
public:
    std::map<std::string, std::function<void()>> Forms;
    std::function<void()> Redraw, SpectrumEditor, StrengthSequence;
    std::function<void(int)> BearingPick;

    bool RunForm(const std::string& Form) override
    {
        const auto it = Forms.find(Form);
        if (it == Forms.end())
            return Thh::RunForm(Form);
        it->second();
        return !telmvar.Aborted;
    }
    void RedrawView() override { Redraw ? Redraw() : Thh::RedrawView(); }
    void SelectPlanetBearing(int Planet) override
    {
        BearingPick ? BearingPick(Planet) : Thh::SelectPlanetBearing(Planet);
    }
    void EditLoadSpectrum() override { SpectrumEditor ? SpectrumEditor() : Thh::EditLoadSpectrum(); }
    void RunStrengthInput() override { StrengthSequence ? StrengthSequence() : Thh::RunStrengthInput(); }
};
