#include "drawings/sheet/drawingsheet.h"

#include "foundation/codepage.h"
#include "foundation/datetexts.h"
#include "foundation/fileutil.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/cadfiles.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "planetary/documentation.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <string>

namespace
{

TSheetClock DefaultSheetClock()
{
    TSheetClock c;
    c.TodayDateText = [] {
        return reportservices.TodayDateText ? reportservices.TodayDateText() : ::TodayDateText();
    };
    c.NowTimeText = [] {
        return reportservices.NowTimeText ? reportservices.NowTimeText() : ::NowTimeText();
    };
    c.TodayIsoDateText = [] { return ::TodayIsoDateText(); };
    return c;
}

} // namespace

TSheetClock sheetclock = DefaultSheetClock();

void ResetSheetClock()
{
    sheetclock = DefaultSheetClock();
}

namespace
{

// Text style number of every sheet text.
constexpr int SheetStyle = 2;

struct TRect {
    Extended x1, y1, x2, y2;
};

bool IsDinType(int Type)
{
    return Type == 0 || Type == 3;
}

bool IsoWithWideBorder()
{
    return !IsDinType(wtelmvar.TitleBlockType) && wtelmvar.DrawingBorderWidth == 1;
}

// Sheet edge by size code.
bool SheetEdge(int Code, TRect& R)
{
    switch (Code) {
    case 1:
        R = {0, 0, 841, 594};
        return true;
    case 2:
        R = {0, 0, 594, 420};
        return true;
    case 3:
        R = {0, 0, 420, 297};
        return true;
    case 4:
        R = {0, 0, 210, 297};
        return true;
    default:
        return false;
    }
}

// Inner frame: the narrow border of DIN sheets (A1 and A2 have none), or
// the ISO border of 10 mm with 20 mm for filing on the left.
bool InnerFrame(int Code, TRect& R)
{
    if (!IsoWithWideBorder()) {
        switch (Code) {
        case 3:
            R = {15, 5, 415, 292};
            return true;
        case 4:
            R = {17.9L, 5, 205.1L, 292};
            return true;
        default:
            return false;
        }
    }
    switch (Code) {
    case 1:
        R = {20, 10, 831, 574};
        return true;
    case 2:
        R = {20, 10, 584, 400};
        return true;
    case 3:
        R = {20, 10, 410, 287};
        return true;
    case 4:
        R = {20, 10, 200, 287};
        return true;
    default:
        return false;
    }
}

// A field the composer filled with "/" (the stage texts' placeholder for
// "nothing") stays empty on the sheet.
std::string FieldText(const std::string& S)
{
    std::string t = S;
    RemoveBlanks(t);
    return t == "/" ? std::string() : S;
}

void Style(Extended Angle, Extended Height, Extended Width)
{
    CadSetTextStyle(SheetStyle, Angle, Height, Width);
}

void FittedText(const std::string& Text, Extended Height, Extended Width, Extended MaxWidth, Extended X,
                Extended Y)
{
    CadTextInWidth(SheetStyle, Text, 0, Height, Width, MaxWidth);
    CadText(X, Y, Text);
}

// The user's block file "$" + Name + ".dx$", found the way the insert will
// find it.
bool UserBlockExists(const std::string& Name)
{
    if (CadOutputIsOpen()) return CadBlockFiles().Find(Name).has_value();
    return FileCanOpen(AddTrailingBackslash(telmvar.TempDir) + "$" + Name + ".dx$");
}

bool BlockDevice()
{
    return cadstate.CadDevice == 3 || cadstate.CadDevice == 4;
}

// First change shown in the eight revision rows.
int FirstShownChange()
{
    const int n = documentation.ChangeCount;
    return n <= 8 ? 1 : n - 7;
}

void IsoMainTexts(const std::string& Title, const std::string& Supplementary, const std::string& Number)
{
    CadSetLayer(5);
    FittedText(Number, 3.5L, 2.8L, 48, 130, 12);
    FittedText(Title, 3.5L, 2.8L, 50, 76, 8.5L);
    CadSetLayer(4);
    FittedText(Supplementary, 2.5L, 1.8L, 50, 76, 2.5L);
}

std::string RevisionLetter()
{
    return std::string(1, static_cast<char>(documentation.ChangeCount + 65));
}

void Labels(std::initializer_list<std::pair<const char*, std::pair<Extended, Extended>>> L)
{
    Style(0, 1.6L, 1.3L);
    for (const auto& [text, at] : L)
        CadText(at.first, at.second, text);
}

void IsoFig2(const std::string& Title, const std::string& Supplementary, const std::string& Number)
{
    const auto& d = documentation;
    CadSetLayer(5);
    CadRectangle(0, 0, 180, 36);
    CadSetLayer(3);
    for (const TRect& l :
         {TRect{74, 0, 74, 36}, TRect{0, 27, 180, 27}, TRect{74, 18, 180, 18}, TRect{128, 0, 128, 27},
          TRect{128, 9, 180, 9}, TRect{136, 0, 136, 9}, TRect{160, 0, 160, 9}, TRect{170, 0, 170, 9},
          TRect{31, 27, 31, 36}, TRect{116, 27, 116, 36}, TRect{158, 27, 158, 36}})
        CadLine(l.x1, l.y1, l.x2, l.y2);
    Labels({{"Responsible dept.", {1, 33.5L}},
            {"Technical reference", {32, 33.5L}},
            {"Created by", {75, 33.5L}},
            {"Approved by", {117, 33.5L}},
            {"Document type", {75, 24.5L}},
            {"Document status", {129, 24.5L}},
            {"Title, Supplementary title", {75, 15.5L}},
            {"Rev.", {129, 6.5L}},
            {"Date of issue", {137, 6.5L}},
            {"Lang.", {161, 6.5L}},
            {"Page", {171, 6.5L}}});
    IsoMainTexts(Title, Supplementary, Number);
    CadSetLayer(4);
    Style(0, 2.5L, 1.8L);
    CadText(2, 29, d.ResponsibleDept);
    CadText(33, 29, d.StandardBy);
    CadText(76, 29, d.DrawnBy);
    CadText(118, 29, d.CheckedBy);
    CadText(130, 2, RevisionLetter());
    CadText(138, 2, sheetclock.TodayIsoDateText());
    CadText(162, 2, "en");
    CadText(76, 20, d.DocumentType);
    CadText(130, 20, d.DocumentStatus);
}

void IsoFig1(const std::string& Title, const std::string& Supplementary, const std::string& Number)
{
    const auto& d = documentation;
    CadSetLayer(5);
    CadRectangle(0, 0, 180, 27);
    CadSetLayer(3);
    for (const TRect& l :
         {TRect{74, 0, 74, 27}, TRect{0, 18, 180, 18}, TRect{128, 0, 128, 18}, TRect{128, 9, 180, 9},
          TRect{136, 0, 136, 9}, TRect{160, 0, 160, 9}, TRect{170, 0, 170, 9}, TRect{31, 0, 31, 27},
          TRect{135, 18, 135, 27}, TRect{31, 9, 74, 9}})
        CadLine(l.x1, l.y1, l.x2, l.y2);
    Labels({{"Responsible dept.", {1, 24.5L}},
            {"Technical reference", {32, 24.5L}},
            {"Document type", {75, 24.5L}},
            {"Document status", {136, 24.5L}},
            {"Created by", {32, 15.5L}},
            {"Title, Supplementary title", {75, 15.5L}},
            {"Approved by", {32, 6.5L}},
            {"Rev.", {129, 6.5L}},
            {"Date of issue", {137, 6.5L}},
            {"Lang.", {161, 6.5L}},
            {"Page", {171, 6.5L}}});
    IsoMainTexts(Title, Supplementary, Number);
    CadSetLayer(4);
    Style(0, 2.5L, 1.8L);
    CadText(33, 11, d.DrawnBy);
    CadText(33, 2, d.CheckedBy);
    CadText(2, 20, d.ResponsibleDept);
    CadText(33, 20, d.StandardBy);
    CadText(76, 20, d.DocumentType);
    CadText(138, 20, d.DocumentStatus);
    CadText(130, 2, RevisionLetter());
    CadText(138, 2, sheetclock.TodayIsoDateText());
    CadText(162, 2, "en");
}

namespace
{

// A text of the revision rows, whose style is the row's (Height, Width),
// at (X, Y) in a column ending at Right. This departs from the plain copy
// of the revision table, which writes its texts as they are, so that a
// description of 254 characters ran some 330 mm across the frame and off
// the sheet: a text too long for its column is fitted as the title block's
// fields are (CadTextInWidth), but not below 60 % of the row's lettering;
// at 60 % it is cut to the whole characters that fit (the protocol of
// changes holds it whole). A text that fits is written as before.
// Unlike the title block's fields, whose estimate takes the screen's width
// factor whatever the output, the length is estimated with the factor the
// text is drawn with (CadWrittenTextWidthFactor): with the screen's factor
// a narrow screen setting let a file's text, written with the CAD factor,
// run over the frame. With the default factors (CAD 1, screen 0.8) a file
// so cuts a long text shorter than the screen does.
void RevisionCellText(Extended X, Extended Y, Extended Right, const std::string& Text, Extended Height,
                      Extended Width)
{
    constexpr Extended smallest = 0.6L;
    const Extended room = Right - X - 0.5L;
    const Extended factor = CadWrittenTextWidthFactor();
    const Extended estimate = CadTextEstimate(Text, Width, factor);
    if (estimate <= room) {
        CadText(X, Y, Text);
        return;
    }
    if (room >= smallest * estimate) {
        const Extended f = room / estimate;
        Style(0, Height * f, Width * f);
        CadText(X, Y, Text);
    } else {
        size_t n = Text.size();
        while (n > 0 && CadTextEstimate(Text.substr(0, n), smallest * Width, factor) > room)
            --n;
        Style(0, smallest * Height, smallest * Width);
        CadText(X, Y, Text.substr(0, n));
    }
    Style(0, Height, Width);
}

} // namespace

void Din6771(int Type, const std::string& Title, const std::string& Supplementary, const std::string& Number)
{
    const auto& d = documentation;
    const bool full = Type == 3;
    const Extended top = full ? 55.25L : 38.25L;
    CadSetLayer(5);
    CadRectangle(0, 0, 187.2L, top);
    CadSetLayer(4);
    CadLine(0, 4.25L, 187.2L, 4.25L);
    CadLine(54.6L, 17, 187.2L, 17);
    if (full) {
        CadLine(98.8L, 48.875L, 187.2L, 48.875L);
        CadLine(0, 38.25L, 187.2L, 38.25L);
    }
    CadLine(54.6L, 0, 54.6L, top);
    CadLine(98.8L, 0, 98.8L, top);
    CadSetLayer(3);
    CadLine(174.2L, 8.5L, 187.2L, 8.5L);
    for (Extended x : {7.8L, 33.8L, 46.8L})
        CadLine(x, 0, x, 38.25L);
    CadLine(65, 17, 65, 38.25L);
    CadLine(143, 0, 143, 4.25L);
    if (full) {
        CadLine(80.6L, 17, 80.6L, 55.25L);
        CadLine(150.8L, 48.875L, 150.8L, 55.25L);
    } else {
        CadLine(80.6L, 17, 80.6L, 38.25L);
    }
    CadLine(174.2L, 4.25L, 174.2L, 17);
    for (int i = 2; i <= 8; ++i)
        CadLine(0, 4.25L * i, 54.6L, 4.25L * i);
    for (int i = 5; i <= 8; ++i)
        CadLine(54.6L, 4.25L * i, 98.8L, 4.25L * i);
    Labels({{"Cond.", {1, 1}}, {"Modification", {8.8L, 1}}, {"Date", {34.8L, 1}}, {"Name", {47.8L, 1}}});
    Style(0, 1.8L, 1.5L);
    CadText(66, 35, "Date");
    CadText(81.6L, 35, "Name");
    const struct {
        std::string label;
        Extended y;
        const std::string& date;
        const std::string& name;
    } rows[4] = {{"Compl.", 30.75L, d.DrawnDate, d.DrawnBy},
                 {"Check", 26.5L, d.CheckedDate, d.CheckedBy},
                 {"Stand.", 22.25L, d.StandardDate, d.StandardBy},
                 {cadsettings.ReleaseFieldLabel, 18, d.ReleaseDate, d.ReleaseBy}};
    for (const auto& r : rows) {
        CadText(55.6L, r.y, r.label);
        CadText(66, r.y, r.date);
        CadText(81.6L, r.y, r.name);
    }
    if (!d.ReplacementFor.empty()) CadText(99.8L, 1, "Replacement for " + d.ReplacementFor);
    if (!d.ReplacedBy.empty()) CadText(144, 1, "Replaced by " + d.ReplacedBy);
    // The DIN block has its change rows built in: they are filled whatever
    // the switch of the ISO revision table says.
    if (d.ChangeCount > 0) {
        CadSetLayer(3);
        Style(0, 1.7L, 1.3L);
        const int first = FirstShownChange();
        for (int k = first; k <= d.ChangeCount; ++k) {
            const Extended y = 4.25L * (k - first + 1) + 1;
            const TChangeRec& c = d.ChangeList[k];
            // Kept inside their columns as the ISO revision rows are.
            RevisionCellText(1, y, 7.8L, RevisionIndexText(k), 1.7L, 1.3L);
            RevisionCellText(8.8L, y, 33.8L, c.Text[0], 1.7L, 1.3L);
            RevisionCellText(34.8L, y, 46.8L, c.Text[1], 1.7L, 1.3L);
            RevisionCellText(47.8L, y, 54.6L, c.Text[2], 1.7L, 1.3L);
        }
    }
    CadSetLayer(5);
    FittedText(Title, 5, 4, 84, 100.8L, 28.625L);
    FittedText(Number, 5, 4, 71, 100.8L, 7.375L);
    CadSetLayer(4);
    FittedText(Supplementary, 3.5L, 2.8L, 84, 100.8L, 20.125L);
}

bool IsoRevisionTableShown()
{
    return cadsettings.SheetShowChanges && documentation.ChangeCount > 0;
}

void InsertUserBlock(const std::string& Name, Extended X, Extended Y, Extended ScaleX, Extended ScaleY)
{
    if (UserBlockExists(Name)) CadInsertBlockShifted(Name, X, Y, 0, ScaleX, ScaleY);
}

void ScaleTicks(Extended From, int Count, bool Vertical, Extended Base)
{
    for (int i = 0; i <= Count; ++i) {
        const Extended len = i % 10 == 0 ? 3 : i % 10 == 5 ? 2.25L : 1.5L;
        const Extended at = From + i;
        if (Vertical)
            CadLine(Base, at, Base + len, at);
        else
            CadLine(at, Base, at, Base + len);
        if (i % 10 != 0) continue;
        const std::string n = std::to_string(i);
        const Extended shift = static_cast<Extended>(n.size()) * 1.5L * 0.375L;
        if (Vertical)
            CadText(Base + 3 + 1.5L + 0.3L, at - shift, n);
        else
            CadText(at - shift, Base + 3 + 0.6L, n);
    }
}

} // namespace

