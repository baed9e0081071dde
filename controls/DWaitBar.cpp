#include "controls/DWaitBar.h"

#include "controls/AccessibleRules.h"
#include "controls/WaitBarGeometry.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"

bool DWaitBar::create(int newX, int newY, int newWidth, int newHeight)
{
    bandLength = 6;
    running = 0;
    position = 0;
    init(newX, newY, newWidth, newHeight);
    palette.background = palette.selection;
    applyTheme();
    updateGeometry();
    return true;
}

void DWaitBar::applyTheme()
{
    DView::applyTheme();
    if (theme)
        palette.background = theme->color(4);
}

DAccessibleInfo DWaitBar::accessibleInfo() const
{
    return accessibleWaitBar(groupTitle(), running != 0, isVisible());
}

void DWaitBar::updateGeometry()
{
    DWaitBarBlocks blocks = waitBarBlocks(width, height);
    blockSize = blocks.blockSize;
    blockCount = blocks.blockCount;
}

void DWaitBar::setBandLength(int blocks)
{
    bandLength = blocks;
    redraw();
}

void DWaitBar::setRunning(bool flag)
{
    bool changed = (running != 0) != flag;
    running = flag ? 1 : 0;
    position = 0;
    redraw();
    if (changed)
        announce(accessEventStateChange);
}

void DWaitBar::step()
{
    updateGeometry();
    position = waitBarNextPosition(position, bandLength, blockCount);
    redraw();
}

void DWaitBar::paint()
{
    updateGeometry();
    if (!canvas)
        return;
    bool active = isEnabled();
    canvas->lock();
    canvas->pen()->setColor(palette.background);
    canvas->brush()->setColor(palette.background);
    canvas->drawRect(0, 0, width, height);
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawWaitFrame(canvas, active, width, height);
    }
    if (running && isVisible() && theme && blockCount > 0) {
        int originX = 0;
        int originY = 0;
        canvas->getOrigin(&originX, &originY);
        // The clip is in device pixels: the inside of the bar, wherever the origin is.
        canvas->setClipRect(originX + 2, originY + 2, width - 4, height - 4);
        for (int i = 0; i < bandLength; ++i) {
            canvas->setOrigin(originX + waitBarBlockX(position, i, blockSize), originY + 2);
            theme->setBackground(palette.background);
            theme->drawWaitBlock(canvas, active, blockSize, blockSize, bandLength, i);
        }
        // The head once more in the full colour, over whatever the tail left there.
        canvas->setOrigin(originX + waitBarBlockX(position, 0, blockSize), originY + 2);
        theme->setBackground(palette.background);
        theme->drawWaitBlock(canvas, active, blockSize, blockSize, 1, 0);
        canvas->setOrigin(originX, originY);
        canvas->setClipRect(0, 0, 0, 0);
    }
    canvas->unlock();
}
