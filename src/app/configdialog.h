#pragma once
// The configuration dialog (Tconfig): every setting of the configuration
// file on nine pages. OK takes the settings over for the running program,
// Save also writes the configuration file, Export writes them to another
// file and Import loads another file into the program and the dialog. The
// dialog holds no data of its own: its rows bind the controls to the
// settings (a setting whose control the user left alone keeps its value);
// the store step then applies the limits and rules for 0.
//
// The two grids are controls whose caption holds the rows (one a line,
// cells separated by tabs) and whose text is the current cell "row,col"
// (from 0); the plot command list's caption holds its lines and its text
// the chosen line.

#include "foundation/formmodel.h"
#include "platform/dialoghost.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class Tconfig final : public TFormModel
{
  public:
    Tconfig(); // FormCreate
    std::string FormName() const override { return "Tconfig"; }
    std::string Caption() const override;
    platform::DialogAction Press(const std::string& Name) override;
    void Changed(const std::string& Name) override;
    // Leaving the window size fields applies them to the main window.
    void Left(const std::string& Name) override;

    // The items of a combo box or radio group of the form.
    static const std::vector<std::string>& Items(const std::string& Control);
    // The nine pages in order: object name and caption.
    static const std::vector<std::pair<std::string, std::string>>& Pages();

    // All controls from the settings.
    void LoadStep();
    // All settings from the controls: the rows the user changed, then the
    // limits and rules for 0.
    void StoreStep();
    // Visibility rules of the title block, size codes and text window.
    void FormActivate();

    // Width and height the dialog's frame adds to its client area; the
    // screen size less these stands in for a window size of 0.
    int FrameWidth = 16;
    int FrameHeight = 39;

    // Grid access: row r (1-based data row), column c.
    std::string LayerCell(int Row, int Col);
    void SetLayerCell(int Row, int Col, const std::string& Text);
    std::string ColourCell(int Row, int Col);
    void SetColourCell(int Row, int Col, const std::string& Text);
    // The colour (0xBBGGRR) panel K shows.
    uint32_t PanelColour(int K) const { return panelColours_[static_cast<std::size_t>(K)]; }

  private:
    // What pressing a button does; the table from button names to these.
    using TButton = std::function<platform::DialogAction(Tconfig&, const std::string&)>;
    static const std::map<std::string, TButton>& Buttons();
    // The buttons the tables of presets, help texts, directories, programs,
    // layers, line widths and colour panels name.
    static void AddListedButtons(std::map<std::string, TButton>& Table);
    platform::DialogAction Put(const std::string& Edit, const std::string& Text);
    void PickBackgroundColour();
    void PickFont(bool Graph);
    void KeepAspect(bool WidthFromHeight);
    void PickGridColour();
    void PickPanelColour(int K);
    void EditPlotLine();

    static constexpr const char* LayerGrid = "StringGrid_layer";
    static constexpr const char* ColourGrid = "StringGrid_color";
    struct TGrid {
        std::string Name;
        int Rows;
        int Cols;
    };
    std::vector<std::vector<std::string>> GridCells(const TGrid& G);
    void SetGridCell(const TGrid& G, int Row, int Col, const std::string& Text);
    int GridRow(const TGrid& G);
    void SetRadio(const std::string& Group, int Index);
    int RadioIndex(const std::string& Group);
    void SetCombo(const std::string& Combo, int Index);
    int ComboIndex(const std::string& Combo);
    void BindFields();
    void LoadExtras();
    void StoreExtras();
    void AutoTextWindow();
    void ApplyWindowSize(bool X, bool Y);
    void ShowPanels();
    void ShowFonts();
    void SetHints();
    void PlotLines(const std::vector<std::string>& Lines);
    std::vector<std::string> PlotLines();
    int PlotLineIndex();
    void ConfigurePlotLine();
    void FileExchange(bool Import);
    // WriteConfigFile; a text it refused for its line break named by the
    // label of its field.
    void WriteConfiguration();

    std::vector<uint32_t> panelColours_ = std::vector<uint32_t>(16, 0);
    std::string graphFont_, printFont_;
    int graphStyle_ = 0, printSize_ = 10, printStyle_ = 0;
    int32_t windowWidth_ = 0, windowHeight_ = 0; // the window size as shown (+ 1)
};

// The File menu's configuration command: the dialog, then the main window
// takes the configured background.
void ShowConfigDialog();
