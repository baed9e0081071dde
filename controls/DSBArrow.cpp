#include "controls/DSBArrow.h"

#include "framework/DTheme.h"
#include "graphics/DCanvas.h"
#include "system/DTimer.h"

DSBArrow::~DSBArrow()
{
    delete repeatTimer;
}

bool DSBArrow::create(int newX, int newY, int newWidth, int newHeight)
{
    state = DStateNormal;
    direction = 0;
    return init(newX, newY, newWidth, newHeight);
}

void DSBArrow::onCreate()
{
    delete repeatTimer;
    repeatTimer = new DTimer(this);
    repeatTimer->setInterval(repeatInterval);
}

void DSBArrow::onDestroy()
{
    // Deleting an enabled timer disables it first: no tick reaches the arrow afterwards.
    delete repeatTimer;
    repeatTimer = nullptr;
}

void DSBArrow::setDirection(int newDirection)
{
    direction = newDirection;
    redraw();
}

bool DSBArrow::isRepeating() const
{
    return repeatTimer && repeatTimer->isEnabled();
}

void DSBArrow::stopRepeat()
{
    if (repeatTimer)
        repeatTimer->setEnabled(false);
}

void DSBArrow::setState(DThemeState newState)
{
    state = newState;
    redraw();
}

void DSBArrow::paint()
{
    if (!canvas)
        return;
    canvas->lock();
    if (theme) {
        DInkScope ink(canvas, theme, inkOnFace);  // the arrow
        theme->setBackground(palette.background);
        theme->drawScrollArrow(canvas, isEnabled(), width, height, state, direction);
    }
    canvas->unlock();
}

void DSBArrow::mouseEnter()
{
    setState(DStateHot);
}

void DSBArrow::mouseLeave()
{
    stopRepeat();
    setState(DStateNormal);
}

bool DSBArrow::leftButtonDown(int, int, int)
{
    setState(DStatePressed);
    // The press itself reaches the bar through the general left-button-down notification;
    // the timer adds the repeated steps.
    if (repeatTimer)
        repeatTimer->setEnabled(true);
    return true;
}

bool DSBArrow::leftButtonUp(int, int, int)
{
    setState(DStateHot);
    stopRepeat();
    return true;
}

void DSBArrow::timerTick(DTimer* timer)
{
    if (timer == repeatTimer && repeatTimer)
        notifyParent(notifyLeftDown);
}
