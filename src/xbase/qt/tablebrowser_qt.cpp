#include "xbase/qt/tablebrowser_qt.h"

#include "platform/qt/dialoghost_qt.h"
#include "platform/qt/menustyle_qt.h"
#include "platform/qt/qttext.h"
#include "xbase/qt/tablegrid_qt.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

namespace xbase_qt
{

using platform::ToQString;

TableBrowserQt::TableBrowserQt(TDbfBrowserModel& model, QWidget* parent)
    : QDialog(parent), form_(std::make_unique<TDbfBrowserForm>(model))
{
    setObjectName(QStringLiteral("dbf4"));
    setWindowTitle(platform::CaptionToQString(model));
    resize(656, 464);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* current = nullptr;
    for (const TBrowserMenuItem& item : form_->Menu) {
        if (item.Level == 0) {
            current = bar->addMenu(platform::CodePageToQString(item.Caption, item.CodePage));
            current->setObjectName(QString::fromStdString(item.Name));
            platform::FitMenuCaptions(*current);
            current->menuAction()->setVisible(item.Visible);
            continue;
        }
        if (!current) continue;
        if (item.Caption == "-") {
            current->addSeparator()->setVisible(item.Visible);
            continue;
        }
        QAction* a = current->addAction(platform::CodePageToQString(item.Caption, item.CodePage));
        a->setObjectName(QString::fromStdString(item.Name));
        a->setVisible(item.Visible);
        a->setToolTip(ToQString(item.Hint));
        const std::string name = item.Name;
        connect(a, &QAction::triggered, this, [this, name] { Guard([&] { Act(form_->Press(name)); }); });
    }
    layout->setMenuBar(bar);

    auto* top = new QHBoxLayout;
    // The grid comes first in the form, then the navigator, the record
    // number and the buttons: in this order Tab leads from one to the next.
    std::vector<QWidget*> tabOrder(1, nullptr);
    auto* nav = new QWidget(this);
    nav->setObjectName(QStringLiteral("TzNavigator1"));
    auto* navLayout = new QHBoxLayout(nav);
    navLayout->setContentsMargins(0, 0, 0, 0);
    navLayout->setSpacing(0);
    for (int b = 0; b < 10; ++b) {
        const auto btn = static_cast<TNavigateBtn>(b);
        auto* t = new QToolButton(nav);
        t->setText(QString::fromLatin1(TTzNavigator::Caption(btn)));
        t->setToolTip(QString::fromLatin1(TTzNavigator::Hint(btn)));
        t->setVisible(form_->Navigator.Visible(btn));
        connect(t, &QToolButton::clicked, this, [this, btn] {
            Guard([&] {
                form_->Navigator.Click(btn);
                Refresh();
            });
        });
        navLayout->addWidget(t);
        tabOrder.push_back(t);
    }
    top->addWidget(nav);
    top->addStretch();
    auto* title2 = new QLabel(ToQString(form_->LabelTitle2), this);
    title2->setObjectName(QStringLiteral("Label_title2"));
    top->addWidget(title2);
    recno_ = new QLineEdit(this);
    recno_->setObjectName(QStringLiteral("Edit_recno"));
    recno_->setFixedWidth(60);
    top->addWidget(recno_);
    tabOrder.push_back(recno_);
    reccount_ = new QLabel(this);
    reccount_->setObjectName(QStringLiteral("Label_reccount"));
    top->addWidget(reccount_);
    layout->addLayout(top);

    grid_ = new TzGridView(form_->Grid, this);
    tabOrder.front() = grid_;
    layout->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout;
    const char* const names[] = {"Button_ok", "Button_cancel", "Button_search", "Button_SearchNext"};
    for (const char* n : names) {
        auto* b = new QPushButton(ToQString(model.Control(n).Caption), this);
        b->setObjectName(QString::fromLatin1(n));
        const std::string name = n;
        connect(b, &QPushButton::clicked, this, [this, name] { Guard([&] { Act(form_->Press(name)); }); });
        buttons->addWidget(b);
        tabOrder.push_back(b);
        if (name == "Button_ok") b->setDefault(true);
        // A click on Cancel leaves the keyboard where it is: an open cell
        // editor losing it would store the text being cancelled.
        if (name == "Button_cancel") b->setFocusPolicy(Qt::TabFocus);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    // The pairs make the navigator to the buttons one run; the grid being the
    // only other control Tab reaches, Tab goes from it to the navigator even
    // without the first pair, which keeps that order should a control be added.
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    // The keyboard is the grid's when the browser opens: Down moves to the
    // next record at once instead of the focus among the navigator's buttons.
    grid_->setFocus();

    connect(grid_, &TzGridView::CellClicked, this,
            [this](int rec, int column) { Guard([&] { Act(form_->CellClick(rec, column)); }); });
    connect(grid_, &TzGridView::KeyDown, this,
            [this](int key) { Guard([&] { Act(form_->GridKeyDown(key)); }); });
    // The table's record follows the grid's row the moment it changes. Left
    // to the key's release, a refresh in between (the key down's) put the
    // grid back on the record the table still had: Up and Down never moved.
    // A record the navigator is inserting or editing is not left this way
    // (a move drops the pending change); the next refresh brings the grid
    // back to it.
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        const int32_t rec = grid_->CurrentRecNo();
        if (form_->Closed || rec <= 0 || rec == form_->Owner.RecNo()) return;
        if (form_->Owner.tzdbf.State() != TDataSetState::Browse) return;
        Guard([&] {
            form_->Owner.GoRecord(rec);
            ShowLabels();
        });
    });
    connect(grid_, &TzGridView::KeyUp, this, [this](int) {
        Guard([&] {
            form_->GridKeyUp();
            Refresh();
        });
    });
    connect(recno_, &QLineEdit::textEdited, this, [this](const QString& t) {
        Guard([&] {
            form_->EditRecnoChanged(platform::FromQString(t));
            grid_->GoToRecNo(form_->Owner.RecNo());
        });
    });
    form_->Grid.OnDepressTitle = [this](int column) {
        form_->DepressTitle(column);
        grid_->ItemModel().Reload();
        Refresh();
    };
    Refresh();
}

