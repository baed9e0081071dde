#include "windows/DAboutBox.h"

#include "controls/DGroup.h"
#include "controls/DStaticText.h"
#include "framework/DWinInterior.h"
#include "graphics/DFont.h"
#include "windows/InfoBoxLayout.h"

namespace {

const char programTitle[] = "Pellaro 2.3";
const char freewareNotice[] = "FREEWARE";
const char creditLine[] = "Written by the Pellaro developers";

}  // namespace

bool DAboutBox::createBox()
{
    return createSized(aboutBoxWidth, aboutBoxHeight, "About");
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
    addOkButton(layout.okButton);
}
