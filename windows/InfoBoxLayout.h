// Where the About, user's guide and restart boxes put their controls, worked out from the
// client size W x H (and, inside the About box's frame, the frame's size w x h). Rectangles
// are relative to the control's parent, in pixels; halves are truncated toward zero.
#pragma once

#include "controls/ButtonLayout.h"

// Client sizes of the three boxes.
const int aboutBoxWidth = 300;
const int aboutBoxHeight = 200;
const int userGuideBoxWidth = 350;
const int userGuideBoxHeight = 250;
const int langMsgBoxWidth = 300;
const int langMsgBoxHeight = 100;

struct DAboutBoxLayout {
    DLayoutRect frame;         // in the window
    DLayoutRect titleText;     // in the frame
    DLayoutRect freewareText;  // in the frame, centred both ways
    DLayoutRect creditText;    // in the frame
    DLayoutRect okButton;      // in the window
};
DAboutBoxLayout aboutBoxLayout(int width, int height);

// The user's guide and the restart notice: one text over an "OK" button. What the texts
// need: the text's height word-wrapped to its width, the button's width (0 keeps the
// written size). A text that needs more lines makes the box taller: `height` says how tall.
struct DMessageBoxNeeds {
    int textHeight = 0;
    int okButton = 0;
};
struct DMessageBoxLayout {
    int height = 0;
    DLayoutRect text;
    DLayoutRect okButton;
};
DMessageBoxLayout messageBoxLayout(int width, int height,
                                   const DMessageBoxNeeds& needs = DMessageBoxNeeds());
