#include "xbase/ui/tablenavigator.h"

#include "platform/platform.h"
#include "xbase/cmd/dbcmd.h"

void TTzNavigator::ShowMoveButtonsOnly()
{
    VisibleButtons.fill(false);
    for (TNavigateBtn b :
         {TNavigateBtn::nbFirst, TNavigateBtn::nbPrior, TNavigateBtn::nbNext, TNavigateBtn::nbLast})
        VisibleButtons[static_cast<std::size_t>(b)] = true;
}

const char* TTzNavigator::Caption(TNavigateBtn b)
{
    static const char* const c[] = {"|<", "<", ">", ">|", "+", "-", "^", "OK", "X", "R"};
    return c[static_cast<std::size_t>(b)];
}

const char* TTzNavigator::Hint(TNavigateBtn b)
{
    static const char* const h[] = {"First record",  "Prior record",  "Next record", "Last record",
                                    "Insert record", "Delete record", "Edit record", "Post edit",
                                    "Cancel edit",   "Refresh data"};
    return h[static_cast<std::size_t>(b)];
}

bool TTzNavigator::Confirm(const std::string& question)
{
    return platform::CurrentPlatform().Messages().Show(
               {"", question, platform::MessageIcon::Question, platform::MessageButtons::YesNo}) ==
           platform::MessageAnswer::Yes;
}

void TTzNavigator::DeleteOrRestore()
{
    TTzCDataSet& ds = *DataSet;
    if (ds.ReadOnly || !ds.Active()) return;
    if (ds.State() == TDataSetState::Insert) {
        ds.Cancel();
        return;
    }
    if (ds.IsEmpty()) return;
    if (!ds.CheckCommand("Deleted")) return;
    if (::Deleted()) {
        if (ConfirmRestore && !Confirm("Restore Record ?")) return;
        // Restore brings the cursor up to date, restores under a record lock
        // and runs the before and after restore events.
        ds.Restore();
    } else {
        if (ConfirmDelete && !Confirm("Delete Record ?")) return;
        ds.Delete();
    }
}

void TTzNavigator::Click(TNavigateBtn button)
{
    if (DataSet && DataSet->Active()) {
        TTzCDataSet& ds = *DataSet;
        switch (button) {
        case TNavigateBtn::nbFirst:
            ds.First();
            break;
        case TNavigateBtn::nbPrior:
            ds.Prior();
            break;
        case TNavigateBtn::nbNext:
            ds.Next();
            break;
        case TNavigateBtn::nbLast:
            ds.Last();
            break;
        case TNavigateBtn::nbInsert:
            if (!ds.ReadOnly) ds.DsInsert();
            break;
        case TNavigateBtn::nbDelete:
            DeleteOrRestore();
            break;
        case TNavigateBtn::nbEdit:
            ds.Edit();
            break;
        case TNavigateBtn::nbPost:
            // The text of an open cell editor is the edit being posted.
            if (Grid && Grid->OnEndCellEdit) Grid->OnEndCellEdit(true);
            if (ds.State() == TDataSetState::Edit || ds.State() == TDataSetState::Insert) ds.Post();
            break;
        case TNavigateBtn::nbCancel:
            // The grid writes a cell as its editor closes: the dataset holds
            // no edit while one is open, and the typed text, the edit being
            // cancelled, would be stored by the next row change.
            if (Grid && Grid->OnEndCellEdit) Grid->OnEndCellEdit(false);
            ds.Cancel();
            break;
        case TNavigateBtn::nbRefresh:
            ds.Go(ds.RecNo());
            break;
        }
    }
    if (OnClick) OnClick(button);
}
