#include "xbase/xbasestate.h"

#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/cmd/dblocate.h"
#include "xbase/cmd/dbtransfer.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dataset/workareadataset.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/expr/dbexpr.h"
#include "xbase/memo/dbmemo.h"
#include "xbase/ndx/ndx.h"
#include "xbase/ui/tablebrowser.h"
#include "xbase/vfile/dbvfile.h"

void ResetXbaseState()
{
    ResetDbError();
    ResetDbf4();
    ResetDbHooks();
    ResetNdx();
    ResetDbDates();
    ResetDbStrings();
    ResetDbfFile();
    ResetDbExpr();
    ResetDbCommands();
    ResetDbLocate();
    ResetDbTransfer();
    ResetDbMemo();
    ResetDbVFiles();
    ResetUCommon();
    ResetTableBrowserServices();
}
