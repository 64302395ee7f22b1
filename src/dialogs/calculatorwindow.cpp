#include "dialogs/calculatorwindow.h"

#include "dialogs/dialogservices.h"
#include "dialogs/helptext.h"
#include "dialogs/stagedialog.h"
#include "foundation/codepage.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/platform.h"
#include "reports/messages/messagelist.h"

#include <algorithm>

TVonline3 vonline3;

TVonline3::TVonline3()
{
    for (int i = 1; i <= 12; ++i) {
        OnlineLineNo[i] = static_cast<uint8_t>(i);
        OnlineLineState[i] = 0;
    }
}

void ResetVonline3()
{
    vonline3 = TVonline3{};
}

void OnlineInit(const std::string& Title, uint16_t InputLines, uint16_t OutputLines)
{
    TVonline3& V = vonline3;
    V.OnlineLineCount = std::clamp<uint16_t>(InputLines, 1, 12);
    V.OnlineOutCount = std::min<uint16_t>(OutputLines, 12);
    V.OnlineTitle = Title;
    ResetErrorState();
    telmvar.MessagesEnabled = false;
    for (int i = 1; i <= 12; ++i) {
        V.OnlineLineNo[i] = 12;
        V.OnlineLineState[i] = 0;
    }
}

void OnlineReorder(uint16_t L, uint8_t R)
{
    if (L < 1 || L > 12) return;
    TVonline3& V = vonline3;
    const uint8_t own = V.OnlineLineNo[L];
    for (int i = 1; i <= 12; ++i)
        if (V.OnlineLineNo[i] >= R && V.OnlineLineNo[i] < own) ++V.OnlineLineNo[i];
    V.OnlineLineNo[L] = R;
}

void OnlineEnd()
{
    telmvar.MessagesEnabled = true;
    telmvar.Aborted = false;
}

TOnlineSession::TOnlineSession(const std::string& Title, uint16_t InputLines, uint16_t OutputLines)
{
    OnlineInit(Title, InputLines, OutputLines);
}

TOnlineSession::~TOnlineSession()
{
    OnlineEnd();
}

void OnlineRun(uint16_t& Line, uint16_t HelpBase, uint8_t& Flag)
{
    TVonline3& V = vonline3;
    TForm_online form;
    form.HelpBase = HelpBase;
    if (V.OnlineLastKey == OnlineKeyUp && Line >= 2) --Line;
    if (V.OnlineLastKey == OnlineKeyDown && Line < V.OnlineLineCount) ++Line;
    V.OnlineLastKey = 0;
    form.CurrentLine = std::clamp<uint16_t>(Line, 1, V.OnlineLineCount);
    RunModalDialog(form);
    Line = form.CurrentLine;
    // The line the arrow key left is the one the user typed in.
    if (V.OnlineLastKey == OnlineKeyDown && Line >= 2) --Line;
    if (V.OnlineLastKey == OnlineKeyUp && Line < V.OnlineLineCount) ++Line;
    OnlineReorder(Line, 1);
    Flag = 1;
}

TForm_online::TForm_online() : Left(vonline3.OnlineLeft), Top(vonline3.OnlineTop)
{
    TVonline3& V = vonline3;
    small_ = wtelmvar.SmallOnlineWindow;
    Control("GroupBox_eingabe").Caption = " Input ";
    Control("GroupBox_ausgabe").Caption = " Output ";
    Control("GroupBox_fehler").Caption = " Error Messages ";
    Control("GroupBox_ausgabe").Visible = !small_;
    Control("GroupBox_fehler").Visible = !small_;
    Control("Button_ok").Caption = "OK";
    Control("Button_help").Caption = "&Help";
    Control("Button_unit").Caption = "mm <-> inch";
    Control("Button_hilfebild").Caption = "Aux. &Image";
    Control("Button_showplt").Caption = "Aux. Image&s";
    Control("Button_close").Caption = "&Close";
    const int n = V.OnlineLineCount;
    for (int i = 1; i <= n; ++i)
        Bind("ed_" + std::to_string(i), TFieldKind::Text, &V.OnlineInValue[i]);
    LoadFields();
    for (int i = 1; i <= n; ++i)
        Control("lb_" + std::to_string(i)).Caption = DisplayText(V.OnlineInLabel[i]);
    for (int i = 1; i <= n; ++i)
        Control("lbeu_" + std::to_string(i)).Caption = DisplayText(V.OnlineInUnit[i]);
    if (small_) return;
    for (int i = 1; i <= V.OnlineOutCount; ++i) {
        Control("lbaz_" + std::to_string(i)).Caption = DisplayText(V.OnlineOutLabel[i]);
        Control("lbaw_" + std::to_string(i)).Caption = DisplayText(V.OnlineOutValue[i]);
        Control("lbau_" + std::to_string(i)).Caption = DisplayText(V.OnlineOutUnit[i]);
    }
    for (int i = 1; i <= std::min<int>(error0.ErrorCount, 12); ++i)
        Control("lber_" + std::to_string(i)).Caption = DisplayText(error0.ErrorTexts[i]);
}

