// gallery: draws every part of the widget library's look into one BMP file, so the classic
// and the visual-styles drawings can be looked at side by side: every theme operation in its
// states, the check box and radio glyphs and the six icons magnified, text boxes, and every
// control in its states with an open menu, drop-down list and tool tip (GalleryControls.h).
// The controls are real windows: it needs a display. The picture is drawn at the display's
// scale, 1000 units wide: at 150 % (144 dpi) it is 1500 pixels wide, everything in it
// drawn at that scale as the program itself would draw it.
//   gallery.exe [output.bmp]      (default: gallery.bmp in the current folder)
// Exits with 0 when the file was written.
#include "GalleryControls.h"

#include "framework/DApplication.h"
#include "framework/DXPTheme.h"
#include "framework/DisplayDpi.h"
#include "graphics/BuiltInImages.h"
#include "graphics/DBitmap.h"
#include "graphics/TextWrap.h"

#include <cstdio>
#include <vector>

namespace {

const int imageWidth = 1000;
const int controlsTop = 780;
const int imageHeight = controlsTop + 30 + galleryControlPanelHeight + 10;
const int labelWidth = 110;
const int panelWidth = 440;
const int panelX[2] = {labelWidth, labelWidth + panelWidth + 10};
const DColor white(255, 255, 255);
const DColor black(0, 0, 0);

// Draws one row of a theme operation's states at the canvas origin plus offsets.
class Gallery {
public:
    Gallery(DCanvas* c, DTheme* themes[2]) : target(c)
    {
        theme[0] = themes[0];
        theme[1] = themes[1];
    }

    // Runs `draw(theme, cell)` for each of `cells` cells of `pitch` pixels in both panels.
    DCanvas* canvas() { return target; }

    template <typename Draw>
    void row(const char* label, int height, int cells, int pitch, Draw draw)
    {
        target->setOrigin(0, 0);
        target->font()->setColor(black);
        target->drawText(6, y + 2, label);
        for (int panel = 0; panel < 2; ++panel) {
            for (int cell = 0; cell < cells; ++cell) {
                target->setOrigin(panelX[panel] + cell * pitch, y);
                theme[panel]->setBackground(theme[panel]->color(1));
                target->font()->setColor(black);
                draw(*theme[panel], cell);
            }
        }
        target->setOrigin(0, 0);
        y += height;
    }

    int y = 24;

private:
    DCanvas* target;   // not owned
    DTheme* theme[2];  // not owned
};

// The pixels of `source` (a small drawing) as squares of `scale` pixels at (x, y).
void magnify(DCanvas* target, DBitmap& source, int x, int y, int scale)
{
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            DColor c = source.canvas()->getPixel(sx, sy);
            target->pen()->setColor(c);
            target->brush()->setColor(c);
            target->drawRect(x + sx * scale, y + sy * scale, scale, scale);
        }
    }
}

// A checkerboard behind icons, so transparent pixels show as the board.
void checker(DCanvas* canvas, int width, int height, int square)
{
    for (int y = 0; y < height; y += square) {
        for (int x = 0; x < width; x += square) {
            DColor c = ((x / square + y / square) % 2) ? DColor(255, 255, 255) : DColor(200, 220, 255);
            canvas->pen()->setColor(c);
            canvas->brush()->setColor(c);
            canvas->drawRect(x, y, square, square);
        }
    }
}

bool writeBmp(DBitmap& bitmap, const char* path)
{
    const int w = bitmap.width(), h = bitmap.height();
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> rows(size_t(stride) * size_t(h));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap.handle(), 0, UINT(h), rows.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != h) return false;

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = DWORD(file.bfOffBits + rows.size());
    info.bmiHeader.biSizeImage = DWORD(rows.size());
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out) == 1 &&
              std::fwrite(rows.data(), 1, rows.size(), out) == rows.size();
    return std::fclose(out) == 0 && ok;
}

