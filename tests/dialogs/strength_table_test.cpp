// The load spectrum table: its row limits, the copy row, the paste into the
// rows that exist, the torque unit, exact values of untouched cells, Cancel
// after steps that wrote into the working list, trailing empty bins, and the
// ".kol" export and import.
#include "dialogs/fileguard.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "planetary/filenames.h"
#include "stageforms_fixture.h"

#include "common/askedboxes.h"
#include "common/tempdir.h"

#include <fstream>
#include <iterator>

namespace
{

using platform::DialogAction;

class Table : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        dir_ = testdirs::MakeTempDir("lk1");
        GearPair.LoadSpectrumKind = 4;
    }
    void TearDown() override
    {
        testdirs::RemoveTempDir(dir_);
        StageForms::TearDown();
    }
    void Items(std::initializer_list<TLoadSpectrumItem> items)
    {
        GearPair.LoadSpectrumCount = 0;
        for (const auto& it : items)
            GearPair.LoadSpectrum[++GearPair.LoadSpectrumCount] = it;
    }
    // The file dialogs of the import and export answer with Name.
    void FileAnswer(const std::string& Name)
    {
        const std::string path = dir_ + "/" + Name;
        filenamedialogs.SaveFileDialog = [path](const std::string&, std::string& p) { p = path; };
        filenamedialogs.OpenFileDialog = [path](const std::string&, std::string& p) { p = path; };
    }
    std::string ReadAll(const std::string& Name) const
    {
        std::ifstream in(dir_ + "/" + Name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string dir_;
};

TEST_F(Table, RowLimits)
{
    for (int i = 1; i <= 128; ++i)
        GearPair.LoadSpectrum[i] = {1000.0L * i, 10.0L};
    GearPair.LoadSpectrumCount = 128;
    TForm_qyrlk1 full;
    EXPECT_EQ(full.Grid.RowCount(), 129);
    full.Press("Button_add");
    full.Press("Button_add1");
    EXPECT_EQ(full.Grid.RowCount(), 129) << "128 bins are the most";

    GearPair.LoadSpectrumCount = 1;
    TForm_qyrlk1 one;
    EXPECT_EQ(one.Grid.RowCount(), 2);
    one.Press("Button_del");
    EXPECT_EQ(one.Grid.RowCount(), 2) << "one data row stays";
    one.Press("Button_add");
    EXPECT_EQ(one.Grid.RowCount(), 3);
    EXPECT_EQ(one.Grid.Cell(0, 2), "2");
    EXPECT_EQ(one.Grid.Cell(1, 2), "");
}

TEST_F(Table, CopyRowAddsTheSameValuesWithTheNextBinNumber)
{
    Items({{1e6L, 500}});
    TForm_qyrlk1 f;
    EXPECT_EQ(f.Grid.Cell(0, 0), "Bin no.");
    EXPECT_EQ(f.Grid.Cell(1, 0), "Torque [Nm]");
    EXPECT_EQ(f.Grid.Cell(2, 0), "Load cycles");
    f.Press("Button_add1");
    ASSERT_EQ(f.Grid.RowCount(), 3);
    EXPECT_EQ(f.Grid.Cell(0, 2), "2");
    EXPECT_EQ(f.Grid.Cell(1, 2), f.Grid.Cell(1, 1));
    EXPECT_EQ(f.Grid.Cell(2, 2), f.Grid.Cell(2, 1));
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    ASSERT_EQ(GearPair.LoadSpectrumCount, 2);
    EXPECT_EQ(GearPair.LoadSpectrum[2].T, 500);
    EXPECT_EQ(GearPair.LoadSpectrum[2].N, 1e6L);
}

TEST_F(Table, PasteFillsOnlyTheCellsThatExist)
{
    Items({{1000, 100}, {2000, 50}});
    TForm_qyrlk1 f;
    f.Grid.SetSelection({0, 1, 0, 1});
    hp.HeadlessClipboard().SetText(
        "7\t300\t4000\r\n8\t200\t5000\r\n9\t100\t6000\r\n10\t1\t1\r\n11\t1\t1\r\n");
    f.Press("mi_editPaste");
    EXPECT_EQ(f.Grid.RowCount(), 3);
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    ASSERT_EQ(GearPair.LoadSpectrumCount, 2);
    EXPECT_EQ(GearPair.LoadSpectrum[1], (TLoadSpectrumItem{4000, 300}));
    EXPECT_EQ(GearPair.LoadSpectrum[2], (TLoadSpectrumItem{5000, 200}));
    f.Grid.SetSelection({1, 1, 2, 2});
    f.Press("mi_editCopy");
    EXPECT_EQ(hp.HeadlessClipboard().Text(), "300\t4000\r\n200\t5000\r\n");
}

TEST_F(Table, UntouchedCellsKeepTheirValuesThroughTheUnitSwitch)
{
    Items({{123456.789L, 123.456L}, {1e6L, 98.7654L}});
    TForm_qyrlk1 f;
    EXPECT_EQ(f.Grid.Cell(1, 1), "123.5");
    f.Press("Button_metric");
    EXPECT_EQ(wtelmvar.UnitSystem, 1);
    EXPECT_EQ(f.Grid.Cell(1, 0), "Torque [lbfin]");
    EXPECT_NE(f.Grid.Cell(1, 1), "123.5") << "lbf in shown";
    f.Press("Button_metric");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(SameBits(GearPair.LoadSpectrum[1].T, 123.456L)) << "not re-read from three digits";
    EXPECT_TRUE(SameBits(GearPair.LoadSpectrum[1].N, 123456.789L));
    EXPECT_TRUE(SameBits(GearPair.LoadSpectrum[2].T, 98.7654L));
}

TEST_F(Table, CancelLeavesTheListAsItWasOpened)
{
    Items({{1000, 100}});
    FileAnswer("other.kol");
    {
        std::ofstream out(dir_ + "/other.kol", std::ios::binary);
        out << "Load Spectrum\r\n-------------\r\n9\r\n2\r\n5\r\n6\r\n7\r\n8\r\n";
    }
    TForm_qyrlk1 f;
    f.Press("mi_fileimport");
    EXPECT_EQ(GearPair.LoadSpectrumCount, 2) << "the import reads into the working list";
    EXPECT_EQ(f.Grid.Cell(1, 2), "8");
    f.Grid.SetCell(1, 1, "777");
    f.Press("mi_viewError");
    EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(GearPair.LoadSpectrumCount, 1);
    EXPECT_EQ(GearPair.LoadSpectrumKind, 4);
    EXPECT_EQ(GearPair.LoadSpectrum[1], (TLoadSpectrumItem{1000, 100}));
}

// One box with the file, the line and why, and not the message list besides; the list and the table stay.
TEST_F(Table, ARefusedImportSaysWhereAndLeavesTheTable)
{
    Items({{1000, 100}});
    FileAnswer("bad.kol");
    std::ofstream(dir_ + "/bad.kol") << "Load Spectrum\r\n-------------\r\n9\r\n1\r\n5\r\nabc\r\n";
    TForm_qyrlk1 f;
    f.Grid.SetCell(1, 1, "777");
    f.Press("mi_fileimport");
    const auto& asked = hp.HeadlessMessages().AskedQuestions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Request.Text, "file " + dir_ + "/bad.kol line 6: number expected !");
    EXPECT_EQ(std::make_tuple(f.Grid.Cell(1, 1), GearPair.LoadSpectrumCount, GearPair.LoadSpectrum[1]),
              std::make_tuple("777", 1, TLoadSpectrumItem{1000, 100}));
    EXPECT_TRUE(CollectedMessages().empty());
}

