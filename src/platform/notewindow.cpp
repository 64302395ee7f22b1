// Note windows: the factory a GUI installs, and the stand-in used without a
// screen (fixed text metrics, an 800 x 600 screen, the text echoed as one
// line to a stream only when a caller asked for it). It lives in the platform
// library itself so that every library above can create notes.
#include "platform/notewindow.h"

#include <ostream>
#include <utility>

namespace platform
{

namespace
{

NoteWindowFactory factory;
std::ostream* echo = nullptr;

class NoteWindowImplHeadless final : public NoteWindow
{
  public:
    // A fixed-pitch 8 x 16 font stands in for the window's font.
    NoteExtent MeasureText(const std::string& text) override
    {
        return NoteExtent{static_cast<int>(text.size()) * 8, 16};
    }
    int MeasureCaption(const std::string& caption) override { return static_cast<int>(caption.size()) * 8; }
    int CaptionHeight() override { return 20; }
    std::optional<NoteRect> OwnerBounds() override { return std::nullopt; }
    NoteRect ScreenBounds() override { return NoteRect{0, 0, 800, 600}; }
    void Place(const NoteRect&, bool, const std::string& caption) override { caption_ = caption; }
    void SetText(const std::string& text) override
    {
        if (echo) *echo << (caption_.empty() ? std::string() : caption_ + " ") << text << '\n' << std::flush;
    }

  private:
    std::string caption_;
};

} // namespace

std::unique_ptr<NoteWindow> CreateNoteWindow()
{
    if (factory) return factory();
    return std::make_unique<NoteWindowImplHeadless>();
}

NoteWindowFactory SetNoteWindowFactory(NoteWindowFactory f)
{
    return std::exchange(factory, std::move(f));
}

std::ostream* SetHeadlessNoteEcho(std::ostream* stream)
{
    return std::exchange(echo, stream);
}

} // namespace platform
