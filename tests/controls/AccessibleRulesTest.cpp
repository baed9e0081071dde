// How each control describes itself to screen readers: roles, names, values, states and
// default actions from the facts a control knows, and the words read out in Hungarian.
#include "controls/AccessibleRules.h"

#include "foundation/DPellaroDictionary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string str(const DString& s)
{
    return s.text();
}

DControlFacts facts(bool enabled, bool focused, bool visible = true)
{
    DControlFacts f;
    f.enabled = enabled;
    f.focused = focused;
    f.visible = visible;
    return f;
}

// A dictionary of the process, in Hungarian, for one test.
class InHungarian : public ::testing::Test {
protected:
    void SetUp() override
    {
        words.addPair("Press", "Megnyom\xE1s");
        words.addPair("Check", "Bejel\xF6l\xE9s");
        words.addPair("Uncheck", "Jel\xF6l\xE9s t\xF6rl\xE9se");
        words.addPair("Open", "Megnyit\xE1s");
        words.addPair("Vertical", "F\xFCgg\xF6leges");
        words.setLanguage(1);
        dictionary = &words;
    }
    void TearDown() override { dictionary = nullptr; }

    DPellaroDictionary words;
};

}  // namespace

TEST(AccessibleRules, PushButtonsArePressedAndTellTheirStates)
{
    DAccessibleInfo plain = accessibleButton("Add", facts(true, false), false, false);
    EXPECT_EQ(plain.role, accessPushButton);
    EXPECT_EQ(str(plain.name), "Add");
    EXPECT_EQ(str(plain.defaultAction), "Press");
    EXPECT_EQ(plain.state, unsigned(accessFocusable));
    EXPECT_EQ(str(plain.value), "");

    DAccessibleInfo okButton = accessibleButton("OK", facts(true, true), true, true);
    EXPECT_EQ(okButton.state, unsigned(accessFocusable | accessFocused | accessDefault | accessPressed));

    // A disabled button is unavailable, neither focusable nor focused, and has no action.
    DAccessibleInfo off = accessibleButton("Edit", facts(false, true), false, true);
    EXPECT_EQ(off.state, unsigned(accessUnavailable));
    EXPECT_EQ(str(off.defaultAction), "");
    EXPECT_TRUE(accessibleButton("Hide", facts(true, false, false), false, false).has(accessInvisible));
}

TEST(AccessibleRules, CheckBoxesSayWhetherTheyAreCheckedAndWhatAPressDoes)
{
    DAccessibleInfo off = accessibleCheckBox("Open web site", facts(true, false), false, false);
    EXPECT_EQ(off.role, accessCheckButton);
    EXPECT_EQ(str(off.name), "Open web site");
    EXPECT_FALSE(off.has(accessChecked));
    EXPECT_EQ(str(off.defaultAction), "Check");

    DAccessibleInfo on = accessibleCheckBox("Open web site", facts(true, true), true, false);
    EXPECT_TRUE(on.has(accessChecked));
    EXPECT_TRUE(on.has(accessFocused));
    EXPECT_EQ(str(on.defaultAction), "Uncheck");
    EXPECT_TRUE(accessibleCheckBox("x", facts(true, false), false, true).has(accessPressed));
}

TEST(AccessibleRules, APasswordFieldIsProtectedAndNeverTellsItsText)
{
    DAccessibleInfo server = accessibleField("Server (POP3):", "mail.example.com", false,
                                             facts(true, true));
    EXPECT_EQ(server.role, accessText);
    EXPECT_EQ(str(server.name), "Server (POP3):");
    EXPECT_EQ(str(server.value), "mail.example.com");
    EXPECT_FALSE(server.has(accessProtected));
    EXPECT_TRUE(server.has(accessFocused));

    DAccessibleInfo password = accessibleField("Password:", "secret", true, facts(true, false));
    EXPECT_EQ(password.role, accessText);
    EXPECT_TRUE(password.has(accessProtected));
    EXPECT_EQ(str(password.value), "");
    EXPECT_EQ(str(password.name), "Password:");
    EXPECT_EQ(str(password.description).find("secret"), std::string::npos);

    // The address field stays readable while it is disabled.
    DAccessibleInfo address = accessibleField("Open web site", "http://mail", false, facts(false, false));
    EXPECT_TRUE(address.has(accessUnavailable));
    EXPECT_EQ(str(address.value), "http://mail");
}

