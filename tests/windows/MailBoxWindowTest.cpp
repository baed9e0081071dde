// The mailbox window in real windows under Wine: add and edit mode, OK and Cancel, what
// they do to the mailbox list and the list view, the password kept, the security choice and
// the port it fills, and the web address field that follows "Open web site". Driven with
// real mouse and key messages.
#include "framework/WindowTestKit.h"

#include "controls/DButton.h"
#include "controls/DCBDropMenu.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DInputLine.h"
#include "controls/DListView.h"
#include "framework/DWinInterior.h"
#include "mail/DictionaryTexts.h"
#include "mail/Mailboxes.h"
#include "windows/DMailBoxWindow.h"

#include <gtest/gtest.h>

#include <string>

using namespace windowtest;

namespace {

class MailBoxWindowTest : public OneWindowTest {
protected:
    void SetUp() override
    {
        OneWindowTest::SetUp();
        savedList = mailboxes;
        mailboxes = new DList;
        list = new DListView;
        list->create(10, 10, 280, 150);
        list->addColumn(DString("Mailbox"), 150);
        list->addColumn(DString("Status"), 130);
        list->addColumn(DString("New mails"), 60);
        window.addView(list);
    }
    void TearDown() override
    {
        if (box) {
            if (!closed())
                box->close();
            delete box;
        }
        pumpMessages();
        for (int i = 0; i < mailboxes->count(); i++)
            delete entry(i);
        delete mailboxes;
        mailboxes = savedList;
        OneWindowTest::TearDown();
    }

    DMailboxEntry* entry(int i) const { return static_cast<DMailboxEntry*>(mailboxes->get(i)); }

    // A mailbox already configured, with its row, as loading the settings leaves it.
    void configured(const char* user, const char* server, const char* password, int seen,
                    bool allNew, bool web, const char* address)
    {
        auto* e = new DMailboxEntry(DString(user), DString(server), DString(password), seen,
                                    allNew, web, DString(address));
        mailboxes->add(e);
        int row = list->addRow(DString(user) + "@" + DString(server));
        list->setCell(row, 1, DString("Idle"));
        list->setCell(row, 2, DString("3"));
    }

    // Opens the dialog as the main window does, without its modal run: the test drives it.
    void open(int mode)
    {
        box = new DMailBoxWindow;
        box->setEditMode(mode);
        box->setListView(list);
        ASSERT_TRUE(box->create(nullptr, 0, 0, mailboxFormWidth, mailboxFormHeight,
                                DString(mode ? "Edit Mailbox" : "Add Mailbox"), 0));
        b = box->getHandle();
    }

    void clickView(DView* view)
    {
        int x = 0, y = 0;
        view->absolutePosition(x, y);
        x += view->getWidth() / 2;
        y += view->getHeight() / 2;
        SendMessageA(b, WM_MOUSEMOVE, 0, point(x, y));
        SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
        SendMessageA(b, WM_LBUTTONUP, 0, point(x, y));
    }
    void keyToBox(int virtualKey)
    {
        SendMessageA(b, WM_KEYDOWN, virtualKey, keyData(virtualKey, false));
        SendMessageA(b, WM_KEYUP, virtualKey, keyData(virtualKey, true));
    }
    // Types as the keyboard does, one key per character (characters without Shift only).
    void type(const char* text)
    {
        for (const char* p = text; *p; p++) {
            SHORT scan = VkKeyScanA(*p);
            ASSERT_TRUE(scan != -1 && !(scan & 0x100)) << "no plain key types '" << *p << "'";
            keyToBox(scan & 0xFF);
        }
    }
    bool closed() const { return !IsWindow(b); }
    // Picks choice `choice` of the security combo as a user does: a click opens its list,
    // the arrow keys move to the row and Enter takes it.
    void chooseSecurity(int choice)
    {
        DComboBox* combo = box->getSecurityCombo();
        clickView(combo);
        ASSERT_TRUE(combo->getDropMenu()->isOpen());
        for (int row = combo->getSelected(); row < choice; row++)
            keyToBox(VK_DOWN);
        for (int row = combo->getSelected(); row > choice; row--)
            keyToBox(VK_UP);
        keyToBox(VK_RETURN);
        pumpMessages();
        ASSERT_FALSE(combo->getDropMenu()->isOpen());
        ASSERT_EQ(combo->getSelected(), choice);
    }
    std::string port() const { return box->getPortInput()->getValue().text(); }
    // OK closes the dialog and the one mailbox keeps `server` as its server text.
    void okStoresTheOnlyMailbox(const char* server)
    {
        clickView(box->getOkButton());
        EXPECT_TRUE(closed());
        ASSERT_EQ(mailboxes->count(), 1);
        EXPECT_STREQ(entry(0)->server.text(), server);
    }

