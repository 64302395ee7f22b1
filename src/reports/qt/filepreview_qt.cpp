#include "reports/qt/filepreview_qt.h"

#include "platform/qt/dialoghost_qt.h"
#include "platform/qt/menustyle_qt.h"
#include "platform/qt/qttext.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace reports_qt
{

using platform::ToQString;

FilePreviewQt::FilePreviewQt(TForm_preview& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("TForm_preview"));
    resize(640, 400);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    // The captions are bytes of the menu language's code page.
    auto caption = [this](const char* name) {
        return platform::CodePageToQString(model_.Control(name).Caption, model_.MenuCodePage);
    };
    auto add = [this, caption](QMenu* menu, const char* name, const QKeySequence& key = {}) {
        QAction* a = menu->addAction(caption(name));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        const std::string n = name;
        connect(a, &QAction::triggered, this, [this, n] {
            const auto r = model_.Press(n);
            if (r == platform::DialogAction::Reject) {
                closing_ = true;
                QDialog::reject();
                return;
            }
            Refresh();
        });
    };
    QMenu* file = bar->addMenu(caption("mi_File"));
    platform::FitMenuCaptions(*file);
    file->setObjectName(QStringLiteral("mi_File"));
    add(file, "mi_fileExportExcel");
    add(file, "mi_fileExit");
    QMenu* edit = bar->addMenu(caption("mi_edit"));
    platform::FitMenuCaptions(*edit);
    edit->setObjectName(QStringLiteral("mi_edit"));
    add(edit, "mi_editsearch", QKeySequence(Qt::CTRL | Qt::Key_F));
    add(edit, "SearchNext1", QKeySequence(Qt::Key_F3));
    QMenu* help = bar->addMenu(caption("mi_Help"));
    platform::FitMenuCaptions(*help);
    help->setObjectName(QStringLiteral("mi_Help"));
    add(help, "mi_HelpHelp");
    layout->setMenuBar(bar);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setDefaultSectionSize(16);
    grid_->horizontalHeader()->viewport()->installEventFilter(this);
    layout->addWidget(grid_);
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (model_.SelectCell(row + 1, col) == platform::DialogAction::Accept) {
            closing_ = true;
            accept();
        }
    });
    Refresh();
}

void FilePreviewQt::Refresh()
{
    const int rows = model_.RowCount() - 1;
    const int cols = model_.ColCount();
    grid_->setRowCount(rows);
    grid_->setColumnCount(cols);
    QStringList heads;
    for (int c = 0; c < cols; ++c)
        heads << ToQString(model_.Cell(0, c));
    grid_->setHorizontalHeaderLabels(heads);
    // A column narrower than its title showed it cut ("Date  y/m/d"): the
    // header's own measure of the title is the least width.
    for (int c = 0; c < cols; ++c)
        grid_->setColumnWidth(c, std::max(model_.ColWidths[static_cast<std::size_t>(c)],
                                          grid_->horizontalHeader()->sectionSizeHint(c)));
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < cols; ++c) {
            auto* item = grid_->item(r - 1, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid_->setItem(r - 1, c, item);
            }
            const std::string& cell = model_.Cell(r, c);
            item->setText(c == model_.FileNameColumn ? platform::FileNameToQString(cell) : ToQString(cell));
        }
    const QSignalBlocker block(grid_);
    if (model_.Row >= 1 && model_.Row <= rows) grid_->setCurrentCell(model_.Row - 1, model_.Col);
}

bool FilePreviewQt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_->horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(event);
        QHeaderView* h = grid_->horizontalHeader();
        const int x = m->position().toPoint().x();
        const int col = h->logicalIndexAt(x);
        if (col >= 0) {
            const int left = h->sectionViewportPosition(col);
            const bool inside = x > left && x < left + h->sectionSize(col) - 1;
            if (m->button() == Qt::RightButton) {
                if (grid_->currentRow() >= 0) model_.Row = grid_->currentRow() + 1;
                model_.HeaderMouseDown(true, col, inside);
                Refresh();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FilePreviewQt::showEvent(QShowEvent* event)
{
    model_.FormActivate();
    setWindowTitle(platform::CaptionToQString(model_));
    QDialog::showEvent(event);
}

void FilePreviewQt::reject()
{
    if (!closing_) model_.Press("Escape");
    closing_ = true;
    QDialog::reject();
}

namespace
{

// The last search text comes back selected, so that typing replaces it; the
// binder fills the edit after the layout is made, so this is done when the
// question shows.
class SelectOnShow final : public QObject
{
  public:
    SelectOnShow(QDialog& form, QLineEdit& edit) : QObject(&form), edit_(edit)
    {
        form.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            edit_.setFocus();
            edit_.selectAll();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QLineEdit& edit_;
};

} // namespace

std::unique_ptr<QDialog> SearchFormLayout(platform::DialogModel&, QWidget* parent)
{
    auto form = std::make_unique<QDialog>(parent);
    auto* layout = new QVBoxLayout(form.get());
    auto* label = new QLabel(form.get());
    label->setObjectName(QStringLiteral("Label_suchen"));
    auto* edit = new QLineEdit(form.get());
    edit->setObjectName(QStringLiteral("Edit_suchbegriff"));
    auto* button = new QPushButton(form.get());
    button->setObjectName(QStringLiteral("Button_suchen"));
    button->setDefault(true);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(button);
    new SelectOnShow(*form, *edit);
    return form;
}

void RegisterPreviewForms(platform::DialogHostImplQt& host)
{
    host.RegisterForm("TForm_preview", [](platform::DialogModel& model, QWidget* parent) {
        return std::unique_ptr<QDialog>(new FilePreviewQt(dynamic_cast<TForm_preview&>(model), parent));
    });
}

} // namespace reports_qt
