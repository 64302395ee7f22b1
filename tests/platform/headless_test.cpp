#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless/platform_headless.h"

using namespace platform;

namespace
{

class ScriptedPlatform : public ::testing::Test
{
  protected:
    PlatformHeadless headless{HeadlessMode::Scripted};
    std::ostringstream diag;
    std::ostringstream out;
    void SetUp() override { headless.SetStreams(&diag, &out); }
};

class BatchPlatform : public ::testing::Test
{
  protected:
    PlatformHeadless headless{HeadlessMode::Batch};
    std::ostringstream diag;
    std::ostringstream out;
    void SetUp() override { headless.SetStreams(&diag, &out); }
};

struct TestModel final : DialogModel {
    std::string FormName() const override { return "testform"; }
    std::string Caption() const override { return "QYR7 Test"; }
    int Value = 1;
};

} // namespace

TEST_F(ScriptedPlatform, AnswersComeInTheOrderTheyWereQueued)
{
    auto& boxes = headless.HeadlessMessages();
    boxes.QueueAnswer(MessageAnswer::Yes);
    boxes.QueueAnswer(MessageAnswer::No);
    boxes.QueueAnswer(MessageAnswer::Cancel);
    MessageBoxes& m = headless.Messages();
    EXPECT_EQ(m.AskYesNoCancel("Title", "first ?"), MessageAnswer::Yes);
    EXPECT_EQ(m.AskYesNo("Title", "second ?"), MessageAnswer::No);
    EXPECT_EQ(m.AskYesNoCancel("Title", "third ?"), MessageAnswer::Cancel);
    EXPECT_EQ(boxes.PendingAnswers(), 0u);
    EXPECT_EQ(headless.Unscripted(), 0);
    EXPECT_TRUE(diag.str().empty()) << "scripted answers are silent";
}

TEST_F(ScriptedPlatform, EveryQuestionIsRecordedWithCaptionTextButtonsAndAnswer)
{
    headless.HeadlessMessages().QueueAnswer(MessageAnswer::Ok);
    headless.HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    headless.Messages().ShowOk("Error  : ", "file x.qy7 not found or no access !", MessageIcon::Error);
    headless.Messages().AskYesNoCancel("QYR7 - Radi Divivuzez Orude", "x.qy7 already exists.   overwrite ?");
    const auto& asked = headless.HeadlessMessages().AskedQuestions();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].Request.Caption, "Error  : ");
    EXPECT_EQ(asked[0].Request.Text, "file x.qy7 not found or no access !");
    EXPECT_EQ(asked[0].Request.Icon, MessageIcon::Error);
    EXPECT_EQ(asked[0].Request.Buttons, MessageButtons::Ok);
    EXPECT_EQ(asked[0].Answer, MessageAnswer::Ok);
    EXPECT_EQ(asked[1].Request.Caption, "QYR7 - Radi Divivuzez Orude");
    EXPECT_EQ(asked[1].Request.Icon, MessageIcon::Question);
    EXPECT_EQ(asked[1].Request.Buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(asked[1].Answer, MessageAnswer::Yes);
}

TEST_F(ScriptedPlatform, AnUnscriptedQuestionGetsTheSafeAnswerAndIsCounted)
{
    EXPECT_EQ(headless.Messages().AskYesNoCancel("T", "overwrite ?"), MessageAnswer::Cancel);
    EXPECT_EQ(headless.Messages().AskYesNo("T", "save ?"), MessageAnswer::No);
    EXPECT_EQ(headless.Files().Run({FileDialogKind::Save, "Save", "*.qy7|*.qy7", "/tmp", ""}), std::nullopt);
    EXPECT_EQ(headless.Unscripted(), 3);
    EXPECT_NE(diag.str().find("overwrite ?"), std::string::npos) << diag.str();
}

