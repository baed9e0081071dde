#include "controls/ScrollBarGeometry.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

struct ThumbLengthCase {
    int length;
    unsigned total;
    unsigned pageSize;
    unsigned expected;
};

struct ThumbOffsetCase {
    int length;
    unsigned total;
    unsigned pageSize;
    unsigned position;
    unsigned thumbLength;
    unsigned expected;
};

// A vertical bar 136 pixels high: a 100-pixel track between the arrows.
DScrollModel model(unsigned total, unsigned pageSize, unsigned position, int length = 136)
{
    DScrollModel m;
    m.setLength(length);
    m.setTotal(total);
    m.setPageSize(pageSize);
    m.setPosition(position);
    return m;
}

}  // namespace

TEST(ScrollBarGeometry, ThumbLengthIsThePageShareOfTheTrackAndAtLeastNine)
{
    const ThumbLengthCase cases[] = {
        {136, 0, 0, 9},          // nothing to scroll: the minimum thumb
        {136, 0, 10, 9},
        {136, 10, 5, 50},
        {136, 10, 10, 100},      // page equal to total: the whole track
        {136, 3, 1, 33},         // 33.3 truncated
        {136, 1000, 1, 9},       // 0.1 pixel: raised to the minimum
        {20, 10, 5, 9},          // the arrows overlap: negative track
        {INT_MIN, 10, 5, 9},
        {36 + (1 << 30), 1u << 31, 1u << 31, 1u << 30},
        {INT_MAX, UINT_MAX, UINT_MAX, INT_MAX - 36},
        {INT_MAX, UINT_MAX, 1, 9},
    };
    for (const ThumbLengthCase& c : cases)
        EXPECT_EQ(scrollThumbLength(c.length, c.total, c.pageSize), c.expected)
            << c.length << " " << c.total << " " << c.pageSize;
}

TEST(ScrollBarGeometry, ThumbOffsetTravelsTheFreeTrackAndNeverLeavesIt)
{
    const ThumbOffsetCase cases[] = {
        {136, 10, 5, 0, 50, 0},
        {136, 10, 5, 3, 50, 30},
        {136, 10, 5, 5, 50, 50},      // last page: thumb at the end of the track
        {136, 10, 5, 9, 50, 50},      // a position past the last page stays in the track
        {136, 10, 10, 0, 100, 0},     // total equal to page: no travel, no division
        {136, 0, 10, 3, 9, 0},        // page larger than total: no wrap-around
        {30, 10, 5, 3, 9, 0},         // thumb larger than the track
        {136, 3, 1, 1, 33, 33},       // 67 / 2 = 33.5 truncated
        {INT_MAX, UINT_MAX, 1, UINT_MAX - 1, 9, INT_MAX - 45},
    };
    for (const ThumbOffsetCase& c : cases)
        EXPECT_EQ(scrollThumbOffset(c.length, c.total, c.pageSize, c.position, c.thumbLength),
                  c.expected)
            << c.length << " " << c.total << " " << c.pageSize << " " << c.position;
}

TEST(ScrollBarGeometry, ArrowsSitAtBothEndsAndPointAlongTheBar)
{
    DArrowPlace up = scrollFirstArrowPlace(18, 100);
    DArrowPlace down = scrollSecondArrowPlace(18, 100);
    EXPECT_EQ(up.x, 0);
    EXPECT_EQ(up.y, 0);
    EXPECT_EQ(up.width, 18);
    EXPECT_EQ(up.height, 18);
    EXPECT_EQ(up.direction, 0);
    EXPECT_EQ(down.y, 82);
    EXPECT_EQ(down.width, 18);
    EXPECT_EQ(down.height, 18);
    EXPECT_EQ(down.direction, 1);

    DArrowPlace left = scrollFirstArrowPlace(200, 17);
    DArrowPlace right = scrollSecondArrowPlace(200, 17);
    EXPECT_EQ(left.direction, 2);
    EXPECT_EQ(left.width, 18);
    EXPECT_EQ(left.height, 17);
    EXPECT_EQ(right.x, 182);
    EXPECT_EQ(right.y, 0);
    EXPECT_EQ(right.direction, 3);

    EXPECT_FALSE(scrollBarIsHorizontal(18, 18));  // a square bar is vertical
    EXPECT_TRUE(scrollBarIsHorizontal(19, 18));
}

TEST(ScrollBarModel, ANewBarHasNothingToScrollAndTheMinimumThumb)
{
    DScrollModel m;
    m.setLength(136);
    EXPECT_FALSE(m.isActive());
    EXPECT_EQ(m.thumbLength, 9u);
    m.setTotal(0);
    EXPECT_EQ(m.thumbLength, 9u);
    EXPECT_EQ(m.maxPosition(), 0u);
}

TEST(ScrollBarModel, ActiveExactlyWhenTotalAndPageAreNonZeroAndDiffer)
{
    EXPECT_TRUE(model(100, 10, 0).isActive());
    EXPECT_FALSE(model(10, 10, 0).isActive());   // total equal to page size
    EXPECT_FALSE(model(0, 10, 0).isActive());
    EXPECT_FALSE(model(100, 0, 0).isActive());
    EXPECT_FALSE(model(5, 20, 0).isActive());    // the page is cut down to the total
    EXPECT_EQ(model(5, 20, 0).pageSize, 5u);
}

