#pragma once
// TTzNavigator: the ten navigator buttons of the table browser. Delete marks
// and unmarks records on xBase tables instead of removing them; the other
// buttons move, edit, post, cancel and refresh the dataset.

#include "xbase/dataset/commanddataset.h"
#include "xbase/ui/tablegrid.h"

#include <array>
#include <functional>

enum class TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh
};

class TTzNavigator
{
  public:
    explicit TTzNavigator(TTzCDataSet* dataSet = nullptr) : DataSet(dataSet) { VisibleButtons.fill(true); }

    TTzCDataSet* DataSet = nullptr;
    TTzGrid* Grid = nullptr; // the grid shown with it: Post stores its open cell editor, Cancel drops it
    bool ConfirmDelete = false;
    bool ConfirmRestore = false;
    bool ShowHints = true;
    std::array<bool, 10> VisibleButtons{};
    std::function<void(TNavigateBtn Button)> OnClick;

    // Pick modes show only First, Prior, Next and Last.
    void ShowMoveButtonsOnly();
    void ShowAllButtons() { VisibleButtons.fill(true); }
    bool Visible(TNavigateBtn b) const { return VisibleButtons[static_cast<std::size_t>(b)]; }
    static const char* Caption(TNavigateBtn b);
    static const char* Hint(TNavigateBtn b);

    void Click(TNavigateBtn button);

  private:
    bool Confirm(const std::string& question);
    void DeleteOrRestore();
};