TEST_F(Table, EmptyBinsAtTheEndAreNotStored)
{
    GearPair.LoadSpectrumCount = 0;
    TForm_qyrlk1 empty;
    EXPECT_EQ(empty.Grid.RowCount(), 2) << "one empty data row";
    ASSERT_EQ(empty.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.LoadSpectrumCount, 0) << "no zero item that makes Neq 0";

    Items({{1000, 100}});
    TForm_qyrlk1 f;
    f.Press("Button_add");
    f.Press("Button_add");
    f.Grid.SetCell(1, 3, "0");
    f.Grid.SetCell(2, 3, " 0 ");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(GearPair.LoadSpectrumCount, 1);
}

// Quoted as typed, the limits in the table's unit, rounded inwards: 1e12 N m / 0.112984788 N m per
// lbf in = 8.8507498e12 lbf in, and 8.85075e12 lbf in would be 1.0000001e12 N m.
TEST_F(Table, RefusedCellsStoreNothing)
{
    Items({{1000, 100}});
    for (const auto& [unit, bad, box] :
         {std::tuple{0, "12x", "Invalid Input \"12x\" !"},
          {0, "-5", "torque of item 2 -5 Nm outside 0 .. 1e+12 Nm"},
          {1, " -27000", "torque of item 2 -27000 lbfin outside 0 .. 8.85074e+12 lbfin"}}) {
        wtelmvar.UnitSystem = unit;
        TForm_qyrlk1 f;
        f.Grid.SetCell(1, 1, "50");
        f.Grid.SetCell(2, 1, "2000");
        f.Press("Button_add");
        f.Grid.SetCell(1, 2, bad);
        EXPECT_EQ(f.Press("Button_ok"), DialogAction::None) << bad;
        EXPECT_EQ(GearPair.LoadSpectrumCount, 1) << bad;
        EXPECT_EQ(GearPair.LoadSpectrum[1], (TLoadSpectrumItem{1000, 100})) << bad;
        EXPECT_EQ(AskedAt(hp.HeadlessMessages().AskedQuestions()).Request.Text, box);
    }
}

