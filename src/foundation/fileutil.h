#pragma once
// Path and name helpers, file tests, deletion by mask, file copies, the list
// export of a text file and the index-carrying string sort.
//
// Paths are split into directory and name where LastPathSeparator
// (pathsplit.h) says; the helpers that add a separator add this system's
// own. File masks are matched as on the
// systems the masks come from: "*" and "?" wildcards, letters in any case,
// "*.*" for every name.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// This system's directory separator.
#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

// File attribute bits as stored with table and directory settings.
constexpr uint32_t faReadOnly = 0x01;
constexpr uint32_t faHidden = 0x02;
constexpr uint32_t faSysFile = 0x04;
constexpr uint32_t faVolumeID = 0x08;
constexpr uint32_t faDirectory = 0x10;
constexpr uint32_t faArchive = 0x20;
constexpr uint32_t faAnyFile = 0x3F;

// Block sizes of the two kinds of copy.
constexpr int CopyBufferSize = 8192;
constexpr int BinaryCopyBlockSize = 2048;

// --- path and name helpers ------------------------------------------------

// The path without surrounding blanks, with this system's separator
// appended unless it ends in "/" or "\" already. An empty (or all-blank)
// path stays empty. Two directory names are compared after both went
// through it.
std::string AddTrailingBackslash(const std::string& Path);
// The same: "C:" is no drive here and gets its separator as well.
std::string AddTrailingBackslashDrive(const std::string& Path);
// The path without surrounding blanks and without one final separator.
std::string StripTrailingBackslash(const std::string& Path);
// The bare file name: no directory, no extension.
std::string ExtractBaseName(const std::string& Path);
// The file name without directory and without its (last) extension.
std::string FileNameNoExt(const std::string& Path);
// The path without the extension of its file name.
std::string PathNoExt(const std::string& Path);
// The project's name as the main window's title shows it: ProjectName, with
// "." DataExt when it has no "." of its own; empty without a project name.
std::string ProjectTitleName();
// The text after the first "." of the file name ("a.tar.gz" gives
// "tar.gz"); empty when there is none.
std::string FileExtNoDot(const std::string& Path);
// The path up to and including the last "\" or "/"; empty when none.
std::string FileDirPart(const std::string& Path);
// Always empty: this system has no drive letters.
std::string FileDrivePart(const std::string& Path);
// The path with every "\" turned into this system's separator.
std::string NativePath(const std::string& Path);
// Why a name holding "\" does not name the file the user typed, in the
// words every message about such a name uses (the text: "\" is read as a
// directory separator, see NativePath); empty for a name without "\".
std::string BackslashNameText(const std::string& Path);

// --- file tests and operations ---------------------------------------------

// 0 when a file can be created in the directory (a probe file is made and
// removed), else the system's error of the probe (errno): the reason why
// not, as a full disk or a missing directory gave it.
int DirectoryWriteError(const std::string& Dir);
// A file can be created in the directory.
bool DirectoryWritable(const std::string& Dir);
// DirectoryWriteError for several settings at once: a directory that more
// than one name leads to (the same device and inode) is probed once.
class TWritableDirectories
{
  public:
    int Error(const std::string& Dir);
    bool Writable(const std::string& Dir) { return Error(Dir) == 0; }

