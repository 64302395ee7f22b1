#pragma once
#include "platform/clipboard.h"
#include "platform/cursor.h"

namespace platform
{

class ClipboardImplQt final : public Clipboard
{
  public:
    void SetText(const std::string& text) override;
    std::string Text() const override;
};

// The busy cursor is an application override cursor, so it shows over every
// window until the arrow comes back.
class CursorImplQt final : public Cursor
{
  public:
    void Set(CursorShape shape) override;
    CursorShape Current() const override { return shape_; }

  private:
    CursorShape shape_ = CursorShape::Default;
    bool overriding_ = false;
};

class SoundImplQt final : public Sound
{
  public:
    void Beep() override;
};

} // namespace platform
