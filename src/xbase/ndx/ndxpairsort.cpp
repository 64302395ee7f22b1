#include "xbase/ndx/ndxpairsort.h"

#include "foundation/codepage.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>

namespace
{

int32_t RecordOf(const uint8_t* pair, std::size_t keyLength)
{
    int32_t r;
    std::memcpy(&r, pair + keyLength, 4);
    return r;
}

} // namespace

TNdxPairSort::TNdxPairSort(const TNdxHeader& h)
    : h_(h), keyLength_(static_cast<std::size_t>(h.KeyLength)), pairSize_(keyLength_ + 4)
{
}

TNdxPairSort::~TNdxPairSort()
{
    file_.Close();
    if (!fileName_.empty()) {
        std::error_code ec;
        std::filesystem::remove(fileName_, ec);
    }
}

bool TNdxPairSort::Fail(uint16_t code, const std::string& text)
{
    errorCode_ = code;
    errorText_ = text;
    return false;
}

bool TNdxPairSort::Less(const uint8_t* a, const uint8_t* b) const
{
    const int c = CompareNdxKeys(h_, a, b);
    return c != 0 ? c < 0 : RecordOf(a, keyLength_) < RecordOf(b, keyLength_);
}

bool TNdxPairSort::Add(const uint8_t* key, int32_t record)
{
    try {
        if (pairs_.empty()) {
            pairs_.resize(RunPairs * pairSize_);
            order_.reserve(RunPairs);
        }
    } catch (const std::bad_alloc&) {
        return Fail(217, " to allocate at least 256 s_ptrs");
    }
    if (count_ == RunPairs && !SpillRun()) return false;
    uint8_t* p = pairs_.data() + count_ * pairSize_;
    std::memcpy(p, key, keyLength_);
    std::memcpy(p + keyLength_, &record, 4);
    ++count_;
    return true;
}

void TNdxPairSort::SortRun()
{
    // The pairs of a run arrived by ascending record number, so their
    // position breaks ties between equal keys as the record number would.
    order_.resize(count_);
    for (std::size_t i = 0; i < count_; ++i)
        order_[i] = static_cast<uint16_t>(i);
    std::sort(order_.begin(), order_.end(), [&](uint16_t x, uint16_t y) {
        const int c = CompareNdxKeys(h_, PairOf(x), PairOf(y));
        return c != 0 ? c < 0 : x < y;
    });
}

bool TNdxPairSort::SpillRun()
{
    if (fileName_.empty()) {
        {
            TAutoReportOff quiet;
            fileName_ = UniqueFilename();
        }
        if (fileName_.empty())
            return Fail(dberror.DbErrorCode != 0 ? dberror.DbErrorCode : 5,
                        "Error requesting unique file name for the sort runs");
        if (uint16_t code = file_.Open(fileName_, true, platform::TFileShare::DenyWrite); code != 0)
            return Fail(code, "Cannot open the sort runs' file " + FileNameToOem(fileName_));
    }
    SortRun();
    // The pairs are laid out in their sorted order and written in one piece.
    try {
        if (spill_.empty()) spill_.resize(RunPairs * pairSize_);
    } catch (const std::bad_alloc&) {
        return Fail(217, " to allocate RW buffer");
    }
    std::vector<uint8_t>& out = spill_;
    for (std::size_t i = 0; i < count_; ++i)
        std::memcpy(out.data() + i * pairSize_, PairOf(order_[i]), pairSize_);
    const std::size_t bytes = count_ * pairSize_;
    if (file_.WriteAt(fileSize_, out.data(), bytes) != static_cast<long>(bytes))
        return Fail(file_.LastError() != 0 ? file_.LastError() : 101,
                    "Error writing the sort runs' file " + FileNameToOem(fileName_));
    TRun run;
    run.Next = fileSize_;
    run.Left = count_;
    runs_.push_back(std::move(run));
    fileSize_ += static_cast<int64_t>(bytes);
    count_ = 0;
    return true;
}

bool TNdxPairSort::Refill(TRun& run)
{
    const std::size_t n = std::min(run.Left, run.Buffer.size() / pairSize_);
    const std::size_t bytes = n * pairSize_;
    if (file_.ReadAt(run.Next, run.Buffer.data(), bytes) != static_cast<long>(bytes))
        return Fail(file_.LastError() != 0 ? file_.LastError() : 100,
                    "Error reading the sort runs' file " + FileNameToOem(fileName_));
    run.Next += static_cast<int64_t>(bytes);
    run.Left -= n;
    run.Pos = 0;
    run.Count = n;
    return true;
}

bool TNdxPairSort::Finish(const TEmit& emit)
{
    if (runs_.empty()) {
        // Everything fits one run: no file at all.
        SortRun();
        for (std::size_t i = 0; i < count_; ++i)
            if (!emit(PairOf(order_[i]), RecordOf(PairOf(order_[i]), keyLength_))) return false;
        return true;
    }
    if (count_ > 0 && !SpillRun()) return false;
    // The collecting area is no longer needed: its memory goes to the merge.
    std::vector<uint8_t>().swap(pairs_);
    std::vector<uint8_t>().swap(spill_);
    std::vector<uint16_t>().swap(order_);
    return Merge(emit);
}

bool TNdxPairSort::Merge(const TEmit& emit)
{
    // Every run gets an equal share of the merge buffers, at least one pair.
    const std::size_t share = std::min(RunBufferBytes, MergeBufferBytes / runs_.size());
    const std::size_t perRun = std::max<std::size_t>(share / pairSize_, 1);
    for (TRun& run : runs_) {
        try {
            run.Buffer.resize(perRun * pairSize_);
        } catch (const std::bad_alloc&) {
            return Fail(217, "after freeing all pools");
        }
        if (!Refill(run)) return false;
    }
    // A heap of the runs, the run with the smallest current pair on top.
    auto current = [&](uint32_t r) { return runs_[r].Buffer.data() + runs_[r].Pos * pairSize_; };
    std::vector<uint32_t> heap(runs_.size());
    for (std::size_t i = 0; i < heap.size(); ++i)
        heap[i] = static_cast<uint32_t>(i);
    auto siftDown = [&](std::size_t i) {
        const std::size_t n = heap.size();
        const uint32_t moving = heap[i];
        for (;;) {
            std::size_t child = 2 * i + 1;
            if (child >= n) break;
            if (child + 1 < n && Less(current(heap[child + 1]), current(heap[child]))) ++child;
            if (!Less(current(heap[child]), current(moving))) break;
            heap[i] = heap[child];
            i = child;
        }
        heap[i] = moving;
    };
    for (std::size_t i = heap.size() / 2; i-- > 0;)
        siftDown(i);
    while (!heap.empty()) {
        TRun& run = runs_[heap[0]];
        const uint8_t* pair = current(heap[0]);
        if (!emit(pair, RecordOf(pair, keyLength_))) return false;
        if (++run.Pos == run.Count) {
            if (run.Left > 0) {
                if (!Refill(run)) return false;
            } else {
                // The run is finished: its buffer is given back at once.
                std::vector<uint8_t>().swap(run.Buffer);
                heap[0] = heap.back();
                heap.pop_back();
                if (heap.empty()) break;
            }
        }
        siftDown(0);
    }
    return true;
}
