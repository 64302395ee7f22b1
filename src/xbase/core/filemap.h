#pragma once
// A read-only mapping of an open file, for a handle that no other handle can
// write: reads then copy from memory instead of making a system call each.
// The system keeps the mapping current with the handle's own writes; bytes
// written past its end (the file grew) are not in it, and it must be dropped
// before the file is cut short.

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <utility>

class TFileMap
{
  public:
    TFileMap() = default;
    TFileMap(const TFileMap&) = delete;
    TFileMap& operator=(const TFileMap&) = delete;
    TFileMap(TFileMap&& other) noexcept
        : bytes_(std::exchange(other.bytes_, nullptr)), size_(std::exchange(other.size_, 0)),
          tried_(std::exchange(other.tried_, false))
    {
    }
    TFileMap& operator=(TFileMap&& other) noexcept
    {
        if (this != &other) {
            Drop();
            bytes_ = std::exchange(other.bytes_, nullptr);
            size_ = std::exchange(other.size_, 0);
            tried_ = std::exchange(other.tried_, false);
        }
        return *this;
    }
    ~TFileMap() { Drop(); }

    // Whether Map was called since the last Drop (it is tried once).
    bool Tried() const { return tried_; }
    // Maps the first `length` bytes of the file; nothing is mapped when that
    // fails or there is nothing to map.
    void Map(int fd, int64_t length)
    {
        Drop();
        tried_ = true;
        if (fd < 0 || length <= 0) return;
        void* p = mmap(nullptr, static_cast<std::size_t>(length), PROT_READ, MAP_SHARED, fd, 0);
        if (p == MAP_FAILED) return;
        bytes_ = static_cast<const uint8_t*>(p);
        size_ = static_cast<std::size_t>(length);
    }
    void Drop()
    {
        if (bytes_ != nullptr) munmap(const_cast<uint8_t*>(bytes_), size_);
        bytes_ = nullptr;
        size_ = 0;
        tried_ = false;
    }
    // The mapped bytes at offset, or nullptr when they are not all mapped.
    const uint8_t* At(int64_t offset, std::size_t count) const
    {
        if (bytes_ == nullptr || offset < 0 || static_cast<std::size_t>(offset) > size_ ||
            count > size_ - static_cast<std::size_t>(offset))
            return nullptr;
        return bytes_ + offset;
    }

  private:
    const uint8_t* bytes_ = nullptr;
    std::size_t size_ = 0;
    bool tried_ = false;
};
