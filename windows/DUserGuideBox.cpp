#include "windows/DUserGuideBox.h"

#include "controls/DButton.h"
#include "controls/DStaticText.h"
#include "framework/DWinInterior.h"
#include "mail/DPellaroDictionary.h"
#include "mail/GuideTexts.h"
#include "windows/InfoBoxLayout.h"
#include "windows/InfoBoxSupport.h"

bool DUserGuideBox::createBox()
{
    return create(nullptr, 0, 0, userGuideBoxWidth, userGuideBoxHeight,
                  translate(DString("User's Guide")), 0);
}

bool DUserGuideBox::open(DWindow* owner, DIcon* icon)
{
    return createBox() && runInfoBox(this, owner, icon);
}

void DUserGuideBox::onCreate()
{
    DMessageBoxLayout layout = messageBoxLayout(interior->getWidth(), interior->getHeight());
    guideText = addStaticText(interior, layout.text, translate(englishGuideText()), 0x11);
    okButton = addOkButton(this, layout.okButton);
}

void DUserGuideBox::onClick(DView* sender)
{
    if (sender && sender == okButton)
        close();
}
