// Every window of Pellaro read as a screen reader reads it, in English and in Hungarian: the
// main window, the mailbox window and the three boxes. The tree holds the views in Tab
// order with their roles, names, values, states, access keys and places, and a password
// field never gives its text. Also what a screen reader does with the tree: hit tests,
// navigation, focus, selection and default actions, and objects that outlive their window.
#include "AccessibilityFixture.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DInputLine.h"
#include "controls/DHeader.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DStaticText.h"
#include "controls/ListGeometry.h"
#include "foundation/DPellaroDictionary.h"
#include "framework/Accessible.h"
#include "framework/DWinInterior.h"
#include "framework/WindowTestKit.h"
#include "mail/GuideTexts.h"
#include "windows/AccessKeyTables.h"
#include "windows/DInfoBox.h"
#include "windows/DMailBoxWindow.h"
#include "windows/DMainWindow.h"

#include <functional>
#include <utility>
#include <vector>

using a11ytest::Run;

namespace {

struct Expected {
    LONG role;
    std::string name;
};

std::string describe(const std::vector<AccessibleNode>& nodes)
{
    std::string out;
    for (const AccessibleNode& n : nodes)
        out += std::string(static_cast<size_t>(n.depth) * 2, ' ') + std::to_string(n.role) +
               " '" + n.name + "' = '" + n.value + "'\n";
    return out;
}

RECT windowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Every node that is an object of its own sits exactly where its native window is.
void expectObjectsOnTheirWindows(const std::vector<AccessibleNode>& nodes)
{
    for (const AccessibleNode& node : nodes) {
        if (node.childId != 0 || node.depth == 0)
            continue;
        ASSERT_NE(node.window, nullptr) << node.name;
        RECT native = windowRect(node.window);
        EXPECT_TRUE(sameRect(node.place, native))
            << node.name << " at " << node.place.left << "," << node.place.top << " "
            << node.place.right << "," << node.place.bottom << ", its window at " << native.left
            << "," << native.top << " " << native.right << "," << native.bottom;
    }
}

std::string keyText(const DAccessKeyTable& table, const char* caption, bool inHungarian)
{
    return std::string("Alt+") + accessKeyOf(table, caption, inHungarian);
}

class Tree : public Run, public ::testing::WithParamInterface<bool> {
protected:
    bool inHungarian() const { return GetParam(); }
    // Runs `open`, which opens a modal window, and walks that window's tree while it is
    // open (checking the places of its objects then), closes it and returns the nodes.
    std::vector<AccessibleNode> walkModal(const std::function<void()>& open)
    {
        std::vector<AccessibleNode> nodes;
        insideModal(open, [&](DWindow* box) {
            IAccessible* root = clientObjectOf(box->getHandle());
            nodes = walkAccessible(root);
            if (root)
                root->Release();
            expectObjectsOnTheirWindows(nodes);
            box->close();
        });
        return nodes;
    }
};

}  // namespace

