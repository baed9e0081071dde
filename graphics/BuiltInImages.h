// The program's six images as process-wide icons, made at start-up from the hexadecimal row
// tables of ImageTables.h and kept until shutdown, plus the conversion from row texts.
#pragma once

#include "foundation/DStringList.h"
#include "graphics/DIcon.h"

// A new icon (owned by the caller) of width x height pixels from two lists of row texts,
// six hex digits per pixel (red, green, blue; either letter case). The lists are not
// changed. Missing rows or digits read as 0, so a short table gives black opaque pixels.
DIcon* iconFromHexRows(int width, int height, const DStringList& colorRows,
                       const DStringList& maskRows);

// Sizes of the stored images.
const int idleIconWidth = 16, idleIconHeight = 16;
const int checkingIconWidth = 16, checkingIconHeight = 16;
const int errorIconWidth = 16, errorIconHeight = 16;
const int newMailIconWidth = 16, newMailIconHeight = 16;
const int seenMailIconWidth = 16, seenMailIconHeight = 16;
const int appIconWidth = 32, appIconHeight = 32;

// The six icons; null until buildBuiltInImages has run. Owned by this module.
extern DIcon* idleIcon;      // tray icon in the normal state, window and dialog icon
extern DIcon* checkingIcon;  // tray icon while a check runs
extern DIcon* errorIcon;     // tray icon after an error, while disabled or with no mailbox
extern DIcon* newMailIcon;   // envelope shown when new mail has arrived
extern DIcon* seenMailIcon;  // the envelope once part of the new mail has been opened
extern DIcon* appIcon;       // large icon of the main window

// Builds the six icons (checking, app, error, new mail, seen mail, idle, in that order);
// start-up calls it once. Calling it again replaces them.
void buildBuiltInImages();
// Destroys the six icons and sets them back to null.
void destroyBuiltInImages();
