#include "windows/MainWindowLayout.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void expectRect(const DLayoutRect& r, int x, int y, int width, int height, const char* what)
{
    EXPECT_EQ(r.x, x) << what;
    EXPECT_EQ(r.y, y) << what;
    EXPECT_EQ(r.width, width) << what;
    EXPECT_EQ(r.height, height) << what;
}

bool inside(const DLayoutRect& r, int width, int height)
{
    return r.x >= 0 && r.y >= 0 && r.x + r.width <= width && r.y + r.height <= height;
}

// Every control inside its parent and the buttons of a row apart.
void expectWellFormed(const DMainWindowLayout& l)
{
    const int W = l.width;
    const int H = l.height;
    for (const DLayoutRect* group : {&l.statusGroup, &l.mailboxGroup, &l.intervalGroup,
                                     &l.optionsGroup, &l.checkNowButton, &l.hideButton,
                                     &l.exitButton})
        EXPECT_TRUE(inside(*group, W, H));
    EXPECT_TRUE(inside(l.statusText, l.statusGroup.width, l.statusGroup.height));
    EXPECT_TRUE(inside(l.waitBar, l.statusGroup.width, l.statusGroup.height));
    for (const DLayoutRect* r : {&l.mailboxList, &l.addButton, &l.editButton, &l.removeButton})
        EXPECT_TRUE(inside(*r, l.mailboxGroup.width - 10, l.mailboxGroup.height));
    EXPECT_TRUE(inside(l.intervalCombo, l.intervalGroup.width, l.intervalGroup.height));
    for (const DLayoutRect* r : {&l.notifyCheck, &l.notifyAtStartupCheck, &l.connectionCheck})
        EXPECT_TRUE(inside(*r, l.optionsGroup.width, l.optionsGroup.height));
    EXPECT_GE(l.editButton.x - (l.addButton.x + l.addButton.width), 10);
    EXPECT_GE(l.removeButton.x - (l.editButton.x + l.editButton.width), 10);
    EXPECT_GE(l.hideButton.x - (l.checkNowButton.x + l.checkNowButton.width), 10);
    EXPECT_EQ(l.exitButton.x - (l.hideButton.x + l.hideButton.width), 10);
    long long columns = 0;
    for (int c : l.columns)
        columns += c;
    EXPECT_LE(columns, l.mailboxList.width - 22);  // beside the vertical bar
}

}  // namespace

TEST(MainWindowLayout, WithoutNeedsItIsTheWrittenLayoutWithColumnsBesideTheBar)
{
    const DMainWindowLayout l = mainWindowLayout(DMainWindowNeeds());
    EXPECT_EQ(l.width, 400);
    EXPECT_EQ(l.height, 450);
    expectRect(l.statusGroup, 10, 10, 380, 80, "status group");
    expectRect(l.statusText, 10, 22, 360, 20, "status text");
    expectRect(l.waitBar, 10, 42, 360, 20, "wait bar");
    expectRect(l.mailboxGroup, 10, 90, 380, 170, "mailbox group");
    expectRect(l.mailboxList, 10, 20, 360, 105, "mailbox list");
    expectRect(l.addButton, 10, 135, 80, 25, "Add");
    expectRect(l.editButton, 100, 135, 80, 25, "Edit");
    expectRect(l.removeButton, 190, 135, 80, 25, "Remove");
    expectRect(l.intervalGroup, 10, 260, 380, 50, "interval group");
    expectRect(l.intervalCombo, 10, 16, 360, 25, "interval combo");
    expectRect(l.optionsGroup, 10, 310, 380, 90, "options group");
    expectRect(l.notifyCheck, 10, 20, 360, 20, "notify");
    expectRect(l.notifyAtStartupCheck, 10, 40, 360, 20, "notify at startup");
    expectRect(l.connectionCheck, 10, 60, 360, 20, "connection");
    expectRect(l.checkNowButton, 10, 415, 100, 25, "Check Now!");
    expectRect(l.hideButton, 220, 415, 80, 25, "Hide");
    expectRect(l.exitButton, 310, 415, 80, 25, "Exit");
    // 150 + 130 + 60 is 2 more than the 338 beside the vertical bar.
    EXPECT_EQ(l.columns, std::vector<int>({148, 130, 60}));
    expectWellFormed(l);
}

