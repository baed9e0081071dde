// DNotificationBox: the box that tells the user which mailboxes have new mail. A tool tip
// (frameless, top-most, never taking the focus, sized to its text) that the main window
// makes once with an empty text, fills, places near the bottom-right corner of the screen
// and shows without the tool tip's delay; a click on it hides it. It never hides by itself.
// Positions are screen positions of its top-left corner, in the window's units.
#pragma once

#include "controls/DToolTip.h"

class DNotificationBox : public DToolTip {
public:
    // The box's bottom-right corner keeps this many pixels from the screen's.
    static const int cornerMargin = 50;

    // Shows the box at once (moved back onto the screen if it sticks out) or hides it.
    // Showing it raises an alert, so screen readers read the news out.
    void show(bool flag);
    // Moves the box so its bottom-right corner is `cornerMargin` pixels left of and above
    // the primary screen's bottom-right corner; call after setText, which resizes it.
    void placeAtCorner();

    // A click on the box hides it.
    void onMouseUp(int x, int y, int mods) override;
    // An alert, its text as its name.
    DAccessibleInfo accessibleInfo() const override;
};
