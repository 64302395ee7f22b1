#include "foundation/formmodel.h"

#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr Extended MicroInch = 0.0254L; // um per microinch
constexpr Extended DegPerRad = 57.295779513082320876798L;

bool Imperial()
{
    return wtelmvar.UnitSystem == 1;
}

// A text kept byte for byte, without the stored texts' code page.
bool IsStoredAsShown(TFieldKind K)
{
    return K == TFieldKind::RawText || K == TFieldKind::FileName || K == TFieldKind::TypedDate;
}

// A date of the title block or of a change, held in code page 437.
bool IsDate(TFieldKind K)
{
    return K == TFieldKind::Date || K == TFieldKind::TypedDate;
}

bool IsCheckKind(TFieldKind K)
{
    return K == TFieldKind::YesNoChar || K == TFieldKind::Boolean || K == TFieldKind::ClearedCheck;
}

std::string ButtonName(const TFieldBinding& B, std::size_t I)
{
    return B.Control + "_" + std::to_string(I);
}

std::size_t ItemCount(const TFieldBinding& B)
{
    return B.Items ? B.Items->size() : 0;
}

Extended RealOf(const TFieldTarget& T)
{
    if (auto p = std::get_if<Extended*>(&T)) return **p;
    if (auto p = std::get_if<double*>(&T)) return **p;
    if (auto p = std::get_if<int32_t*>(&T)) return **p;
    if (auto p = std::get_if<uint16_t*>(&T)) return **p;
    return 0;
}

void SetReal(const TFieldTarget& T, Extended X)
{
    if (auto p = std::get_if<Extended*>(&T))
        **p = X;
    else if (auto p = std::get_if<double*>(&T))
        **p = static_cast<double>(X);
}

void SetInteger(const TFieldTarget& T, int32_t N)
{
    if (auto p = std::get_if<int32_t*>(&T))
        **p = N;
    else if (auto p = std::get_if<uint16_t*>(&T))
        **p = static_cast<uint16_t>(N);
}

bool FlagOf(const TFieldBinding& B)
{
    if (auto p = std::get_if<char*>(&B.Target)) return IsYesChar(**p);
    if (auto p = std::get_if<bool*>(&B.Target)) return **p;
    return false;
}

bool CheckOf(const TFieldBinding& B)
{
    return B.Kind == TFieldKind::ClearedCheck ? !FlagOf(B) : FlagOf(B);
}

// The item a choice shows now, -1 for none.
int ChosenItem(const TFieldBinding& B)
{
    const int item = static_cast<int>(RealOf(B.Target)) - B.First;
    return item >= 0 && item < static_cast<int>(ItemCount(B)) ? item : -1;
}

// The typed number in the internal unit of the field.
Extended InternalValue(TFieldKind K, const std::string& S)
{
    switch (K) {
    case TFieldKind::Length:
    case TFieldKind::Length6:
        return TextToLength(S);
    case TFieldKind::MicroLength:
        return Imperial() ? TextToFloat(S) * MicroInch : TextToFloat(S);
    case TFieldKind::Force:
        return TextToForce(S);
    case TFieldKind::Stress:
        return TextToStress(S);
    case TFieldKind::Torque:
        return TextToTorque(S);
    case TFieldKind::Temperature:
        return TextToTemperature(S);
    case TFieldKind::Degrees:
        return TextToFloat(S) / DegPerRad;
    default:
        return TextToFloat(S);
    }
}

// What a changed number text stores: the same reading StoreFields makes.
Extended StoredNumber(TFieldKind K, const std::string& S)
{
    if (K == TFieldKind::Integer) return TextToInt(S);
    if (K == TFieldKind::WholeNumber) return std::clamp<Extended>(TextToFloat(S), INT32_MIN, INT32_MAX);
    return InternalValue(K, S);
}

bool IsNumberKind(TFieldKind K)
{
    return !(K == TFieldKind::Text || IsStoredAsShown(K) || IsDate(K) || K == TFieldKind::Radio ||
             K == TFieldKind::Combo || IsCheckKind(K));
}

} // namespace

bool TFieldRange::Holds(Extended X) const
{
    if ((ZeroIsDefault || NonPositiveTaken) && X == 0) return true;
    if (NonPositiveTaken && X < 0) return true;
    const Extended size = X < 0 ? -X : X;
    if (Least > 0 && X != 0 && size < Least) return false;
    if (Magnitude) X = size;
    return X >= Lo && X <= Hi;
}

Extended TFormModel::ShownValue(TFieldKind Kind, Extended X)
{
    // Every unit of a field is an affine map of the shown number (degrees
    // Fahrenheit are not proportional to Celsius): inverted through the
    // values 0 and 1 stand for.
    const Extended zero = InternalValue(Kind, "0"), one = InternalValue(Kind, "1");
    return (X - zero) / (one - zero);
}

Extended TFormModel::StoredValue(TFieldKind Kind, const std::string& Text)
{
    return StoredNumber(Kind, TrimBlanks(Text));
}

