#pragma once
// The calculation options: TForm_qyr5con2 for the dimension calculation
// (measuring data, tolerance standard, warnings) and TForm_qyr5con3 for the
// strength calculation (method, application factors from the load
// spectrum, profile shift of the tooth form factors, detailed printout,
// misalignment input, life factors). Neither calculates; the caller does
// after OK.

#include "dialogs/stagedialog.h"

#include <string>

class TForm_qyr5con2 final : public TStageDialogModel
{
  public:
    TForm_qyr5con2();
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
};

class TForm_qyr5con3 final : public TStageDialogModel
{
  public:
    TForm_qyr5con3();
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;
    // FormActivate: every field from the records again, then the rules.
    void Activate();
    void UpdateEnabling();
    // Whether there is a load spectrum to take KAH and KAF from.
    static bool HasLoadSpectrum();
};
