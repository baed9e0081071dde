// DUserGuideBox: the modal user's guide, a word-wrapped text in the current language over
// an "OK" button (which answers Enter and Escape too). The controls are owned by the
// window's view tree; the pointers below are not owned.
#pragma once

#include "framework/DWindow.h"

class DButton;
class DIcon;
class DStaticText;

class DUserGuideBox : public DWindow {
public:
    // Makes the window (350 x 250, titled with the translation of "User's Guide") hidden.
    bool createBox();
    // createBox, then `icon`, centred, run modally with `owner` until "OK" closes it.
    // The caller deletes the box afterwards.
    bool open(DWindow* owner, DIcon* icon);

    void onCreate() override;
    void onClick(DView* sender) override;

    DStaticText* getGuideText() const { return guideText; }
    DButton* getOkButton() const { return okButton; }

private:
    DStaticText* guideText = nullptr;  // not owned
    DButton* okButton = nullptr;       // not owned
};
