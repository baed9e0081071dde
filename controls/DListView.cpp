#include "controls/DListView.h"

#include "controls/AccessibleRules.h"
#include "controls/DHeader.h"
#include "controls/DListViewItem.h"
#include "controls/DScrollBar.h"
#include "foundation/DList.h"
#include "foundation/DStringList.h"
#include "framework/DTheme.h"
#include "framework/KeyCodes.h"
#include "graphics/DCanvas.h"

namespace {

const int barThickness = 18;
const int cornerSize = 18;

void placeOnce(DView* view, int x, int y, int width, int height)
{
    if (view->getX() != x || view->getY() != y || view->getWidth() != width ||
        view->getHeight() != height)
        view->setBounds(x, y, width, height);
}

}  // namespace

DListView::DListView() : rows(new DList)
{
}

DListView::~DListView()
{
    deleteRows();
    delete rows;
}

void DListView::deleteRows()
{
    while (rows->count() > 0) {
        delete static_cast<DListViewItem*>(rows->get(rows->count() - 1));
        rows->remove(rows->count() - 1);
    }
}

bool DListView::create(int newX, int newY, int newWidth, int newHeight)
{
    topRow = 0;
    horizontalScroll = 0;
    selected = -1;
    headerHeight = listHeaderHeight;
    autoUpdate = true;
    header = new DHeader;
    header->create(2, 2, newWidth - 4, headerHeight);
    verticalBar = new DScrollBar;
    verticalBar->create(newWidth - 20, headerHeight + 2, barThickness,
                        newHeight - headerHeight - 22);
    horizontalBar = new DScrollBar;
    horizontalBar->create(2, newHeight - 20, newWidth - 22, barThickness);
    corner = new DView;
    corner->init(newWidth - 20, newHeight - 20, cornerSize, cornerSize);
    init(newX, newY, newWidth, newHeight);
    palette.background = DColor(0xFFFFFF);
    addChild(header);
    addChild(verticalBar);
    addChild(horizontalBar);
    addChild(corner);
    placeBars();
    focusable = true;
    applyTheme();
    acceptsDoubleClick = true;
    return true;
}

void DListView::applyTheme()
{
    DView::applyTheme();
    // The rows lie on the light colour of the theme (white).
    if (theme)
        palette.background = palette.light;
}

void DListView::onDestroy()
{
    deleteRows();
    selected = -1;
    topRow = 0;
}

DListViewItem* DListView::row(int index) const
{
    if (index < 0 || index >= rows->count())
        return nullptr;
    return static_cast<DListViewItem*>(rows->get(index));
}

int DListView::columnCount() const
{
    return header ? header->columnCount() : 0;
}

int DListView::rowCount() const
{
    return rows->count();
}

int DListView::lineHeight() const
{
    return canvas ? canvas->lineHeight() : 1;
}

int DListView::titleNeed(int index) const
{
    if (!canvas || !header || index < 0 || index >= header->columnCount())
        return 0;
    return columnWidthFor(canvas->textExtent(header->columnTitle(index)).width());
}

void DListView::setColumnWidths(const std::vector<int>& widths)
{
    if (!header)
        return;
    for (int i = 0; i < header->columnCount() && i < static_cast<int>(widths.size()); i++)
        header->setColumnWidth(i, widths[static_cast<size_t>(i)]);
    update();
}

void DListView::placeBars()
{
    if (!header || !verticalBar || !horizontalBar || !corner)
        return;
    const bool needed = listNeedsHorizontalBar(width, columnsWidth(header->getWidths()));
    if (!needed && horizontalScroll != 0) {
        horizontalScroll = 0;
        header->setScroll(0);
    }
    horizontalShown = needed;
    const int below = needed ? listBarThickness + 4 : 4;
    // Placing a view redraws the list, whose painting places the bars: only a change moves
    // them, so that ends at once.
    placeOnce(verticalBar, width - 20, headerHeight + 2, barThickness,
              height - headerHeight - below);
    placeOnce(horizontalBar, 2, height - 20, width - 22, barThickness);
    placeOnce(corner, width - 20, height - 20, cornerSize, cornerSize);
    if (horizontalBar->isVisible() != needed)
        horizontalBar->setVisible(needed);
    if (corner->isVisible() != needed)
        corner->setVisible(needed);
}

DListFrame DListView::frame() const
{
    DListFrame f;
    f.width = width;
    f.height = height;
    f.headerHeight = headerHeight;
    f.lineHeight = lineHeight();
    f.horizontalBar = horizontalShown;
    return f;
}

void DListView::addColumn(const DString& title, int columnWidth)
{
    if (!header)
        return;
    header->addColumn(title, columnWidth);
    for (int i = 0; i < rows->count(); i++)
        row(i)->getCells()->add(DString());
    update();
}

