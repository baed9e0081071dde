// DButton: a push button. It takes the focus, wants Enter (a focused button answers Enter
// itself), and is pressed by the left mouse button or by Space; the press is reported to
// the parent as an "activated" notification with the button as sender. `state` is
// normal, pressed or hot (mouse over), as the theme draws it. Drawn by the theme in the control's own pixels.
#pragma once

#include "framework/DTheme.h"
#include "framework/DView.h"

class DFont;
struct DTextExtent;

class DButton : public DView {
public:
    DButton() = default;
    ~DButton() override;

    bool create(int x, int y, int width, int height, const DString& caption);
    DThemeState getState() const { return state; }
    DFont* getFont() const { return font; }
    // The narrowest width that shows the caption whole, measured in the button's font on
    // its canvas (in units: the same at every display scale but for the font's hinting); 0
    // before the button is in a window.
    virtual int fittingWidth();

    void onDestroy() override;
    void paint() override;
    void mouseEnter() override;
    void mouseLeave() override;
    bool keyDown(int key, int mods) override;
    bool keyUp(int key, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;
    bool leftButtonDown(int x, int y, int mods) override;

    DAccessibleInfo accessibleInfo() const override;
    // Presses the button, as a click does.
    bool doAccessibleAction(int part) override;
    // Alt with the button's access key: it takes the focus and is pressed.
    bool runAccessKey() override;

protected:
    // Takes the focus (when the button can) before a press from the keyboard.
    bool focusForKey();
    void setState(DThemeState newState);
    // Puts the control's font on the locked canvas and measures the caption with it.
    DTextExtent applyFontAndMeasure();
    // The caption at x, y in the font's colour, or in the shadow colour when disabled; its
    // access key underlined while the window shows them.
    void drawCaption(int x, int y, bool active);

    DThemeState state = DStateNormal;
    DFont* font = nullptr;  // owned
};