TEST_F(Table, ExportThenImportGivesTheSameList)
{
    Items({{1e6L, 500}, {2e5L, 250.5L}, {3000, 123.456L}});
    const auto items = GearPair.LoadSpectrum;
    FileAnswer("table.kol");
    TForm_qyrlk1 f;
    f.Press("mi_fileExport");
    EXPECT_FALSE(telmvar.Aborted);
    const std::string golden = std::string(QYR7_TEST_DIR) + "/golden/table_export.kol";
    std::ifstream g(golden, std::ios::binary);
    const std::string want{std::istreambuf_iterator<char>(g), std::istreambuf_iterator<char>()};
    const std::string got = ReadAll("table.kol");
    EXPECT_EQ(got, want);
    if (got != want) std::ofstream(golden + ".out", std::ios::binary) << got;

    GearPair.LoadSpectrumCount = 0;
    TForm_qyrlk1 again;
    again.Press("mi_fileimport");
    ASSERT_EQ(GearPair.LoadSpectrumCount, 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(GearPair.LoadSpectrum[i], items[i]) << "item " << i;
    EXPECT_EQ(again.Grid.Cell(1, 3), "123.5");
}

TEST_F(Table, LogarithmicViewFollowsItsCheckMark)
{
    GearPair.LoadCyclesLogarithmic = true;
    TForm_qyrlk1 f(TLoadSpectrumTableMenu{"Datei", "Bearbeiten", "Ansicht", "Kopieren", "Einf\xFCgen"});
    EXPECT_TRUE(f.Control("mi_viewloadcycleslogarithmic").Checked);
    EXPECT_EQ(f.Control("mi_edit").Caption, "Bearbeiten");
    f.Press("mi_viewloadcycleslogarithmic");
    EXPECT_FALSE(GearPair.LoadCyclesLogarithmic);
    EXPECT_FALSE(f.Control("mi_viewloadcycleslogarithmic").Checked);
    EXPECT_EQ(f.Caption(), "QYR7");
}

// An import reads the file chosen whatever its name ends in (nothing is saved
// under it), but for a backslash that names another file.
TEST_F(Table, AnImportReadsTheChosenFileWhateverItsNameEndsIn)
{
    const std::pair<std::string, std::string> cases[] = {
        {"spectrum.txt", ""},
        {"a\\b.kol", "file \"" + dir_ + "/a\\b.kol\" not opened: \"\\\" is read as a directory separator"}};
    filenamedialogs.OpenFileDialog = OpenFileDialog;
    for (const auto& [name, box] : cases) {
        Items({{1000, 100}});
        std::ofstream(dir_ + "/" + name) << "Load Spectrum\r\n-------------\r\n9\r\n1\r\n5\r\n6\r\n";
        hp.HeadlessFiles().QueueAnswer(dir_ + "/" + name);
        hp.HeadlessMessages().Reset();
        TForm_qyrlk1().Press("mi_fileimport");
        const auto& asked = hp.HeadlessMessages().AskedQuestions();
        EXPECT_EQ(asked.empty() ? "" : asked.back().Request.Text, box) << name;
        EXPECT_EQ(GearPair.LoadSpectrum[1],
                  (box.empty() ? TLoadSpectrumItem{5, 6} : TLoadSpectrumItem{1000, 100}));
        telmvar.Aborted = false;
    }
}

} // namespace
