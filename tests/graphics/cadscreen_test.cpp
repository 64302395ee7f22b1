// The screen device on the program's own surface: the drawing facade and its
// display list. A block inserted through its file must leave exactly the
// records that drawing its entities, transformed, leaves.
#include "cadtestsupport.h"

#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"

namespace
{

class CadDisplayListTest : public CadTest
{
  protected:
    void SetUp() override
    {
        CadTest::SetUp();
        SetCadScreen(nullptr);
        cadsettings.SheetShowFooter = true;
    }
    std::vector<std::string> RecordsFrom(size_t Mark) const
    {
        const auto& r = DisplayList.Records;
        return std::vector<std::string>(r.begin() + static_cast<long>(Mark), r.end());
    }
};

TEST_F(CadDisplayListTest, InsertLeavesTheRecordsOfTheTransformedEntities)
{
    CadOpenOutput(3);
    CadBeginDrawingDefault();
    CadWriteTables(0);
    CadBeginBlocks();
    CadBeginBlock("GEAR");
    CadSetLayer(5);
    CadLine(0, 0, 10, 0);
    CadCircle(0, 0, 2);
    CadArc(0, 0, 0, 90, 4);
    CadSolid(1, 1, 2, 1, 1, 2, 2, 2);
    CadSetTextStyle(2, 0, 3, 3);
    CadText(0, 5, "z\xF8");
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();

    CadSetLayer(5);
    size_t mark = DisplayList.Records.size();
    CadInsertBlock("gear", 50, 50, 0, 1, 1);
    CadInsertBlock("GEAR", 100, 50, 90, 2, 2);
    const std::vector<std::string> inserted = RecordsFrom(mark);
    ASSERT_FALSE(inserted.empty());

    // (x, y) -> (50 + x, 50 + y); then turned by 90 degrees and doubled:
    // (100 - 2y, 50 + 2x).
    CadSetLineStyle(0);
    CadSetLayer(5);
    mark = DisplayList.Records.size();
    CadLine(50, 50, 60, 50);
    CadCircle(50, 50, 2);
    CadArc(50, 50, 0, 90, 4);
    CadSolid(51, 51, 52, 51, 51, 52, 52, 52);
    CadSetTextStyle(2, 0, 3, 3);
    CadTextAt(50, 55, "z\xF8");
    CadLine(100, 50, 100, 70);
    CadCircle(100, 50, 4);
    CadArc(100, 50, 90, 180, 8);
    CadSolid(98, 52, 98, 54, 96, 52, 96, 54);
    CadSetTextStyle(2, 90, 6, 6);
    CadTextAt(90, 50, "z\xF8");
    EXPECT_EQ(inserted, RecordsFrom(mark));
    CadCloseOutput();
}

TEST_F(CadDisplayListTest, PauseAndSolidOrderAreRecorded)
{
    CadOpenOutput(3);
    CadBeginDrawingDefault();
    CadBeginEntities();
    const size_t mark = DisplayList.Records.size();
    CadSolid(0, 0, 10, 0, 0, 5, 10, 5);
    CadPause(50);
    EXPECT_EQ(RecordsFrom(mark), (std::vector<std::string>{"7;0;0;10;0;10;5;0;5", "13;50"}));
    CadCloseOutput();
}

} // namespace
