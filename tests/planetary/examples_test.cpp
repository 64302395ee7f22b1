// The example projects under examples/ are files the program writes itself:
// the template project of File New, and the default stage with a load
// spectrum. Each test writes its project and compares it with the checked-in
// file; with QYR7_UPDATE_EXAMPLES=1 in the environment it writes the
// checked-in file instead.
#include "projectfile_fixture.h"

#include "foundation/messagecollector.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"

#include <cstdlib>

namespace projfiletest {
namespace {

class ExampleProjects : public FileTest {
protected:
    void CheckExample(const std::string& name)
    {
        const std::string example = std::string(QYR7_SOURCE_DIR) + "/examples/" + name;
        const char* update = std::getenv("QYR7_UPDATE_EXAMPLES");
        if (update != nullptr && std::string(update) == "1") {
            ASSERT_TRUE(WriteProjectData(example));
            return;
        }
        ASSERT_TRUE(WriteProjectData(In(name)));
        const std::string written = ReadAll(In(name));
        const std::string checkedIn = ReadAll(example);
        ASSERT_FALSE(checkedIn.empty()) << example << " missing";
        if (written != checkedIn) {
            WriteAll(example + ".out", written);
            FAIL() << example << " is not what the program writes (written to " << name << ".out)";
        }
        // And it opens and calculates.
        StartWithDefaultProject();
        TFileFault fault;
        ASSERT_TRUE(ReadProjectData(example, fault)) << fault.Line << " " << fault.Reason;
        CalcPlanetaryStage();
        EXPECT_FALSE(telmvar.FatalCalcError) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    }
};

TEST_F(ExampleProjects, TemplateProjectOfFileNew) { CheckExample("default.qy7"); }

TEST_F(ExampleProjects, DefaultStageWithLoadSpectrum)
{
    // A duty cycle of the default stage (nominal torque 6875 Nm at the sun):
    // a few peaks above it, most of the cycles well below.
    const TLoadSpectrumItem items[] = {
        {1.0e4L, 9000}, {1.0e5L, 7500}, {1.0e6L, 6500}, {5.0e6L, 5000}, {2.0e7L, 3500}, {5.0e7L, 2000},
    };
    GearPair.LoadSpectrumCount = 0;
    for (const auto& it : items)
        GearPair.LoadSpectrum[++GearPair.LoadSpectrumCount] = it;
    GearPair.LoadSpectrumKind = 1;
    GearPair.KaFromLoadSpectrum = 1;
    PutStageLoadSpectrum();
    PlanetaryGears.StageText = "Example stage with a load spectrum";
    documentation.ChangeCount = 1;
    documentation.ChangeList[1].Text = {{"load spectrum", "07.12.2026", "QYR", "Duty cycle of six load levels\r\nfrom the drive's measured torque"}};
    CheckExample("spectrum.qy7");
}

} // namespace
} // namespace projfiletest
