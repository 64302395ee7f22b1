// Messages that name a file show the name as the file system has it (UTF-8):
// a character the program's texts hold as itself (Æ, ñ), any other one
// (ø) as "?", never the bytes of another encoding.
#include "appfixture.h"

#include "app/projectcommands.h"
#include "dialogs/fileguard.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "xbase/access/tableaccess.h"

#include <functional>

namespace
{
const std::string Name = "\xC3\x86r\xC3\xB8 \xC3\xB1"; // Ærø ñ

struct SiteCase {
    const char* Site;
    std::function<void(const std::string& Dir)> Run;
    bool Box;           // a message box; else the message list
    std::string Before; // the message before the directory
    std::string After;  // and after it: Windows text for a box, DOS text for the list
    platform::MessageAnswer Answer = platform::MessageAnswer::Ok;
};
const SiteCase Cases[] = {
    {"OpenCheck", [](const std::string& D) { CheckFileReadable(D + "/" + Name + ".qy7"); }, true, "file ",
     "/\xC6r? \xF1.qy7 not found or no access !"},
    {"ListExport", [](const std::string& D) { ExportTextFileToExcel(D + "/" + Name + ".txt"); }, true,
     "file ", "/\xC6r? \xF1.txt not found or no access !"},
    {"TableCheck", [](const std::string& D) { CheckFileExists(D + "/" + Name + ".dbf"); }, true, "file ",
     "/\xC6r? \xF1.dbf not found or no access !"},
    {"SaveQuestion",
     [](const std::string& D) {
         telmvar.ProjectName = Name;
         telmvar.DataDir = D;
         telmvar.DataModified = true;
         QuerySaveChanges();
     },
     true, "Save file (", "/\xC6r? \xF1.qy7) ?", platform::MessageAnswer::No},
    {"CopyFailure", [](const std::string& D) { CopyBinaryFile(D + "/" + Name, D + "/b"); }, false, "file ",
     "/\x92r? \xA4 could not be copied to "},
};

class NamesInMessages : public AppTest
{
};
} // namespace

TEST_F(NamesInMessages, NamesAsTheFileSystemHasThemInMessages)
{
    const std::string d = dir.string();
    for (const SiteCase& c : Cases) {
        SCOPED_TRACE(c.Site);
        headless->HeadlessMessages().Reset();
        headless->HeadlessMessages().QueueAnswer(c.Answer);
        ClearErrorMessages();
        telmvar.MessagesEnabled = true;
        c.Run(d);
        telmvar.Aborted = false;
        const std::vector<std::string> boxes = Boxes();
        const std::string shown = c.Box
                                      ? (boxes.empty() ? "" : boxes.back())
                                      : (error0.ErrorCount == 0 ? "" : error0.ErrorTexts[error0.ErrorCount]);
        EXPECT_EQ(shown.substr(0, c.Before.size() + d.size() + c.After.size()), c.Before + d + c.After);
    }
}
