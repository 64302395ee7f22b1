#pragma once
// The drawing texts (TForm_qyr7text): drawing name, number and second name
// line of the gear unit and of S, Pi, Pe and H, and the three comment lines
// under the report header. Stored in the DOS code page, shown in the
// display code page.

#include "dialogs/stagedialog.h"

class TForm_qyr7text final : public TStageDialogModel
{
  public:
    TForm_qyr7text();

    // The caption is the program name alone.
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;

    // The longest text each column takes (the edits' limits).
    static constexpr std::size_t NameLength = 25;
    static constexpr std::size_t NumberLength = 18;
    static constexpr std::size_t Name2Length = 30;
    static constexpr std::size_t RemarkLength = 65;
    // The limit of an edit of this form, 0 for a name that is none.
    static std::size_t MaxLength(const std::string& Control);
};
