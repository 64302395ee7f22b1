#include "xbase/xbaselib.h"

#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/expr/dbexpr.h"

void InitXbaseLibrary()
{
    ResetDbHooks();
    InstallExprParser();
    ResetDbDates();
    InitNationalSettings();
    dbffile.FileOpenMode = 18;
}

void DoneXbaseLibrary() { dberror.DbErrorText.clear(); }

void ResetXbaseLibrary()
{
    ResetDbError();
    ResetDbHooks();
    ResetDbDates();
    ResetDbStrings();
    ResetDbfFile();
    ResetDbExpr();
}
