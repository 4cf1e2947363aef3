#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// Menu commands carry their numeric command id in the action property "commandId"; pop-ups,
// separators and items that do not belong to the program (the controls of a maximised graph
// window) carry none.
constexpr const char* kCommandIdProperty = "commandId";

// The command id of `action`, or 0.
int CommandIdOf(const QAction* action);

// True when `menu` (a menu bar or a menu, searched recursively) holds command `commandId`.
bool HoldsCommand(const QWidget* menu, int commandId);

// The action of command `commandId` in `menu` (searched recursively), or null.
QAction* FindCommand(const QWidget* menu, int commandId);

// Where `SwitchMenuBar` takes the menus it loads by id from: the resource library in the
// program, a hand-built menu in tests.
class IMenuSource {
public:
    virtual ~IMenuSource() = default;
    // Fills `into` with the top-level items of menu `menuId`; false when there is no such menu.
    virtual bool LoadMenu(int menuId, QMenu* into) = 0;
};

// Menu ids of the two layouts, with and without a Window menu.
constexpr int kMenuNormalNoWindows = 128;
constexpr int kMenuNormal = 129;
constexpr int kMenuComparison = 192;
constexpr int kMenuComparisonNoWindows = 193;

// Rebuilds `bar` in the normal layout (`normal` true) or the comparison layout, keeping the
// Window menu, the About item and the items of a maximised graph window in place. A bar that
// already has the wanted layout, a missing bar and a bar without menus are left alone.
void SwitchMenuBar(QMenuBar* bar, bool normal, IMenuSource& source);

// Inserts copies of `items` (text, command id, enabled and checked state, separators; pop-ups
// copied recursively into new menus) into `target` before position `position` (appended when
// the position is past the end).
void InsertMenuCopies(const QList<QAction*>& items, QWidget* target, int position);

// Removes the item at `position` of `target` and frees it when `target` owns it.
void RemoveMenuItem(QWidget* target, int position);
