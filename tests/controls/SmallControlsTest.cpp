// Static texts, groups and wait bars in a real window under Wine: what they hand the theme,
// and where their captions' ink lands on the screen.
#include "framework/RecordingTheme.h"
#include "framework/WindowTestKit.h"

#include "controls/DGroup.h"
#include "controls/DStaticText.h"
#include "controls/DWaitBar.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace windowtest;

namespace {

// The bounding box of the pixels of a native window that differ from its background.
struct InkBox {
    int left = -1;
    int top = -1;
    int right = -1;   // exclusive
    int bottom = -1;  // exclusive
    bool found() const { return left >= 0; }
};

InkBox inkOf(HWND window, COLORREF background)
{
    RECT client;
    GetClientRect(window, &client);
    int w = client.right;
    int h = client.bottom;
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    InkBox box;
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    uint32_t back = ((background & 0xFF) << 16) | (background & 0xFF00) | ((background >> 16) & 0xFF);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if ((pixels[y * w + x] & 0xFFFFFF) == back)
                continue;
            if (!box.found()) {
                box.left = box.right = x;
                box.top = box.bottom = y;
            }
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x + 1);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y + 1);
        }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return box;
}

class SmallControls : public OneWindowTest {
protected:
    void showOnTop()
    {
        window.moveTo(60, 60);
        window.show(true);
        SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        pumpMessages();
    }
    DStaticText* label(const char* caption, int x, int y, int w, int hgt, int format)
    {
        auto* t = new DStaticText;
        t->create(x, y, w, hgt, DString(caption));
        window.addView(t);
        if (format >= 0)
            t->setFormat(format);
        return t;
    }
    InkBox paintedInk(DView* view)
    {
        view->paintNow();
        return inkOf(static_cast<HWND>(view->getHandle()), view->getTheme()->color(1).value());
    }
};

}  // namespace

TEST_F(SmallControls, AStaticTextStartsTopLeftAndFormatZeroKeepsIt)
{
    DStaticText* t = label("Idle", 10, 10, 200, 40, -1);
    EXPECT_EQ(t->getFormat(), 0x11);
    t->setFormat(0x44);
    EXPECT_EQ(t->getFormat(), 0x44);
    t->setFormat(0);
    EXPECT_EQ(t->getFormat(), 0x11);
    ASSERT_NE(t->getFont(), nullptr);
    EXPECT_FALSE(t->isFocusable());
}

TEST_F(SmallControls, StaticTextInkFollowsItsFormat)
{
    showOnTop();
    DStaticText* t = label("Checking...", 10, 10, 200, 40, 0);
    InkBox topLeft = paintedInk(t);
    ASSERT_TRUE(topLeft.found());
    EXPECT_LE(topLeft.left, 2);
    EXPECT_LE(topLeft.top, 4);
    EXPECT_LT(topLeft.bottom, 20);

    t->setFormat(0x44);
    InkBox centred = paintedInk(t);
    ASSERT_TRUE(centred.found());
    int inkWidth = topLeft.right - topLeft.left;
    EXPECT_EQ(centred.right - centred.left, inkWidth);  // same caption, only moved
    EXPECT_NEAR((centred.left + centred.right) / 2, 100, 3);
    EXPECT_NEAR(centred.top - topLeft.top, (40 - 13) / 2, 3);

    t->setFormat(0x22);  // right-aligned at the bottom
    InkBox bottomRight = paintedInk(t);
    ASSERT_TRUE(bottomRight.found());
    EXPECT_GE(bottomRight.right, 196);
    EXPECT_GE(bottomRight.bottom, 34);
    EXPECT_GT(bottomRight.top, centred.top);
}

TEST_F(SmallControls, AStaticTextWrapsALongCaptionOntoMoreLines)
{
    showOnTop();
    DStaticText* narrow = label("one two three four five six seven", 10, 10, 60, 80, 0x11);
    InkBox box = paintedInk(narrow);
    ASSERT_TRUE(box.found());
    EXPECT_LE(box.right, 60);
    EXPECT_GT(box.bottom - box.top, 26);  // at least three lines of an 8-point font
}

TEST_F(SmallControls, AGroupLeavesRoomForItsCaptionAndDrawsItFromX11)
{
    RecordingTheme theme;
    theme.drawsToo = true;
    showOnTop();
    auto* group = new DGroup;
    group->create(10, 10, 200, 100, DString("Status"));
    window.addView(group);
    group->setTheme(&theme);
    group->paintNow();
    std::vector<RecordingTheme::Part> frames = theme.named("groupFrame");
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().width, 200);
    EXPECT_EQ(frames.back().height, 100);
    EXPECT_GT(frames.back().a, 20);  // the caption's measured width
    EXPECT_GE(frames.back().b, 10);
    EXPECT_EQ(frames.back().background, theme.color(1).value());
    // The caption's ink sits in the gap, starting at x 11.
    InkBox all = inkOf(static_cast<HWND>(group->getHandle()), theme.color(1).value());
    ASSERT_TRUE(all.found());
    HDC dc = GetDC(static_cast<HWND>(group->getHandle()));
    int firstCaptionInk = -1;
    for (int x = 10; x < 10 + frames.back().a + 2 && firstCaptionInk < 0; ++x)
        for (int y = 0; y < frames.back().b; ++y)
            if ((GetPixel(dc, x, y) & 0xFFFFFF) == 0) {
                firstCaptionInk = x;
                break;
            }
    ReleaseDC(static_cast<HWND>(group->getHandle()), dc);
    EXPECT_GE(firstCaptionInk, 11);
    EXPECT_LE(firstCaptionInk, 13);
    window.close();
}

