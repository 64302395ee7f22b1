#include "xbase/qt/tablegrid_qt.h"

#include "platform/qt/qttext.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace xbase_qt
{

namespace
{
bool IsCtrlDelete(const QKeyEvent& e)
{
    return e.key() == Qt::Key_Delete && (e.modifiers() & Qt::ControlModifier);
}

// Up and Down by the codes the browser's key handler knows them by.
int KeyCode(int qtKey)
{
    return qtKey == Qt::Key_Up ? 38 : qtKey == Qt::Key_Down ? 40 : qtKey;
}
} // namespace

QColor ToQColor(TTzColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TzGridItemModel::TzGridItemModel(TTzGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

int TzGridItemModel::Count() const
{
    return !grid_.DataSet || !grid_.DataSet->Active() ? 0 : grid_.RowCount();
}

int TzGridItemModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !grid_.DataSet || !grid_.DataSet->Active()) return 0;
    if (rows_ < 0) rows_ = Count();
    return rows_;
}

int TzGridItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.ColumnCount();
}

const TTzGridRow* TzGridItemModel::RowAt(int row) const
{
    constexpr int kPage = 40;
    if (pageFirst_ < 0 || row < pageFirst_ || row >= pageFirst_ + static_cast<int>(page_.size())) {
        pageFirst_ = row - row % kPage;
        grid_.FillPage(pageFirst_ + 1, kPage, page_);
    }
    const int i = row - pageFirst_;
    return i >= 0 && i < static_cast<int>(page_.size()) ? &page_[static_cast<std::size_t>(i)] : nullptr;
}

