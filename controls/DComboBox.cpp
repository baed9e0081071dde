#include "controls/DComboBox.h"

#include "controls/AccessibleRules.h"
#include "controls/DCBDropBtn.h"
#include "controls/DCBDropMenu.h"
#include "controls/MenuGeometry.h"
#include "foundation/DStringList.h"
#include "framework/DTheme.h"
#include "framework/KeyCodes.h"
#include "graphics/DCanvas.h"

namespace {

const int buttonSpace = 20;  // the drop button's width and its margin

}  // namespace

DComboBox::~DComboBox()
{
    onDestroy();
}

void DComboBox::onCreate()
{
    palette.background = DColor(0xFFFFFF);
    focusable = true;
    selectedIndex = -1;
    maxVisibleRows = 6;
    if (!items)
        items = new DStringList;
    if (!dropButton) {
        dropButton = new DCBDropBtn;
        dropButton->create(0, 0, 18, 18);
        placeDropButton();
        addChild(dropButton);
    }
    applyTheme();
    if (!dropMenu) {
        dropMenu = new DCBDropMenu;
        dropMenu->create();
    }
}

void DComboBox::onDestroy()
{
    if (dropMenu) {
        DCBDropMenu* list = dropMenu;
        dropMenu = nullptr;
        list->close();
        delete list;
    }
    delete items;
    items = nullptr;
}

void DComboBox::applyTheme()
{
    DView::applyTheme();
    // A field: white, as the input line.
    palette.background = palette.light;
}

void DComboBox::themeChanged(DTheme* newTheme)
{
    if (dropMenu)
        dropMenu->setTheme(newTheme);
}

void DComboBox::placeDropButton()
{
    if (dropButton)
        dropButton->setBounds(width - buttonSpace, 2, 18, height - 4);
}

void DComboBox::resized(int, int)
{
    placeDropButton();
}

void DComboBox::addItem(const DString& itemText)
{
    if (items)
        items->add(itemText);
}

int DComboBox::itemCount() const
{
    return items ? items->count() : 0;
}

DString DComboBox::itemText(int index) const
{
    return items ? items->get(index) : DString();
}

void DComboBox::setSelected(int index)
{
    DString before = text;
    selectedIndex = (index >= 0 && index < itemCount()) ? index : -1;
    text = selectedIndex >= 0 ? items->get(selectedIndex) : DString();
    redraw();
    if (text != before)
        announce(accessEventValueChange);
}

void DComboBox::chooseFromList(int row)
{
    if (row < 0 || row >= itemCount())
        return;
    DString before = text;
    selectedIndex = row;
    text = items->get(row);
    redraw();
    if (text != before)
        announce(accessEventValueChange);
    notifyParent(notifyChanged, changedValue);
}

int DComboBox::fittingWidth()
{
    if (!canvas || !items)
        return 0;
    int widest = canvas->textExtent(text).width();
    for (int i = 0; i < items->count(); i++) {
        const int itemWidth = canvas->textExtent(items->get(i)).width();
        if (itemWidth > widest)
            widest = itemWidth;
    }
    return comboWidthFor(widest);
}

void DComboBox::dropDown()
{
    if (!dropMenu || !handle || dropMenu->isOpen())
        return;
    int cornerX = 0;
    int cornerY = 0;
    screenPoint(0, height + 1, cornerX, cornerY);
    dropMenu->setList(items, this);
    dropMenu->dropBelow(this, cornerX, cornerY, maxVisibleRows);
    announce(accessEventStateChange);
}

bool DComboBox::isOpen() const
{
    return dropMenu && dropMenu->isOpen();
}

void DComboBox::toggleList()
{
    if (isOpen())
        dropMenu->close();
    else
        dropDown();
}

DAccessibleInfo DComboBox::accessibleInfo() const
{
    return accessibleComboBox(accessibleLabel(), text, isOpen(), controlFacts());
}

bool DComboBox::doAccessibleAction(int part)
{
    if (part >= 0 || !isEnabled() || !isVisible())
        return false;
    toggleList();
    return true;
}

bool DComboBox::keyDown(int key, int mods)
{
    bool opens = ((key == DKeyCode::keyDown || key == keyF4) && mods == 0) ||
                 ((key == DKeyCode::keyDown || key == DKeyCode::keyUp) && mods == modAlt);
    if (opens) {
        dropDown();
        return true;
    }
    // The other arrows step through the choices in place. They are the combo's own at
    // either end too: an arrow never moves the focus out of it.
    if (key == DKeyCode::keyUp || key == keyLeft || key == keyRight) {
        int step = key == keyRight ? 1 : -1;
        int next = (selectedIndex < 0 ? (step > 0 ? -1 : itemCount()) : selectedIndex) + step;
        if (mods == 0 && next >= 0 && next < itemCount() && next != selectedIndex)
            chooseFromList(next);
        return true;
    }
    return false;
}

bool DComboBox::leftButtonUp(int, int, int)
{
    dropDown();
    return true;
}

bool DComboBox::childActivated(DView* sender)
{
    if (sender == dropButton) {
        if (parent)
            parent->setFocus(this);
        dropDown();
    }
    return true;
}

void DComboBox::paint()
{
    if (!canvas)
        return;
    bool active = isEnabled();
    canvas->lock();
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawField(canvas, active, width, height, 0, false);
    }
    canvas->setClipRect(2, 2, width - 4, height - 4);
    int lineHeight = canvas->lineHeight();
    DInkScope fieldInk(canvas, theme, inkOnField);
    DColor ink = canvas->font()->getColor();
    if (isFocused() && active && theme) {
        canvas->pen()->setColor(theme->color(4));
        canvas->brush()->setColor(theme->color(4));
        canvas->drawRect(2, 2, width - buttonSpace - 2, height - 4);
        canvas->font()->setColor(theme->ink(inkSelected, theme->color(0)));
    }
    canvas->drawText(2, (height - lineHeight) / 2, text);
    canvas->font()->setColor(ink);
    canvas->setClipRect(0, 0, 0, 0);
    canvas->unlock();
}
