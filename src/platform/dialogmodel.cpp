#include "platform/dialoghost.h"

namespace platform
{

DialogControl& DialogModel::Control(const std::string& name)
{
    for (DialogControl& c : controls_)
        if (c.Name == name) return c;
    controls_.push_back(DialogControl{});
    controls_.back().Name = name;
    return controls_.back();
}

const DialogControl* DialogModel::FindControl(const std::string& name) const
{
    for (const DialogControl& c : controls_)
        if (c.Name == name) return &c;
    return nullptr;
}

} // namespace platform
