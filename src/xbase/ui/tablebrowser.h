#pragma once
// The table browser's behaviour (form "dbf4") over its model: pick or edit
// mode, the menu, the grid and the navigator, search, pack, append, the
// record-number edit, ordering by a right-clicked title, HTML and delimited
// export, appends from other files, the printout and help. A toolkit form
// (or a test) makes one TDbfBrowserForm for the TDbfBrowserModel that
// Tdbf4::Browse shows and forwards the user's actions to it.

#include "platform/dialoghost.h"
#include "xbase/access/tableaccess.h"
#include "xbase/ui/tablegrid.h"
#include "xbase/ui/tablenavigator.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// What the browser asks of the layers above the table library. The
// application fills it; the defaults do nothing visible.
struct TTableBrowserServices {
    // The table's printout through the report engine.
    std::function<void(TTzFileDataSet& Table, const std::string& Caption, const std::string& Title1)>
        PrintTable;
    std::function<void(int HelpNo, int Picture, int Mode)> ShowHelpText;
    // Menu captions of the current language ("File", "Print", "Exit",
    // "Edit", "View", "Help", "Database"), bytes in MenuCodePage.
    std::function<std::string(const std::string& Word)> MenuText;
    std::function<int()> MenuCodePage;
    std::function<std::string()> TodayDateText;
    std::function<std::string()> NowTimeText;
};
extern TTableBrowserServices tablebrowserservices;
void ResetTableBrowserServices();

// One menu entry of the browser ("-" as caption: a separator).
struct TBrowserMenuItem {
    std::string Name;
    std::string Caption;
    std::string Hint;
    bool Visible = true;
    int Level = 1; // 0 = top-level submenu
    // The caption's code page: a language's menu text may be Korean or
    // Chinese; the browser's own words and the table's title are 1252.
    int CodePage = 1252;
};

// What the HTML page needs besides the table.
struct THtmlTableOptions {
    std::string Title;       // base name of the page's file
    std::string FileName;    // shown in upper case
    std::string ProgramLine; // program name + "V" + version
    std::string DateTime;    // date + " - " + time
};
// Characters that would end a text or start a tag, as entities.
std::string TableHtmlEscape(const std::string& text);
// The page: heading row of field names, one row per record of stored texts.
// Lines end in CR LF. False when the stream failed.
bool WriteTableHtml(std::ostream& out, TTzFileDataSet& table, const THtmlTableOptions& options);

class TDbfBrowserForm
{
  public:
    explicit TDbfBrowserForm(TDbfBrowserModel& model, Tdbf4& owner = dbf4);
    ~TDbfBrowserForm();
    TDbfBrowserForm(const TDbfBrowserForm&) = delete;
    TDbfBrowserForm& operator=(const TDbfBrowserForm&) = delete;

    TDbfBrowserModel& Model;
    Tdbf4& Owner;
    TTzGrid Grid;
    TTzNavigator Navigator;
    std::vector<TBrowserMenuItem> Menu;
    std::string EditRecno;     // Edit_recno
    std::string LabelReccount; // "/" + record count
    std::string LabelTitle2;
    bool Closed = false;

    TBrowserMenuItem* FindMenu(const std::string& name);

    // FormShow: the grid's column (close-on-pick) and the record labels.
    void FormShow();
    // Every button and menu entry by its control name ("Button_ok",
    // "mi_editPack", ...); "Escape" is the close box.
    platform::DialogAction Press(const std::string& name);

    // ---- grid events
    platform::DialogAction CellClick(int32_t recNo, int column);
    platform::DialogAction GridKeyDown(int key);
    void GridKeyUp();
    // The edit's text as a record number: 1 .. record count moves there.
    void EditRecnoChanged(const std::string& text);
    // A right click on a title: the table in that column's order, the same
    // record current.
    void DepressTitle(int column);
    // The temporary index of the title order (empty when none was built).
    const std::string& SortIndexPath() const { return sortIndex_; }

    // ---- handlers
    platform::DialogAction SelectAndClose();
    platform::DialogAction Cancel();
    platform::DialogAction Search(bool next);
    void Pack();
    void AppendCopy();
    void ExportHtml();
    void SaveAsDelimited();
    void AppendDbf();
    void AppendDelimited();
    void Print();
    void RefreshLabels();

  private:
    void BuildMenu();
    void DropSortIndex();
    std::string searchText_;
    std::string sortIndex_;
};
