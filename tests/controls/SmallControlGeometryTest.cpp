// Wait bar blocks and stepping, tool tip sizing and placement, and static text placement,
// checked without a window.
#include "controls/StaticTextGeometry.h"
#include "controls/ToolTipGeometry.h"
#include "controls/WaitBarGeometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(WaitBarGeometry, ABarOf100By14HasTenBlocksOfTen)
{
    DWaitBarBlocks blocks = waitBarBlocks(100, 14);
    EXPECT_EQ(blocks.blockSize, 10);
    EXPECT_EQ(blocks.blockCount, 10);
    blocks = waitBarBlocks(360, 20);  // the main window's bar
    EXPECT_EQ(blocks.blockSize, 16);
    EXPECT_EQ(blocks.blockCount, 22);
}

TEST(WaitBarGeometry, TheHeadRunsToSixteenThenStartsAgainAtZero)
{
    // Band of 6 in a bar of 10 blocks: the head goes on until the tail has left the bar.
    std::vector<int> seen;
    int position = 0;
    for (int i = 0; i < 18; ++i) {
        position = waitBarNextPosition(position, 6, 10);
        seen.push_back(position);
    }
    std::vector<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 1};
    EXPECT_EQ(seen, expected);
}

TEST(WaitBarGeometry, ABandLongerThanTheBarStillWrapsOnceItHasLeft)
{
    int position = 0;
    int highest = 0;
    for (int i = 0; i < 40; ++i) {
        position = waitBarNextPosition(position, 12, 3);
        if (position > highest)
            highest = position;
    }
    EXPECT_EQ(highest, 15);  // 15 - 12 == 3 stops the run
}

TEST(WaitBarGeometry, ABarTooLowForABlockHasNoneAndNeverDividesByZero)
{
    EXPECT_EQ(waitBarBlocks(100, 4).blockCount, 0);
    EXPECT_EQ(waitBarBlocks(100, 0).blockCount, 0);
    EXPECT_EQ(waitBarBlocks(100, 5).blockCount, 100);
    EXPECT_EQ(waitBarBlocks(0, 14).blockCount, 0);
    // With no blocks the head still moves through the band and wraps.
    EXPECT_EQ(waitBarNextPosition(6, 6, 0), 0);
    EXPECT_EQ(waitBarNextPosition(5, 6, 0), 6);
}

TEST(WaitBarGeometry, StepsNearTheIntegerLimitsDoNotOverflow)
{
    EXPECT_EQ(waitBarNextPosition(0x7FFFFFFF, -5, 10), 0);
    EXPECT_EQ(waitBarNextPosition(-0x7FFFFFFF, 0x7FFFFFFF, 10), -0x7FFFFFFF + 1);
}

TEST(WaitBarGeometry, TheTailTrailsTheHeadBlockByBlock)
{
    EXPECT_EQ(waitBarBlockX(0, 0, 10), 2);
    EXPECT_EQ(waitBarBlockX(3, 0, 10), 38);
    EXPECT_EQ(waitBarBlockX(3, 1, 10), 26);
    EXPECT_EQ(waitBarBlockX(3, 5, 10), -22);  // not yet in the bar: clipped away
}

namespace {

// Every byte 6 pixels wide, lines 13 high; a text box gives one line per line feed and
// wraps lines wider than the column, as the canvas does.
DTipMeasure fakeMeasure(std::vector<std::string>* measuredLines = nullptr,
                        int* boxWidth = nullptr)
{
    DTipMeasure m;
    m.extent = [measuredLines](const DString& line) {
        if (measuredLines)
            measuredLines->push_back(line.text());
        return DTipSize{line.length() * 6, 13};
    };
    m.boxHeight = [boxWidth](int width, const DString& text) {
        if (boxWidth)
            *boxWidth = width;
        int lines = 0;
        int run = 0;
        for (int i = 0; i <= text.length(); ++i) {
            if (i == text.length() || text.text()[i] == '\n') {
                int w = run * 6;
                lines += w == 0 ? 1 : (w + width - 1) / width;
                run = 0;
            } else {
                run++;
            }
        }
        return lines * 13;
    };
    return m;
}

}  // namespace

TEST(ToolTipGeometry, AnEmptyTipIs80By15)
{
    DTipSize size = toolTipSize(DString(""), fakeMeasure());
    EXPECT_EQ(size.width, 80);
    EXPECT_EQ(size.height, 15);
}

