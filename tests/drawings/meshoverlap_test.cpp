// The wheels of the stage pictures and of the tooth contact mesh: each
// drawing written as DXF is judged by ezdxf and shapely (meshoverlap.py):
// no meshing pair shares more than 0.01 mm2, none stands further apart than
// the mesh's largest normal backlash plus 0.05 mm.
#include "productiontestsupport.h"

#include "common/validators.h"
#include "drawings/stage/composer.h"
#include "drawings/stage/planetanimation.h"
#include "drawings/tooth/meshanimation.h"
#include "drawings/tooth/toothdrawing.h"
#include "planetary/projectfile.h"

#include <filesystem>
#include <functional>

namespace
{

// An example project (q 0), or the default stage with these tooth numbers.
struct TOverlapStage {
    const char* Name;
    int zS, zPi, zPe, zH, q;
};

class MeshOverlap : public DefaultStageCad, public ::testing::WithParamInterface<TOverlapStage>
{
  protected:
    // The file Draw writes, kept under its own name.
    std::string Dxf(const std::function<void()>& Draw, const std::string& Name)
    {
        Draw();
        std::filesystem::rename(telmvar.ProjectName + ".dxf", dir_ + "/" + Name);
        return " '" + dir_ + "/" + Name + "'";
    }
};

TEST_P(MeshOverlap, EveryMeshingPairWithinItsBacklash)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf, shapely' 2>/dev/null") != 0)
        QYR7_VALIDATOR_MISSING("ezdxf or shapely");
    const TOverlapStage s = GetParam();
    if (s.q == 0) ReadProjectFile(std::string(QYR7_SOURCE_DIR) + "/examples/" + s.Name + ".qy7");
    auto& g = PlanetaryGears;
    if (s.q != 0)
        std::tie(g.z[gS], g.z[gPi], g.z[gPe], g.z[gH], GearPair.qp) = std::tie(s.zS, s.zPi, s.zPe, s.zH, s.q);
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    const auto jn = [&](int m) { return std::to_string(double(g.jnmax[m]) + 0.05); };
    const std::string q3 = std::to_string(15 * GearPair.qp); // front view, assembly, three frames
    TStageAnimationRun run;
    run.TotalAngle = 1;
    const std::string files = Dxf([] { FrontViewWithText(1); }, "front.dxf") +
                              Dxf([] { PlanetDrawView(1, 5); }, "assembly.dxf") +
                              Dxf([&] { RecordStageAnimation(2, run, 1); }, "turning.dxf");
    EXPECT_EQ(RunPython("meshoverlap.py", "FRAME=RADH",
                        files + " RADS:RADPI=" + jn(1) + " RADSI:RADPI=" + jn(1) + " RADPI:RADPE=" + jn(2) +
                            " RADPE:RADH=" + jn(3)),
              "pairs " + q3 + "\n");
    meshanimationservices.AskSettings = [](TMeshAnimationRequest& R) {
        R.Steps = 2;
        return true;
    };
    for (int m = 1; m <= 3; ++m) {
        LoadMesh(m);
        CalcGearPair();
        // The picture, and the frames at the start, a third and two thirds on
        // and the last position.
        const std::string mesh = Dxf([] { ComposeToothDrawing(1, 1, 7, 1, 1); }, "contact.dxf") +
                                 Dxf([] { AnimateMeshingOn(1); }, "meshing.dxf");
        EXPECT_EQ(RunPython("meshoverlap.py", "FRAME=EVOLV1", mesh + " EVOLV1:EVOLV2=" + jn(m)), "pairs 5\n")
            << m;
    }
}

// Tooth numbers even (E) and odd (O) for S, Pi, Pe, H in turn.
INSTANTIATE_TEST_SUITE_P(
    Stages, MeshOverlap,
    ::testing::Values(
        TOverlapStage{"default"}, TOverlapStage{"industrial"}, TOverlapStage{"spectrum"},
        TOverlapStage{"Q3EEOE", 20, 14, 15, -62, 3}, TOverlapStage{"Q3OOEO", 21, 15, 16, -63, 3},
        TOverlapStage{"Q3OEEE", 21, 14, 16, -62, 3}, TOverlapStage{"Q3EOOO", 20, 15, 15, -63, 3},
        TOverlapStage{"Q4EEOE", 26, 12, 13, -64, 4}, TOverlapStage{"Q4OOEO", 27, 13, 14, -65, 4},
        TOverlapStage{"Q4OEOO", 27, 12, 13, -65, 4}, TOverlapStage{"Q4EOEE", 26, 13, 14, -64, 4},
        TOverlapStage{"Q5EEOE", 30, 12, 13, -76, 5}, TOverlapStage{"Q5OOEO", 31, 13, 14, -77, 5},
        TOverlapStage{"Q5EOOO", 30, 13, 13, -77, 5}, TOverlapStage{"Q5OEEE", 31, 12, 14, -76, 5}),
    [](const auto& I) { return std::string(I.param.Name); });

} // namespace
