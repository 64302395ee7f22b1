// One scripted report - title, headers, rows of one to four values, wrapped
// text, a table, automatic and explicit page breaks - on the file, TXT, HTML
// and batch devices, in the four display modes and both header modes. The
// golden files beside this test are the expected bytes.
#include "reporttestsupport.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reporttable.h"

#include <filesystem>
#include <string>

namespace
{

struct GoldenCase {
    uint16_t Device;
    const char* DeviceName;
    int Mode;
    int HeaderMode;
};

class GoldenReportTest : public ReportTest, public ::testing::WithParamInterface<GoldenCase>
{
};

void WriteScriptedReport()
{
    SetReportHeader("", "Planetary stage report", "Remark: test stand <A&B>", "Order 4711", "", 0);
    SetReportColumns2("Designation", "Symbol", "Unit", "Sun", "Planet");
    PrintReportPageHeader(1, 1);
    PrintReportRow2("Number of teeth", "z", "-", "      21", "      33");
    PrintReportRow2("Normal module", "mn", "mm", "   2.500", "   2.500");
    PrintReportRow1("Centre distance", "a", "mm", "  68.250");
    PrintReportRow2("Profile shift coefficient", "x", "-", "   0.315", "  -0.127");
    for (int i = 1; i <= 12; ++i)
        PrintReportRow2("Check row " + std::to_string(i), "c" + std::to_string(i), "mm",
                        "  " + std::to_string(10 + i) + ".000", "  " + std::to_string(20 + i) + ".500");
    PrintReportLine("");
    PrintReportWrapped("The tooth root stress of the planet is checked with the stress correction factor "
                       "of the notch at the root fillet, the tooth form factor and the helix factor; the "
                       "load spectrum enters through the equivalent torque.");
    SetReportColumns3("Mesh", "Sym", "Unit", "S-P", "P-P", "P-H");
    PrintReportColumnHeads();
    PrintReportRow3("Contact ratio", "eps", "-", "   1.512", "   1.604", "   1.733");
    SetReportColumns4("Load case", "Sym", "Unit", "1", "2", "3", "4");
    PrintReportColumnHeads();
    PrintReportRow4("Torque", "T", "Nm", "  120.0", "  240.0", "  360.0", "  480.0");
    PrintReportLine(GetDoubleRuleLine());
    {
        TReportTable t(20, 10, 10, 0, 0, 0, 0, "Bearing", "C kN", "L10h", "", "", "", "");
        t.AddRow("NU 206", "44.0", "12500");
        t.AddRow("NU 207", "56.0", "21000");
        t.Done();
    }
    ReportPageBreak();
    PrintReportPageHeader(0, 0);
    PrintReportLine("Second part");
    PrintReportLine(GetRuleLine());
    PrintReportRow1("Safety factor root", "SF", "-", "   1.62");
}

TEST_P(GoldenReportTest, ScriptedReport)
{
    const GoldenCase& c = GetParam();
    telmvar.PrintSeparatorMode = static_cast<uint16_t>(c.Mode);
    wtelmvar.PrintHeaderMode = static_cast<uint16_t>(c.HeaderMode);
    telmvar.LinesPerPage = 40;
    telmvar.ProjectName = "stage1";
    telmvar.DataDir = "/data/projects/";
    telmvar.RemarkLines[1] = "Remark: test stand <A&B>";
    telmvar.RemarkLines[2] = "Order 4711";
    wtelmvar.HtmlBrowserPath = "";
    SaveDialogPath = Temp("report.out");
    if (c.Device == 9) telmvar.ProjectName = Temp("stage1");

    OpenReport(c.Device, "stage1");
    ASSERT_FALSE(telmvar.Aborted);
    ASSERT_TRUE(BeginReportOutput());
    WriteScriptedReport();
    ASSERT_TRUE(CloseReport());

    std::string written;
    switch (c.Device) {
    case 3:
    case 7:
        written = ReadFile(Temp("report.out"));
        break;
    case 6:
        written = ReadFile(Temp("$$$1.txt"));
        break;
    case 9:
        // The batch device delivers beside the project and removes its
        // working copy.
        written = ReadFile(Temp("stage1.txt"));
        EXPECT_FALSE(std::filesystem::exists(Temp("$$$1.txt")));
        break;
    }
    const std::string name = std::string(c.DeviceName) + "_mode" + std::to_string(c.Mode) + "_header" +
                             std::to_string(c.HeaderMode) + ".txt";
    ExpectGolden(name, WithoutTempDir(written));
}

std::vector<GoldenCase> AllCases()
{
    std::vector<GoldenCase> cases;
    const std::pair<uint16_t, const char*> devices[] = {{3, "file"}, {6, "txt"}, {7, "html"}, {9, "batch"}};
    for (const auto& [dev, name] : devices)
        for (int mode = 1; mode <= 4; ++mode)
            for (int header = 1; header <= 2; ++header)
                cases.push_back({dev, name, mode, header});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Devices, GoldenReportTest, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return std::string(info.param.DeviceName) + "_mode" +
                                    std::to_string(info.param.Mode) + "_header" +
                                    std::to_string(info.param.HeaderMode);
                         });

} // namespace
