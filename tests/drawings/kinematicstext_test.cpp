// The kinematics text block of the default stage in both unit systems and
// its drive lines in the cases that change them, against the hand-worked
// lines in golden/kinematics_text.txt (values in stagekinematicssupport.h;
// inch lengths are mm / 25.4 with 4 decimals, torques Nm / 0.112984788).
// A mismatch writes golden/kinematics_text.txt.out for inspection.
#include "stagekinematicssupport.h"

#include "drawings/stage/kinematicstext.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "graphics/cad/cadprimitives.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using KinematicsText = DefaultStageDrawing;

std::string ReadGolden(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(KinematicsText, LinesMatchTheHandWorkedBlock)
{
    struct Case {
        const char* Title;
        void (*Prepare)();
        size_t Lines; // lines written out (the drive part only for variants)
    };
    const Case cases[] = {
        {"default stage, metric", [] {}, 99},
        {"default stage, inch", [] { wtelmvar.UnitSystem = 1; }, 99},
        {"output at rest: no ratio line", [] { PlanetaryStage.nOut = 0; }, 6},
        {"power sharing with the third shaft at rest: the input torque",
         [] { PlanetaryStage.PowerSplit = true; }, 7},
        {"power sharing with the third shaft turning: the input power",
         [] {
             PlanetaryStage.PowerSplit = true;
             PlanetaryStage.nThird = 50;
         },
         7},
    };
    const TPlanetaryStage stage = PlanetaryStage;
    std::string text;
    for (const Case& c : cases) {
        PlanetaryStage = stage;
        wtelmvar.UnitSystem = 0;
        c.Prepare();
        const std::vector<std::string> lines = KinematicsTextLines();
        text += std::string("# ") + c.Title + "\n";
        for (size_t i = 0; i < lines.size() && i < c.Lines; ++i)
            text += lines[i] + "\n";
        if (c.Lines == 99) {
            EXPECT_EQ(lines.size(), 32u) << c.Title;
        }
    }
    const std::string golden = std::string(QYR7_TEST_DIR) + "/golden/kinematics_text.txt";
    const std::string want = ReadGolden(golden);
    if (text != want) {
        std::ofstream(golden + ".out", std::ios::binary) << text;
        ADD_FAILURE() << "kinematics text differs from the hand-worked block; see " << golden << ".out";
    } else {
        std::filesystem::remove(golden + ".out");
    }
}

TEST_F(KinematicsText, BlockIsWrittenOnLayer19DownFromTheCurrentPoint)
{
    Open();
    CadMoveTo(120, 114);
    CadSetTextStyle(0, 0, 2.0L, 1.5L);
    CadSetLayer(3);
    KinematicsTextBlock();
    const auto texts = Calls("text");
    const std::vector<std::string> lines = KinematicsTextLines();
    ASSERT_EQ(texts.size(), lines.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        EXPECT_EQ(texts[i].Text, lines[i]);
        EXPECT_EQ(texts[i].Layer, 19);
        // One line is 1.6 text heights below the last.
        EXPECT_NEAR(texts[i].V[0], 120, 1e-9);
        EXPECT_NEAR(texts[i].V[1], 114 - 3.2 * static_cast<double>(i), 1e-9);
    }
    Close();
}

TEST(PitchLineVelocityOf, SpeedTimesRadius)
{
    // 1/min times mm to m/s: 1500/min on a radius of 100 mm is
    // 1500 2 pi 0.1 / 60 = 15.707963 m/s; the sign of the speed stays.
    EXPECT_NEAR(static_cast<double>(PitchLineVelocity(1500 * 100)), 15.7079633, 1e-7);
    EXPECT_NEAR(static_cast<double>(PitchLineVelocity(-60000)), -2 * 3.14159265358979, 1e-12);
    EXPECT_EQ(PitchLineVelocity(0), 0);
}

} // namespace
