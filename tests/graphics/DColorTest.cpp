#include "graphics/DColor.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const DColor& c, std::ostream* os)
{
    *os << "rgb(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}

TEST(DColor, ChannelsAreBytesOfAGdiColourReference)
{
    DColor c(0x12, 0x34, 0x56);
    EXPECT_EQ(c.value(), 0x563412u);
    EXPECT_EQ(c.red(), 0x12);
    EXPECT_EQ(c.green(), 0x34);
    EXPECT_EQ(c.blue(), 0x56);
    // Channels wrap modulo 256, the top byte stays 0.
    DColor wrapped(257, -1, 300);
    EXPECT_EQ(wrapped.red(), 1);
    EXPECT_EQ(wrapped.green(), 255);
    EXPECT_EQ(wrapped.blue(), 44);
    EXPECT_EQ(DColor(0xFF123456u).value(), 0x123456u);
    EXPECT_EQ(DColor().value(), 0u);
}

TEST(DColor, BlendEndsAtStartAndTarget)
{
    const DColor start(10, 200, 30);
    const DColor target(250, 0, 30);
    EXPECT_EQ(start.blend(target, 10, 0), start);
    EXPECT_EQ(start.blend(target, 10, 10), target);
    EXPECT_EQ(start.blend(target, 10, 11), target);
    EXPECT_EQ(start.blend(target, 0, 0), target);
    EXPECT_EQ(start.blend(target, 0, 5), target);
}

TEST(DColor, BlendMovesEachChannelByTruncatedSteps)
{
    // Rising and falling channels, each truncated toward zero.
    EXPECT_EQ(DColor(0, 255, 0).blend(DColor(255, 0, 0), 3, 1), DColor(85, 170, 0));
    EXPECT_EQ(DColor(0, 0, 0).blend(DColor(100, 100, 100), 3, 2), DColor(66, 66, 66));
    EXPECT_EQ(DColor(100, 100, 100).blend(DColor(0, 0, 0), 3, 2), DColor(33, 33, 33));
    // The pale yellow of tool tips and the lightened classic grey.
    EXPECT_EQ(DColor(255, 255, 0).blend(DColor(255, 255, 255), 10, 9), DColor(255, 255, 229));
    EXPECT_EQ(DColor(0xC0C0C0u).blend(DColor(0xFFFFFFu), 100, 40), DColor(217, 217, 217));
}

TEST(DColor, BlendRatioIsSinglePrecision)
{
    // In double precision these would come out one higher and one lower.
    EXPECT_EQ(DColor(0, 0, 0).blend(DColor(2, 2, 2), 82, 41).red(), 0);
    EXPECT_EQ(DColor(0, 0, 0).blend(DColor(2, 2, 2), 98, 49).red(), 1);
    EXPECT_EQ(DColor(0, 0, 0).blend(DColor(6, 0, 0), 74, 37).red(), 2);
}

TEST(DColor, BlendNeverPassesTheTargetAndSurvivesOddSteps)
{
    for (int step = 0; step <= 7; ++step) {
        DColor up = DColor(0, 0, 0).blend(DColor(200, 100, 7), 7, step);
        EXPECT_LE(up.red(), 200);
        EXPECT_LE(up.green(), 100);
        EXPECT_LE(up.blue(), 7);
    }
    // Negative steps have no meaning for callers, but must still give some colour without
    // undefined arithmetic.
    DColor odd = DColor(10, 10, 10).blend(DColor(20, 20, 20), 10, -2000000000);
    (void)odd;
    DColor zero = DColor(10, 10, 10).blend(DColor(20, 20, 20), 0, -1);
    EXPECT_EQ(zero, DColor(10, 10, 10));
}
