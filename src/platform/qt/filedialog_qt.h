#pragma once
#include <QString>

#include "platform/filedialog.h"

namespace platform
{

// The program's "|" filter as Qt's name filter: "Text (*.txt);;All files (*.*)".
QString ToQtNameFilter(const std::string& filter);

// Qt's own file dialog (not the desktop's), so that it behaves the same on
// every desktop and can be driven in tests.
class FileDialogsImplQt final : public FileDialogs
{
  public:
    std::optional<std::string> Run(const FileDialogRequest& request) override;
};

} // namespace platform
