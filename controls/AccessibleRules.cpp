#include "controls/AccessibleRules.h"

#include "foundation/DPellaroDictionary.h"

namespace {

// The states every control shares: focusable and focused, unavailable when disabled,
// invisible when hidden.
unsigned controlState(const DControlFacts& facts)
{
    unsigned state = 0;
    if (!facts.enabled)
        state |= accessUnavailable;
    else if (facts.focusable)
        state |= accessFocusable;
    if (facts.enabled && facts.focused)
        state |= accessFocused;
    if (!facts.visible)
        state |= accessInvisible;
    return state;
}

DAccessibleInfo node(int role, const DString& name, unsigned state)
{
    DAccessibleInfo info;
    info.role = role;
    info.name = name;
    info.state = state;
    return info;
}

unsigned shownState(bool shown)
{
    return shown ? 0u : unsigned(accessInvisible | accessOffscreen);
}

}  // namespace

DAccessibleInfo accessibleButton(const DString& caption, const DControlFacts& facts,
                                 bool isDefault, bool pressed)
{
    DAccessibleInfo info = node(accessPushButton, caption, controlState(facts));
    if (isDefault)
        info.state |= accessDefault;
    if (pressed && facts.enabled)
        info.state |= accessPressed;
    if (facts.enabled)
        info.defaultAction = translate("Press");
    return info;
}

DAccessibleInfo accessibleCheckBox(const DString& caption, const DControlFacts& facts,
                                   bool checked, bool pressed)
{
    DAccessibleInfo info = node(accessCheckButton, caption, controlState(facts));
    if (checked)
        info.state |= accessChecked;
    if (pressed && facts.enabled)
        info.state |= accessPressed;
    if (facts.enabled)
        info.defaultAction = translate(checked ? "Uncheck" : "Check");
    return info;
}

DAccessibleInfo accessibleField(const DString& name, const DString& value, bool password,
                                const DControlFacts& facts)
{
    DAccessibleInfo info = node(accessText, name, controlState(facts));
    if (password)
        info.state |= accessProtected;
    else
        info.value = value;
    return info;
}

DAccessibleInfo accessibleComboBox(const DString& name, const DString& value, bool open,
                                   const DControlFacts& facts)
{
    DAccessibleInfo info = node(accessComboBox, name, controlState(facts));
    info.value = value;
    info.state |= open ? accessExpanded : accessCollapsed;
    if (facts.enabled)
        info.defaultAction = translate(open ? "Close" : "Open");
    return info;
}

DAccessibleInfo accessibleDropButton(bool open, bool enabled)
{
    DString action = translate(open ? "Close" : "Open");
    DAccessibleInfo info = node(accessPushButton, action, enabled ? 0u : unsigned(accessUnavailable));
    if (open && enabled)
        info.state |= accessPressed;
    if (enabled)
        info.defaultAction = action;
    return info;
}

DAccessibleInfo accessibleList(const DString& name, const DControlFacts& facts)
{
    return node(accessList, name, controlState(facts));
}

DAccessibleInfo accessibleListRow(const DStringList& cells, const DStringList& titles,
                                  bool selected, bool listFocused, bool shown)
{
    DAccessibleInfo info = node(accessListItem, cells.get(0), accessSelectable | accessFocusable);
    info.state |= shownState(shown);
    if (selected)
        info.state |= accessSelected;
    if (selected && listFocused)
        info.state |= accessFocused;
    DString rest;
    for (int i = 1; i < cells.count(); i++) {
        if (rest.length() > 0)
            rest = rest + ", ";
        rest = rest + titles.get(i) + ": " + cells.get(i);
    }
    info.value = rest;
    info.defaultAction = translate("Select");
    return info;
}

DAccessibleInfo accessibleColumnHeader(const DString& title, bool shown)
{
    return node(accessColumnHeader, title, accessReadOnly | shownState(shown));
}

DAccessibleInfo accessibleHeader()
{
    return node(accessGrouping, DString(), accessReadOnly);
}

DAccessibleInfo accessibleScrollBar(bool horizontal, unsigned position, bool active,
                                    bool enabled)
{
    DAccessibleInfo info = node(accessScrollBar, translate(horizontal ? "Horizontal" : "Vertical"),
                                (active && enabled) ? 0u : unsigned(accessUnavailable));
    info.value = DString(static_cast<int>(position));
    return info;
}

DAccessibleInfo accessibleWaitBar(const DString& name, bool running, bool visible)
{
    DAccessibleInfo info = node(accessProgressBar, name, accessReadOnly | shownState(visible));
    if (running)
        info.state |= accessAnimated;
    return info;
}

DAccessibleInfo accessibleStaticText(const DString& text, bool visible)
{
    return node(accessStaticText, text, accessReadOnly | shownState(visible));
}

DAccessibleInfo accessibleGroup(const DString& title, bool visible)
{
    return node(accessGrouping, title, shownState(visible));
}

DAccessibleInfo accessibleMenu(bool open)
{
    return node(accessMenuPopup, DString(), shownState(open));
}

DAccessibleInfo accessibleMenuItem(const DString& text, bool separator, bool enabled,
                                   bool checked, bool hasSubmenu, bool hot, bool menuOpen)
{
    if (separator)
        return node(accessSeparator, DString(), shownState(menuOpen));
    DAccessibleInfo info = node(accessMenuItem, text, shownState(menuOpen));
    if (!enabled) {
        info.state |= accessUnavailable;
    } else {
        info.state |= accessFocusable;
        info.defaultAction = translate(hasSubmenu ? "Open" : "Execute");
    }
    if (hot && menuOpen)
        info.state |= accessFocused;
    if (checked)
        info.state |= accessChecked;
    if (hasSubmenu)
        info.state |= accessHasPopup;
    return info;
}

DAccessibleInfo accessibleDropList(const DString& name, bool open)
{
    return node(accessList, name, shownState(open));
}

DAccessibleInfo accessibleDropListRow(const DString& text, bool hot, bool shown)
{
    DAccessibleInfo info = node(accessListItem, text,
                                accessSelectable | accessFocusable | shownState(shown));
    if (hot && shown)
        info.state |= accessSelected | accessFocused;
    info.defaultAction = translate("Select");
    return info;
}

DAccessibleInfo accessibleToolTip(const DString& text, bool shown)
{
    return node(accessToolTip, text, accessReadOnly | shownState(shown));
}

DAccessibleInfo accessibleAlert(const DString& text, bool shown)
{
    return node(accessAlert, text, accessReadOnly | shownState(shown));
}
