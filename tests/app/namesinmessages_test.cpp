// Messages name a file as the file system has it: Æ and ñ as the program's texts hold them, ø as "?".
#include "appfixture.h"

#include "app/maincommands.h"
#include "app/projectcommands.h"
#include "dialogs/fileguard.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "xbase/access/tableaccess.h"

#include <functional>

namespace
{
const std::string Name = "/Ærø ñ";
using M = platform::MessageAnswer;
struct SiteCase {
    std::function<void(const std::string& Dir)> Run;
    std::string Before, After; // around the directory; a box's Windows text, else the list's DOS text
    bool Box = true;
    M Answer = M::Ok;
};
const SiteCase Cases[] = {
    {[](const std::string& D) { CheckFileReadable(D + Name + ".qy7"); }, "file ",
     "/\xC6r? \xF1.qy7 not found"},
    {[](const std::string& D) { CheckFileExists(D + Name + ".dbf"); }, "file ", "/\xC6r? \xF1.dbf not found"},
    {[](const std::string& D) {
         telmvar.ProjectName = Name.substr(1);
         telmvar.DataDir = D;
         telmvar.DataModified = true;
         QuerySaveChanges();
     },
     "Save file (", "/\xC6r? \xF1.qy7) ?", true, M::No},
    {[](const std::string& D) { CopyBinaryFile(D + Name, D + "/b"); }, "file ", "/\x92r? \xA4 could not",
     false},
    {[](const std::string& D) { ExportTextFileToExcel(D + Name + ".txt"); }, "file ",
     "/\xC6r? \xF1.txt not found or no access !"},
    {[](const std::string& D) {
         WriteWholeFile(D + "/p.txt", "x\r\n");
         const std::string kept = telmvar.TempDir;
         telmvar.TempDir = D + Name; // no such folder: the list cannot be written there
         ExportTextFileToExcel(D + "/p.txt");
         telmvar.TempDir = kept;
     },
     "file ", "/\xC6r? \xF1/p.csv "},
    {[](const std::string& D) {
         telmvar.DataModified = false;
         wtelmvar.RecentFiles[1] = D + Name + ".qy7";
         Thh().OpenRecentFile(1);
     },
     "File ", "/\xC6r? \xF1.qy7 not found !"},
};
} // namespace

TEST_F(AppTest, NamesAsTheFileSystemHasThemInMessages)
{
    const std::string d = dir.string();
    for (const SiteCase& c : Cases) {
        SCOPED_TRACE(c.After);
        headless->HeadlessMessages().Reset();
        headless->HeadlessMessages().QueueAnswer(c.Answer);
        ClearErrorMessages();
        telmvar.MessagesEnabled = true;
        c.Run(d);
        telmvar.Aborted = false;
        const std::string list = error0.ErrorCount > 0 ? error0.ErrorTexts[error0.ErrorCount] : "";
        const std::string shown = c.Box ? (Boxes().empty() ? "" : Boxes().back()) : list;
        EXPECT_EQ(shown.substr(0, c.Before.size() + d.size() + c.After.size()), c.Before + d + c.After);
    }
}
