#include "drawings/sheet/drawinginfoform.h"
#include "drawings/sheet/sheetformbuttons.h"

#include "drawings/sheet/drawingsheet.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"
#include "planetary/documentation.h"
#include "platform/platform.h"

const char* const TForm_zeichInfo::TextModeItems[4] = {"A4", "A3", "A4+A3", "-"};

namespace
{

std::string Sig3(Extended X)
{
    return TrimBlanks(FloatToSignificant(X));
}

// A number of the free-text grid: a comma counts as the decimal point, a
// text that is no number as 0.
Extended GridNumber(const std::string& S)
{
    Extended v = 0;
    return TryTextToFloat(TrimBlanks(S), v) ? v : 0;
}

} // namespace

std::string TForm_zeichInfo::Cell(const std::string& Grid, int Column, int Row)
{
    return Grid + "_" + std::to_string(Column) + "_" + std::to_string(Row);
}

TForm_zeichInfo::TForm_zeichInfo()
{
    auto& d = documentation;
    iso_ = wtelmvar.TitleBlockType == 1 || wtelmvar.TitleBlockType == 2;
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    Control("Label_ersatzfuer").Caption = "Replacement for";
    Control("Label_ersetztdurch").Caption = "Replaced by";
    Bind("Edit_ersatzfuer", TFieldKind::Text, &d.ReplacementFor);
    Bind("Edit_ersetztdurch", TFieldKind::Text, &d.ReplacedBy);
    const std::string today = "< " + DisplayText(sheetclock.TodayDateText());
    for (int k = 1; k <= 4; ++k) {
        auto& b = Control("Button" + std::to_string(k));
        b.Caption = today;
        b.Visible = !iso_;
    }
    for (const char* n : {"Label_ersatzfuer", "Label_ersetztdurch", "Edit_ersatzfuer", "Edit_ersetztdurch"})
        Control(n).Visible = !iso_;
    Control("StringGrid3").Visible = iso_;
    std::string* names[4] = {&d.DrawnBy, &d.CheckedBy, &d.StandardBy, &d.ReleaseBy};
    if (iso_) {
        Control(Cell("StringGrid1", 1, 0)).Caption = " (Date)";
        Control(Cell("StringGrid1", 2, 0)).Caption = "Name";
        const char* rows[3] = {"Created by", "Approved by", "Technical reference"};
        for (int r = 1; r <= 3; ++r)
            Control(Cell("StringGrid1", 0, r)).Caption = rows[r - 1];
        const char* iso[3] = {"Responsible dept.", "Document type", "Document status"};
        std::string* values[3] = {&d.ResponsibleDept, &d.DocumentType, &d.DocumentStatus};
        for (int r = 1; r <= 3; ++r) {
            Control(Cell("StringGrid3", 0, r)).Caption = iso[r - 1];
            Bind(Cell("StringGrid3", 1, r), TFieldKind::Text, values[r - 1]);
        }
    } else {
        Control(Cell("StringGrid1", 1, 0)).Caption = "Date";
        Control(Cell("StringGrid1", 2, 0)).Caption = "Name";
        const std::string rows[4] = {"Compl.", "Check", "Stand.", DisplayText(cadsettings.ReleaseFieldLabel)};
        for (int r = 1; r <= 4; ++r)
            Control(Cell("StringGrid1", 0, r)).Caption = rows[r - 1];
    }
    // The ISO layout has no release row: the release date and name stay as
    // they are rather than being wiped by a row that is not there.
    for (int r = 1; r <= SignatureRows(); ++r) {
        // A date shows through code page 437 (umlauts, and the pilcrow and
        // section sign a typed date is stored with, as those characters);
        // left as shown it keeps its stored bytes, typed it is stored in
        // code page 437.
        Bind(Cell("StringGrid1", 1, r), TFieldKind::Date, SignatureDates()[r - 1]);
        Bind(Cell("StringGrid1", 2, r), TFieldKind::Text, names[r - 1]);
    }
    const char* head[5] = {"x", "y", "h", "phi", "Text"};
    for (int c = 1; c <= 5; ++c)
        Control(Cell("StringGrid2", c, 0)).Caption = head[c - 1];
    for (int r = 1; r <= MaxSheetTexts; ++r) {
        Control(Cell("StringGrid2", 0, r)).Caption = std::to_string(r);
        for (int c = 1; c <= 5; ++c)
            Control(Cell("StringGrid2", c, r));
    }
    for (int r = 1; r <= d.SheetTextCount && r <= MaxSheetTexts; ++r) {
        const TSheetText& t = d.SheetTextLines[r];
        Control(Cell("StringGrid2", 1, r)).Text = Sig3(t.x);
        Control(Cell("StringGrid2", 2, r)).Text = Sig3(t.y);
        Control(Cell("StringGrid2", 3, r)).Text = Sig3(t.h);
        Control(Cell("StringGrid2", 4, r)).Text = Sig3(t.phi);
        Control(Cell("StringGrid2", 5, r)).Text = DisplayText(t.Text);
    }
    auto& combo = Control("ComboBox_zeichtextmode");
    combo.Text = TextModeItems[d.SheetTextMode >= 0 && d.SheetTextMode <= 3 ? d.SheetTextMode : 0];
    if (graphservices.ReadHelpHint) combo.Hint = graphservices.ReadHelpHint(3020);
    combo.HintNumber = 3020;
    LoadFields();
    Changed("ComboBox_zeichtextmode");
}

