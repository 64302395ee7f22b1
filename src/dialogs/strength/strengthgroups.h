#pragma once
// The groups of the strength inputs, each one model that the full strength
// dialog and the two compact dialogs share: the per-gear group (blank
// inside diameter, tooth contacts, load reversals, roughness, life
// factors), the lubricant and factor group (viscosity, application
// factors, mesh load factor, double helical gearing), the method choice,
// and the per-mesh group (misalignments, pinion-shaft bearing, shaft
// diameters, flank modifications, grinding notch).
//
// A group binds its controls to the stage records on the form's model, so
// the model's rules hold for them too: a text left as shown keeps its value
// exactly, a text that is no number stores nothing. A group's own settings
// (radio index, combo choices, the notch flag, the life factors stored only
// when they are entered) are loaded and stored by the group.

#include "dialogs/stagedialog.h"

#include <string>

// The texts of the method choice and the names of mesh columns.
std::string MethodName(int CalcMethod);  // "" outside 1..4
extern const char* const MeshLetters[4]; // "", "s", "p", "h"

class TStrengthGroup
{
  public:
    explicit TStrengthGroup(TStageDialogModel& Model) : m_(Model) {}
    virtual ~TStrengthGroup() = default;
    // Before the model's LoadFields.
    virtual void BeforeLoad() {}
    virtual void AfterLoad() {}
    virtual void AfterStore() {}
    // A button of the group: true when the group handled it; Action is then
    // the form's answer.
    virtual bool Press(const std::string& Name, platform::DialogAction& Action)
    {
        (void)Name;
        (void)Action;
        return false;
    }
    // A change of a check mark or choice; runs the group's rules.
    virtual void Changed(const std::string& Name) { (void)Name; }
    // The visibility and enabling rules.
    virtual void Update() {}

  protected:
    TStageDialogModel& m_;
    void Caption(const std::string& Control, const std::string& Text);
    // "?": help picture N, the form comes to the front again; StoreFirst
    // stores the fields before (nothing more happens when that is refused).
    platform::DialogAction HelpPicture(uint16_t N, bool StoreFirst);
};

// Per-gear group GroupBox1.
class TGearStrengthGroup final : public TStrengthGroup
{
  public:
    // Compact: the dialog 1 of the compact sequence ("<" of Di leaves S).
    TGearStrengthGroup(TStageDialogModel& Model, bool Compact);
    void BeforeLoad() override;
    void AfterLoad() override;
    void AfterStore() override;
    bool Press(const std::string& Name, platform::DialogAction& Action) override;
    void Changed(const std::string& Name) override;
    void Update() override;
    // Rule 1: the ZNT and YNT rows follow the life radio group.
    void UpdateLifeFactorFields();

  private:
    bool compact_;
    // The life factors are stored only when they are entered; the edits
    // show these copies.
    TArray<Extended, 1, 4> znt_{}, ynt_{};
};

// Lubricant and factor group GroupBox2 with "Double helical gearing".
class TLubricantStrengthGroup final : public TStrengthGroup
{
  public:
    TLubricantStrengthGroup(TStageDialogModel& Model, bool Compact);
    bool Press(const std::string& Name, platform::DialogAction& Action) override;
};

// The method combo box of the full dialog.
class TMethodGroup final : public TStrengthGroup
{
  public:
    explicit TMethodGroup(TStageDialogModel& Model);
    void AfterLoad() override;
    void AfterStore() override;
    // Item index of the combo box, -1 for none.
    int Index() const;
};

// Per-mesh group GroupBox_fs2.
class TMeshStrengthGroup final : public TStrengthGroup
{
  public:
    TMeshStrengthGroup(TStageDialogModel& Model, bool Compact);
    void BeforeLoad() override;
    void AfterLoad() override;
    void AfterStore() override;
    bool Press(const std::string& Name, platform::DialogAction& Action) override;
    void Changed(const std::string& Name) override;
    void Update() override;
    // Rules 2 to 4: notch, fsh, fma.
    void UpdateInputEnabling();

  private:
    bool compact_;
    bool notch_ = false;
};
