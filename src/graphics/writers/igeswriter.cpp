#include "graphics/writers/igeswriter.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/textutil.h"
#include "graphics/writers/igesrecords.h"
#include "platform/codepage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace
{

// A file name (the file system's bytes, UTF-8) in the ASCII of the Global
// section: one "?" for each character beyond it (a character of several
// bytes, a control character, a byte that is no UTF-8), so that a shortened
// name is cut between characters and its Hollerith count is its length.
std::string AsciiFileName(const std::string& Name)
{
    std::string r = platform::Utf8ToCp1252(Name, '?');
    for (char& c : r)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    return r;
}

std::string Folded(std::string_view Name)
{
    std::string s(Name);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

int IgesColourOf(int Index)
{
    static const int map[17] = {0, 2, 5, 3, 7, 4, 6, 0, 8, 10, 11, 12, 13, 14, 15, 1, 1};
    return Index >= 0 && Index <= 16 ? map[Index] : 0;
}

std::string TIgesWriter::C(Extended X) const
{
    return IgesFixed(X, std::clamp(options_.DecimalDigits, 0, 10));
}

std::string TIgesWriter::A(Extended X) const
{
    return IgesFixed(X, std::clamp(options_.DecimalDigits, 0, 10) + 3);
}

void TIgesWriter::Record(std::string_view Data, char Letter)
{
    const int section = Letter == 'S' ? 0 : Letter == 'G' ? 1 : Letter == 'D' ? 2 : 4;
    IgesWriteRecord(out_, Data, "", Letter, ++counts_[section]);
}

void TIgesWriter::StartFile(Extended MaxCoordinate)
{
    if (started_) return;
    started_ = true;
    const std::string& program = options_.ProgramName;
    Record("IGES-Datei generiert von " + program, 'S');
    Record("Uebersetzer von TELMORA, Uebersetzerversion 3.1", 'S');

    const std::string file = IgesHollerith(ShortenMiddle(AsciiFileName(options_.FileName), 30));
    char date[32];
    std::snprintf(date, sizeof date, "%02d%02d%02d.140920", ((options_.Year % 100) + 100) % 100,
                  std::clamp(options_.Month, 0, 99), std::clamp(options_.Day, 0, 99));
    Record(",,4HFILE," + file + "," + IgesHollerith(program + " V" + options_.ProgramVersion) + ",,", 'G');
    Record("16,38,6,99,15,", 'G');
    Record(file + ",1.0,2,2HMM,32767,3.2767D1,", 'G');
    Record(IgesHollerith(date) + ",1.0D-8," + C(MaxCoordinate) + ",", 'G');
    Record("," + IgesHollerith("TELMORA") + ",4,0;", 'G');
}

void TIgesWriter::SetLayer(int N, int32_t LayerMode)
{
    if (LayerMode == 0 && N >= 0 && N <= 5) {
        colour_ = IgesColourOf(N == 0 ? 7 : options_.LayerColours[N]);
        lineFont_ = N == 1 ? 4 : N == 2 ? 2 : 1;
    } else if (LayerMode == 0 && N >= 16 && N <= 31) {
        colour_ = IgesColourOf(options_.LayerColours16[N]);
        lineFont_ = 1;
    } else {
        colour_ = IgesColourOf((N % 16 + 16) % 16 + 1);
        lineFont_ = 1;
    }
}

int TIgesWriter::BeginEntity(bool Member)
{
    entity_ += 2;
    entityParameters_ = 0;
    if (Member && inSubfigure_) members_.push_back(entity_);
    return entity_;
}

void TIgesWriter::Parameters(std::string_view Text)
{
    const std::string de = FitRight(std::to_string(entity_), 8);
    for (const std::string& piece : IgesCutParameters(Text)) {
        // Into memory: the P section follows the last D record.
        IgesAppendRecord(parameters_, piece, de, 'P', ++counts_[3]);
        ++entityParameters_;
    }
}

void TIgesWriter::Directory(int Type, const std::string& Transform, const std::string& Form,
                            const std::string& Label, const std::string& Status)
{
    TIgesDirectory d;
    const std::string type = std::to_string(Type);
    const std::string colour = std::to_string(colour_);
    d.Fields[0] = type;
    d.Fields[1] = std::to_string(nextParameter_);
    d.Fields[2] = "1";
    d.Fields[3] = std::to_string(lineFont_);
    d.Fields[4] = colour;
    d.Fields[6] = Transform;
    d.Fields[8] = Status;
    d.Fields[9] = type;
    d.Fields[11] = colour;
    d.Fields[12] = std::to_string(entityParameters_);
    d.Fields[13] = Form;
    d.Fields[16] = Label;
    Record(IgesDirectoryData(d, 1), 'D');
    Record(IgesDirectoryData(d, 2), 'D');
    nextParameter_ += entityParameters_;
}

void TIgesWriter::Line(Extended X1, Extended Y1, Extended X2, Extended Y2)
{
    // A line shorter than the file's decimals would be read as one point,
    // which readers refuse (the first chord of an arc cut into chords is
    // such a line): it is left out, as the corners of a solid are merged.
    const std::string x1 = C(X1), y1 = C(Y1), x2 = C(X2), y2 = C(Y2);
    if (x1 == x2 && y1 == y2) return;
    BeginEntity(true);
    Parameters("110," + x1 + "," + y1 + ",0.0," + x2 + "," + y2 + ",0.0;");
    Directory(110, "", "", "", Status());
}

void TIgesWriter::Arc(Extended XC, Extended YC, Extended XS, Extended YS, Extended XE, Extended YE)
{
    BeginEntity(true);
    Parameters("100,0.0," + C(XC) + "," + C(YC) + "," + C(XS) + "," + C(YS) + "," + C(XE) + "," + C(YE) +
               ";");
    Directory(100, "0", "", "", Status());
}

void TIgesWriter::Circle(Extended X, Extended Y, Extended R)
{
    Arc(X, Y, X + R, Y, X + R, Y);
}

void TIgesWriter::Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3,
                        Extended X4, Extended Y4)
{
    // Corners 1 and 2 and corners 3 and 4 end the two opposite edges:
    // 1, 2, 3, 4 would cross over. A triangle comes with a corner twice.
    std::vector<std::pair<std::string, std::string>> points;
    for (const auto& [x, y] : {std::pair{X1, Y1}, {X2, Y2}, {X4, Y4}, {X3, Y3}}) {
        std::pair<std::string, std::string> p{C(x), C(y)};
        if (points.empty() || points.back() != p) points.push_back(std::move(p));
    }
    while (points.size() > 1 && points.back() == points.front())
        points.pop_back();
    if (points.size() < 2) return;
    BeginEntity(true);
    points.push_back(points.front());
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        std::string text = i == 0 ? "106,1," + std::to_string(n) + ",0.0," : std::string();
        text += points[i].first + "," + points[i].second + (i + 1 == n ? ";" : ",");
        Parameters(text);
    }
    Directory(106, "0", "11", "", Status());
}

