#pragma once
// The version text of a program file. This platform keeps no version record
// in executables: the program's own file answers with the version the build
// was configured with, every other file has no record.

#include <string>

// Major and minor number joined by ".", then "." and the release number when
// the release is above 0, then "." and the build number when release and
// build are both at least 1; "0" without a version record. Blanks around the
// name are ignored; "W" + ProgramFileStem + ".exe" (any case, with or without
// a directory) names the running program.
std::string GetFileVersionText(const std::string& FileName);

// The version text from its four numbers by the rule above.
std::string VersionText(int Major, int Minor, int Release, int Build);
