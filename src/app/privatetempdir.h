#pragma once
// The temporary directory of a run without a configured one: a directory of
// its own below the system's temporary directory (mode 0700, a unique name),
// made at the start and removed with everything in it at the end. The
// working copies of reports, the result window's file, the copies of
// catalogue tables and the index files of a bearing pick go there, never
// into the directory the user started the program in, where a file of the
// same name may be the user's.

#include <string>

struct TPrivateTempDir {
    // The directory with its trailing separator; empty while none is made.
    std::string Dir;
};

extern TPrivateTempDir privatetempdir;

// Makes the directory once per run and returns it (with its trailing
// separator); empty when the system's temporary directory takes none.
std::string MakePrivateTempDir();

// Removes the directory and what the run left in it. Also run at the
// process's normal exit; a signal that ends the run (interrupt, hangup,
// termination) removes it on its way out.
void RemovePrivateTempDir();

// Leaves the directory in place at the end: a program started on a file in
// it (the plot program of CAD device 4) reads it after this run has ended.
void KeepPrivateTempDir();
