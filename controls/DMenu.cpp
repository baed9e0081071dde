#include "controls/DMenu.h"

#include "controls/AccessibleRules.h"
#include "controls/DMenuItem.h"
#include "foundation/DList.h"
#include "framework/DApplication.h"
#include "framework/DTheme.h"
#include "framework/DView.h"
#include "framework/DWinInterior.h"
#include "framework/KeyCodes.h"
#include "framework/SystemUtils.h"
#include "graphics/DCanvas.h"

namespace {

// Puts the canvas origin at `box` for one theme call and takes it back afterwards.
class OriginAt {
public:
    OriginAt(DCanvas* canvas, const DMenuBox& box) : canvas(canvas) { canvas->setOrigin(box.x, box.y); }
    ~OriginAt() { canvas->setOrigin(0, 0); }
    OriginAt(const OriginAt&) = delete;
    OriginAt& operator=(const OriginAt&) = delete;

private:
    DCanvas* canvas;
};

}  // namespace

DMenu::DMenu() : items(new DList)
{
}

DMenu::~DMenu()
{
    if (shown)
        letGoOfOwners();
    releaseOwnCapture();
    while (items->count() > 0) {
        delete static_cast<DMenuItem*>(items->get(0));
        items->remove(0);
    }
    delete items;
}

bool DMenu::create()
{
    if (!DWindow::create(nullptr, 0, 0, 100, 100, DString(""), windowFrameless))
        return false;
    SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    setTheme(DApplication::currentTheme());
    return true;
}

void DMenu::onCreate()
{
    hotIndex = -1;
    // Plain menu colours until the theme's menu colours replace them.
    palette = DPalette::menu();
}

void DMenu::applyThemeColors()
{
    if (!theme)
        return;
    // A menu takes the theme's menu colours: icon column, background, border, highlight.
    palette = theme->menuPalette();
}

void DMenu::onThemeChanged(DTheme* newTheme)
{
    if (spreadingTheme)
        return;  // a submenu that leads back here
    spreadingTheme = true;
    for (int i = 0; i < itemCount(); i++) {
        DMenu* submenu = itemAt(i)->submenu;
        if (submenu && submenu != this && DWindow::isLive(submenu))
            submenu->setTheme(newTheme);
    }
    spreadingTheme = false;
}

void DMenu::onClose()
{
    // The native window is going while the menu may be open: owners must not keep
    // sending their keys here.
    if (shown)
        letGoOfOwners();
    releaseOwnCapture();
}

// ---- Items ----

void DMenu::addItem(const DString& text, int id)
{
    items->add(new DMenuItem(text, id));
    relayout();
    redraw();
}

void DMenu::addSubmenu(const DString& text, DMenu* submenu)
{
    items->add(new DMenuItem(text, submenu));
    relayout();
    redraw();
}

void DMenu::addSeparator()
{
    items->add(new DMenuItem);
    relayout();
    redraw();
}

int DMenu::itemCount() const
{
    return items ? items->count() : 0;
}

DMenuItem* DMenu::itemAt(int index) const
{
    if (index < 0 || index >= itemCount())
        return nullptr;
    return static_cast<DMenuItem*>(items->get(index));
}

void DMenu::removeItemAt(int index)
{
    DMenuItem* item = itemAt(index);
    if (!item)
        return;
    items->remove(index);
    delete item;
    if (hotIndex >= itemCount())
        hotIndex = -1;
    relayout();
    redraw();
}

void DMenu::removeItem(int id)
{
    for (int i = 0; i < itemCount(); i++) {
        if (itemAt(i)->id == id) {
            removeItemAt(i);
            return;
        }
    }
}

void DMenu::clear()
{
    if (!items)
        return;
    while (items->count() > 0) {
        DMenuItem* item = static_cast<DMenuItem*>(items->get(0));
        items->remove(0);
        delete item;
    }
    hotIndex = -1;
    relayout();
}

void DMenu::setItemEnabled(int id, bool flag)
{
    for (int i = 0; i < itemCount(); i++)
        if (itemAt(i)->id == id)
            itemAt(i)->enabled = flag;
    redraw();
}

void DMenu::setItemChecked(int id, bool flag)
{
    for (int i = 0; i < itemCount(); i++)
        if (itemAt(i)->id == id)
            itemAt(i)->checked = flag;
    redraw();
}