void TzGridItemModel::Reload()
{
    const std::vector<int32_t> order = grid_.Order;
    const bool ordered = grid_.Ordered();
    const int rows = rowCount();
    grid_.LoadIndexOrder();
    pageFirst_ = -1;
    page_.clear();
    const int now = Count();
    if (rows == now && order == grid_.Order && ordered == grid_.Ordered()) {
        if (rows > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
        return;
    }
    // The view still counts the rows it had while it is told of the reset
    // (a new row or a new order came, or rows went).
    beginResetModel();
    rows_ = now;
    endResetModel();
}

Qt::ItemFlags TzGridItemModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && grid_.CanEditCell(index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool TzGridItemModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const TTzGridRow* r = index.isValid() ? RowAt(index.row()) : nullptr;
    if (!r || role != Qt::EditRole) return false;
    bool stored = false;
    const int32_t recNo = r->RecNo;
    RunTableAction(grid_.DataSet, [&] {
        stored = grid_.StoreCell(recNo, index.column(), platform::FromQString(value.toString()));
    });
    pageFirst_ = -1;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return stored;
}

QVariant TzGridItemModel::data(const QModelIndex& index, int role) const
{
    const TTzGridRow* r = index.isValid() ? RowAt(index.row()) : nullptr;
    if (!r || index.column() >= static_cast<int>(r->Cells.size())) return {};
    const std::string& stored = r->Cells[static_cast<std::size_t>(index.column())];
    if (role == Qt::DisplayRole) return platform::ToQString(grid_.FieldText(index.column(), stored));
    if (role == Qt::EditRole) return platform::ToQString(grid_.EditText(index.column(), stored));
    if (role == Qt::TextAlignmentRole) {
        switch (grid_.Columns[static_cast<std::size_t>(index.column())].Alignment) {
        case TTzAlignment::taRightJustify:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case TTzAlignment::taCenter:
            return int(Qt::AlignCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return {};
}

QVariant TzGridItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The depressed title (the order of the table) stands out.
    if (role == Qt::FontRole && orientation == Qt::Horizontal && section == grid_.DepressedColumn()) {
        QFont f;
        f.setBold(true);
        f.setUnderline(true);
        return f;
    }
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section < grid_.ColumnCount()
                   ? platform::ToQString(grid_.Columns[static_cast<std::size_t>(section)].Title.Caption)
                   : QVariant();
    // The new row has no record number yet: the framework's mark of it.
    const TTzGridRow* r = RowAt(section);
    return !r ? QVariant() : r->New ? QVariant(QStringLiteral("*")) : QVariant(r->RecNo);
}

void TzGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    const TTzGridRow* r = model_.RowAt(index.row());
    if (!r) return;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const auto colours = grid_.CellColors(index.row(), index.column(), r->Deleted, selected, r->RecNo);
    painter->save();
    painter->fillRect(option.rect, ToQColor(colours.Brush));
    const std::string text =
        grid_.FieldText(index.column(), r->Cells[static_cast<std::size_t>(index.column())]);
    if (grid_.IsLogicalColumn(index.column()) && grid_.BooleanBox != TTzBooleanBox::bbText) {
        painter->setRenderHint(QPainter::Antialiasing, false);
        const QRect c = option.rect.adjusted(0, 1, 0, -1);
        for (const TTzBoxShape& s : grid_.BoxShapes(c.left(), c.top(), c.right(), c.bottom(),
                                                    grid_.LogicalValue(text), colours.Font)) {
            const QRect box(QPoint(s.Left, s.Top), QPoint(s.Right, s.Bottom));
            const QColor col = ToQColor(s.Color);
            painter->setPen(QPen(col, s.PenWidth));
            painter->setBrush(Qt::NoBrush);
            switch (s.Shape) {
            case TTzBoxShape::FrameRect:
                painter->drawRect(box);
                break;
            case TTzBoxShape::FrameCircle:
                painter->drawEllipse(box);
                break;
            case TTzBoxShape::FillRect:
                painter->fillRect(box, col);
                break;
            case TTzBoxShape::Disc:
                painter->setBrush(col);
                painter->drawEllipse(box);
                break;
            case TTzBoxShape::Cross:
                painter->drawLine(box.topLeft(), box.bottomRight());
                painter->drawLine(box.topRight(), box.bottomLeft());
                break;
            case TTzBoxShape::CheckMark: {
                const int w = box.width();
                QPainterPath p;
                p.moveTo(box.left() + 2, box.center().y());
                p.lineTo(box.left() + w / 3, box.bottom() - 2);
                p.lineTo(box.right() - 2, box.top());
                painter->drawPath(p);
                break;
            }
            }
        }
    } else {
        painter->setPen(ToQColor(colours.Font));
        const QVariant align = index.data(Qt::TextAlignmentRole);
        painter->drawText(option.rect.adjusted(2, 0, -2, 0),
                          align.isValid() ? align.toInt() : int(Qt::AlignLeft), platform::ToQString(text));
    }
    painter->restore();
}

QWidget* TzGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex& index) const
{
    auto* e = new QLineEdit(parent);
    e->setFrame(false);
    const std::string mask = grid_.EditMask(index.column());
    if (!mask.empty())
        e->setInputMask(ToQtInputMask(mask));
    else if (grid_.EditMaxLength(index.column()) > 0)
        e->setMaxLength(grid_.EditMaxLength(index.column()));
    return e;
}

void TzGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // The rows are read again after a change of the record (Ctrl+Del):
    // what the user typed stays.
    auto* e = qobject_cast<QLineEdit*>(editor);
    if (e && e->isModified()) return;
    QStyledItemDelegate::setEditorData(editor, index);
    if (e) e->selectAll();
}

