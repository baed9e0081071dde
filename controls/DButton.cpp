#include "controls/DButton.h"

#include "controls/AccessibleRules.h"
#include "controls/ButtonLayout.h"
#include "framework/DTheme.h"
#include "framework/KeyCodes.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"

DButton::~DButton()
{
    delete font;
}

bool DButton::create(int newX, int newY, int newWidth, int newHeight, const DString& caption)
{
    text = caption;
    delete font;
    font = new DFont;
    init(newX, newY, newWidth, newHeight);
    focusable = true;
    wantsEnter = true;
    state = DStateNormal;
    return true;
}

void DButton::onDestroy()
{
    // The font goes with the control; painting after this draws without it.
    delete font;
    font = nullptr;
}

void DButton::setState(DThemeState newState)
{
    state = newState;
    redraw();
}

DAccessibleInfo DButton::accessibleInfo() const
{
    return accessibleButton(text, controlFacts(), isDefault, state == DStatePressed);
}

bool DButton::doAccessibleAction(int part)
{
    if (part >= 0 || !isEnabled() || !isVisible())
        return false;
    // The parent's handler may close the window: nothing here runs after it.
    notifyParent(notifyActivated);
    return true;
}

bool DButton::focusForKey()
{
    if (!isEnabled() || !isVisible())
        return false;
    if (parent)
        parent->setFocus(this);
    return true;
}

bool DButton::runAccessKey()
{
    if (!focusForKey())
        return false;
    notifyParent(notifyActivated);
    return true;
}

void DButton::paint()
{
    if (!canvas)
        return;
    bool active = isEnabled();
    canvas->lock();
    DTextExtent extent = applyFontAndMeasure();
    // The caption and the default button's frame are drawn in the text's colour.
    DInkScope ink(canvas, theme, inkOnFace);
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawButton(canvas, active, isDefault, width, height, state);
    }
    DLayoutRect at = buttonCaptionRect(width, height, extent.width(), extent.height(), state == DStatePressed);
    drawCaption(at.x, at.y, active);
    if (active && isFocused()) {
        DLayoutRect focus = buttonFocusRect(width, height);
        canvas->drawFocusRect(focus.x, focus.y, focus.width, focus.height);
    }
    canvas->unlock();
}

int DButton::fittingWidth()
{
    if (!canvas)
        return 0;
    return buttonWidthFor(applyFontAndMeasure().width());
}

DTextExtent DButton::applyFontAndMeasure()
{
    if (font)
        canvas->font()->assign(*font);
    return canvas->textExtent(text);
}

void DButton::drawCaption(int x, int y, bool active)
{
    DColor ink = canvas->font()->getColor();
    if (!active)
        canvas->font()->setColor(palette.shadow);
    canvas->drawText(x, y, text);
    if (active && accessKey && accessKeysShown())
        canvas->underlineAccessKey(x, y, text, accessKey);
    canvas->font()->setColor(ink);
}

void DButton::mouseEnter()
{
    setState(DStateHot);
}

void DButton::mouseLeave()
{
    setState(DStateNormal);
}

bool DButton::keyDown(int key, int mods)
{
    if (key == keySpace) {
        if (state != DStatePressed)
            setState(DStatePressed);
        return true;
    }
    if (key == keyEnter) {
        notifyParent(notifyActivated);
        return true;
    }
    return DView::keyDown(key, mods);
}

bool DButton::keyUp(int key, int)
{
    if (key != keySpace)
        return false;
    setState(hot ? DStateHot : DStateNormal);
    notifyParent(notifyActivated);
    return true;
}

bool DButton::leftButtonDown(int, int, int)
{
    setState(DStatePressed);
    return true;
}

bool DButton::leftButtonUp(int, int, int)
{
    setState(hot ? DStateHot : DStateNormal);
    return true;
}
