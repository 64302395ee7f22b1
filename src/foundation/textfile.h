#pragma once
// Line-oriented text files: the project, load spectrum, configuration and
// session files, the bearing factor tables and the report outputs are read
// and written one value per line through the one shared file
// textfile.SharedTextFile.
//
// Lines are written with CR LF and the bytes as they are held (DOS code-page
// bytes included); readers accept CR LF and LF. No routine raises: a failed
// read or write sets telmvar.Aborted and later calls go on failing, so a
// caller may run a whole format and test Aborted once at the end.
//
// A file opened for writing goes to a temporary file beside it, which
// CloseTextFile renames over the old file only when every write succeeded:
// a failed save never destroys the previous file.

#include "foundation/types.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The largest text file read when the caller names no size of its own.
inline constexpr std::size_t TextFileMaxBytes = std::size_t{64} << 20;

class TTextFile
{
  public:
    TTextFile() = default;
    TTextFile(const TTextFile&) = delete;
    TTextFile& operator=(const TTextFile&) = delete;
    ~TTextFile();

    // Binds a file name ("\" and "/" both separate directories). An open
    // file is abandoned first.
    void Assign(const std::string& Name);
    const std::string& Name() const { return name_; }

    // Opens the named file for reading, whole, into memory. Only a regular
    // file is read: a pipe or a device (a FIFO, /dev/zero) would block the
    // program or never end. A file longer than MaxBytes is refused too, so
    // that a wrong file named by mistake cannot eat the memory; each reader
    // passes a size no real file of its kind reaches. False when refused,
    // with the reason in OpenFailure.
    bool OpenRead(std::size_t MaxBytes = TextFileMaxBytes);
    // Why the last OpenRead failed, as the end of "file <name>: ...".
    const std::string& OpenFailure() const { return openFailure_; }
    // Starts a new file: the lines go to a temporary file until Close.
    bool OpenWrite();
    // For the next OpenWrite (Assign switches it off again): a symbolic link
    // of the name is replaced by the new file rather than followed. Reports
    // are new output; a link of their name may point at anything of the
    // user's, which they must never overwrite.
    void ReplaceLinks(bool On) { replaceLinks_ = On; }
    // For the next OpenWrite (Assign switches it off again): the file is a
    // working copy in the temporary directory that this run reads back and
    // deletes, so closing it does not wait for the disk.
    void Scratch(bool On) { scratch_ = On; }
    // Adds lines to the end of the file (report outputs), creating it.
    bool OpenAppend();
    bool IsOpen() const { return mode_ != Mode::Closed; }
    bool IsReading() const { return mode_ == Mode::Read; }

    // The next line without its line end. False at the end of the file
    // (Line is then empty and ReadPastEnd is set) or when not reading.
    bool ReadLine(std::string& Line);
    // All lines have been read.
    bool AtEnd() const;
    // A read was attempted after the last line: the file ended early for the
    // format its caller expected.
    bool ReadPastEnd() const { return readPastEnd_; }
    // Number of lines read so far (1-based number of the last line read).
    int LineNumber() const { return lineNumber_; }

    // Writes S without a line end. False when not writing or on an I/O error
    // (the error stays with the file until it is closed).
    bool Write(const std::string& S);
    bool WriteLine(const std::string& S) { return Write(S) && Write("\r\n"); }

    // Reading: forgets the contents. Writing: flushes and puts the new file
    // in place; false (and the old file untouched) when anything failed.
    bool Close();
    // Closes without putting a new file in place (the temporary is removed).
    void Abandon();
    // The system's reason why the last OpenWrite, a write since or the Close
    // after it failed (the first failure: the later ones follow from it);
    // empty while none, or when the system gave no reason.
    const std::string& WriteFailure() const { return failure_; }

  private:
    bool Failed();

    enum class Mode { Closed, Read, Write, Append };
    std::string name_;
    std::string tempName_;
    std::string targetName_; // the regular file the temporary one replaces
    Mode mode_ = Mode::Closed;
    std::FILE* out_ = nullptr;
    bool writeFailed_ = false;
    bool replaceLinks_ = false;
    bool scratch_ = false;
    std::string data_;
    std::size_t pos_ = 0;
    bool readPastEnd_ = false;
    int lineNumber_ = 0;
    std::string openFailure_;
    std::string failure_;
};

