// Line pictures judged by an independent reader: hp2xx turns each test
// picture into a DXF file, ezdxf reads its LINE entities, and those must be
// the line records our reader put into the display list. hp2xx moves a
// picture to its lower left corner, so both sides are shifted there first.
#include "common/validators.h"
#include "foundation/programstate.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/tempdir.h"
#include "hpgltesthelpers.h"

namespace
{

namespace fs = std::filesystem;

using Segment = std::array<double, 4>;

const char* const kPictures[] = {"hp2xx_lines.plt", "hp2xx_pe64.plt", "hp2xx_pe32.plt"};

std::vector<Segment> ShiftedToLowerLeft(std::vector<Segment> segments)
{
    double minX = 1e300;
    double minY = 1e300;
    for (const auto& s : segments) {
        minX = std::min({minX, s[0], s[2]});
        minY = std::min({minY, s[1], s[3]});
    }
    for (auto& s : segments) {
        s[0] -= minX;
        s[2] -= minX;
        s[1] -= minY;
        s[3] -= minY;
    }
    return segments;
}

class HpglAgainstHp2xx : public HpglDisplayListTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    void SetUp() override
    {
        HpglDisplayListTest::SetUp();
        dir_ = testdirs::MakeTempDir("hpgl_hp2xx");
        ASSERT_FALSE(dir_.empty());
    }
    void TearDown() override
    {
        testdirs::RemoveTempDir(dir_.string());
        HpglDisplayListTest::TearDown();
    }

    // The LINE entities of hp2xx's DXF, read by ezdxf.
    std::vector<Segment> Hp2xxLines(const std::string& picture)
    {
        const std::string dxf = (dir_ / "picture.dxf").string();
        const std::string lines = (dir_ / "lines.txt").string();
        // hp2xx keeps an output name of a limited length: it is given one
        // inside the directory it runs in.
        const std::string convert = "cd '" + dir_.string() +
                                    "' && /usr/bin/hp2xx -q -t -m dxf -f picture.dxf '" + picture +
                                    "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(convert.c_str()), 0) << convert;
        const std::string read = "/usr/bin/python3 -c \"import ezdxf,sys\n"
                                 "for e in ezdxf.readfile(sys.argv[1]).modelspace().query('LINE'):\n"
                                 "  print(e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)\" '" +
                                 dxf + "' > '" + lines + "'";
        EXPECT_EQ(std::system(read.c_str()), 0) << read;
        std::vector<Segment> out;
        std::ifstream in(lines);
        Segment s{};
        while (in >> s[0] >> s[1] >> s[2] >> s[3])
            out.push_back(s);
        return out;
    }

    static std::vector<Segment> OurLines()
    {
        std::vector<Segment> out;
        for (std::string_view record : DisplayList.Records) {
            const TDisplayRecord r = ParseDisplayRecord(record);
            if (r.Kind == 4)
                out.push_back({static_cast<double>(r.F[0]), static_cast<double>(r.F[1]),
                               static_cast<double>(r.F[2]), static_cast<double>(r.F[3])});
        }
        return out;
    }

    fs::path dir_;
};

TEST_P(HpglAgainstHp2xx, SameLinesAsHp2xx)
{
    if (!fs::exists("/usr/bin/hp2xx") || std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0)
        QYR7_VALIDATOR_MISSING("hp2xx or python3-ezdxf is not installed");
    const std::string picture = std::string(QYR7_TEST_DIR) + "/hpgl/" + GetParam();
    RunHpglFile(picture);
    ASSERT_FALSE(telmvar.Aborted);
    const auto ours = ShiftedToLowerLeft(OurLines());
    const auto theirs = ShiftedToLowerLeft(Hp2xxLines(picture));
    ASSERT_FALSE(ours.empty());
    ASSERT_EQ(ours.size(), theirs.size());
    for (std::size_t i = 0; i < ours.size(); ++i)
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(ours[i][k], theirs[i][k], 0.05) << "segment " << i << ", coordinate " << k;
}

INSTANTIATE_TEST_SUITE_P(Pictures, HpglAgainstHp2xx, ::testing::ValuesIn(kPictures), [](const auto& info) {
    const std::string file = info.param; // hp2xx_<name>.plt
    return file.substr(6, file.find('.') - 6);
});

} // namespace
