#pragma once
// The command lines of the external plot program, which plots the DXF file
// "korvilt.dxf" the plot device writes. The program only builds, stores and
// starts these lines; two builders exist: the configuration form
// TForm_confkorvilt (a model here, its Qt layout in graphics/qt) and the
// question-and-answer editor of the device menu.
//
// Switches the plot program reads: the program, the DXF file without
// extension, /C destination code, /D interface (1 serial, 3 file; none for
// parallel), /P port (none for port 1), /F destination file, /M scale 1:n
// ("*" fits the limits; none for 1), /X and /Y shift of the reference
// point, /B text width/height, /R rotation by 90 degrees, /T PostScript
// font.

#include "foundation/formmodel.h"
#include "foundation/types.h"

#include <array>
#include <string>

// The fonts offered for the PostScript destination, in the form's order.
extern const std::array<const char*, 35> PsFontNames;

// The configuration form of the plot program. Every change of a field
// stores the fields and rebuilds the whole command line from them and shows
// it; OK clears Aborted, Cancel sets it.
class TConfKorviltModel final : public TFormModel
{
  public:
    // Captions, hints (shown from help level 1) and the defaults; the form
    // does not read an existing line.
    TConfKorviltModel();

    std::string FormName() const override { return "TForm_confkorvilt"; }
    std::string Caption() const override { return "KORVILT"; }
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;

    // The line from the fields as last stored.
    std::string BuildPlotCommandLine() const;
    // The line the form hands back: the preset one until a field changes.
    const std::string& CommandLine() const { return commandLine_; }
    void SetCommandLine(const std::string& Line);

    // Destination 0 HPL, 1 PS, 2 PLT, 3 PL2, 4 ART; interface 0 serial,
    // 1 parallel, 2 file. Setting them is what a click on an item does.
    int Destination() const { return destination_; }
    int Interface() const { return interface_; }
    void SetDestination(int Index);
    void SetInterface(int Index);
    // A field's text as the user typed it (Changed runs the rules).
    void SetField(const std::string& Name, const std::string& Text);
    void SetCheck(const std::string& Name, bool On);

    static constexpr const char* OutCodes[5] = {"HPL", "PS", "PLT", "PL2", "ART"};

  private:
    std::string Text(const std::string& Name) const;
    void Choose(const std::string& Group, int Count, int Index);
    void ApplyRules();
    void Rebuild();

    // The fields with the form's defaults (it does not read an existing
    // line); numbers are kept as typed, since the line writes them so.
    std::string program_ = "c:\\korvilt\\wkorvilt";
    std::string outDir_;
    std::string com_ = "1";
    std::string lpt_ = "1";
    std::string scale_ = "1";
    bool fitLimits_ = false;
    bool rotate_ = false;
    std::string xShift_ = "0";
    std::string yShift_ = "0";
    std::string textWidth_ = "1";
    std::string font_;
    int destination_ = 0;
    int interface_ = 1;
    std::string commandLine_;
};

// Shows the form for one stored line. Preset puts the line in the form's
// field first, so that OK without a change keeps it (the device menu); the
// configuration dialog does not preset it. Unless cancelled (Aborted), Line
// becomes the form's line.
void RunConfKorviltForm(std::string& Line, bool Preset);

// The question-and-answer editor (Mode 0 from the device menu). Every
// answer is asked through the graphics hooks; Cancel at any question ends
// the editor and leaves Line as it was. The whole line is kept however long
// it gets: the batch file that once carried long lines past a DOS limit is
// not needed (the plot program is started with its arguments, no shell).
void EditPlotCommandLine(std::string& Line, int Mode);
