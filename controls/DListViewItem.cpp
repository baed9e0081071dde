#include "controls/DListViewItem.h"

#include "foundation/DStringList.h"

DListViewItem::DListViewItem() : cells(new DStringList)
{
}

DListViewItem::~DListViewItem()
{
    delete cells;
}
