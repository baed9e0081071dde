#include "windows/DUserGuideBox.h"

#include "controls/DStaticText.h"
#include "framework/DWinInterior.h"
#include "foundation/DPellaroDictionary.h"
#include "mail/GuideTexts.h"
#include "windows/InfoBoxLayout.h"

bool DUserGuideBox::createBox()
{
    return createSized(userGuideBoxWidth, userGuideBoxHeight, "User's Guide");
}

void DUserGuideBox::onCreate()
{
    DMessageBoxLayout layout = messageBoxLayout(interior->getWidth(), interior->getHeight());
    guideText = addStaticText(interior, layout.text, translate(englishGuideText()), 0x11);
    addOkButton(layout.okButton);
    fitMessage(guideText, userGuideBoxHeight);
}
