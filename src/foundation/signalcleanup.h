#pragma once
// What a run ended by Ctrl+C, a closed terminal or kill (SIGINT, SIGHUP,
// SIGTERM) takes along on its way out: the temporary file a report, drawing
// or copy is being written to beside its target ("v.txt.XXXXXX"), and the
// run's own directory of working files. The handler uses only calls that
// are safe inside a signal handler, then ends the run as the signal would
// have ended it. A run started to ignore one of the signals goes on
// ignoring it.

#include <csignal>
#include <string>

// Makes a new temporary file from Template (ending in "XXXXXX", as for
// mkstemp) and marks it for removal on a signal, with the signals held off
// in between so that no file is made unmarked. Returns its descriptor, or
// -1 (errno set) with nothing made.
int MakeMarkedTempFile(std::string& Template);

// Makes a new temporary file beside Target, marked as MakeMarkedTempFile
// marks it: in Target's directory, so that the rename over the target stays
// on one file system. Its name is Target + ".XXXXXX", or ".$$$XXXXXX" in the
// same directory when the longer name would pass the directory's limit for
// a name: a target whose name is as long as the file system allows can
// still be written. Temp gets the name made; the descriptor is returned
// (mode 0600), or -1 (errno set) with nothing made.
int MakeTempFileBeside(const std::string& Target, std::string& Temp);

// The temporary file has been renamed to its target or removed: a signal no
// longer touches the name.
void UnmarkTempFile(const std::string& Path);

// The run's directory is removed or kept by the run itself: a signal no
// longer touches it.
void UnmarkRunDirectory();

// Makes the run's directory from Template (ending in "XXXXXX", as for
// mkdtemp) and marks it, with the handlers set and the signals held off in
// between, so that no signal finds the directory made and not yet marked.
// False (errno set) with nothing made.
bool MakeMarkedRunDirectory(std::string& Template);

// First thing in main, while it is the only thread: the handlers are set,
// and the thread becomes the one that takes the signals (any other thread
// passes them on to it). A write to a pipe whose reader has gone, or past
// the file-size limit, fails with its cause instead of ending the run
// without a word: the run ends by its exit code and takes its files along.
void SetUpRunSignals();

// Empties the directory open as Fd, and the directories inside it down to
// Levels levels below it (which are removed as well), with calls that are
// safe in a signal handler and allocate nothing.
void EmptyDirectoryTree(int Fd, int Levels);

// Removes the marked files and the run's directory at once, with calls that
// are safe in a signal handler and allocate nothing.
void RemoveMarkedFiles();

// An exception no one catches takes the files along; when it is
// std::bad_alloc, the run ends with ExitCode and one line on standard error:
// LineStart and the exception's text.
void EndOutOfMemoryRuns(const std::string& LineStart, int ExitCode);

// Holds the signals off in the calling thread (Hold) or lets them in again:
// threads started meanwhile (the toolkit's) inherit the mask and leave the
// signals to the main thread.
void HoldCleanupSignals(bool Hold);

// Holds SIGINT, SIGTERM and SIGHUP off for the life of the object (errno
// stays as it was at its end): a file made and removed again meanwhile (a
// write probe) is never left by them.
class TSignalsHeld
{
  public:
    TSignalsHeld();
    ~TSignalsHeld();
    TSignalsHeld(const TSignalsHeld&) = delete;
    TSignalsHeld& operator=(const TSignalsHeld&) = delete;

  private:
    sigset_t old_;
};
