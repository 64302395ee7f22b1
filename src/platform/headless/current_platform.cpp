// The program-wide platform. It lives here, beside the headless back end,
// because its default is the headless batch platform: code that runs before
// a GUI exists, or without one, must never wait for an answer.
#include "platform/headless/platform_headless.h"

namespace platform
{

namespace
{

Platform* installed = nullptr;

Platform& BatchPlatform()
{
    static PlatformHeadless batch(HeadlessMode::Batch);
    return batch;
}

} // namespace

Platform& CurrentPlatform()
{
    return installed ? *installed : BatchPlatform();
}

Platform* SetCurrentPlatform(Platform* platform)
{
    Platform* previous = installed;
    installed = platform;
    return previous;
}

} // namespace platform
