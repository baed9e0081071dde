#include "ScaledWindowsKit.h"

#include "framework/DWinInterior.h"
#include "framework/WindowTestKit.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"
#include "foundation/DPellaroDictionary.h"
#include "mail/DictionaryTexts.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <typeinfo>

namespace scaledtest {

namespace {

void walk(DView* view, const std::function<void(DView*)>& visit)
{
    if (!view || !view->isVisible())
        return;
    visit(view);
    for (int i = 0; i < view->childCount(); i++)
        walk(view->childAt(i), visit);
}

bool withinAPixel(double device, double exact)
{
    return std::fabs(device - exact) <= 1.0;
}

}  // namespace

int expectedDpi()
{
    const char* value = std::getenv("PELLARO_EXPECT_DPI");
    return value && std::atoi(value) > 0 ? std::atoi(value) : baseDpi;
}

void forEachView(DWindow& window, const std::function<void(DView*)>& visit)
{
    walk(window.getInterior(), visit);
}

RECT deviceRectOf(DView* view, HWND top)
{
    RECT r = {0, 0, 0, 0};
    if (!view || !view->getHandle())
        return r;
    GetWindowRect(static_cast<HWND>(view->getHandle()), &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string nameOf(DView* view)
{
    std::ostringstream out;
    out << typeid(*view).name() << " \"" << view->getText().text() << "\"";
    int x = 0, y = 0;
    view->absolutePosition(x, y);
    out << " at " << x << ", " << y << " (" << view->getWidth() << " x " << view->getHeight()
        << ")";
    return out.str();
}

::testing::AssertionResult placedAtScale(DWindow& window)
{
    const DScale scale = window.getScale();
    const double factor = scale.dpi() / 96.0;
    HWND top = window.getHandle();
    DView* interior = window.getInterior();
    RECT client = {};
    GetClientRect(top, &client);
    if (client.right != scale.toDevice(interior->getWidth()) ||
        client.bottom != scale.toDevice(interior->getHeight()))
        return ::testing::AssertionFailure()
               << "client area " << client.right << " x " << client.bottom << " for "
               << interior->getWidth() << " x " << interior->getHeight() << " units";
    std::ostringstream faults;
    forEachView(window, [&](DView* view) {
        DView* parent = view->getParent();
        if (!parent)
            return;
        if (view->getX() < 0 || view->getY() < 0 ||
            view->getX() + view->getWidth() > parent->getWidth() ||
            view->getY() + view->getHeight() > parent->getHeight())
            faults << nameOf(view) << " sticks out of " << nameOf(parent) << "\n";
        int x = 0, y = 0;
        view->absolutePosition(x, y);
        const RECT r = deviceRectOf(view, top);
        if (!withinAPixel(r.left, x * factor) || !withinAPixel(r.top, y * factor) ||
            !withinAPixel(r.right - r.left, view->getWidth() * factor) ||
            !withinAPixel(r.bottom - r.top, view->getHeight() * factor))
            faults << nameOf(view) << " on device " << r.left << ", " << r.top << " ("
                   << r.right - r.left << " x " << r.bottom - r.top << ")\n";
        if (parent != interior) {
            const RECT p = deviceRectOf(parent, top);
            if (r.left < p.left || r.top < p.top || r.right > p.right || r.bottom > p.bottom)
                faults << nameOf(view) << " leaves its parent's device pixels\n";
        } else if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
            faults << nameOf(view) << " leaves the client area\n";
        }
    });
    if (!faults.str().empty())
        return ::testing::AssertionFailure() << "at " << scale.dpi() << " dpi:\n" << faults.str();
    return ::testing::AssertionSuccess();
}

void clickCentre(DWindow& window, DView* view, bool release)
{
    int x = 0, y = 0;
    view->absolutePosition(x, y);
    const double factor = window.getScale().dpi() / 96.0;
    const int deviceX = static_cast<int>(std::lround((x + view->getWidth() / 2.0) * factor));
    const int deviceY = static_cast<int>(std::lround((y + view->getHeight() / 2.0) * factor));
    HWND top = window.getHandle();
    SendMessageA(top, WM_MOUSEMOVE, 0, windowtest::point(deviceX, deviceY));
    SendMessageA(top, WM_LBUTTONDOWN, MK_LBUTTON, windowtest::point(deviceX, deviceY));
    if (release && IsWindow(top))
        SendMessageA(top, WM_LBUTTONUP, 0, windowtest::point(deviceX, deviceY));
}

SIZE measure(DView* view, DFont* font, const DString& text)
{
    SIZE size = {0, 0};
    DCanvas* canvas = view ? view->getCanvas() : nullptr;
    if (!canvas)
        return size;
    if (font)
        canvas->font()->assign(*font);
    const DTextExtent extent = canvas->textExtent(text);
    size.cx = extent.width();
    size.cy = extent.height();
    return size;
}

void ScaledMainWindowTest::startIn(bool inHungarian)
{
    DSettingsRecord settings;
    settings.hungarian = inHungarian;
    writeSettings(settings);
    ASSERT_NE(start(1), nullptr);
    ASSERT_TRUE(waitForCheckEnd());
}

void ScaledDialogTest::SetUp()
{
    windowtest::releaseKeys();
    windowtest::parkPointer();
    if (!dictionary) {
        dictionary = new DPellaroDictionary;
        fillDictionary(*dictionary);
    }
}

void ScaledDialogTest::TearDown()
{
    dictionary->setLanguage(0);
    windowtest::pumpMessages();
}

}  // namespace scaledtest
