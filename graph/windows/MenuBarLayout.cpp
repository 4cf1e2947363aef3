#include "MenuBarLayout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr int kTemperatureMinus55 = 32774; // present only in the normal layout
constexpr int kCascade = 57650;            // present only with a Window menu
constexpr int kAbout = 57664;              // the last item of an unmaximised bar

QAction* CopyItem(const QAction* item, QWidget* parent) {
    if (item->isSeparator()) {
        auto* separator = new QAction(parent);
        separator->setSeparator(true);
        return separator;
    }
    if (QMenu* sub = item->menu()) {
        auto* menu = new QMenu(sub->title(), parent);
        InsertMenuCopies(sub->actions(), menu, menu->actions().size());
        QAction* menuAction = menu->menuAction();
        menuAction->setEnabled(item->isEnabled());
        return menuAction;
    }
    auto* action = new QAction(item->text(), parent);
    action->setProperty(kCommandIdProperty, item->property(kCommandIdProperty));
    action->setCheckable(item->isCheckable());
    action->setChecked(item->isChecked());
    action->setEnabled(item->isEnabled());
    action->setShortcut(item->shortcut());
    return action;
}

} // namespace

int CommandIdOf(const QAction* action) {
    if (action == nullptr)
        return 0;
    QVariant id = action->property(kCommandIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QAction* FindCommand(const QWidget* menu, int commandId) {
    if (menu == nullptr)
        return nullptr;
    for (QAction* action : menu->actions()) {
        if (CommandIdOf(action) == commandId)
            return action;
        if (QAction* found = FindCommand(action->menu(), commandId))
            return found;
    }
    return nullptr;
}

bool HoldsCommand(const QWidget* menu, int commandId) {
    return FindCommand(menu, commandId) != nullptr;
}

void InsertMenuCopies(const QList<QAction*>& items, QWidget* target, int position) {
    for (const QAction* item : items) {
        QAction* copy = CopyItem(item, target);
        QList<QAction*> existing = target->actions();
        QAction* before = position < existing.size() ? existing.at(position) : nullptr;
        target->insertAction(before, copy);
        ++position;
    }
}

void RemoveMenuItem(QWidget* target, int position) {
    QList<QAction*> existing = target->actions();
    if (position < 0 || position >= existing.size())
        return;
    QAction* item = existing.at(position);
    target->removeAction(item);
    // Copies made here are owned by the bar (actions) or are menus parented to it. They are
    // freed later, not now: the command that rebuilt the bar may have come from one of them.
    if (QMenu* menu = item->menu(); menu != nullptr && menu->parent() == target)
        menu->deleteLater();
    else if (item->parent() == target)
        item->deleteLater();
}

void SwitchMenuBar(QMenuBar* bar, bool normal, IMenuSource& source) {
    if (bar == nullptr || bar->actions().isEmpty())
        return;
    const bool isNormal = HoldsCommand(bar, kTemperatureMinus55);
    if (normal == isNormal)
        return;

    const int n = HoldsCommand(bar, kCascade) ? 2 : 1;
    const bool maximised = CommandIdOf(bar->actions().constLast()) != kAbout;
    const int first = maximised ? 1 : 0;
    const int keep = n + (maximised ? 4 : 0);

    QMenu loaded;
    const int menuId = normal ? (n == 2 ? kMenuNormal : kMenuNormalNoWindows)
                              : (n == 2 ? kMenuComparison : kMenuComparisonNoWindows);
    if (!source.LoadMenu(menuId, &loaded))
        return; // keep the bar usable rather than strip it without a replacement

    while (bar->actions().size() > keep && bar->actions().size() > first)
        RemoveMenuItem(bar, first);

    QList<QAction*> items = loaded.actions();
    if (normal) {
        // The normal menus end with the Window menu (if any) and About, which the bar kept.
        for (int i = 0; i < n && !items.isEmpty(); ++i)
            items.removeLast();
    }
    InsertMenuCopies(items, bar, first);
    bar->update();
}
