// Number texts the program forms with the C library's help read and write
// the point under a user's locale with a decimal comma (the window's toolkit
// sets the process's locale from the user's settings) as under C.
#include "appfixture.h"

#include "app/systeminfo.h"
#include "common/testlocales.h"
#include "planetary/filelines.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/ndx/ndx.h"
#include "xbase/xbaselib.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <sstream>

using NumbersUnderADecimalComma = AppTest;

TEST_F(NumbersUnderADecimalComma, ReadAndWrittenAsUnderC)
{
    // An index on a number field N(7,2): its key text is the field's.
    const std::string table = (dir / "t.dbf").string();
    TDbfTable t;
    ASSERT_TRUE(CreateDBF(t, table, {{"N", 'N', 7, 2, 0}}));
    t.Name = table;
    ASSERT_TRUE(OpenDbf(t));
    t.RecordBuffer = "   12.50";
    ASSERT_TRUE(AppendDbfRecord(t) && CloseDbf(t));
    InitXbaseLibrary();
    ASSERT_TRUE(UseFile(table));
    ASSERT_TRUE(MakeIndex((dir / "t.ndx").string(), "N"));
    Set_Index_To((dir / "t.ndx").string());
    GoTop();
    // A stand-in machine for the summary line; the clock of this one.
    systemqueries.HostName = [] { return std::string("pc"); };
    systemqueries.SystemRelease = [] { return std::string("6.1.0-18-amd64"); };
    systemqueries.CpuMHz = [] { return std::optional<double>(2394.4); };
    systemqueries.PhysicalMemory = [] { return uint64_t(16'777'216'000); };
    systemqueries.Volume = [](const std::string&) {
        return std::optional<TVolumeInfo>(TVolumeInfo{"ext4", 499'563'174'912ULL, 0});
    };
    const auto realClock = [] {
        ResetSystemQueries();
        const auto mhz = MeasureCpuClock();
        char buf[32];
        return mhz ? std::string(buf, std::to_chars(buf, buf + sizeof buf, *mhz).ptr) : std::string("none");
    };
    const std::string cpuinfo = (dir / "cpuinfo").string(), maxfreq = (dir / "cpuinfo_max_freq").string();
    std::ofstream(cpuinfo) << "processor\t: 0\ncpu MHz\t\t: 2596.142\n";
    std::ofstream(maxfreq) << "3500000\n";
    const struct {
        const char* What;
        std::function<std::string()> Text;
        const char* Expected; // null: what C gives
    } cases[] = {
        {"index key text", [] { return OrderKeyText(1); }, "  12.50"},
        {"range bound", [] { return RangeBoundText(0.0015L); }, "0.0015"},
        {"range bound, six digits", [] { return RangeBoundText(1234567.0L); }, "1.23457e+06"},
        {"system summary", [] { return GetSystemSummary(); }, "pc/6.1/2.4GHz/16777MB/500GB/"},
        {"summary of a clock read from the kernel's text (2596.142 MHz)",
         [] {
             systemqueries.CpuMHz = [] {
                 std::istringstream cpuinfo("processor\t: 0\ncpu MHz\t\t: 2596.142\n");
                 return CpuInfoMHz(cpuinfo);
             };
             return GetSystemSummary();
         },
         "pc/6.1/2.6GHz/16777MB/500GB/"},
        // The machine's query from its files: the kernel's text without cpufreq, else cpufreq's kHz.
        {"summary of a clock read from a cpuinfo file",
         [cpuinfo] {
             systemqueries.CpuMHz = [cpuinfo] { return CpuClockFromFiles(cpuinfo + ".none", cpuinfo); };
             return GetSystemSummary();
         },
         "pc/6.1/2.6GHz/16777MB/500GB/"},
        {"summary of a clock read from a cpufreq file (3500000 kHz)",
         [maxfreq, cpuinfo] {
             systemqueries.CpuMHz = [maxfreq, cpuinfo] { return CpuClockFromFiles(maxfreq, cpuinfo); };
             return GetSystemSummary();
         },
         "pc/6.1/3.5GHz/16777MB/500GB/"},
        {"processor clock", realClock, nullptr},
    };
    for (const auto& c : cases) {
        const std::string inC = c.Text();
        EXPECT_EQ(inC, c.Expected ? c.Expected : inC) << c.What;
        const testlocales::ScopedLocale german("de_DE.UTF-8", LC_NUMERIC);
        ASSERT_TRUE(german.Ok());
        EXPECT_EQ(c.Text(), inC) << c.What;
    }
    DoneXbaseLibrary();
}