TEST(ToolTipGeometry, ASingleLineTipIsItsTextPlusTwoPixelsEachSide)
{
    DTipSize size = toolTipSize(DString("Check Now!"), fakeMeasure());
    EXPECT_EQ(size.width, 64);
    EXPECT_EQ(size.height, 17);
    // A one-character tip is not widened to the multi-line minimum.
    EXPECT_EQ(toolTipSize(DString("x"), fakeMeasure()).width, 10);
}

TEST(ToolTipGeometry, AMultiLineTipIsAsWideAsItsWidestLineAndAsHighAsItsBox)
{
    std::vector<std::string> lines;
    int boxWidth = 0;
    DTipSize size = toolTipSize(DString("a@b has 2 new mails!\nlonger@server.org has 1 new mail!\n"),
                                fakeMeasure(&lines, &boxWidth));
    // Widest line: 33 bytes.
    EXPECT_EQ(size.width, 33 * 6 + 4);
    EXPECT_EQ(boxWidth, size.width);  // measured at the width it is drawn at
    EXPECT_EQ(size.height, 3 * 13 + 4);  // two lines and the empty one after the last feed
    std::vector<std::string> expected{"a@b has 2 new mails!", "longer@server.org has 1 new mail!",
                                      ""};
    EXPECT_EQ(lines, expected);
}

TEST(ToolTipGeometry, NarrowMultiLineTipsAreAtLeast24Wide)
{
    DTipSize size = toolTipSize(DString("a\nb"), fakeMeasure());
    EXPECT_EQ(size.width, 24);
    EXPECT_EQ(size.height, 2 * 13 + 4);
}

TEST(ToolTipGeometry, ATipOverTheRightOrBottomEdgeIsPushedBackInside)
{
    DTipPlace p = keepOnScreen(1000, 760, 80, 20, 1024, 768);
    EXPECT_EQ(p.x, 944);
    EXPECT_EQ(p.y, 748);
    p = keepOnScreen(944, 748, 80, 20, 1024, 768);  // flush with the corner: stays
    EXPECT_EQ(p.x, 944);
    EXPECT_EQ(p.y, 748);
}

TEST(ToolTipGeometry, ATipOverTheLeftOrTopEdgeIsMovedToZero)
{
    DTipPlace p = keepOnScreen(-5, -30, 80, 20, 1024, 768);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = keepOnScreen(100, 200, 80, 20, 1024, 768);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 200);
}

TEST(ToolTipGeometry, ATipWiderThanTheScreenKeepsItsLeftPartVisibleFromTheRightRule)
{
    // The right edge rule comes first, as the tip would otherwise hang off the right.
    DTipPlace p = keepOnScreen(10, 10, 2000, 20, 1024, 768);
    EXPECT_EQ(p.x, 1024 - 2000);
    // Far-off positions do not wrap around through the integer limits.
    p = keepOnScreen(0x7FFFFFF0, 0x7FFFFFF0, 100, 100, 1024, 768);
    EXPECT_EQ(p.x, 924);
    EXPECT_EQ(p.y, 668);
}

TEST(ToolTipGeometry, TheNotificationCornerIsFiftyPixelsInFromTheBottomRight)
{
    DTipPlace p = bottomRightPlace(200, 43, 1024, 768, 50);
    EXPECT_EQ(p.x, 1024 - 200 - 50);
    EXPECT_EQ(p.y, 768 - 43 - 50);
}

TEST(StaticTextGeometry, FormatZeroMeansTopLeft)
{
    EXPECT_EQ(effectiveStaticTextFormat(0), 0x11);
    EXPECT_EQ(effectiveStaticTextFormat(0x44), 0x44);
    EXPECT_EQ(staticTextTop(effectiveStaticTextFormat(0), 40, 13), 0);
}

TEST(StaticTextGeometry, MiddleCentresAndBottomWins)
{
    EXPECT_EQ(staticTextTop(0x44, 40, 13), 13);  // (40 - 13) / 2
    EXPECT_EQ(staticTextTop(0x20, 25, 13), 12);
    EXPECT_EQ(staticTextTop(0x60, 25, 13), 12);
    EXPECT_EQ(staticTextTop(0x11, 25, 13), 0);
    // A caption taller than the view sits above its top when centred or at the bottom.
    EXPECT_EQ(staticTextTop(0x44, 20, 39), -9);
    EXPECT_EQ(staticTextTop(0x24, 20, 39), -19);
}
