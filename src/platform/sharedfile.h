#pragma once
// A file shared between processes, with the byte-range locks and sharing
// modes that the table library coordinates its users with.
//
// Byte-range locks are open-file-description locks: they belong to one open
// handle, so two processes, or two handles of one process, exclude each
// other. A sharing mode is kept by a lock on one reserved byte far above any
// data or record-lock offset: a shared opener holds a read lock there, an
// opener that denies others write access holds a write lock, so a shared
// open and an exclusive open exclude each other.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform
{

// DOS-style error code (2 file not found, 5 access denied, 32 sharing
// violation, 33 lock violation, ...) of a POSIX errno value.
uint16_t DosErrorOf(int errnoValue);

enum class TFileShare { DenyNone, DenyWrite };

// Called, when set, with the name TSharedFile::Open has just opened, before
// it takes the sharing mode: the moment at which another process's Pack may
// rename its packed copy over that name. Tests rename there; the program
// sets nothing.
extern std::function<void(const std::string& path)> SharedOpenSeam;

class TSharedFile
{
  public:
    TSharedFile() = default;
    ~TSharedFile();
    TSharedFile(const TSharedFile&) = delete;
    TSharedFile& operator=(const TSharedFile&) = delete;
    TSharedFile(TSharedFile&& other) noexcept;
    TSharedFile& operator=(TSharedFile&& other) noexcept;

    // Opens an existing file; 0 or a DOS-style code (32 when the sharing mode
    // of another opener refuses this one).
    uint16_t Open(const std::string& path, bool write, TFileShare share);
    // Creates or truncates a file for reading and writing; refused with 32
    // while another opener holds the file.
    uint16_t Create(const std::string& path, TFileShare share);
    // Takes over a descriptor that is already open for reading and writing
    // (a temporary file), with the given sharing mode.
    uint16_t Adopt(int fd, TFileShare share);
    // Changes the sharing mode of the open handle in place (an exclusive
    // reopen of a shared table); 0 or 32 when another opener refuses it.
    uint16_t SetShare(TFileShare share);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }

    // Bytes transferred, or -1 with LastError set.
    long ReadAt(int64_t offset, void* buffer, std::size_t count);
    long WriteAt(int64_t offset, const void* buffer, std::size_t count);
    int64_t Size();
    uint16_t Truncate(int64_t size);
    uint16_t Flush();

    // Non-blocking exclusive lock and unlock of a byte range; 0 or 33.
    uint16_t LockRange(int64_t offset, int64_t length);
    uint16_t UnlockRange(int64_t offset, int64_t length);
    // Non-blocking shared lock of a byte range (many holders may share it);
    // 0 or 33. Released by UnlockRange or by closing the handle.
    uint16_t LockRangeShared(int64_t offset, int64_t length);
    // Whether another open handle (of this or another process) holds a lock
    // on part of the range; a holder that ended holds nothing.
    bool RangeLockedElsewhere(int64_t offset, int64_t length);

    uint16_t LastError() const { return lastError_; }

  private:
    uint16_t TakeShareLock(TFileShare share);

    int fd_ = -1;
    uint16_t lastError_ = 0;
};

} // namespace platform
