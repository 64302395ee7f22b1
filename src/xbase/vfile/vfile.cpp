#include "xbase/vfile/dbvfile.h"

void InstallVFileDriver() {}
void ResetDbVFiles() {}
