// The project file commands of the File menu headless: the save question,
// the recent-file list and its items, the close query and the clean-up, and
// one whole session from New to a reopened file.
#include "app/maincommands.h"
#include "app/mainmenu.h"
#include "app/menutexts.h"
#include "app/projectcommands.h"
#include "app/sessionfile.h"
#include "appfixture.h"
#include "common/askedboxes.h"
#include "common/testlocales.h"
#include "dialogs/dialogservices.h"
#include "dialogs/helptext.h"
#include "drawings/stage/composer.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "graphics/cad/cadfiles.h"
#include "graphics/displaylist.h"
#include "planetary/filenames.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "reports/engine/reportservices.h"
#include "reports/messages/messagelist.h"
#include "testcommands.h"

#include <fstream>

namespace fs = std::filesystem;

namespace
{

std::string ReadAll(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

} // namespace

class ProjectCommands : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        StartWindow();
        telmvar.MessagesEnabled = true;
        for (int i = 1; i <= 4; ++i)
            wtelmvar.RecentFiles[i].clear();
        UpdateMenuCaptions();
    }
    std::string Project(const std::string& Name)
    {
        const std::string path = dir.string() + "/" + Name + ".qy7";
        EXPECT_TRUE(WriteProjectData(path));
        return path;
    }
    platform::MessageBoxesImplHeadless& Answers() { return headless->HeadlessMessages(); }

    TTestCommands hh; // the commands the tests click, in place of the program's
};

TEST_F(ProjectCommands, TheSameFileTwiceIsOneEntryAtTheTopAndAFifthDropsTheOldest)
{
    telmvar.DataDir = "/data/";
    for (const char* n : {"a", "b", "a"})
        AddRecentFile(n);
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/data/a.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[2], "/data/b.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[3], "");
    // Told apart as the file system does: another case is another file, the
    // same file through "." or ".." is the same.
    AddRecentFile("A");
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/data/A.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[2], "/data/a.qy7");
    telmvar.DataDir = "/data/sub/../";
    AddRecentFile("b");
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/data/b.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[4], "");
    telmvar.DataDir = "/data/";
    AddRecentFile("c");
    AddRecentFile("d");
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/data/d.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[4], "/data/A.qy7") << "the oldest, a.qy7, fell out";
    // An edited session file may hold one file twice: both go.
    wtelmvar.RecentFiles[3] = "/data/d.qy7";
    AddRecentFile("d");
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/data/d.qy7");
    EXPECT_NE(wtelmvar.RecentFiles[2], "/data/d.qy7");
    EXPECT_NE(wtelmvar.RecentFiles[3], "/data/d.qy7");

    ShowRecentFiles();
    EXPECT_TRUE(mainmenu.Find(RecentSeparatorName)->Visible);
    EXPECT_EQ(mainmenu.Find("mi_file1")->Caption, "&1 /data/d.qy7");
    EXPECT_EQ(mainmenu.Find("mi_file3")->Caption, "&3 /data/A.qy7");
    EXPECT_FALSE(mainmenu.Find("mi_file4")->Visible);
}

TEST_F(ProjectCommands, LongPathsAreShortenedFromFiftyCharacters)
{
    const std::string p49 = "/home/user/projects/gearboxes/stage_1/pl_ab12.qy7";
    ASSERT_EQ(p49.size(), 49u);
    EXPECT_EQ(ShortenPath(p49), p49);
    const std::string p50 = "/home/user/projects/gearboxes/stage_1/pl_abc12.qy7";
    ASSERT_EQ(p50.size(), 50u);
    EXPECT_EQ(ShortenPath(p50), "/home/.../pl_abc12.qy7");
    const std::string rel = "work/projects/gearboxes/stage_one/planetary_12.qy7";
    EXPECT_EQ(ShortenPath(rel), "work/.../planetary_12.qy7");
    const std::string one = "/" + std::string(60, 'x') + ".qy7";
    EXPECT_EQ(ShortenPath(one), one) << "a single separator: shown in full";
}

