#pragma once

#include <QKeySequence>
#include <QString>

#include <vector>

// One entry of a menu template: a command item, a separator or a pop-up with its own
// items. The main frame builds its QMenuBar and QMenus from this tree.
struct CMenuItem {
    QString text; // with "&" mnemonics and an optional "\t" shortcut text
    int id = 0;   // command id; 0 for separators and pop-ups
    bool separator = false;
    bool popup = false;
    bool checked = false;
    bool grayed = false;
    std::vector<CMenuItem> items; // pop-up contents
};

// A menu template: the top-level entries of a menu bar, left to right.
struct CMenuTemplate {
    int id = 0;
    std::vector<CMenuItem> items;
    bool IsEmpty() const { return items.empty(); }
};

// One accelerator: a key and the command it sends.
struct CAccelerator {
    QKeySequence key;
    int id = 0;
};
