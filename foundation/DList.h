// DList: a doubly linked list of untyped payload pointers, addressed by 0-based position.
// The list owns its nodes (DListItem) but never its payloads: whoever puts an object in a
// list destroys it. With a comparator the list keeps itself sorted on insertion (ascending,
// stable: equal payloads keep their insertion order). Lists hold tens of items, so every
// positional access walks from the head and the count is not stored.
#pragma once

#include "foundation/DObject.h"

// Orders two payloads for a sorted DList: negative, 0 or positive, like strcmp.
// `inList` is the payload already in the list, `added` the one being added.
class DListComparator : public DObject {
public:
    virtual int compare(const void* inList, const void* added) = 0;
};

class DListItem : public DObject {
public:
    DListItem* prev = nullptr;  // not owned
    DListItem* next = nullptr;  // not owned (the list owns its nodes)
    void* data = nullptr;       // payload, not owned
};

class DList : public DObject {
public:
    DList() = default;
    ~DList() override;
    DList(const DList&) = delete;
    DList& operator=(const DList&) = delete;

    int count() const;
    // Inserts a node for `data` and returns the position it now has; -1 when a
    // comparator answered inconsistently and nothing was inserted.
    int add(void* data);
    void* get(int index) const;
    // Replaces the payload at `index` and returns the old one; none when there is no node.
    void* set(int index, void* data);
    void remove(int index);
    void clear();
    int indexOf(const void* data) const;

    void setComparator(DListComparator* c) { comparator = c; }
    DListComparator* getComparator() const { return comparator; }

private:
    DListItem* itemAt(int index) const;
    void linkBefore(DListItem* node, DListItem* item);
    void linkAfter(DListItem* node, DListItem* item);

    DListItem* head = nullptr;             // owned chain of nodes
    DListComparator* comparator = nullptr;  // not owned
};
