#include "windows/DAboutBox.h"

#include "controls/DButton.h"
#include "controls/DGroup.h"
#include "controls/DStaticText.h"
#include "framework/DWinInterior.h"
#include "graphics/DFont.h"
#include "mail/DPellaroDictionary.h"
#include "windows/InfoBoxLayout.h"
#include "windows/InfoBoxSupport.h"

namespace {

const char programTitle[] = "Pellaro 2.3";
const char freewareNotice[] = "FREEWARE";
const char creditLine[] = "Written by the Pellaro developers";

}  // namespace

bool DAboutBox::createBox()
{
    return create(nullptr, 0, 0, aboutBoxWidth, aboutBoxHeight, translate(DString("About")), 0);
}

bool DAboutBox::open(DWindow* owner, DIcon* icon)
{
    return createBox() && runInfoBox(this, owner, icon);
}

void DAboutBox::onCreate()
{
    DAboutBoxLayout layout = aboutBoxLayout(interior->getWidth(), interior->getHeight());
    frame = new DGroup;
    frame->create(layout.frame.x, layout.frame.y, layout.frame.width, layout.frame.height);
    addView(frame);
    titleText = addStaticText(frame, layout.titleText, DString(programTitle), 0x44);
    titleText->getFont()->setSize(12);
    titleText->getFont()->setBold(1);
    freewareText = addStaticText(frame, layout.freewareText, DString(freewareNotice), 0x44);
    creditText = addStaticText(frame, layout.creditText, DString(creditLine), 0x44);
    okButton = addOkButton(this, layout.okButton);
}

void DAboutBox::onClick(DView* sender)
{
    if (sender && sender == okButton)
        close();
}
