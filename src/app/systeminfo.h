#pragma once
// The system information window and the about box of the Help menu, and the
// system queries behind them. The queries sit in a hook table so that tests
// can stand in for the machine (a host name that does not resolve, a disk
// that cannot be read).

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialoghost.h"

struct TVolumeInfo {
    std::string FileSystem;
    uint64_t TotalBytes = 0;
    uint64_t FreeBytes = 0;
};

struct TSystemQueries {
    std::function<std::string()> HostName;         // gethostname
    std::function<std::string()> UserName;         // the login's name
    std::function<std::string()> ProgramPath;      // the running program file
    std::function<std::string()> SystemName;       // uname: sysname
    std::function<std::string()> SystemRelease;    // uname: release ("6.1.0-18-amd64")
    std::function<std::optional<double>()> CpuMHz; // cpufreq, else /proc/cpuinfo
    std::function<uint64_t()> PhysicalMemory;      // sysinfo: bytes
    // statvfs of the program's directory; nothing when it cannot be read.
    std::function<std::optional<TVolumeInfo>(const std::string& Dir)> Volume;
    // getaddrinfo of the name: the IPv4 addresses in dotted form.
    std::function<std::vector<std::string>(const std::string& Name)> Resolve;
};

extern TSystemQueries systemqueries;
// Installs the queries of this machine.
void ResetSystemQueries();

// The system's name and release ("Linux 6.1.0-18-amd64").
std::string GetWindowsVersionName();
// The processor clock in MHz; nothing when the system does not tell it.
std::optional<double> MeasureCpuClock();
// The clock of the first "cpu MHz" line of a /proc/cpuinfo text; nothing
// without one that holds a clock.
std::optional<double> CpuInfoMHz(std::istream& CpuInfo);
// The clock the machine's query reads from its two files: the first number of
// MaxFreq (cpufreq's highest frequency, in kHz), else CpuInfoMHz of CpuInfo.
std::optional<double> CpuClockFromFiles(const std::string& MaxFreq, const std::string& CpuInfo);
// host (17 characters) / major.minor / GHz / MB / GB /
std::string GetSystemSummary();
// The addresses of this host; empty when its name does not resolve.
std::vector<std::string> GetHostAddresses();
// Bytes as whole MB (1000000), rounded, right-aligned in six places as the
// "%6.0n" of the information window, but with no thousands mark.
std::string MegabyteText(uint64_t Bytes);

// The system information window: a read-only memo and OK.
class TSysinfo final : public platform::DialogModel
{
  public:
    TSysinfo() { FormActivate(); }
    std::string FormName() const override { return "TSysinfo"; }
    std::string Caption() const override;
    // Fills the memo's lines.
    void FormActivate();
    const std::vector<std::string>& Lines() const { return lines_; }
    platform::DialogAction Press(const std::string& Name) override;

  private:
    std::vector<std::string> lines_;
};

// The about box: product name, title, special version and file version.
class TAboutBox final : public platform::DialogModel
{
  public:
    TAboutBox(); // FormCreate
    std::string FormName() const override { return "TAboutBox"; }
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
};

// The short build tag of the file-version line.
extern const char* const BuildTag;
