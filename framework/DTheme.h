// DTheme: draws every visual part of the controls (button faces, fields, check box and radio
// glyphs, scroll-bar parts, menus, tool tips ...) in the classic three-dimensional look with
// its own ten colours. Each operation draws on the canvas from (0, 0) of the canvas's
// current origin to (width, height), in pixels, with the canvas locked for its run; it sets
// the canvas's pen and brush colours as it goes (only drawSelection restores them).
// States: 0 normal, 1 pressed, 2 hot (mouse over). Shared by every window and view, never
// copied, not owned by them. Owns nothing but its colours.
//
// Colours: 0 background of the part being drawn (callers set it just before drawing),
// 1 face, 2 light edge, 3 shadow edge (also disabled ink), 4 selection, 5 menu icon column,
// 6 menu background, 7 menu border and separator, 8 menu highlight outline, 9 tool tip.
//
// High contrast: while the system asks for it (followSystem), every colour is one of the
// system's own (DSystemColors) - fields the window colour, faces the face colour, lit and
// shadowed edges light and grey, the selection and the menu highlight the highlight
// colour - nothing is blended or lightened, and ink() gives each kind of text the system's
// colour for it. Otherwise ink() gives back the colour a control draws with anyway, so the
// usual look is unchanged.
#pragma once

#include "foundation/DObject.h"
#include "graphics/DCanvas.h"
#include "graphics/DColor.h"
#include "framework/DPalette.h"

enum DThemeState { DStateNormal = 0, DStatePressed = 1, DStateHot = 2 };

// The system's colours that a high-contrast look is drawn in.
struct DSystemColors {
    DColor window, windowText;        // fields and lists, and their text
    DColor face, faceText;            // buttons, groups, labels, and their text
    DColor light, shadow, grayText;   // lit edges; shadowed edges; disabled text
    DColor highlight, highlightText;  // selected rows and text, hot menu items
    DColor menu, menuText;
    DColor infoBack, infoText;        // tool tips and the notification box
};

// Where followSystem learns whether high contrast is on and its colours: the system by
// default (SPI_GETHIGHCONTRAST, GetSysColor); a test installs its own. True when on.
using DContrastSource = bool (*)(DSystemColors& colors);
void setContrastSource(DContrastSource source);  // null puts the system's back

// Kinds of text, for ink().
enum DInk : int { inkOnFace, inkOnField, inkSelected, inkOnMenu, inkOnToolTip };

class DTheme;

// For one paint: in high contrast the canvas's text colour becomes the theme's ink of
// `kind`; the colour before comes back when the scope ends. Nothing changes otherwise.
class DInkScope {
public:
    DInkScope(DCanvas* canvas, const DTheme* theme, DInk kind);
    ~DInkScope();
    DInkScope(const DInkScope&) = delete;
    DInkScope& operator=(const DInkScope&) = delete;

private:
    DCanvas* canvas;  // not owned
    DColor before;
};

class DTheme : public DObject {
public:
    static const int colorCount = 10;

    DTheme();
    ~DTheme() override;
    DTheme(const DTheme&) = delete;
    DTheme& operator=(const DTheme&) = delete;

    DColor color(int n) const;  // black for an n outside 0..9

    // Reads whether the system asks for high contrast and its colours, and follows: called
    // at construction and when the system's colours or settings change.
    virtual void followSystem();
    // High contrast in `colors`, or the theme's own colours again.
    void setHighContrast(const DSystemColors& colors);
    void clearHighContrast();
    bool isHighContrast() const { return contrast; }
    const DSystemColors& systemColors() const { return system; }
    // The colour text of `kind` is drawn in: the system's in high contrast, else `usual`.
    DColor ink(DInk kind, const DColor& usual) const;
    void setBackground(const DColor& background) { colors[0] = background; }
    // Colours 1 (as background and face), 2, 3 and 4: what windows and views paint with.
    DPalette palette() const;
    // Colours 5 (as background and face), 6, 7 and 8: what menus paint with.
    DPalette menuPalette() const;

