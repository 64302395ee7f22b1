#pragma once
// The operating data of a planet bearing (TForm_vq1waelz, "OPERATION
// DATA"): minimum radial load, speed (shown only), temperature, oil
// viscosity at 40 °C, the life factor mode with a23 or aISO, contamination
// level or eC, reliability and EP additives.
//
// The model edits a copy of the bearing record; only OK writes it into
// PlanetBearings[n], so Cancel, the unit switch and the two "<" buttons
// (which calculate a23 or aISO on that copy) leave the project untouched.
// A text the user did not change is not read back, so a value keeps every
// digit the edit did not show; a changed text that is no number stores
// nothing and is refused with a message.

#include "foundation/formmodel.h"
#include "foundation/types.h"
#include "planetary/bearings/bearingdialogservices.h"
#include "planetary/bearings/planetbearing.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TForm_vq1waelz final : public TFormModel
{
  public:
    // Bearing n (1 Pi, 2 Pe) with its current record.
    explicit TForm_vq1waelz(int n);

    std::string FormName() const override { return "TForm_vq1waelz"; }
    std::string Caption() const override { return "OPERATION DATA"; }

    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // Shows the working record in the current unit system.
    void Load();
    // Working record from the controls; false (nothing stored, message
    // shown) when a changed number text does not convert.
    bool Store();
    // The record the dialog works on; OK writes it to PlanetBearings[n].
    const WaelzLagerTyp& Record() const { return work_; }
    // True once OK stored the record.
    bool Accepted() const { return accepted_; }

    // The 14 items of the reliability list, "90%       L10m       a1 = 1" ...
    static std::vector<std::string> ReliabilityItems();

    static constexpr int ModeCount = 4;
    static constexpr int ContaminationCount = 8;

  protected:
    void InputRefused(const std::string& Text) override;
    // A number field takes what the bearing block of the project file can
    // hold (a negative load, -500 degrees F or a viscosity of 1e7 would make
    // Save refuse the project); a number outside is refused here, with the
    // range in the unit the field shows.
    const TFieldRange* RangeOf(const TFieldBinding& B) override;
    void RangeRefused(const TFieldBinding& B, const std::string& Text, const TFieldRange& R) override;

  private:
    // The units, the speed and the entered eC, beside the bound fields.
    void LoadUnbound();
    void StoreEc();
    void ApplyModeRules();
    void ApplyContaminationRules();
    // a23 (Mode 1) or aISO (Mode 3) of the working record, calculated on a
    // copy placed in PlanetBearings[n] for the call and taken out again.
    Extended CalcFactor(int Mode, int Config);

    int n_;
    WaelzLagerTyp work_;
    const std::vector<std::string> modeItems_, contaminationItems_, reliabilityItems_;
    std::string enteredEc_; // Edit_ec while a level other than "input ec .." is chosen
    std::string loadedEc_;  // enteredEc_ as shown
    TFieldRange range_;     // the last one RangeOf gave
    bool accepted_ = false;
};
