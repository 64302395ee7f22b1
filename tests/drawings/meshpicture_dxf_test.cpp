// The tooth contact of z 20/40 (mn 2, x 0, a 60) with its data text written
// as a DXF file and judged by ezdxf: the auditor finds nothing, the seven
// tooth inserts, the 18 texts of the data box and the line of action from
// base circle 1 to the frame's top are there (coordinates worked in
// meshpicture_test.cpp).
#include "common/validators.h"
#include "toothtestsupport.h"

#include "common/tempdir.h"
#include "drawings/tooth/meshpicture.h"
#include "drawings/tooth/toothcontour.h"
#include "foundation/programsettings.h"
#include "graphics/cad/cadoutput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace
{

class MeshDxf : public ToothContourFixture
{
  protected:
    void SetUp() override
    {
        ToothContourFixture::SetUp();
        dir_ = testdirs::MakeTempDir("meshdxf");
        telmvar.TempDir = dir_;
        telmvar.CadDir = dir_;
        telmvar.ProjectName = dir_ + "/mesh";
        wtelmvar.CadSkipSaveDialog = true;
        cadsettings.CadExecFile = false;
        cadsettings.CadPolylineAllowed = true;
    }
    void TearDown() override
    {
        ToothContourFixture::TearDown();
        testdirs::RemoveTempDir(dir_);
    }
    std::string dir_;
};

TEST_F(MeshDxf, ToothContactPassesTheAudit)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        QYR7_VALIDATOR_MISSING("no ezdxf");
    TToothGear g1, g2;
    g2.z = 40;
    Load(1, g1);
    Load(2, g2);
    auto& g = GearPair;
    g.a = g.a_pic = 60;
    confgraf(g.x_pic);
    for (int i = 1; i <= 2; ++i)
        g.dNa[i] = g.dFamax[i] = g.da[i] = g.da_pic[i];
    g.eps_alpha = 1.557;
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        ASSERT_FALSE(telmvar.Aborted);
        CadBeginDrawing(-30, -10, 30, 40, 0);
        CadWriteTables(0);
        CadBeginBlocks();
        for (int i = 1; i <= 2; ++i) {
            CadBeginBlock(i == 1 ? "EVOLV1" : "EVOLV2");
            GenerateToothContour(i, false);
            CadEndBlock();
        }
        CadEndSection();
        CadBeginEntities();
        DrawMeshPicture(true, MeshPictureHalfWidth(), MeshPictureBottom(), MeshPictureTop(), 0);
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
    ASSERT_FALSE(telmvar.Aborted);
    const std::string path = dir_ + "/mesh.dxf";
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::string cmd =
        "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/meshdxf.py '" + path + "' 2>&1";
    std::FILE* p = ::popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string text;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        text.append(buf, n);
    ::pclose(p);
    const std::string want = "audit errors=0 fixes=0\n"
                             "insert EVOLV1 3\n"
                             "insert EVOLV2 4\n"
                             "datatexts 18\n"
                             "line0 -6.427876 17.660444 7.876335 22.866752\n";
    EXPECT_EQ(text, want);
}

} // namespace
