#include "windows/MainWindowLayout.h"

#include "controls/ListGeometry.h"

namespace {

const int margin = 10;
const int buttonHeight = 25;

// The columns' widths for a list `listWidth` wide, and the width their room would need.
std::vector<int> columnsFor(const DMainWindowNeeds& needs, int listWidth, int& neededWidth)
{
    const std::vector<int> written(mainWindowColumns, mainWindowColumns + mainWindowColumnCount);
    const int room = listColumnRoom(listWidth);
    std::vector<int> widths = fitColumnWidths(written, needs.columns, room);
    long long total = 0;
    for (int w : widths)
        total += w;
    neededWidth = static_cast<int>(listWidth + (total > room ? total - room : 0));
    return widths;
}

}  // namespace

const int mainWindowColumns[mainWindowColumnCount] = {150, 130, 60};

DMainWindowLayout mainWindowLayout(const DMainWindowNeeds& needs)
{
    const int addWidth = grownSize(80, needs.addButton);
    const int editWidth = grownSize(80, needs.editButton);
    const int removeWidth = grownSize(80, needs.removeButton);
    const int checkNowWidth = grownSize(100, needs.checkNowButton);
    const int hideWidth = grownSize(80, needs.hideButton);
    const int exitWidth = grownSize(80, needs.exitButton);

    // The narrowest window every row fits in: groups are W - 20 wide, what they hold
    // w - 20 = W - 40.
    int W = mainWindowWidth;
    for (int group : {needs.statusGroup, needs.mailboxGroup, needs.intervalGroup,
                      needs.optionsGroup})
        W = grownSize(W, group + 2 * margin);
    for (int inner : {needs.intervalCombo, needs.notifyCheck, needs.notifyAtStartupCheck,
                      needs.connectionCheck})
        W = grownSize(W, inner + 4 * margin);
    W = grownSize(W, addWidth + editWidth + removeWidth + 4 * margin + 2 * margin);
    W = grownSize(W, 4 * margin + checkNowWidth + hideWidth + exitWidth);
    int listNeeds = 0;
    columnsFor(needs, W - 4 * margin, listNeeds);
    W = grownSize(W, listNeeds + 4 * margin);

    DMainWindowLayout l;
    const int H = mainWindowHeight;
    l.width = W;
    l.height = H;
    const int w = W - 2 * margin;
    l.statusGroup = DLayoutRect{margin, margin, w, 80};
    l.statusText = DLayoutRect{margin, 22, w - 2 * margin, 20};
    l.waitBar = DLayoutRect{margin, 42, w - 2 * margin, 20};

    l.mailboxGroup = DLayoutRect{margin, 90, w, H - 280};
    const int h = l.mailboxGroup.height;
    l.mailboxList = DLayoutRect{margin, 20, w - 2 * margin, h - 65};
    l.columns = columnsFor(needs, l.mailboxList.width, listNeeds);
    l.addButton = DLayoutRect{margin, h - 35, addWidth, buttonHeight};
    l.editButton =
        DLayoutRect{l.addButton.x + addWidth + margin, h - 35, editWidth, buttonHeight};
    l.removeButton =
        DLayoutRect{l.editButton.x + editWidth + margin, h - 35, removeWidth, buttonHeight};

    l.intervalGroup = DLayoutRect{margin, H - 190, w, 50};
    l.intervalCombo = DLayoutRect{margin, 16, w - 2 * margin, 25};

    l.optionsGroup = DLayoutRect{margin, H - 140, w, 90};
    l.notifyCheck = DLayoutRect{margin, 20, w - 2 * margin, 20};
    l.notifyAtStartupCheck = DLayoutRect{margin, 40, w - 2 * margin, 20};
    l.connectionCheck = DLayoutRect{margin, 60, w - 2 * margin, 20};

    l.checkNowButton = DLayoutRect{margin, H - 35, checkNowWidth, buttonHeight};
    l.exitButton = DLayoutRect{W - margin - exitWidth, H - 35, exitWidth, buttonHeight};
    l.hideButton =
        DLayoutRect{l.exitButton.x - margin - hideWidth, H - 35, hideWidth, buttonHeight};
    return l;
}
