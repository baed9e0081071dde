#include "windows/DLangMsgBox.h"

#include "controls/DStaticText.h"
#include "framework/DWinInterior.h"
#include "foundation/DPellaroDictionary.h"
#include "windows/InfoBoxLayout.h"

bool DLangMsgBox::createBox()
{
    return createSized(langMsgBoxWidth, langMsgBoxHeight, "Information");
}

void DLangMsgBox::onCreate()
{
    DMessageBoxLayout layout = messageBoxLayout(interior->getWidth(), interior->getHeight());
    messageText = addStaticText(
        interior, layout.text,
        translate(DString("You must restart Pellaro for the new settings to take effect!")), 0x44);
    addOkButton(layout.okButton);
    fitMessage(messageText, langMsgBoxHeight);
}
