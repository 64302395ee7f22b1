#include "platform/qt/menuaccessible_qt.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>
#include <QWindow>

namespace platform
{

QString MenuCaptionAsDrawn(const QString& caption)
{
    QString drawn;
    drawn.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            drawn += caption[i];
            continue;
        }
        // A marker: the character after it is drawn (underlined), and is
        // the "&" itself where the marker doubles it.
        if (++i < caption.size()) drawn += caption[i];
    }
    return drawn;
}

namespace
{

// One item of a menu or of the menu bar, standing in for the toolkit's own
// in everything but the name: role, state, place, its submenu as the one
// child, and the press or show-menu action.
class MenuItemAccessible final : public QAccessibleInterface, public QAccessibleActionInterface
{
  public:
    MenuItemAccessible(QAction* action, QWidget* owner) : action_(action), owner_(owner) {}

    bool isValid() const override { return action_ && owner_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override
    {
        if (!owner_) return nullptr;
        return owner_->windowHandle() ? owner_->windowHandle() : owner_->window()->windowHandle();
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(owner_); }
    int childCount() const override { return action_ && action_->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && childCount() == 1 ? QAccessible::queryAccessibleInterface(action_->menu())
                                               : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && childCount() == 1 && child->object() == action_->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAccessibleInterface* sub = child(0);
        return sub && sub->rect().contains(x, y) ? sub : nullptr;
    }
    QRect rect() const override
    {
        QRect r;
        if (auto* bar = qobject_cast<QMenuBar*>(owner_))
            r = bar->actionGeometry(action_);
        else if (auto* menu = qobject_cast<QMenu*>(owner_))
            r = menu->actionGeometry(action_);
        return owner_ ? r.translated(owner_->mapToGlobal(QPoint(0, 0))) : r;
    }
    QAccessible::Role role() const override
    {
        return action_ && action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) return s;
        s.invisible = !owner_->testAttribute(Qt::WA_WState_Visible) || !action_->isVisible();
        if (auto* bar = qobject_cast<QMenuBar*>(owner_)) s.focused = bar->activeAction() == action_;
        if (auto* menu = qobject_cast<QMenu*>(owner_)) s.focused = menu->activeAction() == action_;
        s.hotTracked = owner_->style()->styleHint(QStyle::SH_Menu_MouseTracking) != 0;
        s.disabled = action_->isSeparator() || !action_->isEnabled();
        s.checkable = action_->isCheckable();
        s.checked = action_->isChecked();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (!action_) return {};
        if (t == QAccessible::Name) return MenuCaptionAsDrawn(action_->text());
        if (t == QAccessible::Accelerator) {
            const QKeySequence key =
                action_->shortcut().isEmpty() ? QKeySequence::mnemonic(action_->text()) : action_->shortcut();
            return key.toString(QKeySequence::NativeText);
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        if (!action_ || action_->isSeparator()) return {};
        return {action_->menu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (!isValid() || !action_->isEnabled()) return;
        if (name == pressAction()) {
            action_->trigger();
        } else if (name == showMenuAction()) {
            if (action_->menu() && action_->menu()->isVisible())
                action_->menu()->hide();
            else if (auto* bar = qobject_cast<QMenuBar*>(owner_))
                bar->setActiveAction(action_);
            else if (auto* menu = qobject_cast<QMenu*>(owner_))
                menu->setActiveAction(action_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QPointer<QAction> action_;
    QPointer<QWidget> owner_;
};

// An action shown in a menu or the menu bar gets the item above; any other
// is left to the toolkit.
QAccessibleInterface* MenuItemFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QAction")) return nullptr;
    auto* action = qobject_cast<QAction*>(object);
    if (!action) return nullptr;
    for (QObject* shownIn : action->associatedObjects())
        if (qobject_cast<QMenu*>(shownIn) || qobject_cast<QMenuBar*>(shownIn))
            return new MenuItemAccessible(action, static_cast<QWidget*>(shownIn));
    return nullptr;
}

} // namespace

void InstallMenuAccessibility()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&MenuItemFactory);
}

} // namespace platform
