#pragma once
// The project file (extension "qy7"): every input of the stage, the
// gear-pair settings that belong to the project, the stored load spectrum,
// the documentation blocks and the two planet bearings, one value per line
// with CR LF line ends.
//
// Layout: the file header block (7 lines, the last three the project's
// remark lines), the stage block of 367 lines in
// the fixed order of ProjectStageFields, the line "Lastkollektiv" with the
// life material, the item count and the items (load cycles, torque), then
// the changes block, the documents block, LoadCyclesLogarithmic, the title
// block, the three carrier numbers, the two bearing blocks, the carrier form
// and the carrier shaft switch.
//
// One table of fields drives the writer and the reader, so the two cannot
// part. The reader reads into a copy of the project and puts it in place only
// when the whole file was read; a file that ends early or holds a line that
// does not fit its place is refused with the file name and the line.

#include "foundation/types.h"
#include "gearpair/gearpairdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/documentation.h"
#include "planetary/filelines.h"
#include "planetary/stage.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

// Everything a project file holds, as a copy of the program-wide records.
struct TProjectData {
    TPlanetaryStage Stage;
    TPlanetaryGears Gears;
    TPlanetaryShafts Shafts;
    TGearPairData Pair;
    bool HideWarnings = false;
    // One switch in the file; the pair keeps it per gear.
    bool GrindingNotch = false;
    int TitleBlockType = 0;
    TDocumentation Documentation;
    TArray<WaelzLagerTyp, 1, 2> Bearings;
    // The three comment lines of the texts dialog, lines 5 to 7 of the
    // header block: the reports and drawings print them under their heads.
    TArray<std::string, 1, 3> RemarkLines;
};

// The records as they stand, and putting a copy back in place. Putting back
// also fills the working load spectrum from the stored one.
TProjectData CaptureProject();
void CommitProject(const TProjectData& D);

// Whether the two would be saved as the same file: the inputs compared as
// the file writes them. A dialog left with Cancel that wrote nothing into the
// stage leaves the project as it was, and nobody should be asked to save it.
// Taken by value: the field tables bind to their records, and a capture
// handed in as it is made is moved, not copied.
bool SameProjectFile(TProjectData A, TProjectData B);

// The kinds of line of the stage block.
enum class TProjectLineKind {
    Number,  // real by the number writer rule; "," reads as "."
    Integer, // 32-bit decimal
    Word,    // 16-bit field: written as its value, read as the low 16 bits
    Boolean, // "TRUE" / "FALSE"
    Text,    // the text; line breaks as "|"
    Flag,    // one character
};

struct TProjectField {
    TProjectLineKind Kind;
    std::variant<Extended*, int*, bool*, std::string*, char*> Target;
    std::string Name;
    // Every number, integer and word line has the range its input admits;
    // a value outside is refused on reading and never written. Magnitude:
    // the range holds for the absolute value (a tooth number whose sign
    // says internal or external).
    Extended Lo = 0, Hi = -1;
    bool Magnitude = false;
    // A size that is either 0 (not given) or at least Least in magnitude: a
    // face width or a diameter of a thousandth of a micrometre is no input.
    Extended Least = 0;
    bool HasRange() const { return Hi >= Lo; }
    bool InRange(Extended X) const;
    // "<Name> <value> outside <Lo> .. <Hi>", as the refusals say it.
    std::string RangeText(const std::string& Value) const;
};

// The 367 lines of the stage block, bound to the fields of D, in file order.
std::vector<TProjectField> ProjectStageFields(TProjectData& D);

// The field of the file that stores the record variable at Variable (a
// member of PlanetaryStage, PlanetaryGears, PlanetaryShafts or GearPair),
// with its name and range; its Target is null. Nothing when the file holds
// no range for that variable. The input forms take their limits from it, so
// that what they take can always be saved.
std::optional<TProjectField> ProjectFieldOf(const void* Variable);

inline constexpr int ProjectStageLines = 367;
inline constexpr const char* LoadSpectrumMarker = "Lastkollektiv";

// Writes the records to Path through a temporary file that is renamed over
// the old file only when every line was written. False, Aborted and a
// message otherwise; the old file is then untouched. A value outside its
// field's range is refused before anything is written ("Project file: <name>
// <value> outside <lo> .. <hi>, not saved !"): a file must never hold what
// cannot be read back.
bool WriteProjectData(const std::string& Path);
// The same; Why says why a refused or failed file was not written: the
// system's reason (empty when it gave none) or the refusal's message.
bool WriteProjectData(const std::string& Path, std::string& Why);
// The largest project file read: a few hundred lines of numbers and the
// texts of the documentation never come near it.
inline constexpr std::size_t ProjectFileMaxBytes = std::size_t{1} << 20;

// Reads Path. On success the records hold the project; on refusal they are
// as before and Fault says where and why (Line 0: the file could not be
// opened).
bool ReadProjectData(const std::string& Path, TFileFault& Fault);

// The file commands: the name goes through the file-name dialogs ("" asks,
// a bare name gets the data directory and the data extension); a cancelled
// or refused name touches no file. A refused file adds "file <name> line
// <n>: ..." to the messages and sets Aborted.
void WriteProjectFile(const std::string& FileName);
void ReadProjectFile(const std::string& FileName);
// ReadProjectFile for a command that says a refused file itself, at once and
// in a box: Why gets the refusal ("file <name> line <n>: ...") and the
// message list stays as it was. Why stays empty when no file was tried (the
// dialog cancelled, or the name refused and said there). True when read.
bool ReadProjectFile(const std::string& FileName, std::string& Why);

// A file that could not be written: its path and why (WriteProjectData).
// Path is empty when no file was tried: the name was refused (said by the
// refusal) or the dialog cancelled.
struct TWriteFault {
    std::string Path;
    std::string Why;
};
// WriteProjectFile, true when the file was written. A save that is
// cancelled, refused or fails leaves the project's name, data directory and
// archive mode as they were before it (the dialog may have set them), so
// that the next Save writes the file the project was last written to.
bool WriteProjectFile(const std::string& FileName, TWriteFault& Fault);
