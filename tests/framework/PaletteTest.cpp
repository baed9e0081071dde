// Windows and views share one set of default colours and take the same colours from a
// theme: a new window and a new view look alike with the classic theme, with the system's
// colours and with no theme at all.
#include "WindowTestKit.h"

#include "framework/DPalette.h"
#include "framework/DTheme.h"
#include "framework/DWinInterior.h"
#include "framework/DXPTheme.h"

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

class PlainView : public DView {
public:
    PlainView() { init(0, 0, 20, 20); }
};

void expectSamePalette(const DPalette& a, const DPalette& b)
{
    EXPECT_EQ(a.background.value(), b.background.value());
    EXPECT_EQ(a.face.value(), b.face.value());
    EXPECT_EQ(a.light.value(), b.light.value());
    EXPECT_EQ(a.shadow.value(), b.shadow.value());
    EXPECT_EQ(a.selection.value(), b.selection.value());
}

// Makes a window and a view while `theme` is the application's theme and compares both
// with `expected`. The application's own theme is put back afterwards.
void expectWindowAndViewStartWith(DTheme* theme, const DPalette& expected)
{
    DTheme* previous = DApplication::currentTheme();
    DApplication::setTheme(theme);
    RecordingWindow window;
    ASSERT_TRUE(window.make(120, 80));
    auto* view = new PlainView;
    window.addView(view);
    DApplication::setTheme(previous);

    SCOPED_TRACE(theme ? "with a theme" : "without a theme");
    expectSamePalette(window.getPalette(), expected);
    expectSamePalette(view->getPalette(), expected);
    expectSamePalette(window.getInterior()->getPalette(), expected);
    window.close();
    pumpMessages();
}

TEST(PaletteTest, NewWindowAndViewStartWithTheSameColours)
{
    DTheme* classic = DApplication::currentTheme();
    ASSERT_NE(classic, nullptr);
    expectWindowAndViewStartWith(classic, classic->palette());

    DXPTheme system("uxtheme.dll");
    expectWindowAndViewStartWith(&system, system.palette());

    // No theme: both keep the one set of defaults, which is what the classic theme gives.
    expectWindowAndViewStartWith(nullptr, DPalette());
    DTheme untouched;
    expectSamePalette(untouched.palette(), DPalette());
}

TEST(PaletteTest, ThemeColoursMapToPalettes)
{
    DTheme theme;
    DPalette plain = theme.palette();
    EXPECT_EQ(plain.background, theme.color(1));
    EXPECT_EQ(plain.face, theme.color(1));
    EXPECT_EQ(plain.light, theme.color(2));
    EXPECT_EQ(plain.shadow, theme.color(3));
    EXPECT_EQ(plain.selection, theme.color(4));
    EXPECT_EQ(theme.color(0), plain.background);  // the background colour before any part

    DPalette menu = theme.menuPalette();
    EXPECT_EQ(menu.face, theme.color(5));
    EXPECT_EQ(menu.light, theme.color(6));
    EXPECT_EQ(menu.shadow, theme.color(7));
    EXPECT_EQ(menu.selection, theme.color(8));
    expectSamePalette(menu, DPalette::menu());
    // Menus differ from other windows only in their highlight outline.
    EXPECT_NE(DPalette::menu().selection, DPalette().selection);
    EXPECT_TRUE(DPalette::menu() != DPalette());
}

TEST(PaletteTest, SystemThemeTakesTheSystemColoursAndClassicMenus)
{
    DXPTheme system("uxtheme.dll");
    DPalette plain = system.palette();
    EXPECT_EQ(plain.face.value(), uint32_t(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(plain.light.value(), uint32_t(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(plain.shadow.value(), uint32_t(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(plain.selection.value(), uint32_t(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(system.color(0).value(), uint32_t(GetSysColor(COLOR_BTNFACE)));
    expectSamePalette(system.menuPalette(), DPalette::menu());
}

}  // namespace
