#include "app/batchfiles.h"

#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "reports/engine/reportengine.h"

#include <filesystem>
#include <sys/stat.h>
#include <system_error>

std::string BatchReportPath(const std::string& ProjectPath)
{
    return ExtractBaseName(ProjectPath) + ".txt";
}

bool SameExistingFile(const std::string& A, const std::string& B)
{
    struct stat a {
    }, b{};
    if (::stat(NativePath(A).c_str(), &a) != 0 || ::stat(NativePath(B).c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string ReportedProjectPath(const std::string& ProjectPath)
{
    std::error_code ec;
    const auto path = std::filesystem::absolute(NativePath(ProjectPath), ec);
    return ec ? ProjectPath : path.lexically_normal().string();
}

namespace
{

// Only a name the report engine makes for the batch device: "$$$" + k +
// ".txt" in the run's own temporary directory. Anything else in ReportFileName (a
// file the user chose) is never deleted here.
bool IsWorkingCopyName(const std::string& Name)
{
    const std::string prefix = RunTempPath("$$$");
    if (Name.size() <= prefix.size() + 4 || Name.compare(0, prefix.size(), prefix) != 0) return false;
    if (Name.compare(Name.size() - 4, 4, ".txt") != 0) return false;
    for (std::size_t i = prefix.size(); i < Name.size() - 4; ++i)
        if (Name[i] < '0' || Name[i] > '9') return false;
    return true;
}

} // namespace

TReportWorkingCopyGuard::TReportWorkingCopyGuard()
{
    // Nothing of an earlier report is taken for this run's working copy.
    reportengine.ReportFileName.clear();
}

TReportWorkingCopyGuard::~TReportWorkingCopyGuard()
{
    if (IsWorkingCopyName(reportengine.ReportFileName)) DeleteFileIfExists(reportengine.ReportFileName);
}
