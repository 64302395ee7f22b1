#include "xbase/xbaselib.h"

#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"

void InitXbaseLibrary()
{
    ResetDbHooks();
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
}
