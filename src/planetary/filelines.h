#pragma once
// Strict reading of the program's own text files (project file, load
// spectrum file) line by line over the shared text file.
//
// The plain line readers of the foundation turn anything they cannot read
// into 0, an empty text or false, and a file that ends early reads on as
// empty lines. For the files the program writes itself that would load a cut
// or damaged file as a plausible but wrong gearbox. This reader refuses
// instead: the first line that is missing or does not hold what its place in
// the format asks for stops it, and the fault names the line. After a fault
// every further read does nothing and fails, so a format can be walked to its
// end and judged once.

#include "foundation/numbertext.h" // RangeBoundText, for the refusals
#include "foundation/types.h"

#include <initializer_list>
#include <string>

// Where and why a file was refused.
struct TFileFault {
    int Line = 0;       // 1-based line of the file; 0 when the file could not be opened
    std::string Reason; // what the line should have held
};

class TFileLineReader
{
  public:
    // Reads from the shared text file, which the caller has opened.
    TFileLineReader() = default;

    bool Failed() const { return failed_; }
    const TFileFault& Fault() const { return fault_; }

    // Marks the line last read (or, at the end of the file, the line after
    // it) as the fault. Only the first fault is kept.
    void Fail(const std::string& Reason);
    // Marks the next line to be read as the fault (for checks of a whole block
    // that a foreign reader read).
    void FailAt(int Line, const std::string& Reason);
    // Number of the line read last.
    int LineNumber() const;

    // The whole line. Texts written with "|" for their line breaks come back
    // with CR LF (TextFromLine). A text takes every byte but NUL: the stored
    // texts hold code page 437, whose bytes 0x14 and 0x15 are the pilcrow
    // and the section sign a user types.
    bool Text(std::string& S);
    // The whole line as it stands, a text as for Text.
    bool RawText(std::string& S);
    // The whole line as it stands, for a line that names a block: judged as
    // a number line is.
    bool HeadLine(std::string& S);
    // A line whose content nothing reads (the title lines of the header).
    bool Skip();
    // The line must be exactly Expected.
    bool Literal(const std::string& Expected);
    // A real; "," is taken as ".". Not a number, or not finite: refused.
    bool Number(Extended& X);
    // A 32-bit integer.
    bool Int(int& N);
    // A 16-bit field: the low 16 bits of the integer read, as the plain
    // word reader takes them.
    bool Word(int& N);
    // An integer that must lie in [Lo, Hi] (counts and codes that index
    // arrays, tooth numbers, classes). A whole number beyond 32 bits is
    // reported as out of the range too.
    bool IntInRange(int& N, int Lo, int Hi, const std::string& What);
    // A real that must lie in [Lo, Hi]: a value no gearbox has (a modulus
    // of 1e4000, a negative stress) would run the calculation into results
    // that look like numbers.
    bool NumberInRange(Extended& X, Extended Lo, Extended Hi, const std::string& What);
    // "TRUE" or "FALSE", in any case.
    bool Bool(bool& B);
    // A flag line: exactly one of the characters of Allowed.
    bool Flag(char& C, const std::string& Allowed = "JN");
    // A line of Count fields, each followed by "|"; exactly Count bars.
    // The fields numbered (from 1) in TextFields are texts, as for Text; the
    // others are judged as number lines are.
    bool Fields(std::string* Out, int Count, std::initializer_list<int> TextFields = {});

  private:
    // What a line may hold: a text every byte but NUL, a line whose content
    // nothing reads anything, every other line no control character.
    enum class TLineBytes { Plain, Text, Any };
    bool Next(std::string& line, TLineBytes Bytes = TLineBytes::Plain);
    bool failed_ = false;
    TFileFault fault_;
};

// A control character other than a tab: no line of a number, a count, a
// flag or a head word holds one, so such a line is damaged.
bool IsControlCharacter(char C);

// A text as one line of a file: every line break (CR LF, a lone CR or a lone
// LF) becomes "|", so that a text with line breaks cannot shift the lines
// after it; a NUL, which no line can hold, becomes a blank. Every other byte
// is kept.
std::string TextToLine(const std::string& S);
// A text for a line read as it stands (RawText): NUL, CR and LF become
// blanks, every other byte is kept.
std::string TextForRawLine(const std::string& S);
// The mirror of TextToLine: every "|" becomes CR LF.
std::string TextFromLine(const std::string& S);
// A text as one field of a field line: CR, LF and "|" would end the field or
// the line and a NUL no line can hold, so each becomes a blank.
std::string TextToField(const std::string& S);

// The first byte of a line, from its byte From on (a field's first), that
// the line cannot hold, as the refusals name it ("control character 0x00 in
// column 5"); empty when there is none. A text holds every byte but NUL, any
// other line no control character but a tab. No line the program writes
// holds one.
std::string ControlCharacterFault(const std::string& Line, bool Text = false, std::size_t From = 0);

// The message that reports a refused file: "file <name> line <n>: <reason>".
std::string FileFaultMessage(const std::string& FileName, const TFileFault& Fault);
