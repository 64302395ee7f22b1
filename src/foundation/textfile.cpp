#include "foundation/textfile.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/fileversion.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/signalcleanup.h"
#include "foundation/textutil.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TTextfile textfile;

namespace
{

// Paths are read with either separator.
std::string NativeName(const std::string& name)
{
    std::string r = name;
#ifndef _WIN32
    for (char& c : r)
        if (c == '\\') c = '/';
#endif
    return r;
}

TTextFile& Shared()
{
    return textfile.SharedTextFile;
}

// A read of the shared file: a file not open for reading is an I/O error;
// the end of the file is not, but the caller learns of it from the result.
bool ReadShared(std::string& line)
{
    TTextFile& f = Shared();
    if (!f.IsReading()) {
        line.clear();
        telmvar.Aborted = true;
        return false;
    }
    return f.ReadLine(line);
}

bool WriteShared(const std::string& s)
{
    if (!Shared().Write(s)) {
        telmvar.Aborted = true;
        return false;
    }
    return true;
}

bool WriteSharedLine(const std::string& s)
{
    return WriteShared(s) && WriteShared("\r\n");
}

// The value a number line reads back as.
Extended NumberLineValue(const std::string& line)
{
    return TextToFloat(CommaToPoint(line));
}

bool ReadsBackAs(const std::string& text, Extended x)
{
    // To the last bit: a value that came back only to double precision would
    // be written with other digits next time, so a project saved, opened and
    // saved again would differ, and a stage read back would calculate to
    // results that differ from those it was saved with.
    return NumberLineValue(text) == x;
}

std::string WithSeparator(std::string text, char sep)
{
    for (char& c : text)
        if (c == '.') c = sep;
    return text;
}

} // namespace

// --- TTextFile -------------------------------------------------------------

// Keeps why the file could not be created or written, from errno as the
// failed call left it; the first failure of a file is the cause, later ones
// follow from it.
bool TTextFile::Failed()
{
    const int err = errno;
    if (failure_.empty() && err != 0) failure_ = ErrnoText(err);
    if (textfile.LastWriteFailure.empty())
        textfile.LastWriteFailure =
            FileNameToOem(name_) + ": " + (err != 0 ? ErrnoText(err) : std::string("write error"));
    return false;
}

TTextFile::~TTextFile()
{
    Abandon();
}

void TTextFile::Assign(const std::string& Name)
{
    Abandon();
    failure_.clear();
    name_ = NativeName(Name);
    replaceLinks_ = false;
    scratch_ = false;
}

bool TTextFile::OpenRead(std::size_t MaxBytes)
{
    Abandon();
    openFailure_ = "not found or no access";
    if (name_.empty()) return false;
    // Opened without waiting: a FIFO would otherwise block here until some
    // other program opened it for writing.
    const int fd = ::open(name_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            openFailure_ = "is a directory";
        else
            openFailure_ = "not a regular file (a pipe or a device), not read";
        ::close(fd);
        return false;
    }
    const std::string tooLarge =
        "larger than " + std::to_string(MaxBytes) + " bytes, more than any file of this kind holds, not read";
    if (static_cast<unsigned long long>(st.st_size) > MaxBytes) {
        openFailure_ = tooLarge;
        ::close(fd);
        return false;
    }
    // The size is checked again while reading: the file may grow meanwhile.
    std::string data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[8192];
    bool failed = false;
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failed = true;
            break;
        }
        if (n == 0) break;
        if (data.size() + static_cast<std::size_t>(n) > MaxBytes) {
            openFailure_ = tooLarge;
            failed = true;
            break;
        }
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (failed) return false;
    openFailure_.clear();
    data_ = std::move(data);
    pos_ = 0;
    readPastEnd_ = false;
    lineNumber_ = 0;
    mode_ = Mode::Read;
    return true;
}

