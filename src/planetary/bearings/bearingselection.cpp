#include "planetary/bearings/bearingselection.h"

#include "foundation/codepage.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "planetary/bearings/bearingcatalogue.h"
#include "planetary/bearings/bearinglife.h"
#include "planetary/bearings/operationdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "platform/platform.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace
{

constexpr std::array<int, 49> StandardBores = {
    10,  12,  15,  20,  25,  30,  35,  40,  45,  50,  55,  60,  65,  70,  75,  80,  85,
    90,  95,  100, 105, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 220, 240, 260,
    280, 300, 320, 340, 360, 380, 400, 420, 440, 460, 480, 500, 530, 560, 600};

int PlanetGear(int n)
{
    return n == 1 ? gPi : gPe;
}

// The axial force and the bearing speed of planet n as the stage
// calculation hands them to the life calculation.
Extended PlanetAxialForce(int n)
{
    return std::fabs(PlanetaryGears.Fxw[n + 1]);
}
Extended PlanetBearingSpeed(int n)
{
    return std::fabs(PlanetaryStage.nBearing[n]);
}

// One choice from a list; nothing on Cancel (Aborted set).
std::optional<int> Choose(const std::string& Prompt, const std::vector<std::string>& Items, int Preset)
{
    platform::SelectionRequest r;
    r.Caption = "Select";
    // The program's texts, and a designation as the project keeps it, are
    // in the DOS code page; the box shows the window's, as the screen table
    // and the report show the designation ("\x8A" is an e grave there, not
    // an S caron).
    r.Prompt = DisplayText(Prompt);
    for (const std::string& item : Items)
        r.Items.push_back(DisplayText(item));
    r.Selected = Preset >= 0 && Preset < static_cast<int>(Items.size()) ? Preset : 0;
    r.Style = Items.size() >= 8 ? platform::SelectionStyle::List : platform::SelectionStyle::Radio;
    const auto picked = platform::CurrentPlatform().Prompt().Select(r);
    if (!picked || *picked < 0 || *picked >= static_cast<int>(Items.size())) {
        telmvar.Aborted = true;
        return std::nullopt;
    }
    return picked;
}

// What the selection may change before the user confirms the pick: the
// bearing records, the planets' bores and pin diameters and every stage
// result (planet loads, masses) the guided check recalculated with the pick.
struct TSelectionSnapshot {
    TArray<WaelzLagerTyp, 1, 2> Bearings = PlanetBearings;
    TPlanetaryStage Stage = PlanetaryStage;
    TPlanetaryGears Gears = PlanetaryGears;

    // Back to the state before the command; the stage is calculated again
    // so that the gear-pair variables and messages match the records.
    void Restore(bool Recalculate) const
    {
        PlanetBearings = Bearings;
        PlanetaryStage = Stage;
        PlanetaryGears = Gears;
        if (Recalculate) CalcPlanetaryStage();
        telmvar.Aborted = true;
    }
};

} // namespace

Extended NextStandardBore(Extended x)
{
    const Extended r = Round(x + 0.5L);
    for (int bore : StandardBores)
        if (bore > r) return bore;
    return StandardBores.back();
}

bool LifeWithinGuidedRange(Extended CRatio)
{
    return CRatio >= 1 && CRatio <= 5;
}

Extended PlanetPinDiameter(int n)
{
    const Extended b = PlanetaryGears.b[PlanetGear(n)];
    return SafePower("d Bolzen", 16 / Pi * PlanetaryStage.FlPN[n] * b / 300, 1.0L / 3);
}

