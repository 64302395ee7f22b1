#pragma once
// The table component the program uses: the file dataset with its properties
// open to the program. Plain C++: a table view of a toolkit binds to it, it
// knows no widgets.

#include "xbase/dataset/filedataset.h"

#include <string>

class TTzDbf : public TTzFileDataSet
{
  public:
    TTzDbf() : TTzFileDataSet("tzdbf") {}
    explicit TTzDbf(std::string name) : TTzFileDataSet(std::move(name)) {}
    ~TTzDbf() override;

    // Size of the data part of a record buffer: the deletion flag and each
    // field's buffer; 0 while the table is closed.
    int RecordDataSize();
};
