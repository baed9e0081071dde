// DAboutBox: the modal About box, the program's name and version, "FREEWARE" and a credit
// line in a frame over an "OK" button (which answers Enter and Escape too). Its texts are
// the same in every language; only the title is translated. The controls are owned by the
// window's view tree; the pointers below are not owned.
#pragma once

#include "framework/DWindow.h"

class DButton;
class DGroup;
class DIcon;
class DStaticText;

class DAboutBox : public DWindow {
public:
    // Makes the window (300 x 200, titled with the translation of "About") hidden.
    bool createBox();
    // createBox, then `icon`, centred, run modally with `owner` until "OK" closes it.
    // The caller deletes the box afterwards.
    bool open(DWindow* owner, DIcon* icon);

    void onCreate() override;
    void onClick(DView* sender) override;

    DGroup* getFrame() const { return frame; }
    DStaticText* getTitleText() const { return titleText; }
    DStaticText* getFreewareText() const { return freewareText; }
    DStaticText* getCreditText() const { return creditText; }
    DButton* getOkButton() const { return okButton; }

private:
    DGroup* frame = nullptr;              // not owned
    DStaticText* titleText = nullptr;     // not owned
    DStaticText* freewareText = nullptr;  // not owned
    DStaticText* creditText = nullptr;    // not owned
    DButton* okButton = nullptr;          // not owned
};
