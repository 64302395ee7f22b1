#include "platform/headless/platform_headless.h"

#include <iostream>
#include <sstream>

#include "platform/codepage.h"

namespace platform
{

namespace
{

// "Error  : " + text reads as "Error  : text"; a caption without its own
// colon gets one.
std::string CaptionAndText(const std::string& caption, const std::string& text)
{
    std::string head = caption;
    while (!head.empty() && head.back() == ' ')
        head.pop_back();
    if (head.empty()) return text;
    if (head.back() != ':') head += ':';
    return head + " " + text;
}

template <class T>
bool TakeScripted(HeadlessSession& session, std::deque<T>& queue, T& answer, const std::string& what)
{
    if (session.Mode == HeadlessMode::Scripted && !queue.empty()) {
        answer = std::move(queue.front());
        queue.pop_front();
        return true;
    }
    if (session.Mode == HeadlessMode::Scripted) {
        ++session.Unscripted;
        session.Note("unscripted question: " + what);
    }
    return false;
}

std::string ColourText(Colour c)
{
    return std::to_string(c.Red) + "," + std::to_string(c.Green) + "," + std::to_string(c.Blue);
}

const char* PenStyleName(PenStyle s)
{
    switch (s) {
    case PenStyle::Solid:
        return "solid";
    case PenStyle::Dash:
        return "dash";
    case PenStyle::Dot:
        return "dot";
    case PenStyle::DashDot:
        return "dashdot";
    case PenStyle::Clear:
        return "clear";
    }
    return "?";
}

std::string RectText(const Rect& r)
{
    return std::to_string(r.Left) + " " + std::to_string(r.Top) + " " + std::to_string(r.Right) + " " +
           std::to_string(r.Bottom);
}

} // namespace

// ---------------------------------------------------------------- session

std::ostream& HeadlessSession::Diag() const
{
    return Diagnostics ? *Diagnostics : std::cerr;
}

std::ostream& HeadlessSession::Out() const
{
    return Output ? *Output : std::cout;
}

void HeadlessSession::Note(const std::string& line) const
{
    Diag() << Cp1252ToUtf8(line) << '\n';
    Diag().flush();
}

void HeadlessSession::Answered(const std::string& line) const
{
    if (Questions == nullptr)
        Note(line);
    else
        *Questions << line << '\n'; // Windows-1252, as the run's own lines
}

// ---------------------------------------------------------- message boxes

MessageAnswer MessageBoxesImplHeadless::Show(const MessageRequest& request)
{
    MessageAnswer answer = SafeDefaultAnswer(request.Buttons);
    bool scripted = TakeScripted(session_, answers_, answer, CaptionAndText(request.Caption, request.Text));
    asked_.push_back({request, answer});
    if (!scripted && session_.Mode == HeadlessMode::Batch) {
        std::string line = CaptionAndText(request.Caption, request.Text);
        if (request.Buttons != MessageButtons::Ok)
            line += "  [" + std::string(MessageAnswerName(answer)) + "]";
        session_.Note(line);
    }
    return answer;
}

void MessageBoxesImplHeadless::Reset()
{
    answers_.clear();
    asked_.clear();
}

// ----------------------------------------------------------- file dialogs

std::optional<std::string> FileDialogsImplHeadless::Run(const FileDialogRequest& request)
{
    requests_.push_back(request);
    std::optional<std::string> answer;
    std::string what = std::string(request.Kind == FileDialogKind::Open ? "open" : "save") + " dialog " +
                       request.Caption + " (" + request.Filter + ")";
    bool scripted = TakeScripted(session_, answers_, answer, what);
    if (!scripted) answer.reset();
    if (!scripted && session_.Mode == HeadlessMode::Batch)
        session_.Note(what + ": no file chosen in a batch run");
    return answer;
}

void FileDialogsImplHeadless::Reset()
{
    answers_.clear();
    requests_.clear();
}

// ---------------------------------------------------------------- prompts

std::optional<int> PromptsImplHeadless::Select(const SelectionRequest& request)
{
    selectionRequests_.push_back(request);
    std::optional<int> answer;
    bool scripted =
        TakeScripted(session_, selections_, answer, CaptionAndText(request.Caption, request.Prompt));
    if (!scripted) {
        answer.reset();
        if (session_.Mode == HeadlessMode::Batch)
            session_.Answered(CaptionAndText(request.Caption, request.Prompt) + "  [Cancel]");
    }
    return answer;
}

std::optional<std::string> PromptsImplHeadless::AskText(const TextPromptRequest& request)
{
    textRequests_.push_back(request);
    std::optional<std::string> answer;
    bool scripted = TakeScripted(session_, texts_, answer, CaptionAndText(request.Caption, request.Prompt));
    if (!scripted) {
        answer.reset();
        if (session_.Mode == HeadlessMode::Batch)
            session_.Answered(CaptionAndText(request.Caption, request.Prompt) + "  [Cancel]");
    }
    return answer;
}

void PromptsImplHeadless::ShowTextScreen(const TextScreenRequest& request)
{
    screens_.push_back(request);
    // In a batch run the screen is the output itself (the usage text).
    if (session_.Mode == HeadlessMode::Batch) {
        for (const auto& line : request.Lines)
            session_.Out() << Cp1252ToUtf8(line) << '\n';
        session_.Out().flush();
    }
}

std::optional<uint32_t> PromptsImplHeadless::PickColour(const ColourRequest& request)
{
    colourRequests_.push_back(request);
    std::optional<uint32_t> answer;
    if (!TakeScripted(session_, colours_, answer, request.Caption)) answer.reset();
    return answer;
}

std::optional<FontChoice> PromptsImplHeadless::PickFont(const FontChoice& current)
{
    fontRequests_.push_back(current);
    std::optional<FontChoice> answer;
    if (!TakeScripted(session_, fonts_, answer, "Font " + current.Name)) answer.reset();
    return answer;
}

void PromptsImplHeadless::Reset()
{
    colours_.clear();
    fonts_.clear();
    colourRequests_.clear();
    fontRequests_.clear();
    selections_.clear();
    texts_.clear();
    selectionRequests_.clear();
    textRequests_.clear();
    screens_.clear();
}

// ------------------------------------------------------------ dialog host

DialogResult DialogHostImplHeadless::RunModal(DialogModel& model)
{
    Script script;
    std::string what = CaptionAndText(model.Caption(), "dialog " + model.FormName());
    bool scripted = TakeScripted(session_, scripts_, script, what);
    DialogResult result = DialogResult::Cancel;
    if (scripted && script)
        result = script(model);
    else if (session_.Mode == HeadlessMode::Batch)
        session_.Answered(what + "  [Cancel]");
    shown_.push_back({model.FormName(), model.Caption(), result});
    return result;
}

void DialogHostImplHeadless::Reset()
{
    scripts_.clear();
    shown_.clear();
}

// ----------------------------------------------------------------- canvas

void CanvasImplHeadless::SetPen(const Pen& pen)
{
    pen_ = pen;
    records_.push_back("pen " + ColourText(pen.Colour) + " " + std::to_string(pen.Width) + " " +
                       PenStyleName(pen.Style) + (pen.Mode == PenMode::Invert ? " invert" : " copy"));
}

void CanvasImplHeadless::SetBrush(const Brush& brush)
{
    brush_ = brush;
    records_.push_back("brush " + ColourText(brush.Colour) +
                       (brush.Style == BrushStyle::Clear ? " clear" : " solid"));
}

void CanvasImplHeadless::SetFont(const Font& font)
{
    font_ = font;
    std::string style;
    if (font.Italic) style += " italic";
    if (font.Underline) style += " underline";
    if (font.StrikeOut) style += " strikeout";
    records_.push_back("font " + font.Face + " " + std::to_string(font.Height) + " " +
                       std::to_string(font.Width) + " " + std::to_string(font.Escapement) + " " +
                       std::to_string(font.Weight) + style + " " + ColourText(font.Colour));
}

void CanvasImplHeadless::MoveTo(int x, int y)
{
    position_ = {x, y};
    records_.push_back("moveto " + std::to_string(x) + " " + std::to_string(y));
}

void CanvasImplHeadless::LineTo(int x, int y)
{
    position_ = {x, y};
    records_.push_back("lineto " + std::to_string(x) + " " + std::to_string(y));
}

void CanvasImplHeadless::Ellipse(const Rect& box)
{
    records_.push_back("ellipse " + RectText(box));
}

void CanvasImplHeadless::Arc(const Rect& box, Point start, Point end)
{
    records_.push_back("arc " + RectText(box) + " " + std::to_string(start.X) + " " +
                       std::to_string(start.Y) + " " + std::to_string(end.X) + " " + std::to_string(end.Y));
}

void CanvasImplHeadless::Polygon(const std::vector<Point>& points)
{
    std::string line = "polygon " + std::to_string(points.size());
    for (const auto& p : points)
        line += " " + std::to_string(p.X) + " " + std::to_string(p.Y);
    records_.push_back(line);
}

void CanvasImplHeadless::TextOut(int x, int y, const std::string& text)
{
    records_.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " + text);
}

void CanvasImplHeadless::Clear(Colour colour)
{
    records_.push_back("clear " + ColourText(colour));
}

// ----------------------------------------------------------------- window

void WindowImplHeadless::SetClientSize(int width, int height)
{
    canvas_.Resize(width, height);
    if (OnResize) OnResize({width, height});
}

void WindowImplHeadless::Close()
{
    if (OnCloseQuery && !OnCloseQuery()) return;
    visible_ = false;
}

CanvasImplHeadless& WindowImplHeadless::Paint()
{
    canvas_.ClearRecords();
    if (OnPaint) OnPaint(canvas_);
    return canvas_;
}

void WindowImplHeadless::Reset()
{
    title_.clear();
    canvas_.ClearRecords();
    invalidations_ = 0;
    eventRounds_ = 0;
    visible_ = false;
}

// ---------------------------------------------------------------- printer

bool PrinterImplHeadless::ChoosePrinter()
{
    if (session_.Mode == HeadlessMode::Batch) {
        session_.Note("print dialog: nothing is printed in a batch run  [Cancel]");
        return false;
    }
    return ChooseAnswer;
}

bool PrinterImplHeadless::BeginDoc(const std::string& title)
{
    cause_.clear();
    if (printing_)
        cause_ = "another printout is still running";
    else if (session_.Mode == HeadlessMode::Batch)
        cause_ = "nothing is printed in a batch run";
    if (!cause_.empty()) return false;
    printing_ = true;
    current_ = Document{};
    current_.Title = title;
    current_.Orientation = orientation_;
    current_.Pages.push_back(std::make_unique<CanvasImplHeadless>(PageWidthPixels(), PageHeightPixels()));
    return true;
}

void PrinterImplHeadless::NewPage()
{
    if (printing_)
        current_.Pages.push_back(std::make_unique<CanvasImplHeadless>(PageWidthPixels(), PageHeightPixels()));
}

bool PrinterImplHeadless::EndDoc()
{
    if (!printing_) return true;
    printing_ = false;
    printed_.push_back(std::move(current_));
    current_ = Document{};
    return true;
}

void PrinterImplHeadless::Abort()
{
    printing_ = false;
    current_ = Document{};
}

Canvas& PrinterImplHeadless::PageCanvas()
{
    // Drawing outside a document goes to a scratch page that is never
    // printed, rather than to nowhere.
    if (current_.Pages.empty())
        current_.Pages.push_back(std::make_unique<CanvasImplHeadless>(PageWidthPixels(), PageHeightPixels()));
    return *current_.Pages.back();
}

void PrinterImplHeadless::Reset()
{
    ChooseAnswer = true;
    orientation_ = PageOrientation::Portrait;
    printing_ = false;
    cause_.clear();
    current_ = Document{};
    printed_.clear();
}

// --------------------------------------------------------------- launcher

LaunchResult LauncherImplHeadless::Answer(const std::string& what)
{
    if (session_.Mode == HeadlessMode::Batch) {
        session_.Note("not started in a batch run: " + what);
        return {false, 0, "programs are not started in a batch run"};
    }
    if (!results_.empty()) {
        LaunchResult r = std::move(results_.front());
        results_.pop_front();
        return r;
    }
    return {true, 0, {}};
}

LaunchResult LauncherImplHeadless::StartProgram(const std::string& program,
                                                const std::vector<std::string>& arguments)
{
    launches_.push_back({program, arguments, {}});
    std::string what = program;
    for (const auto& a : arguments)
        what += " " + a;
    return Answer(what);
}

LaunchResult LauncherImplHeadless::OpenDocument(const std::string& document)
{
    launches_.push_back({{}, {}, document});
    return Answer(document);
}

LaunchResult LauncherImplHeadless::FindApplicationFor(const std::string& mimeType)
{
    if (session_.Mode == HeadlessMode::Batch) {
        session_.Note("no desktop program for " + mimeType + " in a batch run");
        return {false, 0, "no desktop program for " + mimeType + " in a batch run"};
    }
    if (!HasApplication) return {false, 0, "the desktop names no program for " + mimeType + " documents"};
    return {true, 0, {}};
}

void LauncherImplHeadless::Reset()
{
    HasApplication = true;
    results_.clear();
    launches_.clear();
}

// --------------------------------------------------------------- platform

detail::HeadlessParts::HeadlessParts(HeadlessMode mode)
    : Session{mode}, MessagesImpl(Session), FilesImpl(Session), PromptsImpl(Session), DialogsImpl(Session),
      PrinterImpl(Session), LauncherImpl(Session)
{
}

PlatformHeadless::PlatformHeadless(HeadlessMode mode)
    : HeadlessParts(mode), Platform(MessagesImpl, FilesImpl, PromptsImpl, DialogsImpl, WindowImpl,
                                    PrinterImpl, ClipboardImpl, LauncherImpl, CursorImpl, SoundImpl)
{
}

void PlatformHeadless::SetStreams(std::ostream* diagnostics, std::ostream* output)
{
    Session.Diagnostics = diagnostics;
    Session.Output = output;
}

void PlatformHeadless::Reset()
{
    Session.Unscripted = 0;
    MessagesImpl.Reset();
    FilesImpl.Reset();
    PromptsImpl.Reset();
    DialogsImpl.Reset();
    WindowImpl.Reset();
    PrinterImpl.Reset();
    ClipboardImpl.Reset();
    LauncherImpl.Reset();
    CursorImpl.Reset();
    SoundImpl.Reset();
}

} // namespace platform
