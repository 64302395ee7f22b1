#include "foundation/pathsplit.h"

// Stored paths and configuration files come from systems that write "\", the
// file system here writes "/": both end a directory. A ":" does not, although
// the stored paths' systems read it as a drive mark: on this system it is a
// character of the name ("stufe 10:30.qy7"), and a drive such as "C:" stays
// the start of the path's first name.
std::size_t LastPathSeparator(const std::string& Path)
{
    return Path.find_last_of("\\/");
}

std::string NamePart(const std::string& Path)
{
    const std::size_t p = LastPathSeparator(Path);
    return p == std::string::npos ? Path : Path.substr(p + 1);
}
