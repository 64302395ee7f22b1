// Virtual files: queues, stacks, insertion and key order, removing, packing
// and the field list, through the command set and the list routines.
#include "xbase/vfile/dbvfile.h"

#include "table_fixture.h"

#include <cstring>

namespace
{

// Records of 6 bytes: the delete flag, a key of 4 characters and a tag.
class VFileTest : public TableTest
{
  protected:
    void SetUp() override
    {
        TableTest::SetUp();
        InstallVFileDriver();
    }
    void TearDown() override
    {
        CloseAll();
        TableTest::TearDown();
    }

    void Open(const std::string& order)
    {
        ASSERT_TRUE(UseFile("Q VIRTUAL FILE " + order, buf, sizeof buf)) << dberror.DbErrorText;
    }
    // Key text cut or padded to 4 characters, tag one letter.
    void Put(const std::string& key, char tag = ' ')
    {
        std::memset(buf, ' ', sizeof buf);
        buf[0] = 0;
        std::memcpy(buf + 1, key.data(), std::min<std::size_t>(key.size(), 4));
        buf[5] = static_cast<uint8_t>(tag);
    }
    void Add(const std::string& key, char tag = ' ')
    {
        Put(key, tag);
        Append();
    }
    std::string Key() const { return AllTrim(std::string(reinterpret_cast<const char*>(buf + 1), 4)); }
    std::string Record() const
    {
        return Key() + (buf[5] != ' ' ? std::string(1, static_cast<char>(buf[5])) : "");
    }
    // Every record in list order.
    std::vector<std::string> All()
    {
        std::vector<std::string> out;
        for (int32_t r = 1; r <= RecCount(); ++r) {
            GO(r);
            out.push_back(Record());
        }
        return out;
    }
    void UseKeys()
    {
        Set_VFileKey_To([this](void*) { return std::string(reinterpret_cast<const char*>(buf + 1), 4); },
                        nullptr);
    }

    uint8_t buf[6] = {};
};

using Strings = std::vector<std::string>;

TEST_F(VFileTest, FifoIsAQueue)
{
    Open("FIFO");
    for (const char* k : {"A", "B", "C"})
        Add(k);
    EXPECT_EQ(RecCount(), 3);
    Strings popped;
    for (int i = 0; i < 3; ++i) {
        PopRec();
        popped.push_back(Record());
    }
    EXPECT_EQ(popped, (Strings{"A", "B", "C"}));
    EXPECT_EQ(RecCount(), 0);
    EXPECT_TRUE(dEOF());
    PopRec();
    EXPECT_EQ(dberror.DbErrorCode, 1100);
    EXPECT_EQ(dberror.DbErrorText, "Virtual file empty - no more records to POP from Q [(PopRec) VFiles]");
}

TEST_F(VFileTest, LifoIsAStack)
{
    Open("LIFO");
    for (const char* k : {"A", "B", "C"})
        Add(k);
    EXPECT_EQ(All(), (Strings{"C", "B", "A"}));
    Strings popped;
    for (int i = 0; i < 3; ++i) {
        PopRec();
        popped.push_back(Record());
    }
    EXPECT_EQ(popped, (Strings{"C", "B", "A"}));
}

TEST_F(VFileTest, AscendingKeysOrderNumbersByValueAndEqualKeysByArrival)
{
    Open("ASCENDING");
    UseKeys();
    Add("10", 'a');
    Add("9", 'b');
    Add("9", 'c');
    EXPECT_EQ(All(), (Strings{"9b", "9c", "10a"}));
    PopRec();
    EXPECT_EQ(Record(), "9b") << "the smallest key first";
}

TEST_F(VFileTest, AscendingTextKeysOrderByBytes)
{
    Open("ASCENDING");
    UseKeys();
    for (const char* k : {"b", "a10", "a9"})
        Add(k);
    EXPECT_EQ(All(), (Strings{"a10", "a9", "b"}));
}

TEST_F(VFileTest, DescendingKeys)
{
    Open("DESCENDING");
    UseKeys();
    Add("2", 'a');
    Add("7", 'b');
    Add("2", 'c');
    Add("5", 'd');
    EXPECT_EQ(All(), (Strings{"7b", "5d", "2a", "2c"}));
}

TEST_F(VFileTest, SortedOrderWithoutKeyMakerIsRefused)
{
    Open("ASCENDING");
    Add("1");
    EXPECT_EQ(dberror.DbErrorCode, 1100);
    EXPECT_EQ(dberror.DbErrorText,
              "Q is a \"Sorted\" virtual file with no keymaker function. [Append/InsertRec/PushRec]");
    EXPECT_EQ(RecCount(), 0);
}

TEST_F(VFileTest, InsertionPutsTheNewRecordAtTheCurrentNumber)
{
    Open("INSERTION");
    for (const char* k : {"1", "2", "3", "4", "5"})
        Add(k);
    // Each insertion at the current record: 1 went first, then each new
    // one before the one added last.
    GO(3);
    const std::string oldThird = Record();
    Add("new");
    EXPECT_EQ(RecNo(), 3);
    EXPECT_EQ(RecCount(), 6);
    GO(3);
    EXPECT_EQ(Record(), "new");
    GO(4);
    EXPECT_EQ(Record(), oldThird);
    PopRec();
    EXPECT_EQ(dberror.DbErrorText, "Cannot POP a record in INSERTION mode from Q [(PopRec) VFiles]");
}

TEST_F(VFileTest, RemovingTheLastRecordMakesTheNewLastCurrent)
{
    Open("FIFO");
    for (const char* k : {"A", "B", "C"})
        Add(k);
    GO(3);
    SnipRec();
    EXPECT_EQ(RecCount(), 2);
    EXPECT_EQ(RecNo(), 2);
    GO(1);
    SnipRec();
    EXPECT_EQ(RecNo(), 1) << "the following record takes the number";
    EXPECT_EQ(All(), (Strings{"B"}));
}

TEST_F(VFileTest, NonEmptyFifoIsSortedBySortVFileNotBySwitching)
{
    Open("FIFO");
    UseKeys();
    for (const char* k : {"3", "1", "2"})
        Add(k);
    Set_VFileMode_To(VFileAscending);
    EXPECT_EQ(dberror.DbErrorCode, 1100);
    EXPECT_EQ(dberror.DbErrorText,
              "Cannot set a sort mode on a virtual file containing records. (Q) [(Set_VFileMode_To) VFiles]");
    EXPECT_EQ(Get_VFileMode(), VFileFifo);
    Set_VFileMode_To(VFileLifo);
    EXPECT_EQ(Get_VFileMode(), VFileLifo) << "not a switch to a sorted order";
    SortVFile(VFileAscending);
    EXPECT_EQ(Get_VFileMode(), VFileAscending);
    EXPECT_EQ(RecNo(), 1);
    EXPECT_EQ(All(), (Strings{"1", "2", "3"}));
    Add("0");
    EXPECT_EQ(All(), (Strings{"0", "1", "2", "3"}));
    SortVFile(VFileFifo);
    EXPECT_EQ(dberror.DbErrorCode, 220);
}

TEST_F(VFileTest, DeleteRecallAndPackThroughTheCommandSet)
{
    Open("FIFO");
    for (const char* k : {"A", "B", "C", "D"})
        Add(k);
    GO(2);
    DeleteRec();
    EXPECT_EQ(buf[0], 1);
    GO(4);
    DeleteRec();
    GO(4);
    RecallRec();
    GO(3);
    DeleteRec();
    ASSERT_TRUE(Pack());
    EXPECT_EQ(RecCount(), 2);
    EXPECT_EQ(RecNo(), 1);
    EXPECT_EQ(All(), (Strings{"A", "D"}));
}

TEST_F(VFileTest, ReplacedRecordMovesWhenItsKeyLeavesItsPlace)
{
    Open("ASCENDING");
    UseKeys();
    for (const char* k : {"1", "3", "5"})
        Add(k);
    GO(2);
    Put("4");
    Replace();
    EXPECT_EQ(All(), (Strings{"1", "4", "5"})) << "still between its neighbours";
    GO(1);
    Put("9");
    Replace();
    EXPECT_EQ(All(), (Strings{"4", "5", "9"}));
}

TEST_F(VFileTest, PositionOutsideTheFileIsError212)
{
    Open("FIFO");
    Add("A");
    TWorkArea* a = SelectedArea();
    a->VirtualOp = VirtualRead;
    a->VirtualArg = 5;
    VFileDriver(a->AreaNo);
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(dberror.DbErrorText,
              "Attempted to position to record number 5  Database record count is 1Q [VFiles]");
}

TEST_F(VFileTest, VariableLengthRecordsKeepTheirLengths)
{
    uint8_t var[16] = {};
    ASSERT_TRUE(UseFile("V LINKED LIST FIFO", var, 0)) << dberror.DbErrorText;
    auto put = [&](const std::string& s) {
        const uint16_t n = static_cast<uint16_t>(s.size() + 1);
        std::memcpy(var, &n, 2);
        var[2] = 0;
        std::memcpy(var + 3, s.data(), s.size());
        Append();
    };
    put("short");
    put("a longer one");
    GO(1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(var + 3), 5), "short");
    DeleteRec();
    EXPECT_EQ(var[2], 1) << "the delete flag is byte 2";
    GO(2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(var + 3), 12), "a longer one");
    ASSERT_TRUE(Pack());
    EXPECT_EQ(RecCount(), 1);
}

