#pragma once
// The Qt forms of the report side: the result window of the screen device
// and the form of a message's help. Both only bind their models.

#include "reports/messages/messagelist.h"
#include "reports/textview/showtextfile.h"

#include <QDialog>

class QPlainTextEdit;
class QLineEdit;

class TForm_showtextfile final : public QDialog
{
    Q_OBJECT
  public:
    explicit TForm_showtextfile(TShowTextFileModel& Model, QWidget* Parent = nullptr);
    QPlainTextEdit* Memo1() const { return memo_; }

  public slots:
    void Print();
    void ExportNotepad();
    void SelectAll();
    void Copy();

  protected:
    void done(int Result) override;

  private:
    TShowTextFileModel& model_;
    QPlainTextEdit* memo_ = nullptr;
};

class Thelperr final : public QDialog
{
    Q_OBJECT
  public:
    explicit Thelperr(THelperrModel& Model, QWidget* Parent = nullptr);

  protected:
    void done(int Result) override;

  private:
    THelperrModel& model_;
    QLineEdit* message_ = nullptr;
    QPlainTextEdit* origin_ = nullptr;
    QPlainTextEdit* remedy_ = nullptr;
};

// Installs both forms as the report side's result window and help form.
void InstallQtReportForms();
