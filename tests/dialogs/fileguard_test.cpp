// Message boxes, file dialogs, the file-name check and the guarded text-file
// operations, with a scripted platform that records every question.
#include "common/askedboxes.h"
#include "common/testlocales.h"
#include "dialogs/fileguard.h"
#include "dialogs/messageboxes.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using platform::MessageAnswer;

namespace
{

class FileGuard : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        telmvar.ProgramTitle = "QYR7 - Radi Divivuzez Orude";
        telmvar.DataExt = "qy7";
        headless = std::make_unique<platform::PlatformHeadless>(platform::HeadlessMode::Scripted);
        scope = std::make_unique<platform::ScopedPlatform>(*headless);
        static std::mt19937 random{std::random_device{}()};
        dir = fs::temp_directory_path() /
              ("qyr7_guard_" + std::to_string(::getpid()) + "_" + std::to_string(random()));
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        scope.reset();
        headless.reset();
        fs::remove_all(dir);
    }

    std::string P(const std::string& Name) const { return (dir / Name).string(); }

    void Write(const std::string& Name, const std::string& Text)
    {
        std::ofstream(dir / Name, std::ios::binary) << Text;
    }
    std::string Read(const std::string& Name) const
    {
        std::ifstream in(dir / Name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    const std::vector<platform::MessageBoxesImplHeadless::Asked>& Asked()
    {
        return headless->HeadlessMessages().AskedQuestions();
    }

    std::unique_ptr<platform::PlatformHeadless> headless;
    std::unique_ptr<platform::ScopedPlatform> scope;
    fs::path dir;
};

} // namespace

TEST_F(FileGuard, CaptionsByKind)
{
    struct Case {
        int Kind;
        const char* Caption;
    } cases[] = {{12, "Error  : "}, {3, "Help"}, {11, "Message:"}, {0, "Message:"}, {7, "Message:"}};
    for (const auto& c : cases) {
        MessageBoxByKind("text", c.Kind);
        EXPECT_EQ(AskedAt(Asked()).Request.Caption, c.Caption) << c.Kind;
        EXPECT_EQ(AskedAt(Asked()).Request.Buttons, platform::MessageButtons::Ok);
    }
    ShowErrorBox("e");
    EXPECT_EQ(AskedAt(Asked()).Request.Caption, "Error  : ");
    ShowInfoBox("i");
    EXPECT_EQ(AskedAt(Asked()).Request.Caption, "Message:");
}

TEST_F(FileGuard, StoredTextsAreShownInTheDisplayCodePage)
{
    // 0xF8 is the degree sign of the DOS code page, 0xB0 in the display one.
    ShowMessageBox("20\xF8");
    EXPECT_EQ(AskedAt(Asked()).Request.Text, "20\xB0");
}

TEST_F(FileGuard, MessagesOnlyWhileEnabled)
{
    telmvar.MessagesEnabled = false;
    ShowMessageIfEnabled("hidden");
    ArchiveModeMessage();
    EXPECT_TRUE(Asked().empty());
    telmvar.MessagesEnabled = true;
    ArchiveModeMessage();
    ASSERT_EQ(Asked().size(), 1u);
    EXPECT_EQ(Asked()[0].Request.Text, "Option is not available in archive mode.");
    EXPECT_EQ(Asked()[0].Request.Caption, "Error  : ");
}

TEST_F(FileGuard, YesNoCancelUnderTheProgramTitle)
{
    struct Case {
        MessageAnswer Answer;
        bool Result;
        bool Aborted;
    } cases[] = {{MessageAnswer::Yes, true, false},
                 {MessageAnswer::No, false, false},
                 {MessageAnswer::Cancel, false, true}};
    for (const auto& c : cases) {
        telmvar.Aborted = false;
        headless->HeadlessMessages().QueueAnswer(c.Answer);
        EXPECT_EQ(AskYesNoCancel("go on ?"), c.Result);
        EXPECT_EQ(telmvar.Aborted, c.Aborted);
        EXPECT_EQ(AskedAt(Asked()).Request.Caption, "QYR7 - Radi Divivuzez Orude");
        EXPECT_EQ(AskedAt(Asked()).Request.Buttons, platform::MessageButtons::YesNoCancel);
    }
}

