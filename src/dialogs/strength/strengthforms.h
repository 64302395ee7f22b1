#pragma once
// The strength input dialogs: the full dialog TForm_qyr7fs0 with the method
// choice and every group on one window, and the two compact dialogs of the
// strength input sequence, TForm_qyr7fs1 (per-gear and lubricant groups)
// and TForm_qyr7fs2 (per-mesh group). All three are built from the same
// group models, so a field behaves alike wherever it is shown.

#include "dialogs/strength/strengthgroups.h"

#include <memory>
#include <vector>

class TStrengthFormBase : public TStageDialogModel
{
  public:
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;
    // Controls from the records, each group's own settings included.
    void Reload();
    // FormActivate: the visibility and enabling rules.
    virtual void Activate();

  protected:
    TStrengthFormBase(std::string Form, std::string Title);
    template <class G, class... A> G& Add(A&&... Args)
    {
        auto g = std::make_unique<G>(*this, std::forward<A>(Args)...);
        G& ref = *g;
        groups_.push_back(std::move(g));
        return ref;
    }
    void Finish();

  private:
    std::vector<std::unique_ptr<TStrengthGroup>> groups_;
};

// The full strength dialog (design size 998 x 689).
class TForm_qyr7fs0 final : public TStrengthFormBase
{
  public:
    TForm_qyr7fs0();
    std::string Caption() const override;
    void Changed(const std::string& Name) override;
    void Activate() override;
    // Rule 5: which groups the chosen method needs.
    void UpdateMethodGroups();

  private:
    TMethodGroup* method_ = nullptr;
};

// Compact dialog 1: per-gear data, lubricant and factors (614 x 502).
class TForm_qyr7fs1 final : public TStrengthFormBase
{
  public:
    TForm_qyr7fs1();
    std::string Caption() const override;
};

// Compact dialog 2: the per-mesh inputs (947 x 477).
class TForm_qyr7fs2 final : public TStrengthFormBase
{
  public:
    TForm_qyr7fs2();
    std::string Caption() const override;
};
