#pragma once
// The project file around the commands of the File menu: saving without the
// overwrite question, the question before unsaved input is lost, the four
// most recently used project files with their menu items, the window
// caption and the clean-up when the main window closes.

#include <string>

// WriteProjectFile for a command of the window: a file that could not be
// written is said in a box with the system's reason (ShowCannotBeWritten),
// not only in the message list, which nobody reads after a save. The project
// keeps its name, directory and archive mode (see WriteProjectFile).
void WriteProjectCommand(const std::string& Name);
// Writes the project under Name without the overwrite question; an empty
// name asks for one.
void SaveProject(const std::string& Name);

// Asks what to do with unsaved input; sets Aborted when the user keeps it.
// DataModified is cleared only when the input was saved or given up.
void QuerySaveChanges();

// A path of 50 characters or more shows as its first directory, "..." and
// its file name, when it has at least two "/".
std::string ShortenPath(const std::string& Path);

// Entry I of RecentFiles on menu item Item (hidden when the entry is empty).
void ShowRecentItem(const std::string& Item, int I);
// The four recent items and the separator before Exit.
void ShowRecentFiles();
// The list as read from the session file, closed up, on the menu.
void InitRecentMenu();
void RemoveRecentFile(int I);
// Puts DataDir + Name + "." + DataExt at the top of the list; the same file
// anywhere further down goes.
void AddRecentFile(const std::string& Name);

// The window caption from the project name, and the recent items.
void UpdateCaption();
// The window caption only.
void SetCaptionText(const std::string& Text);

// Removes this process's temporary drawing files (the CAD layer's private
// block directories); the user's own files in TempDir stay.
bool DeleteTempDrawings();
