// DLangMsgBox: the modal notice that a new interface language takes effect after a
// restart, a centred message in the (newly chosen) current language over the "OK" button.
// The controls are owned by the window's view tree; the pointer below is not owned.
#pragma once

#include "windows/DInfoBox.h"

class DLangMsgBox : public DInfoBox {
public:
    // 300 x 100, titled with the translation of "Information".
    bool createBox() override;
    void onCreate() override;

    DStaticText* getMessageText() const { return messageText; }

private:
    DStaticText* messageText = nullptr;  // not owned
};