TEST_F(FileGuard, TheApplicationTitle)
{
    struct Case {
        const char* Project;
        const char* Title;
    } cases[] = {
        {"", "QYR7 - Radi Divivuzez Orude"},
        {"stage", "QYR7 - Radi Divivuzez Orude  -  stage.qy7"},
        {"/home/a/stage.qy7", "QYR7 - Radi Divivuzez Orude  -  /home/a/stage.qy7"},
    };
    for (const auto& c : cases) {
        telmvar.ProjectName = c.Project;
        EXPECT_EQ(UpdateAppTitle(), c.Title);
        EXPECT_EQ(headless->MainWindow().Title(), c.Title);
        EXPECT_EQ(headless->HeadlessCursor().Current(), platform::CursorShape::Arrow);
    }
}

// --- CheckFileName -------------------------------------------------------------

TEST_F(FileGuard, TwoDotsInTheFileNameAreRefused)
{
    std::size_t asked = 0;
    for (const std::string name : {"a.b.qy7", "v1.2:b.qy7"}) { // ":" belongs to the name
        telmvar.Aborted = false;
        CheckFileName(P(name));
        EXPECT_TRUE(telmvar.Aborted);
        ASSERT_EQ(Asked().size(), ++asked) << "one message a refused name";
        EXPECT_EQ(AskedAt(Asked()).Request.Text, P(name) + " not allowed (too many dots)!");
        EXPECT_FALSE(fs::exists(dir / name));
    }
}

TEST_F(FileGuard, ADotInTheDirectoryNameDoesNotCount)
{
    fs::create_directories(dir / "v1.2");
    CheckFileName((dir / "v1.2" / "stage.qy7").string());
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(Asked().empty());
    EXPECT_FALSE(fs::exists(dir / "v1.2" / "stage.qy7")) << "the probe is gone again";
}

TEST_F(FileGuard, AnExistingFileIsNeverDeletedWhateverTheAnswer)
{
    struct Case {
        MessageAnswer Answer;
        bool Aborted;
    } cases[] = {{MessageAnswer::Yes, false}, {MessageAnswer::No, true}, {MessageAnswer::Cancel, true}};
    for (const auto& c : cases) {
        Write("old.qy7", "the engineer's data\r\n");
        telmvar.Aborted = false;
        headless->HeadlessMessages().QueueAnswer(c.Answer);
        CheckFileName(P("old.qy7"));
        EXPECT_EQ(telmvar.Aborted, c.Aborted) << platform::MessageAnswerName(c.Answer);
        EXPECT_EQ(Read("old.qy7"), "the engineer's data\r\n") << platform::MessageAnswerName(c.Answer);
        EXPECT_EQ(AskedAt(Asked()).Request.Text, P("old.qy7") + " already exists.   overwrite ?");
        EXPECT_EQ(telmvar.HelpNumber, 3055);
    }
}

