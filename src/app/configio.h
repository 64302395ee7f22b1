#pragma once
// The configuration file (ProgramFileStem + ".cfg") with every user setting,
// and where the session file (ProgramFileStem + ".cff", read and written in
// sessionfile) with the four most recently used project files is found.
//
// The configuration file is label lines and value lines in a fixed order
// followed by unlabelled values. The reader never compares labels: it relies
// on the order alone, and stops cleanly at fixed checkpoints when an older,
// shorter file ends. One table of items drives the reader and the writer.
//
// Both files are looked for in ConfigDir (the current directory at start),
// then in the program's directory, then in the user's configuration directory
// ($XDG_CONFIG_HOME/qyr7, or ~/.config/qyr7); the configuration file is looked
// for first, and the directory it is found in becomes ConfigDir, so a session
// file beside it wins. The session file is written back where it was found;
// a first one goes beside the configuration file, or without one into the
// user's configuration directory, never into whatever directory the program
// happened to start in.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Which "Auto" dialog size rule the start applied: it is applied again once
// the main window is on screen, when its real frame is known.
enum class TAutoDialogSize {
    None,
    SizeOnly,        // no configuration file: the dialog size alone
    SizeAndElements, // "Auto" configured: dialog size and element size
};

struct TConfigio {
    // One unlabelled line of the file, read and written back unchanged.
    int32_t ConfigReserved = 0;
    // The directories tried after ConfigDir, in order; filled at start-up
    // (the program's directory, the user's configuration directory).
    std::vector<std::string> FallbackDirs;
    // The directory the session file was read from; empty when none was found.
    std::string SessionDir;
    // A session file was there but could not be read: it is not overwritten.
    bool SessionUnreadable = false;
    TAutoDialogSize AutoDialogSize = TAutoDialogSize::None;
    // DecimalPointMode as it stood when the writer started: the writer holds
    // the mode at 1 while it writes, so that every number has "." as decimal
    // point, and puts the remembered value into its own item.
    int32_t SavedDecimalPointMode = 1;
    // Why CheckConfigDirs found the temporary directory in use not writable:
    // "invalid temporary directory configured: " + the directory + ": " + the
    // system's reason; empty when it was (or another one was given for it).
    std::string TempDirFault;
    // The item whose text held a line break (CR or LF) when WriteConfigFile
    // last refused to write: its number and its label line (empty for an
    // unlabelled item); 0 when it wrote.
    int LineBreakItem = 0;
    std::string LineBreakLabel;
};

extern TConfigio configio;

// Start-up state: ConfigReserved 0 and the fallback directories of this
// machine.
void ResetConfigio();

// The program's directory and the user's configuration directory.
std::vector<std::string> DefaultConfigFallbackDirs();
// $XDG_CONFIG_HOME/qyr7/ (an absolute XDG_CONFIG_HOME only), else
// $HOME/.config/qyr7/; empty without either.
std::string UserConfigDir();

// The largest configuration file read: a few hundred short lines. Anything
// larger (or a pipe or device named so) is not one and is passed over like a
// missing file.
inline constexpr std::size_t ConfigFileMaxBytes = std::size_t{1} << 20;

// Finds and reads the configuration file; sets Aborted when there is none.
// A file found in a fallback directory makes that directory ConfigDir.
void ReadConfigFile();
// Writes the configuration file to ConfigDir through a temporary file that
// replaces the old one only when complete. Nothing happens while Aborted is
// set. A text holding a line break is refused: the old file stays as it was,
// Aborted is set and LineBreakItem names the item for the caller to say
// which of its fields that is.
void WriteConfigFile();
// The closing step of the reader: screen settings derived, file closed,
// CopyDbfToTemp cleared.
void ApplyScreenConfig();
// The "Auto" dialog size rule the start chose, from the screen as it is now
// (the main window calls it once it is shown and framed); nothing without one.
void ApplyAutoDialogSize();
// TextWindowRect from the screen size.
void DefaultTextWindowRect();

// Full name of the configuration file in ConfigDir.
std::string ConfigFileName();

// --- the item table -----------------------------------------------------------

// What the reader does after an item when the file has ended.
enum class TConfigCheck {
    None,
    StopA,         // close the file and stop; the screen rules do not run
    StopB,         // ApplyScreenConfig and stop
    StopGraphFont, // graphics text takes the CAD width factor and "Arial", then StopB
};

struct TConfigItem {
    int No;                      // first item number of the entry (1..110)
    int LastNo;                  // last item number it covers
    std::function<void()> Write; // label and value lines
    std::function<void()> Read;  // label and value lines with their fallbacks
    TConfigCheck After = TConfigCheck::None;
};

// The items in file order.
const std::vector<TConfigItem>& ConfigItems();

// The most command lines of the plot program kept.
inline constexpr int PlotCmdMax = 5;
