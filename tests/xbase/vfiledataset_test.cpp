// The virtual-file dataset: its structure from DbfFields, key order without
// a key maker, filling from and saving to a DBF file (read back by dbfread).
#include "browser_fixture.h"
#include "common/validators.h"

#include "xbase/dbf/dbffile.h"
#include "xbase/vfile/dbvfile.h"
#include "xbase/vfile/vfiledataset.h"

#include "platform/notewindow.h"

#include <sstream>

namespace
{

namespace fs = std::filesystem;

class VFileDataSet : public BrowserTest
{
  protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        InitXbaseLibrary();
        InstallVFileDriver();
        vf.DbfFields = {"NAME, C, 8, 0", "QTY, N, 5, 0", "PRICE, N, 8, 2", "OK, L, 1, 0"};
        vf.SetDbfFileName(Path("stock.dbf"));
    }
    void TearDown() override
    {
        vf.Close();
        BrowserTest::TearDown();
    }
    void Add(const std::string& name, int qty)
    {
        ASSERT_TRUE(vf.SetFieldText("NAME", name));
        ASSERT_TRUE(vf.SetFieldInt("QTY", qty));
        ASSERT_TRUE(vf.SetFieldFloat("PRICE", qty * 1.5));
        ASSERT_TRUE(vf.SetFieldBool("OK", qty % 2 == 0));
        ASSERT_TRUE(vf.AppendWithLock());
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> out;
        for (int32_t r = 1; r <= vf.RecordCount(); ++r) {
            vf.Go(r);
            out.push_back(vf.AsString(1));
        }
        return out;
    }
    TTzVFile vf{"TzVFile1"};
};

TEST_F(VFileDataSet, AscendingWithoutKeyMakerOrdersByField1)
{
    vf.SetAppendMode(LStatusType::ASCENDING);
    ASSERT_TRUE(vf.Open()) << dberror.DbErrorText;
    for (const char* n : {"pear", "apple", "fig", "banana"})
        Add(n, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"apple", "banana", "fig", "pear"}));
    EXPECT_TRUE(vf.Modified());
}

TEST_F(VFileDataSet, FifoKeepsTheAppendOrder)
{
    ASSERT_TRUE(vf.Open()) << dberror.DbErrorText;
    for (const char* n : {"pear", "apple", "fig"})
        Add(n, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"pear", "apple", "fig"}));
}

TEST_F(VFileDataSet, AnEntryWithTwoCommasFailsTheOpen)
{
    vf.DbfFields = {"NAME, C, 8, 0", "QTY, N, 5"};
    EXPECT_FALSE(vf.Open());
    EXPECT_FALSE(vf.Active());
    vf.DbfFields = {"NAME, C, 8, 0, 1"};
    EXPECT_FALSE(vf.Open());
}

TEST_F(VFileDataSet, SaveToDiskWritesOnlyWhenModifiedAndDbfreadReadsIt)
{
    vf.SaveToDisk = true;
    ASSERT_TRUE(vf.Open());
    vf.Close();
    EXPECT_FALSE(fs::exists(Path("stock.dbf"))) << "nothing changed, nothing written";
    ASSERT_TRUE(vf.Open());
    Add("bolt", 12);
    Add("nut", 3);
    vf.Close();
    ASSERT_TRUE(fs::exists(Path("stock.dbf")));
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find("stock.dbf.$"), std::string::npos)
            << "temporary file left";
    if (!PythonHas("dbfread")) QYR7_VALIDATOR_MISSING("python3-dbfread not installed");
    const std::string out =
        Run("/usr/bin/python3 -c \"import dbfread; print([tuple(r.values()) for r in dbfread.DBF('" +
            Path("stock.dbf") + "')])\" 2>&1");
    EXPECT_EQ(out, "[('bolt', 12, 18.0, True), ('nut', 3, 4.5, False)]\n");
}

TEST_F(VFileDataSet, PopulateFromDiskReadsTheTableAndStartsUnmodified)
{
    vf.SaveToDisk = true;
    ASSERT_TRUE(vf.Open());
    Add("b", 2);
    Add("a", 1);
    vf.Close();
    TTzVFile again{"again"};
    again.DbfFields = vf.DbfFields;
    again.SetDbfFileName(Path("stock.dbf"));
    again.PopulateFromDisk = true;
    again.SetAppendMode(LStatusType::ASCENDING);
    ASSERT_TRUE(again.Open());
    ASSERT_EQ(again.RecordCount(), 2);
    again.Go(1);
    EXPECT_EQ(again.AsString(1), "a");
    EXPECT_EQ(again.AsInteger(2), 1);
    EXPECT_FALSE(again.Modified());
    again.Close();
}

TEST_F(VFileDataSet, CopiesOfAHundredRecordsOrMoreShowTheirProgress)
{
    // Records, lines shown by each window: the full bar, then a step every
    // hundredth of the records (250: every second record).
    const std::pair<int, std::size_t> cases[] = {{99, 0}, {100, 101}, {250, 126}};
    for (const auto& [records, lines] : cases) {
        fs::remove(Path("stock.dbf"));
        std::ostringstream echo;
        std::ostream* previous = platform::SetHeadlessNoteEcho(&echo);
        vf.SaveToDisk = vf.PopulateFromDisk = true;
        ASSERT_TRUE(vf.Open());
        for (int i = 0; i < records; ++i)
            Add("n", i);
        vf.Close();             // writes
        ASSERT_TRUE(vf.Open()); // reads
        vf.Close();
        platform::SetHeadlessNoteEcho(previous);
        for (const std::string title : {"Writing to disk... ", "Reading from disk... "}) {
            std::size_t count = 0;
            for (std::size_t at = 0; (at = echo.str().find(title, at)) != title.npos; at += title.size())
                ++count;
            EXPECT_EQ(count, lines) << title << records;
        }
    }
}

} // namespace