TEST_F(ScriptedPlatform, FileDialogsReturnTheScriptedPathOrCancel)
{
    auto& files = headless.HeadlessFiles();
    files.QueueAnswer(std::string("/data/gear.qy7"));
    files.QueueAnswer(std::nullopt);
    FileDialogRequest open{FileDialogKind::Open, "Open", "*.qy7|*.qy7", "/data", ""};
    EXPECT_EQ(headless.Files().Run(open), std::optional<std::string>("/data/gear.qy7"));
    FileDialogRequest save{FileDialogKind::Save, "Save", "*.txt|*.txt", "/out", "report.txt"};
    EXPECT_EQ(headless.Files().Run(save), std::nullopt);
    ASSERT_EQ(files.Requests().size(), 2u);
    EXPECT_EQ(files.Requests()[1].Kind, FileDialogKind::Save);
    EXPECT_EQ(files.Requests()[1].InitialDir, "/out");
    EXPECT_EQ(files.Requests()[1].InitialName, "report.txt");
    EXPECT_EQ(files.Requests()[1].Filter, "*.txt|*.txt");
    EXPECT_EQ(headless.Unscripted(), 0);
}

TEST_F(ScriptedPlatform, PromptsReturnScriptedChoicesAndTexts)
{
    auto& prompts = headless.HeadlessPrompts();
    prompts.QueueSelection(2);
    prompts.QueueSelection(std::nullopt);
    prompts.QueueText(std::string("12.5"));
    SelectionRequest select;
    select.Prompt = "Material";
    select.Items = {"16MnCr5", "18CrNiMo7-6", "42CrMo4"};
    EXPECT_EQ(headless.Prompt().Select(select), 2);
    EXPECT_EQ(headless.Prompt().Select(select), std::nullopt);
    TextPromptRequest text;
    text.Prompt = "Module";
    text.Text = "3";
    text.MaxLength = 30;
    EXPECT_EQ(headless.Prompt().AskText(text), std::optional<std::string>("12.5"));
    ASSERT_EQ(prompts.Selections().size(), 2u);
    EXPECT_EQ(prompts.Selections()[0].Caption, "Select");
    EXPECT_EQ(prompts.Selections()[0].Items.size(), 3u);
    ASSERT_EQ(prompts.TextPrompts().size(), 1u);
    EXPECT_EQ(prompts.TextPrompts()[0].Caption, "Input");
    EXPECT_EQ(prompts.TextPrompts()[0].MaxLength, 30);
}

TEST_F(ScriptedPlatform, ADialogScriptFillsTheModelLikeAUser)
{
    auto& host = headless.HeadlessDialogs();
    host.QueueScript([](DialogModel& m) {
        static_cast<TestModel&>(m).Value = 42;
        return DialogResult::Ok;
    });
    host.QueueResult(DialogResult::Cancel);
    TestModel model;
    EXPECT_EQ(headless.Dialogs().RunModal(model), DialogResult::Ok);
    EXPECT_EQ(model.Value, 42);
    EXPECT_EQ(headless.Dialogs().RunModal(model), DialogResult::Cancel);
    EXPECT_EQ(headless.Dialogs().RunModal(model), DialogResult::Cancel) << "unscripted: Cancel";
    ASSERT_EQ(host.ShownDialogs().size(), 3u);
    EXPECT_EQ(host.ShownDialogs()[0].FormName, "testform");
    EXPECT_EQ(host.ShownDialogs()[0].Caption, "QYR7 Test");
    EXPECT_EQ(headless.Unscripted(), 1);
}

TEST_F(ScriptedPlatform, ResetForgetsQuestionsAndAnswers)
{
    headless.HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    headless.Messages().ShowOk("a", "b");
    headless.HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    headless.HeadlessSound().Beep();
    headless.Reset();
    EXPECT_TRUE(headless.HeadlessMessages().AskedQuestions().empty());
    EXPECT_EQ(headless.HeadlessMessages().PendingAnswers(), 0u);
    EXPECT_EQ(headless.HeadlessSound().Beeps(), 0);
    EXPECT_EQ(headless.Unscripted(), 0);
}

TEST_F(BatchPlatform, QuestionsGetTheSafeDefaultAndGoToTheDiagnostics)
{
    struct Case {
        MessageButtons buttons;
        MessageAnswer expected;
        const char* line;
    } cases[] = {
        {MessageButtons::Ok, MessageAnswer::Ok, "Error  : file a.qy7 not found or no access !\n"},
        {MessageButtons::YesNo, MessageAnswer::No, "Error  : file a.qy7 not found or no access !  [No]\n"},
        {MessageButtons::YesNoCancel, MessageAnswer::Cancel,
         "Error  : file a.qy7 not found or no access !  [Cancel]\n"},
        {MessageButtons::OkCancel, MessageAnswer::Cancel,
         "Error  : file a.qy7 not found or no access !  [Cancel]\n"},
    };
    for (const auto& c : cases) {
        diag.str("");
        EXPECT_EQ(headless.Messages().Show(
                      {"Error  : ", "file a.qy7 not found or no access !", MessageIcon::Error, c.buttons}),
                  c.expected);
        EXPECT_EQ(diag.str(), c.line);
    }
}

