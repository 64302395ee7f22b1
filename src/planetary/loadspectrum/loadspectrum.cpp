#include "planetary/loadspectrum/loadspectrum.h"

#include "foundation/codepage.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "planetary/filenames.h"
#include "platform/platform.h"

#include <cmath>

namespace
{

const char* const Head = "Load Spectrum";
const char* const HeadRule = "-------------";

TTextFile& Shared()
{
    return textfile.SharedTextFile;
}

} // namespace

bool ReadLoadSpectrumItems(TFileLineReader& R, int& Kind, int& Count, TLoadSpectrumArray& Items)
{
    int kind = 0, count = 0;
    if (!R.IntInRange(kind, 0, LoadSpectrumKindMax, "life material record") ||
        !R.IntInRange(count, 0, LoadSpectrumMax, "number of items"))
        return false;
    for (int k = 1; k <= count; ++k) {
        const std::string item = " of item " + std::to_string(k);
        if (!R.NumberInRange(Items[k].N, 0, LoadSpectrumCyclesMax, "load cycles" + item) ||
            !R.NumberInRange(Items[k].T, 0, LoadSpectrumTorqueMax, "torque" + item))
            return false;
    }
    Kind = kind;
    Count = count;
    return true;
}

TLoadSpectrumRangeFaultAt FindLoadSpectrumRangeFault(const TLoadSpectrumArray& Items, int Count)
{
    for (int k = 1; k <= Count && k <= LoadSpectrumMax; ++k) {
        // Not a number is written as 0 (see the writers).
        const Extended n = std::isfinite(Items[k].N) ? Items[k].N : 0;
        const Extended t = std::isfinite(Items[k].T) ? Items[k].T : 0;
        if (n < 0 || n > LoadSpectrumCyclesMax) return {k, false};
        if (t < 0 || t > LoadSpectrumTorqueMax) return {k, true};
    }
    return {};
}

std::string LoadSpectrumRangeFault(const TLoadSpectrumArray& Items, int Count)
{
    const TLoadSpectrumRangeFaultAt at = FindLoadSpectrumRangeFault(Items, Count);
    if (at.Item == 0) return {};
    const std::string item = " of item " + std::to_string(at.Item) + " ";
    const TLoadSpectrumItem& it = Items[at.Item];
    if (at.Torque)
        return "torque" + item + RangeBoundText(it.T) + " outside 0 .. " +
               RangeBoundText(LoadSpectrumTorqueMax);
    return "load cycles" + item + RangeBoundText(it.N) + " outside 0 .. " +
           RangeBoundText(LoadSpectrumCyclesMax);
}

bool WriteLoadSpectrumFile(const std::string& Path)
{
    // Bound first: a list refused below leaves no failure of an earlier file
    // on the shared file for the save command to report.
    AssignTextFile(Shared(), Path);
    const auto& p = GearPair;
    if (p.LoadSpectrumCount < 0 || p.LoadSpectrumCount > LoadSpectrumMax) {
        AddErrorMessage("Load spectrum: " + std::to_string(p.LoadSpectrumCount) +
                        " items, 0 .. 128 allowed !");
        telmvar.Aborted = true;
        return false;
    }
    // What the reader would refuse is not written: the file could not be
    // loaded again.
    std::string fault = LoadSpectrumRangeFault(p.LoadSpectrum, p.LoadSpectrumCount);
    if (fault.empty() && (p.LoadSpectrumKind < 0 || p.LoadSpectrumKind > LoadSpectrumKindMax))
        fault = "life material record " + std::to_string(p.LoadSpectrumKind) + " outside 0 .. " +
                std::to_string(LoadSpectrumKindMax);
    if (!fault.empty()) {
        AddErrorMessage("Load spectrum: " + fault + ", not saved !");
        telmvar.Aborted = true;
        return false;
    }
    if (!RewriteTextFile(Shared())) return false;
    bool ok = WriteTextLine(Head);
    ok = WriteTextLine(HeadRule) && ok;
    ok = WriteIntLine(p.LoadSpectrumKind) && ok;
    ok = WriteIntLine(p.LoadSpectrumCount) && ok;
    for (int k = 1; k <= p.LoadSpectrumCount; ++k) {
        for (Extended x : {p.LoadSpectrum[k].N, p.LoadSpectrum[k].T}) {
            // Not a number would make the file unreadable.
            if (!std::isfinite(x)) {
                AddErrorMessage("Load spectrum: item " + std::to_string(k) +
                                " is not a number, saved as 0 !");
                x = 0;
            }
            ok = WriteNumberLine(x) && ok;
        }
    }
    if (!ok) {
        // The old file stays as it was; the temporary one goes.
        Shared().Abandon();
        AddErrorMessage("file " + FileNameToOem(Path) + " could not be written !");
        telmvar.Aborted = true;
        return false;
    }
    return CloseTextFile(Shared());
}

