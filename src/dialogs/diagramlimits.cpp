#include "dialogs/diagramlimits.h"

#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "dialogs/stagedialog.h"
#include "foundation/codepage.h"
#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/diagrams/diagram.h"

namespace
{

// Edits in the order of DiagLimits.
const char* const EditNames[4] = {"Edit_xmin", "Edit_ymin", "Edit_xmax", "Edit_ymax"};

} // namespace

TEinDiagramLimits::TEinDiagramLimits() : caption_(DisplayText(telmvar.ProgramName))
{
    Control("Label_y");
    // The limits entered last, not the automatic ones.
    for (int i = 0; i < 4; ++i) {
        limits_[i] = diagramstate.DiagLimits[i + 1];
        Bind(EditNames[i], TFieldKind::Sig3, &limits_[i]);
    }
    Control("Label_x");
    // The picture of the plot area; nothing to use in it.
    Control("GroupBox_diagram").Enabled = false;
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help Text";
    Control("Button_calc").Caption = "Calculate";
    LoadFields();
}

void TEinDiagramLimits::SetTitle(const std::string& Title)
{
    caption_ = DisplayText(Title);
    Touch();
}

void TEinDiagramLimits::SetAxisLabels(const std::string& XLabel, const std::string& YLabel)
{
    Control("Label_x").Caption = DisplayText(XLabel);
    Control("Label_y").Caption = DisplayText(YLabel);
    Touch();
}

void TEinDiagramLimits::SetAutoLimits(Extended XMin, Extended YMin, Extended XMax, Extended YMax)
{
    autoLimits_[0] = XMin;
    autoLimits_[1] = YMin;
    autoLimits_[2] = XMax;
    autoLimits_[3] = YMax;
}

bool TEinDiagramLimits::Store()
{
    // An empty edit is a typing error here, not a 0: it would draw a
    // diagram the user never asked for.
    for (const char* name : EditNames)
        if (TrimBlanks(Control(name).Text).empty()) {
            InputRefused(Control(name).Text);
            return false;
        }
    if (!StoreFields()) return false;
    const Extended* v = limits_;
    if (DiagramLogX() && (v[0] <= 0 || v[2] <= 0)) {
        ShowMessageBox("Error: x = 0 !");
        return false;
    }
    if (DiagramLogY() && (v[1] <= 0 || v[3] <= 0)) {
        ShowMessageBox("Error: y = 0 !");
        return false;
    }
    for (int i = 0; i < 4; ++i)
        diagramstate.DiagLimits[i + 1] = v[i];
    return true;
}

void TEinDiagramLimits::InputRefused(const std::string& Text)
{
    ShowErrorBox(InvalidInputText(AnsiTextToOem(Text)));
}

platform::DialogAction TEinDiagramLimits::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_calc") {
        // The automatic limits of a logarithmic axis are exponents; the
        // edits take numbers.
        for (int i = 0; i < 4; ++i) {
            const bool logAxis = i % 2 == 0 ? DiagramLogX() : DiagramLogY();
            Control(EditNames[i]).Text =
                TrimBlanks(FloatToSignificant(logAxis ? PowerOf10(autoLimits_[i]) : autoLimits_[i]));
        }
        Touch();
        return DialogAction::None;
    }
    if (Name == "Button_ok") {
        if (!Store()) return DialogAction::None;
        telmvar.Aborted = false;
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_help") {
        ShowHelpText(DiagramLimitsHelpNumber, 0, 1);
        telmvar.Aborted = false;
        return DialogAction::None;
    }
    return DialogAction::None;
}

void RunDiagramLimitsDialog(const std::string& XLabel, const std::string& YLabel, const std::string& Title,
                            Extended XLo, Extended YLo, Extended XHi, Extended YHi)
{
    TEinDiagramLimits form;
    form.SetAutoLimits(XLo, YLo, XHi, YHi);
    form.SetAxisLabels(XLabel, YLabel);
    form.SetTitle(Title);
    telmvar.Aborted = false;
    RunModalDialog(form);
}
