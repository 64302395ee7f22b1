#pragma once
// The colour number picker of the settings dialog's layer and colour grids:
// a list of the 16 colour numbers the drawings use.

#include "platform/dialoghost.h"

#include <string>
#include <vector>

// The colour number picker (TForm_selectcolor): 16 lines "n (name)".
class TForm_selectcolor final : public platform::DialogModel
{
  public:
    TForm_selectcolor();
    std::string FormName() const override { return "TForm_selectcolor"; }
    std::string Caption() const override { return "Colour"; }
    platform::DialogAction Press(const std::string& Name) override;
    // The chosen colour number 1..16 (from the list's line).
    int Chosen() const;
    void Preselect(int Number);
    static const std::vector<std::string>& Lines();
};

// Picks a colour number starting at Number; Number unchanged on Cancel
// (Aborted is cleared again). True when one was chosen.
bool SelectColourNumber(int& Number);

// The colour number drawn with entry K (0..15) of the colour table, the
// one colour panel K of the settings dialog shows.
int ColourNumberOfEntry(int K);
