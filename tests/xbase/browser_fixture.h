#pragma once
// The table browser over copies of the shipped catalogue tables, with the
// headless platform answering its dialogs.

#include "xbase_fixture.h"

#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/ui/tablebrowser.h"

#include <cstdio>
#include <filesystem>
#include <string>

class BrowserTest : public XbaseTest
{
  protected:
    void SetUp() override
    {
        XbaseTest::SetUp();
        std::filesystem::create_directory(Path("temp"));
        telmvar.DbfDir = dir;
        telmvar.TempDir = Path("temp");
        dberror.AutoReportErrors = false;
    }
    void TearDown() override { XbaseTest::TearDown(); }

    // A copy of a shipped table, opened as the browser's table.
    std::string OpenShipped(const std::string& stem)
    {
        const std::string copy = Path(stem + ".dbf");
        std::filesystem::copy_file(std::string(QYR7_DATA_DIR) + "/" + stem + ".dbf", copy,
                                   std::filesystem::copy_options::overwrite_existing);
        dbf4.OpenTable(copy);
        return copy;
    }

  public:
    static std::string Run(const std::string& command, int* status = nullptr)
    {
        std::string out;
        FILE* p = popen(command.c_str(), "r");
        if (!p) {
            if (status) *status = -1;
            return out;
        }
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        const int rc = pclose(p);
        if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        return out;
    }

  protected:
    static bool PythonHas(const std::string& module)
    {
        int rc = -1;
        Run("/usr/bin/python3 -c 'import " + module + "' 2>/dev/null", &rc);
        return rc == 0;
    }

    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
};