std::string TForm_online::Caption() const
{
    return DisplayText(telmvar.ProgramName + "    " + vonline3.OnlineTitle);
}

uint16_t TForm_online::EditLine(const std::string& Name)
{
    if (Name.rfind("ed_", 0) != 0) return 0;
    const int i = std::atoi(Name.c_str() + 3);
    return i >= 1 && i <= 12 ? static_cast<uint16_t>(i) : 0;
}

void TForm_online::ReadEditsBack()
{
    // Untouched: the calculator's own bytes, not their code-page round trip.
    StoreFields();
}

void TForm_online::KeepPosition()
{
    vonline3.OnlineLeft = Left;
    vonline3.OnlineTop = Top;
}

platform::DialogAction TForm_online::KeyDown(uint16_t Line, int Key)
{
    using platform::DialogAction;
    if (Line >= 1 && Line <= vonline3.OnlineLineCount) CurrentLine = Line;
    switch (Key) {
    case OnlineKeyEscape:
        telmvar.Aborted = true;
        KeepPosition();
        return DialogAction::Reject;
    case OnlineKeyEnter:
        telmvar.Aborted = false;
        ReadEditsBack();
        KeepPosition();
        return DialogAction::Accept;
    case OnlineKeyUp:
    case OnlineKeyDown: {
        const int count = vonline3.OnlineLineCount;
        const int next = CurrentLine + (Key == OnlineKeyUp ? -1 : 1);
        vonline3.OnlineLastKey = next >= 1 && next <= count ? Key : 0;
        CurrentLine = static_cast<uint16_t>(std::clamp(next, 1, count));
        telmvar.Aborted = false;
        ReadEditsBack();
        KeepPosition();
        return DialogAction::Accept;
    }
    default:
        return DialogAction::None;
    }
}

void TForm_online::EditClicked(uint16_t Line)
{
    if (Line >= 1 && Line <= vonline3.OnlineLineCount) CurrentLine = Line;
}

void TForm_online::Changed(const std::string& Name)
{
    EditClicked(EditLine(Name));
}

platform::DialogAction TForm_online::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_ok") return KeyDown(CurrentLine, OnlineKeyEnter);
    if (Name == "Button_close") {
        ReadEditsBack();
        telmvar.Aborted = true;
        KeepPosition();
        return DialogAction::Reject;
    }
    if (Name == "Escape") return KeyDown(CurrentLine, OnlineKeyEscape);
    if (Name == "Button_unit") {
        dialogservices.ToggleUnitSystem();
        return KeyDown(CurrentLine, OnlineKeyEnter);
    }
    if (Name == "Button_help") {
        ShowHelpText(1000, 0, 1);
        telmvar.Aborted = false;
        return DialogAction::None;
    }
    if (Name == "Button_hilfebild") {
        ShowHelpText(static_cast<uint16_t>(HelpBase + 5 * (CurrentLine - 1)), 0, 2);
        telmvar.Aborted = false;
        return DialogAction::Raise;
    }
    if (Name == "Button_showplt") {
        dialogservices.ShowAuxiliaryImages();
        telmvar.Aborted = false;
        return DialogAction::Raise;
    }
    return DialogAction::None;
}

uint16_t TForm_online::HintNumberOf(const std::string& Name) const
{
    auto lineOf = [&Name](const char* prefix) {
        const std::string p = prefix;
        if (Name.rfind(p, 0) != 0) return 0;
        const int i = std::atoi(Name.c_str() + p.size());
        return i >= 1 && i <= 12 ? i : 0;
    };
    if (int i = lineOf("lb_")) return static_cast<uint16_t>(HelpBase + 5 * (i - 1));
    if (int i = lineOf("lbeu_")) return static_cast<uint16_t>(HelpBase + 5 * (i - 1));
    const int outBase = HelpBase % 100 == 0 ? 70 : 75;
    for (const char* p : {"lbaz_", "lbaw_", "lbau_"})
        if (int i = lineOf(p)) return static_cast<uint16_t>(HelpBase + outBase + 2 * (i - 1));
    return 0;
}

std::string TForm_online::HintOf(const std::string& Name) const
{
    if (Name.rfind("lber_", 0) == 0) {
        std::string origin;
        GetMessageOrigin(std::atoi(Name.c_str() + 5), origin);
        return DisplayText(origin);
    }
    const uint16_t n = HintNumberOf(Name);
    if (n == 0) return {};
    std::string hint;
    ReadHelpHint(n, hint);
    return hint;
}
