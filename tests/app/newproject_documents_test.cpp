// New project and the documentation data: the change protocol and the
// remark lines start empty, the document links stay as they were, also
// those the "null" template brings.
#include "app/maincommands.h"
#include "app/mainmenu.h"
#include "app/menutexts.h"
#include "appfixture.h"
#include "dialogs/dialogservices.h"
#include "planetary/documentation.h"
#include "planetary/projectfile.h"
#include "testcommands.h"

TEST_F(AppTest, NewProjectKeepsTheDocumentLinks)
{
    InitProgramLoadDefaults();
    InstallPlatformServices();
    ResetDialogServices();
    UpdateMenuCaptions();
    telmvar.DataDir = dir.string() + "/";
    telmvar.TempDir = dir.string() + "/";
    ResetDocumentation("01.12.2026");
    documentation.DocLinkPrograms[2] = {"/usr/bin/gimp", "/home/u/gear.png"};
    documentation.ChangeCount = 2;
    telmvar.RemarkLines[1] = "template remark";
    ASSERT_TRUE(WriteProjectData(dir.string() + "/null." + telmvar.DataExt));
    const auto templateLinks = documentation.DocLinkPrograms;
    documentation.DocLinkPrograms[4] = {"/usr/bin/other", "/tmp/x"};

    TTestCommands hh;
    hh.Attach(headless->HeadlessWindow());
    // Stop at the predimensioning: the resets have been made by then.
    hh.Forms["TForm_qyr7vor"] = [] { telmvar.Aborted = true; };
    telmvar.DataModified = false;
    ASSERT_TRUE(hh.Click("mi_fileNew"));
    EXPECT_EQ(documentation.DocLinkPrograms, templateLinks);
    EXPECT_EQ(documentation.ChangeCount, 0);
    EXPECT_EQ(telmvar.RemarkLines[1], "");
}
