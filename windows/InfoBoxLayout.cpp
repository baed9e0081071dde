#include "windows/InfoBoxLayout.h"

namespace {

const int margin = 10;
const int okWidth = 80;
const int okHeight = 25;

DLayoutRect rect(int x, int y, int width, int height)
{
    DLayoutRect r;
    r.x = x;
    r.y = y;
    r.width = width;
    r.height = height;
    return r;
}

}  // namespace

DAboutBoxLayout aboutBoxLayout(int width, int height)
{
    DAboutBoxLayout layout;
    layout.frame = rect(margin, margin, width - 2 * margin, height - 65);
    const int w = layout.frame.width;
    const int h = layout.frame.height;
    layout.titleText = rect(margin, margin, w - 2 * margin, 40);
    layout.freewareText = rect((w - (w - 2 * margin)) / 2, (h - 25) / 2, w - 2 * margin, 25);
    layout.creditText = rect(margin, h - 30, w - 2 * margin, 25);
    layout.okButton = rect((width - okWidth) / 2, height - 45, okWidth, okHeight);
    return layout;
}

DMessageBoxLayout messageBoxLayout(int width, int height, const DMessageBoxNeeds& needs)
{
    DMessageBoxLayout layout;
    layout.text =
        rect(margin, margin, width - 2 * margin, grownSize(height - 65, needs.textHeight));
    layout.height = layout.text.height + 65;
    const int buttonWidth = grownSize(okWidth, needs.okButton);
    layout.okButton = rect((width - buttonWidth) / 2, layout.height - 35, buttonWidth, okHeight);
    return layout;
}
