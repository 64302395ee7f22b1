#pragma once
// What the report side asks of the layers above it.
//
// The input dialogs (device list, yes/no questions, save dialog and file name
// checks, message boxes), the shell's date, time and help, the result window
// and the external programs live in subsystems that are built on top of the
// reports. They reach the report engine through this table of hooks: the
// application fills it at start-up, tests fill it with scripted answers, and
// the defaults (reportservicedefaults.h) are the headless answers of a batch
// run (no question is ever answered with a harmful Yes, texts go to the
// standard error stream).
//
// Every hook that stands for a dialog keeps the dialog's contract on the
// program-wide flag: a Cancel sets telmvar.Aborted.

#include "platform/launcher.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The menu words of the report side's own windows (the result window, the
// file preview) in the current language: bytes of that language's Windows
// code page, '&' before the access key.
struct TWindowMenuTexts {
    std::string File = "&File";
    std::string Print = "&Print...";
    std::string Exit = "E&xit";
    std::string Edit = "&Edit";
    std::string SelectAll = "Select &All";
    std::string Copy = "&Copy";
    std::string Help = "&Help";
    int CodePage = 1252;
};

struct TReportServices {
    // One of telmvar.TextItems[1..Count]; Choice is 1-based in and out
    // (reset to 1 when it comes in out of range). Cancel sets Aborted and
    // keeps Choice. The application installs the program's selection prompt
    // here (AskSelect of the dialogs); the default keeps the choice.
    std::function<void(const std::string& Prompt, int Count, uint16_t& Choice)> AskSelect;
    // Yes/No/Cancel question; true only for Yes; Cancel sets Aborted.
    std::function<bool(const std::string& Question)> AskYesNoCancel;
    // The same for a copied text (the single-page question).
    std::function<bool(const std::string& Question)> QueryYesNo;
    // Save dialog for "*." + DataExt starting in DataDir (empty Name) or the
    // name resolved; sets DataDir and ProjectName on OK, Aborted on Cancel,
    // and runs CheckFileName on the result.
    std::function<void(const std::string& Name, std::string& Path)> SaveFileDialog;
    // Name check before a file is written (dots, overwrite question,
    // creatable); a refusal sets Aborted.
    std::function<void(const std::string& Path)> CheckFileName;
    // Opens the file for reading as a test; on failure the message "file " +
    // path + " not found or no access !" and Aborted.
    std::function<bool(const std::string& Path)> CheckFileExists;
    // Plain message box with the caption "Message:".
    std::function<void(const std::string& Text)> ShowMessageBox;
    // Message box with a caption of its own.
    std::function<void(const std::string& Caption, const std::string& Text)> ShowMessageCaption;
    // Error box shown only while telmvar.MessagesEnabled is set.
    std::function<void(const std::string& Text)> ShowMessageIfEnabled;
    // Help entry of the next input dialog.
    std::function<void(int HelpNo)> SetInputHelpNumber;
    // Help text or picture of an entry of the help file.
    std::function<void(int HelpNo, int Picture, int Mode)> ShowHelpText;
    std::function<void()> SetHourglassCursor;
    std::function<void()> RestoreCursor;
    // Today's date in the configured order, and the time as "H:MM".
    std::function<std::string()> TodayDateText;
    std::function<std::string()> NowTimeText;
    // The result window of the screen device: shows TempDir + "outwin.txt"
    // modally; PrintFileName is what its print command prints.
    std::function<void(const std::string& PrintFileName)> ShowResultWindow;
    // The menu words of the current language; the shell installs its menu
    // texts. Unset: English.
    std::function<TWindowMenuTexts()> WindowMenuTexts;
    // Starts an external program (Program empty: the desktop's default
    // application for the first argument); when it could not start, the
    // result says why, so that the user can be told.
    std::function<platform::LaunchResult(const std::string& Program, const std::vector<std::string>& Args)>
        Launch;
    // Hands the finished spool file of the text printer device to printer
    // port 1..4. Empty when it was handed over, else why nothing was printed.
    std::function<std::string(int Port, const std::string& SpoolFile)> SendToPrinterPort;
    // Why printer port 1..4 can take no report at all, asked before the
    // report is begun; empty when it can. Unset: it can.
    std::function<std::string(int Port)> PrinterPortRefusal;
    // Puts a text (display code page) on the clipboard.
    std::function<void(const std::string& Text)> CopyToClipboard;
    // Prints a report text file page by page (the printer device and the
    // result window's print command).
    std::function<void(const std::string& FileName)> PrintTextFile;
    // The print dialog of a text printout: pages 1..PageCount are offered,
    // From and To come back. False when the user cancelled.
    std::function<bool(int PageCount, int& From, int& To)> ChoosePrintPages;
    // Draws a load spectrum diagram (Kind 1 tooth root, 2 pitting) on a CAD
    // device; the graphics layer installs it. Unset: the output menu says
    // that the diagram is not available.
    std::function<void(int Kind, int Device)> DrawLoadSpectrumDiagram;
};

// Filled with the headless answers before main() runs; they are defined
// with ResetReportServices (reportservicedefaults.h), above the engine and
// the text views that use this table.
extern TReportServices reportservices;
