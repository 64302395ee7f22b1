#include "graphics/cad/cadfiles.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/signalcleanup.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

std::string LowerAscii(std::string S)
{
    for (char& c : S)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return S;
}

std::string BlockFileName(const std::string& Name)
{
    return "$" + Name + ".dx$";
}

// Directories created by this process, removed at exit whatever happened.
// Never destroyed itself, so that a store closed during static destruction
// still finds it.
struct TDirRegistry {
    std::set<std::string> dirs;
};

TDirRegistry& Registry()
{
    static TDirRegistry* r = [] {
        auto* reg = new TDirRegistry;
        std::atexit(CadRemoveBlockDirectories);
        return reg;
    }();
    return *r;
}

} // namespace

void TCadFileStream::open(const std::string& Path)
{
    close();
    clear();
    buf_.Error = 0;
    buf_.Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (buf_.Fd < 0) {
        buf_.Error = errno;
        setstate(std::ios::badbit);
    }
}

void TCadFileStream::close()
{
    if (buf_.Fd < 0) return;
    if (!buf_.Drain()) setstate(std::ios::badbit);
    if (::close(buf_.Fd) != 0 && buf_.Error == 0) {
        buf_.Error = errno;
        setstate(std::ios::badbit);
    }
    buf_.Fd = -1;
}

std::string TCadFileStream::Failure() const
{
    return buf_.Error != 0 ? ErrnoText(buf_.Error) : std::string();
}

TCadFileStream::int_type TCadFileStream::TBuffer::overflow(int_type C)
{
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(C, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(C);
        pbump(1);
    }
    return traits_type::not_eof(C);
}

bool TCadFileStream::TBuffer::Drain()
{
    if (Error != 0 || Fd < 0) {
        setp(Bytes, Bytes + sizeof Bytes);
        return false;
    }
    for (const char* at = pbase(); at < pptr();) {
        const ssize_t n = ::write(Fd, at, static_cast<std::size_t>(pptr() - at));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Error = n < 0 ? errno : EIO;
            setp(Bytes, Bytes + sizeof Bytes);
            return false;
        }
        at += n;
    }
    setp(Bytes, Bytes + sizeof Bytes);
    return true;
}

bool TCadOutputFile::Open(const std::string& Target)
{
    Abandon();
    target_ = Target;
    why_.clear();
    std::string tmpl;
    const int fd = MakeTempFileBeside(Target, tmpl);
    if (fd < 0) {
        why_ = ErrnoText(errno);
        return false;
    }
    // The temporary file is private to its owner; the drawing gets the mode
    // of the file it replaces, or of a new one.
    ::fchmod(fd, static_cast<mode_t>(NewFileMode(Target)));
    ::close(fd);
    temp_ = tmpl;
    out_.open(temp_);
    if (!out_) {
        why_ = out_.Failure();
        Forget();
        return false;
    }
    return true;
}

bool TCadOutputFile::Commit()
{
    if (!out_.is_open()) return false;
    out_.close();
    if (!out_) {
        why_ = out_.Failure().empty() ? std::string("write error") : out_.Failure();
        Forget();
        return false;
    }
    std::error_code ec;
    fs::rename(temp_, target_, ec);
    if (ec) {
        why_ = SystemTextToOem(ec.message());
        Forget();
        return false;
    }
    UnmarkTempFile(temp_);
    temp_.clear();
    return true;
}

void TCadOutputFile::Forget()
{
    std::remove(temp_.c_str());
    UnmarkTempFile(temp_);
    temp_.clear();
}

void TCadOutputFile::Abandon()
{
    if (out_.is_open()) out_.close();
    if (!temp_.empty()) Forget();
}

void TCadBlockStore::Open(const std::string& TempDir, const std::string& OwnDir)
{
    Close();
    tempDir_ = TempDir;
    ownDir_ = OwnDir.empty() ? TempDir : OwnDir;
}

void TCadBlockStore::Close()
{
    if (!dir_.empty()) {
        std::error_code ec;
        fs::remove_all(dir_, ec);
        Registry().dirs.erase(dir_);
        dir_.clear();
    }
    found_.clear();
    contents_.clear();
}

bool TCadBlockStore::ValidName(const std::string& Name)
{
    for (char c : Name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32) return false;
    return true;
}

std::string TCadBlockStore::PathForNewBlock(const std::string& Name)
{
    if (!ValidName(Name)) return "";
    if (dir_.empty()) {
        std::string base = ownDir_.empty() ? SystemTempDir() : ownDir_;
        std::string tmpl = AddTrailingBackslash(base) + "qyr7blocks-XXXXXX";
        if (::mkdtemp(tmpl.data()) == nullptr) return "";
        dir_ = tmpl;
        Registry().dirs.insert(dir_);
    }
    Forget(Name);
    return (fs::path(dir_) / BlockFileName(LowerAscii(Name))).string();
}

void TCadBlockStore::Forget(const std::string& Name)
{
    const std::string key = LowerAscii(Name);
    const auto it = found_.find(key);
    if (it != found_.end()) {
        if (it->second) contents_.erase(*it->second);
        found_.erase(it);
    }
    if (!dir_.empty()) contents_.erase((fs::path(dir_) / BlockFileName(key)).string());
}

std::optional<std::string> TCadBlockStore::Find(const std::string& Name)
{
    if (!ValidName(Name)) return std::nullopt;
    const std::string key = LowerAscii(Name);
    const auto it = found_.find(key);
    if (it != found_.end()) return it->second;
    std::optional<std::string> result;
    const std::string file = BlockFileName(key);
    std::error_code ec;
    if (!dir_.empty() && fs::is_regular_file(fs::path(dir_) / file, ec)) {
        result = (fs::path(dir_) / file).string();
    } else if (!tempDir_.empty()) {
        // The user's files keep whatever case they were saved in.
        for (const auto& e : fs::directory_iterator(tempDir_, ec)) {
            if (LowerAscii(e.path().filename().string()) == file && e.is_regular_file(ec)) {
                result = e.path().string();
                break;
            }
        }
    }
    found_[key] = result;
    return result;
}

const std::string* TCadBlockStore::Contents(const std::string& Path)
{
    const auto it = contents_.find(Path);
    if (it != contents_.end()) return &it->second.bytes;
    std::ifstream in(Path, std::ios::binary);
    if (!in) return nullptr;
    std::ostringstream s;
    s << in.rdbuf();
    return &(contents_[Path] = TFile{s.str(), nullptr}).bytes;
}

std::shared_ptr<const TDxfBlockEntities>* TCadBlockStore::Parsed(const std::string& Path)
{
    const auto it = contents_.find(Path);
    return it == contents_.end() ? nullptr : &it->second.parsed;
}

void CadRemoveBlockDirectories()
{
    auto& r = Registry();
    for (const std::string& d : r.dirs) {
        std::error_code ec;
        fs::remove_all(d, ec);
    }
    r.dirs.clear();
}
