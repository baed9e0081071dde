#include "graphics/DCanvas.h"
#include "graphics/TestWindow.h"

#include <gtest/gtest.h>

namespace {

RECT clipBox(DCanvas& canvas)
{
    RECT r = {-1, -1, -1, -1};
    canvas.lock();
    GetClipBox(canvas.dc(), &r);
    canvas.unlock();
    return r;
}

}  // namespace

TEST(WindowCanvas, DeviceContextOnlyDuringOperations)
{
    TestWindow window(120, 80);
    ASSERT_NE(window.get(), nullptr);
    DCanvas canvas(window.get());
    EXPECT_EQ(canvas.window(), window.get());
    EXPECT_FALSE(canvas.isMemoryCanvas());
    EXPECT_EQ(canvas.dc(), nullptr);
    canvas.lock();
    EXPECT_NE(canvas.dc(), nullptr);
    canvas.drawRect(0, 0, 10, 10);
    EXPECT_NE(canvas.dc(), nullptr);
    canvas.unlock();
    EXPECT_EQ(canvas.dc(), nullptr);
}

TEST(WindowCanvas, ClipRectangleAppliesAndAllZeroRemovesIt)
{
    TestWindow window(120, 80);
    ASSERT_NE(window.get(), nullptr);
    DCanvas canvas(window.get());
    canvas.setClipRect(10, 20, 30, 15);
    RECT r = clipBox(canvas);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 35);

    // The origin moves drawing, never the clip.
    canvas.setOrigin(5, 5);
    r = clipBox(canvas);
    EXPECT_EQ(r.left, 10);

    // Changed inside a bracket, the new clip takes effect at once.
    canvas.lock();
    canvas.setClipRect(1, 2, 3, 4);
    RECT inside = {};
    GetClipBox(canvas.dc(), &inside);
    canvas.unlock();
    EXPECT_EQ(inside.left, 1);
    EXPECT_EQ(inside.bottom, 6);

    canvas.setClipRect(0, 0, 0, 0);
    r = clipBox(canvas);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 120);
    EXPECT_EQ(r.bottom, 80);
}

TEST(WindowCanvas, CanvasWithoutWindowDrawsNothingAndDoesNotFail)
{
    DCanvas canvas(static_cast<HWND>(nullptr));
    canvas.drawRect(0, 0, 10, 10);
    canvas.drawText(0, 0, "x");
    EXPECT_EQ(canvas.textExtent("abc").width(), 0);
    EXPECT_EQ(canvas.textBoxHeight(100, "abc"), 0);
    canvas.drawTextBox(0, 0, 100, "abc", 0);
}
