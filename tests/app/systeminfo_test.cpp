// The system information window and the about box: the memo's lines in
// order with their labels over a stand-in machine, the real queries checked
// against what the kernel reports elsewhere, and the about box's texts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/systeminfo.h"
#include "foundation/programstate.h"

namespace
{

std::string FirstLine(const char* Path)
{
    std::ifstream in(Path);
    std::string s;
    std::getline(in, s);
    return s;
}

class SystemInfo : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        telmvar.ProgramName = "QYR7";
        auto& q = systemqueries;
        q.HostName = [] { return std::string("workshop-pc-number-7"); };
        q.UserName = [] { return std::string("anna"); };
        q.ProgramPath = [] { return std::string("/opt/QYR7/bin/wqyr7"); };
        q.SystemName = [] { return std::string("Linux"); };
        q.SystemRelease = [] { return std::string("6.1.0-18-amd64"); };
        q.CpuMHz = [] { return std::optional<double>(2394.4); };
        q.PhysicalMemory = [] { return uint64_t(16'777'216'000); };
        q.Volume = [this](const std::string& Dir) {
            volumeDir = Dir;
            return std::optional<TVolumeInfo>(TVolumeInfo{"ext4", 499'963'174'912ULL, 1'234'567'890ULL});
        };
        q.Resolve = [](const std::string& Name) {
            return Name == "workshop-pc-number-7" ? std::vector<std::string>{"192.168.1.7", "10.0.0.7"}
                                                  : std::vector<std::string>{};
        };
    }
    std::string volumeDir;
};

TEST_F(SystemInfo, LinesInOrderWithTheirLabels)
{
    TSysinfo info;
    const std::vector<std::string> expected = {
        "PC Name     : workshop-pc-number-7",
        "User        : anna",
        "File name   : /opt/qyr7/bin/wqyr7",
        "File syst.  : ext4",
        "HD total    : 499963 MB",
        "HD free     :   1235 MB",
        "Operat.sys. : Linux 6.1.0-18-amd64",
        "Clock speed : 2394 MHz",
        // 17 characters of the name, 2.4 GHz, 16777 MB, 500 GB
        "workshop-pc-numbe/6.1/2.4GHz/16777MB/500GB/",
        "IP-Adress:",
        "192.168.1.7",
        "10.0.0.7",
    };
    EXPECT_EQ(info.Lines(), expected);
    EXPECT_EQ(volumeDir, "/opt/QYR7/bin");
    EXPECT_EQ(info.Caption(), "QYR7 System Info");
    EXPECT_EQ(info.Press("OKButton"), platform::DialogAction::Accept);
}

TEST_F(SystemInfo, UnresolvedHostUnreadableDiskUnknownClock)
{
    systemqueries.Resolve = [](const std::string&) { return std::vector<std::string>{}; };
    systemqueries.Volume = [](const std::string&) { return std::optional<TVolumeInfo>{}; };
    systemqueries.CpuMHz = [] { return std::optional<double>{}; };
    TSysinfo info;
    const auto& L = info.Lines();
    ASSERT_EQ(L.size(), 8u);
    EXPECT_EQ(L[3], "File system error");
    // No clock and no disk are shown as unknown, not as zero.
    EXPECT_EQ(L[5], "Clock speed : not known");
    EXPECT_EQ(L[6], "workshop-pc-numbe/6.1/?GHz/16777MB/?GB/");
    EXPECT_EQ(L.back(), "IP-Adress:");
}

// Whole megabytes (10^6 bytes, rounded half up), six places wide, with no
// thousands mark that a desktop could read as a decimal mark.
TEST_F(SystemInfo, MegabytesWithoutThousandsMarks)
{
    const struct {
        uint64_t Bytes;
        const char* Text;
    } cases[] = {{0, "     0"},
                 {499'999, "     0"},
                 {500'000, "     1"},
                 {999'999'999, "  1000"},
                 {12'345'000'000, " 12345"},
                 {270'553'000'000, "270553"},
                 {1'234'567'000'000, "1234567"}};
    for (const auto& c : cases)
        EXPECT_EQ(MegabyteText(c.Bytes), c.Text) << c.Bytes;
}

TEST(SystemQueriesOfThisMachine, AgreeWithTheKernel)
{
    EXPECT_EQ(systemqueries.SystemName(), FirstLine("/proc/sys/kernel/ostype"));
    EXPECT_EQ(systemqueries.SystemRelease(), FirstLine("/proc/sys/kernel/osrelease"));
    EXPECT_EQ(systemqueries.HostName(), FirstLine("/proc/sys/kernel/hostname"));
    EXPECT_EQ(GetWindowsVersionName(),
              FirstLine("/proc/sys/kernel/ostype") + " " + FirstLine("/proc/sys/kernel/osrelease"));
    // MemTotal is in kB and slightly below the installed memory sysinfo counts
    // less reserved pages; both must agree within a few percent.
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    uint64_t kb = 0;
    meminfo >> key >> kb;
    ASSERT_EQ(key, "MemTotal:");
    EXPECT_NEAR(double(systemqueries.PhysicalMemory()), kb * 1024.0, kb * 1024.0 * 0.05);
    char exe[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    EXPECT_EQ(systemqueries.ProgramPath(), exe);
    const auto v = systemqueries.Volume("/");
    ASSERT_TRUE(v.has_value());
    EXPECT_GE(v->TotalBytes, v->FreeBytes);
    EXPECT_FALSE(v->FileSystem.empty());
    if (const auto mhz = MeasureCpuClock()) {
        EXPECT_GT(*mhz, 100.0);
    }
    EXPECT_TRUE(systemqueries.Resolve("").empty());
    EXPECT_EQ(systemqueries.Resolve("localhost").empty(), false);
}

TEST(AboutBox, TextsForThisPlatform)
{
    telmvar.ProgramName = "QYR7";
    telmvar.ProgramFileStem = "qyr7";
    telmvar.ProgramVersion = "1.0";
    TAboutBox about;
    EXPECT_EQ(about.Caption(), "QYR7");
    EXPECT_EQ(about.FindControl("ProductName")->Caption, "Version 1.0 for Linux");
    EXPECT_EQ(about.FindControl("Label_sonderversion")->Caption, "");
    systemqueries.ProgramPath = [] { return std::string("/opt/QYR7/bin/qyr7-gui"); }; // the file running
    EXPECT_EQ(TAboutBox().FindControl("Label_fileversion")->Caption, "File Version : 1.0   (qyr7-gui:lx64)");
    ResetSystemQueries();
    EXPECT_EQ(about.FindControl("Label_extended")->Caption, telmvar.ProgramTitle);
    EXPECT_EQ(about.Press("OKButton"), platform::DialogAction::Accept);
}

} // namespace
