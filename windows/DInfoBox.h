// DInfoBox: what the About, user's guide and restart boxes share. Each is a small modal
// window with texts over one "OK" button that is both its default and its cancel button,
// so a click, Enter and Escape all close the box. The main window makes one box for each
// opening, runs it modally (open) and deletes it afterwards. Positions are pixels relative
// to the parent view. The controls are owned by the window's view tree; `okButton` is not
// owned.
#pragma once

#include "controls/ButtonLayout.h"
#include "framework/DWindow.h"

class DButton;
class DIcon;
class DStaticText;

class DInfoBox : public DWindow {
public:
    // Makes the window hidden, with its size and translated title.
    virtual bool createBox() = 0;
    // createBox, then `icon`, centred on the screen, run modally with `owner` until "OK"
    // closes it. False when the window cannot be made.
    bool open(DWindow* owner, DIcon* icon);

    void onClick(DView* sender) override;
    // Texts measure a little differently at every dpi: a message box fits its text again.
    void onScaleChanged() override { fitMessage(); }
    DButton* getOkButton() const { return okButton; }

protected:
    // A top-level captioned window with a client area of width x height, titled with the
    // translation of `englishTitle`.
    bool createSized(int width, int height, const char* englishTitle);
    // The "OK" button at `at` in the window, with the focus.
    void addOkButton(const DLayoutRect& at);
    // A static text at `at` under `parent` with `format` (0x11 top-left, 0x44 centred).
    static DStaticText* addStaticText(DView* parent, const DLayoutRect& at, const DString& text,
                                      int format);
    // A message box, one text over "OK" (messageBoxLayout) written `writtenHeight` tall:
    // the text gets the lines it needs word-wrapped and the box grows taller for them.
    void fitMessage(DStaticText* text, int writtenHeight);
    void fitMessage();

    DButton* okButton = nullptr;  // not owned
    DStaticText* message = nullptr;  // not owned; the text of a message box
    int messageHeight = 0;           // its box's written client height
};
