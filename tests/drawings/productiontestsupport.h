#pragma once
// The production drawing tests: the default stage of File New calculated,
// one of its meshes loaded into the gear-pair variables, and the drawing
// recorded call by call (cadlogsupport.h) or written to a DXF file in the
// fixture's scratch directory.
#include "cadlogsupport.h"
#include "common/validators.h"

#include "foundation/messagecollector.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "planetary/meshtransfer.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

class DefaultStageBase : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitProgramDefaults();
        SetDefaultInput();
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError);
        ClearErrorMessages();
    }
};

class DefaultStageCad : public CadLogFixtureT<DefaultStageBase>
{
  protected:
    // Mesh "S-Pi" or "Pe-H" into the gear-pair variables, calculated.
    static void LoadMeshByName(const std::string& Mesh)
    {
        if (Mesh == "S-Pi")
            LoadMesh(mSPi);
        else
            LoadMesh(mPeH);
        CalcGearPair();
        // The default stage's own warnings are not the tables' concern.
        ClearErrorMessages();
    }
    static bool HaveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }
    // Runs the python check Script on Path (and further arguments Args, as
    // the shell reads them); its standard output.
    static std::string RunPython(const std::string& Script, const std::string& Path,
                                 const std::string& Args = "")
    {
        const std::string cmd = "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/" + Script + " '" +
                                Path + "' " + Args + " 2>&1";
        std::string out;
        if (std::FILE* p = ::popen(cmd.c_str(), "r")) {
            char buf[4096];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
                out.append(buf, n);
            ::pclose(p);
        }
        return out;
    }
    static std::string ReadBytes(const std::string& Path)
    {
        std::ifstream in(Path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
};
