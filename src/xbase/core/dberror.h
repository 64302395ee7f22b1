#pragma once
// The table library's error channel.
//
// Every routine of the table, index, memo, virtual-file, lock and expression
// layers records a failure here as a numeric code plus a detail text that ends
// with the failing routine's name in brackets, e.g. " [MakeIndex]". The
// report step turns the pair into one message. A library error never ends the
// program: the message goes to the installed message box (the GUI) or stderr
// (headless), the operation fails, and whatever the user typed is kept.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

// The library's exception: raised only while raising is switched on, and by
// the index error routine while automatic reporting is off.
class EXbaseError : public std::runtime_error
{
  public:
    explicit EXbaseError(const std::string& message) : std::runtime_error(message) {}
};

// Shows a message box (text, caption, flags) and returns the button pressed.
using TLibMessageBoxProc = std::function<int32_t(const std::string&, const std::string&, uint16_t)>;

struct TDbError {
    uint16_t DbErrorCode = 0;            // code of the last error, 0 = none
    uint16_t PendingErrorCode = 0;       // code whose message was not fetched yet
    std::string DbErrorText;             // detail text of the last error
    bool AutoReportErrors = true;        // SetError reports at once
    bool RaiseErrors = false;            // report by raising EXbaseError
    std::function<void()> UserErrorProc; // when installed, the only reporting
    bool ErrorHalting = false;           // every later ReportError does nothing
    // The message box behind LibMessageBox. Empty: the message goes to stderr
    // (batch and test runs); the GUI installs its own box at start-up.
    TLibMessageBoxProc MessageBoxProc;
};

extern TDbError dberror;
void ResetDbError();

// Caption of the box that shows a library error. The program goes on after
// the box, so it says what happened instead of announcing a halt.
inline constexpr const char* LibraryErrorCaption = "Table library error";

std::string ErrorText(uint16_t code);
void SetError(uint16_t code, const std::string& detail);
void ReportError();
std::string TakeErrorText();
std::string GetErrorMessage();
bool SetAutoReport(bool on);
bool SetRaiseErrors(bool on);
[[noreturn]] void RaiseLibraryError(const std::string& message);
int32_t LibMessageBox(const std::string& text, const std::string& caption, uint16_t flags);

// Guarded memory pair: FreeMem of a null pointer is reported, not a crash.
void GetMem(void*& p, uint16_t size);
void FreeMem(void*& p, uint16_t size);
int32_t MaxAvail();

// OEM (DOS code page 437) <-> ANSI (Windows-1252), same length as the source.
std::string StrAnsiToOem(const std::string& source);
std::string StrOemToAnsi(const std::string& source);

// Trims: every character with a code of 32 or below counts as blank.
std::string AllTrim(const std::string& s);
std::string TrimRightStr(const std::string& s);
std::string TrimLeftStr(const std::string& s);

// Saves and restores the automatic reporting flag around a sequence that must
// survive its own errors.
class TAutoReportOff
{
  public:
    TAutoReportOff() : previous_(SetAutoReport(false)) {}
    ~TAutoReportOff() { SetAutoReport(previous_); }
    TAutoReportOff(const TAutoReportOff&) = delete;
    TAutoReportOff& operator=(const TAutoReportOff&) = delete;

  private:
    bool previous_;
};

// Quiet, as above, and the error state (code, pending code, text) as it was
// at the start once the sequence ends: a step that tidies up after a failure
// (a take-back, a read of a record for comparison) neither reports nor
// replaces the error the caller is to see.
class TKeepErrorState
{
  public:
    TKeepErrorState()
        : code_(dberror.DbErrorCode), pending_(dberror.PendingErrorCode), text_(dberror.DbErrorText)
    {
    }
    ~TKeepErrorState()
    {
        dberror.DbErrorCode = code_;
        dberror.PendingErrorCode = pending_;
        dberror.DbErrorText = text_;
    }
    TKeepErrorState(const TKeepErrorState&) = delete;
    TKeepErrorState& operator=(const TKeepErrorState&) = delete;

  private:
    TAutoReportOff quiet_;
    uint16_t code_;
    uint16_t pending_;
    std::string text_;
};
