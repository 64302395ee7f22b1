#pragma once
// Runs the built program as a subprocess in a directory of its own and
// collects its exit code, standard output and standard error.

#include <filesystem>
#include <string>
#include <vector>

struct TProgramRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
    std::vector<std::string> ErrLines() const;
};

// A fresh empty directory below the system's temporary directory.
std::filesystem::path FreshDir(const std::string& Tag);

// Runs QYR7_PROGRAM with the arguments in Dir, without a display, with
// HOME and XDG_CONFIG_HOME inside Dir so that no configuration of the machine
// is read.
// Env holds further "NAME=value" settings. Standard input is /dev/null, or
// closed altogether with CloseStdin; a run that does not end within two
// minutes is killed (exit code 124 or 137), so a run that waits for an
// answer fails rather than hangs. AsNobody: run as nobody when root.
// FileBlocks: no file written larger than that many 512-byte blocks (the
// write fails with "File too large"), as a full disk stops it.
// Signal: sent the moment a file SignalAt + "." + six characters (an
// output's temporary file beside it) appears in Dir; ExitCode is then
// 128 + the signal when the run ended by it.
// Wrap: shell words before the program (a tracer, a shell setting a limit).
TProgramRun RunProgram(const std::filesystem::path& Dir, const std::vector<std::string>& Args,
                       const std::vector<std::string>& Env = {}, bool CloseStdin = false,
                       bool AsNobody = false, int FileBlocks = 0, int Signal = 0,
                       const std::string& SignalAt = {}, const std::string& Wrap = {});

std::string ReadWholeFile(const std::filesystem::path& File);
void WriteWholeFile(const std::filesystem::path& File, const std::string& Text);
