#include "foundation/DList.h"

DList::~DList()
{
    clear();
}

int DList::count() const
{
    int n = 0;
    for (DListItem* it = head; it; it = it->next)
        ++n;
    return n;
}

DListItem* DList::itemAt(int index) const
{
    if (index < 0)
        return nullptr;
    DListItem* it = head;
    while (it && index > 0) {
        it = it->next;
        --index;
    }
    return it;
}

void DList::linkBefore(DListItem* node, DListItem* item)
{
    item->next = node;
    item->prev = node->prev;
    if (node->prev)
        node->prev->next = item;
    else
        head = item;
    node->prev = item;
}

void DList::linkAfter(DListItem* node, DListItem* item)
{
    item->prev = node;
    item->next = node->next;
    if (node->next)
        node->next->prev = item;
    node->next = item;
}

int DList::add(void* data)
{
    if (!head) {
        head = new DListItem;
        head->data = data;
        return 0;
    }
    if (!comparator) {
        DListItem* last = head;
        int pos = 0;
        while (last->next) {
            last = last->next;
            ++pos;
        }
        DListItem* item = new DListItem;
        item->data = data;
        linkAfter(last, item);
        return pos + 1;
    }
    // Sorted insert. The comparator is asked separately whether the two are equal,
    // greater or less; one that contradicts itself gets nothing inserted.
    int pos = 0;
    for (DListItem* node = head; node; node = node->next, ++pos) {
        if (comparator->compare(node->data, data) == 0) {
            // equal: the new payload goes after the ones already there
        } else if (comparator->compare(node->data, data) > 0) {
            DListItem* item = new DListItem;
            item->data = data;
            linkBefore(node, item);
            return pos;
        } else if (!(comparator->compare(node->data, data) < 0)) {
            return -1;
        }
        if (!node->next) {
            DListItem* item = new DListItem;
            item->data = data;
            linkAfter(node, item);
            return pos + 1;
        }
    }
    return -1;
}

void* DList::get(int index) const
{
    DListItem* it = itemAt(index);
    return it ? it->data : nullptr;
}

void* DList::set(int index, void* data)
{
    DListItem* it = itemAt(index);
    if (!it)
        return nullptr;
    void* old = it->data;
    it->data = data;
    return old;
}

void DList::remove(int index)
{
    DListItem* it = itemAt(index);
    if (!it)
        return;
    if (it->prev)
        it->prev->next = it->next;
    else
        head = it->next;
    if (it->next)
        it->next->prev = it->prev;
    delete it;
}

void DList::clear()
{
    while (head)
        remove(0);
}

int DList::indexOf(const void* data) const
{
    int pos = 0;
    for (DListItem* it = head; it; it = it->next, ++pos)
        if (it->data == data)
            return pos;
    return -1;
}
