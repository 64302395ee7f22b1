// File > New and File > Open after a project that used everything (a load
// spectrum, planet bearings, the life material, its own drive): what follows
// is what the same command gives right after the program started. Saved
// files are compared byte for byte, the results as the batch report prints
// them.
#include "app/maincommands.h"
#include "appfixture.h"
#include "common/statereset.h"
#include "dialogs/stage/predimform.h"
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
  protected:
    void SetUp() override { Start(false); }

    // The program as it stands right after a start, with the window's
    // commands and the dialogs filled as a user fills them: the
    // predimensioning through its own form with OK, the guided input with
    // OK everywhere.
    void Start(bool WithTemplate)
    {
        if (hh) {
            hh.reset();
            AppTest::TearDown();
            ResetProgramState();
        }
        AppTest::SetUp();
        StartWindow();
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        // A template of the user's own: a stage of its own, without a
        // spectrum.
        if (WithTemplate) fs::copy_file(Examples / "default.qy7", dir / "null.qy7");
        template_ = WithTemplate;
        reportservices.TodayDateText = [] { return std::string("2026-12-07"); };
        reportservices.NowTimeText = [] { return std::string("6:05"); };
        hh = std::make_unique<TTestCommands>();
        hh->Attach(headless->HeadlessWindow());
        hh->Forms["TForm_qyr7vor"] = [] {
            TForm_qyr7vor f;
            f.Press("Button_ok");
        };
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
    void New(bool CancelPredimensioning = false)
    {
        if (CancelPredimensioning) hh->Forms["TForm_qyr7vor"] = [] { telmvar.Aborted = true; };
        telmvar.DataModified = false;
        ASSERT_TRUE(hh->Click("mi_fileNew"));
    }
    // The project as Save writes it.
    std::string Saved()
    {
        const fs::path file = dir / "saved.qy7";
        EXPECT_TRUE(WriteProjectData(file.string()));
        return ReadWholeFile(file);
    }
    // The whole report of the stage in memory, as the batch run writes it.
    std::string Report()
    {
        const std::string name = telmvar.ProjectName;
        telmvar.ProjectName = (dir / "report").string();
        wtelmvar.TextDeviceDialog = false;
        wtelmvar.TextDevice = 9;
        PrintPlanetaryReport(0);
        telmvar.ProjectName = name;
        // The page heads name the report's working copy in this run's folder.
        std::string text = ReadWholeFile(dir / "report.txt");
        for (auto at = text.find(dir.string()); at != std::string::npos; at = text.find(dir.string()))
            text.replace(at, dir.string().size(), "DIR");
        return text;
    }

    void NewAfterEachExample();

    std::unique_ptr<TTestCommands> hh;
    bool template_ = false;
};

// The project before the command: none, the plain stage, a stage with a
// load spectrum, planet bearings and its own life material.
const char* const Before[] = {"default", "industrial", "spectrum"};

TEST_F(ProjectResets, NewGivesTheProjectOfNewAfterAStartWhateverWasOpen)
{
    for (bool withTemplate : {false, true}) {
        SCOPED_TRACE(withTemplate ? "with the template" : "without a template");
        Start(withTemplate);
        NewAfterEachExample();
    }
}

void ProjectResets::NewAfterEachExample()
{
    New(true);
    const std::string cancelled = Saved();
    Start(template_);
    New();
    const std::string saved = Saved(), report = Report();
    ASSERT_NE(report, "");
    for (const char* example : Before) {
        Start(template_);
        Open(example);
        New(true);
        EXPECT_EQ(GearPair.LoadSpectrumCount, 0) << "the spectrum table after " << example;
        EXPECT_EQ(Saved(), cancelled) << "predimensioning cancelled after " << example;
        Start(template_);
        Open(example);
        New();
        EXPECT_EQ(Saved(), saved) << "New after " << example;
        EXPECT_EQ(Report(), report) << "New after " << example;
    }
}

TEST_F(ProjectResets, OpenGivesTheResultsOfOpenAfterAStartWhateverWasOpen)
{
    for (const char* example : Before) {
        Start(false);
        Open(example);
        const std::string alone = Report();
        ASSERT_NE(alone, "");
        for (const char* before : Before) {
            Start(false);
            Open(before);
            Open(example);
            EXPECT_EQ(Report(), alone) << example << " opened after " << before;
        }
    }
}

// Edit > Load Spectrum > Standard: items deleted, added or changed in the
// list, then the list cancelled. The stage keeps its spectrum, and so do the
// results shown: the calculation reads the working spectrum, which a count
// left as the editor had it would cut short or lengthen with an item of 0.
struct EditorStep {
    const char* name;
    void (*step)(TLoadSpectrumEditor&);
};

const EditorStep CancelledEdits[] = {
    {"LastItemDeleted", [](TLoadSpectrumEditor& e) { e.Delete(5); }},
    {"ItemAdded",
     [](TLoadSpectrumEditor& e) {
         e.BeginNew();
         e.TorqueText = "500";
         e.CyclesText = "1e6";
         e.OkItem();
     }},
    {"FirstItemChanged",
     [](TLoadSpectrumEditor& e) {
         e.BeginModify(1);
         e.TorqueText = "1";
         e.OkItem();
     }},
};

TEST_F(ProjectResets, ACancelledSpectrumEditLeavesTheProjectAndItsResults)
{
    Open("industrial");
    const std::string saved = Saved(), report = Report();
    for (const EditorStep& edit : CancelledEdits) {
        Start(false);
        Open("industrial");
        hh->SpectrumEditor = [&edit] {
            TLoadSpectrumEditor editor;
            edit.step(editor);
            telmvar.Aborted = true; // the list closed with Cancel
        };
        ASSERT_TRUE(hh->Click("mi_editlastkollektivstandard"));
        EXPECT_EQ(Saved(), saved) << edit.name;
        // The next input calculates the stage again.
        CalcPlanetaryStage();
        EXPECT_EQ(Report(), report) << edit.name;
    }
}

} // namespace