void TIgesWriter::Text(std::string_view Text, Extended X, Extended Y, const TIgesTextStyle& Style)
{
    if (Text.empty()) return;
    std::string text(Text);
    // A line break inside a string would end the record for some readers.
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    const Extended n = static_cast<Extended>(text.size());
    BeginEntity(true);
    Parameters("212,1," + std::to_string(text.size()) + "," + C(n * Style.Height * Style.Width) + "," +
               C(Style.Height) + ",1,," + A(DegToRad(Style.Angle)) + ",0,0," + C(X) + "," + C(Y) + ",0.0,");
    Parameters(IgesHollerith(text) + ";");
    Directory(212, "0", "", "", Status());
}

void TIgesWriter::BeginSubfigure(std::string_view Name)
{
    if (inSubfigure_) EndSubfigure();
    inSubfigure_ = true;
    subfigureName_ = std::string(Name);
    members_.clear();
    depth_ = 0;
}

void TIgesWriter::EndSubfigure()
{
    if (!inSubfigure_) return;
    inSubfigure_ = false;
    const int de = BeginEntity(false);
    definitions_.emplace(Folded(subfigureName_), TDefinition{de, depth_});
    std::string text = "308," + std::to_string(depth_) + "," + IgesHollerith(subfigureName_) + "," +
                       std::to_string(members_.size()) + ",";
    std::vector<std::string> texts{std::move(text)};
    for (size_t i = 0; i < members_.size(); ++i) {
        if (i % 12 == 0) texts.emplace_back();
        texts.back() += std::to_string(members_[i]) + ",";
    }
    texts.back().back() = ';';
    for (const std::string& t : texts)
        Parameters(t);
    Directory(308, "", "", subfigureName_, "00000000");
    members_.clear();
}

void TIgesWriter::Insert(std::string_view Name, Extended X, Extended Y, Extended Angle)
{
    const auto def = definitions_.find(Folded(Name));
    if (def == definitions_.end()) {
        // An instance of nothing would point at entry 0, which readers
        // refuse: it is left out and named.
        AddErrorMessage("Blockname " + std::string(Name) + " not found !");
        return;
    }
    // A definition holding instances lies one level deeper than the
    // deepest of them.
    if (inSubfigure_) depth_ = std::max(depth_, def->second.Depth + 1);
    const std::string target = std::to_string(def->second.Entry);
    if (Angle == 0) {
        BeginEntity(true);
        Parameters("408," + target + "," + C(X) + "," + C(Y) + ",0.0,1.0;");
        Directory(408, "", "", "", Status());
        return;
    }
    const Extended a = DegToRad(Angle);
    const int matrix = BeginEntity(false);
    Parameters("124," + A(std::cos(a)) + "," + A(-std::sin(a)) + ",0.0," + C(X) + ",");
    Parameters(A(std::sin(a)) + "," + A(std::cos(a)) + ",0.0," + C(Y) + ",");
    Parameters("0.0,0.0,1.0,0.0;");
    Directory(124, "", "0", "", "00010000");
    BeginEntity(true);
    Parameters("408," + target + ",0.0,0.0,0.0,1.0;");
    Directory(408, std::to_string(matrix), "", "", Status());
}

void TIgesWriter::Finish()
{
    if (finished_) return;
    StartFile(0);
    if (inSubfigure_) EndSubfigure();
    out_.write(parameters_.data(), static_cast<std::streamsize>(parameters_.size()));
    parameters_.clear();
    char t[64];
    std::snprintf(t, sizeof t, "S%07dG%07dD%07dP%07d", counts_[0], counts_[1], counts_[2], counts_[3]);
    Record(t, 'T');
    finished_ = true;
}
