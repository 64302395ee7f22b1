// Every catalogue: the first, a middle and the last row drawn into block
// "LAGER1" of a DXF file. ezdxf's auditor finds no error, every outline on
// layer 5 is closed, every point lies within the bearing's width and outer
// diameter and is a number, the outlines and centre lines of the lower
// half mirror the upper ones, and HatchMode is back at 1. A picture of
// each type goes into the test log.
#include "bearingtestsupport.h"

#include <iostream>

using namespace bearingtest;

namespace
{

struct TTableCase {
    int type;
    const char* table;
    int which; // 0 first, 1 middle, 2 last
};

std::string CaseName(const ::testing::TestParamInfo<TTableCase>& Info)
{
    static const char* which[] = {"first", "middle", "last"};
    return std::string(Info.param.table) + "_" + which[Info.param.which];
}

class BearingTables : public BearingFixture, public ::testing::WithParamInterface<TTableCase>
{
};

TEST_P(BearingTables, DrawnRowPassesTheChecks)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    const TTableCase c = GetParam();
    const auto rows = CatalogueRows(c.table);
    ASSERT_GE(rows.size(), 3u);
    const size_t index = c.which == 0 ? 0 : c.which == 1 ? rows.size() / 2 : rows.size() - 1;
    const WaelzLagerTyp r = RecordFromRow(c.type, rows[index]);
    ASSERT_EQ(r.BearingType, c.type);
    const TBearingDrawingData b = BearingDrawingData(r);
    ClearErrorMessages();
    const std::string path = WriteBlock([&] { BearingDraw(r, 1); });
    EXPECT_EQ(hatchstate.HatchMode, 1);
    EXPECT_TRUE(CollectedMessages().empty()) << CollectedMessages().front().Text;

    std::ostringstream args;
    args.precision(17);
    args << "check " << std::max(b.B, b.T) << " " << b.D / 2 << (c.which == 1 ? " png" : "");
    const TDxfView v = Read(path, args.str());
    ASSERT_FALSE(v.lines.empty());
    EXPECT_EQ(v.lines[0], "audit errors=0 fixes=0") << r.Designation;
    EXPECT_TRUE(v.Has("check failures 0")) << r.Designation;
    for (const auto& l : v.lines) {
        if (l.rfind("check ", 0) == 0 && l != "check failures 0") ADD_FAILURE() << r.Designation << ": " << l;
        if (l.rfind("error ", 0) == 0 || l.rfind("fix ", 0) == 0) ADD_FAILURE() << r.Designation << ": " << l;
        if (l.rfind("png ", 0) == 0)
            std::cout << "section of " << r.Designation << " (type " << c.type
                      << "), PNG base64: " << l.substr(4) << "\n";
    }
    // Outlines, centre lines, hatching and the designation are all there.
    // (The needle cage has no ring: its rollers are arcs and lines.)
    if (c.type != 10) {
        EXPECT_FALSE(v.Of("POLYLINE", "5").empty()) << r.Designation;
    }
    EXPECT_FALSE(v.Of("LINE", "1").empty()) << r.Designation;
    EXPECT_FALSE(v.Of("LINE", "3").empty()) << r.Designation;
    const auto texts = v.Of("TEXT", "19");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, r.Designation);
}

std::vector<TTableCase> Cases()
{
    const std::pair<int, const char*> tables[] = {
        {1, "rikula"}, {2, "pekula"}, {3, "nadelhul"}, {4, "nalaoi"},  {5, "zyrola"},
        {6, "kerola"}, {7, "perola"}, {8, "schrkula"}, {9, "schrku2"}, {10, "nadelk"}};
    std::vector<TTableCase> cases;
    for (const auto& [type, table] : tables)
        for (int which = 0; which < 3; ++which)
            cases.push_back({type, table, which});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Catalogues, BearingTables, ::testing::ValuesIn(Cases()), CaseName);

} // namespace
