#include "graphics/DisplayScale.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const int scales[] = {96, 120, 144, 168, 192, 240};

}  // namespace

TEST(DisplayScale, EdgesRoundToTheNearestPixelWithHalvesUp)
{
    EXPECT_EQ(DScale(120).toDevice(1), 1);   // 1.25
    EXPECT_EQ(DScale(120).toDevice(2), 3);   // 2.5
    EXPECT_EQ(DScale(120).toDevice(3), 4);   // 3.75
    EXPECT_EQ(DScale(144).toDevice(1), 2);   // 1.5
    EXPECT_EQ(DScale(144).toDevice(3), 5);   // 4.5
    EXPECT_EQ(DScale(144).toDevice(400), 600);
    EXPECT_EQ(DScale(192).toDevice(13), 26);
    // Left of and above the origin halves round up too, so a unit there is as wide as its
    // mirror image: -1.5 is -1 and -4.5 is -4.
    EXPECT_EQ(DScale(144).toDevice(-1), -1);
    EXPECT_EQ(DScale(144).toDevice(-3), -4);
    for (int v = -500; v <= 500; ++v)
        ASSERT_EQ(DScale(96).toDevice(v), v) << v;
}

TEST(DisplayScale, AMissingDpiIsTheBase)
{
    EXPECT_EQ(DScale(0).dpi(), 96);
    EXPECT_EQ(DScale(-120).dpi(), 96);
    EXPECT_TRUE(DScale().isBase());
    EXPECT_FALSE(DScale(144).isBase());
    EXPECT_EQ(DScale(0).toDevice(37), 37);
}

TEST(DisplayScale, EveryDevicePixelOfAUnitGoesBackToThatUnit)
{
    for (int dpi : scales) {
        const DScale scale(dpi);
        for (int v = -300; v <= 300; ++v) {
            const int first = scale.toDevice(v);
            const int end = scale.toDevice(v + 1);
            ASSERT_GE(end - first, 1) << dpi << " " << v;  // no unit vanishes at 100 % or more
            for (int d = first; d < end; ++d)
                ASSERT_EQ(scale.toUnits(d), v) << dpi << " " << v << " " << d;
        }
    }
}

TEST(DisplayScale, SpansTileWithoutGapsAndStayWithinAPixelOfTheExactSize)
{
    for (int dpi : scales) {
        const DScale scale(dpi);
        for (int start = -50; start <= 50; start += 7) {
            for (int a = 0; a <= 40; ++a) {
                for (int b = 0; b <= 40; b += 3) {
                    ASSERT_EQ(scale.toDeviceSpan(start, a) + scale.toDeviceSpan(start + a, b),
                              scale.toDeviceSpan(start, a + b));
                }
                const double exact = a * dpi / 96.0;
                const int span = scale.toDeviceSpan(start, a);
                ASSERT_LT(span - exact, 1.0) << dpi << " " << start << " " << a;
                ASSERT_GT(span - exact, -1.0) << dpi << " " << start << " " << a;
            }
        }
    }
}

TEST(DisplayScale, AMeasuredLengthGetsEnoughUnitsWhereverItIsPlaced)
{
    for (int dpi : scales) {
        const DScale scale(dpi);
        for (int d = 0; d <= 400; ++d) {
            const int units = scale.lengthToUnits(d);
            // Rounded up, not more: one unit less would not hold it.
            ASSERT_GE(units * dpi, d * 96) << dpi << " " << d;
            ASSERT_LT((units - 1) * dpi, d * 96) << dpi << " " << d;
            for (int start = 0; start < 8; ++start)
                ASSERT_GE(scale.toDeviceSpan(start, units), d) << dpi << " " << d << " " << start;
        }
    }
    EXPECT_EQ(DScale(144).lengthToUnits(0), 0);
    EXPECT_EQ(DScale(144).lengthToUnits(-3), -3);
    EXPECT_EQ(DScale(144).lengthToUnits(16), 11);  // 10.67 rounded up
}

TEST(DisplayScale, ExtremeValuesStayWithinInt)
{
    const DScale scale(240);
    EXPECT_EQ(scale.toDevice(INT_MAX), INT_MAX);
    EXPECT_EQ(scale.toDevice(INT_MIN), INT_MIN);
    EXPECT_EQ(scale.toDeviceSpan(INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(scale.toDeviceSpan(INT_MIN, 10), 25);
    EXPECT_EQ(scale.toUnits(INT_MAX), static_cast<int>((static_cast<long long>(INT_MAX) * 96 + 47) / 240));
    EXPECT_LT(scale.toUnits(INT_MIN), 0);
    EXPECT_EQ(DScale(1).lengthToUnits(INT_MAX), INT_MAX);
}
