#include "planetary/filenames.h"

#include "foundation/codepage.h"
#include "foundation/messagecollector.h"
#include "foundation/pathsplit.h"
#include "foundation/programstate.h"

#include <algorithm>

TFileNameDialogs filenamedialogs;

namespace
{

struct Installer {
    Installer() { ResetFileNameDialogs(); }
} installer;

} // namespace

void CompleteFileName(const std::string& Name, std::string& Path)
{
    if (Name.empty()) {
        // Asking for a name needs the file dialog of the input dialogs.
        AddErrorMessage("no file name given !");
        telmvar.Aborted = true;
        return;
    }
    const std::string file = NamePart(Name);
    const auto dots = std::count(file.begin(), file.end(), '.');
    if (dots > 1) {
        AddErrorMessage(FileNameToOem(Name) + " not allowed (too many dots)!");
        telmvar.Aborted = true;
        return;
    }
    if (dots == 0)
        Path = telmvar.DataDir + Name + "." + telmvar.DataExt;
    else
        Path = Name;
}

void CompleteSaveFileName(const std::string& Name, std::string& Path)
{
    // An archived project is opened read-only: only the scratch copy
    // "actual" may be written.
    if (telmvar.ArchiveMode && telmvar.ArchiveFlag && Name != "actual") {
        AddErrorMessage("Option is not available in archive mode.");
        telmvar.Aborted = true;
        return;
    }
    CompleteFileName(Name, Path);
}

void ResetFileNameDialogs()
{
    filenamedialogs.SaveFileDialog = CompleteSaveFileName;
    filenamedialogs.OpenFileDialog = CompleteFileName;
}

namespace
{
int OtherFileDepth = 0;
}

void WithDataExt(const std::string& Ext, const std::function<void()>& F)
{
    // The dialogs name the chosen file the project's, as they do for a
    // project file: a load spectrum read or written is no project, and the
    // next Save still writes the file that was opened.
    const std::string kept = telmvar.DataExt;
    const TProjectPlace place = CurrentProjectPlace();
    telmvar.DataExt = Ext;
    struct TOtherFile {
        TOtherFile() { ++OtherFileDepth; }
        ~TOtherFile() { --OtherFileDepth; }
    };
    {
        const TOtherFile other;
        F();
    }
    telmvar.DataExt = kept;
    RestoreProjectPlace(place);
}

bool ResolvingOtherFile()
{
    return OtherFileDepth > 0;
}
