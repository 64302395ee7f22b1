#include "reports/engine/launchfailure.h"

#include "foundation/codepage.h"
#include "reports/engine/reportservices.h"

// The launcher's message holds the name as the file system has it among its
// plain words.
void ShowLaunchFailure(const std::string& What, const platform::LaunchResult& Result)
{
    if (Result.Started) return;
    const std::string why =
        Result.Message.empty() ? "it could not be started" : FileNameToOem(Result.Message);
    if (reportservices.ShowMessageBox) reportservices.ShowMessageBox(What + ":\r\n" + why);
}
