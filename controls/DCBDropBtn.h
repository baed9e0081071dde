// DCBDropBtn: the arrow button at the right end of a combo box. It draws the theme's
// downward scroll arrow and shows its state (normal, pressed or hot); a release over
// it is left unconsumed, so the general notifications report the press to the combo box,
// which opens its list. Coordinates are the button's own pixels. Owns nothing.
#pragma once

#include "framework/DTheme.h"
#include "framework/DView.h"

class DCBDropBtn : public DView {
public:
    DCBDropBtn() = default;

    bool create(int x, int y, int width, int height);
    DThemeState getState() const { return state; }

    void paint() override;
    void mouseEnter() override;
    void mouseLeave() override;
    bool leftButtonDown(int x, int y, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;

    // A push button "Open" ("Close" while the list is open) that opens or closes it.
    DAccessibleInfo accessibleInfo() const override;
    bool doAccessibleAction(int part) override;

private:
    void setState(DThemeState newState);

    DThemeState state = DStateNormal;
};
