#include "xbase/ui/tablegrid.h"

#include "foundation/codepage.h"
#include "platform/platform.h"
#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"

#include <algorithm>
#include <cstdlib>

namespace
{

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Upper case by the table's code page (UpperStr), whatever the user's
// locale: a Latin-1 one would fold the logical box's "\xE4" to "\xC4", the C
// locale not.
std::string Upper(const std::string& s)
{
    return UpperStr(s);
}

// A whole number of at most 9 digits (with sign); false for anything else.
bool SmallInt(const std::string& text, long& value)
{
    const std::string t = Trim(text);
    if (t.empty() || t.size() > 10) return false;
    char* end = nullptr;
    value = std::strtol(t.c_str(), &end, 10);
    return end && *end == '\0';
}

// A decimal mark of a typed number: "." or ",", whatever the desktop, as
// every number field of the program takes it.
bool DecimalMark(char c)
{
    return c == '.' || c == ',';
}

// A number as typed into a cell: [sign] digits [decimal mark digits], at
// least one digit.
bool NumberText(const std::string& t)
{
    std::size_t i = t[0] == '+' || t[0] == '-' ? 1 : 0;
    std::size_t digits = 0;
    for (bool point = false; i < t.size(); ++i) {
        if (DecimalMark(t[i]) && !point)
            point = true;
        else if (t[i] >= '0' && t[i] <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0;
}

// Characters a number text takes in a field with dec decimals: the sign,
// the whole digits (at least one) and the point with the decimals, after
// rounding to them (9.996 with two decimals takes 10.00).
std::size_t NumberWidth(const std::string& t, int dec)
{
    const bool minus = t[0] == '-';
    const std::size_t from = minus || t[0] == '+' ? 1 : 0;
    const std::size_t point = std::min(t.find_first_of(".,"), t.size());
    const std::string whole = t.substr(from, point - from);
    const std::string frac = point < t.size() ? t.substr(point + 1) : "";
    const auto places = static_cast<std::size_t>(std::max(0, dec));
    std::size_t digits = whole.size() - std::min(whole.find_first_not_of('0'), whole.size());
    const std::string kept = whole.substr(whole.size() - digits) + frac.substr(0, places);
    const bool roundsUp = frac.size() > places && frac[places] >= '5';
    if (roundsUp && kept.find_first_not_of('9') == std::string::npos) ++digits;
    // A number that rounds to zero is stored without its sign ("-0" and
    // "-0.0001" give 0 and 0.000), in a column with decimals as in one
    // without: its minus takes no place.
    const bool zero = !roundsUp && kept.find_first_not_of('0') == std::string::npos;
    return (minus && !zero ? 1 : 0) + std::max<std::size_t>(1, digits) + (places > 0 ? 1 + places : 0);
}

bool ParseAlignment(const std::string& text, TTzAlignment& a)
{
    const std::string u = Upper(Trim(text));
    if (u == "TALEFTJUSTIFY")
        a = TTzAlignment::taLeftJustify;
    else if (u == "TARIGHTJUSTIFY")
        a = TTzAlignment::taRightJustify;
    else if (u == "TACENTER")
        a = TTzAlignment::taCenter;
    else
        return false;
    return true;
}

// The peek cache turns a page of rows into one read instead of one per cell.
struct PeekCacheOn {
    uint32_t saved = dbcmd.PeekCacheSize;
    PeekCacheOn()
    {
        if (dbcmd.PeekCacheSize == 0) dbcmd.PeekCacheSize = 65520;
    }
    ~PeekCacheOn() { dbcmd.PeekCacheSize = saved; }
};

} // namespace

bool ParseColorText(const std::string& text, TTzColor& color)
{
    static const struct {
        const char* name;
        TTzColor value;
    } names[] = {
        {"CLBLACK", 0x000000},  {"CLMAROON", 0x000080},   {"CLGREEN", 0x008000},    {"CLOLIVE", 0x008080},
        {"CLNAVY", 0x800000},   {"CLPURPLE", 0x800080},   {"CLTEAL", 0x808000},     {"CLGRAY", 0x808080},
        {"CLSILVER", 0xC0C0C0}, {"CLRED", 0x0000FF},      {"CLLIME", 0x00FF00},     {"CLYELLOW", 0x00FFFF},
        {"CLBLUE", 0xFF0000},   {"CLFUCHSIA", 0xFF00FF},  {"CLAQUA", 0xFFFF00},     {"CLWHITE", 0xFFFFFF},
        {"CLWINDOW", clWhite},  {"CLBTNFACE", clBtnFace}, {"CLWINDOWTEXT", clBlack}};
    const std::string t = Upper(Trim(text));
    for (const auto& n : names)
        if (t == n.name) {
            color = n.value;
            return true;
        }
    if (!t.empty() && t[0] == '$') {
        if (t.size() < 2 || t.size() > 9 || t.find_first_not_of("0123456789ABCDEF", 1) != std::string::npos)
            return false;
        color = static_cast<TTzColor>(std::strtoul(t.c_str() + 1, nullptr, 16)) & 0xFFFFFFu;
        return true;
    }
    long v = 0;
    if (!SmallInt(t, v) || v < 0 || v > 0xFFFFFF) return false;
    color = static_cast<TTzColor>(v);
    return true;
}

bool ParseFontText(const std::string& text, TTzFontSpec& font)
{
    const auto c1 = text.find(',');
    const auto c2 = c1 == std::string::npos ? std::string::npos : text.find(',', c1 + 1);
    if (c2 == std::string::npos) return false;
    TTzColor color = 0;
    long number = 0;
    if (!ParseColorText(text.substr(c1 + 1, c2 - c1 - 1), color) || !SmallInt(text.substr(c2 + 1), number) ||
        number < 0)
        return false;
    font.Name = Trim(text.substr(0, c1));
    font.Color = color;
    font.Size = static_cast<int>(number & 255);
    font.Bold = (number & 256) != 0;
    font.Italic = (number & 512) != 0;
    font.Underline = (number & 1024) != 0;
    font.StrikeOut = (number & 2048) != 0;
    return true;
}

TTzGrid::TTzGrid(TTzCDataSet* dataSet) : DataSet(dataSet) {}

void TTzGrid::SetDepressDisabled(bool on)
{
    if (on && !depressDisabled_) depressed_ = -1;
    depressDisabled_ = on;
}

void TTzGrid::DefaultColumns()
{
    Columns.clear();
    if (!DataSet || !DataSet->Active()) return;
    const int n = DataSet->FieldCount();
    for (int i = 1; i <= n; ++i) {
        TTzColumn c;
        c.FieldName = DataSet->FieldName(i);
        c.Title.Caption = c.FieldName;
        c.Width = std::max(4, DataSet->FieldLen(i) + 1) * 7;
        if (DataSet->FieldProps().Type(i) == 'N' || DataSet->FieldProps().Type(i) == 'F')
            c.Alignment = TTzAlignment::taRightJustify;
        Columns.push_back(c);
    }
}

int TTzGrid::FieldNoOfColumn(int column)
{
    if (!DataSet || column < 0 || column >= ColumnCount() ||
        Columns[static_cast<std::size_t>(column)].FieldName.empty())
        return 0;
    return DataSet->FieldNoByName(Columns[static_cast<std::size_t>(column)].FieldName);
}

void TTzGrid::LoadIndexOrder()
{
    if (!DataSet || !DataSet->Active() || !DataSet->CheckCommand("IndexOrder")) {
        Order.clear();
        ordered_ = false;
        return;
    }
    // A record being edited or inserted lives in the work area's record: a
    // walk through the table would read another one over it. Nothing is
    // written meanwhile, so the rows stay as they are.
    if (DataSet->State() != TDataSetState::Browse) return;
    std::vector<int32_t> order;
    const bool hide = DataSet->HideDeletedRecs();
    if (::IndexActive()) {
        // The index is walked once (the engine passes over hidden records);
        // the dataset's own record is put back.
        const int32_t here = DataSet->RecNo();
        ::GoTop();
        while (!::dEOF() && dberror.DbErrorCode == 0) {
            order.push_back(::RecNo());
            ::SKIP(1);
        }
        if (here > 0) DataSet->Go(here);
    } else if (hide) {
        // The marks read straight off the file, the current record left
        // where it is.
        PeekCacheOn cache;
        std::string flag;
        const int32_t count = ::RecCount();
        for (int32_t r = 1; r <= count; ++r) {
            ::Peek(0, r, flag);
            if (flag.empty() || flag[0] != '*') order.push_back(r);
        }
    }
    ordered_ = ::IndexActive() || hide;
    Order = std::move(order);
}

int32_t TTzGrid::ShownRecords()
{
    if (ordered_) return static_cast<int32_t>(Order.size());
    return DataSet && DataSet->Active() ? DataSet->RecordCount() : 0;
}

int32_t TTzGrid::RowCount()
{
    return ShownRecords() + (Inserting() ? 1 : 0);
}

int32_t TTzGrid::RowOfRecord(int32_t recNo) const
{
    if (!ordered_) return recNo;
    const auto it = std::find(Order.begin(), Order.end(), recNo);
    return it == Order.end() ? 0 : static_cast<int32_t>(it - Order.begin()) + 1;
}

bool TTzGrid::Inserting() const
{
    return DataSet && DataSet->Active() && DataSet->State() == TDataSetState::Insert;
}

int32_t TTzGrid::CurrentRow()
{
    if (!DataSet || !DataSet->Active()) return 0;
    if (Inserting()) return RowCount();
    const int32_t recNo = DataSet->RecNo();
    return recNo > 0 ? RowOfRecord(recNo) : 0;
}

bool TTzGrid::CancelInsert()
{
    if (!Inserting()) return false;
    DataSet->Cancel();
    if (OnRepaint) OnRepaint();
    return true;
}

std::vector<TTzGridRow> TTzGrid::Page(int32_t firstRecord, int count)
{
    std::vector<TTzGridRow> rows;
    FillPage(firstRecord, count, rows);
    return rows;
}

void TTzGrid::FillPage(int32_t firstRecord, int count, std::vector<TTzGridRow>& rows)
{
    if (!DataSet || !DataSet->Active() || !DataSet->CheckCommand("Peek")) {
        rows.clear();
        return;
    }
    const int32_t total = ordered_ ? static_cast<int32_t>(Order.size()) : ::RecCount();
    const int32_t first = std::max<int32_t>(1, firstRecord);
    const int32_t shown = total + (Inserting() ? 1 : 0);
    const int n = std::max(0, std::min<int>(count, shown - first + 1));
    rows.resize(static_cast<std::size_t>(n));
    std::vector<int> fields(Columns.size());
    for (std::size_t c = 0; c < Columns.size(); ++c)
        fields[c] = FieldNoOfColumn(static_cast<int>(c));
    // Each page is read from the file as it is now: another window's post
    // shows at the next reading.
    dbcmd.PeekCache = TPeekCache{};
    PeekCacheOn cache;
    std::string flag, record;
    for (int i = 0; i < n; ++i) {
        TTzGridRow& r = rows[static_cast<std::size_t>(i)];
        r.New = first + i > total;
        if (r.New) {
            // The new row shows the record being inserted, as the work area
            // holds it.
            const TWorkArea* a = SelectedArea();
            r.RecNo = 0;
            r.Deleted = false;
            r.Cells.resize(Columns.size());
            for (std::size_t c = 0; c < Columns.size(); ++c) {
                r.Cells[c].clear();
                if (fields[c] < 1 || a == nullptr) continue;
                const TDbfField& f = a->Fields[static_cast<std::size_t>(fields[c] - 1)];
                if (f.Offset + f.Length <= a->RecordBuffer.size())
                    r.Cells[c] = a->RecordBuffer.substr(f.Offset, f.Length);
            }
            continue;
        }
        r.RecNo = ordered_ ? Order[static_cast<std::size_t>(first + i - 1)] : first + i;
        ::Peek(0, r.RecNo, flag);
        r.Deleted = !flag.empty() && flag[0] == '*';
        // Peek gives the bytes of the file; the cells show the record as the
        // program reads it (a table with OEM text through OEM to ANSI), so
        // that what is typed into a cell and posted is converted once.
        ReadTransformed(r.RecNo, record);
        r.Cells.resize(Columns.size());
        const TWorkArea* a = SelectedArea();
        for (std::size_t c = 0; c < Columns.size(); ++c) {
            r.Cells[c].clear();
            if (fields[c] < 1 || a == nullptr) continue;
            const TDbfField& f = a->Fields[static_cast<std::size_t>(fields[c] - 1)];
            if (f.Offset + f.Length <= record.size()) r.Cells[c] = record.substr(f.Offset, f.Length);
        }
    }
}

void TTzGrid::ReadTransformed(int32_t recNo, std::string& record)
{
    TWorkArea* a = SelectedArea();
    record.clear();
    if (a == nullptr) return;
    // The whole record, so that the read step sees what a read of the
    // record sees (its hook included).
    record.assign(a->RecordLength, ' ');
    std::string field;
    for (int n = 0; n <= a->FieldCount; ++n) {
        ::Peek(n, recNo, field);
        const std::size_t at = n == 0 ? 0 : a->Fields[static_cast<std::size_t>(n - 1)].Offset;
        if (at + field.size() <= record.size()) record.replace(at, field.size(), field);
    }
    ApplyReadTransform(*a, record);
}

TTzGrid::TCellPaint TTzGrid::CellColors(int row, int column, bool deleted, bool selected, int32_t recNo)
{
    TTzColorSet set = Colors;
    if (column >= 0 && column < ColumnCount()) {
        set.CellColor = Columns[static_cast<std::size_t>(column)].Color;
        set.CellFontColor = Columns[static_cast<std::size_t>(column)].Font.Color;
    }
    if (OnChangeColorsEvent) {
        // The event colours a row by what its record holds (a handler reads
        // the dataset's fields), so the row's record is the active one while
        // it runs; the user's record is active again afterwards. A pending
        // edit is never moved away from.
        const bool move = recNo > 0 && DataSet && DataSet->Active() &&
                          DataSet->State() == TDataSetState::Browse && DataSet->RecNo() != recNo;
        const int32_t here = move ? DataSet->RecNo() : 0;
        if (move) DataSet->Go(recNo);
        OnChangeColorsEvent(set, row);
        if (move && here > 0) DataSet->Go(here);
    }
    TCellPaint p{set.CellColor, set.CellFontColor};
    if (deleted) p = {set.DeletedRecordColor, set.DeletedRecordFontColor};
    if (selected) p = {set.SelectedCellColor, set.SelectedFontColor};
    if (!Enabled) p.Font = clGrayText;
    return p;
}

std::string TTzGrid::TrueText() const
{
    if (DisplayValues.empty()) return ucommon.YesText;
    const auto semi = DisplayValues.find(';');
    return semi == std::string::npos ? DisplayValues : DisplayValues.substr(0, semi);
}

std::string TTzGrid::FalseText() const
{
    if (DisplayValues.empty()) return ucommon.NoText;
    const auto semi = DisplayValues.find(';');
    return semi == std::string::npos ? "" : DisplayValues.substr(semi + 1);
}

bool TTzGrid::IsLogicalColumn(int column)
{
    const int f = FieldNoOfColumn(column);
    return f > 0 && DataSet->FieldProps().Type(f) == 'L';
}

bool TTzGrid::LogicalValue(const std::string& text) const
{
    return Upper(Trim(text)) == Upper(TrueText());
}

std::vector<TTzBoxShape> TTzGrid::BoxShapes(int left, int top, int right, int bottom, bool value,
                                            TTzColor fontColor) const
{
    std::vector<TTzBoxShape> s;
    if (BooleanBox == TTzBooleanBox::bbText) return s;
    const int size = bottom - top;
    const int l = left + (right - left - size) / 2;
    const int t = top;
    const int r = l + size;
    const int b = bottom;
    using K = TTzBooleanBox;
    switch (BooleanBox) {
    case K::bbCheckBox:
    case K::bbFillBox:
    case K::bbFillBoxRed:
        s.push_back({TTzBoxShape::FrameRect, l, t, r, b, fontColor, 1});
        break;
    case K::bbRButton:
    case K::bbRButtonRed:
        s.push_back({TTzBoxShape::FrameCircle, l, t, r, b, fontColor, 1});
        break;
    default:
        break;
    }
    if (!value) return s;
    switch (BooleanBox) {
    case K::bbCheckMark:
        s.push_back({TTzBoxShape::CheckMark, l, t, r, b, fontColor, 2});
        break;
    case K::bbFillBox:
        s.push_back({TTzBoxShape::FillRect, l + 1, t + 1, r - 1, b - 1, fontColor, 2});
        break;
    case K::bbFillBoxRed:
        s.push_back({TTzBoxShape::FillRect, l + 1, t + 1, r - 1, b - 1, clRed, 2});
        break;
    case K::bbRButton:
    case K::bbDot:
        s.push_back({TTzBoxShape::Disc, l + 2, t + 2, r - 2, b - 2, fontColor, 2});
        break;
    case K::bbRButtonRed:
    case K::bbDotRed:
        s.push_back({TTzBoxShape::Disc, l + 2, t + 2, r - 2, b - 2, clRed, 2});
        break;
    case K::bbCheckBox:
        s.push_back({TTzBoxShape::Cross, l + 3, t + 3, r - 3, b - 3, fontColor, 2});
        break;
    default:
        break;
    }
    return s;
}

bool TTzGrid::ToggleLogical(int column)
{
    if (!Editing || !DataSet || !IsLogicalColumn(column) ||
        Columns[static_cast<std::size_t>(column)].ReadOnly)
        return false;
    if (DataSet->ReadOnly) return RefuseReadOnly();
    const int f = FieldNoOfColumn(column);
    const std::string name = DataSet->FieldName(f);
    // The field's text as the grid shows it: the true text or anything else.
    const bool now = DataSet->AsBoolean(f);
    if (!DataSet->SetFieldBool(name, !now)) return false;
    return PostOrCancel();
}

char TTzGrid::FieldType(int column)
{
    const int f = FieldNoOfColumn(column);
    return f > 0 ? DataSet->FieldProps().Type(f) : '\0';
}

std::string TTzGrid::FieldText(int column, const std::string& stored)
{
    switch (FieldType(column)) {
    case 'D':
        return Trim(stored).empty() ? std::string() : KeyToDate(stored);
    case 'L': {
        const char c = stored.empty() ? ' ' : stored[0];
        return c == 'T' || c == 't' || c == 'Y' || c == 'y' ? TrueText() : FalseText();
    }
    default:
        return stored;
    }
}

std::string TTzGrid::EditText(int column, const std::string& stored)
{
    const char type = FieldType(column);
    if (type == 'C') {
        const auto e = stored.find_last_not_of(' ');
        return e == std::string::npos ? std::string() : stored.substr(0, e + 1);
    }
    return Trim(FieldText(column, stored));
}

bool TTzGrid::CanEditCell(int column)
{
    const char type = FieldType(column);
    return Editing && DataSet && (type == 'C' || type == 'N' || type == 'F' || type == 'D') &&
           !Columns[static_cast<std::size_t>(column)].ReadOnly;
}

std::string TTzGrid::EditMask(int column)
{
    if (FieldType(column) != 'D') return "";
    // The mask's "/" stands for the date separator of the engine's order.
    std::string mask = DateEditMask();
    const auto end = mask.find(';');
    std::replace(mask.begin(), mask.begin() + static_cast<std::ptrdiff_t>(end), '/', dbdates.DateSeparator);
    return mask;
}

int TTzGrid::EditMaxLength(int column)
{
    // A number is measured when it is stored: an editor that cut it would
    // store another number without a word.
    const int f = FieldNoOfColumn(column);
    const char type = FieldType(column);
    return f > 0 && type != 'N' && type != 'F' ? DataSet->FieldLen(f) : 0;
}

bool TTzGrid::RefuseReadOnly()
{
    platform::CurrentPlatform().Messages().ShowOk("", DisplayText(WriteNotice(*DataSet)),
                                                  platform::MessageIcon::Warning);
    return false;
}

bool TTzGrid::PostOrCancel()
{
    if (DataSet->Post()) return true;
    // The dataset said why (the lock message); the record stays as the
    // file holds it.
    DataSet->Cancel();
    return false;
}

bool TTzGrid::StoreCell(int32_t recNo, int column, const std::string& text)
{
    if (!CanEditCell(column) || !DataSet->Active()) return false;
    if (DataSet->ReadOnly) return RefuseReadOnly();
    std::string value = text;
    const char type = FieldType(column);
    bool valid = true;
    std::string why;
    if (type == 'N' || type == 'F') {
        // The engine would read a foreign text as 0 and store that.
        // A number wider than its field would be cut or stored as another.
        value = Trim(value);
        const int f = FieldNoOfColumn(column);
        const int dec = DataSet->FieldProps().Decimals(f);
        valid = value.empty() ||
                (NumberText(value) &&
                 NumberWidth(value, dec) <= static_cast<std::size_t>(DataSet->FieldProps().Length(f)));
        // A field without decimals cannot tell what a decimal mark meant:
        // "206.000" is 206000 to a German reader and 206 to another, and
        // "920,5" would be cut to 920. The user says which.
        if (dec == 0 && !value.empty() && NumberText(value) &&
            value.find_first_of(".,") != std::string::npos) {
            valid = false;
            why = "\n" + DataSet->FieldName(f) +
                  " holds whole numbers: type the number without a decimal mark.";
        }
    } else if (type == 'D') {
        // An emptied mask leaves only its separators: no date.
        if (value.find_first_not_of(std::string(" /-.") + dbdates.DateSeparator) == std::string::npos)
            value.clear();
        else
            valid = ValidDate(value);
    }
    if (!valid) {
        platform::CurrentPlatform().Messages().ShowOk("", "Invalid Input \"" + text + "\" !" + why,
                                                      platform::MessageIcon::Error);
        return false;
    }
    const bool newRow = recNo == 0 && Inserting();
    if (!newRow && recNo != DataSet->RecNo() && !DataSet->Go(recNo)) return false;
    if (!DataSet->SetFieldText(DataSet->FieldName(FieldNoOfColumn(column)), value)) return false;
    return PostOrCancel();
}

void TTzGrid::MouseDown(TTzMouseButton button, int dataRow, int column)
{
    if (button == TTzMouseButton::Left && dataRow >= 0 && IsLogicalColumn(column)) ToggleLogical(column);
}

bool TTzGrid::TitleMouseUp(TTzMouseButton button, int column, TTzShift shift)
{
    if (shift.Any() || !ShowTitles) return false;
    if (column < 0) {
        if (button == TTzMouseButton::Left && OnCornerLeftClick)
            OnCornerLeftClick();
        else if (button == TTzMouseButton::Right && OnCornerRightClick)
            OnCornerRightClick();
        return true;
    }
    if (button != TTzMouseButton::Right || depressDisabled_ || column >= ColumnCount()) return false;
    depressed_ = column;
    if (OnRepaint) OnRepaint();
    if (OnDepressTitle) OnDepressTitle(column);
    return true;
}

bool TTzGrid::KeyPress(char key, int column)
{
    if (!IsLogicalColumn(column)) return false;
    if (key == ' ' || key == '\r') {
        ToggleLogical(column);
        return true;
    }
    // Backspace and printable characters do nothing to a logical field.
    return key == '\b' || static_cast<unsigned char>(key) >= 32;
}

bool TTzGrid::CtrlDelete()
{
    if (!DataSet || !DataSet->Active()) return false;
    if (DataSet->State() == TDataSetState::Insert && Editing) {
        // A record being inserted is dropped, as the navigator's Delete does.
        DataSet->Cancel();
        if (OnRepaint) OnRepaint();
        return true;
    }
    if (DataSet->IsEmpty() || !DataSet->CheckCommand("Deleted")) return false;
    const bool restore = ::Deleted();
    // A grid that edits nothing deletes nothing either.
    if (!restore && !Editing) return false;
    if (DataSet->ReadOnly) {
        // The notice says why nothing changed; the key was the grid's all
        // the same and goes no further.
        RefuseReadOnly();
        return true;
    }
    if (ConfirmDelete) {
        const auto a = platform::CurrentPlatform().Messages().Show(
            {"", restore ? "Restore Record ?" : "Delete Record ?", platform::MessageIcon::Question,
             platform::MessageButtons::OkCancel});
        if (a != platform::MessageAnswer::Ok) return true;
    }
    if (restore)
        DataSet->Restore();
    else
        DataSet->Delete();
    if (OnRepaint) OnRepaint();
    return true;
}

void TTzGrid::MoveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= ColumnCount() || to >= ColumnCount() || from == to) return;
    TTzColumn c = Columns[static_cast<std::size_t>(from)];
    Columns.erase(Columns.begin() + from);
    Columns.insert(Columns.begin() + to, c);
    if (depressed_ == from)
        depressed_ = to;
    else if (depressed_ >= 0) {
        if (from < depressed_ && to >= depressed_)
            --depressed_;
        else if (from > depressed_ && to <= depressed_)
            ++depressed_;
    }
}