void BeginSheetDrawing(int SizeCode)
{
    if (SizeCode == 3)
        CadBeginDrawing(-2, -5, 422, 305, 0);
    else if (SizeCode == 4)
        CadBeginDrawing(-5, -5, 215, 307, 0);
}

std::string RevisionIndexText(int N)
{
    switch (wtelmvar.IndexStyle) {
    case 0:
        return std::string(1, static_cast<char>(N + 96));
    case 1:
        return std::to_string(N);
    case 2:
        return std::string(1, static_cast<char>(N + 64));
    default:
        return "";
    }
}

void DrawRevisionTable()
{
    const auto& d = documentation;
    const Extended y0 = wtelmvar.TitleBlockType == 1 ? 27 : 36;
    constexpr Extended h = 3.5L;
    const int n = std::min(8, d.ChangeCount);
    CadSetLayer(3);
    for (int i = 1; i <= n + 1; ++i)
        CadLine(0, y0 + h * i, 180, y0 + h * i);
    for (Extended x : {0.0L, 8.0L, 25.0L, 40.0L, 70.0L})
        CadLine(x, y0, x, y0 + h * (n + 1));
    Style(0, 0.5L * h, 0.375L * h);
    CadSetLayer(3);
    const Extended head = y0 + 0.9L;
    CadText(1, head, "Index");
    CadText(9, head, "Date");
    CadText(26, head, "Name");
    CadText(41, head, "Modification");
    CadText(71, head, "Description");
    if (n <= 0) return;
    const int first = FirstShownChange();
    for (int k = first; k <= d.ChangeCount; ++k) {
        const Extended y = y0 + h * (k - first + 1) + 0.9L;
        const TChangeRec& c = d.ChangeList[k];
        RevisionCellText(1, y, 8, RevisionIndexText(k), 0.5L * h, 0.375L * h);
        RevisionCellText(9, y, 25, c.Text[1], 0.5L * h, 0.375L * h);
        RevisionCellText(26, y, 40, c.Text[2], 0.5L * h, 0.375L * h);
        RevisionCellText(41, y, 70, c.Text[0], 0.5L * h, 0.375L * h);
        // One text: the CAD writers turn its line breaks into blanks.
        RevisionCellText(71, y, 180, c.Text[3], 0.5L * h, 0.375L * h);
    }
}

