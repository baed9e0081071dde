#include "windows/DInfoBox.h"

#include "controls/DButton.h"
#include "controls/DStaticText.h"
#include "foundation/DPellaroDictionary.h"
#include "framework/DWinInterior.h"
#include "windows/AccessKeyTables.h"
#include "windows/InfoBoxLayout.h"

bool DInfoBox::createSized(int width, int height, const char* englishTitle)
{
    return create(nullptr, 0, 0, width, height, translate(DString(englishTitle)), 0);
}

bool DInfoBox::open(DWindow* owner, DIcon* icon)
{
    if (!createBox())
        return false;
    if (icon)
        setIcon(icon);
    center();
    runModal(owner);
    return true;
}

void DInfoBox::onClick(DView* sender)
{
    if (sender && sender == okButton)
        close();
}

void DInfoBox::addOkButton(const DLayoutRect& at)
{
    okButton = new DButton;
    okButton->create(at.x, at.y, at.width, at.height, DString("OK"));
    const bool inHungarian = dictionary && dictionary->getLanguage() != 0;
    okButton->setAccessKey(accessKeyOf(infoBoxAccessKeys(), "OK", inHungarian));
    addView(okButton);
    okButton->setDefault(true);
    okButton->setCancel(true);
    setFocus(okButton);
}

void DInfoBox::fitMessage(DStaticText* text, int writtenHeight)
{
    message = text;
    messageHeight = writtenHeight;
    fitMessage();
}

void DInfoBox::fitMessage()
{
    if (!message || !okButton)
        return;
    DMessageBoxNeeds needs;
    needs.textHeight = message->fittingHeight(message->getWidth());
    needs.okButton = okButton->fittingWidth();
    const int width = interior->getWidth();
    const DMessageBoxLayout layout = messageBoxLayout(width, messageHeight, needs);
    if (layout.height != interior->getHeight())
        resize(width, layout.height);
    message->setBounds(layout.text.x, layout.text.y, layout.text.width, layout.text.height);
    okButton->setBounds(layout.okButton.x, layout.okButton.y, layout.okButton.width,
                        layout.okButton.height);
}

DStaticText* DInfoBox::addStaticText(DView* parent, const DLayoutRect& at, const DString& text,
                                     int format)
{
    auto* label = new DStaticText;
    label->create(at.x, at.y, at.width, at.height, text);
    parent->addChild(label);
    label->setFormat(format);
    return label;
}
