#pragma once
// The table browser's printout: the open table as a report table of its
// first seven fields, one row per record, on the user's default device.

#include "xbase/dataset/filedataset.h"

#include <string>

// Header: program and version, the table's path, the browser caption and
// title 1. Stops quietly when the device choice or the output is cancelled.
void PrintDbfTable(TTzFileDataSet& Table, const std::string& Caption, const std::string& Title1);
// Makes the table browser print through PrintDbfTable.
void InstallTablePrint();
