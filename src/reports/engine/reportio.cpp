#include "reports/engine/reportio.h"

#include "foundation/codepage.h"
#include "foundation/textfile.h"

// Every line of a report goes through the program's one shared text file. A
// file opened for writing is written beside its name and put in place when it
// is closed, so a report whose writing failed never replaces an earlier file.

void ReportOutputAssign(const std::string& Name)
{
    if (textfile.SharedTextFile.IsOpen()) textfile.SharedTextFile.Abandon();
    AssignTextFile(textfile.SharedTextFile, Name);
}

bool ReportOutputRewrite(std::string& Why, bool Scratch)
{
    if (textfile.SharedTextFile.IsOpen()) textfile.SharedTextFile.Abandon();
    // The shared file reports a file that cannot be created itself.
    Why.clear();
    textfile.SharedTextFile.ReplaceLinks(true);
    textfile.SharedTextFile.Scratch(Scratch);
    return RewriteTextFile(textfile.SharedTextFile);
}

bool ReportOutputClose()
{
    if (!textfile.SharedTextFile.IsOpen()) return true;
    return CloseTextFile(textfile.SharedTextFile);
}

void ReportOutputAbandon()
{
    if (textfile.SharedTextFile.IsOpen()) textfile.SharedTextFile.Abandon();
}

bool ReportOutputIsOpen()
{
    return textfile.SharedTextFile.IsOpen();
}

bool ReportOutputLine(const std::string& Text)
{
    return WriteTextLine(Text);
}

bool ReportOutputText(const std::string& Text)
{
    return WriteText(Text);
}

std::string ReportOutputFailureText(const std::string& Name)
{
    const std::string& why = textfile.SharedTextFile.WriteFailure();
    return why.empty() ? "file write error " + FileNameToOem(Name) : CannotBeWrittenText(Name, why);
}