TEST_F(BatchPlatform, QueuedAnswersAreIgnoredInABatchRun)
{
    headless.HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(headless.Messages().AskYesNoCancel("QYR7", "overwrite ?"), MessageAnswer::Cancel);
    EXPECT_EQ(diag.str(), "QYR7: overwrite ?  [Cancel]\n");
}

TEST_F(BatchPlatform, DiagnosticsAreConvertedToUtf8)
{
    headless.Messages().ShowOk("Message:", "Temperatur 20 \xB0"
                                           "C, Ma\xDF \x80");
    EXPECT_EQ(diag.str(), "Message: Temperatur 20 \xC2\xB0"
                          "C, Ma\xC3\x9F \xE2\x82\xAC\n");
}

TEST_F(BatchPlatform, DialogsAndPromptsAreCancelledAndPrintersRefused)
{
    TestModel model;
    EXPECT_EQ(headless.Dialogs().RunModal(model), DialogResult::Cancel);
    EXPECT_EQ(model.Value, 1);
    EXPECT_EQ(headless.Prompt().Select({"Select", "Material", {"a", "b"}, 0, SelectionStyle::Radio, {}}),
              std::nullopt);
    EXPECT_EQ(headless.Prompt().AskText({"Input", "Module", "3", 30, {}}), std::nullopt);
    EXPECT_EQ(headless.Files().Run({FileDialogKind::Open, "Open", "*.qy7|*.qy7", "", ""}), std::nullopt);
    EXPECT_FALSE(headless.Print().ChoosePrinter());
    EXPECT_NE(diag.str().find("Module"), std::string::npos);
    EXPECT_NE(diag.str().find("testform"), std::string::npos);
}

TEST_F(BatchPlatform, ATextScreenIsPrintedToTheOutput)
{
    headless.Prompt().ShowTextScreen({"QYR7", {"QYR7 Command Line Mode", "", "w\xE4"}});
    EXPECT_EQ(out.str(), "QYR7 Command Line Mode\n\nw\xC3\xA4\n");
}

TEST_F(BatchPlatform, NoProgramIsStartedInABatchRun)
{
    LaunchResult r = headless.Launch().StartProgram("/bin/true", {});
    EXPECT_FALSE(r.Started);
    EXPECT_FALSE(r.Message.empty());
    ASSERT_EQ(headless.HeadlessLauncher().Launches().size(), 1u);
    EXPECT_EQ(headless.HeadlessLauncher().Launches()[0].Program, "/bin/true");
}

TEST(CurrentPlatformTest, DefaultIsTheBatchPlatformWhichWritesToStderr)
{
    ASSERT_EQ(SetCurrentPlatform(nullptr), nullptr) << "a test left its platform installed";
    ::testing::internal::CaptureStderr();
    MessageAnswer a =
        CurrentPlatform().Messages().AskYesNoCancel("QYR7", "x.qy7 already exists.   overwrite ?");
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(a, MessageAnswer::Cancel);
    EXPECT_EQ(err, "QYR7: x.qy7 already exists.   overwrite ?  [Cancel]\n");
}

TEST(CurrentPlatformTest, AScopedPlatformIsCurrentUntilTheScopeEnds)
{
    PlatformHeadless scripted(HeadlessMode::Scripted);
    Platform* before = &CurrentPlatform();
    {
        ScopedPlatform scope(scripted);
        EXPECT_EQ(&CurrentPlatform(), &scripted);
        scripted.HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
        EXPECT_EQ(CurrentPlatform().Messages().AskYesNo("Q", "sure ?"), MessageAnswer::Yes);
    }
    EXPECT_EQ(&CurrentPlatform(), before);
    EXPECT_EQ(scripted.HeadlessMessages().AskedQuestions().size(), 1u);
}