std::string TFormModel::RangeText(TFieldKind Kind, const TFieldRange& R)
{
    // A bound in the shown unit, rounded to six digits inwards: typed as
    // named, it is taken (1e7 MPa are 1.45037e+09 psi only after rounding
    // down). Up is the side the range lies on.
    const auto bound = [Kind](Extended X, bool Up) {
        Extended v = ShownValue(Kind, X);
        std::string text = RangeBoundText(v);
        for (int step = 0; step < 4; ++step) {
            const Extended back = StoredValue(Kind, text);
            if (Up ? back >= X : back <= X) break;
            const Extended digit = std::pow(10.0L, std::floor(std::log10(std::fabs(v))) - 5);
            v += Up ? digit : -digit;
            text = RangeBoundText(v);
        }
        return text;
    };
    const auto span = [&bound](Extended Lo, Extended Hi) {
        return bound(Lo, true) + " .. " + bound(Hi, false);
    };
    // The pieces in ascending order: the negative side of a magnitude or of
    // a size, 0 where it stands apart, then the positive side.
    std::string text;
    const auto piece = [&text](const std::string& P) { text += (text.empty() ? "" : ", ") + P; };
    const Extended lo = R.Least > 0 && R.Least > R.Lo ? R.Least : R.Lo;
    if (R.Magnitude)
        piece(span(-R.Hi, -R.Lo));
    else if (R.Least > 0 && R.Lo < 0)
        piece(span(R.Lo, -R.Least));
    if (R.Least > 0 || ((R.ZeroIsDefault || R.NonPositiveTaken) && lo > 0)) piece(bound(0, true));
    piece(span(lo, R.Hi));
    return text;
}

std::string TFormModel::ValidDataText(TFieldKind Kind, const TFieldRange& R)
{
    return "Valid Data are: " + RangeText(Kind, R) + " !";
}

std::string TFormModel::RangeRefusalText(TFieldKind Kind, const std::string& Text, const TFieldRange& R)
{
    return "Invalid Input \"" + TrimBlanks(Text) + "\" ! " + ValidDataText(Kind, R);
}

Extended Typed(const platform::DialogControl& C)
{
    return TextToFloat(TrimBlanks(C.Text));
}

void TFormModel::Bind(const std::string& Control, TFieldKind Kind, TFieldTarget Target)
{
    bindings_.push_back({Control, Kind, Target});
    // The form shows and reads a name through the file-name conversion.
    this->Control(Control).FileName = Kind == TFieldKind::FileName;
}

void TFormModel::BindChoice(const std::string& Control, TFieldKind Kind, TFieldTarget Target,
                            const std::vector<std::string>& Items, int First)
{
    bindings_.push_back({Control, Kind, Target, &Items, First});
    this->Control(Control);
    if (Kind == TFieldKind::Radio)
        for (std::size_t i = 0; i < Items.size(); ++i)
            this->Control(ButtonName(bindings_.back(), i));
}

std::string TFormModel::FormatField(const TFieldBinding& B)
{
    if (auto p = std::get_if<std::string*>(&B.Target)) {
        // A date is shown through code page 437 whatever the unit
        // characters' mode: spelled in ASCII ("ae" for an a-umlaut) it
        // would be stored so once edited.
        if (IsDate(B.Kind)) return OemToAnsiText(**p);
        return IsStoredAsShown(B.Kind) ? **p : DisplayText(**p);
    }
    if (B.Kind == TFieldKind::Combo) {
        const int item = ChosenItem(B);
        return item < 0 ? std::string() : (*B.Items)[static_cast<std::size_t>(item)];
    }
    const Extended x = RealOf(B.Target);
    std::string s;
    switch (B.Kind) {
    case TFieldKind::Length:
        s = LengthToText(x);
        break;
    case TFieldKind::Length6:
        s = LengthToText6(x);
        break;
    case TFieldKind::MicroLength:
        s = FloatToSignificant(Imperial() ? x / MicroInch : x);
        break;
    case TFieldKind::Force:
        s = ForceToText(x);
        break;
    case TFieldKind::Stress:
        s = StressToText(x);
        break;
    case TFieldKind::Torque:
        s = TorqueToText(x);
        break;
    case TFieldKind::Temperature:
        s = TemperatureToText(x);
        break;
    case TFieldKind::Degrees:
        s = FloatToSignificant(x * DegPerRad);
        break;
    case TFieldKind::Sig6:
        s = FloatToSignificant6(x);
        break;
    case TFieldKind::Integer:
    case TFieldKind::WholeNumber:
        s = IntToText(static_cast<int64_t>(x));
        break;
    default:
        s = FloatToSignificant(x);
        break;
    }
    return TrimBlanks(s);
}

void TFormModel::LoadFields()
{
    loading_ = true;
    loadedTexts_.clear();
    loadedChecks_.clear();
    for (const TFieldBinding& b : bindings_) {
        platform::DialogControl& c = Control(b.Control);
        if (IsCheckKind(b.Kind)) {
            c.Checked = CheckOf(b);
        } else if (b.Kind == TFieldKind::Radio) {
            const int item = ChosenItem(b);
            for (std::size_t i = 0; i < ItemCount(b); ++i)
                Control(ButtonName(b, i)).Checked = static_cast<int>(i) == item;
        } else {
            c.Text = FormatField(b);
        }
        loadedTexts_.push_back(Shown(b));
        loadedChecks_.push_back(c.Checked);
    }
    if (AfterLoad) AfterLoad();
    loading_ = false;
    Touch();
}