TEST_P(Tree, TheMainWindowReadsItsViewsInTabOrder)
{
    startWith(inHungarian());
    showMainWindow();
    IAccessible* root = clientObjectOf(window->getHandle());
    ASSERT_NE(root, nullptr);
    std::vector<AccessibleNode> nodes = walkAccessible(root);
    root->Release();
    ASSERT_FALSE(nodes.empty());

    EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(nodes[0].name, "Pellaro");
    EXPECT_EQ(nodes[0].window, window->getHandle());
    RECT client{};
    GetClientRect(window->getHandle(), &client);
    MapWindowPoints(window->getHandle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(sameRect(nodes[0].place, client));

    DListView* list = window->getMailboxList();
    const std::vector<Expected> expected = {
        {ROLE_SYSTEM_GROUPING, shown("Status")},
        {ROLE_SYSTEM_STATICTEXT, window->getStatusText()->getText().text()},
        {ROLE_SYSTEM_PROGRESSBAR, shown("Status")},
        {ROLE_SYSTEM_GROUPING, shown("Mailboxes")},
        {ROLE_SYSTEM_LIST, shown("Mailboxes")},
        {ROLE_SYSTEM_LISTITEM, "ann@127.0.0.1"},
        {ROLE_SYSTEM_GROUPING, ""},
        {ROLE_SYSTEM_COLUMNHEADER, shown("Mailbox")},
        {ROLE_SYSTEM_COLUMNHEADER, shown("Status")},
        {ROLE_SYSTEM_COLUMNHEADER, shown("New mails")},
        {ROLE_SYSTEM_SCROLLBAR, shown("Vertical")},
        {ROLE_SYSTEM_SCROLLBAR, shown("Horizontal")},
        {ROLE_SYSTEM_PUSHBUTTON, shown("Add")},
        {ROLE_SYSTEM_PUSHBUTTON, shown("Edit")},
        {ROLE_SYSTEM_PUSHBUTTON, shown("Remove")},
        {ROLE_SYSTEM_GROUPING, shown("Interval")},
        {ROLE_SYSTEM_COMBOBOX, shown("Interval")},
        {ROLE_SYSTEM_PUSHBUTTON, shown("Open")},
        {ROLE_SYSTEM_GROUPING, shown("Options")},
        {ROLE_SYSTEM_CHECKBUTTON, shown("Show notification box for new mails")},
        {ROLE_SYSTEM_CHECKBUTTON, shown("Show notification box for new mails at startup")},
        {ROLE_SYSTEM_CHECKBUTTON, shown("Check internet connection")},
        {ROLE_SYSTEM_PUSHBUTTON, shown("Check Now!")},
        {ROLE_SYSTEM_PUSHBUTTON, shown("Hide")},
        {ROLE_SYSTEM_PUSHBUTTON, shown("Exit")},
    };
    ASSERT_EQ(nodes.size(), expected.size() + 1) << describe(nodes);
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_EQ(nodes[i + 1].role, expected[i].role) << "node " << i + 1 << "\n" << describe(nodes);
        EXPECT_EQ(nodes[i + 1].name, expected[i].name) << "node " << i + 1;
    }

    // Values: the combo box's choice, a row's other columns.
    const AccessibleNode* combo = findNode(nodes, ROLE_SYSTEM_COMBOBOX, shown("Interval"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->value, shown("5 minutes"));
    EXPECT_TRUE(combo->has(STATE_SYSTEM_COLLAPSED));
    EXPECT_EQ(combo->window, static_cast<HWND>(window->getIntervalCombo()->getHandle()));
    const AccessibleNode& row = nodes[6];
    EXPECT_EQ(row.value, shown("Status") + ": " + list->getCell(0, 1).text() + ", " +
                             shown("New mails") + ": " + list->getCell(0, 2).text());
    EXPECT_EQ(row.childId, 1);
    EXPECT_EQ(row.window, static_cast<HWND>(list->getHandle()));
    // The row lies across the list, one line high, just below the column titles.
    RECT listRect = windowRect(static_cast<HWND>(list->getHandle()));
    EXPECT_EQ(row.place.left, listRect.left + 2);
    EXPECT_EQ(row.place.right, listRect.right - 2);
    EXPECT_EQ(row.place.bottom - row.place.top, list->lineHeight());
    EXPECT_GT(row.place.top, windowRect(static_cast<HWND>(list->getHeader()->getHandle())).top);

    // States: the focused button, the check boxes as they are, nothing unavailable.
    const AccessibleNode* hide = findNode(nodes, ROLE_SYSTEM_PUSHBUTTON, shown("Hide"));
    ASSERT_NE(hide, nullptr);
    EXPECT_TRUE(hide->has(STATE_SYSTEM_FOCUSED));
    EXPECT_TRUE(hide->has(STATE_SYSTEM_FOCUSABLE));
    EXPECT_EQ(hide->action, shown("Press"));
    const AccessibleNode* add = findNode(nodes, ROLE_SYSTEM_PUSHBUTTON, shown("Add"));
    ASSERT_NE(add, nullptr);
    EXPECT_FALSE(add->has(STATE_SYSTEM_FOCUSED));
    EXPECT_EQ(add->window, static_cast<HWND>(window->getAddButton()->getHandle()));
    DCheckBox* checks[] = {window->getNotifyCheck(), window->getNotifyAtStartupCheck(),
                           window->getConnectionCheck()};
    for (DCheckBox* check : checks) {
        const AccessibleNode* node = findNode(nodes, ROLE_SYSTEM_CHECKBUTTON, check->getText().text());
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->has(STATE_SYSTEM_CHECKED), check->isChecked()) << node->name;
        EXPECT_EQ(node->window, static_cast<HWND>(check->getHandle()));
    }
    for (const AccessibleNode& node : nodes)
        EXPECT_FALSE(node.has(STATE_SYSTEM_UNAVAILABLE) && node.role == ROLE_SYSTEM_PUSHBUTTON &&
                     node.name == shown("Add"));

    // Access keys: a button's own, a group's for the control in it.
    const DAccessKeyTable& keys = mainWindowAccessKeys();
    EXPECT_EQ(add->shortcut, keyText(keys, "Add", inHungarian()));
    EXPECT_EQ(findNode(nodes, ROLE_SYSTEM_LIST, shown("Mailboxes"))->shortcut,
              keyText(keys, "Mailboxes", inHungarian()));
    EXPECT_EQ(combo->shortcut, keyText(keys, "Interval", inHungarian()));
    EXPECT_EQ(findNode(nodes, ROLE_SYSTEM_PUSHBUTTON, shown("Exit"))->shortcut,
              keyText(keys, "Exit", inHungarian()));

    expectObjectsOnTheirWindows(nodes);
}

