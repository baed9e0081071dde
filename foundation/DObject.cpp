#include "foundation/DObject.h"

DObject::~DObject() = default;
