#include "windows/InfoBoxSupport.h"

#include "controls/DButton.h"
#include "controls/DStaticText.h"
#include "framework/DWindow.h"

DButton* addOkButton(DWindow* window, const DLayoutRect& at)
{
    auto* button = new DButton;
    button->create(at.x, at.y, at.width, at.height, DString("OK"));
    window->addView(button);
    button->setDefault(true);
    button->setCancel(true);
    window->setFocus(button);
    return button;
}

DStaticText* addStaticText(DView* parent, const DLayoutRect& at, const DString& text, int format)
{
    auto* label = new DStaticText;
    label->create(at.x, at.y, at.width, at.height, text);
    parent->addChild(label);
    label->setFormat(format);
    return label;
}

bool runInfoBox(DWindow* box, DWindow* owner, DIcon* icon)
{
    if (!box->getHandle())
        return false;
    if (icon)
        box->setIcon(icon);
    box->center();
    box->runModal(owner);
    return true;
}
