// The report side asks its questions through hooks; the shell installs the
// program's own prompts there, so there is one selection prompt only.
#include "appfixture.h"

#include "dialogs/dialogservices.h"
#include "reports/engine/reportservices.h"

namespace
{

class PromptHooks : public AppTest
{
  protected:
    void TearDown() override { AppTest::TearDown(); }
};

TEST_F(PromptHooks, DeviceListAndHelpNumberGoThroughTheProgramsPrompts)
{
    InstallPlatformServices();
    for (int i = 1; i <= 7; ++i)
        telmvar.TextItems[i] = "device " + std::to_string(i);
    auto& prompts = headless->HeadlessPrompts();
    prompts.QueueSelection(3);
    uint16_t choice = 9; // out of range: shown as the first
    reportservices.SetInputHelpNumber(1210);
    reportservices.AskSelect("Device", 7, choice);
    EXPECT_EQ(choice, 4);
    EXPECT_EQ(telmvar.HelpNumber, 1210);
    ASSERT_EQ(prompts.Selections().size(), 1u);
    EXPECT_EQ(prompts.Selections()[0].Style, platform::SelectionStyle::Radio);
    EXPECT_EQ(prompts.Selections()[0].Selected, 0);
    EXPECT_TRUE(prompts.Selections()[0].Help.OnHelpText) << "the prompt offers its help buttons";
}

TEST_F(PromptHooks, StageDialogsArePlacedByTheShellsRule)
{
    InstallPlatformServices();
    wtelmvar.ScreenPercent = 150;
    TDialogPlace p{0, 0, 200, 100, 1.0};
    dialogservices.PlaceDialog(p);
    // 300 x 150 centred over the fixed 649 x 527 main window, 20 lower.
    EXPECT_EQ(p.Width, 300);
    EXPECT_EQ(p.Height, 150);
    EXPECT_EQ(p.Left, (649 - 300) / 2);
    EXPECT_EQ(p.Top, (527 - 150) / 2 + 20);
    wtelmvar.UnitSystem = 1;
    dialogservices.ToggleUnitSystem();
    EXPECT_EQ(wtelmvar.UnitSystem, 0);
}

} // namespace