  private:
    std::map<std::pair<uint64_t, uint64_t>, int> probed_;
};
// 0 when the directory exists (an empty name is the current directory),
// else why not: the system's error of looking it up, ENOTDIR for another
// kind of file, EINVAL for a name holding a NUL byte.
int DirExistsError(const std::string& Dir);
bool DirExists(const std::string& Dir);
// The system's directory for temporary files: the first of TMPDIR, TMP,
// TEMP and TEMPDIR that is set and not empty, else "/tmp". Never throws: a
// name that is no directory is found out by the file made in it, whose
// failure says why.
std::string SystemTempDir();
// The directory can be made current; the current directory is left as it was.
bool CanChangeDir(const std::string& Path);
// The permission bits for a file written over Name by a rename: those of
// the file there now, or for a new file what the umask leaves of 0666.
uint32_t NewFileMode(const std::string& Name);
// The file exists, is not a directory and opens for reading.
bool FileCanOpen(const std::string& Name);
// The system's error number for opening Name to read: 0 when it opens,
// EISDIR for a directory of that name. A pipe or a device is opened without
// waiting for a writer.
int OpenToReadError(const std::string& Name);
// Why Name is no regular file though something of its name is there (also
// through a link): "is a directory" or "not a regular file (a pipe or a
// device)"; empty for a regular file or nothing.
std::string NotARegularFile(const std::string& Name);
// The file's attributes (faDirectory, faReadOnly, faHidden for a name
// beginning with ".", faArchive for an ordinary file); false when it does not
// exist.
bool GetFileAttr(const std::string& Name, uint32_t& Attr);
// Every bit of Attr is set for the file. A name whose attributes cannot be
// read counts as having every attribute.
bool FileHasAttr(const std::string& Name, uint32_t Attr);
// Name matches Mask: "*" any run of bytes, "?" one byte, every other byte
// itself, the ASCII letters in either case. Byte by byte and by this rule
// alone, so the user's locale never changes which files a mask finds (a
// Latin-1 locale would fold "\xC4" to "\xE4", a UTF-8 one would let "?"
// take a whole character and "\xC3\x84" find "\xC3\xA4"). "*.*" is matched as
// written here; FindFilesByMask reads it as every name.
bool MatchesFileMask(const std::string& Mask, const std::string& Name);
// The names (not paths) in Dir matching Mask, directories included, sorted;
// "." and ".." are never listed.
std::vector<std::string> FindFilesByMask(const std::string& Dir, const std::string& Mask);
// Erases every file in Dir matching Mask; failures are ignored.
void DeleteFilesByMask(const std::string& Dir, const std::string& Mask);
// Erases the file when there is one.
void DeleteFileIfExists(const std::string& Name);

// Copies Src to Dest; Dest may be a directory, the copy then keeps the name
// of Src. The copy is made beside Dest and put in place when complete. False
// when nothing was copied (no message: callers use it on optional files).
bool CopyFileToPath(const std::string& Src, const std::string& Dest);
// Copies Src to the file name Dest only when nothing of that name exists:
// false, and whatever stands there untouched, otherwise.
bool CopyFileNew(const std::string& Src, const std::string& Dest);
// Copies Src to the file Dest. Any failure sets Aborted with a message and
// leaves Dest as it was.
bool CopyBinaryFile(const std::string& Src, const std::string& Dest);
// When Src can be opened: copies it into the directory of Dest under its own
// name.
bool CopyFileIfExists(const std::string& Src, const std::string& Dest);
// Copies the files of SrcDir matching Mask into DestDir. No match sets
// Aborted; otherwise Aborted is cleared, and set again (with a message) for
// every file that could not be copied.
void CopyFilesByMask(const std::string& Mask, const std::string& SrcDir, const std::string& DestDir);
// Copies a text file line by line, each line in its display form (DOS to
// Windows code page). A failure sets Aborted; both files are closed and Dest
// is left as it was. A symbolic link named Dest is replaced, never followed.
bool CopyTextFileConverted(const std::string& Src, const std::string& Dest);

// The list export: each line of the text file, in its display form, becomes
// one row of the first column of a table. No spreadsheet is automated here:
// the rows are written as a CSV file (UTF-8, CR LF) beside the source, or in
// TempDir when it is set, with ExcelDecimalMode choosing the style (1: "."
// decimals and "," between fields; otherwise "," decimals and ";"), and the
// desktop opens it with its program for such tables (when nothing can be
// started, a message says where the file is). A name without directory is
// looked for in DataDir, a name without extension gets DataExt. Returns the
// CSV path, or empty (with Aborted and a message box) on failure.
std::string ExportTextFileToExcel(const std::string& Name);
// The writer under it: rows of cells (display code page) as that CSV file
// at CsvPath, each cell a number with the mode's decimal mark or a text
// quoted where it must be, then opened by the desktop. Returns CsvPath, or
// empty (with Aborted and a message box) when it could not be written.
std::string ExportRowsToExcel(const std::string& CsvPath, const std::vector<std::vector<std::string>>& Rows);

// --- string sort -------------------------------------------------------------

// Index[K] := K for K = Lo..Hi, then QuickSortStrings. Strings and Index
// are indexed directly by Lo..Hi (callers with 1-based lists leave element 0
// unused).
void SortStringIndex(std::vector<std::string>& Strings, std::vector<int>& Index, int Lo, int Hi);
// Sorts Strings[Lo..Hi] ascending by byte values, moving Index along; equal
// strings keep no particular order.
void QuickSortStrings(std::vector<std::string>& Strings, std::vector<int>& Index, int Lo, int Hi);
