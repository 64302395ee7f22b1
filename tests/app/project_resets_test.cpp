// File > New and Open after a project with a load spectrum, planet bearings
// and a drive of its own give what they give right after a start: the saved
// file byte for byte, the results as the batch report prints them, and a new
// item of the load spectrum editor.
#include "app/maincommands.h"
#include "appfixture.h"
#include "common/statereset.h"
#include "dialogs/stage/predimform.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "gearpair/gearpairdata.h"
#include "planetary/loadspectrum/loadspectrum.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "reports/engine/reportservices.h"
#include "reports/stage/planetaryreport.h"
#include "testcommands.h"

namespace fs = std::filesystem;

namespace
{

const fs::path Examples = fs::path(QYR7_SOURCE_DIR) / "examples";

class ProjectResets : public AppTest
{
  public:
    void SetUp() override { Start(); }

    // The program as it stands right after a start, with the dialogs filled
    // as a user fills them: the predimensioning through its own form with
    // OK, the guided input with OK everywhere.
    void Start()
    {
        if (hh) {
            hh.reset();
            AppTest::TearDown();
            ResetProgramState();
        }
        AppTest::SetUp();
        StartWindow();
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        reportservices.TodayDateText = [] { return std::string("2026-12-07"); };
        reportservices.NowTimeText = [] { return std::string("6:05"); };
        hh = std::make_unique<TTestCommands>();
        hh->Attach(headless->HeadlessWindow());
        for (const char* f : {"TForm_qyr7text", "TForm_qyr7antr", "TForm_qyr7prof", "TForm_qyr7geo",
                              "TForm_qyr7wst", "TForm_qyr7qual", "TForm_qyr7mes", "TForm_qyr7fs0"})
            hh->Forms[f] = [] {};
    }
    void Open(const std::string& Example)
    {
        headless->HeadlessFiles().QueueAnswer((Examples / (Example + ".qy7")).string());
        ASSERT_TRUE(hh->Click("mi_fileOpen"));
        ASSERT_FALSE(telmvar.Aborted) << Example;
    }
    void New(bool Predimensioned)
    {
        hh->Forms["TForm_qyr7vor"] = [Predimensioned] {
            TForm_qyr7vor f;
            Predimensioned ? (void)f.Press("Button_ok") : (void)(telmvar.Aborted = true);
        };
        telmvar.DataModified = false;
        ASSERT_TRUE(hh->Click("mi_fileNew"));
    }
    // The project as Save writes it, and the whole report of the stage as
    // the batch run writes it, the run's folder left out of its page heads.
    std::string SavedAndReported()
    {
        const std::string name = telmvar.ProjectName;
        EXPECT_TRUE(WriteProjectData((dir / "saved.qy7").string()));
        telmvar.ProjectName = (dir / "report").string();
        wtelmvar.TextDeviceDialog = false;
        wtelmvar.TextDevice = 9;
        PrintPlanetaryReport(0);
        telmvar.ProjectName = name;
        std::string text = ReadWholeFile(dir / "saved.qy7") + ReadWholeFile(dir / "report.txt");
        for (auto at = text.find(dir.string()); at != std::string::npos; at = text.find(dir.string()))
            text.replace(at, dir.string().size(), "DIR");
        return text;
    }

    // Edit > Load Spectrum > Standard, "New": the torque and load cycles the new item opens with.
    std::string NewItemShows()
    {
        std::string shown;
        hh->SpectrumEditor = [&shown] {
            TLoadSpectrumEditor editor;
            EXPECT_TRUE(editor.BeginNew());
            TForm_lki item(editor);
            shown = item.Control("Edit_ti").Text + " Nm, N = " + item.Control("Edit_ni").Text;
            item.Press("Button_cancel");
        };
        EXPECT_TRUE(hh->Click("mi_editlastkollektivstandard"));
        hh->SpectrumEditor = nullptr;
        return shown;
    }

    std::unique_ptr<TTestCommands> hh;
};

// The project before the command: the plain stage, a stage with a load
// spectrum, planet bearings and its own life material.
const char* const Before[] = {"default", "industrial", "spectrum"};

// New with the predimensioning cancelled or done, and Open.
const std::pair<const char*, void (*)(ProjectResets&)> Commands[] = {
    {"NewCancelled", [](ProjectResets& t) { t.New(false); }},
    {"New", [](ProjectResets& t) { t.New(true); }},
    {"Open", [](ProjectResets& t) { t.Open("spectrum"); }},
};

TEST_F(ProjectResets, NewAndOpenGiveWhatTheyGiveAfterAStartWhateverWasOpen)
{
    for (const auto& [name, command] : Commands) {
        Start();
        command(*this);
        const std::string afterStart = SavedAndReported();
        const std::string newItem = NewItemShows();
        EXPECT_EQ(newItem, "0 Nm, N = 0") << name;
        for (const char* example : Before) {
            Start();
            Open(example);
            command(*this);
            EXPECT_EQ(GearPair.LoadSpectrumCount, PlanetaryStage.LoadSpectrumCount)
                << name << " after " << example;
            EXPECT_EQ(SavedAndReported(), afterStart) << name << " after " << example;
            EXPECT_EQ(NewItemShows(), newItem) << name << " after " << example;
        }
    }
}

// Edit > Load Spectrum > Standard: an item deleted, then the list cancelled.
// The stage keeps its spectrum, and so do the results shown: the calculation
// reads the working spectrum, which the editor's count would cut short.
TEST_F(ProjectResets, ACancelledSpectrumEditLeavesTheProjectAndItsResults)
{
    Open("industrial");
    CalcPlanetaryStage();
    const std::string before = SavedAndReported();
    Start();
    Open("industrial");
    hh->SpectrumEditor = [] {
        TLoadSpectrumEditor editor;
        editor.Delete(5);
        telmvar.Aborted = true; // the list closed with Cancel
    };
    ASSERT_TRUE(hh->Click("mi_editlastkollektivstandard"));
    // The next input calculates the stage again.
    CalcPlanetaryStage();
    EXPECT_EQ(SavedAndReported(), before);
}

} // namespace
