#pragma once
// Message boxes with their fixed captions, the yes/no/cancel question, the
// application title and the hourglass cursor. Everything goes through the
// current platform: in a batch run a box becomes one line on standard error
// and a question gets its safe answer (Cancel), so nothing ever waits.
//
// Texts are stored texts (DOS code page where they come from files); they
// are shown through DisplayText.

#include <string>

struct TMessageboxes {
    // Ask before an existing file is overwritten. The plain Save of the
    // current project clears it for its own write only.
    bool OverwriteQuery = true;
    // A project file named at start-up that was not read ("/E", or a file
    // that could not be read): the program holds other data than the file,
    // so writing over it is asked for even by the plain Save. Cleared once
    // a project was read or the user agreed.
    std::string UnreadProjectPath;
};

extern TMessageboxes messageboxes;

void ResetMessageboxes();

// Caption by kind: 12 "Error  : ", 3 "Help", every other kind "Message:".
std::string MessageCaptionByKind(int Kind);
// OK box with the caption of the kind.
void MessageBoxByKind(const std::string& Text, int Kind);
void ShowErrorBox(const std::string& Text);   // kind 12
void ShowInfoBox(const std::string& Text);    // kind 11
void ShowMessageBox(const std::string& Text); // kind 0
// The error box, only while telmvar.MessagesEnabled is set.
void ShowMessageIfEnabled(const std::string& Text);
void ShowMessageCaption(const std::string& Caption, const std::string& Text);
// The plain message dialog of the toolkit (caption: the program name).
void ShowPlainMessage(const std::string& Text);
// "Option is not available in archive mode." while messages are enabled.
void ArchiveModeMessage();
// Yes, No and Cancel under the program title; Cancel sets Aborted. True
// only for Yes.
bool AskYesNoCancel(const std::string& Text);
bool QueryYesNo(const std::string& Text);

void SetHourglassCursor();
void SetArrowCursor();
void RestoreCursor();

// The title: ProgramTitle alone without a project; ProgramTitle + "  -  " +
// ProjectName when the name holds a "." (a path of the archive mode), else
// with "." + DataExt appended. Set as the main window's title; the arrow
// cursor is set; the title is returned.
std::string UpdateAppTitle();
// The program has no status line.
void ShowStatusText(const std::string& Text);