TEST_F(ProjectCommands, AnUnnamedModifiedProjectAsksToDiscard)
{
    telmvar.ProjectName.clear();
    telmvar.DataModified = true;
    hh.Forms["TForm_qyr7vor"] = [] { FAIL() << "New went on after No"; };
    Answers().QueueAnswer(platform::MessageAnswer::No);
    hh.Click("mi_fileNew");
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(AskedAt(Boxes()), "Discard previous input data ?");
    EXPECT_TRUE(telmvar.DataModified);
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(ProjectCommands, SaveOfANamedProjectIsSilentAndLeavesTheRecentList)
{
    const std::string path = Project("named");
    telmvar.ProjectName = "named";
    telmvar.DataModified = true;
    PlanetaryGears.StageText = "changed";
    hh.Click("mi_FileSave");
    EXPECT_TRUE(Boxes().empty()) << "no overwrite question";
    EXPECT_FALSE(telmvar.DataModified);
    EXPECT_EQ(wtelmvar.RecentFiles[1], "");
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("changed"), std::string::npos);

    // Unnamed: the save dialog asks; Cancel keeps the input unsaved.
    telmvar.ProjectName.clear();
    telmvar.DataModified = true;
    headless->HeadlessFiles().QueueAnswer(std::nullopt);
    hh.Click("mi_FileSave");
    EXPECT_EQ(headless->HeadlessFiles().Requests().size(), 1u);
    EXPECT_TRUE(telmvar.DataModified);
}

TEST_F(ProjectCommands, AFailedSaveInTheQuestionKeepsTheInputMarkedUnsaved)
{
    telmvar.ProjectName = "gone";
    telmvar.DataDir = (dir / "missing" / "").string();
    telmvar.DataModified = true;
    Answers().QueueAnswer(platform::MessageAnswer::Yes);
    QuerySaveChanges();
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(telmvar.DataModified);
}

TEST_F(ProjectCommands, TheCloseQueryCancelKeepsTheWindowYesSavesAndCleansUp)
{
    Project("open");
    telmvar.ProjectName = "open";
    telmvar.DataModified = true;
    Thh local;
    auto& window = headless->HeadlessWindow();
    window.Show();
    local.Attach(window);
    Answers().QueueAnswer(platform::MessageAnswer::Cancel);
    window.Close();
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(AskedAt(Boxes()), "Save file (" + dir.string() + "/open.qy7) ?");

    // A block directory of this process, and the user's own files that look
    // like block files: only the first goes.
    std::ofstream(dir / "$logo_1.dx$") << "0\r\nEOF\r\n";
    std::ofstream(dir / "$head_0.dx$") << "0\r\nEOF\r\n";
    auto blocks = std::make_unique<TCadBlockStore>();
    blocks->Open(dir.string() + "/");
    const std::string block = blocks->PathForNewBlock("schnitt");
    ASSERT_FALSE(block.empty());
    std::ofstream(block) << "0\r\nEOF\r\n";
    ASSERT_TRUE(fs::exists(block));

    PlanetaryGears.StageText = "saved on close";
    Answers().QueueAnswer(platform::MessageAnswer::Yes);
    window.Close();
    EXPECT_FALSE(window.Visible());
    EXPECT_FALSE(telmvar.DataModified);
    EXPECT_TRUE(fs::exists(dir / "$logo_1.dx$"));
    EXPECT_TRUE(fs::exists(dir / "$head_0.dx$"));
    EXPECT_FALSE(fs::exists(block));
    std::ifstream in(dir / "open.qy7");
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("saved on close"), std::string::npos);
}

TEST_F(ProjectCommands, AMissingRecentFileIsDroppedWithAMessage)
{
    wtelmvar.RecentFiles[1] = dir.string() + "/nothere.qy7";
    wtelmvar.RecentFiles[2] = dir.string() + "/other.qy7";
    ShowRecentFiles();
    ASSERT_TRUE(hh.Click("mi_file1"));
    EXPECT_EQ(AskedAt(Boxes()), "File " + dir.string() + "/nothere.qy7 not found !");
    EXPECT_EQ(wtelmvar.RecentFiles[1], dir.string() + "/other.qy7");
    EXPECT_FALSE(mainmenu.Find("mi_file2")->Visible);
}

