#pragma once
// Accuracy data of the stage (TForm_qyr7qual): per gear the gear quality,
// the tooth thickness tolerance and upper allowance series (or allowances
// typed in), the machining allowance q with its tolerance and a tooth
// correction note; per mesh the centre distance tolerance field (or
// allowances typed in). Allowances chosen from a series are looked up from
// the tables at once. All allowances are in mm in every unit system; the
// inch system, whose other dialogs show inches, says "mm" beside them.

#include "dialogs/stagedialog.h"

class TForm_qyr7qual final : public TStageDialogModel
{
  public:
    TForm_qyr7qual();

    platform::DialogAction Press(const std::string& Name) override;

    // Looks up the allowances of every gear and mesh whose list names a
    // series or field; enables the edits of those entered by hand.
    void UpdateAllowances();

    // The items of the gear quality list under the current standard.
    static int QualityCount();

  private:
    void AfterLoadFields();
    void AfterStoreFields();
    void CopyGearS(int g);
    void ProposeMachiningAllowance(int g);
};

// Opens the quality dialog; true on OK.
bool ShowGearQualityDialog();
