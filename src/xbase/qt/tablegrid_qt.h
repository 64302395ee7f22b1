#pragma once
// The table grid on screen: a QTableView over TTzGrid. The item model pages
// rows in from the grid model; the delegate paints each cell with the
// colours and logical boxes the grid model gives and opens a line editor
// with the cell's mask; mouse and key events and edited texts go back to
// the grid model. Nothing here decides anything.

#include "xbase/ui/tablegrid.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <vector>

namespace xbase_qt
{

QColor ToQColor(TTzColor c);

class TzGridItemModel final : public QAbstractTableModel
{
    Q_OBJECT
  public:
    explicit TzGridItemModel(TTzGrid& grid, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edited text: stored by the grid model, or refused and the cell
    // shown as the file holds it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // The row of record index (0-based), read in pages of 40.
    const TTzGridRow* RowAt(int row) const;
    // Re-reads everything (after a change of the table or its order); the
    // same rows in the same order keep the view's current cell.
    void Reload();
    TTzGrid& Grid() { return grid_; }

  private:
    // The rows as the grid model counts them now.
    int Count() const;
    TTzGrid& grid_;
    mutable std::vector<TTzGridRow> page_;
    mutable int pageFirst_ = -1;
    // The rows the view was last told of: a reset is announced while the
    // view still counts these.
    mutable int rows_ = -1;
};

class TzGridDelegate final : public QStyledItemDelegate
{
  public:
    TzGridDelegate(TTzGrid& grid, TzGridItemModel& model, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), grid_(grid), model_(model)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The editor opens with its whole text selected: typing replaces the
    // value instead of adding to it.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

  protected:
    // Ctrl+Del in an open editor is the grid's key: it acts on the record
    // and leaves the editor's text alone.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TTzGrid& grid_;
    TzGridItemModel& model_;
};

class TzGridView final : public QTableView
{
    Q_OBJECT
  public:
    explicit TzGridView(TTzGrid& grid, QWidget* parent = nullptr);
    TzGridItemModel& ItemModel() { return *model_; }
    // The record number of the current row (0 when none).
    int32_t CurrentRecNo() const;
    void GoToRecNo(int32_t recNo);
    // 1-based row (the grid model's CurrentRow); 0 leaves the current cell.
    void GoToRow(int32_t row);
    // Each column as wide as the grid model says, and at least as wide as
    // its title.
    void FitColumns();
    // Only the columns narrower than their titles, widened.
    void WidenToTitles();

  signals:
    void CellClicked(int recNo, int column);
    void KeyDown(int key);
    void KeyUp(int key);

  protected:
    // The keyboard comes back to the grid from an editor that held it, also
    // when a refused text's message had the window inactive meanwhile.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Tab, Shift+Tab and the arrow keys stop at the ends of the table.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    TTzGrid& grid_;
    TzGridItemModel* model_;
    int column_ = 0; // the current column, kept over a reload of the rows
};

// A mask of the grid model ("99/99/9999;1; ") as a line editor takes it:
// optional digits, the literals kept, the blank character after the ";".
QString ToQtInputMask(const std::string& mask);

} // namespace xbase_qt
