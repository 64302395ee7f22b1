#pragma once
// The result window of the screen device: the converted report "outwin.txt"
// in a fixed-pitch font, with print, export to the text editor, select all
// and copy. This is the window's logic; the Qt form only binds it.

#include "reports/textview/fontstyle.h"

#include <string>

class TShowTextFileModel
{
  public:
    // Takes the place of the last window when one was stored; menu captions
    // of the current language (English until the shell sets others).
    TShowTextFileModel();

    // Menu captions: bytes of the code page MenuCodePage.
    std::string MenuFile;
    std::string MenuExportNotepad = "Export &Notepad";
    std::string MenuPrint;
    std::string MenuExit;
    std::string MenuEdit;
    std::string MenuSelectAll;
    std::string MenuCopy;
    int MenuCodePage = 1252;

    // Window place: used when UseStoredRect is set.
    bool UseStoredRect = false;
    int Left = 0, Top = 0, Width = 0, Height = 0;

    // The report's own temporary file, printed by the print command.
    std::string PrintFileName;

    // Show: TempDir + "outwin.txt" loaded (display code page bytes); false,
    // with the message "<name> not found !", when it cannot be read (the
    // window then stays empty).
    bool Show();
    const std::string& ShownFileName() const { return shownFileName_; }
    const std::string& Caption() const { return caption_; }
    // The window text, display code page (Windows-1252) bytes.
    const std::string& Text() const { return text_; }
    std::string FontName() const;
    int FontSize() const;
    TFontStyles FontStyle() const;

    // Close: the window's place is kept for the next window.
    void Close(int NewLeft, int NewTop, int NewWidth, int NewHeight);
    // Print command: the report file page by page.
    void Print();
    // Opens the shown file in the desktop's text editor.
    void ExportNotepad();
    // Copies the selected text (display code page) to the clipboard.
    void Copy(const std::string& Selection);

  private:
    std::string shownFileName_;
    std::string caption_;
    std::string text_;
};
