#include "xbase/core/dberror.h"

#include "foundation/codepage.h"
#include "foundation/textutil.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

TDbError dberror;

void ResetDbError()
{
    dberror = TDbError{};
}

namespace
{

struct TCodeText {
    uint16_t code;
    const char* text;
};

// The vocabulary of every failure of the library. Trailing blanks are part of
// some texts and are kept.
constexpr TCodeText kErrorTexts[] = {
    {1, "Invalid DOS function code"},
    {2, "File not found"},
    {3, "Path not found"},
    {4, "Too many open files"},
    {5, "File access denied"},
    {6, "Invalid file handle"},
    {8, "Not enough memory"},
    {9, "Memory block address invalid"},
    {10, "Environment invalid"},
    {11, "Format invalid"},
    {12, "Invalid file access code"},
    {13, "Data invalid"},
    {14, "Unknown unit"},
    {15, "Invalid drive number"},
    {16, "Cannot remove current directory"},
    {17, "Cannot rename across drives"},
    {18, "Too many open files"},
    {19, "Disk write-protected"},
    {20, "Unknown unit"},
    {21, "Drive not ready"},
    {22, "Unknown command"},
    {23, "CRC error in data"},
    {24, "Bad drive request structure length"},
    {25, "Disk seek error"},
    {26, "Unknown media type"},
    {27, "Disk sector not found"},
    {28, "Printer out of paper"},
    {29, "Device write fault"},
    {30, "Device read fault"},
    {31, "General failure"},
    {32, "File sharing violation"},
    {33, "File lock violation"},
    {34, "Disk change invalid"},
    {35, "File Control Block unavailable"},
    {36, "File sharing buffer overflow"},
    {50, "Unsupported network request"},
    {51, "Remote machine not listening"},
    {52, "Duplicate name on network"},
    {53, "Network name not found"},
    {54, "Network busy"},
    {55, "Device no longer exists on network"},
    {56, "Net-Bios command limit exceeded"},
    {57, "Error in network adapter hardware"},
    {58, "Incorrect response from network"},
    {59, "Unexpected network error"},
    {60, "Remote adapter incompatible"},
    {100, "Disk read error"},
    {101, "Disk write error (probable cause: Disk Full)."},
    {102, "File not assigned"},
    {103, "File not open"},
    {104, "File not open for input"},
    {105, "File not open for output"},
    {106, "Invalid numeric format"},
    {150, "Disk write-protected"},
    {151, "Unknown unit"},
    {152, "Drive not ready"},
    {153, "Unknown command"},
    {154, "CRC error in data"},
    {155, "Bad drive request structure length"},
    {156, "Disk seek error"},
    {157, "Unknown media type"},
    {158, "Disk sector not found"},
    {159, "Printer out of paper"},
    {160, "Device write fault"},
    {161, "Device read fault"},
    {162, "File sharing violation"},
    {200, "Division by zero error"},
    {201, "Range check error"},
    {202, "Stack overflow error"},
    {203, "Heap overflow error"},
    {204, "Invalid pointer operation"},
    {205, "Floating point overflow"},
    {206, "Floating point underflow"},
    {207, "Invalid floating point operation"},
    {208, "Overlay-manager not installed"},
    {209, "Overlay file read error"},
    {210, "Not a dBASE data file"},
    {211, "Invalid database field type encountered"},
    {212, "Request beyond range"},
    {213, "End of file found unexpectedly"},
    {214, "File already in use"},
    {215, "No database in use"},
    {216, "GP Fault"},
    {217, "Insufficient memory"},
    {218, "Invalid pointer specified"},
    {219, "Cannot duplicate file handle"},
    {220, "Invalid parameter"},
    {221, "Index file not open"},
    {222, "Corrupted index file"},
    {223, "Index version mismatch"},
    {224, "Cyclical relationship detected"},
    {225, "Exclusive Use() required"},
    {226, "BROWSE not active"},
    {227, "Insufficient disk space "},
    {228, "Unbalanced Push/Pop operation "},
    {229, "dBASE IV memo files not supported"},
    {230, "No dBASE memory variables loaded"},
    {231, "Screen library not open"},
    {239, "Missing colon in time"},
    {240, "Non-numeric character in time"},
    {241, "Invalid time specified"},
    {242, "Negative time specified"},
    {243, "TimeDiff result negative"},
    {254, "Xbase internal error"},
    {266, "Invalid size"},
    {1003, "Invalid memo address"},
    {1004, "Disk full"},
    {1005, "Memo file write error"},
    {1007, "Memo file is already open"},
    {1012, "Insufficient disk space to pack memo file"},
    {1017, "Cannot lock memo file"},
    {1018, "Cannot unlock memo file"},
    {1019, "Invalid memo operation: database not open or no memo field in database"},
    {1100, "Not a valid operation on Linked List"},
    {1101, "Virtual File Manager Unit not Linked in"},
    {1102, "Virtual File Memory Management Error"},
    {1103, "Invalid Operation "},
    {1200, "Record not locked"},
    {1201, "File not locked"},
    {1202,
     "Semaphore file error. Possible solutions: log into network or load SHARE.EXE before running Windows"},
    {1300, "File format not supported"},
};

std::string CodeText(uint16_t code)
{
    if (code >= 1203 && code <= 1299) return "Network Error";
    for (const auto& e : kErrorTexts)
        if (e.code == code) return e.text;
    return "Undefined error";
}

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::string ErrorText(uint16_t code)
{
    if (code == 0) return "";
    return "Error # " + std::to_string(code) + " (" + CodeText(code) + ")";
}

void SetError(uint16_t code, const std::string& detail)
{
    dberror.DbErrorCode = code;
    dberror.PendingErrorCode = code;
    dberror.DbErrorText = detail;
    if (dberror.AutoReportErrors) ReportError();
}

void ReportError()
{
    if (dberror.ErrorHalting) return;
    dberror.PendingErrorCode = dberror.DbErrorCode;
    if (dberror.UserErrorProc) {
        dberror.UserErrorProc();
        return;
    }
    if (dberror.DbErrorCode == 0) return;
    std::string message = ErrorText(dberror.DbErrorCode) + "\r\n" + TakeErrorText();
    if (dberror.RaiseErrors) throw EXbaseError(message);
    // The caller fails its operation and the program carries on, so unsaved
    // input is never lost to a table error. The code stays recorded.
    if (message.size() > 255) message.resize(255);
    LibMessageBox(message, LibraryErrorCaption, 16);
}

std::string TakeErrorText()
{
    std::string text = std::move(dberror.DbErrorText);
    dberror.DbErrorText.clear();
    dberror.PendingErrorCode = 0;
    return text;
}

std::string GetErrorMessage()
{
    if (dberror.PendingErrorCode == 0) return "";
    std::string head = ErrorText(dberror.PendingErrorCode);
    return head + "\r\n" + TakeErrorText();
}

bool SetAutoReport(bool on)
{
    return std::exchange(dberror.AutoReportErrors, on);
}

bool SetRaiseErrors(bool on)
{
    return std::exchange(dberror.RaiseErrors, on);
}

void RaiseLibraryError(const std::string& message)
{
    throw EXbaseError(message);
}

int32_t LibMessageBox(const std::string& text, const std::string& caption, uint16_t flags)
{
    std::string t = text.size() > 255 ? text.substr(0, 255) : text;
    std::string c = caption.size() > 255 ? caption.substr(0, 255) : caption;
    if (dberror.MessageBoxProc) return dberror.MessageBoxProc(t, c, flags);
    // The library's texts are the program's (code page 437, a name in them
    // converted where it was put in): shown as a message box shows them.
    std::fprintf(stderr, "%s: %s\n", TerminalText(c).c_str(), TerminalText(t).c_str());
    return 1; // the OK button
}

void GetMem(void*& p, uint16_t size)
{
    p = std::calloc(size == 0 ? 1 : size, 1);
}

void FreeMem(void*& p, uint16_t)
{
    if (p == nullptr) {
        SetError(9, "Attempt to free NIL pointer [FreeMem()]");
        return;
    }
    std::free(p);
    p = nullptr;
}

int32_t MaxAvail()
{
    return 2147483647;
}

std::string StrAnsiToOem(const std::string& source)
{
    return AnsiToOemText(source);
}

std::string StrOemToAnsi(const std::string& source)
{
    return OemToAnsiText(source);
}

std::string AllTrim(const std::string& s)
{
    return TrimLeftStr(TrimRightStr(s));
}

std::string TrimRightStr(const std::string& s)
{
    std::size_t n = s.size();
    while (n > 0 && IsBlankOrControl(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string TrimLeftStr(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && IsBlankOrControl(s[i]))
        ++i;
    return s.substr(i);
}
