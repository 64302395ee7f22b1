#pragma once
// TTzGrid: what the table browser's grid shows and how it reacts, without a
// widget. A view asks it for a page of rows (record number, deletion mark,
// cell texts), for the colours of a cell, for the shapes of a logical box,
// and hands it the mouse and key events; it paints only what it is told.
//
// Cells come from the table straight off the file (the command set's Peek),
// so paging through a long table never moves the dataset's current record,
// and show each record as the program reads it: a table with OEM text
// through OEM to ANSI, an ANSI table as stored.

#include "xbase/dataset/commanddataset.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Colours as 0x00BBGGRR, the way the table library's forms store them.
using TTzColor = uint32_t;
inline constexpr TTzColor clRed = 0x0000FF;
inline constexpr TTzColor clBlack = 0x000000;
inline constexpr TTzColor clWhite = 0xFFFFFF;
inline constexpr TTzColor clBtnFace = 0xC0C0C0;
inline constexpr TTzColor clHighlight = 0x6A2408;
inline constexpr TTzColor clHighlightText = 0xFFFFFF;
inline constexpr TTzColor clGrayText = 0x808080;

enum class TTzBooleanBox {
    bbCheckBox,
    bbCheckMark,
    bbText,
    bbFillBox,
    bbFillBoxRed,
    bbRButton,
    bbRButtonRed,
    bbDot,
    bbDotRed
};

// Filled before each cell is drawn; an OnChangeColorsEvent may change any.
struct TTzColorSet {
    TTzColor FixedColor = clBtnFace;
    TTzColor CellColor = clWhite;
    TTzColor CellFontColor = clBlack;
    TTzColor SelectedCellColor = clHighlight;
    TTzColor SelectedFontColor = clHighlightText;
    TTzColor DeletedRecordColor = clRed;
    TTzColor DeletedRecordFontColor = clBlack;
};

enum class TTzAlignment { taLeftJustify, taRightJustify, taCenter };

struct TTzFontSpec {
    std::string Name = "MS Sans Serif";
    TTzColor Color = clBlack;
    int Size = 8;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

struct TTzTitle {
    std::string Caption;
    TTzColor Color = clBtnFace;
    TTzAlignment Alignment = TTzAlignment::taLeftJustify;
    TTzFontSpec Font;
};

struct TTzColumn {
    std::string FieldName; // empty: the default column of a grid without layout
    TTzColor Color = clWhite;
    int Width = 64;
    TTzFontSpec Font;
    TTzAlignment Alignment = TTzAlignment::taLeftJustify;
    bool ReadOnly = false;
    TTzTitle Title;
};

// One row of a page.
struct TTzGridRow {
    int32_t RecNo = 0; // 0 for the new row
    bool Deleted = false;
    bool New = false;               // the record being inserted, not in the file yet
    std::vector<std::string> Cells; // one per column, the record's text as read (ANSI)
};

// What the view draws for a logical cell (a rectangle of the cell height,
// centred): a frame, then the mark of a true value.
struct TTzBoxShape {
    enum Kind { FrameRect, FrameCircle, CheckMark, FillRect, Disc, Cross } Shape;
    int Left = 0, Top = 0, Right = 0, Bottom = 0; // the shape's box
    TTzColor Color = clBlack;
    int PenWidth = 1;
};

enum class TTzMouseButton { Left, Right, Middle };
// Shift, Ctrl or Alt held.
struct TTzShift {
    bool Shift = false, Ctrl = false, Alt = false;
    bool Any() const { return Shift || Ctrl || Alt; }
};

class TTzGrid
{
  public:
    explicit TTzGrid(TTzCDataSet* dataSet = nullptr);

    // ---- properties
    TTzCDataSet* DataSet = nullptr;
    bool AutoAppend = true;
    TTzBooleanBox BooleanBox = TTzBooleanBox::bbCheckBox;
    int FixedColumns = 0; // read from the layout, ignored
    bool Editing = true;
    bool ShowTitles = true;
    bool ConfirmDelete = false; // the grid's confirm-delete option
    bool Enabled = true;
    TTzColorSet Colors;
    std::vector<TTzColumn> Columns;

    bool DepressDisabled() const { return depressDisabled_; }
    // Releases a depressed title first.
    void SetDepressDisabled(bool on);
    int DepressedColumn() const { return depressed_; }

    // ---- events
    std::function<void(int Column)> OnDepressTitle;
    std::function<void()> OnCornerLeftClick;
    std::function<void()> OnCornerRightClick;
    // Row is the data row (0 = first row on the page).
    std::function<void(TTzColorSet& Colors, int Row)> OnChangeColorsEvent;
    std::function<void()> OnRepaint;

    // One column per field, in field order (when no layout gave columns).
    void DefaultColumns();
    int ColumnCount() const { return static_cast<int>(Columns.size()); }
    int FieldNoOfColumn(int column);

    // ---- rows
    // The records shown, in the order of the table's controlling index and
    // without those marked for deletion while the dataset hides them (a
    // pick); while neither applies, file order: row n is record n
    // (Ordered() false). Read again after the order or the marks changed;
    // kept while a record is edited or inserted.
    std::vector<int32_t> Order;
    bool Ordered() const { return ordered_; }
    void LoadIndexOrder();
    // The records shown, and the new row while the dataset inserts a record
    // (the last row: the record is appended at the end of the table).
    int32_t RowCount();
    // 1-based row of a record (0 when it is not shown).
    int32_t RowOfRecord(int32_t recNo) const;
    // The row of the dataset's current record, or the new row (0: none).
    int32_t CurrentRow();
    bool Inserting() const;
    // Drops the record being inserted (Escape on the new row); true when
    // there was one.
    bool CancelInsert();