bool TTextFile::OpenWrite()
{
    Abandon();
    failure_.clear();
    if (name_.empty()) return false;
    struct stat st {
    };
    const bool exists = ::stat(name_.c_str(), &st) == 0;
    struct stat lst {
    };
    const bool replaceLink = replaceLinks_ && ::lstat(name_.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode);
    if (exists && S_ISDIR(st.st_mode) && !replaceLink) {
        errno = EISDIR;
        return Failed();
    }
    if (exists && !replaceLink && (!S_ISREG(st.st_mode) || scratch_)) {
        // A device or pipe (a printer port, /dev/null) is written in place:
        // renaming a temporary file over it would replace the device itself.
        // So is a working copy of our own: nobody reads it before it is closed.
        // Opened without waiting: a FIFO nobody reads would block the open
        // for ever; it fails at once instead.
        const int fd = ::open(name_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                                                 (S_ISREG(st.st_mode) ? O_NOFOLLOW : 0));
        if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        out_ = fd < 0 ? nullptr : ::fdopen(fd, "wb");
        if (out_ == nullptr) {
            Failed();
            if (fd >= 0) ::close(fd);
            return false;
        }
        tempName_.clear();
        writeFailed_ = false;
        mode_ = Mode::Write;
        return true;
    }
    // A symbolic link keeps pointing at the file: the new content replaces
    // the file it points to, not the link.
    std::string target = name_;
    if (exists && !replaceLink) {
        if (char* real = ::realpath(name_.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    targetName_ = target;
    std::string temp;
    const int fd = MakeTempFileBeside(target, temp);
    if (fd < 0) return Failed();
    // A link replaced is no file of ours to take the mode from.
    ::fchmod(fd, static_cast<mode_t>(NewFileMode(replaceLink ? std::string() : name_)));
    out_ = ::fdopen(fd, "wb");
    if (out_ == nullptr) {
        Failed();
        ::close(fd);
        ::unlink(temp.c_str());
        UnmarkTempFile(temp);
        return false;
    }
    tempName_ = temp;
    writeFailed_ = false;
    mode_ = Mode::Write;
    return true;
}

bool TTextFile::OpenAppend()
{
    Abandon();
    failure_.clear();
    if (name_.empty()) return false;
    out_ = std::fopen(name_.c_str(), "ab");
    if (out_ == nullptr) return false;
    writeFailed_ = false;
    mode_ = Mode::Append;
    return true;
}

bool TTextFile::ReadLine(std::string& Line)
{
    Line.clear();
    if (mode_ != Mode::Read) return false;
    if (pos_ >= data_.size()) {
        readPastEnd_ = true;
        return false;
    }
    const auto nl = data_.find('\n', pos_);
    const std::size_t end = nl == std::string::npos ? data_.size() : nl;
    Line.assign(data_, pos_, end - pos_);
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    pos_ = nl == std::string::npos ? data_.size() : nl + 1;
    ++lineNumber_;
    return true;
}

bool TTextFile::AtEnd() const
{
    return mode_ != Mode::Read || pos_ >= data_.size();
}

bool TTextFile::Write(const std::string& S)
{
    if ((mode_ != Mode::Write && mode_ != Mode::Append) || out_ == nullptr) return false;
    if (writeFailed_) return false;
    if (!S.empty() && std::fwrite(S.data(), 1, S.size(), out_) != S.size()) {
        Failed();
        writeFailed_ = true;
    }
    return !writeFailed_;
}

bool TTextFile::Close()
{
    switch (mode_) {
    case Mode::Closed:
        return true;
    case Mode::Read:
        data_.clear();
        data_.shrink_to_fit();
        mode_ = Mode::Closed;
        return true;
    case Mode::Append: {
        const bool ok = std::fflush(out_) == 0 && !writeFailed_;
        const bool closed = std::fclose(out_) == 0;
        out_ = nullptr;
        mode_ = Mode::Closed;
        return ok && closed;
    }
    case Mode::Write: {
        if (tempName_.empty()) { // written in place (device or pipe)
            const bool ok = !writeFailed_ && (std::fflush(out_) == 0 || Failed());
            const bool closed = std::fclose(out_) == 0 || (ok && Failed());
            out_ = nullptr;
            mode_ = Mode::Closed;
            return ok && closed;
        }
        bool ok = !writeFailed_ && (std::fflush(out_) == 0 || Failed()) &&
                  (scratch_ || ::fsync(::fileno(out_)) == 0 || Failed());
        ok = (std::fclose(out_) == 0 || (ok && Failed())) && ok;
        out_ = nullptr;
        mode_ = Mode::Closed;
        if (ok) ok = std::rename(tempName_.c_str(), targetName_.c_str()) == 0 || Failed();
        if (!ok) ::unlink(tempName_.c_str());
        UnmarkTempFile(tempName_);
        tempName_.clear();
        return ok;
    }
    }
    return false;
}

void TTextFile::Abandon()
{
    if (out_ != nullptr) {
        std::fclose(out_);
        out_ = nullptr;
    }
    if (mode_ == Mode::Write && !tempName_.empty()) {
        ::unlink(tempName_.c_str());
        UnmarkTempFile(tempName_);
    }
    tempName_.clear();
    data_.clear();
    pos_ = 0;
    mode_ = Mode::Closed;
}

// --- file handling -----------------------------------------------------------

void ResetTextfile()
{
    textfile.SharedTextFile.Abandon();
    textfile.SharedTextFile.Assign("");
    textfile.LastWriteFailure.clear();
}

void AssignTextFile(TTextFile& F, const std::string& Name)
{
    F.Assign(Name);
}

bool ResetTextFile(TTextFile& F, std::size_t MaxBytes)
{
    if (F.OpenRead(MaxBytes)) return true;
    telmvar.Aborted = true;
    return false;
}

namespace
{

// The list's message of a file that could not be created, with the system's
// reason the failed open left in errno after it, as standard error gives it.
void AddNotCreatedMessage(const TTextFile& F)
{
    const int err = errno;
    const std::string cause = F.Name().empty() || err == 0 ? std::string() : " (" + ErrnoText(err) + ")";
    AddErrorMessage("file " + FileNameToOem(F.Name()) + " cannot be created !" + cause);
}

} // namespace

bool RewriteTextFile(TTextFile& F)
{
    errno = 0;
    if (F.OpenWrite()) return true;
    telmvar.Aborted = true;
    AddNotCreatedMessage(F);
    return false;
}

bool AppendTextFile(TTextFile& F)
{
    errno = 0;
    if (F.OpenAppend()) return true;
    telmvar.Aborted = true;
    AddNotCreatedMessage(F);
    return false;
}

std::string CannotBeWrittenText(const std::string& Path, const std::string& Why)
{
    return "file " + FileNameToOem(Path) + " cannot be written" + (Why.empty() ? std::string() : ": " + Why);
}

std::string OverwriteQuestionText(const std::string& Path)
{
    return FileNameToOem(Path) + " already exists.   overwrite ?";
}

bool CloseTextFile(TTextFile& F)
{
    const bool writing = F.IsOpen() && !F.IsReading();
    if (F.Close()) return true;
    telmvar.Aborted = true;
    if (writing) AddErrorMessage("file " + FileNameToOem(F.Name()) + " could not be written !");
    return false;
}

// --- readers -------------------------------------------------------------------

bool ReadTextLine(std::string& S)
{
    return ReadShared(S);
}

bool ReadFieldLine4(std::string& A, std::string& B, std::string& C, std::string& D)
{
    std::string line;
    const bool ok = ReadShared(line);
    std::string* fields[4] = {&A, &B, &C, &D};
    std::size_t start = 0;
    for (std::string* field : fields) {
        const auto bar = start <= line.size() ? line.find('|', start) : std::string::npos;
        if (bar == std::string::npos) {
            field->clear();
            start = line.size() + 1;
        } else {
            field->assign(line, start, bar - start);
            start = bar + 1;
        }
    }
    return ok;
}

bool ReadTextChar(char& C)
{
    std::string line;
    const bool ok = ReadShared(line);
    C = line.empty() ? '\r' : line[0];
    return ok;
}

bool ReadTextInt(int32_t& N)
{
    std::string line;
    const bool ok = ReadShared(line);
    N = static_cast<int32_t>(TextToInt(line));
    return ok;
}

bool ReadTextLongInt(int32_t& N)
{
    return ReadTextInt(N);
}

bool ReadTextWord(uint16_t& W)
{
    int32_t n = 0;
    const bool ok = ReadTextInt(n);
    W = static_cast<uint16_t>(static_cast<uint32_t>(n) & 0xFFFFu);
    return ok;
}

bool ReadTextExtended(Extended& X)
{
    std::string line;
    const bool ok = ReadShared(line);
    X = NumberLineValue(line);
    return ok;
}

bool ReadTextDouble(double& X)
{
    Extended x = 0;
    const bool ok = ReadTextExtended(x);
    X = static_cast<double>(x);
    return ok;
}

bool ReadBoolTrue(bool& B)
{
    std::string line;
    const bool ok = ReadShared(line);
    if (!telmvar.Aborted) B = UpperCaseText(line) == "TRUE";
    return ok;
}

bool ReadBoolNotFalse(bool& B)
{
    std::string line;
    const bool ok = ReadShared(line);
    if (!telmvar.Aborted) B = UpperCaseText(line) != "FALSE";
    return ok;
}

// --- writers -------------------------------------------------------------------

bool WriteTextLine(const std::string& S)
{
    return WriteSharedLine(S);
}
bool WriteStringLine(const std::string& S)
{
    return WriteSharedLine(S);
}
bool WriteNumberLine(Extended X)
{
    return WriteSharedLine(NumberLineText(X));
}
bool WriteIntLine(int64_t N)
{
    return WriteSharedLine(std::to_string(N));
}
bool WriteBoolLine(bool B)
{
    return WriteSharedLine(B ? "TRUE" : "FALSE");
}

bool WriteFieldLine4(const std::string& A, const std::string& B, const std::string& C, const std::string& D)
{
    return WriteSharedLine(A + "|" + B + "|" + C + "|" + D + "|");
}

bool WriteFieldLine6(const std::string& A, const std::string& B, const std::string& C, const std::string& D,
                     const std::string& E, const std::string& F)
{
    return WriteSharedLine(A + "|" + B + "|" + C + "|" + D + "|" + E + "|" + F + "|");
}

bool WriteFieldLine8(const std::string& A, const std::string& B, const std::string& C, const std::string& D,
                     const std::string& E, const std::string& F, const std::string& G, const std::string& H)
{
    return WriteSharedLine(A + "|" + B + "|" + C + "|" + D + "|" + E + "|" + F + "|" + G + "|" + H + "|");
}

bool WriteText(const std::string& S)
{
    return WriteShared(S);
}

std::string NumberLineText(Extended X)
{
    const std::string text =
        X < 1 && std::fabs(X - Round(X)) < 1e-10L ? FloatToSignificant(X) : FloatToFixedDecimals(7, X);
    if (!std::isfinite(X) || ReadsBackAs(text, X)) return text;
    // More decimals, in the same right-aligned layout, until the text holds
    // the value; exponent form for values fixed decimals cannot hold.
    const std::size_t lead = text.find_first_not_of(' ');
    const std::string blanks(lead == std::string::npos ? 0 : lead, ' ');
    char buf[128];
    for (int decimals = 8; decimals <= 30; ++decimals) {
        const auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::fixed, decimals);
        if (r.ec != std::errc{}) break;
        const std::string candidate =
            blanks + WithSeparator(std::string(buf, r.ptr), wtelmvar.RegionalDecimalSeparator);
        if (ReadsBackAs(candidate, X)) return candidate;
    }
    const auto r = std::to_chars(buf, buf + sizeof buf, X, std::chars_format::scientific, 20);
    return blanks + WithSeparator(std::string(buf, r.ptr), wtelmvar.RegionalDecimalSeparator);
}

bool WriteProgramHeader()
{
    const std::string rule(65, '-');
    bool ok = WriteSharedLine(rule);
    ok = WriteSharedLine(telmvar.ProgramTitle + "   V " +
                         GetFileVersionText("W" + telmvar.ProgramFileStem + ".exe")) &&
         ok;
    ok = WriteSharedLine("Version " + telmvar.ProgramVersion) && ok;
    ok = WriteSharedLine(rule) && ok;
    for (int i = 1; i <= 3; ++i)
        ok = WriteSharedLine(RemarkLineText(telmvar.RemarkLines[i])) && ok;
    return ok;
}

std::string RemarkLineText(const std::string& S)
{
    std::string line = S;
    for (char& c : line)
        if (c == '\0' || c == '\r' || c == '\n') c = ' ';
    return line;
}

bool SkipProgramHeader()
{
    std::string line;
    bool ok = true;
    for (int i = 0; i < ProgramHeaderLines; ++i)
        ok = ReadShared(line) && ok;
    return ok;
}