void SelectPlanetBearing(int n)
{
    if (n < 1 || n > 2) {
        telmvar.Aborted = true;
        return;
    }
    auto& pf = platform::CurrentPlatform();
    telmvar.Aborted = false;
    WaelzLagerTyp& R = PlanetBearings[n];

    telmvar.HelpNumber = 6150;
    std::vector<std::string> types;
    for (int k = 1; k <= 10; ++k)
        types.emplace_back(BearingTypeNames[k]);
    const auto typeChoice =
        Choose(std::string("bearing type for ") + PlanetLetters[n], types, R.BearingType - 1);
    if (!typeChoice) return;
    const int type = *typeChoice + 1;

    const TSelectionSnapshot before;
    bool recalculated = false;
    for (;;) {
        const Extended dPin = PlanetPinDiameter(n);
        SelectBearingFromCatalogue(type, n, 1, NextStandardBore(dPin), PlanetaryStage.FlPN[n],
                                   PlanetAxialForce(n), PlanetBearingSpeed(n), 1, 2, 1);
        if (telmvar.Aborted) {
            // Escape in the table after a rejected pick (No at the life
            // question) must not leave that rejected bearing chosen.
            if (recalculated) before.Restore(true);
            return;
        }
        if (telmvar.HelpLevel == 0) break;
        CalcPlanetaryStage();
        recalculated = true;
        if (telmvar.Aborted) {
            telmvar.DataModified = true; // the pick stays chosen
            return;
        }
        telmvar.HelpNumber = 4250;
        const Extended speed = PlanetBearingSpeed(n);
        if (speed == 0) {
            // No life to judge at standstill; the pick stays chosen.
            telmvar.Aborted = true;
            telmvar.DataModified = true;
            return;
        }
        if (LifeWithinGuidedRange(R.CRatio)) break;
        const Extended L10h = R.L10 * 1000000 / speed / 60;
        const std::string question = "life expectation L10h = " + FloatToSignificant(L10h) + " " + "hours" +
                                     "  S dyn = " + FloatToSignificant(R.CRatio) + "   " + "continue" + " ?";
        const auto answer = pf.Messages().AskYesNoCancel(telmvar.ProgramTitle, question);
        if (answer == platform::MessageAnswer::Yes) break;
        if (answer == platform::MessageAnswer::No) continue;
        // Cancel: the user rejected this bearing, so nothing of it may stay
        // in the project (the menu command does not mark it modified).
        before.Restore(true);
        return;
    }

    R.BearingType = type;
    telmvar.DataModified = true; // the record changed, whatever follows
    const Extended b = PlanetaryGears.b[PlanetGear(n)];
    if (R.B < b / 2) {
        telmvar.HelpNumber = 4290;
        const auto count =
            Choose("number of bearings", {"1  X  " + R.Designation, "2  X  " + R.Designation}, 1);
        if (!count) return;
        R.BearingCount = *count + 1;
        if (R.BearingCount == 2 && BearingNeedsConfiguration(n)) {
            telmvar.HelpNumber = 6135;
            const auto arrangement =
                Choose("configuration", {"X-configuration", "O-configuration"}, R.Arrangement - 1);
            if (!arrangement) return;
            R.Arrangement = *arrangement + 1;
        }
    } else {
        R.BearingCount = 1;
    }
    PlanetaryGears.dB[PlanetGear(n)] = R.D;
}

void EditPlanetBearingApplication(int n)
{
    telmvar.Aborted = false;
    if (n == 0) {
        telmvar.HelpNumber = 0;
        const auto planet = Choose("Select", {"inner Planet (Pi)", "outer Planet (Pe)"}, 0);
        if (!planet) return;
        n = *planet + 1;
    }
    if (n < 1 || n > 2) {
        telmvar.Aborted = true;
        return;
    }
    telmvar.HelpNumber = 9020;
    TForm_vq1waelz form(n);
    const auto result = platform::CurrentPlatform().Dialogs().RunModal(form);
    // A dialog closed without OK (a batch run, the window's close button)
    // counts as Cancel.
    if (result != platform::DialogResult::Ok || !form.Accepted()) {
        telmvar.Aborted = true;
        return;
    }
    telmvar.Aborted = false;
    // The fields changed; a bearing the life calculation refuses below
    // (undefined dimensions) still has them stored.
    telmvar.DataModified = true;
    CalcBearingLife(n, 2, 1, std::fabs(PlanetaryStage.FlPN[n]), PlanetAxialForce(n), PlanetBearingSpeed(n));
}

void ResetPlanetBearingSelection(int n)
{
    telmvar.Aborted = false;
    const auto answer = platform::CurrentPlatform().Messages().AskYesNoCancel(telmvar.ProgramTitle,
                                                                              "reset database selection ?");
    if (answer == platform::MessageAnswer::Cancel) {
        telmvar.Aborted = true;
        return;
    }
    if (answer != platform::MessageAnswer::Yes) return;
    ClearPlanetBearing(n);
    telmvar.DataModified = true;
}