    // ---- pages
    // Rows of the table from the firstRecord'th row on (1-based, in the
    // order above), at most count of them.
    std::vector<TTzGridRow> Page(int32_t firstRecord, int count);
    // The same into a reused vector (no allocation once warm).
    void FillPage(int32_t firstRecord, int count, std::vector<TTzGridRow>& rows);

    // ---- colours of a data cell: the column's, then a deleted record's,
    // then the selection's (selection wins over deletion), then a disabled
    // grid's grey. OnChangeColorsEvent (when set) gets the set after the
    // column's colours and before the state colours are chosen, with the
    // row's record recNo the dataset's active one (0: the active one stays).
    struct TCellPaint {
        TTzColor Brush;
        TTzColor Font;
    };
    TCellPaint CellColors(int row, int column, bool deleted, bool selected, int32_t recNo = 0);

    // ---- logical fields
    // True and false texts of a field: the display values "true;false" when
    // set, else the library's yes and no texts.
    std::string DisplayValues;
    std::string TrueText() const;
    std::string FalseText() const;
    bool IsLogicalColumn(int column);
    bool LogicalValue(const std::string& text) const;
    // Shapes of a logical box in a cell rectangle, for the current kind.
    std::vector<TTzBoxShape> BoxShapes(int left, int top, int right, int bottom, bool value,
                                       TTzColor fontColor) const;
    // Toggles the logical field of a column on the current record (edit
    // allowed and field writable only). True when it was toggled; refused
    // like StoreCell.
    bool ToggleLogical(int column);

    // ---- cell texts and editing in place
    // The text a field shows for its stored text: a date in the engine's
    // display order (empty for no date), a logical field its true or false
    // text, anything else as stored.
    std::string FieldText(int column, const std::string& stored);
    // The text an editor opens with: the shown text without its padding.
    std::string EditText(int column, const std::string& stored);
    // Character, number and date cells are edited in place while editing
    // is on and the column is not read-only; logical cells toggle instead.
    bool CanEditCell(int column);
    // A date column's mask (DateEditMask with the engine's date separator
    // for its "/"); empty for any other column.
    std::string EditMask(int column);
    // Characters an editor takes: the field's length; no limit for a
    // number (StoreCell refuses one wider than its field).
    int EditMaxLength(int column);
    // Stores an edited cell into record recNo through the dataset: the
    // post writes it under the record's lock; recNo 0 is the new row, whose
    // post appends it as a new record. Refused, with the record as
    // it was: a table opened read-only (with the notice of the temporary
    // copy), a record another user holds (the dataset's lock message), a
    // number or date text that is none, a number wider than its field.
    // True when the value was stored.
    bool StoreCell(int32_t recNo, int column, const std::string& text);
    // Closes the view's open cell editor, if any: its text stored (as by
    // Enter) or dropped (as by Escape).
    std::function<void(bool store)> OnEndCellEdit;

    // ---- input
    // A left press on a data cell toggles a logical field.
    void MouseDown(TTzMouseButton button, int dataRow, int column);
    // A release in the title row: column -1 is the corner (indicator) cell.
    // True when the grid handled it.
    bool TitleMouseUp(TTzMouseButton button, int column, TTzShift shift);
    // Characters: Space and Enter toggle a logical column; Backspace and
    // other printable characters are ignored there. True when handled.
    bool KeyPress(char key, int column);
    // Ctrl+Del on the current record: a live one is deleted (marked; only
    // while editing is on), a deleted one restored, each after "Delete
    // Record ?" or "Restore Record ?" with OK and Cancel when ConfirmDelete.
    // A read-only table refuses with its notice; a record being inserted is
    // dropped. True when handled.
    bool CtrlDelete();
    // A move by Tab, Down, Left or Right at the last record appends a new
    // row only with AutoAppend; false tells the view to stay.
    bool MayAppendByMoving() const { return AutoAppend && Editing; }
    // Moving a column keeps the depressed title on its column.
    void MoveColumn(int from, int to);

    // Edit mask of a date field: the year part "9999" with the century on,
    // else "99"; year-first date order gives year + "/99/99;1; ", any other
    // "99/99/" + year + ";1; ".
    static std::string DateEditMask();

    // ---- layout from a form resource
    // Each entry "key=value", trimmed; see the source for the keys. A column
    // index is limited to the table's field count (when a table is open) and
    // to MaxSavedColumns, so a damaged layout cannot make columns without
    // end. Returns the number of entries not understood.
    static constexpr int MaxSavedColumns = 1024;
    int ReadSavedColumns(const std::vector<std::string>& entries);
    // What the grid writes: nothing.
    std::vector<std::string> SavedColumns() const { return {}; }

  private:
    int32_t ShownRecords();
    // Record recNo off the file through the table's read step.
    void ReadTransformed(int32_t recNo, std::string& record);
    char FieldType(int column);
    bool RefuseReadOnly();
    // Posts the edited record; a refused post drops the edit.
    bool PostOrCancel();
    bool depressDisabled_ = false;
    int depressed_ = -1;
    bool ordered_ = false;
};

// Runs one action of the user on a table (a button, a key, an edited cell,
// a menu entry). A failure raised on the way does not end the program: it is
// shown in a box with its text, a pending edit or new record is dropped and
// the record read again, so the table stays as the file holds it. False
// when the action failed so.
bool RunTableAction(TTzCDataSet* DataSet, const std::function<void()>& Action);

// Parses "name,colour,number" into a font: size = number and 255, style bits
// 256 bold, 512 italic, 1024 underline, 2048 strikeout.
bool ParseFontText(const std::string& text, TTzFontSpec& font);
// "clRed", "$00FF00FF", "255": false for anything else.
bool ParseColorText(const std::string& text, TTzColor& color);
