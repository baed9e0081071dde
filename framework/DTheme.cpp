#include "framework/DTheme.h"

#include "framework/ThemeGlyphs.h"

namespace {

const DColor white(255, 255, 255);
const DColor black(0, 0, 0);

// Keeps a canvas locked for one theme operation, so a window canvas fetches its device
// context once and no other thread draws in between.
class CanvasBracket {
public:
    explicit CanvasBracket(DCanvas* c) : canvas(c) { canvas->lock(); }
    ~CanvasBracket() { canvas->unlock(); }
    CanvasBracket(const CanvasBracket&) = delete;
    CanvasBracket& operator=(const CanvasBracket&) = delete;

private:
    DCanvas* canvas;  // not owned
};

void rect(DCanvas* canvas, const DColor& pen, const DColor& brush, int x, int y, int w, int h)
{
    canvas->pen()->setColor(pen);
    canvas->brush()->setColor(brush);
    canvas->drawRect(x, y, w, h);
}

void rect(DCanvas* canvas, const DColor& color, int x, int y, int w, int h)
{
    rect(canvas, color, color, x, y, w, h);
}

void frame(DCanvas* canvas, const DColor& color, int x, int y, int w, int h)
{
    canvas->pen()->setColor(color);
    canvas->drawFrame(x, y, w, h);
}

void line(DCanvas* canvas, const DColor& color, int x1, int y1, int x2, int y2)
{
    canvas->pen()->setColor(color);
    canvas->drawLine(x1, y1, x2, y2);
}

void pixels(DCanvas* canvas, const std::vector<DPoint>& points, const DColor& color)
{
    for (const DPoint& p : points) canvas->setPixel(p.x, p.y, color);
}

}  // namespace

DTheme::DTheme()
{
    setPalettes(DPalette(), DPalette::menu());
    colors[9] = DColor(255, 255, 0).blend(white, 10, 9);
}

DTheme::~DTheme() = default;

DColor DTheme::color(int n) const
{
    return n >= 0 && n < colorCount ? colors[n] : DColor();
}

void DTheme::setColor(int n, const DColor& c)
{
    if (n >= 0 && n < colorCount) colors[n] = c;
}

void DTheme::setPalettes(const DPalette& plain, const DPalette& menu)
{
    colors[0] = plain.background;
    colors[1] = plain.face;
    colors[2] = plain.light;
    colors[3] = plain.shadow;
    colors[4] = plain.selection;
    colors[5] = menu.face;
    colors[6] = menu.light;
    colors[7] = menu.shadow;
    colors[8] = menu.selection;
}

DPalette DTheme::paletteFrom(int first) const
{
    DPalette p;
    p.background = p.face = colors[first];
    p.light = colors[first + 1];
    p.shadow = colors[first + 2];
    p.selection = colors[first + 3];
    return p;
}

DPalette DTheme::palette() const
{
    return paletteFrom(1);
}

DPalette DTheme::menuPalette() const
{
    return paletteFrom(5);
}

DColor DTheme::lightened(const DColor& c) const
{
    return contrast ? c : c.blend(white, 100, 40);
}

DColor DTheme::darkShadow() const
{
    return contrast ? colors[3] : colors[3].blend(black, 10, 4);
}

DColor DTheme::mix(const DColor& from, const DColor& to, int steps, int step) const
{
    return contrast ? from : from.blend(to, steps, step);
}

DInkScope::DInkScope(DCanvas* target, const DTheme* theme, DInk kind) : canvas(target)
{
    if (canvas) {
        before = canvas->font()->getColor();
        if (theme)
            canvas->font()->setColor(theme->ink(kind, before));
    }
}

DInkScope::~DInkScope()
{
    if (canvas)
        canvas->font()->setColor(before);
}

void DTheme::setHighContrast(const DSystemColors& c)
{
    if (!contrast)
        for (int i = 0; i < colorCount; i++)
            ownColors[i] = colors[i];
    contrast = true;
    system = c;
    const DColor mapped[colorCount] = {c.face,     c.face,     c.window, c.grayText, c.highlight,
                                       c.menu,     c.menu,     c.menuText, c.highlight, c.infoBack};
    for (int i = 0; i < colorCount; i++)
        colors[i] = mapped[i];
}

void DTheme::clearHighContrast()
{
    if (!contrast)
        return;
    contrast = false;
    for (int i = 0; i < colorCount; i++)
        colors[i] = ownColors[i];
}

