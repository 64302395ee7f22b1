#pragma once
// The diagram limits dialog: the user's x and y limits of the diagram about
// to be drawn. The edits stand around a picture of the plot area (y max at
// its upper left, y min at its lower left, x min and x max under its ends);
// they open with the limits entered last, "Calculate" puts the automatic
// limits in, OK stores the four into diagramstate.DiagLimits, Cancel sets
// Aborted (the diagram then keeps its automatic limits).
//
// The diagram frame asks for it through graphservices.EnterDiagramLimits,
// which the application points at RunDiagramLimitsDialog.

#include "foundation/formmodel.h"
#include "foundation/types.h"

#include <string>

class TEinDiagramLimits final : public TFormModel
{
  public:
    // The form's creation: captions, and the edits from DiagLimits.
    TEinDiagramLimits();

    std::string FormName() const override { return "TEinDiagramLimits"; }
    std::string Caption() const override { return caption_; }
    // Texts held in the DOS code page; shown through DisplayText.
    void SetTitle(const std::string& Title);
    void SetAxisLabels(const std::string& XLabel, const std::string& YLabel);

    // The automatic limits for "Calculate": exponents on a logarithmic axis.
    void SetAutoLimits(Extended XMin, Extended YMin, Extended XMax, Extended YMax);

    // Button_ok, Button_cancel (and Escape), Button_calc, Button_help.
    platform::DialogAction Press(const std::string& Name) override;

  protected:
    void InputRefused(const std::string& Text) override;

  private:
    bool Store();
    Extended autoLimits_[4] = {0, 0, 1, 1}; // x min, y min, x max, y max
    Extended limits_[4] = {};               // the edits' values, stored on OK
    std::string caption_;
};

// Help entry of the dialog's help button.
constexpr uint16_t DiagramLimitsHelpNumber = 1950;

// Shows the dialog over the automatic limits; Cancel (or a batch run) sets
// Aborted and leaves DiagLimits as it was.
void RunDiagramLimitsDialog(const std::string& XLabel, const std::string& YLabel, const std::string& Title,
                            Extended XLo, Extended YLo, Extended XHi, Extended YHi);