bool DMenu::isItemChecked(int id) const
{
    for (int i = 0; i < itemCount(); i++)
        if (itemAt(i)->id == id)
            return itemAt(i)->checked;
    return false;
}

std::vector<DMenuEntryShape> DMenu::shapes() const
{
    std::vector<DMenuEntryShape> result;
    result.reserve(itemCount());
    for (int i = 0; i < itemCount(); i++) {
        DMenuItem* item = itemAt(i);
        DMenuEntryShape shape;
        shape.separator = item->isSeparator();
        shape.enabled = item->enabled;
        if (!shape.separator && canvas) {
            if (item->textWidth < 0)
                item->textWidth = canvas->textExtent(item->text).width();
            shape.textWidth = item->textWidth;
        }
        result.push_back(shape);
    }
    return result;
}

void DMenu::keepMeasuresCurrent()
{
    void* font = canvas ? canvas->font()->getHandle() : nullptr;
    if (font == measuredFont)
        return;
    measuredFont = font;
    sampleHeight = 0;
    for (int i = 0; i < itemCount(); i++)
        itemAt(i)->textWidth = -1;
}

void DMenu::relayout()
{
    // Filling a menu item by item laid it out after each one: measuring every text again
    // each time made twenty items two hundred measurements.
    keepMeasuresCurrent();
    if (sampleHeight == 0 && canvas)
        sampleHeight = canvas->lineHeight();
    layout = layoutMenu(shapes(), menuLineHeight(sampleHeight));
    for (int i = 0; i < itemCount(); i++)
        itemAt(i)->top = layout.tops[i];
}

// ---- Opening and closing ----

DWindow* DMenu::windowOfView(DView* view)
{
    if (!view || !DView::isLive(view))
        return nullptr;
    DWinInterior* interior = dynamic_cast<DWinInterior*>(view->root());
    return interior ? interior->getOwnerWindow() : nullptr;
}

void DMenu::takeOwners(DWindow* window, DView* view)
{
    if (shown)
        letGoOfOwners();
    ownerWindow = window;
    ownerView = view;
    parentMenu = nullptr;
    hotIndex = -1;
    relayout();
}

void DMenu::popupForWindow(DWindow* owner, int x, int y)
{
    if (!handle)
        return;
    takeOwners(owner, nullptr);
    // A submenu that does not fit on the right opens on its parent's left side.
    int extraLeft = (owner && owner->isMenu()) ? owner->bounds().width : 0;
    int areaWidth, areaHeight;
    screenArea(areaWidth, areaHeight);
    open(popupPlacement(x, y, layout.width, layout.height, areaWidth, areaHeight, extraLeft, 0));
}

void DMenu::popupForView(DView* owner, int x, int y)
{
    if (!handle)
        return;
    takeOwners(nullptr, owner);
    int extraUp = owner ? owner->getHeight() : 0;
    int areaWidth, areaHeight;
    screenArea(areaWidth, areaHeight);
    open(popupPlacement(x, y, layout.width, layout.height, areaWidth, areaHeight, 0, extraUp));
}

void DMenu::open(const DMenuBox& place)
{
    setBounds(place.x, place.y, place.width, place.height);
    show(true);
    DWindow* keyOwner = ownerWindow;
    if (ownerWindow && DWindow::isLive(ownerWindow)) {
        ownerWindow->setKeyTarget(this);
    } else if (ownerView && DView::isLive(ownerView)) {
        ownerView->setKeyGrab(this);
        keyOwner = windowOfView(ownerView);
    }
    // The capture and the keys only reach a menu of the foreground thread. When the owner
    // is hidden (the window behind the tray icon) or another program is active, the menu
    // window itself becomes the foreground window first; otherwise a click elsewhere or
    // Escape would never reach it and the menu would stay open.
    HWND foreground = GetForegroundWindow();
    bool ours = foreground && GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId();
    bool ownerShown = keyOwner && DWindow::isLive(keyOwner) && keyOwner->isShown();
    if (!ownerShown || !ours)
        SetForegroundWindow(handle);
    setCapture(handle);
    redraw();
    announce(accessEventMenuPopupStart);
}

void DMenu::letGoOfOwners()
{
    if (ownerView && DView::isLive(ownerView) && ownerView->getKeyGrab() == this)
        ownerView->setKeyGrab(nullptr);
    if (ownerWindow && DWindow::isLive(ownerWindow) && ownerWindow->getKeyTarget() == this)
        ownerWindow->setKeyTarget(nullptr);
}

