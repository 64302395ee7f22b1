#pragma once
// The platform without a screen. It never blocks and never waits for a user.
//
// Scripted mode (tests): answers come from queues the test fills beforehand;
// every question is recorded with its caption and text so the test can check
// what the user would have seen. A question nobody scripted gets the safe
// default answer and is counted in Unscripted().
//
// Batch mode (command-line runs, and the program-wide default): a question
// gets its safe default answer (Cancel, else No; OK for information) and its
// text goes to stderr, so a batch run can be followed and never hangs.

#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform
{

enum class HeadlessMode { Scripted, Batch };

struct HeadlessSession {
    HeadlessMode Mode = HeadlessMode::Batch;
    std::ostream* Diagnostics = nullptr; // stderr when null
    std::ostream* Output = nullptr;      // stdout when null: text screens of a batch run
    // Where a batch run's answered prompts and dialogs go: the diagnostics
    // when null. A run that answers them as a matter of course keeps them
    // apart and names them only when it fails.
    std::ostream* Questions = nullptr;
    int Unscripted = 0; // questions asked in scripted mode without an answer queued

    std::ostream& Diag() const;
    std::ostream& Out() const;
    // Writes one line (Windows-1252 converted to UTF-8) to the diagnostics.
    void Note(const std::string& line) const;
    // The same for a prompt or dialog answered in a batch run.
    void Answered(const std::string& line) const;
};

class MessageBoxesImplHeadless final : public MessageBoxes
{
  public:
    struct Asked {
        MessageRequest Request;
        MessageAnswer Answer;
    };
    explicit MessageBoxesImplHeadless(HeadlessSession& session) : session_(session) {}
    MessageAnswer Show(const MessageRequest& request) override;

    void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    std::size_t PendingAnswers() const { return answers_.size(); }
    const std::vector<Asked>& AskedQuestions() const { return asked_; }
    void Reset();

  private:
    HeadlessSession& session_;
    std::deque<MessageAnswer> answers_;
    std::vector<Asked> asked_;
};

class FileDialogsImplHeadless final : public FileDialogs
{
  public:
    explicit FileDialogsImplHeadless(HeadlessSession& session) : session_(session) {}
    std::optional<std::string> Run(const FileDialogRequest& request) override;

    // A path, or nothing for Cancel.
    void QueueAnswer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
    std::size_t PendingAnswers() const { return answers_.size(); }
    const std::vector<FileDialogRequest>& Requests() const { return requests_; }
    void Reset();

  private:
    HeadlessSession& session_;
    std::deque<std::optional<std::string>> answers_;
    std::vector<FileDialogRequest> requests_;
};

class PromptsImplHeadless final : public Prompts
{
  public:
    explicit PromptsImplHeadless(HeadlessSession& session) : session_(session) {}
    std::optional<int> Select(const SelectionRequest& request) override;
    std::optional<std::string> AskText(const TextPromptRequest& request) override;
    void ShowTextScreen(const TextScreenRequest& request) override;
    std::optional<uint32_t> PickColour(const ColourRequest& request) override;
    std::optional<FontChoice> PickFont(const FontChoice& current) override;
    void QueueColour(std::optional<uint32_t> colour) { colours_.push_back(colour); }
    void QueueFont(std::optional<FontChoice> font) { fonts_.push_back(std::move(font)); }
    const std::vector<ColourRequest>& ColourRequests() const { return colourRequests_; }
    const std::vector<FontChoice>& FontRequests() const { return fontRequests_; }

    void QueueSelection(std::optional<int> index) { selections_.push_back(index); }
    void QueueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }
    std::size_t PendingAnswers() const { return selections_.size() + texts_.size(); }
    const std::vector<SelectionRequest>& Selections() const { return selectionRequests_; }
    const std::vector<TextPromptRequest>& TextPrompts() const { return textRequests_; }
    const std::vector<TextScreenRequest>& TextScreens() const { return screens_; }
    void Reset();

  private:
    HeadlessSession& session_;
    std::deque<std::optional<int>> selections_;
    std::deque<std::optional<std::string>> texts_;
    std::vector<SelectionRequest> selectionRequests_;
    std::vector<TextPromptRequest> textRequests_;
    std::vector<TextScreenRequest> screens_;
    std::deque<std::optional<uint32_t>> colours_;
    std::deque<std::optional<FontChoice>> fonts_;
    std::vector<ColourRequest> colourRequests_;
    std::vector<FontChoice> fontRequests_;
};

