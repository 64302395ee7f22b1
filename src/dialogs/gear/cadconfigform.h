#pragma once
// The short settings asked before one gear of the stage goes out as CAD or
// STL (TForm_qyrconf): involute resolution, polyline output, the profile
// shift drawn, diameters, root trochoid, bore and, for a ring gear whose
// rim leaves room for them, a circle of fixing holes. Works on gear
// GearIndex (1 or 2) of the loaded pair.

#include "dialogs/stagedialog.h"

#include <string>

class TForm_qyrconf final : public TStageDialogModel
{
  public:
    explicit TForm_qyrconf(int GearIndex);

    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // The bolt-circle box only for an internal gear whose bore lies beyond
    // its root circle by more than two modules; the group only while the
    // box is shown and ticked.
    void UpdateBoltCircleVisibility();

    int GearIndex() const { return gear_; }

  private:
    bool StoreAll();
    int gear_;
    std::string loadedXe_;
};

// Number of fixing holes proposed for a ring gear of Z teeth: four per
// twenty teeth, at least eight.
int ProposedBoltCount(int Z);

// The CAD settings of gear Gear (1 or 2) of the loaded pair, asked before it
// is drawn; "draw diameters ?" starts unticked. True on OK.
bool ShowCadGearConfigDialog(int Gear);
