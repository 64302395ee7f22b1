#pragma once

// The session file beside the configuration file: the data directory and the
// four most recently used project files. Where it is read from and whether it
// may be written back are kept in configio (SessionDir, SessionUnreadable).

#include <cstddef>
#include <string>

// The largest session file read: a label line and four names. Anything larger
// (or a pipe or device named so) is not one and is passed over like a missing
// file.
inline constexpr std::size_t SessionFileMaxBytes = std::size_t{64} << 10;

// Reads the first session file of ConfigDir and FallbackDirs into
// RecentFiles (all empty without one) and remembers its directory. Anything
// else under the name (a FIFO, a directory, a device) is refused by name and
// ends the search: the list stays empty, and nothing is written back.
void ReadSessionFile();
// Writes RecentFiles to SessionFileName() through a temporary file that
// replaces the old one only when complete; the directory is made when
// missing. Nothing is written with an empty list (RecentFiles[1] empty; the
// list is kept closed up) nor over a session file that could not be read.
void WriteSessionFile();

// Where the session file is written: the directory it was read from; else
// beside the configuration file when ConfigDir holds one; else the user's
// configuration directory when it is one of FallbackDirs; else ConfigDir.
std::string SessionFileName();
