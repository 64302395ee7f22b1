#pragma once
// The scratch directory of a fuzz run: "qyr7_fuzz_" + tag + "_XXXXXX" in the
// temporary directory (TMPDIR, else /tmp), made on first use and removed with
// everything in it when the run ends. The corpus replays run as tests, and a
// test must leave the temporary directory as it found it.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzscratch
{

class ScratchDir
{
  public:
    explicit ScratchDir(const char* tag)
    {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        if (ec) base = "/tmp";
        std::string templ = (base / (std::string("qyr7_fuzz_") + tag + "_XXXXXX")).string();
        if (::mkdtemp(templ.data()) != nullptr) path_ = templ;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Without a trailing slash; empty when no directory could be made.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// The run's scratch directory; the first call names it.
inline const std::string& Dir(const char* tag)
{
    static const ScratchDir dir(tag);
    return dir.Path();
}

} // namespace fuzzscratch
