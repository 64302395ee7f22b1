#pragma once
// Open and save dialogs. A cancelled dialog is an empty optional, never an
// empty path, so a caller cannot mistake Cancel for a file called "".

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform
{

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind Kind = FileDialogKind::Open;
    std::string Caption;
    // Pairs of description and pattern separated by "|", as the program
    // writes them: "*.qy7|*.qy7" or "Text|*.txt|All files|*.*". Several
    // patterns of one entry are separated by ";".
    std::string Filter;
    std::string InitialDir;
    std::string InitialName;
};

struct FileFilterEntry {
    std::string Description;
    std::vector<std::string> Patterns;
    friend bool operator==(const FileFilterEntry&, const FileFilterEntry&) = default;
};

// Splits a "|" filter into its entries. A trailing description without a
// pattern uses the description as its pattern; empty entries are skipped.
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);

class FileDialogs
{
  public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> Run(const FileDialogRequest& request) = 0;
};

} // namespace platform
