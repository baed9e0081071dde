// DStringList: an ordered list of texts that owns a private heap copy of every string put
// into it and destroys each string it removes. Positions count from 0. Built on a DList
// without a comparator, so strings stay in insertion order.
#pragma once

#include "foundation/DList.h"
#include "foundation/DString.h"

class DStringList : public DObject {
public:
    DStringList();
    ~DStringList() override;
    DStringList(const DStringList&) = delete;
    DStringList& operator=(const DStringList&) = delete;

    int count() const;
    int add(const DString& text);  // returns the new string's index
    DString get(int index) const;   // the empty string when there is none
    void set(int index, const DString& text);
    void remove(int index);
    void clear();
    int indexOf(const DString& text) const;  // byte-wise, case-sensitive; -1 when absent

private:
    DList* list;  // owned; its payloads are owned DString objects
};