TableBrowserQt::~TableBrowserQt()
{
    // Hiding takes the focus from a cell editor still open, which stores its
    // text through the grid model: that must happen while the form holding
    // the model still exists, not in the dialog's own destructor after it.
    hide();
}

void TableBrowserQt::ShowLabels()
{
    form_->RefreshLabels();
    reccount_->setText(ToQString(form_->LabelReccount));
    if (!recno_->hasFocus()) recno_->setText(ToQString(form_->EditRecno));
}

void TableBrowserQt::Refresh()
{
    ShowLabels();
    grid_->ItemModel().Reload();
    // In title order the grid still lists records in file order: the
    // current record is found by its number; a new record is the last row.
    grid_->GoToRow(form_->Grid.CurrentRow());
}

void TableBrowserQt::Guard(const std::function<void()>& action)
{
    if (!RunTableAction(&form_->Owner.tzdbf, action)) Refresh();
}

void TableBrowserQt::showEvent(QShowEvent* event)
{
    Guard([this] {
        form_->FormShow();
        Refresh();
    });
    QDialog::showEvent(event);
}

void TableBrowserQt::Act(platform::DialogAction a)
{
    switch (a) {
    case platform::DialogAction::Accept:
        closing_ = true;
        accept();
        break;
    case platform::DialogAction::Reject:
        closing_ = true;
        QDialog::reject();
        break;
    case platform::DialogAction::Raise:
        raise();
        activateWindow();
        Refresh();
        break;
    default:
        Refresh();
        break;
    }
}

void TableBrowserQt::reject()
{
    if (closing_) {
        QDialog::reject();
        return;
    }
    Guard([this] { Act(form_->Press("Escape")); });
}

void RegisterTableBrowserForm(platform::DialogHostImplQt& host)
{
    host.RegisterForm("dbf4", [](platform::DialogModel& model, QWidget* parent) {
        return std::unique_ptr<QDialog>(new TableBrowserQt(dynamic_cast<TDbfBrowserModel&>(model), parent));
    });
}

} // namespace xbase_qt
