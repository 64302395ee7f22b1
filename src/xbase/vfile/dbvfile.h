#pragma once
// Virtual files: tables that live only in memory, their records in a doubly
// linked list. The command set stores an operation code in the work area and
// calls the handler installed here.

#include <cstdint>

void InstallVFileDriver();
void ResetDbVFiles();
