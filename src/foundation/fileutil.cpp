#include "foundation/fileutil.h"

#include "foundation/codepage.h"
#include "foundation/messagecollector.h"
#include "foundation/pathsplit.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/signalcleanup.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDirectory(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Copies src into dest through a temporary file beside dest, in blocks of
// the given size. On failure nothing is left behind and dest is as it was.
bool CopyContents(const std::string& src, const std::string& dest, std::size_t block,
                  bool keepExisting = false)
{
    // Only a regular file is copied: a pipe or a device (a FIFO, /dev/zero)
    // would block the copy or never end. Opened without waiting for a FIFO's
    // writer; the descriptor's own type is what is judged.
    const int inFd = ::open(src.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (inFd < 0) return false;
    struct stat srcStat {
    };
    if (::fstat(inFd, &srcStat) != 0 || !S_ISREG(srcStat.st_mode)) {
        ::close(inFd);
        return false;
    }
    std::FILE* in = ::fdopen(inFd, "rb");
    if (in == nullptr) {
        ::close(inFd);
        return false;
    }
    std::string temp;
    const int fd = MakeTempFileBeside(dest, temp);
    if (fd < 0) {
        std::fclose(in);
        return false;
    }
    struct stat st {
    };
    if (::stat(src.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    std::vector<char> buf(block);
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buf.data(), 1, block, in);
        if (n > 0) {
            std::size_t done = 0;
            while (done < n) {
                const ssize_t w = ::write(fd, buf.data() + done, n - done);
                if (w < 0 && errno == EINTR) continue;
                if (w <= 0) {
                    ok = false;
                    break;
                }
                done += static_cast<std::size_t>(w);
            }
        }
        if (!ok) break;
        if (n < block) {
            ok = std::ferror(in) == 0;
            break;
        }
    }
    std::fclose(in);
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = keepExisting ? ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, dest.c_str(), RENAME_NOREPLACE) == 0
                          : std::rename(temp.c_str(), dest.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    UnmarkTempFile(temp);
    return ok;
}

std::string MatchMask(const std::string& mask)
{
    // "*.*" is every name, also one without an extension.
    if (mask.empty() || mask == "*.*") return "*";
    return mask;
}

// A line that holds one number and nothing else: sign, digits with one
// decimal point or comma, an optional exponent.
bool IsNumberText(const std::string& t)
{
    std::size_t i = 0;
    const std::size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < n && (t[i] == '.' || t[i] == ',')) {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    return i == n;
}

std::string CsvField(const std::string& row, char decimal, char separator)
{
    const std::string t = TrimBlanks(row);
    if (IsNumberText(t)) {
        std::string r = t;
        for (char& c : r)
            if (c == '.' || c == ',') c = decimal;
        return r;
    }
    const bool quote = row.find_first_of(std::string("\"\r\n") + separator) != std::string::npos ||
                       (!row.empty() && (row.front() == ' ' || row.back() == ' '));
    if (!quote) return row;
    std::string r = "\"";
    for (char c : row) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

// The text is the program's (code page 437, a name in it converted), shown as
// the program's message boxes show it.
void ShowExportMessage(const std::string& text, platform::MessageIcon icon)
{
    platform::CurrentPlatform().Messages().ShowOk(DisplayText(telmvar.ProgramTitle), DisplayText(text), icon);
}

} // namespace

// --- path and name helpers ------------------------------------------------------

std::string AddTrailingBackslash(const std::string& Path)
{
    std::string r = TrimBlanks(Path);
    // Any other last byte is part of a name here: directories end in "-",
    // ".", "~" or in the last byte of a UTF-8 character ("Fu\xC3\x9F").
    if (!r.empty() && !IsSeparator(r.back())) r += PathSeparator;
    return r;
}

std::string AddTrailingBackslashDrive(const std::string& Path)
{
    // No drive letters here: "C:" is a directory's name like any other.
    return AddTrailingBackslash(Path);
}

std::string StripTrailingBackslash(const std::string& Path)
{
    std::string r = TrimBlanks(Path);
    // The root directory itself keeps its separator.
    if (r.size() > 1 && IsSeparator(r.back()))
        r.pop_back();
    else if (r.size() == 1 && r[0] == '\\')
        r.clear();
    return r;
}

std::string ExtractBaseName(const std::string& Path)
{
    std::string name = NamePart(Path);
    // The extension dot is searched from the second-to-last character: a
    // name ending in "." keeps it.
    if (name.size() >= 2) {
        const auto dot = name.rfind('.', name.size() - 2);
        if (dot != std::string::npos) name.erase(dot);
    }
    return name;
}

std::string FileNameNoExt(const std::string& Path)
{
    std::string name = NamePart(Path);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

std::string PathNoExt(const std::string& Path)
{
    return FileDirPart(Path) + FileNameNoExt(Path);
}

std::string FileExtNoDot(const std::string& Path)
{
    const std::string name = NamePart(Path);
    const auto dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string ProjectTitleName()
{
    const std::string& name = telmvar.ProjectName;
    if (name.empty() || name.find('.') != std::string::npos) return name;
    return name + "." + telmvar.DataExt;
}

std::string FileDirPart(const std::string& Path)
{
    const auto p = LastPathSeparator(Path);
    return p == std::string::npos ? std::string() : Path.substr(0, p + 1);
}

// This system has no drive letters: "C:" at the start of a path is the
// beginning of a file or directory name, so no path has a drive part.
std::string FileDrivePart(const std::string& /*Path*/)
{
    return std::string();
}

std::string NativePath(const std::string& Path)
{
    std::string r = Path;
    for (char& c : r)
        if (IsSeparator(c)) c = PathSeparator;
    return r;
}

std::string BackslashNameText(const std::string& Path)
{
    return Path.find('\\') == std::string::npos ? std::string() : "\"\\\" is read as a directory separator";
}

// --- file tests and operations -----------------------------------------------------

uint32_t NewFileMode(const std::string& Name)
{
    struct stat st {
    };
    if (::stat(Name.c_str(), &st) == 0) return st.st_mode & 07777;
    // The umask can only be read by setting it.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int DirectoryWriteError(const std::string& Dir)
{
    const std::string dir = AddTrailingBackslash(Dir);
    const std::string probe = NativePath(dir + "x.$$$");
    // The system would take the name as ending at the NUL: the probe would
    // go elsewhere.
    if (probe.find('\0') != std::string::npos) return EINVAL;
    {
        // A signal that ends the run waits until the probe is gone again.
        const TSignalsHeld held;
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.c_str());
            return 0;
        }
    }
    const int error = errno;
    // Somebody else's probe file is in the way: ask the system instead of
    // overwriting it.
    if (error != EEXIST) return error;
    return ::access(dir.empty() ? "." : NativePath(dir).c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

bool DirectoryWritable(const std::string& Dir)
{
    return DirectoryWriteError(Dir) == 0;
}

int TWritableDirectories::Error(const std::string& Dir)
{
    const std::string dir = AddTrailingBackslash(Dir);
    struct stat st {
    };
    if (dir.find('\0') != std::string::npos || ::stat(dir.empty() ? "." : NativePath(dir).c_str(), &st) != 0)
        return DirectoryWriteError(Dir);
    const auto [at, added] = probed_.try_emplace({st.st_dev, st.st_ino}, 0);
    if (added) at->second = DirectoryWriteError(Dir);
    return at->second;
}

int DirExistsError(const std::string& Dir)
{
    const std::string dir = NativePath(StripTrailingBackslash(Dir));
    if (dir.empty()) return 0;
    if (dir.find('\0') != std::string::npos) return EINVAL;
    struct stat st {
    };
    if (::stat(dir.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

bool DirExists(const std::string& Dir)
{
    return DirExistsError(Dir) == 0;
}

std::string SystemTempDir()
{
    for (const char* variable : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "/tmp";
}

bool CanChangeDir(const std::string& Path)
{
    const std::string dir = NativePath(StripTrailingBackslash(Path));
    std::error_code ec;
    const fs::path previous = fs::current_path(ec);
    if (ec || dir.empty()) return false;
    if (::chdir(dir.c_str()) != 0) return false;
    fs::current_path(previous, ec);
    return true;
}

bool FileCanOpen(const std::string& Name)
{
    const std::string name = NativePath(Name);
    if (!IsRegularFile(name)) return false;
    // Without waiting: opening a FIFO for reading would otherwise block until
    // some other program opened it for writing.
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

int OpenToReadError(const std::string& Name)
{
    const std::string name = NativePath(Name);
    struct stat st {
    };
    if (::stat(name.c_str(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

std::string NotARegularFile(const std::string& Name)
{
    struct stat st {
    };
    if (::stat(NativePath(Name).c_str(), &st) != 0 || S_ISREG(st.st_mode)) return {};
    return S_ISDIR(st.st_mode) ? "is a directory" : "not a regular file (a pipe or a device)";
}

bool GetFileAttr(const std::string& Name, uint32_t& Attr)
{
    Attr = 0;
    const std::string name = NativePath(StripTrailingBackslash(Name));
    struct stat st {
    };
    if (name.empty() || ::stat(name.c_str(), &st) != 0) return false;
    Attr = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
    if (::access(name.c_str(), W_OK) != 0) Attr |= faReadOnly;
    const std::string base = NamePart(name);
    if (!base.empty() && base[0] == '.' && base != "." && base != "..") Attr |= faHidden;
    return true;
}

bool FileHasAttr(const std::string& Name, uint32_t Attr)
{
    uint32_t attr = 0;
    if (!GetFileAttr(Name, attr)) return true;
    return (attr & Attr) == Attr;
}

bool MatchesFileMask(const std::string& Mask, const std::string& Name)
{
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    // The last "*" seen and the name position its run ends at so far: on a
    // mismatch the run takes one byte more and the rest is tried again.
    std::size_t m = 0, n = 0, star = std::string::npos, resume = 0;
    while (n < Name.size()) {
        if (m < Mask.size() && Mask[m] == '*') {
            star = m++;
            resume = n;
        } else if (m < Mask.size() && (Mask[m] == '?' || fold(Mask[m]) == fold(Name[n]))) {
            ++m;
            ++n;
        } else if (star != std::string::npos) {
            m = star + 1;
            n = ++resume;
        } else
            return false;
    }
    while (m < Mask.size() && Mask[m] == '*')
        ++m;
    return m == Mask.size();
}

std::vector<std::string> FindFilesByMask(const std::string& Dir, const std::string& Mask)
{
    std::vector<std::string> names;
    const std::string dir = NativePath(StripTrailingBackslash(Dir));
    const std::string mask = MatchMask(Mask);
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    if (ec) return names;
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        if (MatchesFileMask(mask, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void DeleteFilesByMask(const std::string& Dir, const std::string& Mask)
{
    const std::string dir = AddTrailingBackslash(Dir);
    for (const std::string& name : FindFilesByMask(Dir, Mask)) {
        const std::string path = NativePath(dir + name);
        if (IsRegularFile(path)) ::unlink(path.c_str());
    }
}

void DeleteFileIfExists(const std::string& Name)
{
    const std::string name = NativePath(Name);
    if (IsRegularFile(name)) ::unlink(name.c_str());
}

bool CopyFileToPath(const std::string& Src, const std::string& Dest)
{
    const std::string src = NativePath(Src);
    std::string dest = NativePath(TrimBlanks(Dest));
    std::error_code ec;
    dest = fs::absolute(dest.empty() ? fs::path(".") : fs::path(dest), ec).string();
    if (ec) return false;
    // Only an existing directory receives the file under its own name: a new
    // file name is a file name, not a directory that is missing.
    if (IsDirectory(dest)) dest = AddTrailingBackslashDrive(dest) + NamePart(src);
    return CopyContents(src, dest, CopyBufferSize);
}

bool CopyFileNew(const std::string& Src, const std::string& Dest)
{
    return CopyContents(NativePath(Src), NativePath(Dest), CopyBufferSize, true);
}

bool CopyBinaryFile(const std::string& Src, const std::string& Dest)
{
    if (CopyContents(NativePath(Src), NativePath(Dest), BinaryCopyBlockSize)) return true;
    telmvar.Aborted = true;
    AddErrorMessage("file " + FileNameToOem(Src) + " could not be copied to " + FileNameToOem(Dest) + " !");
    return false;
}

bool CopyFileIfExists(const std::string& Src, const std::string& Dest)
{
    if (!FileCanOpen(Src)) return false;
    return CopyFileToPath(Src, AddTrailingBackslash(FileDirPart(Dest)));
}

void CopyFilesByMask(const std::string& Mask, const std::string& SrcDir, const std::string& DestDir)
{
    const std::string src = AddTrailingBackslashDrive(SrcDir);
    const std::string dest = AddTrailingBackslashDrive(DestDir);
    const std::vector<std::string> names = FindFilesByMask(src, Mask);
    if (names.empty()) {
        telmvar.Aborted = true;
        return;
    }
    telmvar.Aborted = false;
    for (const std::string& name : names) {
        // Directories that match the mask are not copied.
        if (!FileCanOpen(src + name)) continue;
        if (!CopyFileIfExists(src + name, dest + name)) {
            telmvar.Aborted = true;
            AddErrorMessage("file " + FileNameToOem(src + name) + " could not be copied to " +
                            FileNameToOem(dest) + " !");
        }
    }
}

bool CopyTextFileConverted(const std::string& Src, const std::string& Dest)
{
    TTextFile in;
    TTextFile out;
    in.Assign(Src);
    if (!in.OpenRead()) {
        telmvar.Aborted = true;
        return false;
    }
    out.Assign(Dest);
    out.ReplaceLinks(true);
    if (!out.OpenWrite()) {
        in.Close();
        telmvar.Aborted = true;
        AddErrorMessage("file " + FileNameToOem(Dest) + " cannot be created !");
        return false;
    }
    std::string line;
    // Read, then write, until the end: an empty source still gives one empty
    // line, as the copies always had.
    do {
        in.ReadLine(line);
        if (!out.WriteLine(DisplayText(line))) {
            in.Close();
            out.Abandon();
            telmvar.Aborted = true;
            AddErrorMessage("file " + FileNameToOem(Dest) + " could not be written !");
            return false;
        }
    } while (!in.AtEnd());
    in.Close();
    if (!out.Close()) {
        telmvar.Aborted = true;
        AddErrorMessage("file " + FileNameToOem(Dest) + " could not be written !");
        return false;
    }
    return true;
}

std::string ExportTextFileToExcel(const std::string& Name)
{
    // The name as given: " p" is another project than "p". A name of blanks
    // alone is no name.
    std::string path = Name;
    if (TrimBlanks(path).empty()) {
        ShowExportMessage("File not found. Use \"File->Save\"", platform::MessageIcon::Error);
        telmvar.Aborted = true;
        return {};
    }
    if (FileDirPart(path).empty()) path = AddTrailingBackslash(telmvar.DataDir) + path;
    if (NamePart(path).find('.') == std::string::npos) path += "." + telmvar.DataExt;
    TTextFile in;
    in.Assign(path);
    if (!in.OpenRead()) {
        ShowExportMessage("file " + FileNameToOem(path) + " not found or no access !",
                          platform::MessageIcon::Error);
        telmvar.Aborted = true;
        return {};
    }
    std::vector<std::string> rows;
    std::string line;
    while (in.ReadLine(line))
        rows.push_back(DisplayText(line));
    in.Close();

    const std::string dir =
        TrimBlanks(telmvar.TempDir).empty() ? FileDirPart(path) : AddTrailingBackslash(telmvar.TempDir);
    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows.size());
    for (std::string& row : rows)
        cells.push_back({std::move(row)});
    return ExportRowsToExcel(NativePath(dir + FileNameNoExt(path) + ".csv"), cells);
}

std::string ExportRowsToExcel(const std::string& CsvPath, const std::vector<std::vector<std::string>>& Rows)
{
    const bool pointDecimals = wtelmvar.ExcelDecimalMode == 1;
    const char decimal = pointDecimals ? '.' : ',';
    const char separator = pointDecimals ? ',' : ';';
    const std::string& csv = CsvPath;
    TTextFile out;
    out.Assign(csv);
    bool ok = out.OpenWrite();
    // The byte order mark tells spreadsheet programs that the text is UTF-8.
    ok = ok && out.Write("\xEF\xBB\xBF");
    std::string line;
    for (const auto& row : Rows) {
        line.clear();
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) line += separator;
            line += CsvField(row[c], decimal, separator);
        }
        ok = ok && out.WriteLine(AnsiToUtf8(line));
    }
    ok = ok && out.Close();
    if (!ok) {
        out.Abandon();
        ShowExportMessage(CannotBeWrittenText(csv, out.WriteFailure()), platform::MessageIcon::Error);
        telmvar.Aborted = true;
        return {};
    }
    // The table is complete whether or not a program shows it: when none can
    // be started, the user is told where it is.
    const platform::LaunchResult shown = platform::CurrentPlatform().Launch().OpenDocument(csv);
    if (!shown.Started)
        ShowExportMessage("The list was written to " + FileNameToOem(csv) +
                              (shown.Message.empty() ? "" : " (" + FileNameToOem(shown.Message) + ")"),
                          platform::MessageIcon::Information);
    return csv;
}

// --- string sort -----------------------------------------------------------------

void SortStringIndex(std::vector<std::string>& Strings, std::vector<int>& Index, int Lo, int Hi)
{
    if (Lo < 0 || Hi < Lo || static_cast<std::size_t>(Hi) >= Strings.size()) return;
    if (Index.size() < Strings.size()) Index.resize(Strings.size());
    for (int k = Lo; k <= Hi; ++k)
        Index[static_cast<std::size_t>(k)] = k;
    QuickSortStrings(Strings, Index, Lo, Hi);
}

void QuickSortStrings(std::vector<std::string>& Strings, std::vector<int>& Index, int Lo, int Hi)
{
    if (Lo < 0 || Hi <= Lo || static_cast<std::size_t>(Hi) >= Strings.size() ||
        static_cast<std::size_t>(Hi) >= Index.size())
        return;
    // Hoare partition around the middle element.
    const std::string pivot = Strings[static_cast<std::size_t>((Lo + Hi) / 2)];
    int i = Lo;
    int j = Hi;
    do {
        while (Strings[static_cast<std::size_t>(i)] < pivot)
            ++i;
        while (pivot < Strings[static_cast<std::size_t>(j)])
            --j;
        if (i <= j) {
            std::swap(Strings[static_cast<std::size_t>(i)], Strings[static_cast<std::size_t>(j)]);
            std::swap(Index[static_cast<std::size_t>(i)], Index[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (j > Lo) QuickSortStrings(Strings, Index, Lo, j);
    if (i < Hi) QuickSortStrings(Strings, Index, i, Hi);
}
