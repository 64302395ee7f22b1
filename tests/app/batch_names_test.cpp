// A batch run names files and directories with characters beyond ASCII on
// standard error in UTF-8 (a character the program's texts cannot hold as
// "?"), and its report names the project in the report's code page.
#include "runprogram.h"
#include <gtest/gtest.h>
namespace fs = std::filesystem;
namespace
{
const std::string Dir = "\xE9\xBD\xBF\xE8\xBD\xAE"; // 齿轮
const std::string Project = "gr\xC3\xB6\xC3\x9F"
                            "e.qy7"; // größe.qy7
struct NameCase {
    const char* Name;
    int NulLine;          // a text line of the project made two NUL bytes (0: none)
    std::string TableDir; // configured table directory (empty: none configured)
    int ExitCode;
    std::vector<std::string> Err; // parts of standard error, in this order
    std::string Report;           // what the report größe.txt holds (empty: no report)
};
const NameCase Cases[] = {
    {"NulInAProjectLineAndMissingTableDirectory",
     433,
     "nicht\xC3\x9F",
     1,
     {"nicht\xC3\x9F: No such file or directory", "project file ??/" + Project + " cannot be read: file ??/" +
                                                      Project + " line 433: control character 0x00"}},
    {"GoodRun",
     0,
     "",
     0,
     {},
     "/??/gr\xF6\xDF"
     "e.qy7\r\n"},
};
} // namespace
TEST(BatchNames, NamesAsTheFileSystemHasThemOnStandardErrorAndInTheReport)
{
    for (const NameCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        const fs::path dir = FreshDir("names");
        fs::create_directory(dir / Dir);
        std::string project = ReadWholeFile(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7");
        std::size_t at = 0;
        for (int l = 1; l < c.NulLine; ++l)
            at = project.find("\r\n", at) + 2;
        if (c.NulLine > 0) project.replace(at, project.find("\r\n", at) - at, std::string(2, '\0'));
        WriteWholeFile(dir / Dir / Project, project);
        // Items 1 to 24 of the configuration, the table directory the seventh.
        std::string items =
            "|1|2|2|2|3|2|4|2|5|2|Arial|1|0||" + c.TableDir + "|1|1|1|1|N|3|1|J|1|0|0|1024|768||1||";
        for (std::size_t p; (p = items.find('|')) != std::string::npos;)
            items.replace(p, 1, "\r\n-\r\n");
        WriteWholeFile(dir / "qyr7.cfg", "qyr7 Configuration\r\nVersion 1.0" + items + "\r\n");
        const TProgramRun run = RunProgram(dir, {Dir + "/" + Project, "/I", "/NOGUI"}, {}, true);
        const std::string report = ReadWholeFile(dir / "gr\xC3\xB6\xC3\x9F"
                                                       "e.txt");
        fs::remove_all(dir);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err;
        std::size_t from = 0;
        for (const std::string& part : c.Err) {
            from = run.Err.find(part, from);
            EXPECT_NE(from, std::string::npos) << part << "\n" << run.Err;
        }
        if (c.Err.empty()) {
            EXPECT_EQ(run.Err, "");
        }
        EXPECT_EQ(report.empty(), c.Report.empty());
        EXPECT_NE(report.find(c.Report), std::string::npos) << report.substr(0, 200);
    }
}
