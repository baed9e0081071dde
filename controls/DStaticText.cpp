#include "controls/DStaticText.h"

#include "controls/AccessibleRules.h"
#include "controls/StaticTextGeometry.h"
#include "framework/DTheme.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"

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