    // Colour 0, or colour 0 lightened towards white when `lightened`.
    virtual void drawBackground(DCanvas* canvas, int width, int height, bool lightened);
    virtual void drawButton(DCanvas* canvas, bool enabled, bool isDefault, int width, int height,
                            int state);
    // A flat field gets no sunken edge.
    virtual void drawField(DCanvas* canvas, bool enabled, int width, int height, int unused,
                           bool flat);
    // 13 x 13 glyph at (0, 0); width and height are not used.
    virtual void drawCheckBox(DCanvas* canvas, bool enabled, int width, int height, int state,
                              bool checked);
    // 12 x 12 glyph at (0, 0); width and height are not used.
    virtual void drawRadioButton(DCanvas* canvas, bool enabled, int width, int height, int state,
                                 bool checked);
    // An etched frame with the place of a caption of the given extent cleared at (10, 0).
    virtual void drawGroupFrame(DCanvas* canvas, int unused, int width, int height,
                                int captionWidth, int captionHeight);
    virtual void drawProgressChunk(DCanvas* canvas, int unused, int width, int height,
                                   bool gradient);
    // Colour 0 blended towards colour 1 at `step` of `steps`.
    virtual void drawWaitBlock(DCanvas* canvas, int unused, int width, int height, int steps,
                               int step);
    virtual void drawProgressFrame(DCanvas* canvas, int unused, int width, int height);
    virtual void drawWaitFrame(DCanvas* canvas, int unused, int width, int height);
    // direction: 0 up, 1 down, 2 left, 3 right.
    virtual void drawScrollArrow(DCanvas* canvas, bool enabled, int width, int height, int state,
                                 int direction);
    virtual void drawScrollThumb(DCanvas* canvas, bool enabled, int width, int height, int state,
                                 bool horizontal);
    virtual void drawScrollTrack(DCanvas* canvas, bool enabled, int width, int height,
                                 bool horizontal);
    virtual void drawMenuBackground(DCanvas* canvas, int width, int height);
    virtual void drawMenuHighlight(DCanvas* canvas, int unused, int width, int height);
    virtual void drawMenuHighlight2(DCanvas* canvas, int unused, int width, int height);
    // 7 x 7 mark at (6, 6) in the canvas font's colour; the values are not used.
    virtual void drawMenuCheck(DCanvas* canvas, int unused1, int unused2, int unused3);
    // A small right-pointing arrow at the right end of a width x height menu item.
    virtual void drawMenuArrow(DCanvas* canvas, int width, int height, int unused);
    virtual void drawMenuSeparator(DCanvas* canvas, int width, int height);
    virtual void drawBar(DCanvas* canvas, int width, int height);
    // Restores the canvas's pen and brush colours afterwards.
    virtual void drawSelection(DCanvas* canvas, int width, int height);
    virtual void drawPane(DCanvas* canvas, int width, int height);
    virtual void drawPaneTop(DCanvas* canvas, int width, int height);
    // A tab outline; state as for buttons, a selected tab is drawn raised over the pane.
    virtual void drawTab(DCanvas* canvas, int width, int height, bool enabled, bool selected,
                         int state);
    virtual void drawToolTip(DCanvas* canvas, int width, int height);
    // Reserved slot: draws nothing.
    virtual void drawNothing(DCanvas* canvas, int value1, int value2);
    // Reserved slot: draws nothing.
    virtual void drawSpecial(DCanvas* canvas, int value1, int value2, int value3, int value4,
                             int value5);
    virtual void drawHeaderItem(DCanvas* canvas, int unused, int width, int height,
                                int unused2);
    virtual void drawDropList(DCanvas* canvas, int width, int height);

protected:
    void setColor(int n, const DColor& c);
    // Colours 0 to 4 from `plain` and 5 to 8 from `menu` (all but its background).
    void setPalettes(const DPalette& plain, const DPalette& menu);
    // Colours first (as background and face) to first + 3.
    DPalette paletteFrom(int first) const;
    // Towards white, step 40 of 100 (unchanged in high contrast).
    DColor lightened(const DColor& c) const;
    // Colour 3 towards black, step 4 of 10 (colour 3 itself in high contrast).
    DColor darkShadow() const;
    // `from` blended towards `to` at `step` of `steps`; `from` alone in high contrast.
    DColor mix(const DColor& from, const DColor& to, int steps, int step) const;
    // The shared face of scroll thumbs and arrow buttons.
    void drawScrollButtonBody(DCanvas* canvas, bool enabled, int width, int height, int state);

private:
    DColor colors[colorCount];
    DColor ownColors[colorCount];  // the theme's own colours while high contrast is on
    DSystemColors system;
    bool contrast = false;
};
