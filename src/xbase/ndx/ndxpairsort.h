#pragma once
// The sort of an index build in bounded memory. The (key, record number)
// pairs of a table are sorted in runs of at most RunPairs; a table that fits
// one run is sorted in memory, a larger one spills each sorted run to a
// temporary file and the runs are merged. Pairs come out ordered by key (the
// index's comparison) and, among equal keys, by record number, which is the
// order the tree writer needs and the one a sort of all pairs at once gives.
//
// Memory: one run (RunPairs pairs and their order) while collecting, input
// buffers of MergeBufferBytes in all while merging, whatever the table's
// size; only the descriptors of the runs (a few dozen bytes each) grow with
// it.

#include "platform/sharedfile.h"
#include "xbase/ndx/ndxformat.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TNdxPairSort
{
  public:
    // Pairs per run: what the sort area of one pass holds.
    static constexpr std::size_t RunPairs = 8189;
    // The merge's input buffers together, divided among the runs; one run's
    // buffer never exceeds RunBufferBytes.
    static constexpr std::size_t MergeBufferBytes = std::size_t{1} << 20;
    static constexpr std::size_t RunBufferBytes = 65502;

    // Pairs in the order of the index; false stops the emission.
    using TEmit = std::function<bool(const uint8_t* key, int32_t record)>;

    explicit TNdxPairSort(const TNdxHeader& h);
    // Closes and deletes the run file, also after a failure.
    ~TNdxPairSort();
    TNdxPairSort(const TNdxPairSort&) = delete;
    TNdxPairSort& operator=(const TNdxPairSort&) = delete;

    // Takes one pair, key of the header's key length; records must come in
    // ascending order. False when a full run could not be spilled.
    bool Add(const uint8_t* key, int32_t record);
    // Hands every pair to emit in order. False when reading a run failed or
    // emit said stop.
    bool Finish(const TEmit& emit);

    // What failed (0 when nothing did, or when emit stopped the merge), and
    // the text for the error message.
    uint16_t ErrorCode() const { return errorCode_; }
    const std::string& ErrorText() const { return errorText_; }
    // Runs spilled to the temporary file so far.
    std::size_t Runs() const { return runs_.size(); }
    // The temporary file's name while it exists, else empty.
    const std::string& RunFileName() const { return fileName_; }

  private:
    struct TRun {
        int64_t Next = 0;      // file offset of the next pair not yet read
        std::size_t Left = 0;  // pairs of the run still in the file
        std::size_t Pos = 0;   // the current pair in Buffer
        std::size_t Count = 0; // pairs in Buffer
        std::vector<uint8_t> Buffer;
    };

    const uint8_t* PairOf(std::size_t i) const { return pairs_.data() + i * pairSize_; }
    bool Less(const uint8_t* a, const uint8_t* b) const;
    void SortRun();
    bool SpillRun();
    bool Refill(TRun& run);
    bool Merge(const TEmit& emit);
    bool Fail(uint16_t code, const std::string& text);

    TNdxHeader h_;
    std::size_t keyLength_;
    std::size_t pairSize_;
    std::vector<uint8_t> pairs_;  // the run being collected
    std::size_t count_ = 0;       // pairs in it
    std::vector<uint16_t> order_; // its sorted order
    std::vector<uint8_t> spill_;  // a run laid out in order for the file
    std::vector<TRun> runs_;
    int64_t fileSize_ = 0;
    std::string fileName_;
    platform::TSharedFile file_;
    uint16_t errorCode_ = 0;
    std::string errorText_;
};
