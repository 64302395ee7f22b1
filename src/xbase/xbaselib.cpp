#include "xbase/xbaselib.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/expr/dbexpr.h"
#include "xbase/memo/dbmemo.h"
#include "xbase/ndx/ndx.h"
#include "xbase/vfile/dbvfile.h"

void InitXbaseLibrary()
{
    ResetDbHooks();
    InstallExprParser();
    InstallMemoHooks();
    InstallVFileDriver();
    IndexInit();
    ResetDbDates();
    InitNationalSettings();
    dbcmd.CurrentArea = 1;
    dbffile.FileOpenMode = 18;
    dbcmd.DefaultOpenMode = 66;
}

void DoneXbaseLibrary()
{
    for (int area : {34, 35}) {
        dbcmd.CurrentArea = static_cast<uint8_t>(area);
        CloseArea();
    }
    CloseAll();
    dberror.DbErrorText.clear();
}