bool ReadLoadSpectrumFile(const std::string& Path, TFileFault& Fault)
{
    Fault = TFileFault{};
    AssignTextFile(Shared(), Path);
    if (!Shared().OpenRead(LoadSpectrumFileMaxBytes)) {
        Fault.Reason = Shared().OpenFailure();
        return false;
    }
    TFileLineReader r;
    int kind = 0, count = 0;
    TLoadSpectrumArray items = GearPair.LoadSpectrum;
    if (r.Literal(Head) && r.Literal(HeadRule)) ReadLoadSpectrumItems(r, kind, count, items);
    // Nothing but blank lines may follow the last item: a damaged count
    // would otherwise drop items without a word.
    std::string rest;
    while (!r.Failed() && Shared().ReadLine(rest))
        if (!TrimBlanks(rest).empty()) r.Fail("the file should end after item " + std::to_string(count));
    Shared().Close();
    if (r.Failed()) {
        Fault = r.Fault();
        return false;
    }
    GearPair.LoadSpectrumKind = kind;
    GearPair.LoadSpectrumCount = count;
    GearPair.LoadSpectrum = items;
    return true;
}

void SaveLoadSpectrum(const std::string& Name)
{
    std::string path;
    WithDataExt("kol", [&] { filenamedialogs.SaveFileDialog(Name, path); });
    if (telmvar.Aborted) return;
    if (WriteLoadSpectrumFile(path) || Shared().WriteFailure().empty()) return;
    // The user asked for this file: a box says that it was not written and
    // why, not only a line in the message list.
    ShowErrorBoxIfEnabled(CannotBeWrittenText(path, Shared().WriteFailure()));
}

void ReadLoadSpectrum(const std::string& Name)
{
    std::string path;
    WithDataExt("kol", [&] { filenamedialogs.OpenFileDialog(Name, path); });
    if (telmvar.Aborted) return;
    TFileFault fault;
    if (ReadLoadSpectrumFile(path, fault)) return;
    telmvar.Aborted = true;
    // The user chose this file: a box says at once why it was not read. The
    // message list would show it only after some later calculation, in a
    // list about that calculation; the error view of the table resets it.
    const std::string why = FileFaultMessage(path, fault);
    if (!ShowErrorBoxIfEnabled(why)) AddErrorMessage(why);
}

int LoadSpectrumChoice(int Action, int Selected, int Count)
{
    switch (Action) {
    case 1:
    case 2:
    case 3:
        return Count + Action;
    case 6:
    case 7:
    case 8:
        return Count + Action - 2;
    case 9:
        return Selected > 0 ? Selected : 1;
    case 10:
        return Selected;
    default:
        return Count + 7;
    }
}

std::vector<std::string> LoadSpectrumListLines(const TLoadSpectrumArray& Items, int Count)
{
    std::vector<std::string> lines;
    for (int k = 1; k <= Count && k <= LoadSpectrumMax; ++k)
        lines.push_back(IntToTextZeroPad(k, 3) + ":    T=" + FormatTorqueFixed(6, 1, Items[k].T) + " " +
                        TorqueUnitLabel() + "       N=" + FormatFloatFixed(8, 0, Items[k].N));
    return lines;
}

// --- TLoadSpectrumEditor -------------------------------------------------------

