// A batch run names files and directories on standard error in UTF-8 ("?" for what the program's texts
// cannot hold), and its report names the project in the report's code page.
#include "runprogram.h"
#include <gtest/gtest.h>
namespace fs = std::filesystem;
namespace
{
const std::string Dir = "齿轮", Name = "größe", Read = "project file ??/größe.qy7 cannot be read: file ??/";
struct NameCase {
    int NulLine;          // a text line of the project made two NUL bytes (0: none)
    std::string TableDir; // the configured table directory
    int ExitCode;
    std::vector<std::string> Err; // parts of standard error, in this order
    std::string Report;           // in the report größe.txt (empty: none written)
};
const NameCase Cases[] = {
    {433,
     "nichtß",
     1,
     {"nichtß: No such file or directory", Read + "größe.qy7 line 433: control character 0x00"}},
    {0, "", 0, {}, "/??/gr\366\337e.qy7\r\n"}, // ö and ß in Windows-1252
};
} // namespace
TEST(BatchNames, NamesAsTheFileSystemHasThemOnStandardErrorAndInTheReport)
{
    for (const NameCase& c : Cases) {
        SCOPED_TRACE(c.ExitCode);
        const fs::path dir = FreshDir("names");
        fs::create_directory(dir / Dir);
        std::string project = ReadWholeFile(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7");
        std::size_t at = 0;
        for (int l = 1; l < c.NulLine; ++l)
            at = project.find("\r\n", at) + 2;
        if (c.NulLine > 0) project.replace(at, project.find("\r\n", at) - at, std::string(2, '\0'));
        WriteWholeFile(dir / Dir / (Name + ".qy7"), project);
        // Items 1 to 24 of the configuration, the table directory the seventh.
        std::string items =
            "|1|2|2|2|3|2|4|2|5|2|Arial|1|0||" + c.TableDir + "|1|1|1|1|N|3|1|J|1|0|0|1024|768||1||";
        for (std::size_t p; (p = items.find('|')) != std::string::npos;)
            items.replace(p, 1, "\r\n-\r\n");
        WriteWholeFile(dir / "qyr7.cfg", "qyr7 Configuration\r\nVersion 1.0" + items + "\r\n");
        const TProgramRun run = RunProgram(dir, {Dir + "/" + Name + ".qy7", "/I", "/NOGUI"}, {}, true);
        const std::string report = ReadWholeFile(dir / (Name + ".txt"));
        fs::remove_all(dir);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err;
        std::size_t from = 0;
        for (const std::string& part : c.Err)
            EXPECT_NE(from = run.Err.find(part, from), std::string::npos) << part << "\n" << run.Err;
        EXPECT_EQ(run.Err.empty(), c.Err.empty()) << run.Err;
        EXPECT_TRUE(report.empty() == c.Report.empty() && report.find(c.Report) != std::string::npos)
            << report;
    }
}
