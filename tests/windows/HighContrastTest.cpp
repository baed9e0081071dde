// High contrast: with the system's colours set to a scheme of the test's own, every control
// of the main window, the mailbox window, a menu and the notification box draws in those
// colours alone, the focus shows on every control, and the usual look comes back exactly
// when high contrast goes off.
#include "AccessibilityFixture.h"

#include "controls/DButton.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "framework/DTheme.h"
#include "framework/DView.h"
#include "framework/DWinInterior.h"
#include "framework/WindowTestKit.h"
#include "windows/DMainWindow.h"
#include "windows/DNotificationBox.h"

#include <map>
#include <string>
#include <typeinfo>
#include <vector>

using a11ytest::Run;

namespace {

// Every colour of the scheme has the blue value 0x40, which none of the usual look's colours
// has; a blend of two of them (text edges) keeps it. A pixel of any other blue value was
// drawn in a colour that is not the system's.
const int schemeBlue = 0x40;

DColor schemeColor(int red, int green)
{
    return DColor(static_cast<unsigned char>(red), static_cast<unsigned char>(green),
                  static_cast<unsigned char>(schemeBlue));
}

DSystemColors scheme()
{
    DSystemColors c;
    c.window = schemeColor(0x00, 0x00);
    c.windowText = schemeColor(0xFF, 0xFF);
    c.face = schemeColor(0x10, 0x20);
    c.faceText = schemeColor(0xF0, 0xE0);
    c.light = schemeColor(0xE0, 0xF0);
    c.shadow = schemeColor(0x70, 0x70);
    c.grayText = schemeColor(0x90, 0x80);
    c.highlight = schemeColor(0x00, 0xC0);
    c.highlightText = schemeColor(0x30, 0x00);
    c.menu = schemeColor(0x20, 0x10);
    c.menuText = schemeColor(0xD0, 0xF0);
    c.infoBack = schemeColor(0x40, 0x40);
    c.infoText = schemeColor(0xFF, 0xC0);
    return c;
}

std::vector<COLORREF> pixelsOf(HWND window, int width, int height)
{
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

std::vector<COLORREF> pixelsOf(DView* view)
{
    return pixelsOf(static_cast<HWND>(view->getHandle()), view->getWidth(), view->getHeight());
}

// The views of the tree under `top` that have a native window of their own, in order.
void viewsUnder(DView* top, std::vector<DView*>& out)
{
    for (int i = 0; i < top->childCount(); i++) {
        DView* child = top->childAt(i);
        if (child->getHandle() && child->isVisible())
            out.push_back(child);
        viewsUnder(child, out);
    }
}

// The pixels of a surface that are not in the scheme's colours, counted.
int strangePixels(const std::vector<COLORREF>& pixels)
{
    int strange = 0;
    for (COLORREF p : pixels)
        strange += GetBValue(p) == schemeBlue ? 0 : 1;
    return strange;
}

class Contrast : public Run {
protected:
    void TearDown() override
    {
        if (theme)
            theme->clearHighContrast();
        Run::TearDown();
    }
    // High contrast on (or off) for the program's theme, and every open window repainted.
    void contrast(bool on)
    {
        theme = window->getTheme();
        ASSERT_NE(theme, nullptr);
        if (on)
            theme->setHighContrast(scheme());
        else
            theme->clearHighContrast();
        window->setTheme(theme);
        window->getTrayMenu()->setTheme(theme);
        window->getNotificationBox()->setTheme(theme);
        window->getNotificationBox()->getInterior()->paintNow();
        settle();
    }
    // No view holds the focus: the focus rectangle inverts what is under it, and the focus
    // has a test of its own.
    void noFocus(DWindow* w) { w->getInterior()->setFocus(nullptr); }
    void expectOnlySchemeColours(DWindow* w, const char* name)
    {
        std::vector<DView*> views;
        viewsUnder(w->getInterior(), views);
        ASSERT_FALSE(views.empty());
        for (DView* view : views) {
            view->paintNow();
            int strange = strangePixels(pixelsOf(view));
            EXPECT_EQ(strange, 0) << name << ": a " << typeid(*view).name() << " at "
                                  << view->getX() << "," << view->getY();
        }
        RECT client{};
        GetClientRect(w->getHandle(), &client);
        w->getInterior()->paintNow();
        // The window's own background between the controls.
        HDC dc = GetDC(w->getHandle());
        COLORREF corner = GetPixel(dc, 1, client.bottom - 2);
        ReleaseDC(w->getHandle(), dc);
        EXPECT_EQ(GetBValue(corner), schemeBlue) << name;
    }

    DTheme* theme = nullptr;
};

}  // namespace

TEST_F(Contrast, EveryControlDrawsInTheSystemsColoursAndTheUsualLookComesBack)
{
    startWith(false, 3);
    showMainWindow();
    window->getMailboxList()->setSelected(0);
    noFocus(window);
    settle();
    std::vector<DView*> views;
    viewsUnder(window->getInterior(), views);
    std::map<DView*, std::vector<COLORREF>> usual;
    for (DView* view : views) {
        view->paintNow();
        usual[view] = pixelsOf(view);
    }
    // The usual look is not in the scheme at all: the check below can fail.
    ASSERT_GT(strangePixels(usual[window->getMailboxList()]), 0);

    contrast(true);
    expectOnlySchemeColours(window, "main window");

    // A menu and the notification box.
    DMenu* menu = window->getTrayMenu();
    menu->popupForWindow(window, 100, 100);
    settle();
    DRect at = menu->bounds();
    EXPECT_EQ(strangePixels(pixelsOf(menu->getHandle(), at.width, at.height)), 0) << "menu";
    menu->close();
    DNotificationBox* box = window->getNotificationBox();
    box->show(true);
    box->getInterior()->paintNow();
    DRect boxAt = box->bounds();
    EXPECT_EQ(strangePixels(pixelsOf(box->getHandle(), boxAt.width, boxAt.height)), 0)
        << "notification box";

    // The mailbox window, made while high contrast is on, with a selection in a field.
    insideModal([&] { window->getEditButton()->notifyParent(notifyActivated); },
                [&](DWindow* form) {
                    noFocus(form);
                    expectOnlySchemeColours(form, "mailbox window");
                    form->close();
                });

    // Off again: every control exactly as before.
    contrast(false);
    for (DView* view : views) {
        view->paintNow();
        EXPECT_EQ(pixelsOf(view), usual[view]) << "a " << typeid(*view).name() << " at "
                                               << view->getX() << "," << view->getY();
    }
}

TEST_F(Contrast, TheFocusShowsOnEveryControl)
{
    startWith(false);
    showMainWindow();
    contrast(true);
    std::vector<DView*> stops;
    std::vector<DView*> views;
    viewsUnder(window->getInterior(), views);
    for (DView* view : views)
        if (view->isFocusable() && view->isEnabled())
            stops.push_back(view);
    ASSERT_GE(stops.size(), 10u);
    for (DView* stop : stops) {
        noFocus(window);
        stop->paintNow();
        std::vector<COLORREF> without = pixelsOf(stop);
        stop->getParent()->setFocus(stop);
        stop->paintNow();
        EXPECT_NE(pixelsOf(stop), without) << "no mark of the focus on a "
                                           << typeid(*stop).name() << " at " << stop->getX()
                                           << "," << stop->getY();
    }
}

TEST_F(Contrast, AWindowFollowsTheSystemWhenItsColoursChange)
{
    // Wine keeps no high-contrast setting of its own: the system's answer is the test's.
    static bool systemOn = false;
    setContrastSource([](DSystemColors& colors) {
        colors = scheme();
        return systemOn;
    });
    startWith(false);
    showMainWindow();
    theme = window->getTheme();
    systemOn = true;
    SendMessageA(window->getHandle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(theme->isHighContrast());
    EXPECT_EQ(window->getFaceColor(), scheme().face);
    EXPECT_EQ(window->getMailboxList()->getPalette().face, scheme().face);
    noFocus(window);
    expectOnlySchemeColours(window, "main window after the system's change");
    systemOn = false;
    SendMessageA(window->getHandle(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_FALSE(theme->isHighContrast());
    EXPECT_NE(window->getFaceColor(), scheme().face);
    setContrastSource(nullptr);
}
