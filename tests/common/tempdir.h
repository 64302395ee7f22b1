#pragma once
// Scratch directories of the tests. They live in the temporary directory
// (TMPDIR, else /tmp) under a "qyr7_" name, so that test.sh can tell that a
// run left nothing behind.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testdirs
{

// A new, empty, private directory "qyr7_" + tag + "_XXXXXX"; empty when none
// could be made (a test then fails on its first file).
inline std::string MakeTempDir(const std::string& tag)
{
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string templ = (base / ("qyr7_" + tag + "_XXXXXX")).string();
    const char* made = ::mkdtemp(templ.data());
    return made != nullptr ? std::string(made) : std::string();
}

// Removes a scratch directory with everything in it, also where a test took
// away the write or search permission of a directory inside.
inline void RemoveTempDir(const std::string& dir)
{
    if (dir.empty()) return;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    std::error_code walk;
    for (auto it = fs::recursive_directory_iterator(dir, fs::directory_options::skip_permission_denied, walk);
         !walk && it != fs::recursive_directory_iterator(); it.increment(walk)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(dir, ec);
}

// A scratch directory for one test body, removed however the test ends (a
// failed ASSERT returns early and skips the lines at the end).
class ScopedTempDir
{
  public:
    explicit ScopedTempDir(const std::string& tag) : path_(MakeTempDir(tag)) {}
    ~ScopedTempDir() { RemoveTempDir(path_); }
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

} // namespace testdirs
