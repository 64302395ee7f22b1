#pragma once
// The table browser's window ("dbf4"): menu, navigator, grid, buttons and
// record labels over a TDbfBrowserForm. Every action goes to the form model.

#include "xbase/ui/tablebrowser.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QMenuBar;

namespace platform
{
class DialogHostImplQt;
}

namespace xbase_qt
{

class TzGridView;

class TableBrowserQt final : public QDialog
{
    Q_OBJECT
  public:
    TableBrowserQt(TDbfBrowserModel& model, QWidget* parent = nullptr);
    ~TableBrowserQt() override;
    TDbfBrowserForm& Form() { return *form_; }
    TzGridView& Grid() { return *grid_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    void Act(platform::DialogAction a);
    // The record number and count.
    void ShowLabels();
    // The labels, the rows read again and the grid on the table's record.
    void Refresh();
    // Runs a user's action: a failure is shown in a box (RunTableAction)
    // and the window shows the table as the file holds it.
    void Guard(const std::function<void()>& action);
    std::unique_ptr<TDbfBrowserForm> form_;
    TzGridView* grid_ = nullptr;
    QLabel* reccount_ = nullptr;
    QLineEdit* recno_ = nullptr;
    bool closing_ = false;
};

// Registers the window for the model "dbf4".
void RegisterTableBrowserForm(platform::DialogHostImplQt& host);

} // namespace xbase_qt
