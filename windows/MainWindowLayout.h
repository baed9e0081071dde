// Where the main window puts its controls: the written places for a client area of
// W x H = 400 x 450 (inside each group of its width w and height h), grown where the texts
// measured in the controls need more room. A control wider than written keeps its left
// edge, or its right edge for "Hide" and "Exit"; the buttons of a row keep 10 pixels
// between them; where a row no longer fits, the window grows wider and every control
// that spans it with it. The mailbox list's columns keep their written widths (150, 130
// and 60) unless a title needs more; together they fit beside the list's vertical bar, the
// first column giving back width for that. Rectangles are relative to the control's parent
// (the window, or its group) in units. Portable: the window measures, this decides.
#pragma once

#include "controls/ButtonLayout.h"

#include <vector>

// What the controls' texts need (their fittingWidth, a column's titleNeed): 0 where
// nothing is known, which keeps the written size.
struct DMainWindowNeeds {
    int statusGroup = 0;
    int mailboxGroup = 0;
    int intervalGroup = 0;
    int optionsGroup = 0;
    int addButton = 0;
    int editButton = 0;
    int removeButton = 0;
    int intervalCombo = 0;
    int notifyCheck = 0;
    int notifyAtStartupCheck = 0;
    int connectionCheck = 0;
    int checkNowButton = 0;
    int hideButton = 0;
    int exitButton = 0;
    std::vector<int> columns;
};

struct DMainWindowLayout {
    int width = 0;   // the client area
    int height = 0;
    DLayoutRect statusGroup, statusText, waitBar;
    DLayoutRect mailboxGroup, mailboxList, addButton, editButton, removeButton;
    DLayoutRect intervalGroup, intervalCombo;
    DLayoutRect optionsGroup, notifyCheck, notifyAtStartupCheck, connectionCheck;
    DLayoutRect checkNowButton, hideButton, exitButton;
    std::vector<int> columns;  // the mailbox list's column widths
};

const int mainWindowWidth = 400;
const int mainWindowHeight = 450;
const int mainWindowColumnCount = 3;
extern const int mainWindowColumns[mainWindowColumnCount];  // written widths

DMainWindowLayout mainWindowLayout(const DMainWindowNeeds& needs);
