// The mailbox window's portable decisions: its layout, when a form makes a mailbox, and
// what confirming it does to the mailbox list.
#include "windows/MailboxForm.h"

#include "mail/Mailboxes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void expectRect(const DFormRect& r, int x, int y, int w, int h)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, w);
    EXPECT_EQ(r.height, h);
}

DMailboxFields form(const char* user, const char* server, const char* password = "pw")
{
    DMailboxFields f;
    f.userName = DString(user);
    f.server = DString(server);
    f.password = DString(password);
    f.webAddress = DString("http://mail.example.invalid/");
    f.allMailsNew = true;
    f.openWebSite = false;
    return f;
}

// Owns the entries of a list, as start-up's mailbox list does at exit of a test.
class MailboxList : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (int i = 0; i < list.count(); i++)
            delete static_cast<DMailboxEntry*>(list.get(i));
        list.clear();
    }
    DMailboxEntry* at(int i) { return static_cast<DMailboxEntry*>(list.get(i)); }
    DList list;
};

}  // namespace

TEST(MailboxFormLayout, PlacesEveryControlOfTheDialog)
{
    DMailboxFormLayout l = mailboxFormLayout(mailboxFormWidth, mailboxFormHeight);
    ASSERT_EQ(mailboxFormWidth, 300);
    ASSERT_EQ(mailboxFormHeight, 306);
    expectRect(l.serverLabel, 10, 10, 280, 20);
    expectRect(l.serverInput, 10, 32, 280, 20);
    expectRect(l.securityLabel, 10, 56, 60, 21);
    expectRect(l.securityCombo, 75, 56, 117, 21);
    expectRect(l.portLabel, 200, 56, 36, 21);
    expectRect(l.portInput, 240, 56, 50, 20);
    expectRect(l.userLabel, 10, 80, 280, 20);
    expectRect(l.userInput, 10, 102, 280, 20);
    expectRect(l.passwordLabel, 10, 124, 280, 20);
    expectRect(l.passwordInput, 10, 146, 280, 20);
    expectRect(l.optionsGroup, 10, 168, 280, 95);
    expectRect(l.allNewCheck, 10, 20, 260, 20);
    expectRect(l.webSiteCheck, 10, 40, 260, 20);
    expectRect(l.urlInput, 40, 65, 230, 20);
    expectRect(l.okButton, 120, 271, 80, 25);
    expectRect(l.cancelButton, 210, 271, 80, 25);
}

// Every control lies inside the window, the rows do not overlap, and the buttons sit below
// the options group with the same gaps as before the security row came.
TEST(MailboxFormLayout, EverythingFitsWithoutOverlap)
{
    const int width = mailboxFormWidth;
    const int height = mailboxFormHeight;
    DMailboxFormLayout l = mailboxFormLayout(width, height);
    const DFormRect inWindow[] = {l.serverLabel, l.serverInput,    l.securityLabel,
                                  l.securityCombo, l.portLabel,    l.portInput,
                                  l.userLabel,   l.userInput,      l.passwordLabel,
                                  l.passwordInput, l.optionsGroup, l.okButton,
                                  l.cancelButton};
    for (const DFormRect& r : inWindow) {
        EXPECT_GE(r.x, 10);
        EXPECT_GE(r.y, 10);
        EXPECT_LE(r.x + r.width, width - 10);
        EXPECT_LE(r.y + r.height, height - 10);
    }
    // One row, left to right, with room between.
    EXPECT_LT(l.securityLabel.x + l.securityLabel.width, l.securityCombo.x);
    EXPECT_LT(l.securityCombo.x + l.securityCombo.width, l.portLabel.x);
    EXPECT_LT(l.portLabel.x + l.portLabel.width, l.portInput.x);
    // Top to bottom.
    EXPECT_LT(l.serverInput.y + l.serverInput.height, l.securityCombo.y);
    EXPECT_LT(l.securityCombo.y + l.securityCombo.height, l.userLabel.y);
    EXPECT_LT(l.portInput.y + l.portInput.height, l.userLabel.y);
    EXPECT_EQ(l.okButton.y - (l.optionsGroup.y + l.optionsGroup.height), 8);
    EXPECT_EQ(height - (l.okButton.y + l.okButton.height), 10);
}

TEST(MailboxFormLayout, FollowsTheClientSize)
{
    DMailboxFormLayout l = mailboxFormLayout(400, 330);
    expectRect(l.serverInput, 10, 32, 380, 20);
    expectRect(l.portInput, 340, 56, 50, 20);
    expectRect(l.securityCombo, 75, 56, 217, 21);
    expectRect(l.optionsGroup, 10, 168, 380, 95);
    expectRect(l.webSiteCheck, 10, 40, 360, 20);
    expectRect(l.urlInput, 40, 65, 330, 20);
    expectRect(l.okButton, 220, 295, 80, 25);
    expectRect(l.cancelButton, 310, 295, 80, 25);
}

