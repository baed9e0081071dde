// DCheckBox: a check box, a push button that toggles `checked` when it is released (by the
// mouse or by Space). It does not answer Enter itself, so Enter in its window runs the
// default action. Drawn as a 13 x 13 glyph at the left with the caption beside it.
#pragma once

#include "controls/DButton.h"

class DCheckBox : public DButton {
public:
    void setChecked(bool flag);
    bool isChecked() const { return checked; }
    int fittingWidth() override;

    void paint() override;
    bool keyDown(int key, int mods) override;
    bool keyUp(int key, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;

    // A check box names the field after it ("Open web site" and its address).
    bool labelsNext() const override { return true; }
    DAccessibleInfo accessibleInfo() const override;
    // Toggles the box and reports it, as a click does.
    bool doAccessibleAction(int part) override;
    // Alt with the box's access key: it takes the focus and toggles.
    bool runAccessKey() override;

private:
    // Flips `checked`, redraws and tells screen readers.
    void flip();

    bool checked = false;
};
