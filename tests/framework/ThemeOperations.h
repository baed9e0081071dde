// Test helper: every theme operation in its states, each at its own place on one canvas
// (moved there with the canvas origin), so two themes' drawings can be compared whole and
// the operations can be run many times over.
#pragma once

#include "framework/DTheme.h"

const int allOperationsWidth = 480;
const int allOperationsHeight = 300;

inline void drawAllOperations(DTheme& theme, DCanvas* canvas)
{
    int column = 0, row = 0;
    // Each part gets a 40 x 30 cell; 12 cells a row.
    auto at = [&](void) {
        canvas->setOrigin(column * 40, row * 30);
        if (++column == 12) {
            column = 0;
            ++row;
        }
    };
    canvas->font()->setColor(DColor(0, 0, 128));
    for (int light = 0; light < 2; ++light) at(), theme.drawBackground(canvas, 36, 26, light);
    for (int enabled = 0; enabled < 2; ++enabled)
        for (int def = 0; def < 2; ++def)
            for (int state = 0; state < 3; ++state)
                at(), theme.drawButton(canvas, enabled, def, 36, 24, state);
    for (int enabled = 0; enabled < 2; ++enabled)
        for (int flat = 0; flat < 2; ++flat) at(), theme.drawField(canvas, enabled, 36, 20, 0, flat);
    for (int enabled = 0; enabled < 2; ++enabled)
        for (int state = 0; state < 3; ++state)
            for (int checked = 0; checked < 2; ++checked) {
                at(), theme.drawCheckBox(canvas, enabled, 13, 13, state, checked);
                at(), theme.drawRadioButton(canvas, enabled, 12, 12, state, checked);
            }
    at(), theme.drawGroupFrame(canvas, 0, 38, 28, 12, 9);
    at(), theme.drawGroupFrame(canvas, 0, 38, 28, 0, 3);
    for (int gradient = 0; gradient < 2; ++gradient)
        at(), theme.drawProgressChunk(canvas, 0, 30, 12, gradient);
    for (int step = 0; step <= 4; step += 2) at(), theme.drawWaitBlock(canvas, 0, 12, 12, 4, step);
    at(), theme.drawProgressFrame(canvas, 0, 36, 16);
    at(), theme.drawWaitFrame(canvas, 0, 36, 16);
    for (int enabled = 0; enabled < 2; ++enabled)
        for (int state = 0; state < 3; ++state) {
            for (int direction = 0; direction < 4; ++direction)
                at(), theme.drawScrollArrow(canvas, enabled, 16, 16, state, direction);
            for (int horizontal = 0; horizontal < 2; ++horizontal)
                at(), theme.drawScrollThumb(canvas, enabled, horizontal ? 30 : 16,
                                            horizontal ? 16 : 26, state, horizontal);
        }
    for (int enabled = 0; enabled < 2; ++enabled)
        for (int horizontal = 0; horizontal < 2; ++horizontal)
            at(), theme.drawScrollTrack(canvas, enabled, 30, 16, horizontal);
    at(), theme.drawMenuBackground(canvas, 38, 28);
    at(), theme.drawMenuHighlight(canvas, 0, 36, 18);
    at(), theme.drawMenuHighlight2(canvas, 0, 36, 18);
    at(), theme.drawMenuCheck(canvas, 0, 0, 0);
    at(), theme.drawMenuArrow(canvas, 38, 18, 0);
    at(), theme.drawMenuSeparator(canvas, 38, 9);
    at(), theme.drawBar(canvas, 36, 20);
    at(), theme.drawSelection(canvas, 36, 20);
    at(), theme.drawPane(canvas, 36, 26);
    at(), theme.drawPaneTop(canvas, 36, 26);
    for (int selected = 0; selected < 2; ++selected)
        for (int state = 0; state < 3; state += 2)
            at(), theme.drawTab(canvas, 36, 22, true, selected, state);
    at(), theme.drawTab(canvas, 36, 22, false, false, 0);
    at(), theme.drawToolTip(canvas, 36, 20);
    at(), theme.drawNothing(canvas, 1, 2);
    at(), theme.drawSpecial(canvas, 1, 2, 3, 4, 5);
    at(), theme.drawHeaderItem(canvas, 0, 36, 18, 0);
    at(), theme.drawDropList(canvas, 36, 26);
    canvas->setOrigin(0, 0);
}
