#pragma once
// The file list preview window and its search question on screen: a string
// grid whose first row is the header, the menu, and the picking, sorting and
// search of TForm_preview.

#include "reports/preview/filepreview.h"

#include <QDialog>
#include <memory>

class QTableWidget;

namespace platform
{
class DialogHostImplQt;
}

namespace reports_qt
{

class FilePreviewQt final : public QDialog
{
    Q_OBJECT
  public:
    FilePreviewQt(TForm_preview& model, QWidget* parent = nullptr);
    QTableWidget* Grid() const { return grid_; }
    // The grid shows the model's cells again.
    void Refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;

  private:
    TForm_preview& model_;
    QTableWidget* grid_ = nullptr;
    bool closing_ = false;
};

// The layout of the search question TForm_Suchen: widgets named as the
// model's controls, for the dialogs' generic binder.
std::unique_ptr<QDialog> SearchFormLayout(platform::DialogModel& model, QWidget* parent);

// Registers "TForm_preview".
void RegisterPreviewForms(platform::DialogHostImplQt& host);

} // namespace reports_qt
