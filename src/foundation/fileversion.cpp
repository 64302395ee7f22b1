#include "foundation/fileversion.h"

#include "foundation/pathsplit.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"

#include <cstdlib>

#ifndef QYR7_VERSION
#define QYR7_VERSION "1.0"
#endif

std::string VersionText(int Major, int Minor, int Release, int Build)
{
    std::string s = std::to_string(Major) + "." + std::to_string(Minor);
    if (Release > 0) {
        s += "." + std::to_string(Release);
        if (Build >= 1) s += "." + std::to_string(Build);
    }
    return s;
}

std::string GetFileVersionText(const std::string& FileName)
{
    const std::string own = "W" + telmvar.ProgramFileStem + ".EXE";
    if (UpperCaseText(NamePart(TrimBlanks(FileName))) != UpperCaseText(own)) return "0";
    // The configured version "major.minor[.release[.build]]".
    int part[4] = {0, 0, 0, 0};
    const char* p = QYR7_VERSION;
    for (int i = 0; i < 4 && *p != '\0'; ++i) {
        char* end = nullptr;
        part[i] = static_cast<int>(std::strtol(p, &end, 10));
        p = (*end == '.') ? end + 1 : end;
        if (*end != '.') break;
    }
    return VersionText(part[0], part[1], part[2], part[3]);
}
