#pragma once
// The binding every form model shares: a form lists its fields once
// (control name, kind, variable); the same list loads the controls from the
// records (LoadFields) and stores them back (StoreFields), so the two
// cannot drift apart. Numbers are shown and read with the program's number
// routines in the current unit system.
//
// Rules that protect the user's data:
// - A text the user did not change is not read back: the variable keeps its
//   value bit for bit (a viscosity of 123.456 shown as "123.5" stays
//   123.456 after OK, Calc or the unit switch).
// - A changed text that is not a number stores nothing at all: the form
//   refuses the text (InputRefused) and stays open.
// - A field left empty (or holding only blanks) stands for 0, and the
//   form's own rule for 0 applies; the user cleared it on purpose.
//
// A choice (a radio group or a combo box) is bound the same way: item i of
// its list stands for the value First + i; a group whose buttons the user
// left as they were keeps its value, even one outside the list.

#include "foundation/types.h"
#include "platform/dialoghost.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

enum class TFieldKind {
    Length,       // mm, shown in mm or inch
    Length6,      // mm, shown with 6 significant digits in mm or 5 decimals in inch
    MicroLength,  // um, shown in um or microinch
    Force,        // N, shown in the force unit
    Stress,       // MPa, shown in the stress unit
    Torque,       // Nm, shown in the torque unit
    Temperature,  // degrees C, shown in C or F
    Sig3,         // a plain real with 3 significant digits
    Sig6,         // a plain real with 6 significant digits
    Integer,      // a 32- or 16-bit integer
    WholeNumber,  // an integer typed as any number (12.0 and 1.2E1 are 12)
    YesNoChar,    // 'J' or 'N' as a check box
    Boolean,      // a flag as a check box
    Text,         // a stored text (DOS code page)
    RawText,      // a text stored as shown (dates, numbers kept as typed, font names)
    Date,         // a date held in code page 437, shown through that code page; typed, stored converted
    TypedDate,    // a date held in code page 437, shown through that code page; typed, stored as typed
    FileName,     // a file or directory name as the file system has it (its control is marked)
    Degrees,      // an angle in radians, shown in degrees (3 significant digits)
    ClearedCheck, // a flag as a check box that is ticked when the flag is off
    Radio,        // a choice as the radio buttons Control_0, Control_1, ...
    Combo,        // a choice as the item a combo box shows
};

using TFieldTarget = std::variant<Extended*, double*, int32_t*, uint16_t*, char*, bool*, std::string*>;

struct TFieldBinding {
    std::string Control;
    TFieldKind Kind;
    TFieldTarget Target;
    // Radio and Combo: the items in order, and the value of the first.
    const std::vector<std::string>* Items = nullptr;
    int First = 0;
};

// The values a number field may store, in the variable's own unit. A
// changed text whose value lies outside is refused like a text that is no
// number; an untouched one is not read and so not checked.
struct TFieldRange {
    Extended Lo = 0, Hi = 0;
    // Either 0 or at least Least in magnitude (0 when there is no such gap).
    Extended Least = 0;
    // The range holds for the magnitude: the sign is the form's or the
    // calculation's to turn.
    bool Magnitude = false;
    // 0 stands for the form's default, which it puts in place of it.
    bool ZeroIsDefault = false;
    // Every value at or below 0 is taken: the form puts its default in its
    // place, or leaves it to the calculation to report.
    bool NonPositiveTaken = false;

    bool Holds(Extended X) const;
};

// The number an edit holds as typed (blanks around it ignored).
Extended Typed(const platform::DialogControl& C);

class TFormModel : public platform::DialogModel
{
  public:
    // Binds a control to a variable; the control is made now, in order.
    void Bind(const std::string& Control, TFieldKind Kind, TFieldTarget Target);
    // Binds a radio group or a combo box to an integer: item i of Items
    // (which outlive the form) stands for First + i.
    void BindChoice(const std::string& Control, TFieldKind Kind, TFieldTarget Target,
                    const std::vector<std::string>& Items, int First = 0);

    // Controls from the records; change handlers are blocked meanwhile.
    void LoadFields();
    // Records from the controls. False (nothing stored, InputRefused called)
    // when a changed text is not a number.
    bool StoreFields();
    // The check StoreFields makes first, for a form that has texts of its
    // own to check before anything is stored.
    bool FieldsReadable();
    // True while LoadFields fills the controls.
    bool Loading() const { return loading_; }

    // The form's own steps.
    std::function<void()> AfterLoad;  // extra controls after the bound ones
    std::function<void()> AfterStore; // extra records after the bound ones

    // The text a binding shows for its variable now.
    static std::string FormatField(const TFieldBinding& B);
    // A value of the variable's unit in the unit the field shows (a bound of
    // its range, to name it as the user types it).
    static Extended ShownValue(TFieldKind Kind, Extended X);
    // What a number text of a field of Kind stores, in the variable's unit.
    static Extended StoredValue(TFieldKind Kind, const std::string& Text);
    // The values of range R as a field of Kind shows them ("0 .. 1e+30",
    // "-5000 .. -2, 2 .. 5000"): each bound in the shown unit, rounded to
    // six digits inwards, so that a bound typed as named is taken.
    static std::string RangeText(TFieldKind Kind, const TFieldRange& R);
    // "Valid Data are: <RangeText> !"
    static std::string ValidDataText(TFieldKind Kind, const TFieldRange& R);
    // The refusal of the number Text outside R: "Invalid Input "<Text>" !
    // Valid Data are: ... !", Text as typed (blanks around it dropped).
    static std::string RangeRefusalText(TFieldKind Kind, const std::string& Text, const TFieldRange& R);

  protected:
    // Tells the user that Text is no number; the form stays open.
    virtual void InputRefused(const std::string& Text);
    // The range of a bound number field; none by default.
    virtual const TFieldRange* RangeOf(const TFieldBinding& B);
    // Tells the user that the number Text (of binding B) lies outside R; the
    // form stays open.
    virtual void RangeRefused(const TFieldBinding& B, const std::string& Text, const TFieldRange& R);
    // Set by a form that takes any text: one that is not a number then
    // stores 0 instead of being refused.
    bool NonNumbersAsZero = false;

  private:
    // Parses a changed text into the value it stands for; false when it is
    // not a number.
    static bool ParseField(const TFieldBinding& B, const platform::DialogControl& C);
    // What a text or choice row shows now, to tell a changed row from one
    // the user left as loaded.
    std::string Shown(const TFieldBinding& B);

    std::vector<TFieldBinding> bindings_;
    std::vector<std::string> loadedTexts_;
    std::vector<bool> loadedChecks_;
    bool loading_ = false;
};
