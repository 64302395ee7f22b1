#include "xbase/core/dbhooks.h"

TDbHookTables dbhooks;

void ResetDbHooks()
{
    dbhooks = TDbHookTables{};
}