void drawThemeRows(Gallery& g)
{
    g.row("Button", 30, 6, 70, [&](DTheme& t, int i) {
        const bool enabled = i != 5, def = i == 3 || i == 4;
        const int state = (i == 1) ? DStateHot : (i == 2 || i == 4) ? DStatePressed : DStateNormal;
        t.drawButton(g.canvas(), enabled, def, 64, 24, state);
    });
    g.row("Field", 28, 4, 70, [&](DTheme& t, int i) {
        t.setBackground(white);
        t.drawField(g.canvas(), i % 2 == 0, 64, 22, 0, i >= 2);
    });
    g.row("Check box", 22, 8, 22, [&](DTheme& t, int i) {
        t.drawCheckBox(g.canvas(), i < 6, 13, 13, (i / 2) % 3, i % 2);
    });
    g.row("Radio button", 22, 8, 22, [&](DTheme& t, int i) {
        t.drawRadioButton(g.canvas(), i < 6, 12, 12, (i / 2) % 3, i % 2);
    });
    g.row("Scroll arrows", 24, 16, 22, [&](DTheme& t, int i) {
        const int look = i / 4;  // normal, hot, pressed, disabled
        t.drawScrollArrow(g.canvas(), look != 3, 18, 18, look == 3 ? 0 : (look == 1 ? DStateHot : look == 2 ? DStatePressed : DStateNormal), i % 4);
    });
    g.row("Scroll thumb", 34, 8, 40, [&](DTheme& t, int i) {
        const int look = i % 4;
        const bool horizontal = i >= 4;
        t.drawScrollThumb(g.canvas(), look != 3, horizontal ? 34 : 17, horizontal ? 17 : 30,
                          look == 1 ? DStateHot : look == 2 ? DStatePressed : DStateNormal, horizontal);
    });
    g.row("Scroll track", 24, 4, 44, [&](DTheme& t, int i) {
        t.drawScrollTrack(g.canvas(), i < 2, 38, 17, i % 2 == 0);
    });
    g.row("Progress", 24, 4, 100, [&](DTheme& t, int i) {
        // Chunks and wait blocks are drawn in the caller's colour 0; a selection colour
        // shows them against the face.
        t.setBackground(t.color(4));
        if (i == 0) t.drawProgressFrame(g.canvas(), 0, 94, 18);
        if (i == 1) {
            t.drawProgressFrame(g.canvas(), 0, 94, 18);
            t.drawProgressChunk(g.canvas(), 0, 60, 16, true);
        }
        if (i == 2) t.drawProgressChunk(g.canvas(), 0, 60, 14, false);
        if (i == 3) {
            t.drawWaitFrame(g.canvas(), 0, 94, 18);
            for (int s = 0; s <= 4; ++s) {
                int x0, y0;
                g.canvas()->getOrigin(&x0, &y0);
                g.canvas()->setOrigin(x0 + (s == 0 ? 3 : 17), y0 + (s == 0 ? 3 : 0));
                t.drawWaitBlock(g.canvas(), 0, 14, 12, 4, s);
            }
        }
    });
    g.row("Group frame", 48, 2, 210, [&](DTheme& t, int i) {
        int captionWidth = i == 0 ? g.canvas()->textExtent("Options").width() : 0;
        int captionHeight = i == 0 ? g.canvas()->textExtent("Options").height() : 0;
        t.drawGroupFrame(g.canvas(), 0, 200, 44, captionWidth, captionHeight);
        if (i == 0) g.canvas()->drawText(11, 0, "Options");
    });
    g.row("Menu", 78, 2, 210, [&](DTheme& t, int i) {
        DCanvas* c = g.canvas();
        t.drawMenuBackground(c, 180, 74);
        int x0, y0;
        c->getOrigin(&x0, &y0);
        c->setOrigin(x0 + 3, y0 + 3);
        if (i == 0) t.drawMenuHighlight(c, 0, 174, 20); else t.drawMenuHighlight2(c, 0, 174, 20);
        t.drawMenuCheck(c, 0, 0, 0);
        c->drawText(30, 3, "Check Now!");
        c->setOrigin(x0 + 3, y0 + 23);
        t.drawMenuArrow(c, 174, 20, 0);
        c->drawText(30, 3, "Language");
        c->setOrigin(x0 + 3, y0 + 43);
        t.drawMenuSeparator(c, 174, 9);
        c->setOrigin(x0 + 3, y0 + 52);
        c->drawText(30, 3, "Exit");
    });
    g.row("Bar, selection", 28, 4, 100, [&](DTheme& t, int i) {
        if (i == 0) t.drawBar(g.canvas(), 94, 22);
        if (i == 1) t.drawSelection(g.canvas(), 94, 22);
        if (i == 2) t.drawToolTip(g.canvas(), 94, 22);
        if (i == 2) g.canvas()->drawText(4, 4, "Pellaro: OK");
        if (i == 3) t.drawDropList(g.canvas(), 94, 22);
    });
    g.row("Pane, header", 34, 5, 80, [&](DTheme& t, int i) {
        if (i == 0) t.drawPane(g.canvas(), 74, 30);
        if (i == 1) t.drawPaneTop(g.canvas(), 74, 30);
        if (i >= 2) t.drawHeaderItem(g.canvas(), 0, 74, 20, 0);
        if (i == 3) g.canvas()->drawText(4, 3, "Server");
        if (i == 4) g.canvas()->drawText(4, 3, "Status");
    });
    g.row("Tabs", 30, 4, 80, [&](DTheme& t, int i) {
        t.drawTab(g.canvas(), 74, 24, i != 3, i == 2, i == 1 ? DStateHot : DStateNormal);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "gallery.bmp";
    DApplication application;
    buildBuiltInImages();
    DTheme classic;
    DXPTheme visual;
    const DScale scale(systemDpi());
    DBitmap image(scale.toDevice(imageWidth), scale.toDevice(imageHeight));
    DCanvas* canvas = image.canvas();
    canvas->setScale(scale);
    canvas->pen()->setColor(visual.color(1));
    canvas->brush()->setColor(visual.color(1));
    canvas->drawRect(0, 0, imageWidth, imageHeight);
    canvas->font()->setColor(black);
    canvas->drawText(panelX[0], 4, "Classic (DTheme)");
    canvas->drawText(panelX[1], 4, visual.isThemed() ? "Visual styles (DXPTheme)"
                                                     : "DXPTheme (visual styles not active)");
    DTheme* themes[2] = {&classic, &visual};
    Gallery gallery(canvas, themes);
    drawThemeRows(gallery);

    // Magnified glyphs (classic), then the six icons over a checkerboard, magnified.
    int y = gallery.y + 6;
    canvas->drawText(6, y, "Glyphs x4");
    for (int i = 0; i < 4; ++i) {
        DBitmap glyph(13, 13);
        glyph.canvas()->font()->setColor(black);
        glyph.canvas()->pen()->setColor(classic.color(0));
        glyph.canvas()->brush()->setColor(classic.color(0));
        glyph.canvas()->drawRect(0, 0, 13, 13);
        if (i < 2)
            classic.drawCheckBox(glyph.canvas(), true, 13, 13, DStateNormal, i == 1);
        else
            classic.drawRadioButton(glyph.canvas(), true, 12, 12, DStateNormal, i == 3);
        magnify(canvas, glyph, panelX[0] + i * 60, y, 4);
    }
    canvas->drawText(panelX[0] + 250, y, "Icons x4 (checkerboard = transparent)");
    DIcon* icons[6] = {idleIcon, checkingIcon, errorIcon, newMailIcon, seenMailIcon, appIcon};
    int x = panelX[0] + 250;
    for (DIcon* icon : icons) {
        DBitmap back(icon->width(), icon->height());
        checker(back.canvas(), icon->width(), icon->height(), 4);
        back.canvas()->drawIcon(0, 0, icon->width(), icon->height(), icon);
        magnify(canvas, back, x, y + 18, 4);
        x += icon->width() * 4 + 8;
    }

    // Text boxes: left, right and centred in a framed column, with a focus rectangle.
    const int boxY = y + 18 + 132;
    const char* text = "Pellaro checks your POP3 mailboxes at an interval and tells you "
                       "about new mail. Supercalifragilisticexpialidocious words are split.";
    const int aligns[3] = {DAlignLeft, DAlignRight, DAlignCenter};
    canvas->drawText(6, boxY, "Text boxes");
    for (int i = 0; i < 3; ++i) {
        const int bx = panelX[0] + i * 200, width = 180;
        const int height = canvas->textBoxHeight(width, text);
        canvas->pen()->setColor(DColor(0, 0, 160));
        canvas->drawFrame(bx - 2, boxY - 2, width + 4, height + 4);
        canvas->drawTextBox(bx, boxY, width, text, aligns[i]);
        canvas->drawFocusRect(bx - 4, boxY - 4, width + 8, height + 8);
    }
    canvas->drawGradient(panelX[1] + 170, boxY - 4, 100, 20, DColor(255, 0, 0), DColor(0, 0, 255),
                         DColor(255, 255, 0), DColor(0, 255, 0));

    // The controls, built with each theme in turn.
    canvas->setOrigin(0, 0);
    canvas->font()->setColor(black);
    canvas->drawText(6, controlsTop + 6, "Controls");
    canvas->drawText(panelX[0], controlsTop + 6, "Classic (DTheme)");
    canvas->drawText(panelX[1], controlsTop + 6, "Visual styles (DXPTheme)");
    const int panelTop = controlsTop + 30;
    for (const GalleryControlRow& row : galleryControlRows)
        canvas->drawText(6, panelTop + row.top + 4, row.label);
    bool drawn = true;
    for (int panel = 0; panel < 2; ++panel)
        drawn &= drawControlPanel(application, canvas, panelX[panel], panelTop, themes[panel]);
    if (!drawn)
        std::fprintf(stderr, "gallery: some controls could not be drawn\n");

    // The picture is written also when a control failed, so it can be looked at.
    const bool written = writeBmp(image, path);
    destroyBuiltInImages();
    if (!written) {
        std::fprintf(stderr, "gallery: cannot write %s\n", path);
        return 1;
    }
    std::printf("gallery: wrote %s (%d x %d at %d dpi)\n", path, image.width(), image.height(),
                scale.dpi());
    return drawn ? 0 : 1;
}
