#include <gtest/gtest.h>

#include "foundation/DList.h"
