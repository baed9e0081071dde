#include "controls/DToolTip.h"

#include "controls/AccessibleRules.h"
#include "controls/ToolTipGeometry.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"
#include "system/DTimer.h"

namespace {

// Pale yellow: yellow nine tenths of the way to white, until the theme gives its colour.
DColor paleYellow()
{
    return DColor(0x00FFFF).blend(DColor(0xFFFFFF), 10, 9);
}

// Tool tips keep the framework's procedure for everything except mouse activation: a
// click on a tip must leave the focus where it was.
LRESULT CALLBACK toolTipProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return CallWindowProcA(DWindow::windowProcedure, window, message, wParam, lParam);
}

}  // namespace

DToolTip::~DToolTip()
{
    deleteTimer();
}

void DToolTip::deleteTimer()
{
    delete showTimer;  // disables it first; a tick already sent is refused
    showTimer = nullptr;
    shown = 0;
}

bool DToolTip::create(const DString& text)
{
    if (!DWindow::create(nullptr, 0, 0, 80, 15, text, windowFrameless))
        return false;
    SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolTipProcedure));
    LONG_PTR extended = GetWindowLongPtrA(handle, GWL_EXSTYLE);
    SetWindowLongPtrA(handle, GWL_EXSTYLE, extended | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
    SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    palette.background = paleYellow();
    fitToText();
    applyThemeColors();
    return true;
}

void DToolTip::onCreate()
{
    deleteTimer();
    showTimer = new DTimer(this);
    showTimer->setInterval(showDelay);
    shown = 0;
}

void DToolTip::onClose()
{
    deleteTimer();
}

DAccessibleInfo DToolTip::accessibleInfo() const
{
    return accessibleToolTip(title(), handle && IsWindowVisible(handle));
}

void DToolTip::applyThemeColors()
{
    DWindow::applyThemeColors();
    palette.background = theme ? theme->color(9) : paleYellow();
}

void DToolTip::setText(const DString& text)
{
    setTitle(text);
    fitToText();
    redraw();
}

void DToolTip::fitToText()
{
    if (!handle || !canvas)
        return;
    DTipMeasure measure;
    measure.extent = [this](const DString& line) {
        DTextExtent extent = canvas->textExtent(line);
        return DTipSize{extent.width(), extent.height()};
    };
    measure.boxHeight = [this](int width, const DString& text) {
        return canvas->textBoxHeight(width, text);
    };
    DTipSize size = toolTipSize(title(), measure);
    resize(size.width, size.height);
}

void DToolTip::setVisible(bool flag)
{
    if (!handle)
        return;  // not made yet, or closed
    if (flag) {
        if (shown)
            return;
        shown = 1;
        if (showTimer)
            showTimer->setEnabled(true);
        return;
    }
    if (!shown)
        return;
    shown = 0;
    if (showTimer)
        showTimer->setEnabled(false);
    showNow(false);
}

void DToolTip::onTimer(DTimer* timer)
{
    if (timer != showTimer)
        return;
    showTimer->setEnabled(false);
    // Only a show still asked for goes ahead; a withdrawn request leaves the tip hidden.
    if (shown)
        showNow(true);
}

void DToolTip::showNow(bool flag)
{
    if (!handle)
        return;
    DRect r = bounds();
    int areaWidth, areaHeight;
    screenArea(areaWidth, areaHeight);
    DTipPlace place = keepOnScreen(r.x, r.y, r.width, r.height, areaWidth, areaHeight);
    if (place.x != r.x || place.y != r.y)
        moveTo(place.x, place.y);
    if (flag) {
        // Other top-most windows may have come up since: go back on top, still inactive.
        SetWindowPos(handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        show(true);
    } else {
        show(false);
    }
}

void DToolTip::onPaint()
{
    if (!canvas || !handle)
        return;
    DRect r = bounds();
    canvas->lock();
    DInkScope ink(canvas, theme, inkOnToolTip);
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawToolTip(canvas, r.width, r.height);
    } else {
        canvas->pen()->setColor(canvas->font()->getColor());
        canvas->brush()->setColor(palette.background);
        canvas->drawRect(0, 0, r.width, r.height);
    }
    canvas->drawTextBox(2, 2, r.width, title(), 0x11);
    canvas->unlock();
}
