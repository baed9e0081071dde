// What the About, user's guide and restart boxes share: their "OK" button, which is both
// the default and the cancel button so that Enter and Escape press it, and the way the main
// window opens one of them. Positions are parent-client pixels.
#pragma once

#include "controls/ButtonLayout.h"
#include "foundation/DString.h"

class DButton;
class DIcon;
class DStaticText;
class DView;
class DWindow;

// Adds an "OK" button at `at` to `window`'s interior and gives it the focus.
DButton* addOkButton(DWindow* window, const DLayoutRect& at);
// Adds a static text at `at` under `parent`, with `format` (0x11 top-left, 0x44 centred).
DStaticText* addStaticText(DView* parent, const DLayoutRect& at, const DString& text, int format);
// Gives the made `box` its icon, centres it on the screen and runs it modally with `owner`.
bool runInfoBox(DWindow* box, DWindow* owner, DIcon* icon);
