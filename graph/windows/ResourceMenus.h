#pragma once

#include "MenuBarLayout.h"

class CResourceLibrary;
struct CMenuTemplate;

// Builds the items of a menu template into `target` (a menu bar or a menu): command items
// carry their id in "commandId", pop-ups become new menus owned by `target`.
void BuildMenuItems(const CMenuTemplate& menu, QWidget* target);

// Menus served by the resource library.
class CResourceMenuSource : public IMenuSource {
public:
    explicit CResourceMenuSource(const CResourceLibrary& library) : library(library) {}
    bool LoadMenu(int menuId, QMenu* into) override;

private:
    const CResourceLibrary& library;
};
