#pragma once
// Face widths and end chamfers of the four gears (TForm_qyr7beff), opened
// from the dimensions dialog with "b eff". The centre offsets of the meshes
// are carried on hidden edits and pass through unchanged. OK stores the
// fields and the effective face widths of the three meshes worked out from
// them; no stage calculation runs. Nothing is written before OK: Cancel
// leaves the records as they were.

#include "dialogs/stagedialog.h"

class TForm_qyr7beff final : public TStageDialogModel
{
  public:
    TForm_qyr7beff();

    platform::DialogAction Press(const std::string& Name) override;

  private:
    void AfterLoadFields();
};
