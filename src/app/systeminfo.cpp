#include "app/systeminfo.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <pwd.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/codepage.h"
#include "foundation/fileversion.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"

const char* const BuildTag = "lx64";

namespace
{

namespace fs = std::filesystem;

std::string RealHostName()
{
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) != 0) return {};
    return buf;
}

std::string RealUserName()
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return pw->pw_name;
    if (const char* u = std::getenv("USER")) return u;
    return {};
}

std::string RealProgramPath()
{
    std::error_code ec;
    const fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

utsname Uname()
{
    utsname u{};
    uname(&u);
    return u;
}

std::optional<double> ReadFirstNumber(const std::string& Path)
{
    std::ifstream in(Path);
    double v = 0;
    if (in >> v && v > 0) return v;
    return std::nullopt;
}

std::optional<double> RealCpuMHz()
{
    return CpuClockFromFiles("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "/proc/cpuinfo");
}

uint64_t RealPhysicalMemory()
{
    struct sysinfo si {
    };
    if (sysinfo(&si) != 0) return 0;
    return uint64_t(si.totalram) * si.mem_unit;
}

// The file system type of the longest mount point holding Dir.
std::string MountType(const std::string& Dir)
{
    std::ifstream in("/proc/self/mounts");
    std::string dev, mnt, type, rest, best, bestType;
    while (in >> dev >> mnt >> type && std::getline(in, rest)) {
        const bool holds = Dir == mnt || (Dir.rfind(mnt, 0) == 0 && (mnt == "/" || Dir[mnt.size()] == '/'));
        if (holds && mnt.size() >= best.size()) {
            best = mnt;
            bestType = type;
        }
    }
    return bestType;
}

std::optional<TVolumeInfo> RealVolume(const std::string& Dir)
{
    struct statvfs v {
    };
    if (Dir.empty() || statvfs(Dir.c_str(), &v) != 0) return std::nullopt;
    TVolumeInfo info;
    info.FileSystem = MountType(Dir);
    info.TotalBytes = uint64_t(v.f_blocks) * v.f_frsize;
    info.FreeBytes = uint64_t(v.f_bavail) * v.f_frsize;
    return info;
}

std::vector<std::string> RealResolve(const std::string& Name)
{
    std::vector<std::string> out;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    if (Name.empty() || getaddrinfo(Name.c_str(), nullptr, &hints, &res) != 0) return out;
    for (addrinfo* a = res; a; a = a->ai_next) {
        char buf[INET_ADDRSTRLEN] = {};
        const auto* sin = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        if (!inet_ntop(AF_INET, &sin->sin_addr, buf, sizeof buf)) continue;
        bool seen = false;
        for (const auto& s : out)
            seen = seen || s == buf;
        if (!seen) out.emplace_back(buf);
    }
    freeaddrinfo(res);
    return out;
}

std::string ProgramDir()
{
    const std::string path = systemqueries.ProgramPath();
    return path.empty() ? std::string() : fs::path(path).parent_path().string();
}

// "6.1.0-18-amd64" -> "6.1"
std::string MajorMinor(const std::string& Release)
{
    const char* const end = Release.data() + Release.size();
    int major = 0, minor = 0;
    const auto r = std::from_chars(Release.data(), end, major);
    if (r.ec != std::errc()) return "0.0";
    if (r.ptr != end && *r.ptr == '.') std::from_chars(r.ptr + 1, end, minor);
    return std::to_string(major) + "." + std::to_string(minor);
}

// The point whatever locale the window's toolkit has set.
std::string Fixed(double v, int decimals)
{
    char buf[400];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr);
}

TSystemQueries RealQueries()
{
    TSystemQueries q;
    q.HostName = RealHostName;
    q.UserName = RealUserName;
    q.ProgramPath = RealProgramPath;
    q.SystemName = [] { return std::string(Uname().sysname); };
    q.SystemRelease = [] { return std::string(Uname().release); };
    q.CpuMHz = RealCpuMHz;
    q.PhysicalMemory = RealPhysicalMemory;
    q.Volume = RealVolume;
    q.Resolve = RealResolve;
    return q;
}

} // namespace

TSystemQueries systemqueries = RealQueries();

std::optional<double> CpuInfoMHz(std::istream& CpuInfo)
{
    std::string line;
    while (std::getline(CpuInfo, line)) {
        if (line.rfind("cpu MHz", 0) != 0) continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        // "cpu MHz\t\t: 2596.142": the kernel writes a point.
        const std::size_t digits = line.find_first_not_of(" \t", colon + 1);
        double mhz = 0;
        if (digits != std::string::npos)
            std::from_chars(line.data() + digits, line.data() + line.size(), mhz);
        if (mhz > 0) return mhz;
    }
    return std::nullopt;
}

