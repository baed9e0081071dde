#include <gtest/gtest.h>

#include "foundation/DString.h"

TEST(DString, SubStringOfPop3Reply)
{
    DString reply("+OK 12 34567");
    EXPECT_EQ(reply.subString(1, 3), "+OK");
    EXPECT_EQ(reply.subString(5, 4000), "12 34567");
}