void DMenu::releaseOwnCapture()
{
    if (!handle || GetCapture() != handle)
        return;
    releasingCapture = true;
    releaseCapture();
    releasingCapture = false;
}

void DMenu::close()
{
    if (closing)
        return;
    closing = true;
    letGoOfOwners();
    bool wasOpen = shown;
    show(false);
    if (wasOpen)
        announce(accessEventMenuPopupEnd);
    releaseOwnCapture();
    if (wasOpen)
        closed();
    DMenu* parent = parentMenu;
    if (parent && DWindow::isLive(parent))
        parent->close();
    closing = false;
}

void DMenu::closeLevel()
{
    DMenu* parent = parentMenu;
    if (!parent || !DWindow::isLive(parent) || !parent->isOpen()) {
        close();
        return;
    }
    letGoOfOwners();
    show(false);
    announce(accessEventMenuPopupEnd);
    releaseOwnCapture();
    parentMenu = nullptr;
    // The parent holds the keys again (its owner's grab never left it); it needs the
    // capture back to see a click outside.
    setCapture(parent->handle);
    if (parent->hotIndex >= 0)
        parent->announce(accessEventFocus, parent->hotIndex);
}

void DMenu::highlightFirst()
{
    int first = menuNextIndex(shapes(), -1, true);
    if (first >= 0 && itemAt(first) && !itemAt(first)->isSeparator() && itemAt(first)->enabled)
        setHotIndex(first);
}

DAccessibleInfo DMenu::accessibleInfo() const
{
    return accessibleMenu(shown);
}

DAccessibleInfo DMenu::accessiblePart(int index) const
{
    DMenuItem* item = itemAt(index);
    if (!item)
        return DAccessibleInfo();
    DAccessibleInfo info = accessibleMenuItem(item->text, item->isSeparator(), item->enabled,
                                              item->checked, item->submenu != nullptr,
                                              index == hotIndex, shown);
    DMenuBox box = menuHighlightBox(layout, index);
    info.x = 0;
    info.y = box.y;
    info.width = layout.width;
    info.height = box.height;
    return info;
}

void DMenu::announceFocus() const
{
    int part = focusedAccessiblePart();
    if (part >= 0)
        announce(accessEventFocus, part);
}

bool DMenu::doAccessibleAction(int part)
{
    DMenuItem* item = itemAt(part);
    if (!item || item->isSeparator() || !item->enabled || !shown)
        return false;
    hotIndex = part;
    choose();
    return true;
}

bool DMenu::selectAccessiblePart(int part)
{
    DMenuItem* item = itemAt(part);
    if (!item || item->isSeparator() || !shown)
        return false;
    setHotIndex(part);
    return true;
}

void DMenu::command(int id)
{
    if (ownerWindow && DWindow::isLive(ownerWindow))
        ownerWindow->onMenuItem(id);
    else if (ownerView && DView::isLive(ownerView))
        ownerView->command(id);
}

DMenu* DMenu::choose()
{
    releaseOwnCapture();
    DMenuItem* item = itemAt(hotIndex);
    if (!item || !item->enabled || item->isSeparator()) {
        close();
        return nullptr;
    }
    DMenu* submenu = item->submenu;
    if (submenu) {
        if (submenu == this || !DWindow::isLive(submenu)) {
            close();
            return nullptr;
        }
        DRect here = bounds();
        submenu->popupForWindow(this, here.x + here.width, here.y + item->top);
        submenu->parentMenu = this;
        return submenu;
    }
    int id = item->id;
    close();
    // The owner's handler may delete this menu: nothing here touches it afterwards.
    command(id);
    return nullptr;
}

// ---- Input ----

bool DMenu::containsClientPoint(int x, int y) const
{
    if (!handle)
        return false;
    DRect client = bounds();
    return x >= 0 && y >= 0 && x <= client.width && y <= client.height;
}

void DMenu::setHotIndex(int index)
{
    if (index == hotIndex)
        return;
    hotIndex = index;
    redraw();
    if (shown && index >= 0)
        announce(accessEventFocus, index);
}

void DMenu::onMouseMove(int x, int y, int)
{
    if (!containsClientPoint(x, y))
        return;
    int index = menuItemAt(layout, x, y);
    DMenuItem* item = itemAt(index);
    if (item && !item->isSeparator())
        setHotIndex(index);
}

