// DMenuItem: one entry of a popup menu - a command with its id, a submenu, or a separator
// (the text "-" with id 0 and no submenu). The menu that holds it owns it; the submenu it
// opens is not owned. `top` is the item's offset in its menu's stack of items in pixels,
// set by the menu's layout, which also keeps the measured width of the text.
#pragma once

#include "foundation/DObject.h"
#include "foundation/DString.h"

class DMenu;

class DMenuItem : public DObject {
public:
    DMenuItem();                                     // a separator
    DMenuItem(const DString& text, int id);          // a command
    DMenuItem(const DString& text, DMenu* submenu);  // opens a submenu; id 0

    bool isSeparator() const;

    DString text;
    int id = 0;
    DMenu* submenu = nullptr;  // not owned
    bool checked = false;
    bool enabled = true;
    int top = 0;
    int textWidth = -1;  // the text's width in the menu's font once measured, -1 before
};
