// The mailbox window's portable decisions: its layout, when a form makes a mailbox, and
// what confirming it does to the mailbox list.
#include "windows/MailboxForm.h"

#include "mail/Mailboxes.h"

#include <gtest/gtest.h>

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
    DMailboxFormLayout l = mailboxFormLayout(300, 280);
    expectRect(l.serverLabel, 10, 10, 280, 20);
    expectRect(l.serverInput, 10, 32, 280, 20);
    expectRect(l.userLabel, 10, 54, 280, 20);
    expectRect(l.userInput, 10, 76, 280, 20);
    expectRect(l.passwordLabel, 10, 98, 280, 20);
    expectRect(l.passwordInput, 10, 120, 280, 20);
    expectRect(l.optionsGroup, 10, 142, 280, 95);
    expectRect(l.allNewCheck, 10, 20, 260, 20);
    expectRect(l.webSiteCheck, 10, 40, 260, 20);
    expectRect(l.urlInput, 40, 65, 230, 20);
    expectRect(l.okButton, 120, 245, 80, 25);
    expectRect(l.cancelButton, 210, 245, 80, 25);
}

TEST(MailboxFormLayout, FollowsTheClientSize)
{
    DMailboxFormLayout l = mailboxFormLayout(400, 300);
    expectRect(l.serverInput, 10, 32, 380, 20);
    expectRect(l.optionsGroup, 10, 142, 380, 95);
    expectRect(l.webSiteCheck, 10, 40, 360, 20);
    expectRect(l.urlInput, 40, 65, 330, 20);
    expectRect(l.okButton, 220, 265, 80, 25);
    expectRect(l.cancelButton, 310, 265, 80, 25);
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
