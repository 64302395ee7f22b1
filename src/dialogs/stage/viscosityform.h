#pragma once
// The viscosity converter (TForm_viskot): a viscosity given at 50 deg C, at
// 40 deg C or at any temperature, shown at the other two, and handed back
// to the calling dialog as the value at 50 deg C.
//
// The caller's protocol: choose "nue 50", put its own viscosity at 50 deg C
// into Edit_visko50, show the form; after OK (Aborted 0) take the text of
// Edit_visko50 into its own edit. AskViscosityAt50 does all of it.

#include "foundation/types.h"
#include "platform/dialoghost.h"

#include <cstdint>
#include <string>

// The converter's help entry.
inline constexpr uint16_t ViscosityConverterHelp = 9165;

class TForm_viskot final : public platform::DialogModel
{
  public:
    // FormCreate: captions, "nue 50" chosen, 100 at 50 deg C, t = 0.
    TForm_viskot();

    std::string FormName() const override { return "TForm_viskot"; }
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // FormShow: the first conversion.
    void FormShow();
    // Which value is given: 0 nue 50, 1 nue 40, 2 nue at t.
    int Given() const;
    void SetGiven(int Index);
    // The viscosity at 50 deg C of the current conversion (0 before one).
    Extended Nu50 = 0;

  private:
    void Convert();
    void Show(const char* Edit, Extended Nu);
};

// Runs the converter for a caller whose viscosity at 50 deg C shows as
// Nu50Text; after OK the text holds the value at 50 deg C and the result is
// true. Aborted is clear afterwards either way.
bool AskViscosityAt50(std::string& Nu50Text);