std::string TFormModel::Shown(const TFieldBinding& B)
{
    if (B.Kind != TFieldKind::Radio) return Control(B.Control).Text;
    std::string marks;
    for (std::size_t i = 0; i < ItemCount(B); ++i)
        marks += Control(ButtonName(B, i)).Checked ? '1' : '0';
    return marks;
}

bool TFormModel::ParseField(const TFieldBinding& B, const platform::DialogControl& C)
{
    if (B.Kind == TFieldKind::Text || IsStoredAsShown(B.Kind) || IsDate(B.Kind) ||
        B.Kind == TFieldKind::Radio || B.Kind == TFieldKind::Combo || IsCheckKind(B.Kind))
        return true;
    if (B.Kind == TFieldKind::Integer) {
        int32_t n = 0;
        return ReadFieldInt(C.Text, n);
    }
    Extended x = 0;
    // A number near the top of the range overflows in the unit conversion
    // (1e4931 inch in mm): it is refused like a text that is none.
    return ReadFieldFloat(C.Text, x) && std::isfinite(InternalValue(B.Kind, TrimBlanks(C.Text)));
}

bool TFormModel::FieldsReadable()
{
    for (std::size_t i = 0; i < bindings_.size(); ++i) {
        const platform::DialogControl& c = Control(bindings_[i].Control);
        if (i < loadedTexts_.size() && Shown(bindings_[i]) == loadedTexts_[i]) continue;
        if (!NonNumbersAsZero && !ParseField(bindings_[i], c)) {
            InputRefused(c.Text);
            return false;
        }
        // A number outside what the variable may hold stores nothing either.
        if (!IsNumberKind(bindings_[i].Kind)) continue;
        const TFieldRange* range = RangeOf(bindings_[i]);
        if (range && !range->Holds(StoredNumber(bindings_[i].Kind, TrimBlanks(c.Text)))) {
            RangeRefused(bindings_[i], c.Text, *range);
            return false;
        }
    }
    return true;
}

bool TFormModel::StoreFields()
{
    // Checked in full before anything is written: a refused text leaves
    // every record as it was.
    if (!FieldsReadable()) return false;
    for (std::size_t i = 0; i < bindings_.size(); ++i) {
        const TFieldBinding& b = bindings_[i];
        platform::DialogControl& c = Control(b.Control);
        const bool loaded = i < loadedTexts_.size();
        if (IsCheckKind(b.Kind)) {
            if (loaded && c.Checked == loadedChecks_[i]) continue;
            const bool flag = b.Kind == TFieldKind::ClearedCheck ? !c.Checked : c.Checked;
            if (auto p = std::get_if<char*>(&b.Target)) **p = YesNoChar(flag);
            if (auto p = std::get_if<bool*>(&b.Target)) **p = flag;
        } else if (b.Kind == TFieldKind::Radio || b.Kind == TFieldKind::Combo) {
            // A changed choice: the checked button or the item shown, the
            // first when there is none.
            const std::string shown = Shown(b);
            if (loaded && shown == loadedTexts_[i]) continue;
            const std::vector<std::string>& items = *b.Items;
            const std::size_t item =
                b.Kind == TFieldKind::Radio
                    ? shown.find('1')
                    : static_cast<std::size_t>(std::find(items.begin(), items.end(), c.Text) - items.begin());
            SetInteger(b.Target, b.First + (item < items.size() ? static_cast<int32_t>(item) : 0));
        } else {
            // Untouched: the value stays bit for bit.
            if (loaded && c.Text == loadedTexts_[i]) continue;
            const std::string s = TrimBlanks(c.Text);
            if (auto p = std::get_if<std::string*>(&b.Target))
                **p = IsStoredAsShown(b.Kind) ? c.Text : AnsiTextToOem(c.Text);
            else if (b.Kind == TFieldKind::Integer || b.Kind == TFieldKind::WholeNumber)
                SetInteger(b.Target, static_cast<int32_t>(StoredNumber(b.Kind, s)));
            else
                SetReal(b.Target, StoredNumber(b.Kind, s));
        }
        // What is stored now is what an unchanged text stands for.
        if (loaded) {
            loadedTexts_[i] = Shown(b);
            loadedChecks_[i] = c.Checked;
        }
    }
    if (AfterStore) AfterStore();
    return true;
}

void TFormModel::InputRefused(const std::string& Text)
{
    (void)Text;
    platform::CurrentPlatform().Bell().Beep();
}

const TFieldRange* TFormModel::RangeOf(const TFieldBinding& B)
{
    (void)B;
    return nullptr;
}

void TFormModel::RangeRefused(const TFieldBinding& B, const std::string& Text, const TFieldRange& R)
{
    (void)B;
    (void)Text;
    (void)R;
    platform::CurrentPlatform().Bell().Beep();
}