TLoadSpectrumEditor::TLoadSpectrumEditor() : items_(GearPair.LoadSpectrum), count_(GearPair.LoadSpectrumCount)
{
}

TLoadSpectrumEditor::TLoadSpectrumEditor(TLoadSpectrumArray& Items, int& Count) : items_(Items), count_(Count)
{
}

bool TLoadSpectrumEditor::Refuse(const std::string& Message)
{
    message_ = Message;
    return false;
}

void TLoadSpectrumEditor::Open(int k)
{
    edit_ = k;
    TorqueText = TorqueToText(items_[k].T);
    CyclesText = FloatToSignificant(items_[k].N);
    shownTorque_ = TorqueText;
    shownCycles_ = CyclesText;
}

bool TLoadSpectrumEditor::BeginNew()
{
    message_.clear();
    if (edit_ != 0) CancelItem();
    if (count_ < 0 || count_ + 1 > LoadSpectrumMax) return Refuse("too many items !");
    saved_ = items_;
    savedCount_ = count_;
    ++count_;
    Open(count_);
    return true;
}

bool TLoadSpectrumEditor::BeginInsert(int Position)
{
    message_.clear();
    if (edit_ != 0) CancelItem();
    if (count_ < 0 || count_ + 1 > LoadSpectrumMax)
        return Refuse("maximum is " + std::to_string(LoadSpectrumMax));
    if (Position < 1 || Position > count_) return Refuse("no item " + std::to_string(Position));
    saved_ = items_;
    savedCount_ = count_;
    for (int k = count_; k >= Position; --k)
        items_[k + 1] = items_[k];
    ++count_;
    Open(Position);
    return true;
}

bool TLoadSpectrumEditor::BeginModify(int k)
{
    message_.clear();
    if (edit_ != 0) CancelItem();
    if (k < 1 || k > count_) return Refuse("no item " + std::to_string(k));
    saved_ = items_;
    savedCount_ = count_;
    Open(k);
    return true;
}

void TLoadSpectrumEditor::SetNominalTorque()
{
    if (edit_ != 0) TorqueText = TorqueToText(GearPair.T[1]);
}

void TLoadSpectrumEditor::SetPreviousCycles()
{
    if (edit_ > 1) CyclesText = FloatToSignificant(items_[edit_ - 1].N);
}

void TLoadSpectrumEditor::OkItem()
{
    if (edit_ == 0) return;
    auto& item = items_[edit_];
    if (TorqueText != shownTorque_) item.T = TextToTorque(TorqueText);
    if (CyclesText != shownCycles_) item.N = TextToFloat(CyclesText);
    edit_ = 0;
}

// Cancelling the item dialog of a new or inserted item removes the item
// again. Keeping it would leave in the spectrum whatever stood in that place
// before (a copy of the neighbour after an insert, an item deleted earlier,
// or zeros), which the user never confirmed and the life calculation would
// count as load cycles at a torque.
void TLoadSpectrumEditor::CancelItem()
{
    if (edit_ == 0) return;
    items_ = saved_;
    count_ = savedCount_;
    edit_ = 0;
}

bool TLoadSpectrumEditor::Delete(int Position)
{
    message_.clear();
    if (edit_ != 0) CancelItem();
    if (Position < 1 || Position > count_) return Refuse("no item " + std::to_string(Position));
    for (int k = Position; k < count_; ++k)
        items_[k] = items_[k + 1];
    --count_;
    return true;
}

bool TLoadSpectrumEditor::Scale(Extended CyclesFactor, Extended TorqueFactor)
{
    message_.clear();
    if (edit_ != 0) CancelItem();
    auto inRange = [](Extended f) { return f >= LoadSpectrumFactorMin && f <= LoadSpectrumFactorMax; };
    if (!inRange(CyclesFactor) || !inRange(TorqueFactor)) return Refuse("Valid Data are: 1e-12 .. 1e12");
    for (int k = 1; k <= count_ && k <= LoadSpectrumMax; ++k) {
        items_[k].N *= CyclesFactor;
        items_[k].T *= TorqueFactor;
    }
    return true;
}
