#include "controls/DCheckBox.h"

#include "controls/AccessibleRules.h"
#include "controls/ButtonLayout.h"
#include "framework/DTheme.h"
#include "framework/KeyCodes.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"

void DCheckBox::setChecked(bool flag)
{
    bool changed = checked != flag;
    checked = flag;
    redraw();
    if (changed)
        announce(accessEventStateChange);
}

void DCheckBox::flip()
{
    checked = !checked;
    redraw();
    announce(accessEventStateChange);
}

DAccessibleInfo DCheckBox::accessibleInfo() const
{
    return accessibleCheckBox(text, controlFacts(), checked, state == DStatePressed);
}

bool DCheckBox::doAccessibleAction(int part)
{
    if (part >= 0 || !isEnabled() || !isVisible())
        return false;
    flip();
    notifyParent(notifyActivated);
    return true;
}

bool DCheckBox::runAccessKey()
{
    if (!focusForKey())
        return false;
    flip();
    notifyParent(notifyActivated);
    return true;
}

int DCheckBox::fittingWidth()
{
    if (!canvas)
        return 0;
    return checkBoxWidthFor(applyFontAndMeasure().width());
}

void DCheckBox::paint()
{
    if (!canvas)
        return;
    bool active = isEnabled();
    canvas->lock();
    if (theme) {
        theme->setBackground(palette.background);
        bool lit = (state == DStatePressed || state == DStateHot) && active;
        theme->drawBackground(canvas, width, height, lit);
    }
    DTextExtent extent = applyFontAndMeasure();
    DLayoutRect at = checkBoxCaptionRect(height, extent.width(), extent.height());
    {
        DInkScope ink(canvas, theme, inkOnFace);
        drawCaption(at.x, at.y, active);
    }
    if (theme) {
        DLayoutRect glyph = checkBoxGlyphRect(height);
        int originX = 0;
        int originY = 0;
        canvas->getOrigin(&originX, &originY);
        canvas->setOrigin(originX + glyph.x, originY + glyph.y);
        DInkScope ink(canvas, theme, inkOnField);  // the check mark, on the box's field
        theme->drawCheckBox(canvas, active, glyph.width, glyph.height, state, checked);
        canvas->setOrigin(originX, originY);
    }
    if (active && isFocused()) {
        DLayoutRect focus = checkBoxFocusRect(width, height);
        canvas->drawFocusRect(focus.x, focus.y, focus.width, focus.height);
    }
    canvas->unlock();
}

bool DCheckBox::keyDown(int key, int mods)
{
    if (key == keySpace) {
        if (state != DStatePressed)
            setState(DStatePressed);
        return true;
    }
    return DView::keyDown(key, mods);
}

bool DCheckBox::keyUp(int key, int)
{
    if (key != keySpace)
        return false;
    state = hot ? DStateHot : DStateNormal;
    flip();
    notifyParent(notifyActivated);
    return true;
}

bool DCheckBox::leftButtonUp(int x, int y, int mods)
{
    checked = !checked;
    bool result = DButton::leftButtonUp(x, y, mods);
    announce(accessEventStateChange);
    return result;
}