struct TTextfile {
    // The one text file of the line readers and writers and the report engine.
    TTextFile SharedTextFile;
    // The file a text file last failed to create or write, with the system's
    // reason ("/tmp/x/$$$1.txt: No space left on device"): a batch run that
    // could not write its report names the real cause, which may lie in
    // another file than the report (its working copy in a full temporary
    // directory). The first failure is kept: the later ones follow from it.
    // Whoever reports it clears it. A text of the program: the name in it is
    // converted (FileNameToOem).
    std::string LastWriteFailure;
};

extern TTextfile textfile;

// Start-up state: the shared file closed (an unfinished write is abandoned)
// and unnamed.
void ResetTextfile();

// Binds Name to F.
void AssignTextFile(TTextFile& F, const std::string& Name);
// Opens F; a failure sets Aborted. A file that cannot be created is also
// reported ("file <name> cannot be created ! (<the system's reason>)").
bool ResetTextFile(TTextFile& F, std::size_t MaxBytes = TextFileMaxBytes);
bool RewriteTextFile(TTextFile& F);
bool AppendTextFile(TTextFile& F);
// "file <name> cannot be written: <why>", the message of a file the user asked
// for that could not be written (the name as the file system has it made a
// text of the program); without ": <why>" when Why is empty. Why is the
// system's reason (TTextFile::WriteFailure, ErrnoText) or the program's own.
std::string CannotBeWrittenText(const std::string& Path, const std::string& Why);
// The question before a file that exists is replaced: "<name> already
// exists.   overwrite ?", the name converted (FileNameToOem).
std::string OverwriteQuestionText(const std::string& Path);
// Closes F; a failure sets Aborted with the message "file <name> could not be
// written !" and leaves the previous file as it was.
bool CloseTextFile(TTextFile& F);

// --- readers: one line of SharedTextFile each; false when no line came ----

bool ReadTextLine(std::string& S);
// The texts before the first, second, third and fourth "|"; a field whose
// bar is missing is empty.
bool ReadFieldLine4(std::string& A, std::string& B, std::string& C, std::string& D);
// The first character of the line, CR (13) for an empty line.
bool ReadTextChar(char& C);
// Decimal integer (leading blanks allowed, nothing after it); 0 otherwise.
bool ReadTextInt(int32_t& N);
bool ReadTextLongInt(int32_t& N);
// The low 16 bits of the integer read.
bool ReadTextWord(uint16_t& W);
// A real after every "," has become "."; 0 when the line is not a number.
bool ReadTextExtended(Extended& X);
bool ReadTextDouble(double& X);
// Unless Aborted: B := the line is "TRUE" (any case).
bool ReadBoolTrue(bool& B);
// Unless Aborted: B := the line is not "FALSE" (any case).
bool ReadBoolNotFalse(bool& B);

// --- writers: to SharedTextFile, false on failure -------------------------

bool WriteTextLine(const std::string& S);
bool WriteStringLine(const std::string& S);
// X by the number writer rule (NumberLineText) and a line end.
bool WriteNumberLine(Extended X);
bool WriteIntLine(int64_t N);
bool WriteBoolLine(bool B);
bool WriteFieldLine4(const std::string& A, const std::string& B, const std::string& C, const std::string& D);
bool WriteFieldLine6(const std::string& A, const std::string& B, const std::string& C, const std::string& D,
                     const std::string& E, const std::string& F);
bool WriteFieldLine8(const std::string& A, const std::string& B, const std::string& C, const std::string& D,
                     const std::string& E, const std::string& F, const std::string& G, const std::string& H);
bool WriteText(const std::string& S);

// The number writer rule. A whole number below 1 (0, -1, -2 ...) is written
// without decimals; any other value with 7 decimals (shifted by
// DecimalDigits) right-aligned, in the regional decimal separator. When that
// text would not read back as the stored value (a display setting of few
// decimals, a value with more digits than 7 decimals hold, or a tiny value
// that would be written as 0), decimals are added until it reads back to
// the last bit of the extended value, so that saving and loading never
// changes a value and a file written again is the same file.
std::string NumberLineText(Extended X);

// The number of lines of the file header block; readers skip them, but for
// the project file, which keeps its remark lines there.
constexpr int ProgramHeaderLines = 7;
// The file header block: a rule of 65 "-", the title with the program
// file's version, "Version " + ProgramVersion, a second rule and the three
// remark lines.
bool WriteProgramHeader();
// A remark line as the header block writes it: a NUL, CR or LF (a comment
// pasted from several lines) becomes a blank. Written as it stood, it would
// push every later line of the file out of its place, and the file would
// never open again.
std::string RemarkLineText(const std::string& S);
// Skips the header block of a file being read; false when it ended early.
bool SkipProgramHeader();