TEST_P(Tree, TheMailboxWindowNamesItsFieldsByTheirLabelsAndKeepsThePassword)
{
    startWith(inHungarian());
    showMainWindow();
    window->getMailboxList()->setSelected(0);
    std::vector<AccessibleNode> nodes =
        walkModal([&] { window->getEditButton()->notifyParent(notifyActivated); });
    ASSERT_FALSE(nodes.empty());
    EXPECT_EQ(nodes[0].name, shown("Edit Mailbox"));

    const DAccessKeyTable& keys = mailboxWindowAccessKeys();
    const AccessibleNode* server = findNode(nodes, ROLE_SYSTEM_TEXT, shown("Server (POP3):"));
    ASSERT_NE(server, nullptr) << describe(nodes);
    EXPECT_EQ(server->value, "127.0.0.1");
    EXPECT_TRUE(server->has(STATE_SYSTEM_FOCUSED));
    EXPECT_EQ(server->shortcut, keyText(keys, "Server (POP3):", inHungarian()));
    const AccessibleNode* user = findNode(nodes, ROLE_SYSTEM_TEXT, shown("User name:"));
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->value, "ann");
    const AccessibleNode* security = findNode(nodes, ROLE_SYSTEM_COMBOBOX, shown("Security:"));
    ASSERT_NE(security, nullptr);
    EXPECT_EQ(security->value, shown("None"));
    const AccessibleNode* port = findNode(nodes, ROLE_SYSTEM_TEXT, shown("Port:"));
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->value, "110");
    // The address field is named by the check box before it, and is unavailable until it
    // is checked.
    const AccessibleNode* address = findNode(nodes, ROLE_SYSTEM_TEXT, shown("Open web site"));
    ASSERT_NE(address, nullptr);
    EXPECT_TRUE(address->has(STATE_SYSTEM_UNAVAILABLE));
    const AccessibleNode* ok = findNode(nodes, ROLE_SYSTEM_PUSHBUTTON, "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->has(STATE_SYSTEM_DEFAULT));
    EXPECT_EQ(ok->shortcut, "Alt+O");
    EXPECT_NE(findNode(nodes, ROLE_SYSTEM_GROUPING, shown("Options")), nullptr);

    // The password field says it is protected, and nothing in the whole tree gives the
    // password away.
    const AccessibleNode* password = findNode(nodes, ROLE_SYSTEM_TEXT, shown("Password:"));
    ASSERT_NE(password, nullptr);
    EXPECT_TRUE(password->has(STATE_SYSTEM_PROTECTED));
    EXPECT_EQ(password->value, "");
    EXPECT_EQ(password->shortcut, keyText(keys, "Password:", inHungarian()));
    EXPECT_EQ(allTexts(nodes).find("secret"), std::string::npos) << allTexts(nodes);
}

TEST_P(Tree, TheBoxesReadTheirTextsAndTheirOkButton)
{
    startWith(inHungarian());
    showMainWindow();
    const struct {
        int command;
        const char* title;
    } boxes[] = {{commandAbout, "About"}, {commandGuide, "User's Guide"}};
    for (const auto& b : boxes) {
        std::vector<AccessibleNode> nodes = walkModal([&] { window->onMenuItem(b.command); });
        ASSERT_FALSE(nodes.empty());
        EXPECT_EQ(nodes[0].name, shown(b.title));
        const AccessibleNode* ok = findNode(nodes, ROLE_SYSTEM_PUSHBUTTON, "OK");
        ASSERT_NE(ok, nullptr) << describe(nodes);
        EXPECT_TRUE(ok->has(STATE_SYSTEM_FOCUSED));
        EXPECT_TRUE(ok->has(STATE_SYSTEM_DEFAULT));
        EXPECT_EQ(ok->shortcut, "Alt+O");
        if (b.command == commandAbout) {
            EXPECT_NE(findNode(nodes, ROLE_SYSTEM_STATICTEXT, "Pellaro 2.3"), nullptr);
            EXPECT_NE(findNode(nodes, ROLE_SYSTEM_STATICTEXT, "FREEWARE"), nullptr);
        } else {
            ASSERT_GE(nodes.size(), 2u);
            EXPECT_EQ(nodes[1].role, ROLE_SYSTEM_STATICTEXT);
            EXPECT_EQ(nodes[1].name, std::string(translate(englishGuideText()).text()));
        }
    }
    // The restart box speaks the language just chosen.
    std::vector<AccessibleNode> nodes =
        walkModal([&] { window->onMenuItem(inHungarian() ? commandMagyar : commandEnglish); });
    ASSERT_GE(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].name, shown("Information"));
    EXPECT_EQ(nodes[1].role, ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(nodes[1].name, shown("You must restart Pellaro for the new settings to take effect!"));
}

