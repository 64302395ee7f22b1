// The report side asks its questions through hooks; the shell installs the
// program's own prompts there, so there is one selection prompt only.
#include "appfixture.h"

#include "reports/engine/reportservices.h"

namespace
{

class PromptHooks : public AppTest
{
  protected:
    void TearDown() override
    {
        ResetReportServices();
        AppTest::TearDown();
    }
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

} // namespace