TEST_F(ProjectCommands, OpenCalculatesAndUpdatesTheMenusAtHelpLevelZeroWithoutRedraw)
{
    PlanetaryStage.LoadSpectrumCount = 2;
    PlanetaryStage.LoadSpectrum[1] = {1e6L, 100};
    PlanetaryStage.LoadSpectrum[2] = {2e6L, 50};
    const std::string path = Project("spectrum");
    PlanetaryStage.LoadSpectrumCount = 0;
    hh.UpdateMenuEnabling();
    ASSERT_FALSE(mainmenu.Find("mi_viewLastkollektiv")->Enabled);
    const long runs = stagecalc.Runs;
    int redraws = 0;
    hh.Redraw = [&] { ++redraws; };
    telmvar.HelpLevel = 0;
    headless->HeadlessFiles().QueueAnswer(path);
    hh.Click("mi_fileOpen");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(stagecalc.Runs - runs, 1) << "the results shown are the new project's";
    EXPECT_EQ(redraws, 0);
    EXPECT_TRUE(mainmenu.Find("mi_viewLastkollektiv")->Enabled);
    EXPECT_EQ(wtelmvar.RecentFiles[1], path);
    EXPECT_EQ(telmvar.ProjectName, "spectrum");
}

TEST_F(ProjectCommands, NewSaveAsExitAndReopenGiveTheRecordsSaved)
{
    TTestCommands local;
    auto& window = headless->HeadlessWindow();
    window.Show();
    local.Attach(window);
    PlanetaryStage.nIn = 12345;
    // The dialogs as a user fills them: predimensioning, then the guided
    // input with OK everywhere.
    local.Forms["TForm_qyr7vor"] = [] {
        EXPECT_NE(PlanetaryStage.nIn, 12345) << "without a template New starts from the built-in stage";
        PlanetaryStage.PredimSafety = 1.4L;
    };
    local.Forms["TForm_qyr7text"] = [] { PlanetaryGears.StageText = "Stage A"; };
    for (const char* f : {"TForm_qyr7antr", "TForm_qyr7prof", "TForm_qyr7geo", "TForm_qyr7wst",
                          "TForm_qyr7qual", "TForm_qyr7mes", "TForm_qyr7fs0"})
        local.Forms[f] = [] {};
    winutil.QueryScreen = [] {
        TScreenInfo s;
        s.ScreenWidth = 1280;
        s.ScreenHeight = 1024;
        return s;
    };
    ASSERT_TRUE(local.Click("mi_fileNew"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(telmvar.DataModified);
    EXPECT_EQ(PlanetaryGears.StageText, "Stage A");

    const std::string path = dir.string() + "/stage_a.qy7";
    headless->HeadlessFiles().QueueAnswer(path);
    ASSERT_TRUE(local.Click("mi_FileSaveAs"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_FALSE(telmvar.DataModified);
    EXPECT_EQ(wtelmvar.RecentFiles[1], path);
    EXPECT_EQ(mainmenu.Find("mi_file1")->Caption, "&1 " + ShortenPath(path));
    const std::string savedText = ReadAll(path);

    ASSERT_TRUE(local.Click("mi_fileexit"));
    EXPECT_FALSE(window.Visible()) << "nothing unsaved: no question";

    InitProgramLoadDefaults();
    telmvar.ProjectName.clear();
    ASSERT_NE(CaptureProject().Gears.StageText, "Stage A");
    ASSERT_TRUE(local.Click("mi_file1"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(telmvar.ProjectName, "stage_a");
    EXPECT_EQ(PlanetaryGears.StageText, "Stage A");
    // Every record the file holds, written again, gives the same bytes.
    const std::string again = dir.string() + "/again.qy7";
    ASSERT_TRUE(WriteProjectData(again));
    EXPECT_EQ(ReadAll(again), savedText);
}

// Save As (and the Save that names a project without a name) draws the
// picture shown again, so that its footer and a sheet's title block name the
// file under its new name; the picture stays the same. A picture that has
// since taken its place (a help picture), or that cannot be drawn again
// without a question (the carrier asks its dimensions), stays as it is; so
// does the picture of the input before a calculation that failed, and the
// message list the user has seen is not shown again.
TEST_F(ProjectCommands, SaveAsDrawsThePictureShownAgainNamingTheNewFile)
{
    telmvar.HelpLevel = 1;
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    telmvar.PltDir = QYR7_DATA_DIR;
    // One clock for the picture and its redraw: the sheets show the time.
    const auto clock = std::make_pair(reportservices.TodayDateText, reportservices.NowTimeText);
    reportservices.TodayDateText = [] { return std::string("10.12.2026"); };
    reportservices.NowTimeText = [] { return std::string("9:05"); };
    const std::string from = dir.string() + "/industrial.qy7", to = dir.string() + "/Kopie.qy7";
    const auto naming = [](const std::vector<std::string>& Records, const std::string& Name) {
        return std::count_if(Records.begin(), Records.end(),
                             [&](const std::string& r) { return r.find(Name) != std::string::npos; });
    };
    // The CAD code prompt answered as a user does: the first time with a
    // look at its help picture before the choice.
    const struct Restore {
        decltype(reportservices.AskSelect) Ask = reportservices.AskSelect;
        decltype(uhelperr.MessageListAsText) List = uhelperr.MessageListAsText;
        decltype(stagecomposerhooks.EditCarrier) Carrier = stagecomposerhooks.EditCarrier;
        ~Restore()
        {
            reportservices.AskSelect = Ask, uhelperr.MessageListAsText = List;
            stagecomposerhooks.EditCarrier = Carrier;
        }
    } restore;
    int carrierAsked = 0;
    stagecomposerhooks.EditCarrier = [&] { ++carrierAsked; };
    const auto ask = restore.Ask;
    int shownLists = 0;
    uhelperr.MessageListAsText = [&](const std::string&) { ++shownLists; };
    int helpPictures = 0;
    reportservices.AskSelect = [&](const std::string& Prompt, int Count, uint16_t& Choice) {
        if (Prompt == "CAD Code" && helpPictures-- > 0) ShowHelpText(1000, 0, 2);
        ask(Prompt, Count, Choice);
    };
    const struct {
        const char* Shows; // after Open has drawn the stage picture
        const char* Save;
        bool Redrawn;
    } rows[] = {{"", "mi_FileSaveAs", true},
                {"mi_viewfertigungszeichnungC", "mi_FileSaveAs", true},
                {"mi_viewquick4", "mi_FileSaveAs", true},
                {"mi_viewsicherheitSPi", "mi_FileSaveAs", true},
                {"mi_viewlebensdauerSPi", "mi_FileSaveAs", true},
                {"mi_viewLastkollektivSPi", "mi_FileSaveAs", true},
                {"help", "mi_FileSaveAs", false},
                {"unnamed", "mi_FileSave", true},
                {"another project, not drawn", "mi_FileSaveAs", false},
                {"input speed 0", "mi_FileSaveAs", false},
                {"carrier on the screen", "mi_FileSaveAs", false},
                {"a DXF file after a help picture", "mi_FileSaveAs", false}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Shows);
        const std::string shows = r.Shows;
        fs::copy_file(std::string(QYR7_SOURCE_DIR) + "/examples/industrial.qy7", from,
                      fs::copy_options::overwrite_existing);
        fs::remove(to);
        headless->HeadlessFiles().QueueAnswer(from);
        ASSERT_TRUE(hh.Click("mi_fileOpen"));
        if (shows == "help") {
            ShowHelpText(1000, 0, 2);
        } else if (shows == "another project, not drawn") {
            ASSERT_TRUE(hh.Click("mi_viewquick4"));
            telmvar.HelpLevel = 0;
            fs::copy_file(std::string(QYR7_SOURCE_DIR) + "/examples/default.qy7", dir / "default.qy7",
                          fs::copy_options::overwrite_existing);
            headless->HeadlessFiles().QueueAnswer((dir / "default.qy7").string());
            ASSERT_TRUE(hh.Click("mi_fileOpen"));
            telmvar.HelpLevel = 1;
        } else if (shows == "unnamed") {
            telmvar.ProjectName.clear();
            hh.RefreshAfterChange();
        } else if (shows == "input speed 0") {
            hh.Forms["TForm_qyr7antr"] = [] { PlanetaryStage.nIn = 0; };
            const int shown = shownLists;
            ASSERT_TRUE(hh.Click("mi_editAntrieb"));
            hh.Forms.erase("TForm_qyr7antr");
            ASSERT_EQ(shownLists, shown + 1) << "the failed calculation's list";
        } else if (shows == "carrier on the screen") {
            headless->HeadlessPrompts().QueueSelection(2); // "Control Output to Screen"
            const auto drawn = DisplayList.Generation;
            ASSERT_TRUE(hh.Click("mi_cadcarrier"));
            ASSERT_NE(DisplayList.Generation, drawn);
        } else if (shows == "a DXF file after a help picture") {
            helpPictures = 1;
            headless->HeadlessPrompts().QueueSelection(0); // "DXF"
            headless->HeadlessFiles().QueueAnswer((dir / "front.dxf").string());
            ASSERT_TRUE(hh.Click("mi_cadplanetengetriebe"));
            ASSERT_TRUE(fs::exists(dir / "front.dxf"));
        } else if (*r.Shows) {
            ASSERT_TRUE(hh.Click(r.Shows));
        }
        const std::vector<std::string> before(DisplayList.Records.begin(), DisplayList.Records.end());
        const int listsBefore = shownLists, carrierBefore = carrierAsked;
        headless->HeadlessFiles().QueueAnswer(to);
        ASSERT_TRUE(hh.Click(r.Save));
        ASSERT_TRUE(fs::exists(to));
        EXPECT_EQ(shownLists, listsBefore) << "no message list again";
        EXPECT_EQ(carrierAsked, carrierBefore) << "the carrier's dimensions not asked again";
        const std::vector<std::string> after(DisplayList.Records.begin(), DisplayList.Records.end());
        if (!r.Redrawn) {
            EXPECT_EQ(after, before);
            continue;
        }
        EXPECT_EQ(naming(after, "industrial.qy7"), 0);
        EXPECT_GT(naming(after, "Kopie.qy7"), 0);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i])
                EXPECT_TRUE(after[i].find("Kopie.qy7") != std::string::npos || after[i].rfind("9;", 0) == 0)
                    << before[i] << " -> " << after[i];
    }
    std::tie(reportservices.TodayDateText, reportservices.NowTimeText) = clock;
}

// The document links' caption goes on as the main window's title, also
// after a Save (which keeps the project's name without its extension).
TEST_F(ProjectCommands, TheDocumentLinksCaptionEndsWithTheMainWindowsTitle)
{
    headless->HeadlessFiles().QueueAnswer(Project("industrial"));
    ASSERT_TRUE(hh.Click("mi_fileOpen") && hh.Click("mi_FileSave"));
    headless->HeadlessDialogs().QueueResult(platform::DialogResult::Cancel);
    ASSERT_TRUE(hh.Click("mi_DocumentSetup"));
    const std::string title = headless->HeadlessWindow().Title();
    EXPECT_TRUE(title.ends_with("  -  industrial.qy7")) << title;
    EXPECT_EQ(headless->HeadlessDialogs().ShownDialogs().back().Caption, "Document Links  -  " + title);
}

// A project with a line break in its name or directory's opens, is not remembered; line 1 goes without it.
TEST_F(ProjectCommands, ALineBreakInAProjectsPathKeepsTheSessionFileFiveWholeLines)
{
    const std::string kept = dir.string() + "/kept.qy7";
    const std::pair<std::string, std::string> cases[] = {{"a\nb", "qyr7 Session " + dir.string() + "/"},
                                                         {"n\nl/p", "qyr7 Session "},
                                                         {"c\rr/p", "qyr7 Session "}};
    for (const auto& [name, line1] : cases) {
        fs::create_directories(fs::path(dir.string() + "/" + name).parent_path());
        const std::string path = Project(name);
        wtelmvar.RecentFiles[1] = kept;
        headless->HeadlessFiles().QueueAnswer(path);
        hh.Click("mi_fileOpen");
        EXPECT_EQ(AddTrailingBackslash(telmvar.DataDir) + telmvar.ProjectName + ".qy7", path) << "opened";
        ThhFormDestroy();
        EXPECT_EQ(ReadAll(SessionFileName()), line1 + "\r\n" + kept + "\r\n\r\n\r\n\r\n");
    }
}

// One box says why, no message is left for a later list, the project stays; so does the recent entry,
// unless its file is gone (deleted, or under a directory that became a file): then it is dropped.
TEST_F(ProjectCommands, ARecentFileThatCannotBeReadLeavesTheProjectNameAlone)
{
    const testlocales::ScopedLocale c("C");
    const std::string d = dir.string() + "/",
                      ends = " line 1: the file ends here, more lines were expected !";
    std::ofstream(d + "e.qy7");
    std::ofstream(d + "f");
    fs::create_directory(d + "d.qy7");
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"mi_fileOpen", "e.qy7", "file " + d + "e.qy7" + ends},
        {"mi_file1", "e.qy7", "file " + d + "e.qy7" + ends},
        {"mi_file1", "d.qy7", "file " + d + "d.qy7 cannot be read: Is a directory"},
        {"mi_file1", "g.qy7", "File " + d + "g.qy7 not found !"},
        {"mi_file1", "f/g.qy7", "File " + d + "f/g.qy7 not found !"}};
    for (const auto& [item, file, box] : cases) {
        const bool gone = box.starts_with("File ");
        telmvar.ProjectName = PlanetaryGears.StageText = "current";
        wtelmvar.RecentFiles[1] = d + file;
        UpdateCaption();
        const auto state = [this] {
            return std::make_tuple(headless->HeadlessWindow().Title(), telmvar.ProjectName, telmvar.DataDir,
                                   PlanetaryGears.StageText);
        };
        const auto before = state();
        Answers().Reset();
        if (item == std::string("mi_fileOpen")) headless->HeadlessFiles().QueueAnswer(d + file);
        ASSERT_TRUE(hh.Click(item));
        EXPECT_EQ(Boxes(), std::vector<std::string>{box});
        EXPECT_EQ(state(), before);
        EXPECT_EQ(wtelmvar.RecentFiles[1], gone ? "" : d + file);
        EXPECT_TRUE(telmvar.Aborted != gone && CollectedMessages().empty()) << file;
    }
}

TEST_F(ProjectCommands, AnEditedSessionListIsClosedUpOnTheMenu)
{
    wtelmvar.RecentFiles[1] = "";
    wtelmvar.RecentFiles[2] = "/d/b.qy7";
    wtelmvar.RecentFiles[3] = "/d/b.qy7";
    wtelmvar.RecentFiles[4] = "/d/c.qy7";
    InitRecentMenu();
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/d/b.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[2], "/d/c.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[3], "");
    EXPECT_TRUE(mainmenu.Find(RecentSeparatorName)->Visible);
    EXPECT_EQ(mainmenu.Find("mi_file2")->Caption, "&2 /d/c.qy7");
    EXPECT_FALSE(mainmenu.Find("mi_file3")->Visible);
}

// Save and Save As that cannot write their file: a box names the file and
// the system's reason, the old file stays, and the project keeps its name,
// place, archive mode, title, unsaved mark (so Exit still asks) and unread mark.
TEST_F(ProjectCommands, ASaveThatFailsSaysWhyAndKeepsTheProjectAsItWas)
{
    const testlocales::ScopedLocale c("C");
    const std::string d = dir.string() + "/", tooLarge = " cannot be written: File too large";
    const std::size_t size = fs::file_size(Project("size"));
    fs::remove(d + "size.qy7");
    const struct {
        const char *Item, *Chosen;        // Chosen: the Save As dialog's answer
        rlim_t Limit;                     // the largest file this process may write
        int Items;                        // load spectrum items: 128 make a file longer than the write buffer
        bool Archive, OutOfRange, Unread; // Archive: opened by the command line; Unread: never read
        std::string Box;
    } cases[] = {
        {"mi_FileSave", nullptr, 1024, 128, false, false, false, "p.qy7" + tooLarge},   // a line fails
        {"mi_FileSave", nullptr, size - 1, 0, false, false, false, "p.qy7" + tooLarge}, // the close fails
        {"mi_FileSave", nullptr, 1024, 128, false, false, true, "p.qy7" + tooLarge},
        {"mi_FileSaveAs", "gross.qy7", 1024, 0, false, false, false, "gross.qy7" + tooLarge},
        {"mi_FileSaveAs", "gross.qy7", 1024, 0, true, false, false, "gross.qy7" + tooLarge},
        {"mi_FileSave", nullptr, 0, 0, false, true, false, "p.qy7 cannot be written: Project file: lcarrier"},
        // The chosen directory is gone between the dialog's check and the write.
        {"mi_FileSaveAs", "gone/p.qy7", 0, 0, false, false, false,
         "gone/p.qy7 cannot be written: No such file"},
    };
    const auto dialog = filenamedialogs.SaveFileDialog;
    filenamedialogs.SaveFileDialog = [dialog, d](const std::string& Name, std::string& Path) {
        dialog(Name, Path);
        fs::remove_all(d + "gone");
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Box);
        std::ofstream(d + "p.qy7", std::ios::binary) << "old contents";
        telmvar.ArchiveFlag = false;
        telmvar.ArchiveMode = k.Archive;
        telmvar.ProjectName = k.Archive ? d + "p.qy7" : "p";
        telmvar.DataDir = k.Archive ? "/elsewhere/" : d;
        PlanetaryStage.lcarrier = k.OutOfRange ? 1e9L : 10;
        PlanetaryStage.LoadSpectrumCount = k.Items;
        for (int i = 1; i <= k.Items; ++i)
            PlanetaryStage.LoadSpectrum[i] = {1e6L * i, 100};
        telmvar.DataModified = true;
        UpdateCaption();
        const auto before =
            std::make_tuple(headless->HeadlessWindow().Title(), telmvar.ProjectName, telmvar.DataDir);
        if (k.Chosen) headless->HeadlessFiles().QueueAnswer(d + k.Chosen);
        if (k.Chosen) fs::create_directories(fs::path(d + k.Chosen).parent_path());
        messageboxes.UnreadProjectPath = k.Unread ? d + "p.qy7" : "";
        if (k.Unread) Answers().QueueAnswer(platform::MessageAnswer::Yes);
        WithFileSizeLimit(k.Limit, [&] { hh.Click(k.Item); });
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(AskedAt(Boxes()).substr(0, d.size() + 5 + k.Box.size()), "file " + d + k.Box);
        EXPECT_EQ(ReadAll(d + "p.qy7"), "old contents");
        EXPECT_EQ(DirNames(dir), std::vector<std::string>{"p.qy7"}) << "no new file, no temporary one";
        EXPECT_EQ(std::make_tuple(headless->HeadlessWindow().Title(), telmvar.ProjectName, telmvar.DataDir),
                  before);
        EXPECT_EQ(telmvar.ArchiveMode, k.Archive);
        EXPECT_TRUE(telmvar.DataModified && wtelmvar.RecentFiles[1].empty());
        EXPECT_EQ(messageboxes.UnreadProjectPath, k.Unread ? d + "p.qy7" : "") << "the next Save asks again";
    }
    filenamedialogs.SaveFileDialog = dialog;
}

