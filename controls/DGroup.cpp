#include "controls/DGroup.h"

#include "controls/AccessibleRules.h"
#include "controls/StaticTextGeometry.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"

DGroup::~DGroup()
{
    delete font;
}

bool DGroup::create(int newX, int newY, int newWidth, int newHeight, const DString& caption)
{
    text = caption;
    delete font;
    font = new DFont;
    return init(newX, newY, newWidth, newHeight);
}

int DGroup::fittingWidth()
{
    if (!canvas || text.length() == 0)
        return 0;
    if (font)
        canvas->font()->assign(*font);
    return groupWidthFor(canvas->textExtent(text).width());
}

DAccessibleInfo DGroup::accessibleInfo() const
{
    return accessibleGroup(text, isVisible());
}

void DGroup::onDestroy()
{
    delete font;
    font = nullptr;
}

void DGroup::paint()
{
    if (!canvas)
        return;
    canvas->lock();
    if (font)
        canvas->font()->assign(*font);
    DInkScope ink(canvas, theme, inkOnFace);
    // An empty caption measures 0 wide, so the frame closes over the top edge.
    DTextExtent caption = canvas->textExtent(text);
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawGroupFrame(canvas, isEnabled(), width, height, caption.width(),
                              caption.height());
    } else {
        DView::paint();
    }
    if (text.length() > 0)
        canvas->drawText(groupCaptionX, groupCaptionY, text);
    if (accessKey && accessKeysShown())
        canvas->underlineAccessKey(groupCaptionX, groupCaptionY, text, accessKey);
    canvas->unlock();
}
