#pragma once
// A framed table of text cells drawn into the current CAD drawing (gear
// data, production data, error messages), the same on the screen and in
// every CAD file. The table is opened at its top left corner with a text
// height h and up to seven column widths in characters; every row added is
// drawn at once below the previous one, 2 h high. Frame lines go to layer
// 17, texts to layer 18.
//
//   TCadTable t;
//   t.Init(x0, y0, 2.5, {20, 10}, {"quantity", "value"});
//   t.AddTextRow("module", "2.5");
//   t.Done();

#include "foundation/types.h"

#include <initializer_list>
#include <string>

class TCadTable
{
  public:
    static constexpr int FrameLayer = 17;
    static constexpr int TextLayer = 18;

    TCadTable() = default;
    virtual ~TCadTable() = default;

    // Opens the table at (X0, Y0): widths 1..7 in characters (missing ones
    // 0; the first zero width ends the table) and the headings. With all
    // headings empty the heading row is not written and the first row is
    // drawn into it.
    void Init(Extended X0, Extended Y0, Extended H, std::initializer_list<Extended> Widths,
              std::initializer_list<std::string> Headings);
    // Mode 1: the first column lies left of X0 and is not drawn; the table
    // starts with the second column at X0. Other modes are Init.
    void InitEx(int Mode, Extended X0, Extended Y0, Extended H, std::initializer_list<Extended> Widths,
                std::initializer_list<std::string> Headings);

    void AddRow(const std::string& C1, const std::string& C2 = "", const std::string& C3 = "",
                const std::string& C4 = "", const std::string& C5 = "", const std::string& C6 = "",
                const std::string& C7 = "");
    void AddLabelRow(const std::string& C1) { AddRow(C1); }
    void AddTextRow(const std::string& C1, const std::string& C2) { AddRow(C1, C2); }
    void AddRowFirstLast(const std::string& C1, const std::string& C2, const std::string& C3)
    {
        AddRow(C1, C2, C3);
    }
    void AddFormulaRow(const std::string& C1, const std::string& C2, const std::string& C3,
                       const std::string& C4)
    {
        AddRow(C1, C2, C3, C4);
    }
    // "X" for a flag "J", "j", "Y" or "y", else "-".
    void AddFlagRow(const std::string& C1, char Flag);
    // A value that may run into the next column: no separator between
    // columns 2 and 3, the text starting half way into column 2.
    void AddValueRow(const std::string& C1, const std::string& C2);
    // The same for the third column: no separator between columns 3 and 4.
    void AddValueUnitRow(const std::string& C1, const std::string& C2, const std::string& C3);
    // Text style 2, angle 0, the table's text height and Width.
    void ApplyTextStyle(Extended Width);
    void Done() {}

    // Column positions 1..8: x[k + 1] = x[k] + width k × h × 0.9.
    TArray<Extended, 1, 8> x{};
    Extended Top = 0;
    // Bottom line and text baseline of the row drawn next.
    Extended Bottom = 0;
    Extended TextBase = 0;
    Extended H = 0;
    // Character width of the cells (0.75 h unless ApplyTextStyle set one).
    Extended TextWidth = 0;
    Extended Pitch = 0;
    // Headings, then the texts of the row last drawn.
    TArray<std::string, 1, 7> Cells;
    // The table uses positions First..N (cells First..N - 1).
    int N = 1;
    int First = 1;
    int Mode = 0;
    bool DrawRowLines = true;
    bool DrawColumnLines = true;

  private:
    // One row from Cells; Skip is a separator position left out (0 none),
    // Shifted a cell whose text starts half way into its column.
    void DrawRow(int Skip, int Shifted);
};

// The collected messages as a table headed "error messages" at (X0, Y0),
// one column Limit characters wide (0: 31). With more than one message the
// text height shrinks so that the table fits into AvailableHeight (when
// that is above 0.1). Nothing is drawn without messages.
void WriteErrorMessageTable(int Limit, Extended X0, Extended Y0, Extended H, Extended AvailableHeight);
