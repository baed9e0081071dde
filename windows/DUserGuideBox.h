// DUserGuideBox: the modal user's guide, a word-wrapped text in the current language over
// the "OK" button. The controls are owned by the window's view tree; the pointer below is
// not owned.
#pragma once

#include "windows/DInfoBox.h"

class DUserGuideBox : public DInfoBox {
public:
    // 350 x 250, titled with the translation of "User's Guide".
    bool createBox() override;
    void onCreate() override;

    DStaticText* getGuideText() const { return guideText; }

private:
    DStaticText* guideText = nullptr;  // not owned
};
