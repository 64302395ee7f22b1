#pragma once
// File dialogs, the check of a file name before a file is written, and the
// text-file operations that turn an I/O error into a message and Aborted.
//
// Nothing here ever deletes or truncates a file that was there before: the
// check only proves that the name can be written, and an existing file is
// replaced by the writer's atomic save (a temporary file renamed over it)
// once the new contents are complete.

#include "foundation/textfile.h"

#include <cstdint>
#include <string>

// --- file dialogs -----------------------------------------------------------

// Path of a file to be written (see the cases in the implementation):
// an empty name asks with the save dialog, a name without "." is completed
// with DataDir and DataExt, a name with "." is taken as it is. The path is
// then checked with CheckFileName. Refusal or Cancel sets Aborted.
void SaveFileDialog(std::string Name, std::string& Path);
// Path of a project file to be read; the file must exist (CheckFileExists).
// A file chosen in the dialog whose ProjectFileRefusal is not empty is
// refused with that message (Aborted), the project's name and directory as
// they were. A file that is no project (ResolvingOtherFile: a load spectrum
// to import) is taken as chosen, whatever its name ends in, unless its name
// holds a backslash.
void OpenFileDialog(std::string Name, std::string& Path);
// Why a file cannot be opened as a project, as the message that refuses it;
// empty when it can. A project is kept under its name without directory and
// extension, and Save writes that name + "." + DataExt in its directory: a
// file whose name does not end exactly in "." + DataExt, or holds another
// ".", would be read and another file written. A name with "\" names
// another file already (BackslashNameText).
std::string ProjectFileRefusal(const std::string& Path);
// Open dialog for the filter, started in Dir. A chosen file sets Dir to its
// directory (with the final separator) and Name to its base name (kind 5:
// the whole path; kind 4 also sets DataExt to its extension). Nothing
// chosen: Name empty and Aborted.
void AskOpenFileName(int Kind, std::string& Dir, const std::string& Filter, std::string& Name);
// Open dialog started in the directory part of Path; the chosen file, or
// Path itself and Aborted.
void BrowseForFile(const std::string& Path, const std::string& Filter, std::string& Result);
// A directory: the directory part of a file chosen in it (without the final
// separator); Cancel gives Dir back and leaves Aborted alone.
void ChooseDirectory(const std::string& Dir, std::string& Result);

// --- checks -------------------------------------------------------------------

// Refuses (Aborted) a file part with more than one ".", an existing file the
// user does not agree to overwrite (asked while OverwriteQuery is set and the
// path does not hold "actual"), and a name that cannot be written. The file
// itself is never touched: an existing one stays as it is until its writer
// replaces it.
void CheckFileName(const std::string& Path);
// A file the user asked for could not be written: "file <name> cannot be
// written: <why>" (CannotBeWrittenText) in the error box, while messages are
// enabled (a batch run says it in its own line). Every menu command that
// writes a file on the user's request says its failure with it.
void ShowCannotBeWritten(const std::string& Path, const std::string& Why);
// The file opens for reading; otherwise "file <path> not found or no access
// !" (only while messages are enabled, so a batch run explains the failure
// in its own one line) and Aborted. The file dialogs and the report engine
// check with it.
bool CheckFileReadable(const std::string& Path);

// --- guarded text-file operations -------------------------------------------

// The error number of the last failed file operation in the numbering of
// the messages below: 2 file not found, 3 path not found, 5 access denied,
// 100 read error, 101 disk full, 150 write protected, others as they come.
uint16_t IoErrorCodeOf(int ErrnoValue);

// Message of a failed line write by error number.
std::string WriteErrorText(uint16_t Code);
std::string CloseErrorText(uint16_t Code);
std::string RewriteErrorText(uint16_t Code);
std::string RewriteRetryText(uint16_t Code);

// Writes Text and a line end unless Aborted is set; a failure shows its
// message (while enabled) and sets Aborted.
bool WriteLineChecked(TTextFile& F, const std::string& Text);
// Closes F, putting a written file in place; failure: message, Aborted.
bool CloseFileChecked(TTextFile& F);
// Opens F for writing; failure: message, Aborted.
bool RewriteChecked(TTextFile& F);

// How often RewriteRetrying tries before it gives up.
inline constexpr int RewriteMaxTries = 5;
// Opens F for writing. A failure is shown with the system's reason in
// brackets (the user may remove its cause while the box is open) and the
// open tried again, at most RewriteMaxTries times in all; then "file <name>
// cannot be written: <the system's reason>" and Aborted.
bool RewriteRetrying(TTextFile& F);