TEST(MailboxFormComplete, NeedsAUserNameAndAServerButNothingElse)
{
    EXPECT_TRUE(mailboxFormComplete(form("joe", "pop.example.invalid", "")));
    EXPECT_FALSE(mailboxFormComplete(form("", "pop.example.invalid")));
    EXPECT_FALSE(mailboxFormComplete(form("joe", "")));
    EXPECT_FALSE(mailboxFormComplete(form("", "")));
    DMailboxFields noAddress = form("joe", "pop");
    noAddress.webAddress = DString();
    noAddress.openWebSite = true;
    EXPECT_TRUE(mailboxFormComplete(noAddress));
}

TEST(MailboxFormFields, RoundTripThroughAnEntryExceptTheCounts)
{
    DMailboxEntry old(DString("joe"), DString("pop.example.invalid"), DString("s\xE9" "cret"), 41,
                      false, true, DString("http://web.example.invalid/"));
    old.newCount = 5;
    old.notifyPending = true;
    DMailboxFields f = fieldsOfEntry(old);
    EXPECT_STREQ(f.userName.text(), "joe");
    EXPECT_STREQ(f.server.text(), "pop.example.invalid");
    EXPECT_STREQ(f.password.text(), "s\xE9" "cret");
    EXPECT_STREQ(f.webAddress.text(), "http://web.example.invalid/");
    EXPECT_FALSE(f.allMailsNew);
    EXPECT_TRUE(f.openWebSite);

    DMailboxEntry* made = entryOfFields(f);
    EXPECT_STREQ(made->userName.text(), "joe");
    EXPECT_STREQ(made->password.text(), "s\xE9" "cret");
    EXPECT_EQ(made->seenCount, 0);  // a changed mailbox starts again from nothing known
    EXPECT_EQ(made->newCount, 0);
    EXPECT_FALSE(made->notifyPending);
    EXPECT_FALSE(made->allMailsNew);
    EXPECT_TRUE(made->openWebSite);
    delete made;
}

TEST_F(MailboxList, AddingAppendsANewEntryAtTheEnd)
{
    ASSERT_EQ(storeMailboxForm(list, -1, form("a", "one")), 0);
    ASSERT_EQ(storeMailboxForm(list, -1, form("b", "two", "")), 1);
    ASSERT_EQ(list.count(), 2);
    EXPECT_STREQ(at(0)->userName.text(), "a");
    EXPECT_STREQ(at(1)->server.text(), "two");
    EXPECT_STREQ(at(1)->password.text(), "");
    EXPECT_TRUE(at(1)->allMailsNew);
    EXPECT_EQ(at(1)->seenCount, 0);
    EXPECT_FALSE(mailboxesLocked.load());
}

TEST_F(MailboxList, EditingReplacesTheEntryAtItsPlaceAndForgetsItsCounts)
{
    storeMailboxForm(list, -1, form("a", "one"));
    storeMailboxForm(list, -1, form("b", "two"));
    storeMailboxForm(list, -1, form("c", "three"));
    DMailboxEntry* before = at(1);
    before->seenCount = 17;
    before->newCount = 3;
    // The old entry is destroyed: AddressSanitizer reports a leak of it otherwise, and a
    // second delete by this fixture would be a double free.
    ASSERT_EQ(storeMailboxForm(list, 1, form("bb", "two.example.invalid", "new")), 1);
    ASSERT_EQ(list.count(), 3);
    EXPECT_STREQ(at(0)->userName.text(), "a");
    EXPECT_STREQ(at(1)->userName.text(), "bb");
    EXPECT_STREQ(at(1)->server.text(), "two.example.invalid");
    EXPECT_STREQ(at(1)->password.text(), "new");
    EXPECT_EQ(at(1)->seenCount, 0);
    EXPECT_EQ(at(1)->newCount, 0);
    EXPECT_STREQ(at(2)->userName.text(), "c");
    EXPECT_FALSE(mailboxesLocked.load());
}

