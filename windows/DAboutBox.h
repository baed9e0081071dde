// DAboutBox: the modal About box, the program's name and version, "FREEWARE" and a credit
// line in a frame over the "OK" button. Its texts are the same in every language; only the
// title is translated. The controls are owned by the window's view tree; the pointers below
// are not owned.
#pragma once

#include "windows/DInfoBox.h"

class DGroup;

class DAboutBox : public DInfoBox {
public:
    // 300 x 200, titled with the translation of "About".
    bool createBox() override;
    void onCreate() override;

    DGroup* getFrame() const { return frame; }
    DStaticText* getTitleText() const { return titleText; }
    DStaticText* getFreewareText() const { return freewareText; }
    DStaticText* getCreditText() const { return creditText; }

private:
    DGroup* frame = nullptr;              // not owned
    DStaticText* titleText = nullptr;     // not owned
    DStaticText* freewareText = nullptr;  // not owned
    DStaticText* creditText = nullptr;    // not owned
};