Extended TitleBlockHeight()
{
    const int type = wtelmvar.TitleBlockType;
    const Extended r = IsoRevisionTableShown() ? 3.5L * (std::min(8, documentation.ChangeCount) + 1) : 0;
    return type == 0 ? 38.25L : type == 3 ? 55.25L : type == 1 ? r + 27 : type == 2 ? r + 36 : 0;
}

Extended TitleBlockBottom()
{
    return IsDinType(wtelmvar.TitleBlockType) || wtelmvar.DrawingBorderWidth == 0 ? 5 : 10;
}

Extended TableFloor()
{
    return TitleBlockBottom() + TitleBlockHeight() + 2;
}

bool SheetInnerFrame(int SizeCode, Extended& X1, Extended& Y1, Extended& X2, Extended& Y2)
{
    TRect r{};
    if (!InnerFrame(SizeCode, r)) return false;
    X1 = r.x1;
    Y1 = r.y1;
    X2 = r.x2;
    Y2 = r.y2;
    return true;
}

Extended TableFitFactor(Extended Top, Extended Bottom)
{
    const Extended floor = TableFloor();
    return Bottom >= floor || Top <= floor ? 1 : (Top - floor) / (Top - Bottom);
}

void DrawTitleBlock(int SizeCode, const std::string& Title, const std::string& SupplementaryTitle,
                    const std::string& DrawingNumber)
{
    const std::string title = FieldText(Title);
    const std::string supplementary = FieldText(SupplementaryTitle);
    const std::string number = FieldText(DrawingNumber);
    const int type = wtelmvar.TitleBlockType;
    const bool din = IsDinType(type);
    SetCadTextAlign(0, 0);
    if (SizeCode == 3 || SizeCode == 4) {
        const bool a4 = SizeCode == 4;
        if (din)
            SetCadOffset(a4 ? 17.9L : 227.8L, TitleBlockBottom());
        else if (wtelmvar.DrawingBorderWidth == 0)
            SetCadOffset(a4 ? 25 : 235, TitleBlockBottom());
        else
            SetCadOffset(a4 ? 20 : 230, TitleBlockBottom());
    }
    if (type == 2) {
        IsoFig2(title, supplementary, number);
        if (IsoRevisionTableShown()) DrawRevisionTable();
    } else if (type == 1) {
        IsoFig1(title, supplementary, number);
        if (IsoRevisionTableShown()) DrawRevisionTable();
    } else if (din) {
        Din6771(type, title, supplementary, number);
    }
    if (!cadsettings.SheetShowLogo && BlockDevice() && UserBlockExists("logo_1")) {
        CadSetLayer(5);
        if (din)
            CadInsertBlockShifted("logo_1", 57, 5, 0, 1, 1);
        else if (type == 1)
            CadInsertBlockShifted("logo_1", 2, 4, 0, 0.7L, 0.9L);
        else if (type == 2)
            CadInsertBlockShifted("logo_1", 3, 4, 0, 1.75L, 1.75L);
    }
    if (cadsettings.SheetUseHeadBlocks && BlockDevice()) {
        const Extended top = TitleBlockHeight();
        InsertUserBlock("head_0", 0, top, 1, 1);
        if (SizeCode == 4) InsertUserBlock("head_4", 0, top, 1, 1);
        if (SizeCode == 3) InsertUserBlock("head_3", 0, top, 1, 1);
    }
    if (cadsettings.SheetUseInsertBlocks && BlockDevice()) {
        InsertUserBlock("insert_0", 0, 0, 1, 1);
        if (SizeCode == 4) InsertUserBlock("insert_4", 0, 0, 1, 1);
        if (SizeCode == 3) InsertUserBlock("insert_3", 0, 0, 1, 1);
    }
    SetCadOffset(0, 0);
}

