// DListViewItem: one row of a DListView, a text per column. Owns its cell texts; `data` is
// a caller's pointer kept for it and never owned or used by the list.
#pragma once

#include "foundation/DObject.h"

class DStringList;

class DListViewItem : public DObject {
public:
    DListViewItem();
    ~DListViewItem() override;
    DListViewItem(const DListViewItem&) = delete;
    DListViewItem& operator=(const DListViewItem&) = delete;

    DStringList* getCells() const { return cells; }
    void* getData() const { return data; }
    void setData(void* value) { data = value; }

private:
    void* data = nullptr;       // not owned
    DStringList* cells;         // owned
};
