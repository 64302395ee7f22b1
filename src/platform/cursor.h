#pragma once
// The screen cursor (hourglass while a calculation runs) and the warning beep.

namespace platform
{

enum class CursorShape { Default, Arrow, Hourglass };

class Cursor
{
  public:
    virtual ~Cursor() = default;
    virtual void Set(CursorShape shape) = 0;
    virtual CursorShape Current() const = 0;
};

class Sound
{
  public:
    virtual ~Sound() = default;
    virtual void Beep() = 0;
};

} // namespace platform
