// Batch runs given damaged input or a place they cannot write fail with their cause on standard error.
#include "runprogram.h"
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <span>
namespace fs = std::filesystem;
namespace
{
// Items 6 to 24 of a configuration: the CAD, table, temporary, EDI and PLT directories and what lies between.
std::string Dirs(std::string Cad, std::string Dbf, std::string Temp, std::string Edi = {},
                 std::string Plt = {})
{
    return Cad + "|" + Dbf + "|1|1|1|1|N|3|1|J|1|0|0|1024|768|" + Temp + "|1|" + Edi + "|" +
           (Plt.empty() ? "" : Plt + "|");
}
// The shipped industrial project as p.qy7, its line Line (1-based) replaced by Text when Line > 0; with Items
// (Dirs) a configuration (items 1 to 24, label "-") of them.
std::function<void(const fs::path&)> Project(int Line = 0, std::string Text = {}, std::string Items = {})
{
    return [=](const fs::path& Dir) {
        std::string all = ReadWholeFile(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7");
        std::size_t at = 0;
        for (int l = 1; l < Line; ++l)
            at = all.find("\r\n", at) + 2;
        WriteWholeFile(Dir / "p.qy7", Line > 0 ? all.replace(at, all.find("\r\n", at) - at, Text) : all);
        const std::string items = "|1|2|2|2|3|2|4|2|5|2|Arial|1|0|" + Items;
        if (!Items.empty())
            WriteWholeFile(Dir / "qyr7.cfg", "qyr7 Configuration\r\nVersion 1.0" +
                                                 std::regex_replace(items, std::regex("\\|"), "\r\n-\r\n") +
                                                 "\r\n");
    };
}
// Project() with the life table in the table directory Dir: Bytes at byte At, cut to Size bytes (header 257,
// records of 97: flag, LW 40, N0F 10, NNF 10, PF 8, N0H 10, NNH 10, PH 8; byte 43 the type of LW).
std::function<void(const fs::path&)> Life(int At, std::string Bytes, int Size = 937, std::string Dir = "t")
{
    return [=](const fs::path& D) {
        Project(0, {}, Dirs("", Dir, ""))(D);
        fs::create_directory(D / Dir);
        std::string table = ReadWholeFile(fs::path(QYR7_DATA_DIR) / "qyrlife.dbf");
        WriteWholeFile(D / Dir / "qyrlife.dbf", table.replace(At, Bytes.size(), Bytes).substr(0, Size));
    };
}
// Project() named Name; Kind 1: a directory of that name instead, 2: a link to itself.
std::function<void(const fs::path&)> As(std::string Name, int Kind = 0)
{
    return [=](const fs::path& D) {
        if (Kind == 1) fs::create_directory(D / Name);
        if (Kind == 2) fs::create_symlink(Name, D / Name);
        if (Kind == 0) Project()(D), fs::rename(D / "p.qy7", D / Name);
    };
}
const std::string NoAccess = " not found or no access: ";
const std::string L1 = "cannot be calculated: QYRLIFE.DBF ";
const std::vector<std::string> I = {"p.qy7", "/I", "/NOGUI"};
const std::vector<std::string> TempLines = {"configured", "", "t0x00: the name holds a NUL byte",
                                            "t0x00: the name holds a NUL byte"};
const std::vector<std::string> DirLines = {"CAD", "c/: No such",  "DBF", "d-: No such",
                                           "EDI", "p.qy7: Not a", L1};
struct CauseCase {
    const char* Name;
    std::function<void(const fs::path&)> Prepare;
    std::vector<std::string> Args;
    int ExitCode;
    std::vector<std::string> Tail; // the last lines on standard error hold these parts, in this order
    std::size_t Lines = 0;         // lines on standard error in all (0: any; none without a Tail)
    int FileBlocks = 0;            // largest file written, in 512-byte blocks
    bool ReadOnly = false;         // the run's directory not writable
    std::string Report = {};       // a pattern the report p.txt holds
};
// Record 1 of the life table holds NNH "500" and "0000" around byte 341. A spectrum torque of 1e12 Nm: its
// shares, 1e12 * 19/72 (670.44 / 2540.62 in the other rows), are wider than their columns of 14.
const std::string F = L1 + "record 1 field NNH: \"500";
const std::string Section = "\xC2\xA7"; // 0x15, the DOS code page's section sign, in UTF-8
const std::string Row =
    "\r\n 1 +0\\.100000 +1E12 +2\\.?638888889[0-9]*(E11)? +2\\.?638888889[0-9]*(E11)? *\r\n";
const std::vector<std::string> NulLines = {
    "invalid DBF Directory configured", "t0x00/z: the name holds a NUL byte",
    L1 + "not read: the configured DBF Directory t0x00/z holds a NUL byte"};
const std::vector<std::string> PltLines = {"Error  : invalid PLT Directory configured", "pl/: No such file"};
// The system would read the name up to the NUL, the directory t.
void NulInDbfDir(const fs::path& D)
{
    Project(0, "", Dirs("", {'t', '\0', '/', 'z'}, ""))(D);
    fs::create_directory(D / "t");
}
const CauseCase Cases[] = {
    // Line 433: the designation of planet bearing 1; 8: the input speed; 14: the sun's name (a tab is taken).
    {"NulInAProjectLine",
     Project(433, std::string(2, '\0')),
     {"p.qy7", "/I"},
     1,
     {"p.qy7 line 433: control character 0x00 in column 1"},
     1},
    {"EscapeInANumberLine",
     Project(8, "100\x1b"),
     {"p.qy7", "/I"},
     1,
     {"p.qy7 line 8: control character 0x1B in column 4"},
     1},
    {"TabInATextLine", Project(14, "S\tun"), {"p.qy7", "/I"}, 0, {}, 0},
    {"RepeatedCadSwitch",
     Project(),
     {"p.qy7", "/CAD1:1", "/cad1:1"},
     0,
     {"switch /cad1:1 repeated, done once"},
     1},
    {"RepeatedTextSwitch",
     Project(),
     {"p.qy7", "/I", "/I", "/NOGUI"},
     0,
     {"switch /I repeated, done once"},
     1},
    {"TemporaryDirectoryMissing",
     Project(0, "", Dirs("", "", "nodir/")),
     {"p.qy7", "/I"},
     4,
     {"invalid temporary directory configured: nodir/: No such file or directory",
      "p.txt could not be written"}},
    // 4 KB: a block file of the drawing is the first to fail.
    {"StlBlockFileFull",
     Project(),
     {"p.qy7", "/CAD6:1"},
     4,
     {".dx$ cannot be written: File too large; p.stl not written"},
     1,
     8},
    {"StlIntoReadOnlyDirectory",
     Project(),
     {"p.qy7", "/CAD6:1"},
     4,
     {"file p.stl cannot be written: Permission denied"},
     1,
     0,
     true},
    {"FieldTypeNul", Life(43, {'\0'}), I, 4, {L1 + "cannot be opened: Field: LW [0x00] in qyrlife.dbf"}, 1},
    {"CutInRecord1", Life(0, "", 307), I, 4, {L1 + "ends inside record 1: 307 bytes, record 1 of 7 ends"}, 1},
    {"CutInHeader", Life(0, "", 100), I, 4, {L1 + "cannot be opened: its 100 bytes are shorter than its"}, 1},
    {"LineFeedInAField", Life(341, "\n"), I, 4, {F + "0x0A0000\" is no"}, 1, 0, false, "5000x0A0000\" is"},
    {"EscapeInAField", Life(341, "\x1b"), I, 4, {F + "0x1B0000\" is no number"}, 1},
    {"DeleteInAField", Life(341, "\x7f"), I, 4, {F + "0x7F0000\" is no number"}, 1},
    {"SectionSignKept", Life(341, "\x15"), I, 4, {F + Section + "0000\" is no number"}, 1},
    {"ClassTextNul", Life(262, {'\0', '\0'}), I, 0, {}, 0, 0, false, "material class: Eh,\r\n"},
    {"DirEndingInDash", Life(0, "", 937, "t-"), I, 0, {}, 0, 0, false, "material class: Eh, IF"},
    {"DirEndingInSharpS", Life(0, "", 937, "Fu\xC3\x9F"), I, 0, {}, 0, 0, false, "material class: Eh, IF"},
    {"CyclesWithAPlusSign", Life(308, "  +1000000"), I, 0, {}, 0, 0, false, "NnF\tLW\t1E6\r\n"},
    {"TempNul", Project(0, "", Dirs("", "", {'t', '\0'})), I, 4, TempLines, 4},
    {"NulInTheDbfDirectory", NulInDbfDir, I, 4, NulLines, 3},
    {"PltDirectoryMissing", Project(0, "", Dirs("", "", "", "", "pl/")), I, 0, PltLines, 2},
    {"InvalidDirectoriesNamed", Project(0, "", Dirs("c/", "d-", "", "p.qy7")), I, 4, DirLines, 7},
    // Blanks at the ends belong to a name; a byte no character, a switch for the name; the system's causes.
    {"BlankBeforeTheName", As(" a.qy7"), {" a.qy7", "/I"}, 0, {}, 0, 0, false, "/ a\\.qy7\r\n"},
    {"BlankAfterTheName", As("b.qy7 "), {"b.qy7 ", "/I"}, 0, {}, 0, 0, false, "/b\\.qy7 \r\n"},
    {"SwitchThatIsNoCharacter", Project(), {"p.qy7", "/I", "/\xff"}, 0, {"unknown switch /0xFF ignored"}, 1},
    {"SwitchInPlaceOfTheName", Project(), {"/NOGUI", "/I"}, 2, {"wqyr7: no project file named"}, 1},
    {"ADirectory", As("d.qy7", 1), {"d.qy7", "/I"}, 1, {"file d.qy7" + NoAccess + "Is a directory"}, 1},
    {"NameTooLong", Project(), {std::string(252, 'x') + ".qy7", "/I"}, 1, {NoAccess + "File name too"}, 1},
    {"LinkLoop", As("l.qy7", 2), {"l.qy7", "/I"}, 1, {"l.qy7" + NoAccess + "Too many levels of symbolic"}, 1},
    // The spectrum's factors put the limits of the trials far below a hundredth of the nominal torque.
    {"SpectrumTorque2147483648", Project(379, "2147483648"), I, 0, {}, 0, 0, false, "T 0F\tNm\t *[0-9]"},
    {"SpectrumTorque1e12", Project(379, "1e12"), I, 0, {}, 0, 0, false, Row},
};
// The project as 齿轮/größe.qy7; where Bad, NUL bytes in its line 433 and the table directory nichtß missing.
std::function<void(const fs::path&)> Named(bool Bad)
{
    return [=](const fs::path& D) {
        Project(Bad ? 433 : 0, std::string(2, '\0'), Bad ? Dirs("", "nichtß", "") : "")(D);
        fs::create_directory(D / "齿轮");
        fs::rename(D / "p.qy7", D / "齿轮/größe.qy7");
    };
}
// Standard error in UTF-8 ("?" for what the program's texts cannot hold), the report in Windows-1252.
const std::vector<std::string> N = {"齿轮/größe.qy7", "/I", "/NOGUI"};
const std::string G = "?\?/größe.qy7";
const std::vector<std::string> NameLines = {"nichtß: No such file",
                                            G + " cannot be read: file " + G + " line 433"};
const CauseCase NameCases[] = {
    {"Unreadable", Named(true), N, 1, NameLines},
    {"Report", Named(false), N, 0, {}, 0, 0, false, "/\\?\\?/gr\366\337e\\.qy7\r\n"},
};
void CheckCauses(std::span<const CauseCase> All)
{
    for (const CauseCase& c : All) {
        SCOPED_TRACE(c.Name);
        const fs::path dir = FreshDir("causes");
        c.Prepare(dir);
        if (c.ReadOnly)
            fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write, fs::perm_options::remove);
        const TProgramRun run = RunProgram(dir, c.Args, {}, true, c.ReadOnly, c.FileBlocks);
        const std::string report = ReadWholeFile(dir / fs::path(c.Args[0]).stem().concat(".txt"));
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err;
        EXPECT_TRUE(run.Err.find('\0') == std::string::npos && (run.Err.empty() || run.Err.back() == '\n'));
        EXPECT_TRUE(std::regex_search(report, std::regex(c.Report)) && report.find('\0') > report.size());
        const auto lines = run.ErrLines();
        ASSERT_GE(lines.size(), c.Tail.size()) << run.Err;
        if (c.Lines > 0 || c.Tail.empty()) {
            EXPECT_EQ(lines.size(), c.Lines) << run.Err;
        }
        for (std::size_t k = 0; k < c.Tail.size(); ++k)
            EXPECT_NE(lines[lines.size() - c.Tail.size() + k].find(c.Tail[k]), std::string::npos) << run.Err;
    }
}
} // namespace
TEST(BatchCauses, ExitCodeAndCauseOnStandardError)
{
    CheckCauses(Cases);
}
TEST(BatchCauses, NamesAsTheFileSystemHasThemOnStandardErrorAndInTheReport)
{
    CheckCauses(NameCases);
}
