// The load spectrum file and the editing operations of the load spectrum
// editor.
#include "projectfile_fixture.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "planetary/loadspectrum/loadspectrum.h"
#include "platform/headless/platform_headless.h"

#include <limits>
#include <sys/stat.h>

namespace projfiletest
{
namespace
{

class LoadSpectrumFile : public FileTest
{
  protected:
    void SetItems(std::initializer_list<TLoadSpectrumItem> items)
    {
        GearPair.LoadSpectrumCount = 0;
        for (const auto& it : items)
            GearPair.LoadSpectrum[++GearPair.LoadSpectrumCount] = it;
    }
    TFileFault fault_;
};

TEST_F(LoadSpectrumFile, EmptySpectrumFileHasExactlyFourLines)
{
    GearPair.LoadSpectrumKind = 3;
    ASSERT_TRUE(WriteLoadSpectrumFile(In("e.kol")));
    EXPECT_EQ(ReadAll(In("e.kol")), "Load Spectrum\r\n-------------\r\n3\r\n0\r\n");
}

TEST_F(LoadSpectrumFile, ItemsAreWrittenCyclesFirstThenTorque)
{
    GearPair.LoadSpectrumKind = 2;
    SetItems({{1000, 2500}, {1e6L, 1250.5L}});
    ASSERT_TRUE(WriteLoadSpectrumFile(In("a.kol")));
    EXPECT_EQ(ReadAll(In("a.kol")), "Load Spectrum\r\n-------------\r\n2\r\n2\r\n"
                                    "1000.0000000\r\n2500.0000000\r\n"
                                    "1000000.0000000\r\n1250.5000000\r\n");
}

TEST_F(LoadSpectrumFile, NotANumberIsSavedAsZero)
{
    SetItems({{1000, std::numeric_limits<Extended>::quiet_NaN()}});
    ASSERT_TRUE(WriteLoadSpectrumFile(In("n.kol")));
    EXPECT_EQ(ReadAll(In("n.kol")), "Load Spectrum\r\n-------------\r\n1\r\n1\r\n1000.0000000\r\n0\r\n");
    EXPECT_EQ(error0.ErrorTexts[error0.ErrorCount], "Load spectrum: item 1 is not a number, saved as 0 !");
}

TEST_F(LoadSpectrumFile, FailedSaveKeepsTheOldFile)
{
    // The file name is taken by a directory: nothing can be put in place.
    fs::create_directory(In("taken.kol"));
    SetItems({{1, 2}});
    EXPECT_FALSE(WriteLoadSpectrumFile(In("taken.kol")));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(error0.ErrorTexts[error0.ErrorCount],
              "file " + In("taken.kol") + " cannot be created ! (Is a directory)");
    EXPECT_TRUE(fs::is_directory(In("taken.kol")));
    // A list refused next says its own cause: no box names this file's.
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
    telmvar.Aborted = false;
    SetItems({{1, -2}});
    SaveLoadSpectrum("next");
    EXPECT_EQ(error0.ErrorTexts[error0.ErrorCount],
              "Load spectrum: torque of item 1 -2 outside 0 .. 1e+12, not saved !");
    EXPECT_TRUE(headless.HeadlessMessages().AskedQuestions().empty());
}

TEST_F(LoadSpectrumFile, RoundTripWithDecimalCommas)
{
    wtelmvar.RegionalDecimalSeparator = ',';
    SetItems({{333333.3L, 1234.5678L}, {1e7L / 3, 99.9L}});
    GearPair.LoadSpectrumKind = 4;
    ASSERT_TRUE(WriteLoadSpectrumFile(In("c.kol")));
    const std::string written = ReadAll(In("c.kol"));
    EXPECT_NE(written.find("1234,5678"), std::string::npos);
    wtelmvar.RegionalDecimalSeparator = '.';
    const auto items = GearPair.LoadSpectrum;
    GearPair.LoadSpectrumCount = 0;
    GearPair.LoadSpectrumKind = 0;
    ASSERT_TRUE(ReadLoadSpectrumFile(In("c.kol"), fault_)) << fault_.Reason;
    EXPECT_EQ(GearPair.LoadSpectrumKind, 4);
    ASSERT_EQ(GearPair.LoadSpectrumCount, 2);
    EXPECT_EQ(GearPair.LoadSpectrum[1], items[1]);
    EXPECT_EQ(GearPair.LoadSpectrum[2], items[2]);
    wtelmvar.RegionalDecimalSeparator = ',';
    ASSERT_TRUE(WriteLoadSpectrumFile(In("d.kol")));
    EXPECT_EQ(ReadAll(In("d.kol")), written);
}

// Each damaged file is refused at its line with the reason, and the working
// list stays as it was. Negative and huge values used to be taken as they
// stood (a negative torque turns the life calculation's powers into no
// number), and lines after the counted items were dropped without a word.
TEST_F(LoadSpectrumFile, RefusedFilesLeaveTheWorkingListAlone)
{
    struct Case {
        const char* what;
        std::string bytes;
        int line;
        const char* reason;
    };
    const std::string head = "Load Spectrum\r\n-------------\r\n";
    const Case cases[] = {
        {"a project file", "-----\r\n", 1, "\"Load Spectrum\" expected"},
        {"empty file", "", 1, "the file ends here"},
        {"second heading", "Load Spectrum\r\n----\r\n", 2, "\"-------------\" expected"},
        {"kind garbled", head + "x\r\n", 3, "whole number expected"},
        {"kind negative", head + "-1\r\n", 3, "life material record -1 outside 0 .. 1000000"},
        {"kind beyond 32 bits", head + "99999999999\r\n", 3, "life material record 99999999999 outside"},
        {"129 items", head + "1\r\n129\r\n", 4, "number of items 129 outside 0 .. 128"},
        {"negative count", head + "1\r\n-2\r\n", 4, "number of items -2 outside 0 .. 128"},
        {"cut inside the items", head + "1\r\n2\r\n1000\r\n50\r\n2000\r\n", 8, "the file ends here"},
        {"torque garbled", head + "1\r\n1\r\n1000\r\n50 Nm\r\n", 6, "number expected"},
        {"torque negative", head + "1\r\n1\r\n1000\r\n-50\r\n", 6, "torque of item 1 -50 outside 0 .. 1e+12"},
        {"torque 1e4000", head + "1\r\n1\r\n1000\r\n1e4000\r\n", 6, "torque of item 1 1e4000 outside"},
        {"cycles negative", head + "1\r\n1\r\n-1000\r\n50\r\n", 5,
         "load cycles of item 1 -1000 outside 0 .. 1e+30"},
        {"cycles infinite", head + "1\r\n1\r\ninf\r\n50\r\n", 5, "number expected"},
        {"more items than counted", head + "1\r\n1\r\n1000\r\n50\r\n2000\r\n40\r\n", 7,
         "the file should end after item 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetItems({{5, 6}, {7, 8}, {9, 10}});
        GearPair.LoadSpectrumKind = 12;
        const auto before = GearPair.LoadSpectrum;
        WriteAll(In("bad.kol"), c.bytes);
        EXPECT_FALSE(ReadLoadSpectrumFile(In("bad.kol"), fault_));
        EXPECT_EQ(fault_.Line, c.line) << fault_.Reason;
        EXPECT_NE(fault_.Reason.find(c.reason), std::string::npos) << fault_.Reason;
        EXPECT_EQ(GearPair.LoadSpectrumCount, 3);
        EXPECT_EQ(GearPair.LoadSpectrumKind, 12);
        EXPECT_EQ(GearPair.LoadSpectrum, before);
    }
}

TEST_F(LoadSpectrumFile, BlankLinesAfterTheLastItemAreLeftAlone)
{
    WriteAll(In("b.kol"), "Load Spectrum\r\n-------------\r\n1\r\n1\r\n1000\r\n50\r\n\r\n  \r\n");
    EXPECT_TRUE(ReadLoadSpectrumFile(In("b.kol"), fault_)) << fault_.Reason;
    EXPECT_EQ(GearPair.LoadSpectrumCount, 1);
}

// A list the reader would refuse is not saved, and the old file stays.
TEST_F(LoadSpectrumFile, ValuesOutsideTheirRangeAreNeverWritten)
{
    WriteAll(In("a.kol"), "old contents");
    SetItems({{1000, 50}, {2000, -40}});
    EXPECT_FALSE(WriteLoadSpectrumFile(In("a.kol")));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(error0.ErrorTexts[error0.ErrorCount],
              "Load spectrum: torque of item 2 -40 outside 0 .. 1e+12, not saved !");
    EXPECT_EQ(ReadAll(In("a.kol")), "old contents");
}

// Pipes and devices are refused at once, without waiting or reading on.
TEST_F(LoadSpectrumFile, PipesAndDevicesAreRefused)
{
    ASSERT_EQ(::mkfifo(In("fifo.kol").c_str(), 0600), 0);
    for (const std::string& path : {In("fifo.kol"), std::string("/dev/urandom")}) {
        EXPECT_FALSE(ReadLoadSpectrumFile(path, fault_)) << path;
        EXPECT_EQ(fault_.Reason, "not a regular file (a pipe or a device), not read") << path;
    }
}

TEST_F(LoadSpectrumFile, FileCommandsUseTheKolExtension)
{
    SetItems({{100, 200}});
    SaveLoadSpectrum("duty");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(fs::exists(In("duty.kol")));
    EXPECT_EQ(telmvar.DataExt, "qy7") << "the data extension is restored";
    GearPair.LoadSpectrumCount = 0;
    ReadLoadSpectrum("duty");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(GearPair.LoadSpectrumCount, 1);

    WriteAll(In("cut.kol"), "Load Spectrum\r\n");
    telmvar.MessagesEnabled = false; // no box: the refusal goes to the message list
    ReadLoadSpectrum("cut");
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(error0.ErrorTexts[error0.ErrorCount],
              "file " + In("cut.kol") + " line 2: the file ends here, more lines were expected !");
    EXPECT_EQ(GearPair.LoadSpectrumCount, 1);
}

// ---- editor -----------------------------------------------------------------

class LoadSpectrumEditing : public LoadSpectrumFile
{
};

TEST_F(LoadSpectrumEditing, ChoiceFromTheListDialog)
{
    // Action codes of the list dialog, with 4 items and line 2 selected.
    EXPECT_EQ(LoadSpectrumChoice(1, 2, 4), 5) << "new";
    EXPECT_EQ(LoadSpectrumChoice(2, 2, 4), 6) << "insert";
    EXPECT_EQ(LoadSpectrumChoice(3, 2, 4), 7) << "delete";
    EXPECT_EQ(LoadSpectrumChoice(6, 2, 4), 8) << "factor";
    EXPECT_EQ(LoadSpectrumChoice(7, 2, 4), 9) << "load";
    EXPECT_EQ(LoadSpectrumChoice(8, 2, 4), 10) << "save";
    EXPECT_EQ(LoadSpectrumChoice(9, 2, 4), 2) << "modify the selected line";
    EXPECT_EQ(LoadSpectrumChoice(9, 0, 4), 1) << "modify without a selection";
    EXPECT_EQ(LoadSpectrumChoice(10, 3, 4), 3) << "double click";
    EXPECT_EQ(LoadSpectrumChoice(0, 2, 4), 11) << "OK leaves";
}

TEST_F(LoadSpectrumEditing, ListLines)
{
    SetItems({{1e6L, 1500}, {25000, 12.25L}});
    const auto lines = LoadSpectrumListLines(GearPair.LoadSpectrum, GearPair.LoadSpectrumCount);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "001:    T=  1500.0 Nm       N= 1000000");
    EXPECT_EQ(lines[1], "002:    T=    12.2 Nm       N=   25000") << "halves round to even";
    EXPECT_TRUE(LoadSpectrumListLines(GearPair.LoadSpectrum, 0).empty())
        << "an empty spectrum, an empty list";
}

TEST_F(LoadSpectrumEditing, NewItemBeyond128IsRefused)
{
    GearPair.LoadSpectrumCount = LoadSpectrumMax;
    TLoadSpectrumEditor ed;
    EXPECT_FALSE(ed.BeginNew());
    EXPECT_EQ(ed.Message(), "too many items !");
    EXPECT_EQ(GearPair.LoadSpectrumCount, 128);
    EXPECT_FALSE(ed.BeginInsert(1));
    EXPECT_EQ(ed.Message(), "maximum is 128");
    EXPECT_EQ(GearPair.LoadSpectrumCount, 128);
}

TEST_F(LoadSpectrumEditing, NewItemStoredWithOk)
{
    SetItems({{1000, 500}});
    TLoadSpectrumEditor ed;
    ASSERT_TRUE(ed.BeginNew());
    EXPECT_EQ(ed.EditIndex(), 2);
    EXPECT_EQ(GearPair.LoadSpectrumCount, 2) << "the list shows the new place";
    ed.TorqueText = "250";
    ed.CyclesText = "2e6";
    ed.OkItem();
    EXPECT_EQ(GearPair.LoadSpectrum[2].T, 250);
    EXPECT_EQ(GearPair.LoadSpectrum[2].N, 2e6L);
}

TEST_F(LoadSpectrumEditing, CancelledNewItemLeavesTheSpectrumUnchanged)
{
    SetItems({{1000, 500}, {2000, 400}});
    GearPair.LoadSpectrum[3] = {77, 88}; // what stood behind the last item
    const auto before = GearPair.LoadSpectrum;
    TLoadSpectrumEditor ed;
    ASSERT_TRUE(ed.BeginNew());
    ed.TorqueText = "1";
    ed.CancelItem();
    EXPECT_EQ(GearPair.LoadSpectrumCount, 2);
    EXPECT_EQ(GearPair.LoadSpectrum, before);
}

TEST_F(LoadSpectrumEditing, InsertAtOneCopiesTheFirstItemUntilChanged)
{
    SetItems({{1000, 500}, {2000, 400}, {3000, 300}});
    TLoadSpectrumEditor ed;
    ASSERT_TRUE(ed.BeginInsert(1));
    EXPECT_EQ(GearPair.LoadSpectrumCount, 4);
    EXPECT_EQ(GearPair.LoadSpectrum[1], GearPair.LoadSpectrum[2]);
    EXPECT_EQ(GearPair.LoadSpectrum[4], (TLoadSpectrumItem{3000, 300}));
    ed.TorqueText = "600";
    ed.OkItem();
    EXPECT_EQ(GearPair.LoadSpectrum[1].T, 600);
    EXPECT_EQ(GearPair.LoadSpectrum[1].N, 1000) << "the unchanged field keeps the copied value";
    EXPECT_EQ(GearPair.LoadSpectrum[2], (TLoadSpectrumItem{1000, 500}));

    const auto before = GearPair.LoadSpectrum;
    ASSERT_TRUE(ed.BeginInsert(2));
    ed.CancelItem();
    EXPECT_EQ(GearPair.LoadSpectrumCount, 4);
    EXPECT_EQ(GearPair.LoadSpectrum, before) << "a cancelled insert moves nothing";
}

TEST_F(LoadSpectrumEditing, OkWithoutChangeKeepsTheValueExactly)
{
    SetItems({{1234567.89L, 1234.5678L}});
    TLoadSpectrumEditor ed;
    ASSERT_TRUE(ed.BeginModify(1));
    EXPECT_EQ(ed.TorqueText, "1235") << "shown rounded";
    EXPECT_EQ(ed.CyclesText, "1234568");
    ed.OkItem();
    EXPECT_EQ(GearPair.LoadSpectrum[1].T, 1234.5678L);
    EXPECT_EQ(GearPair.LoadSpectrum[1].N, 1234567.89L);
}

TEST_F(LoadSpectrumEditing, NominalTorqueAndPreviousCycles)
{
    SetItems({{4000, 10}, {9000, 20}});
    GearPair.T[1] = 2750;
    TLoadSpectrumEditor ed;
    ASSERT_TRUE(ed.BeginModify(2));
    ed.SetNominalTorque();
    ed.SetPreviousCycles();
    ed.OkItem();
    EXPECT_EQ(GearPair.LoadSpectrum[2].T, 2750);
    EXPECT_EQ(GearPair.LoadSpectrum[2].N, 4000);
}

TEST_F(LoadSpectrumEditing, DeleteMovesTheLaterItemsDown)
{
    SetItems({{1, 10}, {2, 20}, {3, 30}});
    TLoadSpectrumEditor ed;
    EXPECT_TRUE(ed.Delete(2));
    EXPECT_EQ(GearPair.LoadSpectrumCount, 2);
    EXPECT_EQ(GearPair.LoadSpectrum[2], (TLoadSpectrumItem{3, 30}));
    EXPECT_FALSE(ed.Delete(3));
    GearPair.LoadSpectrumCount = 0;
    EXPECT_FALSE(ed.Delete(1)) << "nothing to delete in an empty spectrum";
    EXPECT_EQ(GearPair.LoadSpectrumCount, 0);
}

TEST_F(LoadSpectrumEditing, ScaleWithinTheAcceptedFactors)
{
    SetItems({{1000, 500}, {3000, 250}});
    TLoadSpectrumEditor ed;
    EXPECT_TRUE(ed.Scale(2, 0.5L));
    EXPECT_EQ(GearPair.LoadSpectrum[1], (TLoadSpectrumItem{2000, 250}));
    EXPECT_EQ(GearPair.LoadSpectrum[2], (TLoadSpectrumItem{6000, 125}));
    EXPECT_TRUE(ed.Scale(1e-12L, 1e12L)) << "the limits themselves are accepted";
    const auto before = GearPair.LoadSpectrum;
    EXPECT_FALSE(ed.Scale(0.99e-12L, 1));
    EXPECT_FALSE(ed.Scale(1, 1.01e12L));
    EXPECT_FALSE(ed.Scale(0, 1));
    EXPECT_EQ(ed.Message(), "Valid Data are: 1e-12 .. 1e12");
    EXPECT_EQ(GearPair.LoadSpectrum, before);
}

} // namespace
} // namespace projfiletest