TEST(ScrollBarModel, SettersKeepPageAndPositionInRange)
{
    DScrollModel m = model(100, 10, 95);
    EXPECT_EQ(m.position, 90u);  // at most total - page
    m.setTotal(50);
    EXPECT_EQ(m.position, 40u);
    m.setTotal(4);
    EXPECT_EQ(m.pageSize, 4u);
    EXPECT_EQ(m.position, 0u);

    // A page set before any total stays as it is and allows no position.
    DScrollModel early;
    early.setLength(136);
    early.setPageSize(7);
    EXPECT_EQ(early.pageSize, 7u);
    early.setPosition(3);
    EXPECT_EQ(early.position, 0u);
    EXPECT_EQ(early.thumbOffset, 0u);
    // A zero total cuts a set page down to nothing.
    early.setTotal(0);
    EXPECT_EQ(early.pageSize, 0u);
}

TEST(ScrollBarModel, HitTestingUsesTheDrawnThumbWithItsFarEdge)
{
    DScrollModel m = model(100, 10, 50);  // thumb 10 pixels at offset 50
    ASSERT_EQ(m.thumbLength, 10u);
    ASSERT_EQ(m.thumbOffset, 50u);
    EXPECT_EQ(m.hit(67), scrollHitBefore);
    EXPECT_EQ(m.hit(68), scrollHitThumb);
    EXPECT_EQ(m.hit(78), scrollHitThumb);
    EXPECT_EQ(m.hit(79), scrollHitAfter);
    EXPECT_EQ(m.hit(INT_MIN), scrollHitBefore);
    EXPECT_EQ(m.hit(INT_MAX), scrollHitAfter);
}

TEST(ScrollBarModel, PageClicksMoveAPageAndStopAtTheEnds)
{
    DScrollModel m = model(100, 10, 50);
    m.pageClick(20);
    EXPECT_EQ(m.position, 40u);
    EXPECT_EQ(m.thumbOffset, 40u);
    m.pageClick(130);
    EXPECT_EQ(m.position, 50u);
    m = model(100, 10, 85);
    m.pageClick(130);
    EXPECT_EQ(m.position, 90u);
    m = model(100, 10, 5);
    m.pageClick(19);
    EXPECT_EQ(m.position, 0u);
    // Nothing to scroll and a page larger than the total: the position stays 0.
    m = model(0, 10, 0);
    m.pageClick(130);
    EXPECT_EQ(m.position, 0u);
    // The largest values add without wrapping round.
    m = model(UINT_MAX, UINT_MAX - 1, 0, INT_MAX);
    m.pageClick(INT_MAX);
    EXPECT_EQ(m.position, 1u);
}

TEST(ScrollBarModel, DraggingTheThumbMapsPixelsToPositions)
{
    DScrollModel m = model(100, 10, 0);  // 90 free pixels for 90 positions
    EXPECT_EQ(m.dragPosition(18 + 3 + 40, 3), 40u);
    EXPECT_EQ(m.dragPosition(18 + 3 + 500, 3), 90u);  // past the end: the last page
    EXPECT_EQ(m.dragPosition(0, 3), 0u);               // before the start
    EXPECT_EQ(m.dragPosition(INT_MIN, INT_MAX), 0u);
    EXPECT_EQ(m.dragPosition(INT_MAX, INT_MIN), 90u);

    DScrollModel half = model(10, 5, 0);  // 50 free pixels for 5 positions
    EXPECT_EQ(half.dragPosition(18 + 29, 0), 2u);
    EXPECT_EQ(half.dragPosition(18 + 30, 0), 3u);

    EXPECT_EQ(model(10, 10, 0).dragPosition(100, 0), 0u);  // total equal to page
    EXPECT_EQ(model(0, 10, 0).dragPosition(100, 0), 0u);   // page larger than total
    EXPECT_EQ(model(10, 5, 0, 40).dragPosition(30, 0), 0u);  // thumb fills the track
}

TEST(ScrollBarModel, LineStepsNeedSomethingToScrollAndStopAtTheEnds)
{
    DScrollModel m = model(100, 10, 0);
    EXPECT_TRUE(m.lineBack());  // reported even when already at the start
    EXPECT_EQ(m.position, 0u);
    EXPECT_TRUE(m.lineForward());
    EXPECT_EQ(m.position, 1u);
    m.setPosition(90);
    EXPECT_TRUE(m.lineForward());
    EXPECT_EQ(m.position, 90u);
    EXPECT_EQ(m.thumbOffset, 90u);
    EXPECT_TRUE(m.lineBack());
    EXPECT_EQ(m.position, 89u);

    DScrollModel idle = model(10, 10, 0);
    EXPECT_FALSE(idle.lineForward());
    EXPECT_FALSE(idle.lineBack());
    EXPECT_EQ(idle.position, 0u);

    DScrollModel huge = model(UINT_MAX, 1, UINT_MAX - 2, INT_MAX);
    EXPECT_TRUE(huge.lineForward());
    EXPECT_EQ(huge.position, UINT_MAX - 1);
    EXPECT_TRUE(huge.lineForward());
    EXPECT_EQ(huge.position, UINT_MAX - 1);
    EXPECT_LE(huge.thumbOffset + huge.thumbLength, static_cast<unsigned>(INT_MAX - 36));
}
