#pragma once
// The drawing information (TForm_zeichInfo): the signature rows of the
// title block, the replacement references, the three ISO 7200 fields and
// the free texts of the sheet with the sheet sizes they appear on. The
// layout follows the configured title block: DIN 6771 with four signature
// rows and date buttons, ISO 7200 with three rows and the ISO fields.
//
// Grid cells are controls named grid + "_" + column + "_" + row, row 0
// the head and column 0 the row labels, as the form's cells are laid out.

#include "foundation/formmodel.h"

#include <array>
#include <string>

class TForm_zeichInfo final : public TFormModel
{
  public:
    TForm_zeichInfo();

    std::string FormName() const override { return "TForm_zeichInfo"; }
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    static std::string Cell(const std::string& Grid, int Column, int Row);
    // The sheet-size choices of the free texts, item 0..3.
    static const char* const TextModeItems[4];

  private:
    void Store();
    int SignatureRows() const { return iso_ ? 3 : 4; }
    static std::array<std::string*, 4> SignatureDates();
    bool iso_;
};

// Runs the drawing information modally; Cancel sets Aborted.
void ShowDrawingInfo();
