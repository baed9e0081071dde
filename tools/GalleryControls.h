// The controls part of the gallery picture: every control of the widget library, built in a
// real frameless window on the screen in its states (normal, focused, pressed, disabled,
// selected rows, a selection in a field, scroll bars with and without something to scroll,
// a running wait bar), plus an open menu with its submenu, an open drop-down list and a tool
// tip, each copied out of its own window once it has painted.
//
// Coordinates: the panel is drawn with its top-left corner at (x, y) of the target canvas
// in its units (device pixels at its scale, which should be the display's: the windows are
// copied pixel for pixel); the canvas origin is not used. Needs the application object; the
// windows it makes are closed before it returns. Owns nothing.
#pragma once

class DApplication;
class DCanvas;
class DTheme;

// One labelled row of the panel: its top in pixels from the panel's top.
struct GalleryControlRow {
    const char* label;
    int top;
};

const int galleryControlRowCount = 9;
extern const GalleryControlRow galleryControlRows[galleryControlRowCount];
const int galleryControlPanelWidth = 440;
const int galleryControlPanelHeight = 606;

// Builds the controls with `theme` (made the application's theme while they exist) and
// copies them into `target` at (x, y). False when a window could not be made or copied.
bool drawControlPanel(DApplication& application, DCanvas* target, int x, int y, DTheme* theme);
