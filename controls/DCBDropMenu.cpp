#include "controls/DCBDropMenu.h"

#include "controls/AccessibleRules.h"
#include "controls/DComboBox.h"
#include "controls/DScrollBar.h"
#include "foundation/DStringList.h"
#include "framework/DTheme.h"
#include "framework/KeyCodes.h"
#include "framework/SystemUtils.h"
#include "graphics/DCanvas.h"

void DCBDropMenu::onCreate()
{
    DMenu::onCreate();
    // List colours until the theme's replace them.
    palette = DPalette();
    palette.background = palette.light;
    list = nullptr;
    combo = nullptr;
    hotRow = -1;
    DRect client = bounds();
    scrollBar = new DScrollBar;
    scrollBar->create(client.width - 19, 1, 18, client.height - 2);
    addView(scrollBar);
}

void DCBDropMenu::applyThemeColors()
{
    if (!theme)
        return;
    // A list, not a menu: a white field with the theme's face, edges and selection.
    palette = theme->palette();
    palette.background = palette.light;
}

void DCBDropMenu::onSize(int width, int height)
{
    if (scrollBar && DView::isLive(scrollBar))
        scrollBar->setBounds(width - 19, 1, 18, height - 2);
}

int DCBDropMenu::lineHeight() const
{
    return canvas ? canvas->lineHeight() : 0;
}

int DCBDropMenu::rowCount() const
{
    return list ? list->count() : 0;
}

int DCBDropMenu::pageSize() const
{
    return dropListPageSize(bounds().height, lineHeight());
}

int DCBDropMenu::firstShownRow() const
{
    return scrollBar ? static_cast<int>(scrollBar->getPosition()) : 0;
}

void DCBDropMenu::setList(DStringList* texts, DComboBox* owner)
{
    list = texts;
    combo = owner;
    hotRow = (list && combo) ? list->indexOf(combo->getText()) : -1;
}

void DCBDropMenu::dropBelow(DComboBox* owner, int x, int y, int maxRows)
{
    if (!handle || !owner)
        return;
    takeOwners(nullptr, owner);
    combo = owner;
    int areaWidth, areaHeight;
    screenArea(areaWidth, areaHeight);
    DMenuBox place = dropListPlacement(x, y, owner->getWidth(), owner->getHeight(), rowCount(),
                                       maxRows, lineHeight(), areaWidth, areaHeight);
    setBounds(place.x, place.y, place.width, place.height);
    layoutList();
    scrollHotRowIntoView();
    open(place);
}

void DCBDropMenu::layoutList()
{
    if (!scrollBar)
        return;
    scrollBar->setTotal(static_cast<unsigned>(rowCount()));
    scrollBar->setPageSize(static_cast<unsigned>(pageSize()));
    scrollBar->setPosition(0);
    scrollBar->setVisible(!scrollBar->isInactive());
}

void DCBDropMenu::scrollHotRowIntoView()
{
    if (!scrollBar)
        return;
    int first = dropListScrollToShow(hotRow, firstShownRow(), pageSize(), rowCount());
    scrollBar->setPosition(static_cast<unsigned>(first));
    redraw();
}

int DCBDropMenu::rowAt(int y) const
{
    return dropListRowAt(y, firstShownRow(), lineHeight(), pageSize(), rowCount());
}

void DCBDropMenu::setHotRow(int row)
{
    if (row == hotRow)
        return;
    hotRow = row;
    redraw();
    announceHotRow();
}

void DCBDropMenu::announceHotRow()
{
    if (!shown || hotRow < 0)
        return;
    announce(accessEventFocus, hotRow);
    announce(accessEventSelection, hotRow);
}

void DCBDropMenu::closed()
{
    if (combo && DView::isLive(combo))
        combo->announce(accessEventStateChange);
}

DAccessibleInfo DCBDropMenu::accessibleInfo() const
{
    DString name;
    if (combo && DView::isLive(combo))
        name = combo->accessibleLabel();
    return accessibleDropList(name, shown);
}

DAccessibleInfo DCBDropMenu::accessiblePart(int index) const
{
    if (index < 0 || index >= rowCount())
        return DAccessibleInfo();
    int first = firstShownRow();
    bool onShow = shown && index >= first && index - first < pageSize();
    DAccessibleInfo info = accessibleDropListRow(list->get(index), index == hotRow, onShow);
    bool barShown = scrollBar && !scrollBar->isInactive();
    info.x = 2;
    info.y = dropListRowY(index, first, lineHeight());
    info.width = dropListRowWidth(bounds().width, barShown);
    info.height = lineHeight();
    return info;
}