TEST_F(MailboxList, AnIncompleteFormOrAMissingRowChangesNothing)
{
    storeMailboxForm(list, -1, form("a", "one"));
    DMailboxEntry* kept = at(0);
    EXPECT_EQ(storeMailboxForm(list, -1, form("", "one")), -1);
    EXPECT_EQ(storeMailboxForm(list, 0, form("a", "")), -1);
    EXPECT_EQ(storeMailboxForm(list, 1, form("x", "y")), -1);
    EXPECT_EQ(storeMailboxForm(list, -2, form("x", "y")), -1);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(at(0), kept);
    EXPECT_STREQ(at(0)->server.text(), "one");
    EXPECT_FALSE(mailboxesLocked.load());
}

namespace {

DMailboxFields serverForm(const char* server, MailSecurity security, const char* port)
{
    DMailboxFields f = form("joe", server);
    f.security = security;
    f.port = DString(port);
    return f;
}

std::string composed(const DMailboxFields& f)
{
    DFormServer s = composeFormServer(f);
    EXPECT_EQ(s.bad, DMailboxFormField::none) << f.server.text() << " / " << f.port.text();
    EXPECT_STREQ(s.error.text(), "");
    return s.text.text();
}

}  // namespace

// What the form shows for a stored server text, and that saving it untouched writes the
// same text back.
TEST(MailboxFormServer, StoredTextsShowAsHostModeAndPortAndComposeBackUnchanged)
{
    struct Case {
        const char* stored;
        const char* host;
        MailSecurity security;
        const char* port;
    } cases[] = {
        {"pop.example.invalid", "pop.example.invalid", MailSecurity::None, "110"},
        {"127.0.0.1", "127.0.0.1", MailSecurity::None, "110"},
        {"pop.example.invalid:1110", "pop.example.invalid", MailSecurity::None, "1110"},
        {"pop3+stls://mail.example.com", "mail.example.com", MailSecurity::StartTls, "110"},
        {"pop3+stls://mail.example.com:2110", "mail.example.com", MailSecurity::StartTls,
         "2110"},
        {"pop3s://mail.example.com", "mail.example.com", MailSecurity::Implicit, "995"},
        {"pop3s://mail.example.com:110", "mail.example.com", MailSecurity::Implicit, "110"},
        {"pop3s://mail.example.com:1995", "mail.example.com", MailSecurity::Implicit, "1995"},
        {"::1", "::1", MailSecurity::None, "110"},
        {"[::1]:1110", "::1", MailSecurity::None, "1110"},
        {"pop3s://[2001:db8::7]", "2001:db8::7", MailSecurity::Implicit, "995"},
        {"pop3+stls://[::1]:11110", "::1", MailSecurity::StartTls, "11110"},
    };
    for (const Case& c : cases) {
        DMailboxEntry entry(DString("joe"), DString(c.stored), DString("pw"), 3, false, false,
                            DString());
        DMailboxFields f = fieldsOfEntry(entry);
        EXPECT_STREQ(f.server.text(), c.host) << c.stored;
        EXPECT_EQ(f.security, c.security) << c.stored;
        EXPECT_STREQ(f.port.text(), c.port) << c.stored;
        EXPECT_EQ(composed(f), c.stored);
        DMailboxEntry* again = entryOfFields(f);
        ASSERT_NE(again, nullptr) << c.stored;
        EXPECT_STREQ(again->server.text(), c.stored);
        delete again;
    }
}

// Forms a stored text may have that the parser reads but the form writes shorter: the
// meaning stays, the text becomes the usual one.
TEST(MailboxFormServer, LongerStoredFormsComposeToTheirShortestReading)
{
    struct Case {
        const char* stored;
        const char* saved;
    } cases[] = {
        {"pop3://pop.example.invalid", "pop.example.invalid"},
        {"pop.example.invalid:110", "pop.example.invalid"},
        {"POP3S://Mail.Example.com:995", "pop3s://Mail.Example.com"},
        {"pop3s://mail.example.com/", "pop3s://mail.example.com"},
        {"[::1]", "::1"},
    };
    for (const Case& c : cases) {
        DMailboxEntry entry(DString("joe"), DString(c.stored), DString(), 0, false, false,
                            DString());
        EXPECT_EQ(composed(fieldsOfEntry(entry)), c.saved) << c.stored;
    }
}

