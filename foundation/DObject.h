// DObject: the common root of every Pellaro class. It has no fields; its one virtual
// operation is the destructor, so any object can be destroyed through a DObject pointer.
#pragma once

class DObject {
public:
    DObject() = default;
    DObject(const DObject&) = default;
    DObject& operator=(const DObject&) = default;
    virtual ~DObject();
};
