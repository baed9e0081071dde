#include "foundation/DStringList.h"

DStringList::DStringList() : list(new DList)
{
}

DStringList::~DStringList()
{
    clear();
    delete list;
}

int DStringList::count() const
{
    return list->count();
}

int DStringList::add(const DString& text)
{
    return list->add(new DString(text));
}

DString DStringList::get(int index) const
{
    const DString* s = static_cast<const DString*>(list->get(index));
    return s ? *s : DString();
}

void DStringList::set(int index, const DString& text)
{
    if (index < 0 || index >= count())
        return;
    delete static_cast<DString*>(list->set(index, new DString(text)));
}

void DStringList::remove(int index)
{
    DString* s = static_cast<DString*>(list->get(index));
    if (index < 0 || index >= count())
        return;
    list->remove(index);
    delete s;
}

void DStringList::clear()
{
    while (count() > 0)
        remove(0);
}

int DStringList::indexOf(const DString& text) const
{
    int n = count();
    for (int i = 0; i < n; ++i) {
        const DString* s = static_cast<const DString*>(list->get(i));
        if (s && *s == text)
            return i;
    }
    return -1;
}
