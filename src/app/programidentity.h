#pragma once
// Who the program is: name, file stem, project extension, title, version.

#include <string>

// Sets the identity fields of telmvar: "QYR7", stem "qyr7", extension
// "qy7", the title and version "1.0".
void InitProgramIdentity();

// One line for a batch run and for the terminal: the title and the version.
std::string ProgramIdentityLine();

// The program file: "w" + the file stem.
std::string ProgramFileName();
