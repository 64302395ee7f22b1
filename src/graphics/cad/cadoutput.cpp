#include "graphics/cad/cadoutput.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/runtempdir.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "graphics/cad/blockreader.h"
#include "graphics/cad/caddevice.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadfiles.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cad/cadtarget.h"
#include "graphics/cad/dxfdevice.h"
#include "graphics/cad/screendevice.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "graphics/graphservices.h"
#include "platform/platform.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"

#include <cerrno>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace
{

TCadState& S = cadstate;

// The device of a block being defined. The block is announced to the device
// only with its first entity: a block that stays empty (a bearing block
// when no bearing is chosen) is never written, since strict readers refuse
// a block without members. Settings made before the first entity (layer,
// text style) reach the device after the announcement, as they came, or at
// the end of an empty block, so the device's state is the same either way.
class TCadBlockGate final : public TCadDevice
{
  public:
    // Announce: hands the block to the device (its definition starts).
    void Start(TCadDevice* Target, std::function<void()> Announce)
    {
        target_ = Target;
        announce_ = std::move(Announce);
        opened_ = false;
        held_.clear();
    }
    bool Opened() const { return opened_; }
    // Ends the gate: settings still held reach the device.
    void Stop()
    {
        PassHeld();
        target_ = nullptr;
    }

    void SetLayer(int N) override
    {
        Setting([=](TCadDevice& D) { D.SetLayer(N); });
    }
    void SetLineStyle(int Style) override
    {
        Setting([=](TCadDevice& D) { D.SetLineStyle(Style); });
    }
    void SetTextStyle(int N, Extended Angle, Extended Height, Extended Width) override
    {
        Setting([=](TCadDevice& D) { D.SetTextStyle(N, Angle, Height, Width); });
    }
    void Line(Extended X1, Extended Y1, Extended X2, Extended Y2) override { Open().Line(X1, Y1, X2, Y2); }
    void Circle(Extended X, Extended Y, Extended R) override { Open().Circle(X, Y, R); }
    void Arc(Extended X, Extended Y, Extended Start, Extended End, Extended R) override
    {
        Open().Arc(X, Y, Start, End, R);
    }
    void FilledCircle(Extended X, Extended Y, Extended R) override { Open().FilledCircle(X, Y, R); }
    void Solid(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended X3, Extended Y3, Extended X4,
               Extended Y4) override
    {
        Open().Solid(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    }
    void Text(const std::string& Text, Extended X, Extended Y, const TCadTextStyle& Style) override
    {
        Open().Text(Text, X, Y, Style);
    }
    void Insert(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended SX,
                Extended SY) override
    {
        Open().Insert(Name, X, Y, Angle, SX, SY);
    }
    bool HasPolylines() const override { return target_ != nullptr && target_->HasPolylines(); }
    void BeginPolyline(uint8_t Flags) override { Open().BeginPolyline(Flags); }
    void Vertex(Extended X, Extended Y, Extended Bulge) override { Open().Vertex(X, Y, Bulge); }
    void EndPolyline() override { Open().EndPolyline(); }

  private:
    void Setting(std::function<void(TCadDevice&)> Call)
    {
        if (opened_)
            Call(*target_);
        else
            held_.push_back(std::move(Call));
    }
    void PassHeld()
    {
        if (target_ != nullptr)
            for (auto& call : held_)
                call(*target_);
        held_.clear();
    }
    TCadDevice& Open()
    {
        if (!opened_) {
            opened_ = true;
            if (announce_) announce_();
            PassHeld();
        }
        return *target_;
    }

    TCadDevice* target_ = nullptr;
    std::function<void()> announce_;
    bool opened_ = false;
    std::vector<std::function<void(TCadDevice&)>> held_;
};

// The one open output.
struct TOpenOutput {
    bool open = false;
    int device = 0;
    TCadOutputFile file;
    std::unique_ptr<TCadDevice> dev;
    TCadBlockStore blocks;
    // Block file being written (screen and STL devices).
    TCadFileStream blockStream;
    std::string blockPath;
    std::string blockName;
    std::unique_ptr<TCadDxfDevice> blockDev;
    // Blocks this DXF file defines: folded name to the name as defined.
    std::map<std::string, std::string> defined;
    // Why a block file of this output could not be written: the drawing
    // lacks that block, so the output is not put in place.
    std::string blockFailure;
    // The block being defined (between CadBeginBlock and CadEndBlock).
    TCadBlockGate gate;
    bool inBlock = false;
    std::string gateName;
    // Blocks that ended without an entity (folded names): not inserted.
    std::set<std::string> emptyBlocks;
};

TOpenOutput& Out()
{
    static TOpenOutput o;
    return o;
}

std::string Folded(std::string Name)
{
    for (char& c : Name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return Name;
}

bool BlockFileDevice(int Device)
{
    return Device == 3 || Device == 6;
}

// Ends the block file being written; Keep false removes it.
void CloseBlockFile(bool Keep)
{
    TOpenOutput& o = Out();
    if (!o.blockDev && !o.blockStream.is_open()) return;
    if (Keep && o.blockDev) o.blockDev->Finish();
    o.blockDev.reset();
    cadtarget.BlockFile = nullptr;
    if (o.blockStream.is_open()) {
        o.blockStream.close();
        const bool ok = static_cast<bool>(o.blockStream);
        if (!ok || !Keep) std::remove(o.blockPath.c_str());
        if (!ok && Keep && o.blockFailure.empty())
            o.blockFailure = CannotBeWrittenText(o.blockPath, o.blockStream.Failure());
    }
    o.blocks.Forget(o.blockName);
    o.blockPath.clear();
    o.blockName.clear();
}

// Ends the block being defined; false when it stayed empty (it is then
// known as empty, and its inserts are left out), true when it has entities
// or no block was open.
bool CloseBlockGate()
{
    TOpenOutput& o = Out();
    if (!o.inBlock) return true;
    const bool opened = o.gate.Opened();
    o.gate.Stop();
    o.inBlock = false;
    cadtarget.Block = nullptr;
    if (!opened) o.emptyBlocks.insert(Folded(o.gateName));
    return opened;
}

void OpenBlockGate(TCadDevice* Target, const std::string& Name, std::function<void()> Announce)
{
    TOpenOutput& o = Out();
    o.emptyBlocks.erase(Folded(Name));
    o.gate.Start(Target, std::move(Announce));
    o.gateName = Name;
    o.inBlock = true;
    cadtarget.Block = &o.gate;
}

const char* DeviceExtension(int Device)
{
    switch (Device) {
    case 1:
        return "dxf";
    case 2:
        return "igs";
    case 5:
        return "txt";
    case 6:
        return "stl";
    default:
        return "";
    }
}

// The file name of a file device: the save dialog (unless skipped), the
// device's extension in place of any typed one, and the name check.
bool AskFileName(int Device)
{
    const std::string ext = DeviceExtension(Device);
    const std::string& proposal = telmvar.ProjectName;
    if (wtelmvar.CadSkipSaveDialog) {
        S.CadFileName = proposal + "." + ext;
        return true;
    }
    platform::FileDialogRequest r;
    r.Kind = platform::FileDialogKind::Save;
    r.Caption = "Save";
    r.Filter = "*." + ext + "|*." + ext + "|*.*|*.*";
    r.InitialDir = AddTrailingBackslash(telmvar.CadDir);
    r.InitialName = FileNameNoExt(proposal);
    const std::optional<std::string> chosen = platform::CurrentPlatform().Files().Run(r);
    if (!chosen) {
        telmvar.Aborted = true;
        return false;
    }
    if (chosen->empty()) {
        telmvar.Aborted = true;
        S.CadFileName.clear();
        return false;
    }
    // Only a dot in the file's own name is an extension, not one in a
    // directory name.
    const std::string dir = FileDirPart(*chosen);
    const std::string file = chosen->substr(dir.size());
    const size_t dot = file.find('.');
    S.CadFileName = dir + (dot == std::string::npos ? file : file.substr(0, dot)) + "." + ext;
    reportservices.CheckFileName(S.CadFileName);
    return !telmvar.Aborted;
}

bool OpenOutputFile()
{
    TOpenOutput& o = Out();
    if (o.file.Open(S.CadFileName)) return true;
    reportservices.ShowMessageIfEnabled(CannotBeWrittenText(S.CadFileName, o.file.Failure()));
    telmvar.Aborted = true;
    return false;
}

// The plot program's command line as program and arguments (blanks
// separate them; the line is at most 255 characters, as the plot program
// has always been given it).
void StartPlotProgram()
{
    std::string line = cadsettings.PlotCmdLines[std::clamp<int>(cadsettings.PlotCmdIndex, 1, 5)];
    if (line.size() > 255) line.resize(255);
    std::vector<std::string> words;
    size_t p = 0;
    while (p < line.size()) {
        const size_t s = line.find_first_not_of(' ', p);
        if (s == std::string::npos) break;
        const size_t e = line.find(' ', s);
        words.push_back(line.substr(s, e == std::string::npos ? std::string::npos : e - s));
        p = e == std::string::npos ? line.size() : e;
    }
    std::string message;
    if (words.empty()) {
        message = "file not found";
    } else {
        const std::string program = words.front();
        words.erase(words.begin());
        const platform::LaunchResult r = platform::CurrentPlatform().Launch().StartProgram(program, words);
        if (!r.Started) {
            if (r.ErrorCode == ENOMEM)
                message = "out of memory !";
            else if (r.ErrorCode == ENOENT || r.ErrorCode == ENOTDIR || r.ErrorCode == 0)
                message = "file not found";
            else
                message = "Exec error " + std::to_string(r.ErrorCode);
        }
    }
    if (!message.empty()) reportservices.ShowMessageIfEnabled(message);
    platform::CurrentPlatform().ScreenCursor().Set(platform::CursorShape::Arrow);
}

void InsertFromFile(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended SX, Extended SY)
{
    S.CadBlockCount = 0;
    S.BlockInsX = 0;
    S.BlockInsY = 0;
    S.BlockInsAngle = 0;
    S.BlockInsScaleX = 1;
    S.BlockInsScaleY = 1;
    ReadDxfBlockFile(Out().blocks, Name, X, Y, Angle, SX, SY);
}

} // namespace

TCadBlockStore& CadBlockFiles()
{
    return Out().blocks;
}

bool CadOutputIsOpen()
{
    return Out().open;
}

void CadAbandonOutput()
{
    TOpenOutput& o = Out();
    o.gate.Start(nullptr, nullptr);
    o.inBlock = false;
    o.emptyBlocks.clear();
    CloseBlockFile(false);
    o.file.Abandon();
    o.blocks.Close();
    if (o.open && o.device == 3) CadScreen().SetNormalCursor();
    o.dev.reset();
    o.defined.clear();
    o.open = false;
    o.device = 0;
    S.CadInBlockSection = false;
    ResetCadTarget();
}

void ResetCadOutput()
{
    CadAbandonOutput();
    CadEndPolyline();
}

TCadOutputScope::~TCadOutputScope()
{
    if (CadOutputIsOpen()) CadAbandonOutput();
}

void SetCadDevice(int Device)
{
    S.CadDevice = static_cast<uint16_t>(Device);
}

void CadChooseDevice()
{
    auto& items = telmvar.TextItems;
    items[1] = "DXF";
    items[2] = "IGES";
    items[3] = "Control Output to Screen";
    items[4] = "KORVILT - Send to Printer/Plotter";
    items[5] = "TXT";
    items[6] = "STL";
    reportservices.SetInputHelpNumber(2050);
    uint16_t choice = S.CadDevice;
    reportservices.AskSelect("CAD Code", 6, choice);
    if (telmvar.Aborted) return;
    S.CadDevice = choice;
    if (choice != 4) return;

    TCadSettings& C = cadsettings;
    const int count = std::clamp<int>(C.PlotCmdCount, 1, 5);
    if (count >= 2) {
        for (int i = 1; i <= count; ++i)
            items[i] = C.PlotCmdLines[i];
        reportservices.SetInputHelpNumber(2055);
        reportservices.AskSelect("KORVILT Command Line", count, C.PlotCmdIndex);
        if (telmvar.Aborted) return;
    } else {
        C.PlotCmdIndex = 1;
    }
    C.PlotCmdIndex = static_cast<uint16_t>(std::clamp<int>(C.PlotCmdIndex, 1, 5));
    std::string& line = C.PlotCmdLines[C.PlotCmdIndex];
    {
        std::string edited = line;
        graphservices.ConfigurePlotCommandLine(edited);
        if (!telmvar.Aborted) line = edited;
    }
    reportservices.SetInputHelpNumber(2060);
    std::string text = line;
    // A line the form or the editor made may be longer than the 60
    // characters typed here: the prompt must not cut it.
    graphservices.AskText("KORVILT command line (0=Parameter)",
                          std::clamp<int>(static_cast<int>(text.size()), 60, 255), text);
    if (telmvar.Aborted) return;
    if (text.empty() || text[0] == '0') graphservices.EditPlotCommandLine(text, 0);
    line = text;
}

void CadOpenOutput(int Device, const std::string& /*Name*/)
{
    // One output at a time: a drawing that never closed its output loses
    // it here rather than writing into it.
    CadAbandonOutput();
    S.CadRequestedDevice = static_cast<uint16_t>(Device);
    SetCadOffset(0, 0);
    printsettings.GraphContentKind = 0;
    if (Device == 0)
        CadChooseDevice();
    else
        SetCadDevice(Device);
    if (telmvar.Aborted) return;

    TOpenOutput& o = Out();
    const int dev = S.CadDevice;
    switch (dev) {
    case 3:
        CadScreen().Clear();
        CadScreen().SetWaitCursor();
        o.dev = std::make_unique<TCadScreenDevice>(CadScreen());
        break;
    case 4:
        S.CadFileName = AddTrailingBackslash(telmvar.TempDir) + "korvilt.dxf";
        if (!OpenOutputFile()) return;
        o.dev = std::make_unique<TCadDxfDevice>(o.file.Stream(), DxfOptionsFromSettings(true), true);
        break;
    case 1:
    case 2:
    case 5:
    case 6: {
        const TCadDeviceFactory* factory = dev == 1 ? nullptr : FindCadDeviceFactory(dev);
        if (dev != 1 && factory == nullptr) {
            reportservices.ShowMessageIfEnabled(std::string(DeviceExtension(dev)) +
                                                " output is not available in this version");
            telmvar.Aborted = true;
            return;
        }
        if (!AskFileName(dev) || !OpenOutputFile()) return;
        if (dev == 1)
            o.dev = std::make_unique<TCadDxfDevice>(o.file.Stream(), DxfOptionsFromSettings(true), true);
        else
            o.dev = (*factory)(o.file.Stream());
        break;
    }
    default:
        break;
    }
    if (o.dev) {
        o.open = true;
        cadtarget.Output = o.dev.get();
        cadtarget.BlocksInFiles = BlockFileDevice(dev);
        o.device = dev;
        o.blockFailure.clear();
        // The block files go into the run's own directory, which a signal
        // takes along, never beside other runs' in a shared one.
        o.blocks.Open(telmvar.TempDir, RunTempPath(""));
    }
    SetCadTextAlign(0, 0);
    SetCadTextScale(1.0L);
    CadSetLineStyle(0);
    SetDimensionScale(1.0L);
    SetCadLayerMode(0);
    S.CadInBlockSection = false;
}

void CadBeginDrawing(Extended X1, Extended Y1, Extended X2, Extended Y2, Extended Height)
{
    const int dev = S.CadDevice;
    if (Height <= 0) Height = 1.0L;
    if (dev == 6) {
        reportservices.SetInputHelpNumber(2900);
        graphservices.AskLengthInRange("height", Height, 0, 1000);
        telmvar.Aborted = false;
    }
    S.CadExtents = TCadExtents{X1, X2, Y1, Y2, X2 - X1, Y2 - Y1};
    if (CadOutputIsOpen()) Out().dev->BeginDrawing(X1, Y1, X2, Y2, Height);
    if ((dev == 3 || dev == 4) && printsettings.PrintBorder) {
        CadSetLayer(19);
        CadSheetFrame(X1, Y1, X2, Y2);
    }
    if (dev == 3) {
        const TCadExtents& E = S.CadExtents;
        CadSetTextStyle(2, 0, 0.006L * E.Height, 0.0045L * E.Width);
        CadSetLayer(30);
        // A project named on the command line carries its path and
        // extension already: the file is named once, and not at all
        // without a project. The name is drawn as a text of the program,
        // one byte a character, so that shortening never cuts a character.
        const std::string file = AbbreviateMiddle(FileNameToOem(GetProjectFilePath()), 120);
        if (!cadsettings.SheetShowFooter)
            CadText(X1 + 0.005L * E.Width, Y1 + 0.002L * E.Height,
                    reportservices.TodayDateText() + " " + reportservices.NowTimeText() + " - " + "TELMORA " +
                        telmvar.ProgramName + " V" + telmvar.ProgramVersion + " - " + file);
    }
    SetCadZRange(0, Height);
}

void CadBeginDrawingDefault()
{
    CadBeginDrawing(0, 0, 160, 120, 0);
}

void CadWriteTables(int Mode)
{
    if (CadOutputIsOpen()) Out().dev->Tables(Mode);
}

void CadBeginBlocks()
{
    S.CadInBlockSection = true;
    if (CadOutputIsOpen()) Out().dev->BeginBlocksSection();
}

void CadBeginBlock(const std::string& Name)
{
    if (telmvar.Aborted || !CadOutputIsOpen()) return;
    TOpenOutput& o = Out();
    const bool kept = CloseBlockGate();
    if (!BlockFileDevice(o.device)) {
        OpenBlockGate(o.dev.get(), Name, [&o, Name] {
            o.dev->BeginBlock(Name);
            o.defined.emplace(Folded(Name), Name);
        });
        return;
    }
    CloseBlockFile(kept);
    o.blockPath = o.blocks.PathForNewBlock(Name);
    if (!o.blockPath.empty()) o.blockStream.open(o.blockPath);
    if (o.blockPath.empty() || !o.blockStream) {
        if (!o.blockPath.empty() && o.blockFailure.empty())
            o.blockFailure = CannotBeWrittenText(o.blockPath, o.blockStream.Failure());
        // The block is dropped; CadEndBlock clears the flag and the drawing
        // goes on without it.
        o.blockStream.close();
        o.blockPath.clear();
        telmvar.Aborted = true;
        return;
    }
    o.blockName = Name;
    // The screen reads its own blocks back and shows their texts as they
    // are; the STL device's blocks are converted like any file's texts.
    TDxfOptions opts = DxfOptionsFromSettings(o.device != 3);
    o.blockDev = std::make_unique<TCadDxfDevice>(o.blockStream, opts, false);
    cadtarget.BlockFile = o.blockDev.get();
    // The block starts on the layer current now, so that its entities read
    // back in the pen they would have had when drawn directly.
    o.blockDev->Writer().SetLayer(S.CadLayer);
    OpenBlockGate(o.blockDev.get(), Name, nullptr);
}

void CadEndBlock()
{
    if (telmvar.Aborted) {
        telmvar.Aborted = false;
        CloseBlockGate();
        CloseBlockFile(false);
        return;
    }
    if (!CadOutputIsOpen()) return;
    TOpenOutput& o = Out();
    const bool kept = CloseBlockGate();
    if (BlockFileDevice(o.device))
        CloseBlockFile(kept);
    else if (kept)
        o.dev->EndBlock();
}

void CadEndSection()
{
    if (CadOutputIsOpen()) {
        TOpenOutput& o = Out();
        const bool kept = CloseBlockGate();
        if (BlockFileDevice(o.device)) CloseBlockFile(kept);
        o.dev->EndSection();
    }
    S.CadInBlockSection = false;
}

void CadBeginEntities()
{
    if (CadOutputIsOpen()) Out().dev->BeginEntities();
    const uint16_t kind = printsettings.GraphContentKind;
    const int dev = S.CadDevice;
    if (kind == 2 || kind == 3 || (dev != 3 && dev != 4) || !CadOutputIsOpen()) return;
    const TCadExtents E = S.CadExtents;
    if (CadBlockFiles().Find("LOGO_2"))
        CadInsertBlock("LOGO_2", E.XMin + 0.91L * E.Width, E.YMin + 0.01L * E.Height, 0, E.Width / 480,
                       E.Height / 360);
    if (CadBlockFiles().Find("LOGO_3"))
        CadInsertBlock("LOGO_3", E.XMin + 0.91L * E.Width, E.YMin + 0.96L * E.Height, 0, E.Width / 480,
                       E.Height / 360);
}

void CadInsertBlock(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                    Extended ScaleY)
{
    if (!std::isfinite(X) || !std::isfinite(Y) || !std::isfinite(Angle) || !std::isfinite(ScaleX) ||
        !std::isfinite(ScaleY)) {
        AddErrorMessage("Error  : CAD: element with invalid coordinates left out");
        return;
    }
    TOpenOutput& o = Out();
    if (!o.open) {
        if (S.CadDevice == 3) InsertFromFile(Name, X, Y, Angle, ScaleX, ScaleY);
        return;
    }
    if (o.emptyBlocks.count(Folded(Name)) != 0) return;
    if (BlockFileDevice(o.device)) {
        if (S.CadInBlockSection) {
            // A nested insert, resolved when the outer block is read back.
            if (TCadDevice* d = CadEntityTarget()) d->Insert(Name, X, Y, Angle, ScaleX, ScaleY);
        } else {
            InsertFromFile(Name, X, Y, Angle, ScaleX, ScaleY);
        }
        return;
    }
    // The plot program's file must define every block it inserts: a block
    // defined elsewhere (a logo, a title-block head) is drawn from its file.
    const auto def = o.defined.find(Folded(Name));
    if (o.device == 4 && !S.CadInBlockSection && def == o.defined.end()) {
        InsertFromFile(Name, X, Y, Angle, ScaleX, ScaleY);
        return;
    }
    // Names match without regard to case; the file names the block as it
    // was defined, so that every reader finds it.
    CadEntityTarget()->Insert(def == o.defined.end() ? Name : def->second, X, Y, Angle, ScaleX, ScaleY);
}

void CadInsertBlockShifted(const std::string& Name, Extended X, Extended Y, Extended Angle, Extended ScaleX,
                           Extended ScaleY)
{
    CadInsertBlock(Name, X + S.CadOffsetX, Y + S.CadOffsetY, Angle, ScaleX, ScaleY);
}

bool CadDeviceReady()
{
    return true;
}

void CadCloseOutput(int /*Flag*/)
{
    TOpenOutput& o = Out();
    if (!o.open) return;
    const int dev = o.device;
    CloseBlockFile(CloseBlockGate());
    o.dev->Finish();
    bool written = true;
    if (!o.blockFailure.empty()) {
        // The old file stays rather than give way to a drawing without
        // the block.
        const bool toFile = o.file.IsOpen();
        o.file.Abandon();
        reportservices.ShowMessageIfEnabled(
            o.blockFailure + (toFile ? "; " + FileNameToOem(S.CadFileName) + " not written" : ""));
        telmvar.Aborted = true;
        written = false;
    } else if (o.file.IsOpen()) {
        written = o.file.Commit();
        if (!written) {
            reportservices.ShowMessageIfEnabled(CannotBeWrittenText(S.CadFileName, o.file.Failure()));
            telmvar.Aborted = true;
        }
    }
    o.blockFailure.clear();
    o.blocks.Close();
    o.dev.reset();
    o.defined.clear();
    o.emptyBlocks.clear();
    o.open = false;
    o.device = 0;
    S.CadInBlockSection = false;
    ResetCadTarget();
    if (dev == 3) reportservices.RestoreCursor();
    if (dev == 4 && written) StartPlotProgram();
    if (!telmvar.Aborted && cadsettings.CadExecFile && (dev == 1 || dev == 2 || dev == 5 || dev == 6) &&
        textutil.CommandLineParams.size() < 2)
        reportservices.Launch("", {S.CadFileName});
}

void SetCadLayerMode(int32_t Mode)
{
    S.CadLayerMode = Mode;
}

void SetCadOffset(Extended X, Extended Y)
{
    S.CadOffsetX = X;
    S.CadOffsetY = Y;
}

void SetCadZRange(Extended Low, Extended High)
{
    S.CadZLow = Low;
    S.CadZHigh = High;
}

void GetCadZRange(Extended& Low, Extended& High)
{
    Low = S.CadZLow;
    High = S.CadZHigh;
}

void CadPause(int Ms)
{
    if (S.CadDevice != 3) return;
    if (TCadDevice* d = CadEntityTarget()) d->Pause(Ms);
}

TCadAnimationFrames::TCadAnimationFrames() : first_(CadScreen().RecordMark()), frame_(first_)
{
    if (S.CadDevice == 3) CadScreen().FrameStarts(first_);
}

void TCadAnimationFrames::FrameStarts()
{
    frame_ = CadScreen().RecordMark();
    if (S.CadDevice == 3) CadScreen().FrameStarts(frame_);
}

bool TCadAnimationFrames::StopAsked()
{
    if (S.CadDevice != 3 || !CadScreen().StopAsked()) return false;
    CadScreen().DropDrawing(first_, frame_);
    return true;
}
