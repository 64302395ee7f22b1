#pragma once
// The run's own directory of working files (mode 0700, a unique name "qyr7-"
// and six characters), made at the start and removed with everything in it
// at the end. Without a configured temporary directory it is below the
// system's one and is the run's temporary directory altogether: the working
// copies of reports, the result window's file, the copies of catalogue
// tables and the index files of a bearing pick go there, never into the
// directory the user started the program in, where a file of the same name
// may be the user's. Inside a configured temporary directory, which other
// runs share, it holds what only this run uses (the table copies, temporary
// indexes and numbered report copies), so that two runs at the same moment
// never take each other's files; what is left there for the user or another
// program keeps its place in the configured directory.

#include <string>

struct TPrivateTempDir {
    // The directory with its trailing separator; empty while none is made.
    std::string Dir;
    // Why the last try made none: the directory it was to be made in and
    // the system's reason.
    std::string Failure;
};

extern TPrivateTempDir privatetempdir;

// Makes the directory once per run below Base (the system's temporary
// directory when empty) and returns it with its trailing separator; empty
// when none could be made (Failure then says why). The handlers that remove
// it on a signal are set before it is made.
std::string MakePrivateTempDir(const std::string& Base = {});

// Removes the directory and what the run left in it. Also run at the
// process's normal exit; a signal that ends the run (interrupt, hangup,
// termination) removes it on its way out.
void RemovePrivateTempDir();

// Leaves the directory in place at the end: a program started on a file in
// it (the plot program of CAD device 4) reads it after this run has ended.
void KeepPrivateTempDir();
