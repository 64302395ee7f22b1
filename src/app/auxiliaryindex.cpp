#include "app/auxiliaryindex.h"

#include "dialogs/fileguard.h"
#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"

#include <filesystem>
#include <fstream>
#include <istream>

std::string DbhIndexFileName()
{
    return AddTrailingBackslash(telmvar.PltDir) + LowerCaseText(telmvar.ProgramFileStem) + ".dbh";
}

std::string DbhScratchFileName()
{
    return AddTrailingBackslash(telmvar.PltDir) + "$$$.dbh";
}

void ReadDbhField(const std::string& Line, std::size_t& Pos, std::string& Text)
{
    Text.clear();
    if (Pos < Line.size() && Line[Pos] == ',') ++Pos;
    if (Pos >= Line.size()) return;
    if (Line[Pos++] != '"') ShowMessageIfEnabled("DBH file error");
    while (Pos < Line.size()) {
        const char c = Line[Pos++];
        // A CR ends the field as a line end would, and is not part of it.
        if (c == '"' || c == '\r') return;
        Text += c;
    }
}

TDbhRecord ParseDbhLine(const std::string& Line)
{
    TDbhRecord r;
    std::size_t pos = 0;
    ReadDbhField(Line, pos, r.Name);
    ReadDbhField(Line, pos, r.Description);
    return r;
}

bool ReadDbhRecord(std::istream& In, TDbhRecord& Record)
{
    std::string line;
    if (!std::getline(In, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Record = ParseDbhLine(line);
    return true;
}

std::string StorableDescription(const std::string& Description, bool& Changed)
{
    std::string s = Description;
    Changed = false;
    for (char& c : s)
        if (c == '"') {
            c = '\'';
            Changed = true;
        }
    return s;
}

std::string DbhLine(const std::string& Name, const std::string& Description)
{
    bool changed = false;
    return "\"" + Name + "\",\"" + StorableDescription(Description, changed) + "\"";
}

bool WriteDbhRecord(TTextFile& File, const std::string& Name, const std::string& Description)
{
    return WriteLineChecked(File, DbhLine(Name, Description));
}

// ":" is refused too, although this system takes it in a name: the picture
// files and their index are shared with installations on Windows, where a
// ":" marks a drive or a stream and the picture could not be copied over.
bool IsSafePictureName(const std::string& Name)
{
    return !Name.empty() && Name.find_first_of("/\\\":") == std::string::npos &&
           Name.find("..") == std::string::npos;
}

bool ReadDbhIndex(std::vector<TDbhRecord>& Records)
{
    Records.clear();
    std::ifstream in(NativePath(DbhIndexFileName()), std::ios::binary);
    if (!in) return false;
    TDbhRecord r;
    while (static_cast<int>(Records.size()) < MaxAuxiliaryImages && ReadDbhRecord(in, r))
        Records.push_back(r);
    return true;
}

bool RewriteDbhIndex(TDbhChange Change, int Line, const std::string& NewLine)
{
    // The checked writes skip everything once Aborted is set.
    if (telmvar.Aborted) return false;
    const std::string index = DbhIndexFileName();
    const std::string scratch = DbhScratchFileName();
    std::ifstream in(NativePath(index), std::ios::binary);
    if (!in) {
        ShowMessageIfEnabled("file " + FileNameToOem(index) + " not found or no access !");
        telmvar.Aborted = true;
        return false;
    }
    TTextFile out;
    out.Assign(scratch);
    if (!RewriteChecked(out)) return false;
    std::string line;
    int n = 0;
    bool placed = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++n;
        if (n == Line) {
            placed = true;
            if (Change == TDbhChange::Insert) WriteLineChecked(out, NewLine);
            if (Change == TDbhChange::Replace) {
                WriteLineChecked(out, NewLine);
                continue;
            }
            if (Change == TDbhChange::Delete) continue;
        }
        WriteLineChecked(out, line);
    }
    // Insert beyond the last line (or at line 0): appended.
    if (!placed && Change == TDbhChange::Insert) WriteLineChecked(out, NewLine);
    if (telmvar.Aborted) {
        out.Abandon();
        return false;
    }
    if (!CloseFileChecked(out)) return false;
    // The scratch file is complete: it takes the index's place in one step.
    std::error_code ec;
    std::filesystem::rename(NativePath(scratch), NativePath(index), ec);
    if (ec) {
        // The index stays as it was; its rewritten copy is of no use to anyone.
        std::error_code ignored;
        std::filesystem::remove(NativePath(scratch), ignored);
        ShowCannotBeWritten(index, SystemTextToOem(ec.message()));
        telmvar.Aborted = true;
        return false;
    }
    return true;
}

bool AppendDbhRecord(const std::string& Name, const std::string& Description)
{
    if (FileCanOpen(DbhIndexFileName()))
        return RewriteDbhIndex(TDbhChange::Insert, 0, DbhLine(Name, Description));
    // The first picture makes the index.
    TTextFile out;
    out.Assign(DbhIndexFileName());
    if (!RewriteChecked(out)) return false;
    WriteDbhRecord(out, Name, Description);
    return CloseFileChecked(out) && !telmvar.Aborted;
}