int DListView::addRow(const DString& text)
{
    int columns = columnCount();
    if (columns == 0)
        return -1;
    DListViewItem* item = new DListViewItem;
    item->getCells()->add(text);
    for (int i = 1; i < columns; i++)
        item->getCells()->add(DString());
    int index = rows->add(item);
    update();
    return index;
}

void DListView::setCell(int rowIndex, int column, const DString& text)
{
    DListViewItem* item = row(rowIndex);
    if (!item || column < 0 || column >= item->getCells()->count())
        return;
    item->getCells()->set(column, text);
    if (autoUpdate)
        redraw();
}

DString DListView::getCell(int rowIndex, int column) const
{
    DListViewItem* item = row(rowIndex);
    return item ? item->getCells()->get(column) : DString();
}

void DListView::removeRow(int index)
{
    DListViewItem* item = row(index);
    if (columnCount() == 0 || !item)
        return;
    rows->remove(index);
    delete item;
    topRow = 0;
    selected = -1;
    update();
}

void DListView::setSelected(int index)
{
    int before = selected;
    selected = row(index) ? index : -1;
    keepSelectionVisible();
    reportSelection(before);
}

void DListView::reportSelection(int before)
{
    if (selected == before || selected < 0)
        return;
    announce(accessEventSelection, selected);
    if (isFocused())
        announceFocus();
}

DAccessibleInfo DListView::accessibleInfo() const
{
    return accessibleList(accessibleLabel(), controlFacts());
}

DAccessibleInfo DListView::accessiblePart(int index) const
{
    DListViewItem* item = row(index);
    if (!item || !header)
        return DAccessibleInfo();
    DStringList titles;
    for (int c = 0; c < header->columnCount(); c++)
        titles.add(header->columnTitle(c));
    DListFrame f = frame();
    DRowRange shown = listVisibleRows(f, topRow, rowCount());
    bool onShow = isVisible() && !shown.isEmpty() && index >= shown.first && index <= shown.last;
    DAccessibleInfo info = accessibleListRow(*item->getCells(), titles, index == selected,
                                             isFocused() && isEnabled(), onShow);
    info.x = 2;
    info.y = static_cast<int>(listRowY(f, topRow, index));
    info.width = width - 4;
    info.height = static_cast<int>(listLineHeight(f));
    return info;
}

int DListView::focusedAccessiblePart() const
{
    return isFocused() ? selected : -1;
}

bool DListView::doAccessibleAction(int part)
{
    return selectAccessiblePart(part);
}

bool DListView::selectAccessiblePart(int part)
{
    if (!row(part) || !isEnabled())
        return false;
    setSelected(part);
    return true;
}

void DListView::setAutoUpdate(bool flag)
{
    autoUpdate = flag;
    update();
}

void DListView::update()
{
    if (setBars())
        redraw();
}

bool DListView::setBars()
{
    if (!handle || !autoUpdate || !verticalBar || !horizontalBar)
        return false;
    placeBars();
    DListBars bars = listBarValues(frame(), rowCount(), topRow,
                                   columnsWidth(header->getWidths()), horizontalScroll);
    setBar(verticalBar, bars.verticalTotal, bars.verticalPosition, bars.verticalPage);
    setBar(horizontalBar, bars.horizontalTotal, bars.horizontalPosition, bars.horizontalPage);
    barsBehind = false;
    return true;
}

void DListView::setBarsIfBehind()
{
    // Attaching the list to its window tells the list nothing, so rows and columns added
    // before then reach the bars here: on the first paint, or on the first key or wheel turn
    // of a list in a window never shown.
    if (barsBehind)
        setBars();
}

void DListView::setBar(DScrollBar* bar, unsigned total, unsigned position, unsigned page)
{
    // Each setter redraws the bar; the list's own redraw repaints it anyway, so values that
    // stay the same are not set again. The page goes before the position, which is limited
    // to the last page: the other way round it would be limited by the old page.
    if (bar->getTotal() != total)
        bar->setTotal(total);
    if (bar->getPageSize() != page)
        bar->setPageSize(page);
    if (bar->getPosition() != position)
        bar->setPosition(position);
}

void DListView::keepSelectionVisible()
{
    // With nothing selected there is nothing to bring into view.
    if (selected >= 0) {
        int top = listTopRowShowing(frame(), topRow, selected);
        if (top != topRow) {
            topRow = top;
            if (verticalBar)
                verticalBar->setPosition(static_cast<unsigned>(topRow));
        }
    }
    redraw();
}