void DMenu::onMouseUp(int x, int y, int)
{
    if (!containsClientPoint(x, y)) {
        releaseOwnCapture();
        close();
        return;
    }
    // The click chooses what lies under the pointer; over a separator or the border that
    // is nothing, and the menu closes without a command.
    int index = menuItemAt(layout, x, y);
    DMenuItem* item = itemAt(index);
    hotIndex = (item && !item->isSeparator()) ? index : -1;
    choose();
}

void DMenu::onRightMouseUp(int x, int y, int)
{
    // A right click outside closes the menu like a left one; inside it does nothing.
    if (!containsClientPoint(x, y)) {
        releaseOwnCapture();
        close();
    }
}

void DMenu::onKeyDown(int key, int mods)
{
    if (keyTarget && DWindow::isLive(keyTarget)) {
        keyTarget->onKeyDown(key, mods);  // an open submenu takes the keys
        return;
    }
    DMenuItem* hot = itemAt(hotIndex);
    switch (key) {
    case keyEscape:
        if (parentMenu) {
            closeLevel();
            return;
        }
        hotIndex = -1;
        choose();
        return;
    case keyEnter:
    case keyRight: {
        // A disabled item keeps the menu open: the user may move on from it. Right acts
        // only on an item with a submenu.
        if (hot && (!hot->enabled || hot->isSeparator()))
            return;
        if (key == keyRight && (!hot || !hot->submenu))
            return;
        if (DMenu* opened = choose())
            opened->highlightFirst();
        return;
    }
    case keyLeft:
        if (parentMenu)
            closeLevel();
        return;
    case keyUp:
    case keyDown:
        setHotIndex(menuNextIndex(shapes(), hotIndex, key == keyDown));
        return;
    default:
        return;
    }
}

void DMenu::onKeyUp(int key, int mods)
{
    if (keyTarget && DWindow::isLive(keyTarget))
        keyTarget->onKeyUp(key, mods);
}

bool DMenu::handleMessage(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    // Losing the capture to anything but our own release (another program, the system
    // cancelling modes) leaves the menu unable to see a click outside: it closes.
    if (message == WM_CAPTURECHANGED && window == handle && shown && !releasingCapture &&
        reinterpret_cast<HWND>(lParam) != handle) {
        close();
        return true;
    }
    return false;
}

// ---- Painting ----

void DMenu::onPaint()
{
    if (!canvas || !handle)
        return;
    if (!theme) {
        DWindow::onPaint();
        return;
    }
    DRect client = bounds();
    canvas->lock();
    theme->drawMenuBackground(canvas, client.width, client.height);
    DColor ink = canvas->font()->getColor();
    for (int i = 0; i < itemCount() && i < static_cast<int>(layout.tops.size()); i++) {
        DMenuItem* item = itemAt(i);
        bool separator = item->isSeparator();
        if (i == hotIndex && !separator) {
            DMenuBox box = menuHighlightBox(layout, i);
            OriginAt at(canvas, box);
            theme->drawMenuHighlight(canvas, item->enabled, box.width, box.height);
        }
        if (separator) {
            DMenuBox box = menuSeparatorBox(layout, i);
            OriginAt at(canvas, box);
            theme->drawMenuSeparator(canvas, box.width, box.height);
            continue;
        }
        DInk kind = i == hotIndex ? inkSelected : inkOnMenu;
        canvas->font()->setColor(item->enabled ? theme->ink(kind, DColor(0)) : palette.shadow);
        DTextExtent extent = canvas->textExtent(item->text);
        DMenuBox text = menuTextBox(layout, i, extent.width(), extent.height());
        canvas->drawText(text.x, text.y, item->text);
        if (item->submenu) {
            DMenuBox box = menuArrowBox(layout, i);
            OriginAt at(canvas, box);
            // The theme puts the arrow 12 pixels from the right end of the width it gets.
            theme->drawMenuArrow(canvas, box.width + 4, box.height, 0);
        }
        if (item->checked) {
            DMenuBox box = menuCheckBox(layout, i);
            OriginAt at(canvas, box);
            theme->drawMenuHighlight(canvas, item->enabled, box.width, box.height);
            theme->drawMenuCheck(canvas, 0, 0, 0);
        }
    }
    canvas->font()->setColor(ink);
    canvas->unlock();
}
