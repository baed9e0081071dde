#include "controls/DMenuItem.h"

DMenuItem::DMenuItem() : text("-")
{
}

DMenuItem::DMenuItem(const DString& itemText, int itemId) : text(itemText), id(itemId)
{
}

DMenuItem::DMenuItem(const DString& itemText, DMenu* opens) : text(itemText), submenu(opens)
{
}

bool DMenuItem::isSeparator() const
{
    return id == 0 && !submenu && text == "-";
}
