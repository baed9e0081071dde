#include "controls/DStaticText.h"

#include "controls/AccessibleRules.h"
#include "controls/StaticTextGeometry.h"
#include "foundation/DStringList.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"

#include <algorithm>

DStaticText::~DStaticText()
{
    delete font;
}

bool DStaticText::create(int newX, int newY, int newWidth, int newHeight, const DString& caption)
{
    text = caption;
    format = staticTextDefaultFormat;
    delete font;
    font = new DFont;
    return init(newX, newY, newWidth, newHeight);
}

void DStaticText::setFormat(int flags)
{
    format = effectiveStaticTextFormat(flags);
    redraw();
}

int DStaticText::fittingWidth()
{
    if (!canvas)
        return 0;
    if (font)
        canvas->font()->assign(*font);
    // No line of a label is anywhere near this wide: only its own line breaks break it.
    const int unbroken = 1 << 24;
    DStringList* lines = canvas->wrapText(unbroken, text);
    int widest = 0;
    for (int i = 0; i < lines->count(); i++)
        widest = std::max(widest, canvas->textExtent(lines->get(i)).width());
    delete lines;
    return widest;
}

int DStaticText::fittingHeight(int wrapWidth)
{
    if (!canvas)
        return 0;
    if (font)
        canvas->font()->assign(*font);
    return canvas->textBoxHeight(wrapWidth, text);
}

DAccessibleInfo DStaticText::accessibleInfo() const
{
    return accessibleStaticText(text, isVisible());
}

void DStaticText::onDestroy()
{
    delete font;
    font = nullptr;
}

void DStaticText::paint()
{
    if (!canvas)
        return;
    canvas->lock();
    if (font)
        canvas->font()->assign(*font);
    DInkScope ink(canvas, theme, inkOnFace);
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawBackground(canvas, width, height, false);
    } else {
        DView::paint();
    }
    int textHeight = canvas->textBoxHeight(width, text);
    int top = staticTextTop(format, height, textHeight);
    canvas->drawTextBox(0, top, width, text, format);
    if (accessKey && accessKeysShown())
        canvas->underlineAccessKeyInTextBox(0, top, width, text, format, accessKey);
    canvas->unlock();
}
