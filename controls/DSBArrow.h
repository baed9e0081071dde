// DSBArrow: one arrow button at an end of a DScrollBar. Pressed, it reports a left-button-down
// to its bar at once and then again every 100 ms while the button stays down over it, so a
// held arrow keeps scrolling; releasing the button or moving the pointer off the arrow stops
// the repetition. `state` is normal, pressed or hot; `direction` 0 up, 1 down, 2 left,
// 3 right. Coordinates are the arrow's own pixels. Owns its repeat timer.
#pragma once

#include "framework/DTheme.h"
#include "framework/DView.h"

class DSBArrow : public DView {
public:
    static const int repeatInterval = 100;  // milliseconds between repeated steps

    DSBArrow() = default;
    ~DSBArrow() override;

    bool create(int x, int y, int width, int height);
    void setDirection(int newDirection);
    int getDirection() const { return direction; }
    DThemeState getState() const { return state; }
    // True while a held press is repeating.
    bool isRepeating() const;
    // Ends a running repetition (the bar calls it when it disables its arrows).
    void stopRepeat();

    void onCreate() override;
    void onDestroy() override;
    void paint() override;
    void mouseEnter() override;
    void mouseLeave() override;
    bool leftButtonDown(int x, int y, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;
    void timerTick(DTimer* timer) override;

private:
    void setState(DThemeState newState);

    DThemeState state = DStateNormal;
    int direction = 0;
    DTimer* repeatTimer = nullptr;  // owned
};
