#include "windows/DLangMsgBox.h"

#include "controls/DButton.h"
#include "controls/DStaticText.h"
#include "framework/DWinInterior.h"
#include "mail/DPellaroDictionary.h"
#include "windows/InfoBoxLayout.h"
#include "windows/InfoBoxSupport.h"

bool DLangMsgBox::createBox()
{
    return create(nullptr, 0, 0, langMsgBoxWidth, langMsgBoxHeight,
                  translate(DString("Information")), 0);
}

bool DLangMsgBox::open(DWindow* owner, DIcon* icon)
{
    return createBox() && runInfoBox(this, owner, icon);
}

void DLangMsgBox::onCreate()
{
    DMessageBoxLayout layout = messageBoxLayout(interior->getWidth(), interior->getHeight());
    messageText = addStaticText(
        interior, layout.text,
        translate(DString("You must restart Pellaro for the new settings to take effect!")), 0x44);
    okButton = addOkButton(this, layout.okButton);
}

void DLangMsgBox::onClick(DView* sender)
{
    if (sender && sender == okButton)
        close();
}
