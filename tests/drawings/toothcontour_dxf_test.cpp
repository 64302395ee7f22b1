// The four reference outlines written as blocks of one DXF file through the
// CAD layer, read back by ezdxf: its auditor must find nothing to report or
// fix, and the vertices and bulges (tan of a quarter of the included angle)
// must be the hand-worked ones.
#include "common/validators.h"
#include "toothtestsupport.h"

#include "common/tempdir.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/programsettings.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace
{

class ToothDxf : public ToothContourFixture
{
  protected:
    void SetUp() override
    {
        ToothContourFixture::SetUp();
        dir_ = testdirs::MakeTempDir("toothdxf");
        telmvar.TempDir = dir_;
        telmvar.CadDir = dir_;
        telmvar.ProjectName = dir_ + "/teeth";
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        cadsettings.CadPolylineAllowed = true;
    }
    void TearDown() override
    {
        ToothContourFixture::TearDown();
        testdirs::RemoveTempDir(dir_);
    }

    static std::vector<std::string> Ezdxf(const std::string& Path)
    {
        std::vector<std::string> lines;
        const std::string cmd =
            "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/toothdxf.py '" + Path + "' 2>&1";
        std::FILE* p = ::popen(cmd.c_str(), "r");
        if (p == nullptr) return lines;
        std::string text;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        ::pclose(p);
        std::istringstream s(text);
        for (std::string l; std::getline(s, l);)
            lines.push_back(l);
        return lines;
    }

    std::string dir_;
};

// Vertices "x,y,bulge" of a polyline line as numbers.
std::vector<std::vector<double>> Vertices(const std::string& Line)
{
    std::vector<std::vector<double>> v;
    std::istringstream s(Line);
    std::string word;
    for (int k = 0; k < 5 && s >> word; ++k) {
    }
    while (s >> word) {
        std::vector<double> xyb;
        std::istringstream w(word);
        for (std::string part; std::getline(w, part, ',');)
            xyb.push_back(std::stod(part));
        v.push_back(xyb);
    }
    return v;
}

void ExpectVertex(const std::vector<double>& V, double X, double Y, double Bulge, const std::string& What)
{
    ASSERT_EQ(V.size(), 3u) << What;
    // Written with six decimals, expected values rounded to six.
    EXPECT_NEAR(V[0], X, 1.01e-6) << What << " x";
    EXPECT_NEAR(V[1], Y, 1.01e-6) << What << " y";
    EXPECT_NEAR(V[2], Bulge, 1.01e-6) << What << " bulge";
}

TEST_F(ToothDxf, FourOutlinesPassTheAuditAndReadBack)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        QYR7_VALIDATOR_MISSING("no ezdxf");
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        ASSERT_FALSE(telmvar.Aborted);
        CadBeginDrawing(-120, -120, 120, 120, 0);
        CadWriteTables(0);
        CadBeginBlocks();
        const struct {
            const char* block;
            int gear;
            TToothGear data;
            Extended dNf;
        } outlines[] = {{"EVOLV1", 1, {2, 20, 0, 0, 0.38L, 37.756260L}, 0},
                        {"EVOLV2", 2, {2, 40, 0, 0, 0.38L, 0}, 0},
                        {"EVOLVI", 2, {2, -40, 0, 0, 0.38L, 0}, 0},
                        {"EVOLVH", 2, {3, -63, 0, 0, 0.38L, 0}, 0}};
        for (const auto& o : outlines) {
            Load(o.gear, o.data);
            CadBeginBlock(o.block);
            GenerateToothContour(o.gear, true);
            CadEndBlock();
        }
        CadEndSection();
        CadBeginEntities();
        CadSetLayer(0);
        Extended y = -100;
        for (const auto& o : outlines) {
            CadInsertBlock(o.block, 0, y, 0, 1, 1);
            y += 50;
        }
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
    ASSERT_FALSE(telmvar.Aborted);
    const std::string path = dir_ + "/teeth.dxf";
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::vector<std::string> view = Ezdxf(path);
    ASSERT_FALSE(view.empty());
    EXPECT_EQ(view[0], "audit errors=0 fixes=0");
    // At most the SEQEND of each block polyline (six here), which ezdxf
    // itself cannot place in a file without handles (see toothdxf.py).
    ASSERT_GT(view.size(), 1u);
    EXPECT_TRUE(view[1] == "seqend owner fixes 0" || view[1] == "seqend owner fixes 6") << view[1];

    std::vector<std::string> polylines[4];
    const char* names[] = {"EVOLV1", "EVOLV2", "EVOLVI", "EVOLVH"};
    for (const std::string& l : view) {
        for (int k = 0; k < 4; ++k)
            if (l.rfind(std::string("block ") + names[k] + " POLYLINE", 0) == 0) polylines[k].push_back(l);
        if (l.rfind("block ", 0) == 0 && l.find(" POLYLINE ") == std::string::npos) ADD_FAILURE() << l;
    }
    EXPECT_NE(std::find(view.begin(), view.end(), "inserts EVOLV1 EVOLV2 EVOLVI EVOLVH"), view.end());

    // z 20: two trochoids and the outline, all on layer 5.
    ASSERT_EQ(polylines[0].size(), 3u);
    for (const std::string& l : polylines[0])
        EXPECT_EQ(l.rfind("block EVOLV1 POLYLINE 5 ", 0), 0u) << l;
    EXPECT_EQ(Vertices(polylines[0][0]).size(), 25u);
    EXPECT_EQ(Vertices(polylines[0][1]).size(), 24u);
    const auto z20 = Vertices(polylines[0][2]);
    ASSERT_EQ(z20.size(), 10u);
    ExpectVertex(z20[0], 1.755685, 18.750589, 0, "z 20 right trochoid end");
    ExpectVertex(z20[4], 0.694764, 21.989027, 0.015794, "z 20 tip");
    ExpectVertex(z20[9], -1.755685, 18.750589, 0, "z 20 left trochoid end");

    // z 40: fillet root; bulges tan(g/4), tan(-w/4). The flank's vertex that
    // repeated the one before it is given once.
    ASSERT_EQ(polylines[1].size(), 1u);
    const auto z40 = Vertices(polylines[1][0]);
    ASSERT_EQ(z40.size(), 14u);
    ExpectVertex(z40[0], 2.942216, 37.384400, std::tan(0.006713 / 4), "z 40 G");
    ExpectVertex(z40[1], 2.691174, 37.403310, std::tan(-1.212381 / 4), "z 40 T");
    ExpectVertex(z40[2], 2.016713, 37.946512, 0, "z 40 P");
    ExpectVertex(z40[6], 0.760623, 41.993112, z40[6][2], "z 40 tip");

    // z -40: internal root, pre-machining not asked for (q = 0).
    ASSERT_EQ(polylines[2].size(), 1u);
    const auto zi = Vertices(polylines[2][0]);
    ASSERT_EQ(zi.size(), 14u);
    ExpectVertex(zi[0], 3.334512, -42.368987, 0, "z -40 G");
    ExpectVertex(zi[1], 3.284452, -42.372623, std::tan(-1.091261 / 4), "z -40 T2");
    ExpectVertex(zi[2], 2.582284, -42.013195, 0, "z -40 T1");
    ExpectVertex(zi[6], 0.966742, -37.987701, std::tan(-0.050887 / 4), "z -40 tip");

    // Ring z -63, module 3.
    ASSERT_EQ(polylines[3].size(), 1u);
    const auto ring = Vertices(polylines[3][0]);
    ASSERT_EQ(ring.size(), 14u);
    ExpectVertex(ring[2], 3.718806, -97.524323, 0, "ring T1");
    EXPECT_NEAR(ring[1][2], std::tan(-1.132916 / 4), 1.01e-6) << "ring fillet bulge";
}

} // namespace
