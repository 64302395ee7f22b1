#include "reports/engine/reportio.h"

#include "foundation/telmvar.h"

#include <cerrno>
#include <cstdio>

namespace {

struct TReportOutput {
    std::string Name;
    std::FILE* File = nullptr;
};

TReportOutput output;

bool Put(const std::string& Text)
{
    if (!output.File) {
        telmvar.Aborted = true;
        return false;
    }
    if (!Text.empty() && std::fwrite(Text.data(), 1, Text.size(), output.File) != Text.size()) {
        telmvar.Aborted = true;
        return false;
    }
    return true;
}

} // namespace

void ReportOutputAssign(const std::string& Name)
{
    ReportOutputClose();
    output.Name = Name;
}

bool ReportOutputRewrite(std::string& Why)
{
    ReportOutputClose();
    errno = 0;
    output.File = std::fopen(output.Name.c_str(), "wb");
    if (!output.File) {
        Why = errno == ENOSPC ? "disk full" : "file write error";
        telmvar.Aborted = true;
        return false;
    }
    return true;
}

bool ReportOutputClose()
{
    bool ok = true;
    if (output.File) {
        if (std::fclose(output.File) != 0) {
            telmvar.Aborted = true;
            ok = false;
        }
        output.File = nullptr;
    }
    return ok;
}

bool ReportOutputIsOpen() { return output.File != nullptr; }

bool ReportOutputLine(const std::string& Text) { return Put(Text + "\r\n"); }

bool ReportOutputText(const std::string& Text)
{
    bool ok = Put(Text);
    if (ok && std::fflush(output.File) != 0) {
        telmvar.Aborted = true;
        ok = false;
    }
    return ok;
}
