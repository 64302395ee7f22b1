#include "drawings/sheet/changeentryform.h"
#include "drawings/sheet/sheetformbuttons.h"

#include "drawings/sheet/drawingsheet.h"
#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "planetary/documentation.h"

namespace
{

const char* const EditNames[4] = {"Edit_aenderung", "Edit_datum", "Edit_bearbeiter", "Memo_beschreibung"};

} // namespace

TForm_EinAend::TForm_EinAend(int N) : n_(N)
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    Control("Button_datum").Caption = "<" + DisplayText(sheetclock.TodayDateText());
    Control("Label_aenderung").Caption = "text of changes";
    Control("Label_datum").Caption = "Date";
    Control("Label_bearbeiter").Caption = "responsible";
    Control("Label_beschreibung").Caption = "Description";
    if (N < 1 || N > MaxChanges) return;
    TChangeRec& c = documentation.ChangeList[N];
    Bind(EditNames[0], TFieldKind::Text, &c.Text[0]);
    // The date shows through code page 437 and is stored as typed; left as
    // shown it keeps its stored bytes.
    Bind(EditNames[1], TFieldKind::TypedDate, &c.Text[1]);
    Bind(EditNames[2], TFieldKind::Text, &c.Text[2]);
    Bind(EditNames[3], TFieldKind::Text, &c.Text[3]);
    LoadFields();
    Control("Memo_beschreibung").Text = LimitDescription(Control("Memo_beschreibung").Text);
}

std::string TForm_EinAend::Caption() const
{
    return "Modification " + std::to_string(n_);
}

std::size_t TForm_EinAend::MaxLength(const std::string& Control)
{
    if (Control == "Edit_aenderung") return 20;
    if (Control == "Edit_datum") return 10;
    if (Control == "Edit_bearbeiter") return 5;
    if (Control == "Memo_beschreibung") return MaxDescriptionLength;
    return 0;
}

std::string TForm_EinAend::LimitDescription(const std::string& Text)
{
    std::string r;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\r' || c == '\n') {
            // CR LF, a lone LF (from the toolkit's text box) or a lone CR
            // all become one CR LF.
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            if (r.size() + 2 > static_cast<std::size_t>(MaxDescriptionLength)) break;
            r += "\r\n";
            continue;
        }
        if (r.size() + 1 > static_cast<std::size_t>(MaxDescriptionLength)) break;
        r += c;
    }
    return r;
}

void TForm_EinAend::Changed(const std::string& Name)
{
    const std::size_t limit = MaxLength(Name);
    if (limit == 0) return;
    std::string& t = Control(Name).Text;
    const std::string cut = Name == "Memo_beschreibung" ? LimitDescription(t) : t.substr(0, limit);
    if (cut != t) {
        t = cut;
        Touch();
    }
}

platform::DialogAction TForm_EinAend::Press(const std::string& Name)
{
    if (Name == "Button_datum") {
        Control("Edit_datum").Text = DisplayText(sheetclock.TodayDateText());
        Touch();
        return platform::DialogAction::None;
    }
    if (const auto shared = SheetFormButton(Name, 3000)) return *shared;
    if (Name != "Button_ok") return platform::DialogAction::None;
    telmvar.Aborted = false;
    // A script or a paste may hand in more than the edits take.
    for (const char* e : EditNames)
        Changed(e);
    if (n_ < 1 || n_ > MaxChanges) return platform::DialogAction::Accept;
    StoreFields();
    return platform::DialogAction::Accept;
}