void DrawProtectionNotice(int SizeCode)
{
    if (cadsettings.SheetShowProtectionNotice || (SizeCode != 3 && SizeCode != 4)) return;
    CadSetLayer(3);
    Style(90, 1.8L, 1.5L);
    // The ISO border of 10 mm leaves the notice room beside the grid
    // letters when they are drawn.
    Extended x0 = SizeCode == 3 ? 3 : 4;
    if (IsoWithWideBorder()) x0 = cadsettings.SheetShowGridLabels ? 4 : 3;
    static const char* const lines[5] = {"Copying of this document and giving it to other and the use",
                                         "or communication of the contents therof, are forbidden with-",
                                         "out express authority. Offenders are liable to the payment",
                                         "of damages. All rights are reserved in the event of the grant",
                                         "of a patent or the registration of a utility model or design."};
    for (int i = 0; i < 5; ++i)
        CadText(x0 + 2.7L * i, 10, lines[i]);
}

void DrawZoneGrid(int Nx, int Ny, Extended X1, Extended Y1, Extended X2, Extended Y2, Extended M)
{
    CadSetLayer(3);
    if (!cadsettings.SheetShowGridLabels && Nx > 0 && Ny > 0) {
        CadRectangle(X1 - M, Y1 - M, X2 + M, Y2 + M);
        const Extended dx = (X2 - X1) / Nx;
        const Extended dy = (Y2 - Y1) / Ny;
        Style(0, M / 2, 0.75L * M / 2);
        for (int i = 0; i <= Nx; ++i) {
            const Extended x = X1 + i * dx;
            CadLine(x, Y2, x, Y2 + M);
            CadLine(x, Y1, x, Y1 - M);
            if (i == Nx) continue;
            const std::string n = std::to_string(i + 1);
            CadText(X1 + dx / 2 + i * dx, Y2 + 0.25L * M, n);
            CadText(X1 + dx / 2 + i * dx, Y1 - 0.75L * M, n);
        }
        for (int j = 0; j <= Ny; ++j) {
            const Extended y = Y1 + j * dy;
            CadLine(X1, y, X1 - M, y);
            CadLine(X2, y, X2 + M, y);
            if (j == Ny) continue;
            const std::string c(1, static_cast<char>(j + 65));
            CadText(X1 - 0.75L * M, Y1 + dy / 2 + j * dy, c);
            CadText(X2 + 0.25L * M, Y1 + dy / 2 + j * dy, c);
        }
    }
    if (!cadsettings.SheetShowMmScale) {
        Style(0, 1.5L, 1.125L);
        ScaleTicks(X1, static_cast<int>(Round(X2 - X1)), false, Y2 + M);
        Style(90, 1.5L, 1.125L);
        ScaleTicks(Y1, static_cast<int>(Round(Y2 - Y1)), true, X2 + M);
    }
}

