#include "controls/DScrollBar.h"

#include "controls/AccessibleRules.h"
#include "controls/DSBArrow.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"

bool DScrollBar::create(int newX, int newY, int newWidth, int newHeight)
{
    model = DScrollModel();
    thumbState = DStateNormal;
    draggingThumb = false;
    grabOffset = 0;
    horizontal = scrollBarIsHorizontal(newWidth, newHeight);
    init(newX, newY, newWidth, newHeight);
    model.setLength(horizontal ? newWidth : newHeight);

    DArrowPlace first = scrollFirstArrowPlace(newWidth, newHeight);
    DArrowPlace second = scrollSecondArrowPlace(newWidth, newHeight);
    firstArrow = new DSBArrow;
    firstArrow->create(first.x, first.y, first.width, first.height);
    firstArrow->setDirection(first.direction);
    secondArrow = new DSBArrow;
    secondArrow->create(second.x, second.y, second.width, second.height);
    secondArrow->setDirection(second.direction);
    addChild(firstArrow);
    addChild(secondArrow);
    // Nothing to scroll yet: inactive, both arrows disabled.
    arrowsEnabled = true;
    updateActivity();
    return true;
}

void DScrollBar::updateActivity()
{
    bool active = model.isActive();
    if (active == arrowsEnabled || !firstArrow || !secondArrow)
        return;
    arrowsEnabled = active;
    if (!active) {
        firstArrow->stopRepeat();
        secondArrow->stopRepeat();
    }
    firstArrow->setEnabled(active);
    secondArrow->setEnabled(active);
}

void DScrollBar::setTotal(unsigned n)
{
    model.setTotal(n);
    updateActivity();
    redraw();
}

void DScrollBar::setPosition(unsigned n)
{
    model.setPosition(n);
    redraw();
}

void DScrollBar::setPageSize(unsigned n)
{
    model.setPageSize(n);
    updateActivity();
    redraw();
}

void DScrollBar::placeArrows()
{
    if (!firstArrow || !secondArrow)
        return;
    DArrowPlace first = scrollFirstArrowPlace(width, height);
    DArrowPlace second = scrollSecondArrowPlace(width, height);
    firstArrow->setBounds(first.x, first.y, first.width, first.height);
    firstArrow->setDirection(first.direction);
    secondArrow->setBounds(second.x, second.y, second.width, second.height);
    secondArrow->setDirection(second.direction);
}

void DScrollBar::resized(int newWidth, int newHeight)
{
    horizontal = scrollBarIsHorizontal(newWidth, newHeight);
    placeArrows();
    model.setLength(horizontal ? newWidth : newHeight);
    redraw();
}

void DScrollBar::paint()
{
    if (!canvas || !theme)
        return;
    bool active = isEnabled() && model.isActive();
    canvas->lock();
    theme->setBackground(palette.background);
    theme->drawScrollTrack(canvas, active, width, height, horizontal);
    if (active) {
        int originX = 0;
        int originY = 0;
        canvas->getOrigin(&originX, &originY);
        int start = scrollArrowLength + static_cast<int>(model.thumbOffset);
        int length = static_cast<int>(model.thumbLength);
        if (horizontal) {
            canvas->setOrigin(originX + start, originY);
            theme->drawScrollThumb(canvas, active, length, height, thumbState, horizontal);
        } else {
            canvas->setOrigin(originX, originY + start);
            theme->drawScrollThumb(canvas, active, width, length, thumbState, horizontal);
        }
        canvas->setOrigin(originX, originY);
    }
    canvas->unlock();
}

void DScrollBar::setThumbState(DThemeState newState)
{
    if (thumbState == newState)
        return;
    thumbState = newState;
    redraw();
}

bool DScrollBar::mouseMove(int px, int py, int)
{
    int at = along(px, py);
    setThumbState(model.hit(at) == scrollHitThumb ? DStateHot : DStateNormal);
    if (draggingThumb) {
        unsigned target = model.dragPosition(at, grabOffset);
        if (target != model.position) {
            model.position = target;
            model.updateThumbOffset();
            notifyParent(notifyChanged, changedValue);
            redraw();
        }
    }
    return true;
}

bool DScrollBar::leftButtonDown(int px, int py, int)
{
    int at = along(px, py);
    if (model.hit(at) == scrollHitThumb) {
        grabOffset = at - static_cast<int>(model.thumbOffset) - scrollArrowLength;
        draggingThumb = true;
        return true;
    }
    model.pageClick(at);
    notifyParent(notifyChanged, changedValue);
    redraw();
    return true;
}

bool DScrollBar::leftButtonUp(int, int, int)
{
    draggingThumb = false;
    return true;
}

void DScrollBar::mouseLeave()
{
    draggingThumb = false;
    setThumbState(DStateNormal);
}

void DScrollBar::lineUp()
{
    if (!isEnabled() || !model.lineBack())
        return;
    notifyParent(notifyChanged, changedValue);
    redraw();
}

void DScrollBar::lineDown()
{
    if (!isEnabled() || !model.lineForward())
        return;
    notifyParent(notifyChanged, changedValue);
    redraw();
}

bool DScrollBar::wheelUp(int, int, int)
{
    lineUp();
    return true;
}

bool DScrollBar::wheelDown(int, int, int)
{
    lineDown();
    return true;
}

bool DScrollBar::childLeftButtonDown(DView* sender, int, int, int)
{
    // The press of an arrow and each of its repeats.
    if (sender == firstArrow) {
        lineUp();
        return true;
    }
    if (sender == secondArrow) {
        lineDown();
        return true;
    }
    return false;
}

bool DScrollBar::childLeftButtonUp(DView* sender, int, int, int)
{
    return sender == firstArrow || sender == secondArrow;
}

bool DScrollBar::childWheelUp(DView* sender, int, int, int)
{
    if (sender != firstArrow && sender != secondArrow)
        return false;
    lineUp();
    return true;
}

bool DScrollBar::childWheelDown(DView* sender, int, int, int)
{
    // The wheel turned over either arrow scrolls the bar both ways alike.
    if (sender != firstArrow && sender != secondArrow)
        return false;
    lineDown();
    return true;
}

DAccessibleInfo DScrollBar::accessibleInfo() const
{
    DAccessibleInfo info = accessibleScrollBar(horizontal, model.position, model.isActive(),
                                               isEnabled());
    if (!isVisible())
        info.state |= accessInvisible;
    return info;
}
