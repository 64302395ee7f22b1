#pragma once
#include "platform/messagebox.h"

namespace platform
{

// QMessageBox, modal for the whole application, owned by the active window.
class MessageBoxesImplQt final : public MessageBoxes
{
  public:
    MessageAnswer Show(const MessageRequest& request) override;
};

} // namespace platform