TEST(MailboxFormServer, ChoiceAndPortComposeTheServerText)
{
    struct Case {
        const char* host;
        MailSecurity security;
        const char* port;
        const char* text;
    } cases[] = {
        {"pop.example.invalid", MailSecurity::None, "110", "pop.example.invalid"},
        {"pop.example.invalid", MailSecurity::None, "", "pop.example.invalid"},
        {"pop.example.invalid", MailSecurity::None, "0110", "pop.example.invalid"},
        {"pop.example.invalid", MailSecurity::None, "995", "pop.example.invalid:995"},
        {"mail.example.com", MailSecurity::StartTls, "110", "pop3+stls://mail.example.com"},
        {"mail.example.com", MailSecurity::StartTls, "", "pop3+stls://mail.example.com"},
        {"mail.example.com", MailSecurity::StartTls, "587", "pop3+stls://mail.example.com:587"},
        {"mail.example.com", MailSecurity::Implicit, "995", "pop3s://mail.example.com"},
        {"mail.example.com", MailSecurity::Implicit, "", "pop3s://mail.example.com"},
        {"mail.example.com", MailSecurity::Implicit, "65535", "pop3s://mail.example.com:65535"},
        {"mail.example.com", MailSecurity::Implicit, "1", "pop3s://mail.example.com:1"},
        {"2001:db8::1", MailSecurity::Implicit, "995", "pop3s://[2001:db8::1]"},
        {"[2001:db8::1]", MailSecurity::None, "1110", "[2001:db8::1]:1110"},
        // Blanks at the ends of a pasted host or port are no part of them.
        {" mail.example.com\t", MailSecurity::Implicit, " 995 ", "pop3s://mail.example.com"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(composed(serverForm(c.host, c.security, c.port)), c.text) << c.host;
}

// A server field pasted whole, with its scheme or port, means what it says, whatever the
// choice and the port field still hold.
TEST(MailboxFormServer, ASchemeOrPortTypedInTheServerFieldWins)
{
    EXPECT_EQ(composed(serverForm("pop3s://mail.example.com", MailSecurity::None, "110")),
              "pop3s://mail.example.com");
    EXPECT_EQ(composed(serverForm("mail.example.com:995", MailSecurity::Implicit, "1234")),
              "pop3s://mail.example.com");
    EXPECT_EQ(composed(serverForm("mail.example.com:2000", MailSecurity::StartTls, "110")),
              "pop3+stls://mail.example.com:2000");
    // A typed scheme moves the port field's usual port along, as a choice would, but not
    // a port the user chose.
    EXPECT_EQ(composed(serverForm("pop3s://mail.example.com", MailSecurity::None, "")),
              "pop3s://mail.example.com");
    EXPECT_EQ(composed(serverForm("pop3s://mail.example.com", MailSecurity::None, "2110")),
              "pop3s://mail.example.com:2110");
    EXPECT_EQ(composed(serverForm("pop3+stls://mail.example.com", MailSecurity::None, "110")),
              "pop3+stls://mail.example.com");
    // Without a port in the text the port field still counts.
    EXPECT_EQ(composed(serverForm("pop3+stls://mail.example.com", MailSecurity::None, "2110")),
              "pop3+stls://mail.example.com:2110");
}

TEST(MailboxFormServer, ASchemeThatProtectsLessThanTheChoiceIsRefusedNotTaken)
{
    struct Case {
        const char* server;
        MailSecurity chosen;
    } weaker[] = {
        {"pop3://mail.example.com", MailSecurity::Implicit},
        {"pop3://mail.example.com:995", MailSecurity::Implicit},
        {"POP3://mail.example.com", MailSecurity::StartTls},
        {"pop3+stls://mail.example.com", MailSecurity::Implicit},
    };
    for (const Case& c : weaker) {
        DFormServer s = composeFormServer(serverForm(c.server, c.chosen, ""));
        EXPECT_EQ(s.bad, DMailboxFormField::server) << c.server;
        EXPECT_STREQ(s.error.text(), "Invalid server address!") << c.server;
        EXPECT_STREQ(s.text.text(), "") << c.server;
        EXPECT_EQ(entryOfFields(serverForm(c.server, c.chosen, "")), nullptr) << c.server;
    }
    // As much or more protection than the choice is taken as typed.
    EXPECT_EQ(composed(serverForm("pop3s://mail.example.com", MailSecurity::StartTls, "")),
              "pop3s://mail.example.com");
    EXPECT_EQ(composed(serverForm("pop3+stls://mail.example.com", MailSecurity::StartTls, "")),
              "pop3+stls://mail.example.com");
    EXPECT_EQ(composed(serverForm("pop3://mail.example.com", MailSecurity::None, "")),
              "mail.example.com");
}

TEST(MailboxFormServer, ABadPortOrHostNamesTheFieldAtFault)
{
    const char* badPorts[] = {"0", "65536", "99999999999", "-1", "+995", "9 95", "99a",
                              "0x10", "995:"};
    for (const char* port : badPorts) {
        DFormServer s = composeFormServer(serverForm("mail.example.com", MailSecurity::Implicit,
                                                     port));
        EXPECT_EQ(s.bad, DMailboxFormField::port) << port;
        EXPECT_STREQ(s.error.text(), "Invalid port number!") << port;
        EXPECT_STREQ(s.text.text(), "") << port;
    }
    struct Case {
        const char* server;
        const char* error;
    } badServers[] = {
        {"mail.example.com:", "Invalid port number!"},
        {"mail.example.com:0", "Invalid port number!"},
        {"mail.example.com:65536", "Invalid port number!"},
        {"[::1", "Invalid server address!"},
        {"mail example.com", "Invalid server address!"},
        {"imap://mail.example.com", "Invalid server address!"},
        {"user@mail.example.com", "Invalid server address!"},
        {"   ", "Invalid server address!"},
    };
    for (const Case& c : badServers) {
        DFormServer s = composeFormServer(serverForm(c.server, MailSecurity::None, "110"));
        EXPECT_EQ(s.bad, DMailboxFormField::server) << c.server;
        EXPECT_STREQ(s.error.text(), c.error) << c.server;
        EXPECT_EQ(entryOfFields(serverForm(c.server, MailSecurity::None, "110")), nullptr);
    }
}

TEST(MailboxFormServer, AnUnreadableStoredTextStaysWholeForTheUserToMend)
{
    DMailboxEntry entry(DString("joe"), DString("pop.example.invalid:0"), DString(), 0, false,
                        false, DString());
    DMailboxFields f = fieldsOfEntry(entry);
    EXPECT_STREQ(f.server.text(), "pop.example.invalid:0");
    EXPECT_EQ(f.security, MailSecurity::None);
    EXPECT_STREQ(f.port.text(), "");
    EXPECT_EQ(composeFormServer(f).bad, DMailboxFormField::server);
    f.server = DString("pop.example.invalid:1110");
    EXPECT_EQ(composed(f), "pop.example.invalid:1110");
}

TEST(MailboxFormPort, AModeChangeFillsAnEmptyOrUsualPortAndKeepsAChosenOne)
{
    const MailSecurity none = MailSecurity::None;
    const MailSecurity stls = MailSecurity::StartTls;
    const MailSecurity tls = MailSecurity::Implicit;
    struct Case {
        const char* port;
        MailSecurity before, after;
        const char* result;
    } cases[] = {
        {"110", none, tls, "995"},
        {"995", tls, none, "110"},
        {"995", tls, stls, "110"},
        {"110", stls, tls, "995"},
        {"110", none, stls, "110"},
        {"", none, tls, "995"},
        {"  ", stls, tls, "995"},
        {"", tls, none, "110"},
        {"0995", tls, none, "110"},
        // A port the user chose stays, even one that is another mode's usual port.
        {"1995", none, tls, "1995"},
        {"995", none, stls, "995"},
        {"110", tls, none, "110"},
        {"2110", stls, none, "2110"},
        // So does a bad one: OK points at it.
        {"99999", none, tls, "99999"},
        {"abc", tls, none, "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(portAfterModeChange(DString(c.port), c.before, c.after).text(), c.result)
            << "'" << c.port << "' " << securityChoice(c.before) << " -> "
            << securityChoice(c.after);
    }
}

TEST(MailboxFormPort, ChoicesFollowTheComboOrder)
{
    ASSERT_EQ(mailboxSecurityChoices, 3);
    EXPECT_STREQ(mailboxSecurityNames[0], "None");
    EXPECT_STREQ(mailboxSecurityNames[1], "STARTTLS");
    EXPECT_STREQ(mailboxSecurityNames[2], "SSL/TLS");
    for (int i = 0; i < mailboxSecurityChoices; i++)
        EXPECT_EQ(securityChoice(securityOfChoice(i)), i);
    EXPECT_EQ(securityOfChoice(-1), MailSecurity::None);
    EXPECT_EQ(securityOfChoice(3), MailSecurity::None);
}

TEST_F(MailboxList, ABadServerOrPortStoresNothing)
{
    storeMailboxForm(list, -1, form("a", "one"));
    DMailboxEntry* kept = at(0);
    EXPECT_EQ(storeMailboxForm(list, -1, serverForm("[::1", MailSecurity::None, "")), -1);
    EXPECT_EQ(storeMailboxForm(list, 0, serverForm("two", MailSecurity::Implicit, "0")), -1);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(at(0), kept);
    EXPECT_FALSE(mailboxesLocked.load());
    ASSERT_EQ(storeMailboxForm(list, 0, serverForm("two", MailSecurity::Implicit, "995")), 0);
    EXPECT_STREQ(at(0)->server.text(), "pop3s://two");
}
