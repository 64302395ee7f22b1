#include "runprogram.h"

#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::vector<std::string> TProgramRun::ErrLines() const
{
    std::vector<std::string> lines;
    std::istringstream in(Err);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) lines.push_back(line);
    return lines;
}

fs::path FreshDir(const std::string& Tag)
{
    static std::mt19937 random{std::random_device{}()};
    const fs::path dir = fs::temp_directory_path() / ("qyr7_app_" + Tag + "_" + std::to_string(::getpid()) +
                                                      "_" + std::to_string(random()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string ReadWholeFile(const fs::path& File)
{
    std::ifstream in(File, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteWholeFile(const fs::path& File, const std::string& Text)
{
    std::ofstream out(File, std::ios::binary);
    out << Text;
}

namespace
{

std::string Quoted(const std::string& S)
{
    std::string q = "'";
    for (char c : S) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

} // namespace

TProgramRun RunProgram(const fs::path& Dir, const std::vector<std::string>& Args,
                       const std::vector<std::string>& Env, bool CloseStdin, bool AsNobody, int FileBlocks,
                       int Signal, const std::string& SignalAt, const std::string& Wrap)
{
    const fs::path out = Dir.string() + ".run_out"; // beside Dir: a run may find Dir read-only
    const fs::path err = Dir.string() + ".run_err";
    // The signal of a file grown past the limit is ignored: the write fails instead.
    const std::string limit =
        FileBlocks > 0 ? "trap '' XFSZ && ulimit -f " + std::to_string(FileBlocks) + " && " : "";
    std::string command =
        "cd " + Quoted(Dir.string()) + " && " + limit +
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=" + Quoted(Dir.string()) +
        " XDG_CONFIG_HOME=" + Quoted((Dir / ".config").string());
    for (const auto& e : Env)
        command += " " + Quoted(e);
    if (AsNobody && ::geteuid() == 0) command += " setpriv --reuid=65534 --regid=65534 --clear-groups";
    command += " timeout -k 5 120 ";
    // A watcher beside the program (which takes the inner shell's place and
    // pid) looks for the file without sleeping and signals once it is there;
    // the shells' own word on the signal goes nowhere, the program's stderr
    // to its file.
    const fs::path watcher = Dir.string() + ".watch";
    if (Signal != 0) {
        WriteWholeFile(watcher,
                       "exec 3>&2 2>/dev/null\nsh -c '(while kill -0 $$; do for f in \"$1\".??????; do [ -e "
                       "\"$f\" ] && kill -" +
                           std::to_string(Signal) +
                           " $$ && exit; done; done) & shift; "
                           "exec \"$0\" \"$@\" 2>&3 3>&-' \"$@\"\nexit $?\n");
        command += "sh " + Quoted(watcher.string()) + " ";
    }
    command += Wrap + " " + Quoted(QYR7_PROGRAM) + (Signal != 0 ? " " + Quoted(SignalAt) : "");
    for (const auto& a : Args)
        command += " " + Quoted(a);
    command +=
        " >" + Quoted(out.string()) + " 2>" + Quoted(err.string()) + (CloseStdin ? " <&-" : " </dev/null");
    const int status = std::system(command.c_str());
    TProgramRun run;
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWholeFile(out);
    run.Err = ReadWholeFile(err);
    fs::remove(out);
    fs::remove(err);
    fs::remove(watcher);
    return run;
}