std::string TForm_zeichInfo::Caption() const
{
    return iso_ ? "Info drawing ISO 7200" : "Info drawing DIN 6771";
}

void TForm_zeichInfo::Changed(const std::string& Name)
{
    if (Name == "ComboBox_zeichtextmode") {
        Control("StringGrid2").Visible = Control(Name).Text != "-";
        Touch();
        return;
    }
    if (Name == "Edit_ersatzfuer" || Name == "Edit_ersetztdurch") {
        std::string& t = Control(Name).Text;
        if (t.size() > 15) {
            t.resize(15);
            Touch();
        }
    }
}

platform::DialogAction TForm_zeichInfo::Press(const std::string& Name)
{
    if (Name.size() == 7 && Name.rfind("Button", 0) == 0 && Name[6] >= '1' && Name[6] <= '4') {
        Control(Cell("StringGrid1", 1, Name[6] - '0')).Text = DisplayText(sheetclock.TodayDateText());
        Touch();
        return platform::DialogAction::None;
    }
    if (const auto shared = SheetFormButton(Name, 3010)) return *shared;
    if (Name != "Button_ok") return platform::DialogAction::None;
    telmvar.Aborted = false;
    Store();
    return platform::DialogAction::Accept;
}

std::array<std::string*, 4> TForm_zeichInfo::SignatureDates()
{
    auto& d = documentation;
    return {&d.DrawnDate, &d.CheckedDate, &d.StandardDate, &d.ReleaseDate};
}

void TForm_zeichInfo::Store()
{
    auto& d = documentation;
    Changed("Edit_ersatzfuer");
    Changed("Edit_ersetztdurch");
    // Texts only: nothing is refused.
    StoreFields();
    // The free texts are rows, not fields: row 1 is always taken (an empty
    // grid gives one empty text at the origin); every later row that holds
    // a text follows in order, also after an empty row.
    int count = 0;
    for (int r = 1; r <= MaxSheetTexts; ++r) {
        const std::string text = Control(Cell("StringGrid2", 5, r)).Text;
        if (r > 1 && WithoutBlanks(text).empty()) continue;
        TSheetText& t = d.SheetTextLines[++count];
        t.x = GridNumber(Control(Cell("StringGrid2", 1, r)).Text);
        t.y = GridNumber(Control(Cell("StringGrid2", 2, r)).Text);
        t.h = GridNumber(Control(Cell("StringGrid2", 3, r)).Text);
        t.phi = GridNumber(Control(Cell("StringGrid2", 4, r)).Text);
        t.Text = AnsiTextToOem(text);
    }
    d.SheetTextCount = count;
    const std::string mode = Control("ComboBox_zeichtextmode").Text;
    for (int k = 0; k <= 3; ++k)
        if (mode == TextModeItems[k]) d.SheetTextMode = k;
}

void ShowDrawingInfo()
{
    TForm_zeichInfo form;
    // A dialog closed without its buttons (a batch run, the window's close
    // box) counts as cancelled.
    if (platform::CurrentPlatform().Dialogs().RunModal(form) != platform::DialogResult::Ok)
        telmvar.Aborted = true;
}
