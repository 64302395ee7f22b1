#include "foundation/runtempdir.h"

#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"

TRunTempDir runtempdir;

std::string RunTempPath(const std::string& Name)
{
    return AddTrailingBackslash(TrimBlanks(runtempdir.Dir).empty() ? telmvar.TempDir : runtempdir.Dir) + Name;
}
