#include "xbase/dataset/memofieldstream.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/memo/memostream.h"

#include <cstdlib>

TTzBlobStream::TTzBlobStream(TTzFileDataSet& dataset, int field, TBlobStreamMode mode)
    : dataset_(dataset), field_(field), mode_(mode)
{
    if (!dataset_.Active()) {
        SetError(1103, "DataSet must be active. " + dataset_.Name);
        return;
    }
    if (!dataset_.CheckCommand("CreateBlobStream") || field < 1 || field > FieldCount() ||
        FieldType(field) != 'M')
        return;
    if (mode_ == TBlobStreamMode::Write && (dataset_.ReadOnly || !dataset_.Edit())) return;
    textMode_ = dataset_.TableLanguage == TTzTableLanguage::tlOem ? 1 : 2;
    const int32_t old = RecCount() > 0 ? GetNativeInt(field) : 0;
    block_ = CreateBlobDescriptor(false, old, mode_ == TBlobStreamMode::Read ? 1 : 2);
    if (mode_ == TBlobStreamMode::Write) {
        if (block_ == 0) return;
        block_ = static_cast<int32_t>(std::abs(static_cast<int64_t>(block_)));
    }
    valid_ = true;
}

TTzBlobStream::~TTzBlobStream()
{
    if (!valid_) return;
    dataset_.CheckCommand("DestroyBlobStream");
    DestroyBlobDescriptor();
    if (mode_ == TBlobStreamMode::Write) {
        // Nothing written: the memo is cleared, which is a change when it
        // held one.
        if (!modified_) {
            if (RecCount() > 0 && GetNativeInt(field_) != 0) modified_ = true;
            block_ = 0;
        }
        SetNativeInt(field_, block_);
    }
    if (modified_ && dataset_.OnFieldChange && field_ >= 1 &&
        field_ <= static_cast<int>(dataset_.Fields.size()))
        dataset_.OnFieldChange(dataset_.Fields[static_cast<std::size_t>(field_ - 1)]);
}

int32_t TTzBlobStream::Read(void* buffer, int32_t count)
{
    if (!valid_ || !dataset_.CheckCommand("ReadBlobStream")) return 0;
    return ReadBlobStream(buffer, count, textMode_);
}

int32_t TTzBlobStream::Write(const void* buffer, int32_t count)
{
    if (!valid_ || mode_ != TBlobStreamMode::Write || !dataset_.CheckCommand("WriteBlobStream")) return 0;
    const int32_t n = WriteBlobStream(buffer, count, textMode_);
    if (n > 0) modified_ = true;
    return n;
}

int32_t TTzBlobStream::Seek(int32_t offset, int origin)
{
    if (!valid_ || !dataset_.CheckCommand("SeekBlobStream")) return 0;
    return SeekBlobStream(offset, origin);
}

std::unique_ptr<TTzBlobStream> TTzFileDataSet::CreateBlobStream(int field, TBlobStreamMode mode)
{
    return std::make_unique<TTzBlobStream>(*this, field, mode);
}