TEST_F(VFileTest, FieldListIsCheckedAndNormalised)
{
    Open("FIFO");
    AddStru({{"name", 'c', 20, 0, 0}, {"made", 'd', 0, 0, 0}, {"ok", 'L', 0, 0, 0}, {"note", 'M', 0, 3, 0}});
    ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    const auto& list = VFileFieldList();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].Name, "NAME");
    EXPECT_EQ(list[0].Type, 'C');
    EXPECT_EQ(list[1].Length, 8);
    EXPECT_EQ(list[2].Length, 1);
    EXPECT_EQ(list[3].Type, 'N');
    EXPECT_EQ(list[3].Length, 10);
    EXPECT_EQ(list[3].Decimals, 0);
    AddStru({{"qty", 'N', 0, 0, 0}});
    EXPECT_EQ(dberror.DbErrorCode, 211);
    EXPECT_EQ(dberror.DbErrorText,
              "Invalid length, field name: \"QTY\" in VFile field list. Alias= Q [AddStru]");
    AddStru({{"x", 'Z', 3, 0, 0}});
    EXPECT_EQ(dberror.DbErrorText, "Invalid type \"Z\" in VFile field list. Alias= Q [AddStru]");
    EXPECT_EQ(VFileFieldList().size(), 4u) << "a refused list leaves the old one";
}

TEST_F(VFileTest, ListRoutinesNeedAVirtualFile)
{
    Select(2);
    SnipRec();
    EXPECT_EQ(dberror.DbErrorCode, 215);
    EXPECT_EQ(dberror.DbErrorText, "No database in use [SnipRec]  WorkArea = 2");
    CreateAndUse(2, "real.dbf", {{"ID", 'N', 4, 0, 0}});
    AddStru({{"A", 'C', 1, 0, 0}});
    EXPECT_EQ(dberror.DbErrorCode, 1100);
    EXPECT_EQ(dberror.DbErrorText, "REAL is not a virtual file. [AddStru]");
}

} // namespace