DColor DTheme::ink(DInk kind, const DColor& usual) const
{
    if (!contrast)
        return usual;
    switch (kind) {
    case inkOnFace: return system.faceText;
    case inkOnField: return system.windowText;
    case inkSelected: return system.highlightText;
    case inkOnMenu: return system.menuText;
    case inkOnToolTip: return system.infoText;
    }
    return usual;
}

void DTheme::drawBackground(DCanvas* canvas, int width, int height, bool light)
{
    CanvasBracket bracket(canvas);
    rect(canvas, light ? lightened(colors[0]) : colors[0], 0, 0, width, height);
}

void DTheme::drawButton(DCanvas* canvas, bool enabled, bool isDefault, int w, int h, int state)
{
    CanvasBracket bracket(canvas);
    const bool lit = enabled && (state == DStateHot || state == DStatePressed);
    rect(canvas, colors[0], lit ? lightened(colors[0]) : colors[0], 0, 0, w, h);
    const DColor dark = darkShadow();
    if (!enabled || !isDefault) {
        if (enabled && state == DStatePressed) {
            // Sunken edge.
            line(canvas, dark, 0, 0, w - 1, 0);
            line(canvas, dark, 0, 0, 0, h - 1);
            line(canvas, colors[3], 1, 1, w - 2, 1);
            line(canvas, colors[3], 1, 1, 1, h - 2);
            line(canvas, colors[2], 0, h - 1, w, h - 1);
            line(canvas, colors[2], w - 1, 0, w - 1, h);
        } else {
            // Raised edge.
            line(canvas, colors[2], 0, 0, w - 1, 0);
            line(canvas, colors[2], 0, 0, 0, h - 1);
            line(canvas, dark, 0, h - 1, w, h - 1);
            line(canvas, dark, w - 1, 0, w - 1, h);
            line(canvas, colors[3], 1, h - 2, w - 1, h - 2);
            line(canvas, colors[3], w - 2, 1, w - 2, h - 1);
        }
        return;
    }
    frame(canvas, canvas->font()->getColor(), 0, 0, w, h);
    if (state == DStatePressed) {
        frame(canvas, colors[3], 1, 1, w - 2, h - 2);
    } else {
        // The raised edge moved in by one pixel, inside the default frame.
        line(canvas, colors[2], 1, 1, w - 1, 1);
        line(canvas, colors[2], 1, 1, 1, h - 1);
        line(canvas, dark, 1, h - 2, w - 1, h - 2);
        line(canvas, dark, w - 2, 1, w - 2, h - 1);
        line(canvas, colors[3], 2, h - 3, w - 2, h - 3);
        line(canvas, colors[3], w - 3, 2, w - 3, h - 2);
    }
}

void DTheme::drawField(DCanvas* canvas, bool enabled, int w, int h, int, bool flat)
{
    CanvasBracket bracket(canvas);
    rect(canvas, enabled ? colors[0] : colors[1], 0, 0, w, h);
    if (flat) return;
    line(canvas, colors[3], 0, 0, w - 1, 0);
    line(canvas, colors[3], 0, 0, 0, h - 1);
    const DColor dark = darkShadow();
    line(canvas, dark, 1, 1, w - 2, 1);
    line(canvas, dark, 1, 1, 1, h - 2);
    line(canvas, colors[2], 0, h - 1, w, h - 1);
    line(canvas, colors[2], w - 1, 0, w - 1, h);
    line(canvas, colors[1], 0, h - 2, w - 1, h - 2);
    line(canvas, colors[1], w - 2, 0, w - 2, h - 1);
}

namespace {

// Draws a check box or radio glyph cell by cell from its code table.
template <typename CodeOf>
void drawGlyph(DCanvas* canvas, int size, CodeOf codeOf, const DColor (&palette)[6])
{
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int code = codeOf(x, y);
            if (code >= 0 && code < DGlyphNone) canvas->setPixel(x, y, palette[code]);
        }
    }
}

}  // namespace

void DTheme::drawCheckBox(DCanvas* canvas, bool enabled, int, int, int state, bool checked)
{
    CanvasBracket bracket(canvas);
    const DColor interior = (!enabled || state == DStatePressed) ? colors[0] : colors[2];
    const DColor palette[6] = {enabled ? canvas->font()->getColor() : colors[3], colors[2],
                               colors[0], colors[3], darkShadow(), interior};
    drawGlyph(canvas, checkBoxGlyphSize,
              [checked](int x, int y) { return checkBoxGlyphCode(x, y, checked); }, palette);
}

