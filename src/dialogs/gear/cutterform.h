#pragma once
// The pinion (shaper) cutter of the ring gear (TForm_qyr1schn): its number
// of teeth z0 and profile shift coefficient x0, each with a proposal from
// the stored ring. Opened from the tool dialog; OK stores, nothing else.

#include "dialogs/stagedialog.h"

class TForm_qyr1schn final : public TStageDialogModel
{
  public:
    TForm_qyr1schn();

    platform::DialogAction Press(const std::string& Name) override;
};

// Opens the pinion cutter dialog; true on OK.
bool ShowPinionCutterDialog();
