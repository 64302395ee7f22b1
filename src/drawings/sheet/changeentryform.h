#pragma once
// The dialog of one change of the protocol (TForm_EinAend): its short
// text, date, responsible person and description. Texts are shown in the
// display code page and stored in the DOS code page; the date is shown
// through code page 437 and stored as typed.
// The description's line breaks are CR LF, as the memo of the form holds
// them.

#include "foundation/formmodel.h"

#include <cstddef>
#include <string>

// Most characters a change's description holds as stored, a line break
// counting two (CR LF): one below the 255 at which a stored text can no
// longer be converted and would be saved empty.
inline constexpr int MaxDescriptionLength = 254;

class TForm_EinAend final : public TFormModel
{
  public:
    // The dialog of change N (1..25).
    explicit TForm_EinAend(int N);

    std::string FormName() const override { return "TForm_EinAend"; }
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // The longest text each edit takes, 0 for a name that is none.
    static std::size_t MaxLength(const std::string& Control);
    // Text with every line break as CR LF, cut so that it stores in at most
    // MaxDescriptionLength characters without splitting a line break.
    static std::string LimitDescription(const std::string& Text);

  private:
    int n_;
};
