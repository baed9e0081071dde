#include "controls/DCBDropBtn.h"

#include "framework/DTheme.h"
#include "graphics/DCanvas.h"

namespace {

const int arrowDown = 1;

}  // namespace

bool DCBDropBtn::create(int newX, int newY, int newWidth, int newHeight)
{
    state = 0;
    return init(newX, newY, newWidth, newHeight);
}

void DCBDropBtn::setState(int newState)
{
    state = newState;
    redraw();
}

void DCBDropBtn::paint()
{
    if (!canvas || !theme)
        return;
    canvas->lock();
    theme->setBackground(backgroundColor);
    theme->drawScrollArrow(canvas, isEnabled(), width, height, state, arrowDown);
    canvas->unlock();
}

void DCBDropBtn::mouseEnter()
{
    setState(2);
}

void DCBDropBtn::mouseLeave()
{
    setState(0);
}

bool DCBDropBtn::leftButtonDown(int, int, int)
{
    setState(1);
    return true;
}

bool DCBDropBtn::leftButtonUp(int, int, int)
{
    setState(2);
    return false;
}
