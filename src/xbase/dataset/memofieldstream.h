#pragma once
// A stream over one memo field of the current record of a table component:
// read the memo as bytes, or write a new memo that replaces it. Texts are
// converted between the table's OEM and the program's ANSI characters when
// the component's table language is OEM. The memo is stored, and its block
// put into the record, when the stream ends; a write stream into which
// nothing was written clears the memo.

#include "xbase/dataset/filedataset.h"

#include <cstdint>

class TTzBlobStream
{
  public:
    TTzBlobStream(TTzFileDataSet& dataset, int field, TBlobStreamMode mode);
    ~TTzBlobStream();
    TTzBlobStream(const TTzBlobStream&) = delete;
    TTzBlobStream& operator=(const TTzBlobStream&) = delete;

    // False when the dataset is closed or the field is not a memo field.
    bool Valid() const { return valid_; }
    int32_t Read(void* buffer, int32_t count);
    int32_t Write(const void* buffer, int32_t count);
    // Origin 0 from the start, 1 from the position, 2 from the end.
    int32_t Seek(int32_t offset, int origin);
    bool Modified() const { return modified_; }

  private:
    TTzFileDataSet& dataset_;
    int field_;
    TBlobStreamMode mode_;
    bool valid_ = false;
    bool modified_ = false;
    int textMode_ = 2;
    int32_t block_ = 0;
};
