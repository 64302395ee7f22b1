#pragma once
// The directories of the configuration checked at start: the ones nobody
// configured take their stand-ins (the shipped tables, the start directory,
// a temporary directory of the run's own), the configured ones that cannot
// serve are reported.

#include <string>

// Empty directories become the start directory; invalid ones are reported.
// The run's own directory is made (privatetempdir); when it cannot be, the
// check stops there and privatetempdir.Failure says why.
void CheckConfigDirs();
// ProgramDir + "data/" when the program ships its tables there, else empty.
std::string ShippedDataDir(const std::string& ProgramDir);