class DialogHostImplHeadless final : public DialogHost
{
  public:
    // Plays the user: may change the model's fields, returns the button.
    using Script = std::function<DialogResult(DialogModel&)>;
    struct Shown {
        std::string FormName;
        std::string Caption;
        DialogResult Result;
    };
    explicit DialogHostImplHeadless(HeadlessSession& session) : session_(session) {}
    DialogResult RunModal(DialogModel& model) override;

    void QueueScript(Script script) { scripts_.push_back(std::move(script)); }
    void QueueResult(DialogResult result)
    {
        scripts_.push_back([result](DialogModel&) { return result; });
    }
    std::size_t PendingAnswers() const { return scripts_.size(); }
    const std::vector<Shown>& ShownDialogs() const { return shown_; }
    void Reset();

  private:
    HeadlessSession& session_;
    std::deque<Script> scripts_;
    std::vector<Shown> shown_;
};

// Records every drawing call as one line of text, so that a test can compare
// what was drawn with what was meant.
class CanvasImplHeadless final : public Canvas
{
  public:
    CanvasImplHeadless(int width = 641, int height = 481) : width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void SetFont(const Font& font) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(const Rect& box) override;
    void Arc(const Rect& box, Point start, Point end) override;
    void Polygon(const std::vector<Point>& points) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Clear(Colour colour) override;

    void Resize(int width, int height)
    {
        width_ = width;
        height_ = height;
    }
    const std::vector<std::string>& Records() const { return records_; }
    void ClearRecords() { records_.clear(); }
    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    const Font& CurrentFont() const { return font_; }
    Point CurrentPosition() const { return position_; }

  private:
    int width_;
    int height_;
    Pen pen_;
    Brush brush_;
    Font font_;
    Point position_;
    std::vector<std::string> records_;
};

class WindowImplHeadless final : public Window
{
  public:
    void SetTitle(const std::string& title) override { title_ = title; }
    std::string Title() const override { return title_; }
    int ClientWidth() const override { return canvas_.Width(); }
    int ClientHeight() const override { return canvas_.Height(); }
    void SetClientSize(int width, int height) override;
    void Invalidate() override { ++invalidations_; }
    void Show() override { visible_ = true; }
    void Close() override;
    void ProcessPendingEvents() override { ++eventRounds_; }

    // Paints now: forgets the recorded calls and runs OnPaint on the canvas.
    CanvasImplHeadless& Paint();
    CanvasImplHeadless& ClientCanvas() { return canvas_; }
    int Invalidations() const { return invalidations_; }
    int EventRounds() const { return eventRounds_; }
    bool Visible() const { return visible_; }
    void Reset();

  private:
    std::string title_;
    CanvasImplHeadless canvas_;
    int invalidations_ = 0;
    int eventRounds_ = 0;
    bool visible_ = false;
};

// A printer whose pages are recording canvases, A4 at 300 dpi.
class PrinterImplHeadless final : public Printer
{
  public:
    explicit PrinterImplHeadless(HeadlessSession& session) : session_(session) {}
    void SetOrientation(PageOrientation orientation) override { orientation_ = orientation; }
    PageOrientation Orientation() const override { return orientation_; }
    bool ChoosePrinter() override;
    bool HasDestination() const override { return true; }
    // A batch run prints nothing: there is nobody to take the paper.
    bool BeginDoc(const std::string& title) override;
    std::string FailureCause() const override { return cause_; }
    void NewPage() override;
    bool EndDoc() override;
    void Abort() override;
    bool Printing() const override { return printing_; }
    // A4 at 300 dpi, its sides swapped in landscape.
    int PageWidthPixels() const override { return Landscape() ? 3508 : 2480; }
    int PageHeightPixels() const override { return Landscape() ? 2480 : 3508; }
    double PageWidthMm() const override { return Landscape() ? 297.0 : 210.0; }
    double PageHeightMm() const override { return Landscape() ? 210.0 : 297.0; }
    Canvas& PageCanvas() override;

    // Whether the print dialog is answered with OK in scripted mode; a batch
    // run cancels it.
    bool ChooseAnswer = true;
    struct Document {
        std::string Title;
        PageOrientation Orientation = PageOrientation::Portrait;
        std::vector<std::unique_ptr<CanvasImplHeadless>> Pages;
    };
    const std::vector<Document>& PrintedDocuments() const { return printed_; }
    void Reset();