// A name the Save As refuses changes nothing: the next Save writes the file
// the project was written to before, not one in the refused name's directory.
TEST_F(ProjectCommands, ARefusedSaveAsNameLeavesTheNextSaveWithTheProjectsFile)
{
    const testlocales::ScopedLocale c("C");
    const std::string d = dir.string() + "/";
    fs::create_directories(d + "other");
    const std::pair<const char*, std::string> cases[] = {
        {"other/a.b.c", d + "other/a.b.qy7 not allowed (too many dots)!"},
        {"missing/x", "invalid file name \"" + d + "missing/x.qy7\" ! (No such file or directory)"},
        {"a\\b", "invalid file name \"" + d + "a\\b.qy7\" ! (\"\\\" is read as a directory separator)"},
    };
    for (const auto& [chosen, box] : cases) {
        Project("p");
        telmvar.ProjectName = "p";
        telmvar.DataDir = d;
        headless->HeadlessFiles().QueueAnswer(d + chosen);
        hh.Click("mi_FileSaveAs");
        EXPECT_EQ(AskedAt(Boxes()), box);
        PlanetaryGears.StageText = chosen;
        hh.Click("mi_FileSave");
        EXPECT_NE(ReadAll(d + "p.qy7").find(chosen), std::string::npos) << chosen;
        EXPECT_TRUE(fs::is_empty(d + "other")) << chosen;
    }
}
