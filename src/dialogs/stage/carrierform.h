#pragma once
// The planet carrier (TForm_qyr7carr): shaft diameters of the sun and of the
// two planets, carrier height, carrier form and, for forms 1 and 2, the
// coupling shaft. Fields still 0 get their defaults from the gear data when
// the form opens; each length has a "<" proposal.

#include "dialogs/stagedialog.h"

class TForm_qyr7carr final : public TStageDialogModel
{
  public:
    // FormCreate and FormShow: defaults written into the records, then the
    // fields loaded and the visibility set.
    TForm_qyr7carr();

    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // 0-based index of the carrier form chosen (-1 for none).
    int FormIndex() const;

  private:
    void AfterLoadFields();
    void Visibility();
    void Propose(const std::string& Edit, Extended Millimetres);
};

// The opening defaults of the carrier fields that are 0, from the gear data.
void SetCarrierDefaults();
