// Fuzz target of the project file reader (and of the load spectrum file
// reader on the same bytes). Whatever the bytes:
//  - a refused file leaves the project exactly as it was (the project is
//    written before and after and the two files must be the same);
//  - an accepted file is written again, and that file must read back and
//    write once more to the same bytes;
//  - the stage of an accepted file is calculated and the whole gear of
//    each gear of each mesh drawn (tooth numbers, shape counts and drawing
//    settings are outside input): it ends, and no coordinate that is not a
//    finite number reaches the output.
#include "drawings/tooth/toothdrawing.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/documentation.h"
#include "planetary/loadspectrum/loadspectrum.h"
#include "planetary/meshtransfer.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

#include "scratch.h"

namespace
{

const std::string& ScratchDir()
{
    return fuzzscratch::Dir("projfile");
}

std::string In(const char* name)
{
    return ScratchDir() + "/" + name;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The project as a file, written through the writer.
std::string ProjectBytes(const char* name)
{
    if (!WriteProjectData(In(name))) {
        std::fprintf(stderr, "the current project could not be written\n");
        std::abort();
    }
    return ReadAll(In(name));
}

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

// Takes the place of the text CAD writer: draws nothing, checks every
// coordinate.
class TFiniteCheckDevice final : public TCadDevice
{
  public:
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override { Finite({X1, Y1, X2, Y2}); }
    void Circle(Extended X, Extended Y, Extended R) override { Finite({X, Y, R}); }
    void Arc(Extended X, Extended Y, Extended S, Extended E, Extended R) override { Finite({X, Y, S, E, R}); }
    void Insert(const std::string&, Extended X, Extended Y, Extended A, Extended SX, Extended SY) override
    {
        Finite({X, Y, A, SX, SY});
    }
    bool HasPolylines() const override { return true; }
    void Vertex(Extended X, Extended Y, Extended B) override { Finite({X, Y, B}); }

  private:
    static void Finite(std::initializer_list<Extended> V)
    {
        for (Extended v : V)
            Check(std::isfinite(v), "a coordinate that is not a finite number reached the output");
    }
};

// Item 4 of both gears of the three meshes to the checking device.
void DrawEveryGearWheel()
{
    RegisterCadDeviceFactory(5, [](std::ostream&) { return std::make_unique<TFiniteCheckDevice>(); });
    telmvar.TempDir = ScratchDir();
    telmvar.CadDir = ScratchDir();
    telmvar.ProjectName = In("drawing");
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    CalcPlanetaryStage();
    for (int m = 1; m <= 3; ++m) {
        LoadMesh(m);
        CalcGearPair();
        for (int g = 1; g <= 2; ++g)
            ComposeToothDrawing(5, g, 4, 1, 1);
    }
    ResetCadOutput();
    RegisterCadDeviceFactory(5, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetFoundationState();
    ResetTextfile();
    InitProgramDefaults();
    ResetDocumentation("");
    SetDefaultInput();
    std::FILE* f = std::fopen(In("input.qy7").c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    const std::string before = ProjectBytes("before.qy7");
    TFileFault fault;
    if (!ReadProjectData(In("input.qy7"), fault)) {
        Check(!fault.Reason.empty(), "a refusal without a reason");
        Check(ProjectBytes("after.qy7") == before, "a refused file changed the project");
    } else {
        const std::string first = ProjectBytes("first.qy7");
        Check(ReadProjectData(In("first.qy7"), fault), "a written project could not be read back");
        Check(ProjectBytes("second.qy7") == first, "a written project read back differently");
        DrawEveryGearWheel();
    }

    // The same bytes as a load spectrum file.
    const auto items = GearPair.LoadSpectrum;
    const int count = GearPair.LoadSpectrumCount;
    if (!ReadLoadSpectrumFile(In("input.qy7"), fault)) {
        Check(!fault.Reason.empty(), "a refusal without a reason");
        Check(GearPair.LoadSpectrumCount == count && GearPair.LoadSpectrum == items,
              "a refused load spectrum file changed the working list");
    } else {
        Check(GearPair.LoadSpectrumCount >= 0 && GearPair.LoadSpectrumCount <= LoadSpectrumMax,
              "a load spectrum count beyond the list");
    }
    return 0;
}
