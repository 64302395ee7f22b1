#pragma once
// The store behind the display list. An animation records millions of short
// records (40 bytes on average); a string object and a heap block for each
// would more than double what the texts need. So the texts lie end to end in
// chunks of fixed size that never move (a record never splits across two),
// and the index keeps only where each record begins, 32 bits a record: its
// end is where the next one in the same chunk begins, or the chunk's end.
// A record longer than a quarter of a chunk gets a chunk of its own size.
//
// It reads like a vector of std::string_view. A view stays valid while
// records are added (the replay walks the list while a pause lets the user
// interface add to it); clear, resize and shrink_to_fit end it.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TDrawRecordList
{
  public:
    class const_iterator
    {
      public:
        using iterator_category = std::input_iterator_tag;
        using iterator_concept = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using reference = std::string_view;
        using pointer = void;

        const_iterator() = default;
        std::string_view operator*() const { return (*list_)[i_]; }
        std::string_view operator[](difference_type n) const { return (*list_)[i_ + static_cast<size_t>(n)]; }
        const_iterator& operator++()
        {
            ++i_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator t = *this;
            ++i_;
            return t;
        }
        const_iterator& operator--()
        {
            --i_;
            return *this;
        }
        const_iterator operator--(int)
        {
            const_iterator t = *this;
            --i_;
            return t;
        }
        const_iterator& operator+=(difference_type n)
        {
            i_ += static_cast<size_t>(n);
            return *this;
        }
        const_iterator& operator-=(difference_type n)
        {
            i_ -= static_cast<size_t>(n);
            return *this;
        }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.i_ == b.i_; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.i_ <=> b.i_; }

      private:
        friend class TDrawRecordList;
        const_iterator(const TDrawRecordList* list, size_t i) : list_(list), i_(i) {}
        const TDrawRecordList* list_ = nullptr;
        size_t i_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;
    using size_type = size_t;
    using difference_type = std::ptrdiff_t;
    using reference = std::string_view;
    using const_reference = std::string_view;

    TDrawRecordList() = default;
    TDrawRecordList(std::initializer_list<std::string_view> records);
    TDrawRecordList(const TDrawRecordList& other);
    TDrawRecordList(TDrawRecordList&& other) noexcept = default;
    TDrawRecordList& operator=(const TDrawRecordList& other);
    TDrawRecordList& operator=(TDrawRecordList&& other) noexcept = default;
    TDrawRecordList& operator=(std::initializer_list<std::string_view> records);
    ~TDrawRecordList() = default;

    void push_back(std::string_view record);

    // Writing a record in place, without a string of its own: BeginRecord
    // gives room for up to maxLength bytes, EndRecord adds the first length
    // of them as the next record. Nothing else may touch the list between.
    char* BeginRecord(size_t maxLength);
    void EndRecord(size_t length);

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](size_t i) const;
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[count_ - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, count_}; }

    // Empties the list; the first chunk stays for the next picture.
    void clear();
    // Gives back every chunk the records do not need.
    void shrink_to_fit();
    // Drops the records from n on; a larger n adds empty records.
    void resize(size_t n);

    // The bytes of the record texts, and every byte the list holds: the
    // chunks and index blocks at their full size and the list's own tables.
    size_t TextBytes() const;
    size_t MemoryBytes() const;

    // Size of an ordinary chunk (records up to a quarter of it share one).
    static constexpr unsigned ChunkBits = 16;
    static constexpr size_t ChunkSize = size_t{1} << ChunkBits;

  private:
    struct TChunk {
        std::unique_ptr<char[]> Text;
        size_t Used = 0;
        size_t Capacity = 0;
    };
    // Where a record begins: chunk number above ChunkBits, offset below.
    using TPosition = uint32_t;
    static constexpr unsigned IndexBlockBits = 14;
    static constexpr size_t IndexBlockSize = size_t{1} << IndexBlockBits;

    TPosition Begin(size_t i) const { return blocks_[i >> IndexBlockBits][i & (IndexBlockSize - 1)]; }
    TChunk& ChunkWithRoom(size_t length);
    void AddIndex(TPosition p);

    std::vector<TChunk> chunks_;
    std::vector<std::unique_ptr<TPosition[]>> blocks_;
    size_t count_ = 0;
};

bool operator==(const TDrawRecordList& list, const std::vector<std::string>& records);