TEST_P(Tree, TheMenusReadTheirItemsWithCheckMarksAndSubmenus)
{
    startWith(inHungarian());
    DMenu* menu = window->getTrayMenu();
    menu->popupForWindow(window, 100, 100);
    windowtest::pumpMessages();
    IAccessible* root = clientObjectOf(menu->getHandle());
    ASSERT_NE(root, nullptr);
    std::vector<AccessibleNode> nodes = walkAccessible(root);
    root->Release();
    menu->close();
    ASSERT_EQ(nodes.size(), 10u) << describe(nodes);
    EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_MENUPOPUP);
    EXPECT_EQ(nodes[1].role, ROLE_SYSTEM_MENUITEM);
    EXPECT_EQ(nodes[1].name, shown("Check Now!"));
    EXPECT_EQ(nodes[2].role, ROLE_SYSTEM_SEPARATOR);
    EXPECT_EQ(nodes[4].name, shown("Language"));
    EXPECT_TRUE(nodes[4].has(STATE_SYSTEM_HASPOPUP));
    EXPECT_EQ(nodes[4].action, shown("Open"));
    EXPECT_EQ(nodes[5].name, shown("Disable"));
    EXPECT_FALSE(nodes[5].has(STATE_SYSTEM_CHECKED));
    EXPECT_EQ(nodes[9].name, shown("Exit"));
    EXPECT_EQ(nodes[9].action, shown("Execute"));
    // The items lie inside the menu, one below the other.
    RECT menuRect = windowRect(menu->getHandle());
    for (size_t i = 2; i < nodes.size(); i++) {
        EXPECT_GE(nodes[i].place.top, nodes[i - 1].place.bottom - 1) << i;
        EXPECT_GE(nodes[i].place.left, menuRect.left);
        EXPECT_LE(nodes[i].place.bottom, menuRect.bottom);
    }

    DMenu* language = window->getLanguageMenu();
    language->popupForWindow(window, 100, 100);
    windowtest::pumpMessages();
    root = clientObjectOf(language->getHandle());
    ASSERT_NE(root, nullptr);
    nodes = walkAccessible(root);
    root->Release();
    language->close();
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[1].name, "English");
    EXPECT_EQ(nodes[2].name, "Magyar");
    EXPECT_EQ(nodes[1].has(STATE_SYSTEM_CHECKED), !inHungarian());
    EXPECT_EQ(nodes[2].has(STATE_SYSTEM_CHECKED), inHungarian());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Tree, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Hungarian" : "English";
                         });

namespace {

VARIANT self()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

// The name of what a variant from the tree points at: a child object or a simple child of
// `object`.
std::string nameOf(IAccessible* object, VARIANT& found)
{
    std::string name;
    if (found.vt == VT_DISPATCH && found.pdispVal) {
        IAccessible* child = nullptr;
        if (SUCCEEDED(found.pdispVal->QueryInterface(accessibleInterface,
                                                     reinterpret_cast<void**>(&child)))) {
            name = readNode(child, CHILDID_SELF, 0).name;
            child->Release();
        }
    } else if (found.vt == VT_I4) {
        name = readNode(object, found.lVal, 0).name;
    }
    VariantClear(&found);
    return name;
}

// The object of a view, as a screen reader gets it for the view's own window.
IAccessible* objectOf(DView* view)
{
    return clientObjectOf(static_cast<HWND>(view->getHandle()));
}

}  // namespace

