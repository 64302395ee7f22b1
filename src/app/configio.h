#pragma once
// The configuration file (ProgramFileStem + ".cfg") with every user setting,
// and the session file (ProgramFileStem + ".cff") with the four most recently
// used project files, both beside each other in ConfigDir.
//
// The configuration file is label lines and value lines in a fixed order
// followed by unlabelled values. The reader never compares labels: it relies
// on the order alone, and stops cleanly at fixed checkpoints when an older,
// shorter file ends. One table of items drives the reader and the writer.
//
// The file is looked for in the current directory, then in the program's
// directory, then in the user's configuration directory
// ($XDG_CONFIG_HOME/qyr7, or ~/.config/qyr7).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TConfigio {
    // One unlabelled line of the file, read and written back unchanged.
    int32_t ConfigReserved = 0;
    // The directories tried after ConfigDir, in order; filled at start-up
    // (the program's directory, the user's configuration directory).
    std::vector<std::string> FallbackDirs;
};

extern TConfigio configio;

// Start-up state: ConfigReserved 0 and the fallback directories of this
// machine.
void ResetConfigio();

// The program's directory and the user's configuration directory.
std::vector<std::string> DefaultConfigFallbackDirs();

// The largest configuration and session files read: a few hundred short
// lines and five names. Anything larger (or a pipe or device named so) is
// not one of them and is passed over like a missing file.
inline constexpr std::size_t ConfigFileMaxBytes = std::size_t{1} << 20;
inline constexpr std::size_t SessionFileMaxBytes = std::size_t{64} << 10;

// Finds and reads the configuration file; sets Aborted when there is none.
// A file found in a fallback directory makes that directory ConfigDir.
void ReadConfigFile();
// Writes the configuration file to ConfigDir through a temporary file that
// replaces the old one only when complete. Nothing happens while Aborted is
// set.
void WriteConfigFile();
// The closing step of the reader: screen settings derived, file closed,
// CopyDbfToTemp cleared.
void ApplyScreenConfig();
// TextWindowRect from the screen size.
void DefaultTextWindowRect();
// Empty directories become the start directory; invalid ones are reported.
void CheckConfigDirs();
// ProgramDir + "data/" when the program ships its tables there, else empty.
std::string ShippedDataDir(const std::string& ProgramDir);

void ReadSessionFile();
// Only when the recent-file list is not empty.
void WriteSessionFile();

// Full name of the configuration or session file in ConfigDir.
std::string ConfigFileName();
std::string SessionFileName();

// --- the item table -----------------------------------------------------------

// What the reader does after an item when the file has ended.
enum class TConfigCheck {
    None,
    StopA,         // close the file and stop; the screen rules do not run
    StopB,         // ApplyScreenConfig and stop
    StopGraphFont, // graphics text takes the CAD width factor and "Arial", then StopB
};

struct TConfigItem {
    int No;                    // first item number of the entry (1..110)
    int LastNo;                // last item number it covers
    std::function<void()> Write; // label and value lines
    std::function<void()> Read;  // label and value lines with their fallbacks
    TConfigCheck After = TConfigCheck::None;
};

// The items in file order.
const std::vector<TConfigItem>& ConfigItems();

// The most command lines of the plot program kept.
inline constexpr int PlotCmdMax = 5;
