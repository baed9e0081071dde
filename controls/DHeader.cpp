#include "controls/DHeader.h"

#include "controls/AccessibleRules.h"
#include "controls/ListGeometry.h"
#include "foundation/DStringList.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"

#include <climits>

DHeader::DHeader() : titles(new DStringList), widths(new DStringList)
{
}

DHeader::~DHeader()
{
    delete titles;
    delete widths;
}

bool DHeader::create(int newX, int newY, int newWidth, int newHeight)
{
    scroll = 0;
    return init(newX, newY, newWidth, newHeight);
}

void DHeader::addColumn(const DString& title, int columnWidth)
{
    titles->add(title);
    widths->add(DString(columnWidth));
    redraw();
}

int DHeader::columnCount() const
{
    return titles->count();
}

int DHeader::columnWidth(int index) const
{
    return widths->get(index).toInt();
}

DString DHeader::columnTitle(int index) const
{
    return titles->get(index);
}

void DHeader::setColumnWidth(int index, int columnWidth)
{
    if (index < 0 || index >= widths->count())
        return;
    widths->set(index, DString(columnWidth));
    redraw();
}

void DHeader::setScroll(int pixels)
{
    scroll = pixels;
    redraw();
}

void DHeader::onDestroy()
{
    titles->clear();
    widths->clear();
}

DAccessibleInfo DHeader::accessibleInfo() const
{
    return accessibleHeader();
}

DAccessibleInfo DHeader::accessiblePart(int index) const
{
    if (index < 0 || index >= columnCount())
        return DAccessibleInfo();
    long long left = columnLeft(*widths, index) - scroll;
    int columnWidthNow = columnWidth(index);
    bool onShow = isVisible() && left < width && left + columnWidthNow > 0;
    DAccessibleInfo info = accessibleColumnHeader(columnTitle(index), onShow);
    info.x = static_cast<int>(left);
    info.y = 0;
    info.width = columnWidthNow;
    info.height = height;
    return info;
}

void DHeader::paint()
{
    if (!canvas || !theme)
        return;
    canvas->lock();
    DInkScope ink(canvas, theme, inkOnFace);
    theme->setBackground(palette.background);
    theme->drawHeaderItem(canvas, 0, width, height, 0);
    int originX = 0;
    int originY = 0;
    canvas->getOrigin(&originX, &originY);
    auto measure = [this](const DString& t) { return canvas->textExtent(t).width(); };
    for (int i = 0; i < columnCount(); i++) {
        long long left = columnLeft(*widths, i) - scroll;
        int cellWidth = columnWidth(i);
        if (left > width || left + cellWidth < 0)
            continue;  // wholly outside the header
        int cellX = static_cast<int>(left);
        canvas->setOrigin(originX + cellX, originY);
        theme->drawHeaderItem(canvas, 0, cellWidth, height, 0);
        canvas->setOrigin(originX, originY);
        canvas->drawText(cellX + 2, 2, fitColumnText(titles->get(i), cellWidth, measure));
    }
    canvas->unlock();
}