void DrawDrawingSheet(int SizeCode, const std::string& Title, const std::string& SupplementaryTitle,
                      const std::string& DrawingNumber)
{
    const std::string title = FieldText(Title);
    const std::string supplementary = FieldText(SupplementaryTitle);
    const std::string number = FieldText(DrawingNumber);
    // Tells the graphics printout which paper the window holds.
    if (SizeCode == 3) printsettings.GraphContentKind = 3;
    if (SizeCode == 4) printsettings.GraphContentKind = 2;
    if (cadsettings.SheetShowTitleBlock || telmvar.Aborted) return;
    SetCadTextAlign(0, 0);
    TRect r{};
    CadSetLayer(5);
    if (InnerFrame(SizeCode, r)) CadRectangle(r.x1, r.y1, r.x2, r.y2);
    CadSetLayer(3);
    if (SheetEdge(SizeCode, r)) CadRectangle(r.x1, r.y1, r.x2, r.y2);
    DrawTitleBlock(SizeCode, title, supplementary, number);
    DrawProtectionNotice(SizeCode);

    const auto& d = documentation;
    const int mode = d.SheetTextMode;
    const bool onA4 = (mode == 0 || mode == 2) && SizeCode == 4;
    const bool onA3 = (mode == 1 || mode == 2) && SizeCode == 3;
    if (d.SheetTextCount > 0 && (onA4 || onA3)) {
        for (int k = 1; k <= std::min(d.SheetTextCount, MaxSheetTexts); ++k) {
            const TSheetText& t = d.SheetTextLines[k];
            if (t.h > 0) Style(t.phi, t.h, 0.8L * t.h);
            CadText(t.x, t.y, t.Text);
        }
    }
    if (IsoWithWideBorder()) {
        if (SizeCode == 4) DrawZoneGrid(4, 6, 20, 10, 200, 287, 4);
        if (SizeCode == 3) DrawZoneGrid(8, 6, 20, 10, 410, 287, 4);
    }
    CadSetLayer(3);
    Style(0, 1.5L, 1.2L);
    // The path is the file system's bytes: the sheet's text holds it in the
    // program's code page. On A4 the date stands at 186 mm, so the path is
    // shortened to the 136 characters (1.2 mm each) that end before it.
    const bool dateShown = !cadsettings.SheetShowDate && (SizeCode == 3 || SizeCode == 4);
    if (!cadsettings.SheetShowFileName)
        CadText(
            20, 1,
            AbbreviateMiddle(FileNameToOem(GetProjectFilePath()), dateShown && SizeCode == 4 ? 136 : 150));
    if (dateShown)
        CadText(SizeCode == 4 ? 186 : 395, 1, sheetclock.TodayDateText() + " " + sheetclock.NowTimeText());
    Style(0, 3.5L, 3);
    CadSetLayer(5);
    if (!cadsettings.SheetShowMakerTitle)
        CadText(1, 300, "TELMORA   " + telmvar.ProgramTitle + "  V" + telmvar.ProgramVersion);
}