TEST(AccessibleRules, ComboBoxesTellTheirChoiceAndWhetherTheListIsOpen)
{
    DAccessibleInfo closed = accessibleComboBox("Interval", "5 minutes", false, facts(true, true));
    EXPECT_EQ(closed.role, accessComboBox);
    EXPECT_EQ(str(closed.name), "Interval");
    EXPECT_EQ(str(closed.value), "5 minutes");
    EXPECT_TRUE(closed.has(accessCollapsed));
    EXPECT_FALSE(closed.has(accessExpanded));
    EXPECT_EQ(str(closed.defaultAction), "Open");

    DAccessibleInfo open = accessibleComboBox("Interval", "5 minutes", true, facts(true, true));
    EXPECT_TRUE(open.has(accessExpanded));
    EXPECT_EQ(str(open.defaultAction), "Close");

    DAccessibleInfo button = accessibleDropButton(false, true);
    EXPECT_EQ(button.role, accessPushButton);
    EXPECT_EQ(str(button.name), "Open");
    EXPECT_EQ(str(accessibleDropButton(true, true).name), "Close");
    EXPECT_TRUE(accessibleDropButton(true, true).has(accessPressed));
}

TEST(AccessibleRules, ListRowsAreNamedByTheirFirstCellAndTellTheOtherColumns)
{
    DStringList cells;
    cells.add("three@mail.example.com");
    cells.add("Idle");
    cells.add("3");
    DStringList titles;
    titles.add("Mailbox");
    titles.add("Status");
    titles.add("New mails");

    DAccessibleInfo row = accessibleListRow(cells, titles, true, true, true);
    EXPECT_EQ(row.role, accessListItem);
    EXPECT_EQ(str(row.name), "three@mail.example.com");
    EXPECT_EQ(str(row.value), "Status: Idle, New mails: 3");
    EXPECT_TRUE(row.has(accessSelected));
    EXPECT_TRUE(row.has(accessFocused));
    EXPECT_TRUE(row.has(accessSelectable));

    // Selected in a list without the focus: selected, not focused. Scrolled away: off screen.
    DAccessibleInfo elsewhere = accessibleListRow(cells, titles, true, false, false);
    EXPECT_TRUE(elsewhere.has(accessSelected));
    EXPECT_FALSE(elsewhere.has(accessFocused));
    EXPECT_TRUE(elsewhere.has(accessOffscreen));
    EXPECT_FALSE(accessibleListRow(cells, titles, false, true, true).has(accessFocused));

    DAccessibleInfo list = accessibleList("Mailboxes", facts(true, false));
    EXPECT_EQ(list.role, accessList);
    EXPECT_EQ(str(list.name), "Mailboxes");
    EXPECT_EQ(accessibleColumnHeader("Status", true).role, accessColumnHeader);
    EXPECT_EQ(str(accessibleColumnHeader("Status", true).name), "Status");
    EXPECT_TRUE(accessibleColumnHeader("Status", false).has(accessInvisible));
}

TEST(AccessibleRules, TheSmallPartsOfAWindow)
{
    DAccessibleInfo bar = accessibleScrollBar(false, 4, true, true);
    EXPECT_EQ(bar.role, accessScrollBar);
    EXPECT_EQ(str(bar.name), "Vertical");
    EXPECT_EQ(str(bar.value), "4");
    EXPECT_FALSE(bar.has(accessUnavailable));
    EXPECT_EQ(str(accessibleScrollBar(true, 0, true, true).name), "Horizontal");
    EXPECT_TRUE(accessibleScrollBar(true, 0, false, true).has(accessUnavailable));

    DAccessibleInfo wait = accessibleWaitBar("Status", true, true);
    EXPECT_EQ(wait.role, accessProgressBar);
    EXPECT_EQ(str(wait.name), "Status");
    EXPECT_TRUE(wait.has(accessAnimated));
    EXPECT_FALSE(accessibleWaitBar("Status", false, true).has(accessAnimated));

    DAccessibleInfo status = accessibleStaticText("Checking...", true);
    EXPECT_EQ(status.role, accessStaticText);
    EXPECT_EQ(str(status.name), "Checking...");
    EXPECT_TRUE(status.has(accessReadOnly));
    DAccessibleInfo group = accessibleGroup("Options", true);
    EXPECT_EQ(group.role, accessGrouping);
    EXPECT_EQ(str(group.name), "Options");

    DAccessibleInfo box = accessibleAlert("one@example has 1 new mail!\n", true);
    EXPECT_EQ(box.role, accessAlert);
    EXPECT_EQ(str(box.name), "one@example has 1 new mail!\n");
    EXPECT_EQ(accessibleToolTip("tip", true).role, accessToolTip);
    EXPECT_TRUE(accessibleToolTip("tip", false).has(accessInvisible));
}