void DTheme::drawRadioButton(DCanvas* canvas, bool enabled, int, int, int state, bool checked)
{
    CanvasBracket bracket(canvas);
    const DColor interior = (!enabled || state == DStatePressed) ? colors[0] : colors[2];
    const DColor palette[6] = {enabled ? canvas->font()->getColor() : colors[3], colors[2],
                               colors[0], colors[3], darkShadow(), interior};
    drawGlyph(canvas, radioGlyphSize,
              [checked](int x, int y) { return radioGlyphCode(x, y, checked); }, palette);
}

void DTheme::drawGroupFrame(DCanvas* canvas, int, int w, int h, int captionWidth,
                            int captionHeight)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[0], 0, 0, w, h);
    const int t = captionHeight >= 5 ? captionHeight / 2 : 4;
    frame(canvas, colors[2], 5, t + 1, w - 8, h - t - 4);
    frame(canvas, colors[3], 4, t, w - 8, h - t - 4);
    rect(canvas, colors[0], 10, 0, captionWidth + 2, captionHeight);
}

void DTheme::drawProgressChunk(DCanvas* canvas, int, int w, int h, bool gradient)
{
    CanvasBracket bracket(canvas);
    if (gradient && !contrast)
        canvas->drawGradient(0, 0, w, h, colors[1], colors[0], colors[1], colors[0]);
    else
        rect(canvas, colors[0], 0, 0, w, h);
}

void DTheme::drawWaitBlock(DCanvas* canvas, int, int w, int h, int steps, int step)
{
    CanvasBracket bracket(canvas);
    rect(canvas, mix(colors[0], colors[1], steps, step), 0, 0, w, h);
}

void DTheme::drawProgressFrame(DCanvas* canvas, int, int w, int h)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[1], 0, 0, w, h);
    line(canvas, colors[1], w - 2, 1, w - 2, h - 2);
    line(canvas, colors[3], 0, 0, w - 1, 0);
    line(canvas, colors[3], 0, 0, 0, h - 1);
    line(canvas, colors[2], 0, h - 1, w, h - 1);
    line(canvas, colors[2], w - 1, 0, w - 1, h);
}

void DTheme::drawWaitFrame(DCanvas* canvas, int unused, int w, int h)
{
    DTheme::drawProgressFrame(canvas, unused, w, h);
}

void DTheme::drawScrollButtonBody(DCanvas* canvas, bool enabled, int w, int h, int state)
{
    // A disabled thumb or arrow looks like a normal one.
    if (!enabled) state = DStateNormal;
    if (state == DStatePressed) {
        rect(canvas, mix(colors[3], colors[1], 10, 4), lightened(colors[1]), 0, 0, w, h);
        return;
    }
    rect(canvas, colors[1], state == DStateHot ? lightened(colors[1]) : colors[1], 0, 0, w, h);
    line(canvas, colors[1], 0, 0, w - 1, 0);
    line(canvas, colors[1], 0, 0, 0, h - 1);
    line(canvas, colors[2], 1, 1, w - 2, 1);
    line(canvas, colors[2], 1, 1, 1, h - 2);
    const DColor dark = darkShadow();
    line(canvas, dark, 0, h - 1, w, h - 1);
    line(canvas, dark, w - 1, 0, w - 1, h);
    line(canvas, colors[3], 1, h - 2, w - 1, h - 2);
    line(canvas, colors[3], w - 2, 1, w - 2, h - 2);
}

void DTheme::drawScrollArrow(DCanvas* canvas, bool enabled, int w, int h, int state,
                             int direction)
{
    CanvasBracket bracket(canvas);
    drawScrollButtonBody(canvas, enabled, w, h, state);
    const bool pressed = enabled && state == DStatePressed;
    pixels(canvas, scrollArrowGlyph(w, h, direction, pressed),
           enabled ? canvas->font()->getColor() : colors[3]);
}

void DTheme::drawScrollThumb(DCanvas* canvas, bool enabled, int w, int h, int state, bool)
{
    CanvasBracket bracket(canvas);
    drawScrollButtonBody(canvas, enabled, w, h, state);
}

void DTheme::drawScrollTrack(DCanvas* canvas, bool, int w, int h, bool)
{
    CanvasBracket bracket(canvas);
    rect(canvas, lightened(colors[0]), 0, 0, w, h);
}

void DTheme::drawMenuBackground(DCanvas* canvas, int w, int h)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[6], 0, 0, w, h);
    rect(canvas, colors[5], 3, 0, 20, h);
    frame(canvas, colors[6], 1, 1, w - 2, h - 2);
    frame(canvas, colors[6], 1, 1, w - 2, h - 3);
    frame(canvas, colors[6], 1, 2, w - 2, h - 4);
    frame(canvas, colors[7], 0, 0, w, h);
}

