// The load spectrum forms: TForm_qyrlk1 (the table with its menu),
// TForm_einarray (the editor's list) and TForm_lki (one item).
#include "dialogs/qt/formbinder.h"
#include "dialogs/qt/layoutkit.h"
#include "dialogs/qt/strengthforms_qt.h"
#include "dialogs/strength/loadspectrumeditor.h"
#include "dialogs/strength/loadspectrumtable.h"
#include "platform/qt/qttext.h"

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

namespace dialogs_qt
{

using platform::FromQString;
using platform::ToQString;

namespace
{

// Shows the model's grid in the table: row 0 of the grid is the header.
void ShowGrid(QTableWidget& table, const TStringGrid& grid)
{
    const QSignalBlocker block(&table);
    table.setColumnCount(grid.ColCount());
    table.setRowCount(grid.RowCount() - 1);
    QStringList heads;
    for (int c = 0; c < grid.ColCount(); ++c)
        heads << ToQString(grid.Cell(c, 0));
    table.setHorizontalHeaderLabels(heads);
    for (int r = 1; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) {
            auto* item = new QTableWidgetItem(ToQString(grid.Cell(c, r)));
            // The bin number is the grid's fixed column.
            if (c < grid.FixedCols()) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table.setItem(r - 1, c, item);
        }
}

std::unique_ptr<QDialog> TableLayout(platform::DialogModel& model, QWidget* parent)
{
    auto& m = dynamic_cast<TForm_qyrlk1&>(model);
    auto form = NewLayoutForm(parent, 460, 520);
    QDialog* f = form.get();

    auto* bar = new QMenuBar(f);
    bar->setGeometry(0, 0, 460, 24);
    auto* table = new QTableWidget(f);
    table->setObjectName("StringGrid1");
    table->setGeometry(8, 30, 330, 440);
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    ShowGrid(*table, m.Grid);

    QPointer<QTableWidget> guard(table);
    auto refresh = [&m, guard] {
        if (guard) ShowGrid(*guard, m.Grid);
    };
    auto menu = [&](const char* title) { return bar->addMenu(ToQString(m.Control(title).Caption)); };
    auto item = [&](QMenu* in, const char* name, const QKeySequence& key = {}) {
        QAction* a = in->addAction(ToQString(m.Control(name).Caption));
        a->setObjectName(name);
        a->setShortcut(key);
        QObject::connect(a, &QAction::triggered, f, [&m, name, refresh, a] {
            m.Press(name);
            a->setChecked(m.Control(name).Checked);
            refresh();
        });
        return a;
    };
    QMenu* file = menu("mi_file");
    item(file, "mi_fileimport");
    item(file, "mi_fileExport");
    QMenu* edit = menu("mi_edit");
    item(edit, "mi_editCopy", QKeySequence::Copy);
    item(edit, "mi_editPaste", QKeySequence::Paste);
    QMenu* view = menu("mi_view");
    QAction* log = item(view, "mi_viewloadcycleslogarithmic");
    log->setCheckable(true);
    log->setChecked(m.Control("mi_viewloadcycleslogarithmic").Checked);
    item(view, "mi_viewError");

    QObject::connect(table, &QTableWidget::itemChanged, f, [&m](QTableWidgetItem* it) {
        m.Grid.SetCell(it->column(), it->row() + 1, FromQString(it->text()));
    });
    QObject::connect(table, &QTableWidget::itemSelectionChanged, f, [&m, guard] {
        if (!guard) return;
        const QList<QTableWidgetSelectionRange> ranges = guard->selectedRanges();
        if (ranges.isEmpty()) return;
        const QTableWidgetSelectionRange& r = ranges.front();
        m.Grid.SetSelection({r.leftColumn(), r.topRow() + 1, r.rightColumn(), r.bottomRow() + 1});
    });

    const char* buttons[] = {"Button_add", "Button_add1", "Button_del", "Button_metric"};
    int by = 30;
    for (const char* b : buttons) {
        QPushButton* button = PlaceButton(f, b, 346, by, 106);
        // After the binder has handed the press to the model.
        QObject::connect(button, &QPushButton::clicked, f, refresh, Qt::QueuedConnection);
        by += 32;
    }
    PlaceButtonRow(f, 8, 480, {"Button_ok", "Button_cancel", "Button_help", "Button_hilfebild"});
    return form;
}

std::unique_ptr<QDialog> ListLayout(platform::DialogModel& model, QWidget* parent)
{
    auto& m = dynamic_cast<TForm_einarray&>(model);
    auto form = NewLayoutForm(parent, 620, 420);
    QDialog* f = form.get();
    auto* list = new QListWidget(f);
    list->setObjectName("ListBox1");
    list->setGeometry(8, 8, 480, 400);
    list->setFont(QFont("Monospace"));
    for (const std::string& line : m.Items)
        list->addItem(ToQString(line));
    if (m.Selected >= 1 && m.Selected <= list->count()) list->setCurrentRow(m.Selected - 1);
    QObject::connect(list, &QListWidget::currentRowChanged, f, [&m](int row) { m.Selected = row + 1; });
    QPointer<QDialog> dialog(f);
    QObject::connect(list, &QListWidget::itemDoubleClicked, f, [&m, dialog] {
        if (m.Press("ListBox1DblClick") == platform::DialogAction::Accept && dialog) dialog->accept();
    });
    const char* buttons[] = {"Button_new",    "Button_modify", "Button_insert",    "Button_delete",
                             "Button_156",    "Button_157",    "Button_158",       "Button_ok",
                             "Button_cancel", "Button_help",   "Button_hilfebild", "Button_error"};
    int by = 8;
    for (const char* b : buttons) {
        QPushButton* button = PlaceButton(f, b, 496, by, 116);
        if (std::string(b) == "Button_ok") button->setDefault(true);
        by += 32;
    }
    return form;
}

std::unique_ptr<QDialog> ItemLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = NewLayoutForm(parent, 560, 390);
    QDialog* f = form.get();
    auto* direct = new QRadioButton(f);
    direct->setObjectName("RadioButton1");
    direct->setGeometry(8, 8, 120, 22);
    auto* computed = new QRadioButton(f);
    computed->setObjectName("RadioButton2");
    computed->setGeometry(8, 110, 120, 22);
    PlaceLabel(f, "Label_ti", 20, 36, 200);
    PlaceEdit(f, "Edit_ti", 224, 36, 100);
    PlaceLabel(f, "Label_tiu", 328, 36, 50);
    PlaceButton(f, "Button_ti", 380, 35, 40);
    PlaceLabel(f, "Label_ni", 20, 64, 200);
    PlaceEdit(f, "Edit_ni", 224, 64, 100);
    PlaceButton(f, "Button_ni", 380, 63, 40);
    PlaceLabel(f, "Label_eingriffe", 20, 88, 300);
    const char* rows[][3] = {{"Label_n", "Edit_n", "Label_nu"},
                             {"Label_T", "Edit_T", "Label_Tu"},
                             {"Label_p", "Edit_p", "Label_pu"}};
    int y = 138;
    for (const auto& r : rows) {
        PlaceLabel(f, r[0], 20, y, 150);
        PlaceEdit(f, r[1], 174, y, 90);
        PlaceLabel(f, r[2], 268, y, 50);
        y += 28;
    }
    PlaceRadioGroup(f, "RadioGroup_ntp", 330, 130, 110, 3);
    PlaceLabel(f, "Label_ts", 20, 230, 20);
    const char* t[][2] = {{"Edit_ts", "Label_tsu"}, {"Edit_tmin", "Label_tminu"}, {"Edit_th", "Label_thu"}};
    y = 230;
    for (const auto& r : t) {
        PlaceEdit(f, r[0], 174, y, 90);
        PlaceLabel(f, r[1], 268, y, 40);
        y += 28;
    }
    PlaceRadioGroup(f, "RadioGroup_t", 330, 222, 110, 3);
    PlaceButton(f, "SpinButton1Up", 460, 8, 26, QStringLiteral("\u25B2"));
    PlaceButton(f, "SpinButton1Down", 460, 36, 26, QStringLiteral("\u25BC"));
    PlaceButton(f, "Button_metric", 440, 80, 112);
    PlaceButtonRow(f, 8, 354, {"Button_ok", "Button_cancel", "Button_help", "Button_hilfebild"});
    return form;
}

} // namespace

void RegisterLoadSpectrumForms(platform::DialogHostImplQt& host)
{
    RegisterBoundForm(host, "TForm_qyrlk1", TableLayout);
    RegisterBoundForm(host, "TForm_einarray", ListLayout);
    RegisterBoundForm(host, "TForm_lki", ItemLayout);
}

} // namespace dialogs_qt
