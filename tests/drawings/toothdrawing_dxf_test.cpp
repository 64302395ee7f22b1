// Items 1 to 8 of the "Tooth drawing" menu for gear 1 and 2 of the three
// meshes of the default stage (S-Pi 15/21, Pi-Pe 15/15, Pe-H 15/-63),
// written as DXF and judged by ezdxf: the auditor finds nothing, and the
// blocks and model-space inserts are those of the menu's table (a whole
// gear is |z| inserts of "EVOLV" + g, the tool envelope 2 GearToothShapes
// inserts, the ring with the pinion RingToothShapes pinions, the planet
// arrangement one centre wheel and q planets).
#include "../graphics/cadvalidators.h"
#include "common/validators.h"
#include "stagekinematicssupport.h"

#include "drawings/tooth/toothdrawing.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/graphservicedefaults.h"
#include "planetary/meshtransfer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace
{

class ToothDrawingDxf : public DefaultStageDrawing
{
};

std::string Count(const std::string& Name, int N)
{
    return Name + ":" + std::to_string(N);
}

// Blocks and inserts of item Item of gear g, from the menu's table.
std::string Want(int Item, int g)
{
    const auto& G = GearPair;
    const std::string s = std::to_string(g);
    const int z = std::abs(G.z[g]);
    const int envelope = 2 * (G.GearToothShapes == 0 ? 30 : G.GearToothShapes);
    const int ring = G.RingToothShapes == 0 ? 200 : G.RingToothShapes;
    if (Item == 3 && G.z[g] < 0) Item = 5;
    switch (Item) {
    case 1:
    case 6:
        return "blocks= inserts=";
    case 2:
        return "blocks=DMESS" + s + ",EVOLV" + s + " inserts=" + Count("DMESS" + s, 1) + "," +
               Count("EVOLV" + s, 2);
    case 3:
        return "blocks=DMESS" + s + ",EVOLV" + s + ",WERKZS" + s + ",ZAHN" + s +
               " inserts=" + Count("DMESS" + s, 1) + "," + Count("EVOLV" + s, 2) + "," +
               Count("WERKZS" + s, envelope);
    case 4:
        return "blocks=EVOLV" + s + " inserts=" + Count("EVOLV" + s, z);
    case 5:
        if (g == 2 && G.z[2] < 0)
            return "blocks=EVOLV1,EVOLV2,RAD1,WERKZS2,ZAHN2 inserts=" + Count("EVOLV2", z) + "," +
                   Count("RAD1", ring);
        return "blocks=EVOLV" + s + ",WERKZS" + s + ",ZAHN" + s + " inserts=" + Count("EVOLV" + s, z) + "," +
               Count("ZAHN" + s, z);
    case 7:
        return "blocks=EVOLV1,EVOLV2 inserts=EVOLV1:3,EVOLV2:4";
    case 8: {
        const int q = G.PicturePlanets;
        // Gear 1 is the planet when the sun choice says so or gear 2 is a
        // ring.
        const bool planet1 = G.PlanetSunChoice == 1 || G.z[2] < 0;
        return "blocks=EVOLV1,EVOLV2,RAD1,RAD2 inserts=" + Count("RAD1", planet1 ? q : 1) + "," +
               Count("RAD2", planet1 ? 1 : q);
    }
    default:
        return "";
    }
}

TEST_F(ToothDrawingDxf, EveryItemOfEveryMeshPassesTheAudit)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        QYR7_VALIDATOR_MISSING("no ezdxf");
    const char* const names[3] = {"SPi", "PiPe", "PeH"};
    std::map<std::string, std::string> want;
    std::string files;
    for (int m = 0; m < 3; ++m) {
        LoadMesh(m + 1);
        CalcGearPair();
        ASSERT_FALSE(telmvar.FatalCalcError);
        ASSERT_EQ(GearPair.PicturePlanets, 3);
        for (int g = 1; g <= 2; ++g) {
            for (int item = 1; item <= 8; ++item) {
                ComposeToothDrawing(1, g, item, 1, 1);
                ASSERT_FALSE(telmvar.Aborted) << names[m] << " gear " << g << " item " << item;
                const std::string name =
                    std::string(names[m]) + "_" + std::to_string(g) + "_" + std::to_string(item) + ".dxf";
                std::filesystem::rename(dir_ + "/drawing.dxf", dir_ + "/" + name);
                want[name] = "errors=0 fixes=0 " + Want(item, g);
                files += " '" + dir_ + "/" + name + "'";
            }
        }
    }
    const std::string cmd =
        "/usr/bin/python3 " + std::string(QYR7_TEST_DIR) + "/toothdrawingdxf.py" + files + " 2>&1";
    std::FILE* p = ::popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string text;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        text.append(buf, n);
    ::pclose(p);
    std::istringstream lines(text);
    std::string line;
    std::size_t seen = 0;
    while (std::getline(lines, line)) {
        const auto sp = line.find(' ');
        const std::string name = line.substr(0, sp);
        ASSERT_TRUE(want.count(name)) << line;
        EXPECT_EQ(line.substr(sp + 1), want[name]) << name;
        ++seen;
    }
    EXPECT_EQ(seen, want.size()) << text;
}

