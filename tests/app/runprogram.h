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
// Env holds further "NAME=value" settings.
TProgramRun RunProgram(const std::filesystem::path& Dir, const std::vector<std::string>& Args,
                       const std::vector<std::string>& Env = {});

std::string ReadWholeFile(const std::filesystem::path& File);
void WriteWholeFile(const std::filesystem::path& File, const std::string& Text);
