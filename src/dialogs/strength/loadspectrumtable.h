#pragma once
// The load spectrum as a table (TForm_qyrlk1): one row per bin with its
// torque and its load cycles, over the gear pair's working list. Rows are
// added, copied and removed at the end; the whole table goes to and comes
// from ".kol" files and the clipboard; the torque column follows the unit
// system.
//
// The table keeps the user's data safe in three ways:
// - a cell left as it was shown keeps its item's value exactly (the table
//   shows three significant digits; the unit switch and OK must not round);
// - Cancel leaves the working list as it was when the table opened, also
//   after an import, a unit switch or "Error" had written into it;
// - trailing rows with neither torque nor load cycles are not stored: an
//   empty table leaves the spectrum empty, where one zero item would make
//   the life calculation fail for every report.
// A cell that is no number, or a value the load spectrum file could not
// hold (a negative torque), is refused with a message and stores nothing;
// the message quotes the cell as typed and the limits in the table's unit.

#include "dialogs/grid/stringgrid.h"
#include "dialogs/stagedialog.h"
#include "gearpair/gearpairdata.h"

#include <optional>
#include <string>
#include <vector>

// The menu captions of the current language; the shell fills them.
struct TLoadSpectrumTableMenu {
    std::string File = "File";
    std::string Edit = "Edit";
    std::string View = "View";
    std::string Copy = "Copy";
    std::string Paste = "Paste";
};

class TForm_qyrlk1 : public TStageDialogModel
{
  public:
    static constexpr int MaxRows = LoadSpectrumMax;

    explicit TForm_qyrlk1(const TLoadSpectrumTableMenu& Menu = {});

    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;

    // The table: column 0 bin number, 1 torque, 2 load cycles; row 0 the
    // header.
    TStringGrid Grid{3, 2};

    // Working list into the table.
    void LoadGrid();
    // Table into the working list; false (message shown, nothing stored)
    // when a cell is refused.
    bool StoreGrid();

  private:
    struct TShownRow {
        std::string Torque, Cycles;
        TLoadSpectrumItem Item;
    };
    void NumberRow(int Row);
    void AddRow(bool CopyLast);
    void Restore();
    std::vector<std::optional<TShownRow>> shown_; // [row - 1]
    int openKind_ = 0;
    int openCount_ = 0;
    TArray<TLoadSpectrumItem, 0, LoadSpectrumMax> openItems_{};
};
