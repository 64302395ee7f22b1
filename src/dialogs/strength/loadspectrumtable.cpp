#include "dialogs/strength/loadspectrumtable.h"

#include "dialogs/dialogservices.h"
#include "dialogs/grid/clipboardgrid.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "planetary/loadspectrum/loadspectrum.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "reports/messages/messagelist.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int ColTorque = 1;
constexpr int ColCycles = 2;

} // namespace

TForm_qyrlk1::TForm_qyrlk1(const TLoadSpectrumTableMenu& Menu) : TStageDialogModel("TForm_qyrlk1", "")
{
    TGearPairData& p = GearPair;
    openKind_ = p.LoadSpectrumKind;
    openCount_ = p.LoadSpectrumCount;
    openItems_ = p.LoadSpectrum;

    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help Text";
    Control("Button_hilfebild").Caption = "Aux. &Image";
    HelpTextNumber = 6440;
    HelpPictureNumber = 6400;
    Control("Button_add").Caption = "+";
    Control("Button_add1").Caption = "<+";
    Control("Button_del").Caption = "-";
    Control("Button_metric").Caption = "Nm <--> lbfin";
    SetHint("Button_add", 3310);
    SetHint("Button_add1", 3320);
    SetHint("Button_del", 3330);

    Control("mi_file").Caption = Menu.File;
    Control("mi_fileimport").Caption = "Import KOL";
    Control("mi_fileExport").Caption = "Export KOL";
    Control("mi_edit").Caption = Menu.Edit;
    Control("mi_editCopy").Caption = Menu.Copy;
    Control("mi_editPaste").Caption = Menu.Paste;
    Control("mi_view").Caption = Menu.View;
    Control("mi_viewloadcycleslogarithmic").Caption = "Load cycles logarithmic";
    Control("mi_viewError").Caption = "Error";
    // FormActivate: the check mark follows the view option.
    Control("mi_viewloadcycleslogarithmic").Checked = p.LoadCyclesLogarithmic;

    Grid.SetRowCount(std::max(2, p.LoadSpectrumCount));
    Grid.SetCell(0, 0, "Bin no.");
    Grid.SetCell(ColTorque, 0, "Torque");
    Grid.SetCell(ColCycles, 0, "Load cycles");
    for (int r = 1; r < Grid.RowCount(); ++r)
        NumberRow(r);
    // FormShow.
    LoadGrid();
}

std::string TForm_qyrlk1::Caption() const
{
    return DisplayText(telmvar.ProgramName);
}

void TForm_qyrlk1::NumberRow(int Row)
{
    Grid.SetCell(0, Row, IntToText(Row));
}

void TForm_qyrlk1::LoadGrid()
{
    const TGearPairData& p = GearPair;
    const int count = std::clamp(p.LoadSpectrumCount, 0, MaxRows);
    Grid.SetRowCount(std::max(2, count + 1));
    Grid.SetCell(ColTorque, 0, DisplayText("Torque [" + TorqueUnitLabel() + "]"));
    Grid.SetCell(ColCycles, 0, "Load cycles");
    shown_.resize(static_cast<std::size_t>(Grid.RowCount() - 1));
    for (int i = 1; i <= count; ++i) {
        const TLoadSpectrumItem& it = p.LoadSpectrum[i];
        TShownRow row{TrimBlanks(TorqueToText(it.T)), TrimBlanks(FloatToSignificant(it.N)), it};
        NumberRow(i);
        Grid.SetCell(ColTorque, i, row.Torque);
        Grid.SetCell(ColCycles, i, row.Cycles);
        shown_[static_cast<std::size_t>(i - 1)] = row;
    }
    Touch();
}

