#include "controls/DCBDropBtn.h"

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
