#pragma once
// The files of a text batch run besides the project it reads: the report
// that goes beside it, and the working copy the report engine writes first.

#include <string>

// The report of the text batch run: the project's base name + ".txt" in the
// current directory.
std::string BatchReportPath(const std::string& ProjectPath);

// Both names lead to the same file (the same device and inode after links
// are followed). False when either does not exist.
bool SameExistingFile(const std::string& A, const std::string& B);

// The project file as the batch report's header names it: the absolute path,
// so that a report kept apart from its project still says where it came from.
std::string ReportedProjectPath(const std::string& ProjectPath);

// The report engine writes a batch report to a working copy "$$$k.txt" in the
// temporary directory and copies it beside the project at the end. Whichever
// way the run leaves (a report cut short, a write error, a fatal result, an
// exception), the working copy goes with it: a batch run in a loop would
// otherwise fill the temporary directory.
class TReportWorkingCopyGuard
{
  public:
    TReportWorkingCopyGuard();
    ~TReportWorkingCopyGuard();
    TReportWorkingCopyGuard(const TReportWorkingCopyGuard&) = delete;
    TReportWorkingCopyGuard& operator=(const TReportWorkingCopyGuard&) = delete;
};
