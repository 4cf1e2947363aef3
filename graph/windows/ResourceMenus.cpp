#include "ResourceMenus.h"

#include "ResourceLibrary.h"

#include <QAction>
#include <QMenu>

namespace {

void BuildItems(const std::vector<CMenuItem>& items, QWidget* target) {
    for (const CMenuItem& item : items) {
        if (item.separator) {
            auto* separator = new QAction(target);
            separator->setSeparator(true);
            target->addAction(separator);
        } else if (item.popup || !item.items.empty()) {
            auto* menu = new QMenu(item.text, target);
            BuildItems(item.items, menu);
            menu->menuAction()->setEnabled(!item.grayed);
            target->addAction(menu->menuAction());
        } else {
            // A menu shows the text after a tab as the item's shortcut.
            auto* action = new QAction(item.text, target);
            action->setProperty(kCommandIdProperty, item.id);
            action->setEnabled(!item.grayed);
            if (item.checked) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            target->addAction(action);
        }
    }
}

} // namespace

void BuildMenuItems(const CMenuTemplate& menu, QWidget* target) {
    BuildItems(menu.items, target);
}

bool CResourceMenuSource::LoadMenu(int menuId, QMenu* into) {
    CMenuTemplate menu = library.Menu(menuId);
    if (menu.IsEmpty())
        return false;
    BuildMenuItems(menu, into);
    return true;
}