    DList* savedList = nullptr;
    DListView* list = nullptr;  // not owned: the recording window's view tree owns it
    DMailBoxWindow* box = nullptr;
    HWND b = nullptr;
};

void expectPlace(DView* view, const DFormRect& r)
{
    EXPECT_EQ(view->getX(), r.x);
    EXPECT_EQ(view->getY(), r.y);
    EXPECT_EQ(view->getWidth(), r.width);
    EXPECT_EQ(view->getHeight(), r.height);
}

}  // namespace

TEST_F(MailBoxWindowTest, AddModeOpensAnEmptyFormWithTheServerFocused)
{
    open(0);
    const DMailboxFormLayout l = mailboxFormLayout(mailboxFormWidth, mailboxFormHeight);
    expectPlace(box->getServerInput(), l.serverInput);
    expectPlace(box->getSecurityCombo(), l.securityCombo);
    expectPlace(box->getPortInput(), l.portInput);
    expectPlace(box->getUserInput(), l.userInput);
    expectPlace(box->getPasswordInput(), l.passwordInput);
    expectPlace(box->getOptionsGroup(), l.optionsGroup);
    expectPlace(box->getAllNewCheck(), l.allNewCheck);
    expectPlace(box->getWebSiteCheck(), l.webSiteCheck);
    expectPlace(box->getUrlInput(), l.urlInput);
    expectPlace(box->getOkButton(), l.okButton);
    expectPlace(box->getCancelButton(), l.cancelButton);
    EXPECT_TRUE(box->getServerInput()->isFocused());
    EXPECT_TRUE(box->getPasswordInput()->isPasswordMode());
    EXPECT_FALSE(box->getUserInput()->isPasswordMode());
    EXPECT_FALSE(box->getUrlInput()->isEnabled());
    EXPECT_FALSE(box->getAllNewCheck()->isChecked());
    EXPECT_FALSE(box->getWebSiteCheck()->isChecked());
    EXPECT_STREQ(box->getServerInput()->getValue().text(), "");
    EXPECT_STREQ(box->getWebSiteCheck()->getText().text(), "Open web site");
    EXPECT_STREQ(box->getOptionsGroup()->getText().text(), "Options");
}

TEST_F(MailBoxWindowTest, OkInAddModeAppendsTheMailboxAndItsRow)
{
    configured("old", "pop.one.invalid", "x", 7, false, false, "");
    open(0);
    type("pop.two.invalid");  // into the focused server field
    clickView(box->getUserInput());
    type("joe");
    clickView(box->getPasswordInput());
    type("s3cret");
    clickView(box->getAllNewCheck());
    clickView(box->getOkButton());

    EXPECT_TRUE(closed());
    EXPECT_TRUE(box->isAccepted());
    ASSERT_EQ(mailboxes->count(), 2);
    DMailboxEntry* added = entry(1);
    EXPECT_STREQ(added->server.text(), "pop.two.invalid");
    EXPECT_STREQ(added->userName.text(), "joe");
    EXPECT_STREQ(added->password.text(), "s3cret");
    EXPECT_EQ(added->seenCount, 0);
    EXPECT_TRUE(added->allMailsNew);
    EXPECT_FALSE(added->openWebSite);
    EXPECT_EQ(entry(0)->seenCount, 7);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_STREQ(list->getCell(1, 0).text(), "joe@pop.two.invalid");
    EXPECT_STREQ(list->getCell(1, 1).text(), "Unchecked");
    EXPECT_STREQ(list->getCell(1, 2).text(), "?");
    EXPECT_STREQ(list->getCell(0, 1).text(), "Idle");
}

TEST_F(MailBoxWindowTest, OkEndsTheModalRunThatTheOpenerStarted)
{
    open(0);
    box->getServerInput()->setValue(DString("pop.invalid"));
    box->getUserInput()->setValue(DString("joe"));
    window.postAction([this] { clickView(box->getOkButton()); });
    box->runModal(&window);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(box->isAccepted());
    ASSERT_EQ(mailboxes->count(), 1);
    EXPECT_STREQ(list->getCell(0, 0).text(), "joe@pop.invalid");
}

