// What the tests of the program's windows at a display scale share: the dpi the test's Wine
// prefix gives (PELLARO_EXPECT_DPI, set by scripts/wine-at-dpi.sh; 96 without it), the walk
// over a window's views checking their device pixels against their units, a click at a
// view's scaled centre, and the measuring of a text in a control's own font.
#pragma once

#include "MainWindowFixture.h"

#include "framework/DView.h"
#include "framework/DWindow.h"
#include "graphics/DisplayScale.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

class DFont;

namespace scaledtest {

// The dpi the prefix was made with.
int expectedDpi();

// Every visible view of the window's tree, parents before their children.
void forEachView(DWindow& window, const std::function<void(DView*)>& visit);

// The device rectangle of a view's native window in its window's client area.
RECT deviceRectOf(DView* view, HWND top);

// The window's client area is its units at its scale, and every visible view lies inside
// its parent (in units and in device pixels) on the device pixels of its units: within a
// pixel of units x dpi / 96.
::testing::AssertionResult placedAtScale(DWindow& window);

// A left button pressed at the device pixel of the view's centre (its units' centre
// x dpi / 96), and released there when `release`.
void clickCentre(DWindow& window, DView* view, bool release);

// The width and height of `text` in `font` (the canvas's own when null) on the view's
// canvas, in units.
SIZE measure(DView* view, DFont* font, const DString& text);

// A readable name for the view in messages: its type and text.
std::string nameOf(DView* view);

// The main window made by the program's own start-up in English or Hungarian, its first
// check (of no mailbox) over.
class ScaledMainWindowTest : public maintest::PellaroRun {
protected:
    void startIn(bool inHungarian);
};

// Dialogs made directly by the test, in the language the dictionary is set to (English
// again after each test).
class ScaledDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace scaledtest
