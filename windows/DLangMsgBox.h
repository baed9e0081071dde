// DLangMsgBox: the modal notice that a new interface language takes effect after a
// restart, a centred message in the (newly chosen) current language over an "OK" button
// (which answers Enter and Escape too). The controls are owned by the window's view tree;
// the pointers below are not owned.
#pragma once

#include "framework/DWindow.h"

class DButton;
class DIcon;
class DStaticText;

class DLangMsgBox : public DWindow {
public:
    // Makes the window (300 x 100, titled with the translation of "Information") hidden.
    bool createBox();
    // createBox, then `icon`, centred, run modally with `owner` until "OK" closes it.
    // The caller deletes the box afterwards.
    bool open(DWindow* owner, DIcon* icon);

    void onCreate() override;
    void onClick(DView* sender) override;

    DStaticText* getMessageText() const { return messageText; }
    DButton* getOkButton() const { return okButton; }

private:
    DStaticText* messageText = nullptr;  // not owned
    DButton* okButton = nullptr;         // not owned
};