TEST_F(MailBoxWindowTest, OkWithoutUserNameOrServerLeavesTheDialogOpen)
{
    open(0);
    type("pop.invalid");
    clickView(box->getOkButton());
    EXPECT_FALSE(closed());
    EXPECT_EQ(mailboxes->count(), 0);
    box->getServerInput()->setValue(DString());
    box->getUserInput()->setValue(DString("joe"));
    keyToBox(VK_RETURN);  // Enter runs OK too
    EXPECT_FALSE(closed());
    EXPECT_EQ(mailboxes->count(), 0);
    EXPECT_EQ(list->rowCount(), 0);
    box->getServerInput()->setValue(DString("pop.invalid"));
    keyToBox(VK_RETURN);
    EXPECT_TRUE(closed());
    EXPECT_EQ(mailboxes->count(), 1);
}

TEST_F(MailBoxWindowTest, EditModeFillsTheFormFromTheSelectedMailbox)
{
    configured("first", "pop.one.invalid", "pw1", 1, false, false, "");
    configured("second", "pop.two.invalid", "p\xE1ss", 9, true, true, "http://web.invalid/");
    list->setSelected(1);
    open(1);
    EXPECT_STREQ(box->getServerInput()->getValue().text(), "pop.two.invalid");
    EXPECT_STREQ(box->getUserInput()->getValue().text(), "second");
    EXPECT_STREQ(box->getPasswordInput()->getValue().text(), "p\xE1ss");
    EXPECT_TRUE(box->getAllNewCheck()->isChecked());
    EXPECT_TRUE(box->getWebSiteCheck()->isChecked());
    EXPECT_STREQ(box->getUrlInput()->getValue().text(), "http://web.invalid/");
    EXPECT_TRUE(box->getUrlInput()->isEnabled());
    EXPECT_TRUE(box->getServerInput()->isFocused());
}

TEST_F(MailBoxWindowTest, OkInEditModeReplacesTheEntryKeepsThePasswordAndForgetsTheCounts)
{
    configured("first", "pop.one.invalid", "pw1", 1, false, false, "");
    configured("second", "pop.two.invalid", "pw2", 9, false, false, "http://kept.invalid/");
    DMailboxEntry* other = entry(0);
    list->setSelected(1);
    open(1);
    EXPECT_FALSE(box->getUrlInput()->isEnabled());
    box->getUserInput()->setValue(DString("renamed"));
    clickView(box->getOkButton());

    EXPECT_TRUE(closed());
    ASSERT_EQ(mailboxes->count(), 2);
    EXPECT_EQ(entry(0), other);
    EXPECT_STREQ(entry(1)->userName.text(), "renamed");
    EXPECT_STREQ(entry(1)->password.text(), "pw2");  // untouched field, password kept
    EXPECT_STREQ(entry(1)->webAddress.text(), "http://kept.invalid/");
    EXPECT_EQ(entry(1)->seenCount, 0);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_STREQ(list->getCell(1, 0).text(), "renamed@pop.two.invalid");
    EXPECT_STREQ(list->getCell(1, 1).text(), "Unchecked");
    EXPECT_STREQ(list->getCell(1, 2).text(), "?");
    EXPECT_STREQ(list->getCell(0, 0).text(), "first@pop.one.invalid");
    EXPECT_STREQ(list->getCell(0, 2).text(), "3");
    // The plain mailbox keeps its server text byte for byte.
    EXPECT_STREQ(entry(1)->server.text(), "pop.two.invalid");
}

TEST_F(MailBoxWindowTest, CancelAndEscapeChangeNothing)
{
    configured("first", "pop.one.invalid", "pw1", 4, false, false, "");
    DMailboxEntry* kept = entry(0);
    list->setSelected(0);
    open(1);
    box->getUserInput()->setValue(DString("changed"));
    clickView(box->getCancelButton());
    EXPECT_TRUE(closed());
    EXPECT_FALSE(box->isAccepted());
    delete box;
    box = nullptr;

    open(0);
    type("pop.new.invalid");
    box->getUserInput()->setValue(DString("new"));
    keyToBox(VK_ESCAPE);
    EXPECT_TRUE(closed());

    ASSERT_EQ(mailboxes->count(), 1);
    EXPECT_EQ(entry(0), kept);
    EXPECT_STREQ(kept->userName.text(), "first");
    EXPECT_EQ(kept->seenCount, 4);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_STREQ(list->getCell(0, 0).text(), "first@pop.one.invalid");
    EXPECT_STREQ(list->getCell(0, 1).text(), "Idle");
}