TEST_F(FileGuard, NoQuestionForActualFilesOrWithoutTheOverwriteQuery)
{
    Write("actual.qy7", "x");
    CheckFileName(P("actual.qy7"));
    EXPECT_FALSE(telmvar.Aborted);
    Write("stage.qy7", "y");
    messageboxes.OverwriteQuery = false;
    CheckFileName(P("stage.qy7"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(Asked().empty());
    EXPECT_EQ(Read("stage.qy7"), "y");
}

TEST_F(FileGuard, AnUnreadProjectFileIsAskedForEvenByThePlainSave)
{
    Write("test.edi", "exchange data");
    messageboxes.UnreadProjectPath = P("test.edi");
    messageboxes.OverwriteQuery = false;
    headless->HeadlessMessages().QueueAnswer(MessageAnswer::No);
    CheckFileName(P("test.edi"));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(Asked().size(), 1u);
    telmvar.Aborted = false;
    headless->HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    CheckFileName(P("test.edi"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(messageboxes.UnreadProjectPath, "") << "asked once: the user agreed";
    CheckFileName(P("test.edi"));
    EXPECT_EQ(Asked().size(), 2u);
    EXPECT_EQ(Read("test.edi"), "exchange data");
}

TEST_F(FileGuard, ANameThatCannotBeWrittenIsRefused)
{
    const testlocales::ScopedLocale c("C");
    const std::string path = P("nodir/stage.qy7");
    CheckFileName(path);
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(Asked().size(), 1u);
    EXPECT_EQ(Asked()[0].Request.Text, "invalid file name \"" + path + "\" ! (No such file or directory)");
    // Silent while messages are off, refused all the same.
    telmvar.Aborted = false;
    telmvar.MessagesEnabled = false;
    CheckFileName(path);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(Asked().size(), 1u);
}

TEST_F(FileGuard, AFileThatCannotBeWrittenIsNamedWithTheSystemsReason)
{
    const testlocales::ScopedLocale c("C");
    TTextFile f;
    f.Assign("/dev/full");
    ASSERT_TRUE(f.OpenWrite());
    f.WriteLine("x");
    EXPECT_FALSE(f.Close());
    ShowCannotBeWritten(f.Name(), f.WriteFailure());
    ShowCannotBeWritten(P("a.txt"), "");
    ASSERT_EQ(Asked().size(), 2u);
    EXPECT_EQ(Asked()[0].Request.Text, "file /dev/full cannot be written: No space left on device");
    EXPECT_EQ(Asked()[1].Request.Text, "file " + P("a.txt") + " cannot be written");
}

TEST_F(FileGuard, CheckFileReadableIsSilentWhileMessagesAreOff)
{
    telmvar.MessagesEnabled = false;
    EXPECT_FALSE(CheckFileReadable(P("gone.qy7")));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(Asked().empty());
}

TEST_F(FileGuard, CheckFileReadable)
{
    Write("here.qy7", "x");
    EXPECT_TRUE(CheckFileReadable(P("here.qy7")));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_FALSE(CheckFileReadable(P("gone.qy7") + "  "));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(AskedAt(Asked()).Request.Text, "file " + P("gone.qy7") + "   not found or no access !");
}

// --- dialogs ---------------------------------------------------------------------

TEST_F(FileGuard, SaveFileDialogCompletesANameWithoutDot)
{
    telmvar.DataDir = dir.string();
    std::string path;
    SaveFileDialog("stage", path);
    EXPECT_EQ(path, dir.string() + "/stage.qy7");
    EXPECT_FALSE(telmvar.Aborted);
    SaveFileDialog(P("other.txt"), path);
    EXPECT_EQ(path, P("other.txt"));
}

TEST_F(FileGuard, SaveFileDialogAsksForAnEmptyName)
{
    telmvar.DataDir = "/nowhere/";
    headless->HeadlessFiles().QueueAnswer(P("chosen.qy7"));
    std::string path;
    SaveFileDialog("", path);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(path, P("chosen.qy7"));
    EXPECT_EQ(telmvar.DataDir, dir.string() + "/");
    EXPECT_EQ(telmvar.ProjectName, "chosen");
    const auto& request = headless->HeadlessFiles().Requests().back();
    EXPECT_EQ(request.Kind, platform::FileDialogKind::Save);
    EXPECT_EQ(request.Filter, "*.qy7|*.qy7");
    EXPECT_EQ(request.InitialDir, "/nowhere/");
    // Cancel, or a name refused elsewhere: nothing changes.
    for (const std::optional<std::string> answer :
         {std::optional<std::string>(), std::optional(P("o/a.b.c"))}) {
        telmvar.Aborted = false;
        headless->HeadlessFiles().QueueAnswer(answer);
        SaveFileDialog("", path);
        EXPECT_TRUE(telmvar.Aborted);
        EXPECT_EQ(telmvar.ProjectName, "chosen");
        EXPECT_EQ(telmvar.DataDir, dir.string() + "/");
    }
}

TEST_F(FileGuard, ArchiveModeRefusesOrEnds)
{
    telmvar.ArchiveMode = true;
    telmvar.ArchiveFlag = true;
    std::string path = "unchanged";
    SaveFileDialog("stage", path);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(path, "unchanged");
    EXPECT_EQ(AskedAt(Asked()).Request.Text, "Option is not available in archive mode.");
    // Saved under its own name, the project opened as a path becomes a
    // directory and a name, as one chosen in the dialog.
    telmvar.Aborted = false;
    telmvar.ArchiveFlag = false;
    telmvar.ProjectName = P("arch.qy7");
    SaveFileDialog(telmvar.ProjectName, path);
    EXPECT_FALSE(telmvar.ArchiveMode);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(path, P("arch.qy7"));
    EXPECT_EQ(telmvar.ProjectName, "arch");
    EXPECT_EQ(telmvar.DataDir, dir.string() + "/");
}

TEST_F(FileGuard, OpenFileDialog)
{
    Write("stage.qy7", "x");
    telmvar.DataDir = dir.string();
    std::string path;
    OpenFileDialog("stage", path);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(path, P("stage.qy7"));
    EXPECT_EQ(telmvar.ProjectName, "stage");
    // A missing file: the name completed from the data directory is
    // forgotten again.
    OpenFileDialog("missing", path);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(telmvar.ProjectName, "");
    // From the dialog.
    telmvar.Aborted = false;
    headless->HeadlessFiles().QueueAnswer(P("stage.qy7"));
    OpenFileDialog("", path);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(telmvar.ProjectName, "stage");
    EXPECT_EQ(telmvar.DataDir, dir.string() + "/");
    EXPECT_EQ(path, P("stage.qy7"));
    EXPECT_EQ(headless->HeadlessFiles().Requests().back().Filter, "*.qy7|*.qy7");
}

TEST_F(FileGuard, ChooseDirectoryAndBrowse)
{
    std::string result;
    headless->HeadlessFiles().QueueAnswer(P("a.dbf"));
    ChooseDirectory("/start", result);
    EXPECT_EQ(result, dir.string());
    headless->HeadlessFiles().QueueAnswer(std::nullopt);
    ChooseDirectory("/start", result);
    EXPECT_EQ(result, "/start");
    EXPECT_FALSE(telmvar.Aborted) << "a cancelled directory choice is no abort";
    headless->HeadlessFiles().QueueAnswer(std::nullopt);
    BrowseForFile("/usr/bin/editor", "*.*", result);
    EXPECT_EQ(result, "/usr/bin/editor");
    EXPECT_TRUE(telmvar.Aborted);
}

// --- guarded text-file operations ------------------------------------------------

TEST_F(FileGuard, RewriteRetryingGivesUp)
{
    const testlocales::ScopedLocale english("C");
    TTextFile f;
    f.Assign(P("nodir/qyr7.cfg"));
    EXPECT_FALSE(RewriteRetrying(f));
    EXPECT_TRUE(telmvar.Aborted);
    // One message per try, then the last word, each with the system's reason.
    ASSERT_EQ(Asked().size(), static_cast<std::size_t>(RewriteMaxTries + 1));
    EXPECT_EQ(Asked()[0].Request.Text, "I/O-Error 2 (No such file or directory)");
    EXPECT_EQ(AskedAt(Asked()).Request.Text,
              "file " + P("nodir/qyr7.cfg") + " cannot be written: No such file or directory");
    // Without messages nobody can remove the cause: one try, no box.
    telmvar.Aborted = false;
    telmvar.MessagesEnabled = false;
    EXPECT_FALSE(RewriteRetrying(f));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(Asked().size(), static_cast<std::size_t>(RewriteMaxTries + 1));
}

TEST_F(FileGuard, RewriteRetryingSucceedsOnAWritablePath)
{
    TTextFile f;
    f.Assign(P("ok.txt"));
    ASSERT_TRUE(RewriteRetrying(f));
    EXPECT_TRUE(WriteLineChecked(f, "one"));
    EXPECT_TRUE(CloseFileChecked(f));
    EXPECT_EQ(Read("ok.txt"), "one\r\n");
    EXPECT_TRUE(Asked().empty());
}

TEST_F(FileGuard, WriteLineCheckedDoesNothingWhileAborted)
{
    TTextFile f;
    f.Assign(P("w.txt"));
    ASSERT_TRUE(RewriteChecked(f));
    telmvar.Aborted = true;
    EXPECT_FALSE(WriteLineChecked(f, "lost"));
    telmvar.Aborted = false;
    WriteLineChecked(f, "kept");
    CloseFileChecked(f);
    EXPECT_EQ(Read("w.txt"), "kept\r\n");
}

TEST_F(FileGuard, RewriteCheckedReportsAndAborts)
{
    TTextFile f;
    f.Assign(P("nodir/x.txt"));
    EXPECT_FALSE(RewriteChecked(f));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(AskedAt(Asked()).Request.Text, "file write error");
}

TEST_F(FileGuard, MessagesByErrorNumber)
{
    EXPECT_EQ(WriteErrorText(100), "read error");
    EXPECT_EQ(WriteErrorText(101), "disk full");
    EXPECT_EQ(WriteErrorText(106), "invalid numeric code");
    EXPECT_EQ(WriteErrorText(5), "file access error");
    EXPECT_EQ(CloseErrorText(101), "disk full");
    EXPECT_EQ(CloseErrorText(5), "file close error");
    EXPECT_EQ(RewriteErrorText(101), "disk full");
    EXPECT_EQ(RewriteErrorText(2), "file write error");
    EXPECT_EQ(RewriteRetryText(150), "remove write protect !");
    EXPECT_EQ(RewriteRetryText(152), "put program disk into drive A !");
    EXPECT_EQ(RewriteRetryText(5), "I/O-Error 5");
    EXPECT_EQ(IoErrorCodeOf(ENOSPC), 101);
    EXPECT_EQ(IoErrorCodeOf(EROFS), 150);
    EXPECT_EQ(IoErrorCodeOf(ENOENT), 2);
    EXPECT_EQ(IoErrorCodeOf(EACCES), 5);
}
