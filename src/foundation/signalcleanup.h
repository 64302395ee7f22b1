#pragma once
// What a run ended by Ctrl+C, a closed terminal or kill (SIGINT, SIGHUP,
// SIGTERM) takes along on its way out: the temporary file a report, drawing
// or copy is being written to beside its target ("v.txt.XXXXXX"), and the
// run's own directory of working files. The handler uses only calls that
// are safe inside a signal handler, then ends the run as the signal would
// have ended it. A run started to ignore one of the signals goes on
// ignoring it.

#include <string>

// Makes a new temporary file from Template (ending in "XXXXXX", as for
// mkstemp) and marks it for removal on a signal, with the signals held off
// in between so that no file is made unmarked. Returns its descriptor, or
// -1 (errno set) with nothing made.
int MakeMarkedTempFile(std::string& Template);

// The temporary file has been renamed to its target or removed: a signal no
// longer touches the name.
void UnmarkTempFile(const std::string& Path);

// The directory emptied and removed on a signal (one per run; an empty name
// forgets it).
void MarkRunDirectory(const std::string& Dir);