TEST_F(MailBoxWindowTest, OpenWebSiteEnablesTheAddressWhichKeepsItsTextWhenUnchecked)
{
    open(0);
    DInputLine* url = box->getUrlInput();
    clickView(url);
    EXPECT_FALSE(url->isFocused());  // disabled: a click does not reach it
    clickView(box->getWebSiteCheck());
    EXPECT_TRUE(box->getWebSiteCheck()->isChecked());
    EXPECT_TRUE(url->isEnabled());
    clickView(url);
    EXPECT_TRUE(url->isFocused());
    type("www.mail.invalid/inbox");
    clickView(box->getWebSiteCheck());
    EXPECT_FALSE(box->getWebSiteCheck()->isChecked());
    EXPECT_FALSE(url->isEnabled());
    EXPECT_STREQ(url->getValue().text(), "www.mail.invalid/inbox");

    box->getServerInput()->setValue(DString("pop.invalid"));
    box->getUserInput()->setValue(DString("joe"));
    clickView(box->getOkButton());
    ASSERT_EQ(mailboxes->count(), 1);
    EXPECT_FALSE(entry(0)->openWebSite);
    EXPECT_STREQ(entry(0)->webAddress.text(), "www.mail.invalid/inbox");
}

TEST_F(MailBoxWindowTest, TextsComeFromTheDictionary)
{
    DPellaroDictionary hungarian;
    fillDictionary(hungarian);
    hungarian.setLanguage(1);
    DPellaroDictionary* saved = dictionary;
    dictionary = &hungarian;
    open(0);
    dictionary = saved;
    const DString english("Open web site");
    EXPECT_STRNE(hungarian.translate(english).text(), english.text());
    EXPECT_STREQ(box->getWebSiteCheck()->getText().text(), hungarian.translate(english).text());
    EXPECT_STREQ(box->getCancelButton()->getText().text(),
                 hungarian.translate(DString("Cancel")).text());
    EXPECT_STREQ(box->getOptionsGroup()->getText().text(),
                 hungarian.translate(DString("Options")).text());
}

TEST_F(MailBoxWindowTest, AddModeOffersTheSecurityModesWithPlainTextOnPort110)
{
    open(0);
    DComboBox* combo = box->getSecurityCombo();
    ASSERT_EQ(combo->itemCount(), 3);
    EXPECT_STREQ(combo->itemText(0).text(), "None");
    EXPECT_STREQ(combo->itemText(1).text(), "STARTTLS");
    EXPECT_STREQ(combo->itemText(2).text(), "SSL/TLS");
    EXPECT_EQ(combo->getSelected(), 0);
    EXPECT_STREQ(combo->getText().text(), "None");
    EXPECT_EQ(port(), "110");
    EXPECT_EQ(box->getPortInput()->getMaxLength(), 5);

    // Saved so, the mailbox is the plain one it always was.
    type("pop.invalid");
    clickView(box->getUserInput());
    type("joe");
    okStoresTheOnlyMailbox("pop.invalid");
}

TEST_F(MailBoxWindowTest, ChoosingSslTlsFillsItsPortAndOkStoresAPop3sServer)
{
    open(0);
    type("mail.example.invalid");
    chooseSecurity(2);
    EXPECT_EQ(port(), "995");
    EXPECT_STREQ(box->getSecurityCombo()->getText().text(), "SSL/TLS");
    chooseSecurity(1);  // STARTTLS goes back to the plain port
    EXPECT_EQ(port(), "110");
    chooseSecurity(2);
    EXPECT_EQ(port(), "995");
    clickView(box->getUserInput());
    type("joe");
    okStoresTheOnlyMailbox("pop3s://mail.example.invalid");
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_STREQ(list->getCell(0, 0).text(), "joe@mail.example.invalid");
}

