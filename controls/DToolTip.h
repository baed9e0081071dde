// DToolTip: a small top-most pop-up window showing a short text (its title) on the
// theme's pale tool-tip colour, sized to the text and kept on the screen. It never takes
// the focus: it is shown without activation and a click on it does not activate it.
// Positions are screen positions of its top-left corner; positions and sizes are in the
// window's units (DWindow.h).
//
// setVisible(true) shows it two seconds after the request, through a timer of its own;
// setVisible(false) cancels a pending show and hides it at once, so a tip asked for and
// withdrawn within the delay never appears. showNow shows or hides it at once. Owns the
// timer (between creation and closing) and the native window (through DWindow).
#pragma once

#include "framework/DWindow.h"

class DTimer;

class DToolTip : public DWindow {
public:
    // The delay between setVisible(true) and the tip appearing.
    static const int showDelay = 2000;

    DToolTip() = default;
    ~DToolTip() override;

    // A frameless top-most pop-up at (0, 0) with `text`, sized to it; false when the
    // window cannot be made.
    bool create(const DString& text);
    void setText(const DString& text);
    DString getText() const { return title(); }
    // Delayed show (true) or immediate hide (false).
    void setVisible(bool flag);
    // Moves the window back onto the screen if it sticks out, then shows or hides it.
    void showNow(bool flag);

    // A show is pending or the tip is up through setVisible.
    bool isShowRequested() const { return shown != 0; }
    DTimer* getShowTimer() const { return showTimer; }

    // A tool tip to screen readers, its text as its name.
    DAccessibleInfo accessibleInfo() const override;
    void applyThemeColors() override;
    void onCreate() override;
    void onClose() override;
    void onPaint() override;
    void onTimer(DTimer* timer) override;
    // On a display of another dpi the tip measures its text again and fits it.
    void onScaleChanged() override { fitToText(); }

private:
    void fitToText();
    void deleteTimer();

    DTimer* showTimer = nullptr;  // owned
    unsigned char shown = 0;
};
