#include "controls/DCBDropBtn.h"

#include "controls/AccessibleRules.h"
#include "controls/DComboBox.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"

namespace {

const int arrowDown = 1;

}  // namespace

bool DCBDropBtn::create(int newX, int newY, int newWidth, int newHeight)
{
    state = DStateNormal;
    return init(newX, newY, newWidth, newHeight);
}

DAccessibleInfo DCBDropBtn::accessibleInfo() const
{
    const DComboBox* combo = dynamic_cast<const DComboBox*>(parent);
    return accessibleDropButton(combo && combo->isOpen(), isEnabled());
}

bool DCBDropBtn::doAccessibleAction(int part)
{
    DComboBox* combo = dynamic_cast<DComboBox*>(parent);
    if (part >= 0 || !combo || !isEnabled())
        return false;
    combo->toggleList();
    return true;
}

void DCBDropBtn::setState(DThemeState newState)
{
    state = newState;
    redraw();
}

void DCBDropBtn::paint()
{
    if (!canvas || !theme)
        return;
    canvas->lock();
    DInkScope ink(canvas, theme, inkOnFace);  // the arrow
    theme->setBackground(palette.background);
    theme->drawScrollArrow(canvas, isEnabled(), width, height, state, arrowDown);
    canvas->unlock();
}

void DCBDropBtn::mouseEnter()
{
    setState(DStateHot);
}

void DCBDropBtn::mouseLeave()
{
    setState(DStateNormal);
}

bool DCBDropBtn::leftButtonDown(int, int, int)
{
    setState(DStatePressed);
    return true;
}

bool DCBDropBtn::leftButtonUp(int, int, int)
{
    setState(DStateHot);
    return false;
}
