#pragma once
// The run's own directory for the files no other run may touch: the table
// copies, their temporary indexes and the numbered report copies. Inside a
// configured temporary directory, which every run of that configuration
// shares, it is a directory of this run's; without one, the run's whole
// temporary directory is its own already.

#include <string>

struct TRunTempDir {
    // With its trailing separator; empty: TempDir itself.
    std::string Dir;
};

extern TRunTempDir runtempdir;

// Name in the run's own directory (TempDir while none is set), joined with
// the separator.
std::string RunTempPath(const std::string& Name);
