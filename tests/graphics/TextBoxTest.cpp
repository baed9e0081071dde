#include "graphics/BitmapPixels.h"
#include "graphics/DBitmap.h"
#include "graphics/DCanvas.h"
#include "graphics/TextWrap.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const DColor white(255, 255, 255);
const DColor black(0, 0, 0);

const char sample[] = "Xjl[]{}'^$@#\\/\"y!*|";

// A white bitmap on which `draw` puts black text.
template <typename Draw>
BitmapPixels render(int width, int height, Draw draw)
{
    DBitmap bitmap(width, height);
    fillBitmap(bitmap, white);
    bitmap.canvas()->font()->setColor(black);
    draw(bitmap.canvas());
    return BitmapPixels(bitmap);
}

}  // namespace

TEST(CanvasText, ExtentAndDrawingStayInsideIt)
{
    DBitmap bitmap(100, 40);
    DCanvas* c = bitmap.canvas();
    DTextExtent e = c->textExtent("Hello");
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.top, 0);
    EXPECT_GT(e.width(), 5);
    EXPECT_GT(e.height(), 5);
    EXPECT_EQ(c->textExtent("").width(), 0);
    EXPECT_GT(c->textExtent("HelloHello").width(), e.width());

    BitmapPixels p = render(100, 40, [](DCanvas* canvas) { canvas->drawText(10, 7, "Hello"); });
    int ink = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (p.at(x, y) == white) continue;
            ++ink;
            EXPECT_GE(x, 10);
            EXPECT_LT(x, 10 + e.width());
            EXPECT_GE(y, 7);
            EXPECT_LT(y, 7 + e.height());
        }
    }
    EXPECT_GT(ink, 5);
}

TEST(CanvasText, WrapMeasuresWithTheCanvasFont)
{
    DBitmap bitmap(10, 10);
    DCanvas* c = bitmap.canvas();
    const DString text = "Cannot connect to server! Login failed, try again later.";
    for (int width : {1, 30, 60, 90, 400}) {
        std::unique_ptr<DStringList> viaCanvas(c->wrapText(width, text));
        std::unique_ptr<DStringList> viaExtent(wrapTextLines(
            width, text, [c](const char* s, int n) { return c->textExtent(DString(s, n)).width(); }));
        ASSERT_EQ(viaCanvas->count(), viaExtent->count()) << width;
        for (int i = 0; i < viaCanvas->count(); ++i)
            EXPECT_STREQ(viaCanvas->get(i).text(), viaExtent->get(i).text());
    }
    std::unique_ptr<DStringList> empty(c->wrapText(50, ""));
    EXPECT_EQ(empty->count(), 1);
}

TEST(CanvasText, BoxHeightCountsLinesOfTheSampleHeight)
{
    DBitmap bitmap(10, 10);
    DCanvas* c = bitmap.canvas();
    const int line = c->textExtent(sample).height();
    ASSERT_GT(line, 0);
    EXPECT_EQ(c->textBoxHeight(500, "a"), line);
    EXPECT_EQ(c->textBoxHeight(500, "a\n"), line);  // a trailing line feed adds no line
    EXPECT_EQ(c->textBoxHeight(500, "a\n\nb"), 3 * line);
    EXPECT_EQ(c->textBoxHeight(500, ""), 0);
    std::unique_ptr<DStringList> lines(c->wrapText(40, "one two three four five six"));
    EXPECT_GT(lines->count(), 1);
    EXPECT_EQ(c->textBoxHeight(40, "one two three four five six"), lines->count() * line);
}

TEST(CanvasText, BoxLinesFollowTheLineHeight)
{
    const int line = DBitmap(1, 1).canvas()->textExtent(sample).height();
    BitmapPixels box = render(200, 100, [](DCanvas* c) { c->drawTextBox(3, 4, 150, "ab\ncd", 0); });
    BitmapPixels each = render(200, 100, [line](DCanvas* c) {
        c->drawText(3, 4, "ab");
        c->drawText(3, 4 + line, "cd");
    });
    EXPECT_TRUE(box == each);
}

TEST(CanvasText, RightAlignmentTrimsExactlyOneTrailingSpace)
{
    const int width = 150;
    BitmapPixels oneSpace = render(200, 30, [](DCanvas* c) { c->drawTextBox(0, 0, width, "ab ", DAlignRight); });
    BitmapPixels none = render(200, 30, [](DCanvas* c) { c->drawTextBox(0, 0, width, "ab", DAlignRight); });
    EXPECT_TRUE(oneSpace == none);
    BitmapPixels twoSpaces = render(200, 30, [](DCanvas* c) { c->drawTextBox(0, 0, width, "ab  ", DAlignRight); });
    BitmapPixels kept = render(200, 30, [](DCanvas* c) {
        c->drawText(width - c->textExtent("ab  ").width(), 0, "ab  ");
    });
    EXPECT_TRUE(twoSpaces == kept);
    EXPECT_FALSE(twoSpaces == none);
}

TEST(CanvasText, LeftAndCentredAlignment)
{
    BitmapPixels trimmed = render(200, 30, [](DCanvas* c) { c->drawTextBox(5, 0, 150, " ab", DAlignLeft); });
    BitmapPixels plain = render(200, 30, [](DCanvas* c) { c->drawText(5, 0, "ab"); });
    EXPECT_TRUE(trimmed == plain);
    // Two characters are never trimmed.
    BitmapPixels shortLine = render(200, 30, [](DCanvas* c) { c->drawTextBox(5, 0, 150, " a", 0); });
    BitmapPixels shortPlain = render(200, 30, [](DCanvas* c) { c->drawText(5, 0, " a"); });
    EXPECT_TRUE(shortLine == shortPlain);
    BitmapPixels centred = render(200, 30, [](DCanvas* c) { c->drawTextBox(5, 0, 151, " ab ", DAlignCenter); });
    BitmapPixels centredPlain = render(200, 30, [](DCanvas* c) {
        c->drawText(5 + (151 - c->textExtent(" ab ").width()) / 2, 0, " ab ");
    });
    EXPECT_TRUE(centred == centredPlain);
}
