#pragma once
// The load spectrum: the working list of the gear pair (GearPair.LoadSpectrum,
// items 1..LoadSpectrumCount, with the life material LoadSpectrumKind), its
// file with the extension "kol", and the editing operations of the load
// spectrum editor as a plain model that its dialogs bind.

#include "foundation/types.h"
#include "gearpair/gearpairdata.h"
#include "planetary/filelines.h"

#include <cstddef>
#include <string>
#include <vector>

using TLoadSpectrumArray = TArray<TLoadSpectrumItem, 0, LoadSpectrumMax>;

// --- the load spectrum file ------------------------------------------------
//
//   "Load Spectrum"
//   "-------------"
//   LoadSpectrumKind
//   LoadSpectrumCount (n)
//   n pairs of lines: load cycles N, torque T (N·m)
//
// CR LF line ends, numbers by the number writer rule; nothing after the last
// item.

// The ranges of the file's values, shared with the project file's copy of
// the list: the life material's record number, the load cycles of an item
// and its torque in N m (the life calculation takes powers of T / Tn, which a
// negative torque would turn into no number).
inline constexpr int LoadSpectrumKindMax = 1000000;
inline constexpr Extended LoadSpectrumCyclesMax = 1e30L;
inline constexpr Extended LoadSpectrumTorqueMax = 1e12L;
// The largest load spectrum file read: 128 items are a few kilobytes.
inline constexpr std::size_t LoadSpectrumFileMaxBytes = std::size_t{64} << 10;

// Reads the kind, the count and the items of a load spectrum (from the line
// of the kind on) into Kind, Count and Items; false at the first line out of
// the format or its range. Items beyond Count are left as they were.
bool ReadLoadSpectrumItems(TFileLineReader& Reader, int& Kind, int& Count, TLoadSpectrumArray& Items);
// The first value of Items 1..Count outside its range: its item (0 when all
// are in range) and whether it is the torque or the load cycles. Not a
// number counts as 0, as the writers save it.
struct TLoadSpectrumRangeFaultAt {
    int Item = 0;
    bool Torque = false;
};
TLoadSpectrumRangeFaultAt FindLoadSpectrumRangeFault(const TLoadSpectrumArray& Items, int Count);
// That value as the refusal of a save says it (the files hold N m); empty
// when all are in range.
std::string LoadSpectrumRangeFault(const TLoadSpectrumArray& Items, int Count);

// Writes the working list to Path (through a temporary file renamed over the
// old one). False, Aborted and a message when it could not be written.
bool WriteLoadSpectrumFile(const std::string& Path);
// Reads Path into the working list. A file that is not a load spectrum file,
// ends early, holds a line that is not what its place asks for, or counts
// more than 128 items is refused: Fault says where, the working list stays
// as it was.
bool ReadLoadSpectrumFile(const std::string& Path, TFileFault& Fault);

// The file commands: the name is resolved with the extension "kol" by the
// file-name dialogs ("" asks); a refused name or a cancelled dialog sets
// Aborted and writes or reads nothing. A refused file sets Aborted and says
// its fault (file name, line and why) in the error box while messages are
// enabled, in the message list otherwise. A save whose file could
// not be written also shows the error box "file <name> cannot be written:
// <the system's reason>" (while messages are enabled); the old file stays.
void SaveLoadSpectrum(const std::string& Name);
void ReadLoadSpectrum(const std::string& Name);

// --- the editor ---------------------------------------------------------------

// The choice of one pass of the editor from the list dialog's action code
// (1 new, 2 insert, 3 delete, 6 factor, 7 load, 8 save, 9 modify, 10 double
// click, anything else leave) and its selected line (0: none).
// Results: 1..Count an item, Count+1 new, +2 insert, +3 delete, +4 factor,
// +5 load, +6 save, +7 leave.
int LoadSpectrumChoice(int Action, int Selected, int Count);

// One list line per item: "001:    T=" torque (6.1, display unit) " Nm"
// "       N=" load cycles (8.0).
std::vector<std::string> LoadSpectrumListLines(const TLoadSpectrumArray& Items, int Count);

// The scaling factors the editor accepts.
inline constexpr Extended LoadSpectrumFactorMin = 1e-12L;
inline constexpr Extended LoadSpectrumFactorMax = 1e12L;

// The editing operations on a list (the working list unless told otherwise).
// An item is edited in two steps: Begin... opens it (a new or inserted item
// takes its place at once, so the list shows it), the item fields are set,
// then OkItem stores them or CancelItem undoes the whole step, including the
// new place.
class TLoadSpectrumEditor
{
  public:
    TLoadSpectrumEditor();
    TLoadSpectrumEditor(TLoadSpectrumArray& Items, int& Count);

    int Count() const { return count_; }
    const TLoadSpectrumItem& Item(int k) const { return items_[k]; }
    std::vector<std::string> ListLines() const { return LoadSpectrumListLines(items_, count_); }
    // The message of the last refused step ("too many items !", ...).
    const std::string& Message() const { return message_; }

    // New item behind the last one; refused beyond 128 items.
    bool BeginNew();
    // New item at Position (1..Count): the items from there move up by one
    // place and the item at Position starts as a copy of its old value.
    bool BeginInsert(int Position);
    // Item k (1..Count).
    bool BeginModify(int k);
    bool Editing() const { return edit_ != 0; }
    int EditIndex() const { return edit_; }

    // The item fields as the item dialog shows them: torque in the display
    // unit and load cycles, each to 3 significant digits.
    std::string TorqueText;
    std::string CyclesText;
    // "Tn": the nominal torque of the current pair.
    void SetNominalTorque();
    // "<": the load cycles of the item before (from item 2 on).
    void SetPreviousCycles();

    // Stores the fields as the item's torque and load cycles. A field left
    // as it was shown keeps the item's value exactly (the shown text is
    // rounded).
    void OkItem();
    // Leaves the list as it was before Begin...
    void CancelItem();

    // Removes item Position (1..Count); the items after it move down.
    bool Delete(int Position);
    // Multiplies the load cycles of every item by CyclesFactor and the
    // torques by TorqueFactor; each must lie in [1e-12, 1e12], else nothing
    // changes.
    bool Scale(Extended CyclesFactor, Extended TorqueFactor);

  private:
    TLoadSpectrumArray& items_;
    int& count_;
    int edit_ = 0;
    TLoadSpectrumArray saved_{};
    int savedCount_ = 0;
    std::string shownTorque_, shownCycles_;
    std::string message_;
    void Open(int k);
    bool Refuse(const std::string& Message);
};