TEST(AccessibleRules, MenuItemsTellCheckMarksSubmenusAndDisabledItems)
{
    DAccessibleInfo language = accessibleMenuItem("Language", false, true, false, true, true, true);
    EXPECT_EQ(language.role, accessMenuItem);
    EXPECT_EQ(str(language.name), "Language");
    EXPECT_TRUE(language.has(accessHasPopup));
    EXPECT_TRUE(language.has(accessFocused));
    EXPECT_EQ(str(language.defaultAction), "Open");

    DAccessibleInfo english = accessibleMenuItem("English", false, true, true, false, false, true);
    EXPECT_TRUE(english.has(accessChecked));
    EXPECT_FALSE(english.has(accessFocused));
    EXPECT_EQ(str(english.defaultAction), "Execute");

    DAccessibleInfo paste = accessibleMenuItem("Paste", false, false, false, false, true, true);
    EXPECT_TRUE(paste.has(accessUnavailable));
    EXPECT_EQ(str(paste.defaultAction), "");

    EXPECT_EQ(accessibleMenuItem("-", true, true, false, false, false, true).role, accessSeparator);
    // A closed menu's items are not on the screen, and none of them has the focus.
    DAccessibleInfo hidden = accessibleMenuItem("Exit", false, true, false, false, true, false);
    EXPECT_TRUE(hidden.has(accessInvisible));
    EXPECT_FALSE(hidden.has(accessFocused));
    EXPECT_EQ(accessibleMenu(true).role, accessMenuPopup);

    DAccessibleInfo row = accessibleDropListRow("10 minutes", true, true);
    EXPECT_EQ(row.role, accessListItem);
    EXPECT_TRUE(row.has(accessSelected));
    EXPECT_TRUE(row.has(accessFocused));
    EXPECT_EQ(accessibleDropList("Interval", true).role, accessList);
    EXPECT_EQ(str(accessibleDropList("Interval", true).name), "Interval");
}

TEST_F(InHungarian, TheWordsReadOutFollowTheInterfaceLanguage)
{
    EXPECT_EQ(str(accessibleButton("OK", facts(true, false), false, false).defaultAction),
              "Megnyom\xE1s");
    EXPECT_EQ(str(accessibleCheckBox("x", facts(true, false), false, false).defaultAction),
              "Bejel\xF6l\xE9s");
    EXPECT_EQ(str(accessibleCheckBox("x", facts(true, false), true, false).defaultAction),
              "Jel\xF6l\xE9s t\xF6rl\xE9se");
    EXPECT_EQ(str(accessibleDropButton(false, true).name), "Megnyit\xE1s");
    EXPECT_EQ(str(accessibleScrollBar(false, 0, true, true).name), "F\xFCgg\xF6leges");
    // Names are the controls' own texts: translated when the window was built, not here.
    EXPECT_EQ(str(accessibleButton("Add", facts(true, false), false, false).name), "Add");
}

TEST(AccessibleRules, AccessKeysAreReadAsAltWithTheLetter)
{
    EXPECT_EQ(str(accessKeyText('S')), "Alt+S");
    EXPECT_EQ(str(accessKeyText('4')), "Alt+4");
    EXPECT_EQ(str(accessKeyText(0)), "");
}