// The nominal clock: the highest frequency cpufreq reports, in kHz; without
// cpufreq (virtual machines) the "cpu MHz" line of the first processor.
std::optional<double> CpuClockFromFiles(const std::string& MaxFreq, const std::string& CpuInfo)
{
    if (auto khz = ReadFirstNumber(MaxFreq)) return *khz / 1000.0;
    std::ifstream in(CpuInfo);
    return CpuInfoMHz(in);
}

void ResetSystemQueries()
{
    systemqueries = RealQueries();
}

std::string GetWindowsVersionName()
{
    return systemqueries.SystemName() + " " + systemqueries.SystemRelease();
}

std::optional<double> MeasureCpuClock()
{
    return systemqueries.CpuMHz();
}

std::vector<std::string> GetHostAddresses()
{
    return systemqueries.Resolve(systemqueries.HostName());
}

// Without a thousands mark, unlike the locale's grouping of the window this
// copies: a comma in "270,553 MB" is a decimal comma to a German or French
// reader (270.5 MB), a dot one to an English reader; bare digits read the
// same on every desktop.
std::string MegabyteText(uint64_t Bytes)
{
    std::string out = std::to_string((Bytes + 500000) / 1000000);
    if (out.size() < 6) out.insert(0, 6 - out.size(), ' ');
    return out;
}

std::string GetSystemSummary()
{
    // A clock or disk the system does not tell shows "?", never a zero.
    const auto mhz = MeasureCpuClock();
    const auto volume = systemqueries.Volume(ProgramDir());
    return systemqueries.HostName().substr(0, 17) + "/" + MajorMinor(systemqueries.SystemRelease()) + "/" +
           (mhz ? Fixed(*mhz / 1000.0, 1) : std::string("?")) + "GHz/" +
           std::to_string(systemqueries.PhysicalMemory() / 1000000) + "MB/" +
           (volume ? Fixed(double(volume->TotalBytes) / 1e9, 0) : std::string("?")) + "GB/";
}

std::string TSysinfo::Caption() const
{
    return telmvar.ProgramName + " System Info";
}

void TSysinfo::FormActivate()
{
    auto& L = lines_;
    L.clear();
    L.push_back("PC Name     : " + systemqueries.HostName());
    L.push_back("User        : " + systemqueries.UserName());
    L.push_back("File name   : " + LowerCaseText(systemqueries.ProgramPath()));
    if (const auto v = systemqueries.Volume(ProgramDir())) {
        L.push_back("File syst.  : " + v->FileSystem);
        L.push_back("HD total    : " + MegabyteText(v->TotalBytes) + " MB");
        L.push_back("HD free     : " + MegabyteText(v->FreeBytes) + " MB");
    } else {
        L.push_back("File system error");
    }
    L.push_back("Operat.sys. : " + GetWindowsVersionName());
    const auto mhz = MeasureCpuClock();
    L.push_back("Clock speed : " + (mhz ? Fixed(*mhz, 0) + " MHz" : std::string("not known")));
    L.push_back(GetSystemSummary());
    L.push_back("IP-Adress:");
    for (const auto& a : GetHostAddresses())
        L.push_back(a);
    std::string memo;
    for (const auto& l : L)
        memo += l + "\r\n";
    Control("Memo1").Text = memo;
    // The system's own names (host, user, the program's file) as it gives
    // them, beside plain words: shown as the file system's bytes are.
    Control("Memo1").FileName = true;
    Control("OKButton").Caption = "OK";
    Touch();
}

platform::DialogAction TSysinfo::Press(const std::string& Name)
{
    if (Name == "OKButton") return platform::DialogAction::Accept;
    return DialogModel::Press(Name);
}

TAboutBox::TAboutBox()
{
    Control("Label_extended").Caption = DisplayText(telmvar.ProgramTitle);
    Control("ProductName").Caption = "Version " + telmvar.ProgramVersion + " for Linux";
    Control("Label_sonderversion").Caption = "";
    // The version is the program's own; the file named is the one running,
    // as the system knows it.
    const std::string program = fs::path(systemqueries.ProgramPath()).filename().string();
    Control("Label_fileversion").Caption =
        "File Version : " + GetFileVersionText("W" + telmvar.ProgramFileStem + ".exe") + "   (" +
        DisplayText(FileNameToOem(program)) + ":" + BuildTag + ")";
    Control("OKButton").Caption = "OK";
}

std::string TAboutBox::Caption() const
{
    return telmvar.ProgramName;
}

platform::DialogAction TAboutBox::Press(const std::string& Name)
{
    if (Name == "OKButton") return platform::DialogAction::Accept;
    return DialogModel::Press(Name);
}