  private:
    bool Landscape() const { return orientation_ == PageOrientation::Landscape; }

    HeadlessSession& session_;
    bool printing_ = false;
    std::string cause_;
    PageOrientation orientation_ = PageOrientation::Portrait;
    Document current_;
    std::vector<Document> printed_;
};

class ClipboardImplHeadless final : public Clipboard
{
  public:
    void SetText(const std::string& text) override { text_ = text; }
    std::string Text() const override { return text_; }
    void Reset() { text_.clear(); }

  private:
    std::string text_;
};

// Records what would have been started. Tests get the queued result (or
// "started"); a batch run starts nothing and says so on stderr.
class LauncherImplHeadless final : public Launcher
{
  public:
    struct Launch {
        std::string Program; // empty for a document
        std::vector<std::string> Arguments;
        std::string Document;
    };
    explicit LauncherImplHeadless(HeadlessSession& session) : session_(session) {}
    LaunchResult StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
    LaunchResult OpenDocument(const std::string& document) override;
    // Scripted: whether a program for the type is there (HasApplication),
    // said in the words of a desktop that has none; a batch run has none.
    LaunchResult FindApplicationFor(const std::string& mimeType) override;
    bool HasApplication = true;

    void QueueResult(LaunchResult result) { results_.push_back(std::move(result)); }
    const std::vector<Launch>& Launches() const { return launches_; }
    void Reset();

  private:
    LaunchResult Answer(const std::string& what);
    HeadlessSession& session_;
    std::deque<LaunchResult> results_;
    std::vector<Launch> launches_;
};

class CursorImplHeadless final : public Cursor
{
  public:
    void Set(CursorShape shape) override
    {
        shape_ = shape;
        history_.push_back(shape);
    }
    CursorShape Current() const override { return shape_; }
    const std::vector<CursorShape>& History() const { return history_; }
    void Reset()
    {
        shape_ = CursorShape::Default;
        history_.clear();
    }

  private:
    CursorShape shape_ = CursorShape::Default;
    std::vector<CursorShape> history_;
};

class SoundImplHeadless final : public Sound
{
  public:
    void Beep() override { ++beeps_; }
    int Beeps() const { return beeps_; }
    void Reset() { beeps_ = 0; }

  private:
    int beeps_ = 0;
};

namespace detail
{
// Constructed before the Platform base so that its references are bound to
// living objects.
struct HeadlessParts {
    explicit HeadlessParts(HeadlessMode mode);
    HeadlessSession Session;
    MessageBoxesImplHeadless MessagesImpl;
    FileDialogsImplHeadless FilesImpl;
    PromptsImplHeadless PromptsImpl;
    DialogHostImplHeadless DialogsImpl;
    WindowImplHeadless WindowImpl;
    PrinterImplHeadless PrinterImpl;
    ClipboardImplHeadless ClipboardImpl;
    LauncherImplHeadless LauncherImpl;
    CursorImplHeadless CursorImpl;
    SoundImplHeadless SoundImpl;
};
} // namespace detail

class PlatformHeadless final : private detail::HeadlessParts, public Platform
{
  public:
    explicit PlatformHeadless(HeadlessMode mode = HeadlessMode::Scripted);

    HeadlessMode Mode() const { return Session.Mode; }
    int Unscripted() const { return Session.Unscripted; }
    // Where batch notes and text screens go (stderr and stdout when null).
    void SetStreams(std::ostream* diagnostics, std::ostream* output);

    MessageBoxesImplHeadless& HeadlessMessages() { return MessagesImpl; }
    FileDialogsImplHeadless& HeadlessFiles() { return FilesImpl; }
    PromptsImplHeadless& HeadlessPrompts() { return PromptsImpl; }
    DialogHostImplHeadless& HeadlessDialogs() { return DialogsImpl; }
    WindowImplHeadless& HeadlessWindow() { return WindowImpl; }
    PrinterImplHeadless& HeadlessPrinter() { return PrinterImpl; }
    ClipboardImplHeadless& HeadlessClipboard() { return ClipboardImpl; }
    LauncherImplHeadless& HeadlessLauncher() { return LauncherImpl; }
    CursorImplHeadless& HeadlessCursor() { return CursorImpl; }
    SoundImplHeadless& HeadlessSound() { return SoundImpl; }

    // Forgets every recorded question and queued answer.
    void Reset();
};

} // namespace platform