TEST_F(MailBoxWindowTest, APortTheUserChoseSurvivesAModeChange)
{
    open(0);
    type("mail.example.invalid");
    clickView(box->getPortInput());
    keyToBox(VK_END);
    for (int i = 0; i < 3; i++)
        keyToBox(VK_BACK);
    type("2110");
    chooseSecurity(1);
    EXPECT_EQ(port(), "2110");
    chooseSecurity(2);
    EXPECT_EQ(port(), "2110");
    box->getUserInput()->setValue(DString("joe"));
    okStoresTheOnlyMailbox("pop3s://mail.example.invalid:2110");
}

TEST_F(MailBoxWindowTest, OkWithABadPortOrServerKeepsTheDialogOpenOnTheFieldAtFault)
{
    open(0);
    box->getServerInput()->setValue(DString("mail.example.invalid"));
    box->getUserInput()->setValue(DString("joe"));
    box->getPortInput()->setValue(DString("70000"));
    clickView(box->getUserInput());
    clickView(box->getOkButton());
    EXPECT_FALSE(closed());
    EXPECT_TRUE(box->getPortInput()->isFocused());
    EXPECT_EQ(mailboxes->count(), 0);
    EXPECT_EQ(list->rowCount(), 0);

    box->getPortInput()->setValue(DString("1110"));
    box->getServerInput()->setValue(DString("[::1"));
    clickView(box->getUserInput());
    keyToBox(VK_RETURN);
    EXPECT_FALSE(closed());
    EXPECT_TRUE(box->getServerInput()->isFocused());
    EXPECT_EQ(mailboxes->count(), 0);

    box->getServerInput()->setValue(DString("[::1]"));
    keyToBox(VK_RETURN);
    EXPECT_TRUE(closed());
    ASSERT_EQ(mailboxes->count(), 1);
    EXPECT_STREQ(entry(0)->server.text(), "[::1]:1110");
    EXPECT_STREQ(list->getCell(0, 0).text(), "joe@::1");
}

TEST_F(MailBoxWindowTest, EditModeShowsTheHostTheModeAndThePortOfTheServerText)
{
    configured("plain", "pop.one.invalid", "pw1", 1, false, false, "");
    configured("secure", "pop3s://mail.example.invalid:1995", "pw2", 9, false, false, "");
    list->setSelected(1);
    open(1);
    EXPECT_STREQ(box->getServerInput()->getValue().text(), "mail.example.invalid");
    EXPECT_EQ(box->getSecurityCombo()->getSelected(), 2);
    EXPECT_STREQ(box->getSecurityCombo()->getText().text(), "SSL/TLS");
    EXPECT_EQ(port(), "1995");
    // The port is the user's own: a new mode leaves it.
    chooseSecurity(1);
    EXPECT_EQ(port(), "1995");
    chooseSecurity(2);
    box->getPasswordInput()->setValue(DString("changed"));
    clickView(box->getOkButton());
    EXPECT_TRUE(closed());
    EXPECT_STREQ(entry(1)->server.text(), "pop3s://mail.example.invalid:1995");
    EXPECT_STREQ(entry(1)->password.text(), "changed");
    EXPECT_STREQ(list->getCell(1, 0).text(), "secure@mail.example.invalid");
    delete box;
    box = nullptr;

    list->setSelected(0);
    open(1);
    EXPECT_STREQ(box->getServerInput()->getValue().text(), "pop.one.invalid");
    EXPECT_EQ(box->getSecurityCombo()->getSelected(), 0);
    EXPECT_EQ(port(), "110");
    chooseSecurity(1);
    EXPECT_EQ(port(), "110");
    clickView(box->getOkButton());
    EXPECT_STREQ(entry(0)->server.text(), "pop3+stls://pop.one.invalid");
    EXPECT_STREQ(list->getCell(0, 0).text(), "plain@pop.one.invalid");
}

TEST_F(MailBoxWindowTest, TheSecurityRowSpeaksHungarian)
{
    DPellaroDictionary hungarian;
    fillDictionary(hungarian);
    hungarian.setLanguage(1);
    DPellaroDictionary* saved = dictionary;
    dictionary = &hungarian;
    open(0);
    dictionary = saved;
    EXPECT_STRNE(hungarian.translate(DString("None")).text(), "None");
    EXPECT_STREQ(box->getSecurityCombo()->itemText(0).text(),
                 hungarian.translate(DString("None")).text());
    EXPECT_STREQ(box->getSecurityCombo()->getText().text(),
                 hungarian.translate(DString("None")).text());
}