bool TzGridDelegate::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(watched);
    if (editor && event->type() == QEvent::KeyPress && IsCtrlDelete(*static_cast<QKeyEvent*>(event))) {
        // The line editor would delete text of the cell, and a Return after
        // it store what was left. The editor stays open as it was.
        if (auto* view = qobject_cast<QWidget*>(parent())) QCoreApplication::sendEvent(view, event);
        return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

QString ToQtInputMask(const std::string& mask)
{
    // The grid's mask: characters, ";", whether literals are kept, ";",
    // the blank. A "9" there is an optional digit (the editor's "0"), a
    // "0" a required one (the editor's "9").
    const auto semi = mask.find(';');
    QString out;
    for (char c : mask.substr(0, semi)) {
        if (c == '9')
            out += QLatin1Char('0');
        else if (c == '0')
            out += QLatin1Char('9');
        else
            out += QLatin1Char(c);
    }
    const auto blank = mask.rfind(';');
    if (blank != std::string::npos && blank != semi && blank + 1 < mask.size()) {
        out += QLatin1Char(';');
        out += QLatin1Char(mask[blank + 1]);
    }
    return out;
}

TzGridView::TzGridView(TTzGrid& grid, QWidget* parent) : QTableView(parent), grid_(grid)
{
    setObjectName(QStringLiteral("TzGrid1"));
    model_ = new TzGridItemModel(grid, this);
    setModel(model_);
    setItemDelegate(new TzGridDelegate(grid, *model_, this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Cells open their editor by F2, typing, a double click or a click on
    // the current cell; logical cells toggle in the grid model instead.
    setEditTriggers(grid.Editing ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                       QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                                 : QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->viewport()->installEventFilter(this);
    FitColumns();
    // A reset of the rows (a new order) gives the header fresh sections.
    connect(model_, &QAbstractItemModel::modelReset, this, &TzGridView::FitColumns);
    if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
    grid.OnRepaint = [this] { model_->Reload(); };
    grid.OnEndCellEdit = [this](bool store) {
        // An editor opens on the current cell only.
        QWidget* editor = state() == EditingState ? indexWidget(currentIndex()) : nullptr;
        if (!editor) return;
        if (store) commitData(editor);
        closeEditor(editor, store ? QAbstractItemDelegate::NoHint : QAbstractItemDelegate::RevertModelCache);
    };
}

void TzGridView::FitColumns()
{
    // A column narrower than its title showed the title cut on both sides
    // ("KIND" over a one-character logical field): the header's own measure
    // of the title, in the title's font, is the least width.
    for (int c = 0; c < grid_.ColumnCount(); ++c)
        setColumnWidth(c, std::max(grid_.Columns[static_cast<std::size_t>(c)].Width,
                                   horizontalHeader()->sectionSizeHint(c)));
}

void TzGridView::WidenToTitles()
{
    // What the user widened stays.
    for (int c = 0; c < grid_.ColumnCount(); ++c)
        if (columnWidth(c) < horizontalHeader()->sectionSizeHint(c))
            setColumnWidth(c, horizontalHeader()->sectionSizeHint(c));
}

int32_t TzGridView::CurrentRecNo() const
{
    const TTzGridRow* r = currentIndex().isValid() ? model_->RowAt(currentIndex().row()) : nullptr;
    return r ? r->RecNo : 0;
}

void TzGridView::GoToRecNo(int32_t recNo)
{
    GoToRow(grid_.RowOfRecord(recNo));
}

void TzGridView::GoToRow(int32_t row)
{
    if (row >= 1 && row <= model_->rowCount())
        setCurrentIndex(model_->index(row - 1, std::min(column_, std::max(0, model_->columnCount() - 1))));
}

void TzGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The editor's text is stored before it closes; a refused one ("Invalid
    // Input") shows its message box meanwhile, so the editor no longer has
    // the focus when it closes, the view does not take it, and the window,
    // active again, gave it to the navigator's first button. The window's
    // own focus child is still the editor then.
    const bool editorHeldKeyboard = editor && window()->focusWidget() == editor;
    QTableView::closeEditor(editor, hint);
    if (editorHeldKeyboard && !hasFocus()) setFocus();
}

void TzGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (current.isValid()) column_ = current.column();
    QTableView::currentChanged(current, previous);
}

QModelIndex TzGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex here = currentIndex();
    const QModelIndex to = QTableView::moveCursor(action, modifiers);
    if (!here.isValid() || !to.isValid()) return to;
    // The view's Tab goes on from the last cell of the table to the first
    // one (Shift+Tab the other way round): from a new record's last cell,
    // the next thing typed went into record 1 without a word. A move goes
    // forward or back in reading order, never round the table's end.
    const auto place = [this](const QModelIndex& i) {
        return static_cast<qint64>(i.row()) * model_->columnCount() +
               horizontalHeader()->visualIndex(i.column());
    };
    const bool forward = action == MoveNext || action == MoveRight || action == MoveDown ||
                         action == MovePageDown || action == MoveEnd;
    const bool back = action == MovePrevious || action == MoveLeft || action == MoveUp ||
                      action == MovePageUp || action == MoveHome;
    if ((forward && place(to) < place(here)) || (back && place(to) > place(here))) return here;
    return to;
}

bool TzGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* m = static_cast<QMouseEvent*>(event);
        TTzShift shift;
        shift.Shift = (m->modifiers() & Qt::ShiftModifier) != 0;
        shift.Ctrl = (m->modifiers() & Qt::ControlModifier) != 0;
        shift.Alt = (m->modifiers() & Qt::AltModifier) != 0;
        const TTzMouseButton b =
            m->button() == Qt::RightButton ? TTzMouseButton::Right : TTzMouseButton::Left;
        int column = -1;
        if (watched == horizontalHeader()->viewport())
            column = horizontalHeader()->logicalIndexAt(m->position().toPoint());
        if (watched != horizontalHeader()->viewport() || column >= 0) {
            if (grid_.TitleMouseUp(b, column, shift)) {
                // The depressed title is drawn bold: it may need more room.
                WidenToTitles();
                horizontalHeader()->viewport()->update();
                return b == TTzMouseButton::Right;
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

void TzGridView::keyPressEvent(QKeyEvent* event)
{
    const int column = currentIndex().column();
    const QString t = event->text();
    // Ctrl+Del and a toggle act on the dataset's record: the current row's.
    const bool ctrlDelete = IsCtrlDelete(*event);
    bool handled = false;
    RunTableAction(grid_.DataSet, [&] {
        if ((ctrlDelete || (!t.isEmpty() && grid_.IsLogicalColumn(column))) && grid_.DataSet &&
            CurrentRecNo() > 0 && CurrentRecNo() != grid_.DataSet->RecNo())
            grid_.DataSet->Go(CurrentRecNo());
        // Escape on the new row drops it, the window staying open.
        if ((ctrlDelete && grid_.CtrlDelete()) ||
            (event->key() == Qt::Key_Escape && state() != QAbstractItemView::EditingState &&
             grid_.CancelInsert())) {
            handled = true;
        } else if (!t.isEmpty() && t[0].unicode() < 256 &&
                   grid_.KeyPress(static_cast<char>(t[0].unicode()), column)) {
            model_->Reload();
            handled = true;
        }
    });
    if (handled) return;
    // Up and Down are told before the grid moves: a browser that picks on
    // them picks the record the user is on, not the one the key goes to.
    const bool upOrDown = (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
                          state() != QAbstractItemView::EditingState;
    if (upOrDown) {
        emit KeyDown(KeyCode(event->key()));
        if (!isVisible()) return; // the browser closed on it
    }
    // Without AutoAppend moving down from the last row stays there.
    if (event->key() == Qt::Key_Down && !grid_.MayAppendByMoving() &&
        currentIndex().row() == model_->rowCount() - 1)
        return;
    QTableView::keyPressEvent(event);
    // Keys reach the grid while a cell editor is open: typed characters (the
    // grid hands them on to the editor) and Return and Enter, which the
    // editor leaves to the grid and whose text its delegate stores right
    // after. A key down makes the browser read the rows again, which puts
    // the stored text back into the editor: every typed character but the
    // last was lost, and Return threw the edit away. A key typed into a cell
    // is no move in the grid.
    if (state() == QAbstractItemView::EditingState || upOrDown) return;
    emit KeyDown(KeyCode(event->key()));
}

void TzGridView::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    emit KeyUp(event->key());
}

void TzGridView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex i = indexAt(event->position().toPoint());
    if (!i.isValid()) return;
    const TTzGridRow* r = model_->RowAt(i.row());
    const int32_t rec = r ? r->RecNo : 0;
    // The new row (record 0) is the record being inserted: no move.
    if (event->button() == Qt::LeftButton && grid_.IsLogicalColumn(i.column()) &&
        (rec > 0 || grid_.Inserting())) {
        RunTableAction(grid_.DataSet, [&] {
            if (grid_.DataSet && rec > 0 && rec != grid_.DataSet->RecNo()) grid_.DataSet->Go(rec);
            grid_.MouseDown(TTzMouseButton::Left, i.row(), i.column());
        });
        model_->Reload();
    }
    emit CellClicked(rec, i.column());
}

} // namespace xbase_qt
