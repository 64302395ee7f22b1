#include "drawings/sheet/documentlinksform.h"
#include "drawings/sheet/sheetformbuttons.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphservices.h"
#include "planetary/documentation.h"
#include "platform/platform.h"
#include "reports/engine/launchfailure.h"
#include "reports/engine/reportservices.h"

#include <filesystem>

namespace
{

std::string Prog(int N)
{
    return "Edit_prog" + std::to_string(N);
}
std::string File(int N)
{
    return "Edit_file" + std::to_string(N);
}

// As the main window's title: the program's title, and "  -  " with the
// project's name only when there is one.
std::string CaptionHead(const std::string& Name)
{
    return "Document Links  -  " + telmvar.ProgramTitle + (Name.empty() ? "" : "  -  ");
}

} // namespace

TForm_confDoku::TForm_confDoku()
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help Text";
    for (int n = 1; n <= DocLinkCount; ++n) {
        const std::string k = std::to_string(n);
        auto& lp = Control("Label_prog" + k);
        lp.Caption = "Program " + k;
        lp.HintNumber = 2710;
        auto& lf = Control("Label_file" + k);
        lf.Caption = "File " + k;
        lf.HintNumber = 2720;
        if (graphservices.ReadHelpHint) {
            lp.Hint = graphservices.ReadHelpHint(2710);
            lf.Hint = graphservices.ReadHelpHint(2720);
        }
        TDocLink& l = documentation.DocLinkPrograms[n];
        Bind(Prog(n), TFieldKind::FileName, &l.DocLinkProgram);
        Bind(File(n), TFieldKind::FileName, &l.DocLinkFile);
        Control("Button_browseprog" + k).Caption = "...";
        Control("Button_browsefile" + k).Caption = "...";
        Control("Button" + k).Caption = "Exec Prog";
        Control("Button" + k + "f").Caption = "Exec File";
    }
    LoadFields();
}

// The project named as the main window's title names it (with its
// extension), not as ProjectName holds it: after a save that is the bare
// name.
std::string TForm_confDoku::Caption() const
{
    const NamedCaption c = *CaptionWithFileName();
    return c.Before + OemToAnsiText(FileNameToOem(c.FileName)) + c.After;
}

std::optional<platform::DialogModel::NamedCaption> TForm_confDoku::CaptionWithFileName() const
{
    const std::string name = ProjectTitleName();
    return NamedCaption{CaptionHead(name), name, ""};
}

void TForm_confDoku::Browse(const std::string& Edit, bool Program)
{
    platform::FileDialogRequest r;
    r.Kind = platform::FileDialogKind::Open;
    // Programs here carry no ".exe": all files are offered beside it.
    r.Filter = Program ? "*.exe|*.exe|*.*|*" : "*.*|*";
    const std::string current = Control(Edit).Text;
    const std::filesystem::path p(current);
    r.InitialDir = current.empty() ? std::string() : p.parent_path().string();
    const std::optional<std::string> chosen = platform::CurrentPlatform().Files().Run(r);
    if (!chosen) {
        telmvar.Aborted = true;
        return;
    }
    Control(Edit).Text = *chosen;
    Touch();
}

void TForm_confDoku::ExecProgram(int N)
{
    const std::string program = Control(Prog(N)).Text;
    const std::string file = Control(File(N)).Text;
    std::vector<std::string> args;
    if (!file.empty()) args.push_back(file);
    ShowLaunchFailure("Program " + FileNameToOem(program),
                      platform::CurrentPlatform().Launch().StartProgram(program, args));
}

void TForm_confDoku::ExecFile(int N)
{
    const std::string file = Control(File(N)).Text;
    ShowLaunchFailure("File " + FileNameToOem(file), platform::CurrentPlatform().Launch().OpenDocument(file));
}

platform::DialogAction TForm_confDoku::Press(const std::string& Name)
{
    for (int n = 1; n <= DocLinkCount; ++n) {
        const std::string k = std::to_string(n);
        if (Name == "Button" + k) {
            ExecProgram(n);
            return platform::DialogAction::None;
        }
        if (Name == "Button" + k + "f") {
            ExecFile(n);
            return platform::DialogAction::None;
        }
        if (Name == "Button_browseprog" + k || Name == "Button_browsefile" + k) {
            const bool program = Name == "Button_browseprog" + k;
            Browse(program ? Prog(n) : File(n), program);
            return platform::DialogAction::None;
        }
    }
    if (const auto shared = SheetFormButton(Name, 2730)) return *shared;
    if (Name != "Button_ok") return platform::DialogAction::None;
    // The project file holds one name a line: a name with a line break is
    // refused here, where it can still be changed.
    for (int n = 1; n <= DocLinkCount; ++n)
        for (const auto& [edit, what] : {std::pair{Prog(n), "Program "}, std::pair{File(n), "File "}})
            if (HoldsLineBreak(Control(edit).Text)) {
                if (reportservices.ShowMessageBox)
                    reportservices.ShowMessageBox(what + std::to_string(n) +
                                                  ": a line break cannot be stored in the project file");
                return platform::DialogAction::None;
            }
    telmvar.Aborted = false;
    StoreFields();
    return platform::DialogAction::Accept;
}

void ShowDocumentLinks(int /*Mode*/)
{
    TForm_confDoku form;
    // A dialog closed without its buttons (a batch run, the window's close
    // box) counts as cancelled.
    if (platform::CurrentPlatform().Dialogs().RunModal(form) != platform::DialogResult::Ok)
        telmvar.Aborted = true;
}
