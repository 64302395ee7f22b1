#include "dialogs/strength/strengthsequence.h"

#include "dialogs/prompts.h"
#include "dialogs/stagedialog.h"
#include "dialogs/strength/strengthforms.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "reports/messages/messagelist.h"

namespace
{

const char* const MeshSuffix[] = {"", " S-Pi", " Pi-Pe", " Pe-H"};
const char* const GearSuffix[] = {"", "S", "Pi", "Pe", "H"};
// The beta of four prompts is the DOS byte, as on every DOS-coded label.
const std::string Beta = "\xE1";

} // namespace

std::vector<TFactorPrompt> EnteredFactorPrompts()
{
    TPlanetaryGears& g = PlanetaryGears;
    std::vector<TFactorPrompt> p;
    p.reserve(74);
    for (int m = 1; m <= 3; ++m) {
        const std::string s = MeshSuffix[m];
        p.push_back({"dynamic load factor Kv" + s, 5680, &g.Kv[m]});
        p.push_back({"face load factor flank KH" + Beta + s, 5690, &g.KHbeta[m]});
        p.push_back({"face load factor tooth root KF" + Beta + s, 5700, &g.KFbeta[m]});
        p.push_back({"transverse load factor flank KHal." + s, 5710, &g.KHalpha[m]});
        p.push_back({"transverse load factor tooth root KFal." + s, 5720, &g.KFalpha[m]});
        p.push_back({"zone factor ZH" + s, 5730, &g.ZH[m]});
        p.push_back({"single contact factor ZB" + s, 5740, &g.ZB[m]});
        p.push_back({"contact ratio factor flank  Z eps." + s, 5750, &g.Z_eps[m]});
        p.push_back({"helix angle factor flank Z" + Beta + s, 5760, &g.Z_beta[m]});
    }
    for (int m = 1; m <= 3; ++m)
        p.push_back({std::string("lubrication factor ZL ") + MeshSuffix[m], 5770, &g.ZL[m]});
    for (int m = 1; m <= 3; ++m)
        p.push_back({std::string("velocity factor Zv ") + MeshSuffix[m], 5775, &g.Zv[m]});
    for (int m = 1; m <= 3; ++m)
        p.push_back({std::string("roughness factor ZR ") + MeshSuffix[m], 5785, &g.ZR[m]});
    for (int m = 1; m <= 3; ++m)
        p.push_back({std::string("work hardening factor ZW") + MeshSuffix[m], 5780, &g.ZW[m]});
    for (int i = 1; i <= 4; ++i)
        p.push_back({std::string("size factor flank ZX ") + GearSuffix[i], 5790, &g.ZX[i]});
    for (int j = 1; j <= 2; ++j)
        for (int m = 1; m <= 3; ++m) {
            const std::string n = std::to_string(j);
            p.push_back({"tooth form factor YF" + n + MeshSuffix[m], 5800, &g.YF[j][m]});
            p.push_back({"stress correction factor YS" + n + MeshSuffix[m], 5810, &g.YS[j][m]});
        }
    for (int m = 1; m <= 3; ++m)
        p.push_back({"helix angle factor tooth root Y" + Beta + MeshSuffix[m], 5820, &g.Y_beta[m]});
    for (int i = 1; i <= 4; ++i)
        p.push_back({std::string("rel.notch sensitiv.factor YdrelT ") + GearSuffix[i], 5830, &g.YdrelT[i]});
    for (int i = 1; i <= 4; ++i)
        p.push_back(
            {std::string("rel.surface-condition factor YRrelt ") + GearSuffix[i], 5840, &g.YRrelT[i]});
    for (int i = 1; i <= 4; ++i)
        p.push_back({std::string("size factor tooth root YX ") + GearSuffix[i], 5850, &g.YX[i]});
    for (int i = 1; i <= 4; ++i)
        p.push_back({std::string("alternating load factor YA ") + GearSuffix[i], 5855, &g.YA[i]});
    return p;
}

void StrengthInputSequence()
{
    ResetErrorState();
    telmvar.TextItems[1] = "DIN 3990 part 1 - 3";
    telmvar.TextItems[2] = "DIN 3990 part 41 (automotive gears)";
    telmvar.TextItems[3] = "enter factors";
    telmvar.TextItems[4] = "ISO 6336";
    SetInputHelpNumber(5530);
    // The choice is taken only when it is confirmed: a cancelled choice
    // keeps the method as it was.
    uint16_t choice = static_cast<uint16_t>(GearPair.CalcMethod);
    AskSelect("calculation method", 4, choice);
    if (telmvar.Aborted) return;
    GearPair.CalcMethod = choice;

    {
        TForm_qyr7fs1 dialog1;
        RunModalDialog(dialog1);
    }
    if (telmvar.Aborted) return;

    if (GearPair.CalcMethod == 1 || GearPair.CalcMethod == 4) {
        TForm_qyr7fs2 dialog2;
        RunModalDialog(dialog2);
        if (telmvar.Aborted) return;
    }

    if (GearPair.CalcMethod == 3) {
        for (const TFactorPrompt& f : EnteredFactorPrompts()) {
            SetInputHelpNumber(f.HelpNumber);
            AskValueInRange(f.Prompt, *f.Field, FactorMin, FactorMax);
            if (telmvar.Aborted) return;
        }
    }
}

void RunStrengthInput()
{
    StrengthInputSequence();
    const bool aborted = telmvar.Aborted;
    CalcPlanetaryStage();
    if (telmvar.FatalCalcError) ShowMessageList();
    // The caller's test of Aborted is about the user's answer, not about
    // the calculation, whose faults are in the message list.
    telmvar.Aborted = aborted;
}