bool DCBDropMenu::doAccessibleAction(int part)
{
    if (part < 0 || part >= rowCount() || !shown)
        return false;
    hotRow = part;
    closeAndChoose(part);
    return true;
}

bool DCBDropMenu::selectAccessiblePart(int part)
{
    if (part < 0 || part >= rowCount() || !shown)
        return false;
    hotRow = part;
    scrollHotRowIntoView();
    announceHotRow();
    return true;
}

void DCBDropMenu::closeAndChoose(int row)
{
    DComboBox* chooser = combo;
    close();
    if (row >= 0 && chooser && DView::isLive(chooser))
        chooser->chooseFromList(row);
}

void DCBDropMenu::onMouseMove(int x, int y, int mods)
{
    // Over no row (a line between rows, the border, outside) the hot row stays.
    if (containsClientPoint(x, y)) {
        int row = rowAt(y);
        if (row >= 0)
            setHotRow(row);
    }
    DMenu::onMouseMove(x, y, mods);
}

void DCBDropMenu::onMouseUp(int x, int y, int mods)
{
    if (!containsClientPoint(x, y)) {
        DMenu::onMouseUp(x, y, mods);  // outside: the list closes with nothing chosen
        return;
    }
    // A click chooses the row under the pointer; on no row it only closes the list.
    int row = rowAt(y);
    if (row >= 0)
        hotRow = row;
    releaseOwnCapture();
    closeAndChoose(row);
}

void DCBDropMenu::onKeyDown(int key, int mods)
{
    int count = rowCount();
    // Enter chooses the highlighted row; so do F4 and Alt with Up or Down, which close the
    // list as they opened it.
    bool closes = (key == keyF4 && mods == 0) ||
                  ((key == keyUp || key == keyDown) && mods == modAlt);
    if (key == keyEnter || closes) {
        closeAndChoose(hotRow < count ? hotRow : -1);
        return;
    }
    if (count > 0) {
        int moved = dropListKeyMove(key, hotRow, count, pageSize());
        if (moved != hotRow || key == keyHome) {
            if (key == keyHome && scrollBar)
                scrollBar->setPosition(0);
            bool changed = moved != hotRow;
            hotRow = moved;
            scrollHotRowIntoView();
            if (changed)
                announceHotRow();
            return;
        }
    }
    DMenu::onKeyDown(key, mods);  // Escape closes the list
}

void DCBDropMenu::onWheelForward(int, int, int)
{
    if (scrollBar && !scrollBar->isInactive())
        scrollBar->lineUp();
    redraw();
}

void DCBDropMenu::onWheelBackward(int, int, int)
{
    if (scrollBar && !scrollBar->isInactive())
        scrollBar->lineDown();
    redraw();
}

void DCBDropMenu::onChange(DView* source, int, int, int, int)
{
    if (source == scrollBar)
        redraw();
}

void DCBDropMenu::onPaint()
{
    if (!canvas || !handle)
        return;
    DRect client = bounds();
    int w = client.width;
    int h = client.height;
    canvas->lock();
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawDropList(canvas, w, h);
    } else {
        canvas->pen()->setColor(palette.background);
        canvas->brush()->setColor(palette.background);
        canvas->drawRect(0, 0, w, h);
    }
    int lh = lineHeight();
    int first = firstShownRow();
    int page = pageSize();
    bool barShown = scrollBar && !scrollBar->isInactive();
    int rowWidth = dropListRowWidth(w, barShown);
    DInkScope fieldInk(canvas, theme, inkOnField);
    DColor ink = canvas->font()->getColor();
    canvas->setClipRect(2, 2, rowWidth, h - 4);
    for (int r = first; r < rowCount() && r - first < page; r++) {
        int y = dropListRowY(r, first, lh);
        if (r == hotRow) {
            canvas->pen()->setColor(palette.selection);
            canvas->brush()->setColor(palette.selection);
            canvas->drawRect(2, y, rowWidth, lh);
            canvas->font()->setColor(theme ? theme->ink(inkSelected, palette.background)
                                           : palette.background);
        } else {
            canvas->font()->setColor(ink);
        }
        canvas->drawText(2, y, list->get(r));
    }
    canvas->font()->setColor(ink);
    canvas->setClipRect(0, 0, 0, 0);
    canvas->pen()->setColor(palette.shadow);
    canvas->drawFrame(0, 0, w, h);
    canvas->unlock();
}