std::string ReadFile(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Items 1 to 8 of gear 1 and 2 of the three meshes through the text CAD
// writer, one after the other in golden/toothdrawings_textcad.txt, each
// under a line naming mesh, gear and item. A mismatch writes the .out
// beside the golden file.
TEST_F(ToothDrawingDxf, EveryItemOfEveryMeshAsTextCadCode)
{
    RegisterCadWriters();
    const char* const names[3] = {"S-Pi", "Pi-Pe", "Pe-H"};
    std::string text;
    for (int m = 0; m < 3; ++m) {
        LoadMesh(m + 1);
        CalcGearPair();
        for (int g = 1; g <= 2; ++g) {
            for (int item = 1; item <= 8; ++item) {
                ComposeToothDrawing(5, g, item, 1, 1);
                ASSERT_FALSE(telmvar.Aborted);
                std::string code = ReadFile(telmvar.ProjectName + ".txt");
                // No path of this run in the golden file.
                for (std::size_t at; (at = code.find(dir_)) != std::string::npos;)
                    code.replace(at, dir_.size(), "<dir>");
                text += std::string("=== ") + names[m] + " gear " + std::to_string(g) + " item " +
                        std::to_string(item) + "\r\n" + code;
            }
        }
    }
    const std::string golden = std::string(QYR7_TEST_DIR) + "/golden/toothdrawings_textcad.txt";
    if (text != ReadFile(golden)) {
        std::ofstream(golden + ".out", std::ios::binary) << text;
        ADD_FAILURE() << "tooth drawings differ from the golden text CAD code; see " << golden << ".out";
    } else {
        std::filesystem::remove(golden + ".out");
    }
}

// The sun of the default stage (gear 2 of S-Pi, z 21) as a solid: every
// tooth inside the tool's tip circle da0/2 and the solid as high as the
// face width.
TEST_F(ToothDrawingDxf, SunWheelAsSolidHasNoDegenerateFacet)
{
    LoadMesh(mSPi);
    CalcGearPair();
    ASSERT_EQ(GearPair.z[2], 21);
    const double b = static_cast<double>(GearPair.b[2]);
    const double r = static_cast<double>(GearPair.da0[2]) / 2;
    RegisterCadWriters();
    graphservices.AskLengthInRange = [b](const std::string&, Extended& Value, Extended, Extended) {
        Value = b;
    };
    ComposeToothDrawing(6, 2, 4, 1, 1);
    ResetGraphServices();
    ASSERT_FALSE(telmvar.Aborted);
    const TAdmeshView v = AdmeshRead(telmvar.ProjectName + ".stl");
    if (!v.ToolFound) QYR7_VALIDATOR_MISSING("no admesh");
    EXPECT_EQ(v.Degenerate, 0) << v.Output;
    EXPECT_GT(v.Facets, 0) << v.Output;
    for (int k = 0; k < 2; ++k) {
        EXPECT_GE(v.Min[k], -r - 1e-3) << v.Output;
        EXPECT_LE(v.Max[k], r + 1e-3) << v.Output;
    }
    EXPECT_NEAR(v.Min[2], 0, 1e-3) << v.Output;
    EXPECT_NEAR(v.Max[2], b, 1e-3) << v.Output;
}

} // namespace