std::string TTzGrid::DateEditMask()
{
    const std::string year = dbdates.DateCentury ? "9999" : "99";
    // Layout 1 is the one national date order with the year first.
    if (dbdates.DbDateFormat == 1) return year + "/99/99;1; ";
    return "99/99/" + year + ";1; ";
}

int TTzGrid::ReadSavedColumns(const std::vector<std::string>& entries)
{
    int bad = 0;
    // A grid without a layout holds one empty default column; the layout
    // replaces it.
    if (Columns.size() == 1 && Columns[0].FieldName.empty() && Columns[0].Title.Caption.empty())
        Columns.clear();
    int limit = MaxSavedColumns;
    if (DataSet && DataSet->Active()) limit = std::min(limit, DataSet->FieldCount());
    int current = -1;
    for (const std::string& raw : entries) {
        const std::string entry = Trim(raw);
        const auto eq = entry.find('=');
        const std::string key = eq == std::string::npos ? "" : Trim(entry.substr(0, eq));
        const std::string value = eq == std::string::npos ? entry : Trim(entry.substr(eq + 1));
        static const char* const known[] = {"cvColorStr",        "cvWidthStr",          "cvFontStr",
                                            "cvAlignmentStr",    "cvReadOnlyStr",       "cvTitleColorStr",
                                            "cvTitleCaptionStr", "cvTitleAlignmentStr", "cvTitleFontStr",
                                            "cvFieldNameStr"};
        bool isKnown = false;
        for (const char* k : known)
            if (key == k) isKnown = true;
        if (!isKnown) {
            // cvColumn, or an entry without a known key: a column index.
            long n = 0;
            if (!SmallInt(key == "cvColumn" ? value : (eq == std::string::npos ? entry : value), n) ||
                n < 0 || n >= limit) {
                ++bad;
                current = -1;
                continue;
            }
            while (static_cast<long>(Columns.size()) <= n)
                Columns.emplace_back();
            current = static_cast<int>(n);
            continue;
        }
        if (current < 0) continue;
        TTzColumn& c = Columns[static_cast<std::size_t>(current)];
        bool ok = true;
        long width = 0;
        if (key == "cvColorStr")
            ok = ParseColorText(value, c.Color);
        else if (key == "cvWidthStr") {
            ok = SmallInt(value, width) && width >= 0 && width <= 10000;
            if (ok) c.Width = static_cast<int>(width);
        } else if (key == "cvFontStr")
            ok = ParseFontText(value, c.Font);
        else if (key == "cvAlignmentStr")
            ok = ParseAlignment(value, c.Alignment);
        else if (key == "cvReadOnlyStr")
            c.ReadOnly = Upper(value) == "TRUE";
        else if (key == "cvTitleColorStr")
            ok = ParseColorText(value, c.Title.Color);
        else if (key == "cvTitleCaptionStr")
            c.Title.Caption = value;
        else if (key == "cvTitleAlignmentStr")
            ok = ParseAlignment(value, c.Title.Alignment);
        else if (key == "cvTitleFontStr")
            ok = ParseFontText(value, c.Title.Font);
        else if (key == "cvFieldNameStr")
            c.FieldName = value.substr(0, 10);
        if (!ok) ++bad;
    }
    return bad;
}

bool RunTableAction(TTzCDataSet* DataSet, const std::function<void()>& Action)
{
    std::string failure;
    try {
        Action();
        return true;
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "Unknown error";
    }
    platform::CurrentPlatform().Messages().ShowOk(LibraryErrorCaption, DisplayText(failure),
                                                  platform::MessageIcon::Error);
    try {
        if (DataSet && DataSet->Active()) DataSet->Cancel();
    } catch (...) {
        // The box has said what failed; the table is read again at its next use.
    }
    return false;
}