bool DListView::keyDown(int key, int)
{
    setBarsIfBehind();
    // The list's keys are consumed even in an empty list, so no arrow ever moves the focus
    // away (Left and Right have nothing to do in a list of rows); every other key is left to
    // the window.
    if (key == keyLeft || key == keyRight)
        return true;
    if (!listTakesKey(key))
        return false;
    if (rowCount() > 0) {
        unsigned page = verticalBar ? verticalBar->getPageSize() : 1;
        int before = selected;
        selected = listKeyTarget(key, selected, rowCount(), page);
        keepSelectionVisible();
        reportSelection(before);
    }
    return true;
}

bool DListView::leftButtonDown(int, int py, int)
{
    int hit = listRowAt(frame(), topRow, rowCount(), py);
    int before = selected;
    if (hit >= 0)
        selected = hit;
    keepSelectionVisible();
    reportSelection(before);
    return true;
}

bool DListView::wheelUp(int, int, int)
{
    setBarsIfBehind();
    if (verticalBar) {
        unsigned position = verticalBar->getPosition();
        if (position > 0)
            verticalBar->setPosition(position - 1);
        followVerticalBar(-1);
    }
    update();
    return true;
}

bool DListView::wheelDown(int, int, int)
{
    setBarsIfBehind();
    if (verticalBar) {
        unsigned position = verticalBar->getPosition();
        if (position < 0xFFFFFFFFu)
            verticalBar->setPosition(position + 1);
        followVerticalBar(1);
    }
    update();
    return true;
}

void DListView::followVerticalBar(int step)
{
    topRow = listTopRowAfterStep(topRow, verticalBar->getPosition(),
                                 verticalBar->getLastPosition(), step);
}

bool DListView::childChanged(DView* sender, int what, int, int, int)
{
    if (what != changedValue || (sender != verticalBar && sender != horizontalBar) || !sender)
        return false;
    if (sender == verticalBar) {
        followVerticalBar(0);
    } else {
        horizontalScroll = static_cast<int>(horizontalBar->getPosition());
        header->setScroll(horizontalScroll);
    }
    update();
    return true;
}

void DListView::resized(int newWidth, int)
{
    if (header)
        header->setBounds(2, 2, newWidth - 4, headerHeight);
    placeBars();
    update();
}

void DListView::paint()
{
    if (!canvas || !theme)
        return;
    setBarsIfBehind();
    bool active = isFocused() && isEnabled();
    canvas->lock();
    theme->setBackground(palette.background);
    theme->drawField(canvas, isEnabled(), width, height, 0, false);
    canvas->setClipRect(2, 2, width - 4, height - 4);
    DListFrame f = frame();
    DRowRange visibleRows = listVisibleRows(f, topRow, rowCount());
    DInkScope fieldInk(canvas, theme, inkOnField);
    DColor ink = canvas->font()->getColor();
    for (int r = visibleRows.first; r <= visibleRows.last && !visibleRows.isEmpty(); r++)
        paintRow(r, f, active);
    canvas->font()->setColor(ink);
    // The focus shows on the first row while nothing is selected; in high contrast also
    // when the list is scrolled, so the focus is never without a mark.
    if (active && selected == -1 && (topRow == 0 || theme->isHighContrast()))
        canvas->drawFocusRect(2, headerHeight + 2, width, static_cast<int>(listLineHeight(f)));
    canvas->setClipRect(0, 0, 0, 0);
    canvas->unlock();
}

void DListView::paintRow(int index, const DListFrame& f, bool active)
{
    DListViewItem* item = row(index);
    if (!item)
        return;
    int y = static_cast<int>(listRowY(f, topRow, index));
    int lh = static_cast<int>(listLineHeight(f));
    DColor ink = canvas->font()->getColor();
    if (index == selected) {
        DColor fill = theme->color(active ? 4 : 3);
        canvas->pen()->setColor(fill);
        canvas->brush()->setColor(fill);
        canvas->drawRect(2, y, width - 4, lh);
        // In high contrast a selection without the focus lies on grey: its text takes the
        // window's colour.
        DColor onSelection = active ? theme->ink(inkSelected, theme->color(0))
                                    : (theme->isHighContrast() ? theme->systemColors().window
                                                               : theme->color(0));
        canvas->font()->setColor(onSelection);
    }
    auto measure = [this](const DString& t) { return canvas->textExtent(t).width(); };
    const DStringList& widths = header->getWidths();
    DStringList* cells = item->getCells();
    for (int c = 0; c < cells->count() && c < widths.count(); c++) {
        long long left = columnLeft(widths, c) + 2 - horizontalScroll;
        int cellWidth = header->columnWidth(c);
        if (left > width || left + cellWidth < 0)
            continue;  // wholly outside the list
        canvas->drawText(static_cast<int>(left), y, fitColumnText(cells->get(c), cellWidth, measure));
    }
    canvas->font()->setColor(ink);
}