TEST_F(SmallControls, AGroupWithoutCaptionGetsAClosedFrame)
{
    RecordingTheme theme;
    theme.drawsToo = true;
    auto* group = new DGroup;
    group->create(10, 10, 120, 80);
    window.addView(group);
    group->setTheme(&theme);
    group->paintNow();
    std::vector<RecordingTheme::Part> frames = theme.named("groupFrame");
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().a, 0);
    EXPECT_TRUE(group->getText() == "");
    window.close();
}

TEST_F(SmallControls, AWaitBarOf100By14HasTenBlocksAndItsHeadRunsToSixteen)
{
    auto* bar = new DWaitBar;
    bar->create(10, 10, 100, 14);
    window.addView(bar);
    EXPECT_EQ(bar->getBandLength(), 6);
    EXPECT_FALSE(bar->isRunning());
    EXPECT_EQ(bar->getBlockCount(), 10);
    EXPECT_EQ(bar->getBlockSize(), 10);
    bar->setRunning(true);
    int highest = 0;
    for (int i = 0; i < 16; ++i) {
        bar->step();
        highest = std::max(highest, bar->getPosition());
    }
    EXPECT_EQ(highest, 16);
    EXPECT_EQ(bar->getPosition(), 16);
    bar->step();
    EXPECT_EQ(bar->getPosition(), 0);
    bar->step();
    bar->step();
    bar->setRunning(false);
    EXPECT_EQ(bar->getPosition(), 0);
}

TEST_F(SmallControls, ARunningBarDrawsItsBandFadingFromTheHeadThenTheHeadAgain)
{
    RecordingTheme theme;
    theme.drawsToo = true;
    auto* bar = new DWaitBar;
    bar->create(10, 10, 100, 14);
    window.addView(bar);
    bar->setTheme(&theme);
    bar->applyTheme();
    bar->setBandLength(3);
    bar->setRunning(true);
    bar->step();
    bar->step();  // head at block 2
    theme.parts.clear();
    bar->paintNow();
    ASSERT_EQ(theme.named("waitFrame").size(), 1u);
    EXPECT_EQ(theme.named("waitFrame")[0].width, 100);
    std::vector<RecordingTheme::Part> blocks = theme.named("block");
    ASSERT_EQ(blocks.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(blocks[i].a, 3);
        EXPECT_EQ(blocks[i].b, i);
        EXPECT_EQ(blocks[i].originX, 2 + (2 - i) * 12);
        EXPECT_EQ(blocks[i].originY, 2);
        EXPECT_EQ(blocks[i].width, 10);
        EXPECT_EQ(blocks[i].height, 10);
        // The bar's colour is the theme's selection colour.
        EXPECT_EQ(blocks[i].background, theme.color(4).value());
    }
    EXPECT_EQ(blocks[3].a, 1);
    EXPECT_EQ(blocks[3].b, 0);
    EXPECT_EQ(blocks[3].originX, 26);
    // The origin is put back for whoever draws next.
    int x = -1, y = -1;
    bar->getCanvas()->getOrigin(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);

    // Stopped or hidden, only the frame is drawn.
    bar->setRunning(false);
    theme.parts.clear();
    bar->paintNow();
    EXPECT_TRUE(theme.named("block").empty());
    EXPECT_EQ(theme.named("waitFrame").size(), 1u);
    bar->setRunning(true);
    bar->setVisible(false);
    theme.parts.clear();
    bar->paint();
    EXPECT_TRUE(theme.named("block").empty());
    window.close();
}

TEST_F(SmallControls, TheBandNeverPaintsOutsideTheBarsFrame)
{
    showOnTop();
    auto* bar = new DWaitBar;
    bar->create(10, 10, 100, 14);
    window.addView(bar);
    HWND barWindow = static_cast<HWND>(bar->getHandle());
    COLORREF selection = bar->getTheme()->color(4).value();
    // Counts the head's pixels inside and outside the frame's inner edge.
    auto headPixels = [&](int& inside, int& outside) {
        bar->paintNow();
        inside = outside = 0;
        HDC dc = GetDC(barWindow);
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 14; ++y) {
                if ((GetPixel(dc, x, y) & 0xFFFFFF) != selection)
                    continue;
                bool in = x >= 2 && x < 98 && y >= 2 && y < 12;
                (in ? inside : outside)++;
            }
        ReleaseDC(barWindow, dc);
    };
    bar->setRunning(true);
    for (int i = 0; i < 7; ++i)
        bar->step();
    int inside = 0, outside = 0;
    headPixels(inside, outside);  // head at x 86..95: whole, inside
    EXPECT_EQ(inside, 100);
    EXPECT_EQ(outside, 0);
    bar->step();
    headPixels(inside, outside);  // head at x 98..107: over the frame, so clipped away
    EXPECT_EQ(inside, 0);
    EXPECT_EQ(outside, 0);
}
