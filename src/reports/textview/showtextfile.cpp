#include "reports/textview/showtextfile.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "reports/engine/launchfailure.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"

#include <fstream>
#include <sstream>

TShowTextFileModel::TShowTextFileModel()
{
    const TWindowMenuTexts m =
        reportservices.WindowMenuTexts ? reportservices.WindowMenuTexts() : TWindowMenuTexts{};
    MenuFile = m.File;
    MenuPrint = m.Print;
    MenuExit = m.Exit;
    MenuEdit = m.Edit;
    MenuSelectAll = m.SelectAll;
    MenuCopy = m.Copy;
    MenuCodePage = m.CodePage;
    const TPrintSettings& P = printsettings;
    if (P.TextWindowRect[2] > 0 && P.TextWindowRect[3] > 0) {
        UseStoredRect = true;
        Left = P.TextWindowRect[0];
        Top = P.TextWindowRect[1];
        Width = P.TextWindowRect[2];
        Height = P.TextWindowRect[3];
    }
}

bool TShowTextFileModel::Show()
{
    shownFileName_ = AddTrailingBackslash(telmvar.TempDir) + "outwin.txt";
    caption_ = telmvar.ProgramName + "    " + DisplayText(FileNameToOem(shownFileName_));
    text_.clear();
    std::ifstream in(shownFileName_, std::ios::binary);
    if (!in) {
        reportservices.ShowMessageBox(FileNameToOem(shownFileName_) + " not found !");
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text_ = s.str();
    return true;
}

std::string TShowTextFileModel::FontName() const
{
    return printsettings.PrintFontName;
}
int TShowTextFileModel::FontSize() const
{
    return printsettings.PrintFontSize;
}
TFontStyles TShowTextFileModel::FontStyle() const
{
    return CodeToFontStyle(printsettings.PrintFontStyle, {});
}

void TShowTextFileModel::Close(int NewLeft, int NewTop, int NewWidth, int NewHeight)
{
    printsettings.TextWindowRect[0] = NewLeft;
    printsettings.TextWindowRect[1] = NewTop;
    printsettings.TextWindowRect[2] = NewWidth;
    printsettings.TextWindowRect[3] = NewHeight;
}

void TShowTextFileModel::Print()
{
    // A command of its own: a printout of this window that failed before
    // (and set Aborted) does not stop this one.
    telmvar.Aborted = false;
    reportservices.PrintTextFile(PrintFileName);
}

void TShowTextFileModel::ExportNotepad()
{
    shownFileName_ = AddTrailingBackslash(telmvar.TempDir) + "outwin.txt";
    // Where no program opens the text (no desktop opener installed), the
    // user is told why rather than left with a menu item that does nothing.
    ShowLaunchFailure("File " + FileNameToOem(shownFileName_), reportservices.Launch("", {shownFileName_}));
}

void TShowTextFileModel::Copy(const std::string& Selection)
{
    reportservices.CopyToClipboard(Selection);
}
