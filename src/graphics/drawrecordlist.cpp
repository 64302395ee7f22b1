#include "graphics/drawrecordlist.h"

#include <cstring>
#include <stdexcept>

TDrawRecordList::TDrawRecordList(std::initializer_list<std::string_view> records)
{
    for (std::string_view r : records)
        push_back(r);
}

TDrawRecordList::TDrawRecordList(const TDrawRecordList& other)
{
    for (std::string_view r : other)
        push_back(r);
}

TDrawRecordList& TDrawRecordList::operator=(const TDrawRecordList& other)
{
    if (this != &other) {
        TDrawRecordList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TDrawRecordList& TDrawRecordList::operator=(std::initializer_list<std::string_view> records)
{
    clear();
    for (std::string_view r : records)
        push_back(r);
    return *this;
}

TDrawRecordList::TChunk& TDrawRecordList::ChunkWithRoom(size_t length)
{
    if (!chunks_.empty()) {
        TChunk& c = chunks_.back();
        // A record beginning at ChunkSize would not fit its offset bits.
        if (c.Used < ChunkSize && length <= c.Capacity - c.Used) return c;
    }
    // The chunk number must fit the position's upper bits: 4 GB of text.
    if (chunks_.size() >= (size_t{1} << (32 - ChunkBits)))
        throw std::length_error("display list: more records than the list can hold");
    TChunk c;
    c.Capacity = length > ChunkSize / 4 ? length : ChunkSize;
    c.Text.reset(new char[c.Capacity]);
    chunks_.push_back(std::move(c));
    return chunks_.back();
}

void TDrawRecordList::AddIndex(TPosition p)
{
    if (count_ == blocks_.size() * IndexBlockSize) blocks_.emplace_back(new TPosition[IndexBlockSize]);
    blocks_[count_ >> IndexBlockBits][count_ & (IndexBlockSize - 1)] = p;
    ++count_;
}

char* TDrawRecordList::BeginRecord(size_t maxLength)
{
    TChunk& c = ChunkWithRoom(maxLength);
    return c.Text.get() + c.Used;
}

void TDrawRecordList::EndRecord(size_t length)
{
    TChunk& c = chunks_.back();
    AddIndex(static_cast<TPosition>(((chunks_.size() - 1) << ChunkBits) | c.Used));
    c.Used += length;
}

void TDrawRecordList::push_back(std::string_view record)
{
    char* p = BeginRecord(record.size());
    if (!record.empty()) std::memcpy(p, record.data(), record.size());
    EndRecord(record.size());
}

std::string_view TDrawRecordList::operator[](size_t i) const
{
    const TPosition p = Begin(i);
    const TChunk& c = chunks_[p >> ChunkBits];
    const size_t offset = p & (ChunkSize - 1);
    size_t end = c.Used;
    if (i + 1 < count_) {
        const TPosition q = Begin(i + 1);
        if ((q >> ChunkBits) == (p >> ChunkBits)) end = q & (ChunkSize - 1);
    }
    return {c.Text.get() + offset, end - offset};
}

void TDrawRecordList::clear()
{
    count_ = 0;
    if (!chunks_.empty() && chunks_.front().Capacity == ChunkSize) {
        chunks_.resize(1);
        chunks_.front().Used = 0;
    } else {
        chunks_.clear();
    }
    if (blocks_.size() > 1) blocks_.resize(1);
}

void TDrawRecordList::shrink_to_fit()
{
    if (count_ == 0) {
        std::vector<TChunk>().swap(chunks_);
        std::vector<std::unique_ptr<TPosition[]>>().swap(blocks_);
        return;
    }
    chunks_.shrink_to_fit();
    blocks_.shrink_to_fit();
}

void TDrawRecordList::resize(size_t n)
{
    if (n >= count_) {
        while (count_ < n)
            push_back({});
        return;
    }
    if (n == 0) {
        clear();
        return;
    }
    // The chunk of the last record kept ends with it; the chunks after it go.
    const std::string_view last = (*this)[n - 1];
    const size_t c = Begin(n - 1) >> ChunkBits;
    chunks_[c].Used = static_cast<size_t>(last.data() + last.size() - chunks_[c].Text.get());
    chunks_.resize(c + 1);
    count_ = n;
    blocks_.resize((n + IndexBlockSize - 1) >> IndexBlockBits);
}

size_t TDrawRecordList::TextBytes() const
{
    size_t bytes = 0;
    for (const TChunk& c : chunks_)
        bytes += c.Used;
    return bytes;
}

size_t TDrawRecordList::MemoryBytes() const
{
    size_t bytes = sizeof(*this) + chunks_.capacity() * sizeof(TChunk) +
                   blocks_.capacity() * sizeof(std::unique_ptr<TPosition[]>) +
                   blocks_.size() * IndexBlockSize * sizeof(TPosition);
    for (const TChunk& c : chunks_)
        bytes += c.Capacity;
    return bytes;
}

bool operator==(const TDrawRecordList& list, const std::vector<std::string>& records)
{
    if (list.size() != records.size()) return false;
    for (size_t i = 0; i < records.size(); ++i)
        if (list[i] != records[i]) return false;
    return true;
}
