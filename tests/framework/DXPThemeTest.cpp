#include "framework/DXPTheme.h"
#include "graphics/BitmapPixels.h"
#include "framework/ThemeOperations.h"
#include "system/DrawingLock.h"

#include <gtest/gtest.h>

namespace {

// A classic theme given another theme's colours.
class CopiedTheme : public DTheme {
public:
    explicit CopiedTheme(const DTheme& from)
    {
        for (int n = 0; n < colorCount; ++n) setColor(n, from.color(n));
    }
};

BitmapPixels renderAll(DTheme& theme)
{
    DBitmap bitmap(allOperationsWidth, allOperationsHeight);
    fillBitmap(bitmap, DColor(0, 255, 0));
    drawAllOperations(theme, bitmap.canvas());
    return BitmapPixels(bitmap);
}

}  // namespace

TEST(DXPTheme, ColoursComeFromTheSystem)
{
    DXPTheme theme;
    EXPECT_EQ(theme.color(0).value(), uint32_t(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(theme.color(1).value(), uint32_t(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(theme.color(2).value(), uint32_t(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(theme.color(3).value(), uint32_t(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(theme.color(4).value(), uint32_t(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(theme.color(5).value(), 0xC0C0C0u);
    EXPECT_EQ(theme.color(6).value(), 0xFFFFFFu);
    EXPECT_EQ(theme.color(7).value(), 0x808080u);
    EXPECT_EQ(theme.color(8).value(), 0xFF0000u);
    EXPECT_EQ(theme.color(9), DColor(255, 255, 229));
}

TEST(DXPTheme, MissingLibraryDrawsExactlyTheClassicLook)
{
    DXPTheme theme("pellaro-no-such-uxtheme");
    EXPECT_FALSE(theme.isAvailable());
    EXPECT_FALSE(theme.isThemed());
    CopiedTheme classic(theme);
    BitmapPixels visual = renderAll(theme);
    BitmapPixels plain = renderAll(classic);
    ASSERT_TRUE(visual.valid());
    EXPECT_TRUE(visual == plain);
    EXPECT_LT(plain.count(DColor(0, 255, 0)), allOperationsWidth * allOperationsHeight * 3 / 4)
        << "the operations drew something";
}

namespace {

// The system's visual styles switched off: "IsAppThemed" answers 0.
class StylesOffTheme : public DXPTheme {
protected:
    bool appThemed() const override { return false; }
};

}  // namespace

TEST(DXPTheme, WithVisualStylesOffDrawsExactlyTheClassicLook)
{
    StylesOffTheme theme;
    EXPECT_TRUE(theme.isAvailable()) << "uxtheme and its six functions are found";
    EXPECT_FALSE(theme.isThemed());
    CopiedTheme classic(theme);
    EXPECT_TRUE(renderAll(theme) == renderAll(classic));
}

TEST(DXPTheme, WithVisualStylesOnDrawsTheStyledParts)
{
    DXPTheme theme;
    if (!theme.isThemed()) GTEST_SKIP() << "visual styles are not active on this system";
    CopiedTheme classic(theme);
    BitmapPixels visual = renderAll(theme);
    EXPECT_FALSE(visual == renderAll(classic));
    // A flat field has no visual-styles counterpart: drawn the classic way either way.
    DBitmap a(40, 20), b(40, 20);
    theme.drawField(a.canvas(), true, 40, 20, 0, true);
    classic.drawField(b.canvas(), true, 40, 20, 0, true);
    EXPECT_TRUE(BitmapPixels(a) == BitmapPixels(b));
    // A styled button covers its whole rectangle and nothing outside it.
    DBitmap c(30, 30);
    fillBitmap(c, DColor(0, 255, 0));
    c.canvas()->setOrigin(5, 5);
    theme.drawButton(c.canvas(), true, false, 20, 20, DStateNormal);
    BitmapPixels button(c);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(button.at(i, 2), DColor(0, 255, 0));
        EXPECT_EQ(button.at(2, i), DColor(0, 255, 0));
        EXPECT_EQ(button.at(i, 27), DColor(0, 255, 0));
    }
    EXPECT_NE(button.at(15, 15), DColor(0, 255, 0));
}

TEST(DXPTheme, StyledProgressChunkIsMovedInAtTheLeftAndTopOnly)
{
    DXPTheme theme;
    if (!theme.isThemed()) GTEST_SKIP() << "visual styles are not active on this system";
    const DColor green(0, 255, 0);
    DBitmap bitmap(40, 20);
    fillBitmap(bitmap, green);
    bitmap.canvas()->setOrigin(4, 3);
    theme.drawProgressChunk(bitmap.canvas(), 0, 30, 12, false);
    BitmapPixels p(bitmap);
    bool insideLeftTop = false, rightColumn = false, bottomRow = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (p.at(x, y) == green) continue;
            EXPECT_GE(x, 4 + 2) << "nothing in the 2-pixel inset at the left";
            EXPECT_GE(y, 3 + 2) << "nothing in the 2-pixel inset at the top";
            EXPECT_LT(x, 4 + 30);
            EXPECT_LT(y, 3 + 12);
            insideLeftTop = insideLeftTop || (x == 6 || y == 5);
            rightColumn = rightColumn || x == 33;
            bottomRow = bottomRow || y == 14;
        }
    }
    EXPECT_TRUE(insideLeftTop);
    EXPECT_TRUE(rightColumn) << "the right edge is not moved in";
    EXPECT_TRUE(bottomRow) << "the bottom edge is not moved in";
}

TEST(DXPTheme, VisualStyleStates)
{
    // A disabled arrow uses its direction's disabled state whatever else it is.
    for (int state = 0; state < 3; ++state) {
        EXPECT_EQ(DXPTheme::scrollArrowState(false, state, 0), 4);
        EXPECT_EQ(DXPTheme::scrollArrowState(false, state, 1), 8);
        EXPECT_EQ(DXPTheme::scrollArrowState(false, state, 2), 12);
        EXPECT_EQ(DXPTheme::scrollArrowState(false, state, 3), 16);
    }
    EXPECT_EQ(DXPTheme::scrollArrowState(true, DStateNormal, 0), 1);
    EXPECT_EQ(DXPTheme::scrollArrowState(true, DStateHot, 1), 6);
    EXPECT_EQ(DXPTheme::scrollArrowState(true, DStatePressed, 3), 15);

    EXPECT_EQ(DXPTheme::buttonState(false, true, DStateHot), 4);
    EXPECT_EQ(DXPTheme::buttonState(true, true, DStateHot), 2);
    EXPECT_EQ(DXPTheme::buttonState(true, false, DStatePressed), 3);
    EXPECT_EQ(DXPTheme::buttonState(true, true, DStateNormal), 5);
    EXPECT_EQ(DXPTheme::buttonState(true, false, DStateNormal), 1);

    EXPECT_EQ(DXPTheme::checkState(false, DStateHot, false), 4);
    EXPECT_EQ(DXPTheme::checkState(false, DStateHot, true), 8);
    EXPECT_EQ(DXPTheme::checkState(true, DStateHot, true), 6);
    EXPECT_EQ(DXPTheme::checkState(true, DStatePressed, true), 7);
    EXPECT_EQ(DXPTheme::checkState(true, DStateNormal, false), 1);
    EXPECT_EQ(DXPTheme::checkState(true, DStateNormal, true), 5);
}

namespace {

DWORD WINAPI takeDrawingLockOnce(void*)
{
    drawingLock().lock();
    drawingLock().unlock();
    return 0;
}

// Asks, at the moment the theme asks the system whether visual styles are on, whether
// another thread could take the drawing lock; answers "off", so the call draws classic.
class LockProbeTheme : public DXPTheme {
public:
    mutable HANDLE prober = nullptr;
    mutable bool otherThreadKeptOut = false;

protected:
    bool appThemed() const override
    {
        prober = CreateThread(nullptr, 0, takeDrawingLockOnce, nullptr, 0, nullptr);
        // A thread that gets the lock is done within moments; one kept out waits until the
        // call ends. Only the keeping out is asserted, so a slow machine cannot fail this.
        otherThreadKeptOut = prober && WaitForSingleObject(prober, 300) == WAIT_TIMEOUT;
        return false;
    }
};

}  // namespace

TEST(DXPTheme, ScratchFieldsAreUsedUnderTheDrawingLock)
{
    LockProbeTheme theme;
    ASSERT_TRUE(theme.isAvailable());
    DBitmap bitmap(20, 20);
    theme.drawButton(bitmap.canvas(), true, false, 20, 20, DStateNormal);
    ASSERT_NE(theme.prober, nullptr);
    EXPECT_EQ(WaitForSingleObject(theme.prober, 20000), WAIT_OBJECT_0);
    CloseHandle(theme.prober);
    EXPECT_TRUE(theme.otherThreadKeptOut)
        << "another thread could draw while the theme handle and rectangle were being set";
}
