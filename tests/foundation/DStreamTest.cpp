#include <gtest/gtest.h>

#include "foundation/DStream.h"
