#include "platform/sharedfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform
{

std::function<void(const std::string& path)> SharedOpenSeam;

namespace
{

// The reserved byte of the sharing mode: far above every data offset and
// every record-lock region (which end below 2^33 for any table).
constexpr int64_t kShareLockOffset = int64_t{1} << 60;

int OfdLock(int fd, short type, int64_t offset, int64_t length)
{
    struct flock fl {
    };
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(offset);
    fl.l_len = static_cast<off_t>(length);
    fl.l_pid = 0;
    return fcntl(fd, F_OFD_SETLK, &fl);
}

} // namespace

uint16_t DosErrorOf(int e)
{
    switch (e) {
    case 0:
        return 0;
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
        return 5;
    case EBADF:
        return 6;
    case ENOMEM:
        return 8;
    case EROFS:
        return 19;
    case EAGAIN:
        return 33;
    case ENOSPC:
    case EFBIG:
        return 101;
    default:
        return 31;
    }
}

TSharedFile::~TSharedFile()
{
    Close();
}

TSharedFile::TSharedFile(TSharedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lastError_(other.lastError_)
{
}

TSharedFile& TSharedFile::operator=(TSharedFile&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        lastError_ = other.lastError_;
    }
    return *this;
}

uint16_t TSharedFile::TakeShareLock(TFileShare share)
{
    short type = share == TFileShare::DenyWrite ? F_WRLCK : F_RDLCK;
    if (OfdLock(fd_, type, kShareLockOffset, 1) == 0) return 0;
    if (errno == EBADF && type == F_WRLCK) {
        // A read-only handle cannot hold a write lock; it still must not
        // open a file that someone else holds.
        struct flock fl {
        };
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = kShareLockOffset;
        fl.l_len = 1;
        if (fcntl(fd_, F_OFD_GETLK, &fl) == 0 && fl.l_type == F_UNLCK) return 0;
    }
    return 32;
}

namespace
{

// Opens path without waiting on a FIFO and keeps the descriptor only for a
// regular file (tables, memos and indexes are regular files: a FIFO in their
// place is refused like a directory). Returns the descriptor, or -1 with
// error set to the DOS code.
int OpenRegularFile(const std::string& path, int flags, struct stat& st, uint16_t& error)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
    if (fd < 0) {
        error = DosErrorOf(errno);
        return -1;
    }
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = 5;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

uint16_t TSharedFile::Open(const std::string& path, bool write, TFileShare share)
{
    // A file renamed over the name between the open and the share lock (a
    // Pack putting its packed copy in place, which releases the old file's
    // lock only then) leaves this handle on the replaced file, which nobody
    // else sees any more: the name is opened again.
    for (int attempt = 0;; ++attempt) {
        Close();
        struct stat st {
        };
        fd_ = OpenRegularFile(path, write ? O_RDWR : O_RDONLY, st, lastError_);
        if (fd_ < 0) return lastError_;
        if (const auto seam = SharedOpenSeam) seam(path); // through a copy: it may clear itself
        if (uint16_t code = TakeShareLock(share); code != 0) {
            Close();
            return lastError_ = code;
        }
        struct stat now {
        };
        if (attempt < 100 && ::stat(path.c_str(), &now) == 0 &&
            (now.st_dev != st.st_dev || now.st_ino != st.st_ino))
            continue;
        return lastError_ = 0;
    }
}

uint16_t TSharedFile::Create(const std::string& path, TFileShare share)
{
    Close();
    struct stat st {
    };
    fd_ = OpenRegularFile(path, O_RDWR | O_CREAT, st, lastError_);
    if (fd_ < 0) return lastError_;
    if (uint16_t code = TakeShareLock(TFileShare::DenyWrite); code != 0) {
        Close();
        return lastError_ = code;
    }
    if (::ftruncate(fd_, 0) != 0) {
        lastError_ = DosErrorOf(errno);
        Close();
        return lastError_;
    }
    if (share == TFileShare::DenyNone) TakeShareLock(share); // converts the write lock into a read lock
    return lastError_ = 0;
}

uint16_t TSharedFile::Adopt(int fd, TFileShare share)
{
    Close();
    fd_ = fd;
    if (uint16_t code = TakeShareLock(share); code != 0) {
        Close();
        return lastError_ = code;
    }
    return lastError_ = 0;
}

uint16_t TSharedFile::SetShare(TFileShare share)
{
    if (fd_ < 0) return lastError_ = 6;
    return lastError_ = TakeShareLock(share);
}

void TSharedFile::Close()
{
    if (fd_ >= 0) {
        ::close(fd_); // releases every lock of this handle
        fd_ = -1;
    }
}

long TSharedFile::ReadAt(int64_t offset, void* buffer, std::size_t count)
{
    if (fd_ < 0) {
        lastError_ = 6;
        return -1;
    }
    std::size_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n =
            ::pread(fd_, p + done, count - done, static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) continue;
            lastError_ = DosErrorOf(errno);
            return -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    lastError_ = 0;
    return static_cast<long>(done);
}

long TSharedFile::WriteAt(int64_t offset, const void* buffer, std::size_t count)
{
    if (fd_ < 0) {
        lastError_ = 6;
        return -1;
    }
    std::size_t done = 0;
    const auto* p = static_cast<const char*>(buffer);
    while (done < count) {
        ssize_t n =
            ::pwrite(fd_, p + done, count - done, static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) continue;
            lastError_ = DosErrorOf(errno);
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    lastError_ = 0;
    return static_cast<long>(done);
}

int64_t TSharedFile::Size()
{
    struct stat st {
    };
    if (fd_ < 0 || fstat(fd_, &st) != 0) {
        lastError_ = fd_ < 0 ? 6 : DosErrorOf(errno);
        return -1;
    }
    return static_cast<int64_t>(st.st_size);
}

uint16_t TSharedFile::Truncate(int64_t size)
{
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return lastError_ = DosErrorOf(errno);
    return lastError_ = 0;
}

uint16_t TSharedFile::Flush()
{
    if (::fsync(fd_) != 0) return lastError_ = DosErrorOf(errno);
    return lastError_ = 0;
}

uint16_t TSharedFile::LockRange(int64_t offset, int64_t length)
{
    // A write lock needs a handle open for writing; a read-only handle
    // locks with a read lock, which still excludes every other write lock.
    if (OfdLock(fd_, F_WRLCK, offset, length) == 0) return lastError_ = 0;
    if (errno == EBADF && OfdLock(fd_, F_RDLCK, offset, length) == 0) return lastError_ = 0;
    return lastError_ = 33;
}

uint16_t TSharedFile::UnlockRange(int64_t offset, int64_t length)
{
    if (OfdLock(fd_, F_UNLCK, offset, length) == 0) return lastError_ = 0;
    return lastError_ = DosErrorOf(errno);
}

uint16_t TSharedFile::LockRangeShared(int64_t offset, int64_t length)
{
    if (fd_ < 0) return lastError_ = 6;
    return lastError_ = OfdLock(fd_, F_RDLCK, offset, length) == 0 ? 0 : 33;
}

bool TSharedFile::RangeLockedElsewhere(int64_t offset, int64_t length)
{
    if (fd_ < 0) return false;
    struct flock fl {
    };
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(offset);
    fl.l_len = static_cast<off_t>(length);
    if (fcntl(fd_, F_OFD_GETLK, &fl) != 0) return true; // cannot tell: assume someone is there
    return fl.l_type != F_UNLCK;
}

} // namespace platform