void DTheme::drawMenuHighlight(DCanvas* canvas, int, int w, int h)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[8], mix(colors[8], colors[6], 20, 15), 0, 0, w, h);
}

void DTheme::drawMenuHighlight2(DCanvas* canvas, int unused, int w, int h)
{
    DTheme::drawMenuHighlight(canvas, unused, w, h);
}

void DTheme::drawMenuCheck(DCanvas* canvas, int, int, int)
{
    CanvasBracket bracket(canvas);
    pixels(canvas, menuCheckGlyph(), canvas->font()->getColor());
}

void DTheme::drawMenuArrow(DCanvas* canvas, int w, int h, int)
{
    CanvasBracket bracket(canvas);
    // Four columns of 7, 5, 3 and 1 pixels pointing right, 12 pixels from the right end.
    const int x0 = w - 12;
    const int y0 = (h - 7) / 2;
    const DColor ink = canvas->font()->getColor();
    for (int k = 0; k < 4; ++k)
        for (int y = y0 + k; y <= y0 + 6 - k; ++y) canvas->setPixel(x0 + k, y, ink);
}

void DTheme::drawMenuSeparator(DCanvas* canvas, int w, int h)
{
    CanvasBracket bracket(canvas);
    line(canvas, colors[7], 27, h / 2, w - 4, h / 2);
}

void DTheme::drawBar(DCanvas* canvas, int w, int h)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[0], 0, 0, w, h);
    line(canvas, colors[3], 0, h - 1, w, h - 1);
}

void DTheme::drawSelection(DCanvas* canvas, int w, int h)
{
    CanvasBracket bracket(canvas);
    const DColor savedPen = canvas->pen()->getColor();
    const DColor savedBrush = canvas->brush()->getColor();
    rect(canvas, colors[4], mix(colors[4], colors[2], 20, 15), 0, 0, w, h);
    canvas->pen()->setColor(savedPen);
    canvas->brush()->setColor(savedBrush);
}

void DTheme::drawPane(DCanvas* canvas, int w, int h)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[0], 0, 0, w, h);
    line(canvas, colors[3], w - 1, 0, w - 1, h);
    line(canvas, colors[3], 0, h - 1, w, h - 1);
    line(canvas, colors[2], 0, 0, 0, h - 1);
}

void DTheme::drawPaneTop(DCanvas* canvas, int w, int)
{
    CanvasBracket bracket(canvas);
    line(canvas, colors[2], 0, 0, w - 1, 0);
}

void DTheme::drawTab(DCanvas* canvas, int w, int h, bool enabled, bool selected, int state)
{
    CanvasBracket bracket(canvas);
    const bool lit = enabled && !selected && state == DStateHot;
    rect(canvas, colors[0], lit ? lightened(colors[0]) : colors[0], 0, 0, w, h);
    // Rounded top-left corner, light left and top edges, shadowed right edge; the bottom is
    // left open so a selected tab joins the pane below it.
    line(canvas, colors[2], 0, 2, 0, h);
    line(canvas, colors[2], 2, 0, w - 2, 0);
    canvas->setPixel(1, 1, colors[2]);
    line(canvas, colors[3], w - 2, 1, w - 2, h);
    line(canvas, darkShadow(), w - 1, 2, w - 1, h);
    if (!selected) line(canvas, colors[2], 0, h - 1, w, h - 1);
}

void DTheme::drawToolTip(DCanvas* canvas, int w, int h)
{
    CanvasBracket bracket(canvas);
    rect(canvas, canvas->font()->getColor(), colors[9], 0, 0, w, h);
}

void DTheme::drawNothing(DCanvas*, int, int)
{
}

void DTheme::drawSpecial(DCanvas*, int, int, int, int, int)
{
}

void DTheme::drawHeaderItem(DCanvas* canvas, int, int w, int h, int)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[0], 0, 0, w, h);
    line(canvas, colors[2], 0, 0, w, 0);
    line(canvas, colors[2], 0, 0, 0, h);
    line(canvas, colors[3], w - 1, 0, w - 1, h);
    line(canvas, colors[3], 0, h - 1, w, h - 1);
}

void DTheme::drawDropList(DCanvas* canvas, int w, int h)
{
    CanvasBracket bracket(canvas);
    rect(canvas, colors[3], colors[0], 0, 0, w, h);
    frame(canvas, colors[3], 0, 0, w, h);
}
