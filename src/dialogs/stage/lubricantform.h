#pragma once
// The lubricant of the gear pair (TForm_qyr1visk): name, nominal
// viscosities at 40, 50 and 100 deg C, density at 15 deg C and the oil
// working temperature, with buttons that derive one viscosity from another
// and a line that shows the viscosity at the working temperature.

#include "dialogs/stagedialog.h"
#include "gearpair/viscosity.h"

class TForm_qyr1visk final : public TStageDialogModel
{
  public:
    TForm_qyr1visk();

    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

  private:
    void WorkingViscosity();
};