bool TForm_qyrlk1::StoreGrid()
{
    TArray<TLoadSpectrumItem, 0, LoadSpectrumMax> items = GearPair.LoadSpectrum;
    int count = std::min(Grid.RowCount() - 1, MaxRows);
    for (int i = 1; i <= count; ++i) {
        const std::string& tText = Grid.Cell(ColTorque, i);
        const std::string& nText = Grid.Cell(ColCycles, i);
        const std::optional<TShownRow>& shown = static_cast<std::size_t>(i - 1) < shown_.size()
                                                    ? shown_[static_cast<std::size_t>(i - 1)]
                                                    : std::nullopt;
        TLoadSpectrumItem it;
        Extended x = 0;
        if (shown && tText == shown->Torque) {
            it.T = shown->Item.T;
        } else if (ReadFieldFloat(tText, x)) {
            it.T = TextToTorque(TrimBlanks(tText)); // 0 for an empty cell
        } else {
            ShowErrorBox(InvalidInputText(AnsiTextToOem(tText)));
            return false;
        }
        if (shown && nText == shown->Cycles) {
            it.N = shown->Item.N;
        } else if (ReadFieldFloat(nText, x)) {
            it.N = x;
        } else {
            ShowErrorBox(InvalidInputText(AnsiTextToOem(nText)));
            return false;
        }
        items[i] = it;
    }
    // Bins left empty at the end are no part of the spectrum.
    while (count > 0 && items[count].T == 0 && items[count].N == 0)
        --count;
    // The refusal quotes the cell as typed and the limits in the table's
    // unit: the user typed lbf in in the inch system, not N m.
    if (const TLoadSpectrumRangeFaultAt at = FindLoadSpectrumRangeFault(items, count); at.Item != 0) {
        const std::string typed =
            AnsiTextToOem(TrimBlanks(Grid.Cell(at.Torque ? ColTorque : ColCycles, at.Item)));
        const std::string unit = at.Torque ? " " + TorqueUnitLabel() : "";
        // The bounds as the stage forms name them: in the shown unit,
        // rounded inwards.
        const std::string range = at.Torque ? RangeText(TFieldKind::Torque, {0, LoadSpectrumTorqueMax})
                                            : RangeText(TFieldKind::Sig3, {0, LoadSpectrumCyclesMax});
        ShowErrorBox((at.Torque ? "torque" : "load cycles") + std::string(" of item ") +
                     std::to_string(at.Item) + " " + typed + unit + " outside " + range + unit);
        return false;
    }
    GearPair.LoadSpectrum = items;
    GearPair.LoadSpectrumCount = count;
    // What is stored now is what the shown texts stand for.
    for (int i = 1; i <= count; ++i)
        shown_[static_cast<std::size_t>(i - 1)] =
            TShownRow{Grid.Cell(ColTorque, i), Grid.Cell(ColCycles, i), items[i]};
    return true;
}

void TForm_qyrlk1::AddRow(bool CopyLast)
{
    const int rows = Grid.RowCount();
    if (rows >= MaxRows + 1) return;
    Grid.SetRowCount(rows + 1);
    shown_.resize(static_cast<std::size_t>(rows));
    if (CopyLast) {
        for (int c = 0; c < Grid.ColCount(); ++c)
            Grid.SetCell(c, rows, Grid.Cell(c, rows - 1));
        // A copy of an untouched row is a copy of its item, not of its
        // rounded text.
        shown_[static_cast<std::size_t>(rows - 1)] = shown_[static_cast<std::size_t>(rows - 2)];
    }
    NumberRow(rows);
}

void TForm_qyrlk1::Restore()
{
    TGearPairData& p = GearPair;
    p.LoadSpectrumKind = openKind_;
    p.LoadSpectrumCount = openCount_;
    p.LoadSpectrum = openItems_;
}

platform::DialogAction TForm_qyrlk1::Press(const std::string& Name)
{
    using platform::DialogAction;
    TGearPairData& p = GearPair;
    if (Name == "Button_ok") {
        telmvar.Aborted = false;
        if (!StoreGrid()) return DialogAction::None;
        CalcLoadSpectrumLife(100, 100);
        telmvar.Aborted = false;
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        Restore();
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_add") {
        AddRow(false);
    } else if (Name == "Button_add1") {
        AddRow(true);
    } else if (Name == "Button_del") {
        if (Grid.RowCount() > 2) {
            Grid.SetRowCount(Grid.RowCount() - 1);
            shown_.resize(static_cast<std::size_t>(Grid.RowCount() - 1));
        }
    } else if (Name == "Button_metric") {
        if (!StoreGrid()) return DialogAction::None;
        dialogservices.ToggleUnitSystem();
        LoadGrid();
    } else if (Name == "mi_fileimport") {
        telmvar.Aborted = false;
        ReadLoadSpectrum("");
        // A cancelled or refused import leaves the working list alone, and
        // the table too: cells edited since the last store would be lost.
        if (!telmvar.Aborted) LoadGrid();
    } else if (Name == "mi_fileExport") {
        // The file gets what the table shows, not what it showed when it
        // was last stored.
        telmvar.Aborted = false;
        if (!StoreGrid()) return DialogAction::None;
        SaveLoadSpectrum("");
    } else if (Name == "mi_editCopy") {
        CopyGridToClipboard(Grid);
    } else if (Name == "mi_editPaste") {
        // A paste adds no bins, so lines below the last one would be lost
        // without a word; the user is told how many and why.
        if (const int leftOut = PasteGridFromClipboard(Grid); leftOut > 0) {
            const int bins = Grid.RowCount() - 1;
            ShowInfoBox(
                IntToText(leftOut) + (leftOut == 1 ? " line" : " lines") +
                " of the clipboard left out: the table ends at bin " + IntToText(bins) +
                (bins >= MaxRows ? ", the most it holds" : " and a paste adds no bins (\"+\" adds them)"));
        }
    } else if (Name == "mi_viewloadcycleslogarithmic") {
        platform::DialogControl& item = Control(Name);
        p.LoadCyclesLogarithmic = !item.Checked;
        item.Checked = p.LoadCyclesLogarithmic;
    } else if (Name == "mi_viewError") {
        if (!StoreGrid()) return DialogAction::None;
        ResetErrorState();
        CalcLoadSpectrumLife(100, 100);
        ShowMessageList();
    } else {
        return TStageDialogModel::Press(Name);
    }
    Touch();
    return DialogAction::None;
}