TEST_F(Run, AScreenReaderHitsNavigatesFocusesAndActs)
{
    startWith(false);
    showMainWindow();
    IAccessible* root = clientObjectOf(window->getHandle());
    ASSERT_NE(root, nullptr);

    // Hit test, as a screen reader follows the mouse: from the window down to the deepest
    // node under the point - the Add button; the group it lies in is the window's child there.
    RECT add = windowRect(static_cast<HWND>(window->getAddButton()->getHandle()));
    POINT onAdd{(add.left + add.right) / 2, (add.top + add.bottom) / 2};
    IAccessible* hit = nullptr;
    VARIANT found;
    VariantInit(&found);
    ASSERT_EQ(AccessibleObjectFromPoint(onAdd, &hit, &found), S_OK);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(readNode(hit, found.lVal, 0).name, "Add");
    EXPECT_EQ(readNode(hit, found.lVal, 0).role, ROLE_SYSTEM_PUSHBUTTON);
    hit->Release();
    ASSERT_EQ(root->accHitTest(onAdd.x, onAdd.y, &found), S_OK);
    EXPECT_EQ(nameOf(root, found), "Mailboxes");
    IAccessible* list = objectOf(window->getMailboxList());
    ASSERT_NE(list, nullptr);
    RECT listRect = windowRect(static_cast<HWND>(window->getMailboxList()->getHandle()));
    int rowY = listRect.top + 2 + listHeaderHeight + window->getMailboxList()->lineHeight() / 2;
    ASSERT_EQ(list->accHitTest(listRect.left + 30, rowY, &found), S_OK);
    ASSERT_EQ(found.vt, VT_I4);
    EXPECT_EQ(found.lVal, 1);
    EXPECT_EQ(root->accHitTest(-5000, -5000, &found), S_FALSE);

    // Navigation: the first child of the window, and the button after Add.
    ASSERT_EQ(root->accNavigate(NAVDIR_FIRSTCHILD, self(), &found), S_OK);
    EXPECT_EQ(nameOf(root, found), "Status");
    IAccessible* addObject = objectOf(window->getAddButton());
    ASSERT_NE(addObject, nullptr);
    ASSERT_EQ(addObject->accNavigate(NAVDIR_NEXT, self(), &found), S_OK);
    EXPECT_EQ(nameOf(addObject, found), "Edit");
    ASSERT_EQ(addObject->accNavigate(NAVDIR_PREVIOUS, self(), &found), S_OK);
    EXPECT_EQ(nameOf(addObject, found), "Mailboxes");  // the list before the buttons
    IDispatch* up = nullptr;
    ASSERT_EQ(addObject->get_accParent(&up), S_OK);
    IAccessible* group = nullptr;
    ASSERT_TRUE(SUCCEEDED(up->QueryInterface(accessibleInterface, reinterpret_cast<void**>(&group))));
    up->Release();
    EXPECT_EQ(readNode(group, CHILDID_SELF, 0).name, "Mailboxes");
    EXPECT_EQ(readNode(group, CHILDID_SELF, 0).role, ROLE_SYSTEM_GROUPING);
    group->Release();

    // Focus: asked of the window, the focused button; moved by a screen reader to the list,
    // whose row it selects.
    ASSERT_EQ(root->get_accFocus(&found), S_OK);
    EXPECT_EQ(nameOf(root, found), "Hide");
    VARIANT row;
    VariantInit(&row);
    row.vt = VT_I4;
    row.lVal = 1;
    EXPECT_EQ(list->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, row), S_OK);
    EXPECT_EQ(DView::focusedIn(window->getInterior()), window->getMailboxList());
    EXPECT_EQ(window->getMailboxList()->getSelected(), 0);
    ASSERT_EQ(list->get_accSelection(&found), S_OK);
    EXPECT_EQ(found.vt, VT_I4);
    EXPECT_EQ(found.lVal, 1);

    // The default action of a check box toggles it.
    DCheckBox* check = window->getConnectionCheck();
    bool before = check->isChecked();
    IAccessible* checkObject = objectOf(check);
    ASSERT_NE(checkObject, nullptr);
    EXPECT_EQ(checkObject->accDoDefaultAction(self()), S_OK);
    EXPECT_NE(check->isChecked(), before);

    addObject->Release();
    checkObject->Release();
    list->Release();
    root->Release();
}

TEST_F(Run, AnObjectOfAClosedWindowAnswersThatItHasGone)
{
    startWith(false);
    showMainWindow();
    IAccessible* kept = nullptr;
    insideModal([&] { window->getAddButton()->notifyParent(notifyActivated); },
                [&](DWindow* box) {
                    kept = clientObjectOf(box->getHandle());
                    box->close();
                });
    ASSERT_NE(kept, nullptr);
    LONG count = 0;
    EXPECT_EQ(kept->get_accChildCount(&count), RPC_E_DISCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(kept->get_accName(self(), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(name, nullptr);
    kept->Release();
}
