#pragma once
// How the file commands of the stage (project file, load spectrum file) turn
// the name they were given into the path of the file.
//
// The input dialogs install their own resolvers, which ask with the system's
// file dialogs where a name alone does not suffice. Without them (tests,
// batch runs) the headless resolvers below complete a bare name to the data
// directory and the data extension and refuse what they cannot decide
// without asking. Every refusal sets Aborted and adds a message.

#include <functional>
#include <string>

struct TFileNameDialogs {
    // Path of a file to be written, from Name ("" asks), with the data
    // extension telmvar.DataExt.
    std::function<void(const std::string& Name, std::string& Path)> SaveFileDialog;
    // Path of a file to be read.
    std::function<void(const std::string& Name, std::string& Path)> OpenFileDialog;
};

extern TFileNameDialogs filenamedialogs;

// Puts the headless resolvers in place.
void ResetFileNameDialogs();

// The headless completion shared by both: a name without "." becomes the
// data directory, the name, "." and the data extension; a name with one "."
// in its file part is taken as it comes; an empty name or a file part with
// more than one "." is refused (Aborted, message).
void CompleteFileName(const std::string& Name, std::string& Path);
// The same for a file to be written; in archive mode (ArchiveMode and
// ArchiveFlag) every name but "actual" is refused.
void CompleteSaveFileName(const std::string& Name, std::string& Path);

// Runs F with telmvar.DataExt set to Ext and restores it afterwards (the load
// spectrum file resolves its names with the extension "kol"), together with
// the project's name, directory and archive mode, which a file dialog sets.
void WithDataExt(const std::string& Ext, const std::function<void()>& F);
// True while WithDataExt runs: the file dialogs then resolve a file that is
// no project (a load spectrum), which is read and written under the name
// chosen, not kept as the project's.
bool ResolvingOtherFile();
