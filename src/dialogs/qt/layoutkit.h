#pragma once
// Small builders for the layouts of the stage forms: widgets placed at
// designed pixel positions and named as the model's controls, so that the
// generic binder finds them. A radio group is a group box of the group's
// name holding radio buttons named group + "_" + index.

#include <QDialog>
#include <QStringList>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace dialogs_qt
{

std::unique_ptr<QDialog> NewLayoutForm(QWidget* parent, int width, int height);
QLabel* PlaceLabel(QWidget* parent, const char* name, int x, int y, int w, const QString& text = QString());
QLineEdit* PlaceEdit(QWidget* parent, const char* name, int x, int y, int w, int maxLength = 0);
QPushButton* PlaceButton(QWidget* parent, const char* name, int x, int y, int w,
                         const QString& text = QString());
QCheckBox* PlaceCheck(QWidget* parent, const char* name, int x, int y, int w);
QComboBox* PlaceCombo(QWidget* parent, const char* name, int x, int y, int w, const QStringList& items);
// Count radio buttons, one under the other, RowHeight apart; Captions for
// buttons whose model gives none.
QGroupBox* PlaceRadioGroup(QWidget* parent, const char* name, int x, int y, int w, int count,
                           int rowHeight = 24, const QStringList& captions = {});
// OK (the default button), Cancel and the further named buttons in a row.
void PlaceButtonRow(QWidget* parent, int x, int y, const QStringList& names);

} // namespace dialogs_qt