TEST(MainWindowLayout, AButtonGrowsToItsTextInPlace)
{
    DMainWindowNeeds needs;
    needs.checkNowButton = 116;  // "Ellenorzes most!" with its margins
    needs.removeButton = 90;
    const DMainWindowLayout l = mainWindowLayout(needs);
    EXPECT_EQ(l.width, 400);
    expectRect(l.checkNowButton, 10, 415, 116, 25, "Check Now!");
    expectRect(l.hideButton, 220, 415, 80, 25, "Hide");
    expectRect(l.removeButton, 190, 135, 90, 25, "Remove");
    // Needs below the written sizes change nothing.
    needs = DMainWindowNeeds();
    needs.hideButton = 40;
    needs.notifyCheck = 200;
    EXPECT_EQ(mainWindowLayout(needs).hideButton.width, 80);
    EXPECT_EQ(mainWindowLayout(needs).notifyCheck.width, 360);
}

TEST(MainWindowLayout, ARowThatNoLongerFitsMakesTheWindowWider)
{
    DMainWindowNeeds needs;
    needs.checkNowButton = 200;
    needs.hideButton = 120;
    needs.exitButton = 100;
    DMainWindowLayout l = mainWindowLayout(needs);
    EXPECT_EQ(l.width, 200 + 120 + 100 + 40);
    expectRect(l.exitButton, 460 - 110, 415, 100, 25, "Exit");
    expectRect(l.hideButton, 460 - 110 - 130, 415, 120, 25, "Hide");
    EXPECT_EQ(l.statusGroup.width, 440);
    EXPECT_EQ(l.notifyCheck.width, 420);
    expectWellFormed(l);

    needs = DMainWindowNeeds();
    needs.notifyAtStartupCheck = 380;
    EXPECT_EQ(mainWindowLayout(needs).width, 420);
    needs = DMainWindowNeeds();
    needs.addButton = needs.editButton = needs.removeButton = 120;
    l = mainWindowLayout(needs);
    EXPECT_EQ(l.width, 3 * 120 + 60);
    EXPECT_EQ(l.removeButton.x + l.removeButton.width, l.mailboxGroup.width - 10);
    needs = DMainWindowNeeds();
    needs.optionsGroup = 395;
    EXPECT_EQ(mainWindowLayout(needs).width, 415);
}

TEST(MainWindowLayout, ColumnsGrowToTheirTitlesAndTheListWithThem)
{
    DMainWindowNeeds needs;
    needs.columns = {45, 40, 70};  // a long last title
    DMainWindowLayout l = mainWindowLayout(needs);
    EXPECT_EQ(l.width, 400);
    EXPECT_EQ(l.columns, std::vector<int>({138, 130, 70}));
    needs.columns = {140, 40, 70};  // the first column cannot give back enough
    l = mainWindowLayout(needs);
    EXPECT_EQ(l.columns, std::vector<int>({140, 130, 70}));
    EXPECT_EQ(l.mailboxList.width, 340 + 22);
    EXPECT_EQ(l.width, 402);
    expectWellFormed(l);
}

TEST(MainWindowLayout, AnyNeedsGiveAWellFormedWindow)
{
    std::mt19937 random(20);
    std::uniform_int_distribution<int> size(0, 260);
    for (int round = 0; round < 300; ++round) {
        DMainWindowNeeds n;
        for (int* need : {&n.statusGroup, &n.mailboxGroup, &n.intervalGroup, &n.optionsGroup,
                          &n.addButton, &n.editButton, &n.removeButton, &n.intervalCombo,
                          &n.notifyCheck, &n.notifyAtStartupCheck, &n.connectionCheck,
                          &n.checkNowButton, &n.hideButton, &n.exitButton})
            *need = size(random) * (round % 3 == 0 ? 2 : 1);
        n.columns = {size(random) / 2, size(random) / 2, size(random) / 2};
        const DMainWindowLayout l = mainWindowLayout(n);
        SCOPED_TRACE(round);
        EXPECT_GE(l.width, 400);
        expectWellFormed(l);
        EXPECT_GE(l.checkNowButton.width, n.checkNowButton);
        EXPECT_GE(l.notifyAtStartupCheck.width, n.notifyAtStartupCheck);
        EXPECT_GE(l.intervalCombo.width, n.intervalCombo);
        EXPECT_GE(l.optionsGroup.width, n.optionsGroup);
        for (int c = 0; c < 3; ++c)
            EXPECT_GE(l.columns[static_cast<size_t>(c)], n.columns[static_cast<size_t>(c)]);
    }
}
