#pragma once
// Two further views of a memo. A memo text file binds a text file to a memo
// field: the memo is read line by line, or a new memo is written line by
// line and stored when the file is closed. A BLOB stream reads or writes one
// memo as a flat byte sequence with seek, with optional OEM/ANSI conversion
// of text.

#include <cstdint>
#include <string>
#include <vector>

// A text file whose contents are a memo of the work area selected when it
// was assigned. The I/O result of the last operation is kept as a run-time
// text file keeps it: 0, 8 no memory, 100 read failure, 101 write failure,
// 102 wrong open mode, 103 not open, 104 not open for input.
class TMemoTextFile
{
  public:
    enum class TMode { Unassigned, Closed, Input, Output };

    // Opens for reading the memo at the block variable.
    void Reset();
    // Opens for writing a new memo; the block variable becomes 0.
    void Rewrite();
    // Opens the memo at the block variable for writing more lines.
    void Append();
    // One buffer as the driver delivers it: a line ended by a hard return
    // with 13 10, a line ended softly or wrapped without a break; empty at
    // the end.
    std::string ReadBuffer();
    // One line, lines joined where the memo has no hard return; false at
    // the end.
    bool ReadLn(std::string& line);
    bool Eof() const;
    void Write(const std::string& text);
    void WriteLn(const std::string& text) { Write(text + "\r\n"); }
    void Flush();
    // Finishes the file: after writing, the memo is stored and the block
    // variable receives its block (0 for an empty memo).
    void Close();
    uint16_t IOResult();
    TMode Mode() const { return mode_; }

  private:
    friend void AssignMemo(TMemoTextFile& file, int32_t& block);
    // Runs an operation with the assigned work area selected.
    template <typename F> void InArea(F&& f);
    void StorePending(bool hardEnd, bool softEnd);

    TMode mode_ = TMode::Unassigned;
    int32_t* block_ = nullptr;
    uint8_t area_ = 0;
    uint16_t ioResult_ = 0;
    int32_t MemoTextLine = 1;
    std::string MemoPendingText;
};

// Binds the text file to the memo of the selected work area, the block
// variable holding the memo's block (read at open, written at close).
void AssignMemo(TMemoTextFile& file, int32_t& block);

// Reads the memo at a block of the selected area through a memo text file:
// its lines, joined where the memo has no hard return. False when it cannot
// be read.
bool ReadMemoLines(int32_t block, std::vector<std::string>& lines);
// The memo of field n of the current record of an area (33 and above: the
// selected one), its lines joined without separators, as an expression
// operand takes it.
std::string MemoOperandText(int area, int field);

// ---- BLOB streams of the selected work area's memo file

// Opens the BLOB for reading (mode 1) the memo at the block, or for writing
// (mode 2) a new memo to replace it. With textModeGiven the data decides
// whether it is text. The memo's block (negative for a dBASE III file), 0 on
// failure.
int32_t CreateBlobDescriptor(bool textModeGiven, int32_t block, uint8_t mode);
int32_t ReadBlobStream(void* buffer, int32_t count, int textMode);
int32_t WriteBlobStream(const void* buffer, int32_t count, int textMode);
// origin 0 from the start, 1 from the position, 2 from the end.
int32_t SeekBlobStream(int32_t offset, int origin);
void DestroyBlobDescriptor();
