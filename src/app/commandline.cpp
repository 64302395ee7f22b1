#include "app/commandline.h"

#include "app/cadbatch.h"

#include "foundation/codepage.h"
#include "foundation/pathsplit.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "platform/codepage.h"

#include <algorithm>

namespace
{

std::string Upper(std::string s)
{
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace

bool IsTextBatchSwitch(const std::string& p)
{
    return p == "/I" || p == "/i" || p == "-I" || p == "-i";
}

bool IsCadSwitch(const std::string& p)
{
    const std::string prefix = Upper(p.substr(0, 4));
    return prefix == "/CAD" || prefix == "-CAD";
}

bool IsProgramSwitch(const std::string& p)
{
    const std::string u = Upper(p);
    return IsTextBatchSwitch(p) || IsCadSwitch(p) || u == "/E" || u == "/G" || u == "/NOGUI";
}

namespace
{

// The first batch switch after position First that asks for another file
// than Decided does: the other mode, or another CAD switch; 0 when none.
std::size_t SecondBatchSwitch(const std::vector<std::string>& args, std::size_t First)
{
    const std::string& decided = args[First];
    for (std::size_t i = First + 1; i < args.size(); ++i) {
        const bool text = IsTextBatchSwitch(args[i]);
        if ((text && !IsTextBatchSwitch(decided)) ||
            (IsCadSwitch(args[i]) && Upper(args[i]) != Upper(decided)))
            return i;
    }
    return 0;
}

// Sets the start mode from the parameters without "/NOGUI" and returns the
// positions of those that mode uses. A batch switch counts wherever it
// stands after the name ("wqyr7 v.qy7 /X /I"): a stray switch before it must
// not turn a batch run into a start that writes nothing.
std::vector<std::size_t> DecideMode(const std::vector<std::string>& args, TCommandLine& cmd)
{
    const std::string& p1 = args[0];
    cmd.P1 = p1;
    cmd.P2 = args.size() > 1 ? args[1] : std::string();
    if (p1 == "?" || p1 == "/?") {
        cmd.Mode = TStartMode::Usage;
        return {0};
    }
    const std::string& p2 = cmd.P2;
    if (p2 == "/E" || p2 == "/e" || p2 == "/G") {
        cmd.Mode = TStartMode::ExchangeGui;
        return {0, 1};
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t second =
            IsTextBatchSwitch(args[i]) || IsCadSwitch(args[i]) ? SecondBatchSwitch(args, i) : 0;
        if (second != 0) cmd.SecondBatchSwitch = args[second];
        if (IsTextBatchSwitch(args[i])) {
            cmd.Mode = TStartMode::TextBatch;
            cmd.P2 = args[i];
            if (second != 0) return {0, i, second};
            return {0, i};
        }
        if (IsCadSwitch(args[i])) {
            cmd.Mode = TStartMode::CadBatch;
            cmd.P2 = args[i];
            // Device and index only from a switch of the served form; the
            // batch refuses any other by name.
            const TCadSwitch cad = ParseCadSwitch(args[i]);
            cmd.CadDevice = cad.Device;
            cmd.CadIndex = cad.Index;
            if (second != 0) return {0, i, second};
            return {0, i};
        }
    }
    // Neither a batch nor an exchange switch: only the name is used.
    cmd.Mode = NameHasExtension(p1) ? TStartMode::InteractiveOpen : TStartMode::MissingExtension;
    return {0};
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& allArgs)
{
    TCommandLine cmd;
    // "/NOGUI" is a switch wherever it stands, never the project name:
    // "wqyr7 /NOGUI" alone is a batch run of the built-in stage, not a file
    // called "/NOGUI" without an extension.
    std::vector<std::string> args;
    for (const auto& a : allArgs) {
        if (Upper(a) == "/NOGUI")
            cmd.NoGui = true;
        else
            args.push_back(a);
    }
    if (args.empty()) return cmd;
    const std::vector<std::size_t> used = DecideMode(args, cmd);
    // Only what looks like a switch is named: a stray word has always been
    // passed over quietly, a switch the user meant to take effect has not.
    const bool batch = cmd.Mode == TStartMode::TextBatch || cmd.Mode == TStartMode::CadBatch;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::find(used.begin(), used.end(), i) != used.end() || args[i].empty() ||
            (args[i][0] != '/' && args[i][0] != '-'))
            continue;
        // The deciding switch again asks for the same file, not for nothing.
        const bool again = batch && (IsTextBatchSwitch(args[i]) ? IsTextBatchSwitch(cmd.P2)
                                                                : Upper(args[i]) == Upper(cmd.P2));
        (again ? cmd.RepeatedSwitches : cmd.UnknownSwitches).push_back(args[i]);
    }
    return cmd;
}

std::vector<std::string> SetUsageText()
{
    const std::string& stem = telmvar.ProgramFileStem;
    const std::string example = "Example: w" + stem + " test." + telmvar.DataExt;
    std::vector<std::string> lines(21);
    lines[0] = telmvar.ProgramName + " Command Line Mode";
    lines[2] = "w" + stem + " Filename [/I] [/CADi:j] [/NOGUI]";
    lines[4] = "/I       -> TXT file";
    lines[6] = "/CADi:j  -> CAD File";
    lines[7] = "            i: 1=DXF, 2=IGS, 5=TXT";
    lines[8] = "            j: index (1,2,3, ..)";
    lines[10] = "/NOGUI   -> No GUI, exit on fatal error";
    lines[14] = "/?       -> Help";
    lines[17] = example + "             ->  GUI";
    lines[18] = example + " /I /NOGUI   ->  test.txt";
    lines[19] = example + " /CAD1:1     ->  test.dxf";
    lines[20] = "Example: w" + stem + " test.edi /E /NOGUI   ->  test.edi";
    for (int i = 1; i <= 21; ++i)
        telmvar.TextItems[i] = lines[static_cast<std::size_t>(i - 1)];
    return lines;
}

std::string MissingExtensionText()
{
    return "extension ." + telmvar.DataExt + " " + "missing";
}

bool NameHasExtension(const std::string& Path)
{
    return NamePart(Path).find('.') != std::string::npos;
}

std::string CommandLineProjectPath(const std::string& Name)
{
    return NameHasExtension(Name) ? Name : Name + "." + telmvar.DataExt;
}

std::string CommandLineShownText(const std::string& Arg)
{
    std::string shown;
    for (std::size_t at = 0; at < Arg.size();) {
        const std::size_t n = platform::Utf8CharLength(std::string_view(Arg).substr(at));
        shown += n == 0 ? HexByte(static_cast<unsigned char>(Arg[at])) : FileNameToOem(Arg.substr(at, n));
        at += n == 0 ? 1 : n;
    }
    return shown;
}

std::vector<std::string> UnknownSwitchTexts(const TCommandLine& Cmd)
{
    std::vector<std::string> texts;
    for (const auto& p : Cmd.UnknownSwitches)
        texts.push_back("unknown switch " + CommandLineShownText(p) + " ignored");
    for (const auto& p : Cmd.RepeatedSwitches)
        texts.push_back("switch " + CommandLineShownText(p) + " repeated, done once");
    return texts;
}
