#pragma once
// The document links of a project (TForm_confDoku): five pairs of a
// program and a file, each started from the form. "Exec Prog" starts the
// program with the file as its one argument (no shell, no argument when
// the file field is empty); "Exec File" opens the file with the desktop's
// program for it. Both use the texts in the edits, confirmed or not, and
// say so when the start failed: the default programs ("notepad.exe" ...)
// are the names project files carry and exist on few desktops.
//
// The pairs are names as the file system has them (a program may also be
// a name looked up on the path), stored without code-page conversion.

#include "foundation/formmodel.h"

#include <string>

class TForm_confDoku final : public TFormModel
{
  public:
    TForm_confDoku();

    std::string FormName() const override { return "TForm_confDoku"; }
    std::string Caption() const override;
    // The project's name in the caption is shown whole.
    std::optional<NamedCaption> CaptionWithFileName() const override;
    platform::DialogAction Press(const std::string& Name) override;

  private:
    void Browse(const std::string& Edit, bool Program);
    void ExecProgram(int N);
    void ExecFile(int N);
};

// Runs the document links modally; Cancel sets Aborted and keeps the
// stored pairs. Mode is the menu's argument and has no further meaning.
void ShowDocumentLinks(int Mode = 0);
