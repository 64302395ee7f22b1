#include "cadvalidators.h"

#include "common/tempdir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace
{

std::string FindProgram(const std::vector<std::string>& Names)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    dirs += ":/usr/bin";
    std::stringstream s(dirs);
    for (std::string dir; std::getline(s, dir, ':');)
        for (const std::string& n : Names) {
            const std::filesystem::path p = std::filesystem::path(dir) / n;
            std::error_code ec;
            if (std::filesystem::is_regular_file(p, ec)) return p.string();
        }
    return {};
}

long Count(const std::string& Text, const std::string& Label)
{
    const std::regex re(Label + R"(\s*:\s*(-?\d+))");
    std::smatch m;
    return std::regex_search(Text, m, re) ? std::stol(m[1]) : -1;
}

double Real(const std::string& Text, const std::string& Label)
{
    const std::regex re(Label + R"(\s*=\s*(-?[0-9.eE+-]+))");
    std::smatch m;
    return std::regex_search(Text, m, re) ? std::stod(m[1]) : 0;
}

} // namespace

std::string RunCommand(const std::string& Command)
{
    std::FILE* p = ::popen((Command + " 2>&1").c_str(), "r");
    if (p == nullptr) return {};
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        text.append(buf, n);
    ::pclose(p);
    return text;
}

TOcctView OcctReadIges(const std::string& Path)
{
    TOcctView v;
    const std::string tool = FindProgram({"DRAWEXE", "occt-draw-7.6", "occt-draw"});
    if (tool.empty()) return v;
    v.ToolFound = true;
    testdirs::ScopedTempDir dir("occt");
    const std::string script = dir.Path() + "/read.tcl";
    // Draw's commands hand their reports back as results: printed here.
    // "data c" lists the reader's checks, a fail as "F:"; the edges are
    // summed over the shapes of the roots, since instances of one block
    // share their edges.
    std::ofstream(script) << "pload MODELING DATAEXCHANGE\n"
                          << "puts [igesread {" << Path << "} a *]\n"
                          << "puts [data c]\n"
                          << "set total 0\n"
                          << "foreach s [explode a] { regexp {EDGE +: +([0-9]+)} [nbshapes $s] -> e; "
                             "incr total $e }\n"
                          << "puts \"EDGESUM $total\"\n"
                          << "puts \"BOX [bounding a]\"\n"
                          << "exit\n";
    v.Output = RunCommand("cd '" + dir.Path() + "' && '" + tool + "' -b -f '" + script + "'");
    const std::regex fail(R"((^|\s)F:|[Ff]ail)");
    std::istringstream lines(v.Output);
    for (std::string l; std::getline(lines, l);) {
        if (std::regex_search(l, fail)) v.Fails.push_back(l);
        if (l.rfind("BOX ", 0) == 0) {
            std::istringstream b(l.substr(4));
            for (double x; b >> x;)
                v.Box.push_back(x);
        }
        if (l.rfind("EDGESUM ", 0) == 0) v.Edges = std::stoi(l.substr(8));
    }
    return v;
}

std::vector<std::string> OcctIgesNotes(const std::string& Path)
{
    const std::string tool = FindProgram({"DRAWEXE", "occt-draw-7.6", "occt-draw"});
    testdirs::ScopedTempDir dir("occt");
    std::ofstream(dir.Path() + "/notes.tcl")
        << "pload MODELING DATAEXCHANGE\nfconfigure stdout -encoding utf-8\n"
        << "igesread {" << Path << "} a *\nfor {set i 1} {1} {incr i} { set d "
        << "[entity $i 6]; if {[string match {*No entity*} $d]} break; puts $d }\n";
    std::istringstream lines(
        tool.empty() ? "" : RunCommand("cd '" + dir.Path() + "' && '" + tool + "' -b -f notes.tcl"));
    std::vector<std::string> notes;
    for (std::string l; std::getline(lines, l);)
        if (l.rfind("Text : \"", 0) == 0 && l.back() == '"') notes.push_back(l.substr(8, l.size() - 9));
    return notes;
}

TAdmeshView AdmeshRead(const std::string& Path)
{
    TAdmeshView v;
    const std::string tool = FindProgram({"admesh"});
    if (tool.empty()) return v;
    v.ToolFound = true;
    v.Output = RunCommand("'" + tool + "' --normal-values '" + Path + "'");
    v.Facets = Count(v.Output, "Number of facets");
    v.Degenerate = Count(v.Output, "Degenerate facets");
    v.NormalsFixed = Count(v.Output, "Normals fixed");
    const char* axes[3] = {"X", "Y", "Z"};
    for (int i = 0; i < 3; ++i) {
        v.Min[i] = Real(v.Output, std::string("Min ") + axes[i]);
        v.Max[i] = Real(v.Output, std::string("Max ") + axes[i]);
    }
    return v;
}
