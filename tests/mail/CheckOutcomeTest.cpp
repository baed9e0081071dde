// The check cycle's decisions: poll ticks and the timeout, results into list texts and
// entries, the new-mail notice, the envelope picture, the notification box, acknowledging.
#include "mail/CheckOutcome.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "mail/DictionaryTexts.h"

namespace {

// A mailbox list that owns its entries for the test's length.
class Boxes {
public:
    ~Boxes()
    {
        for (int i = 0; i < list.count(); i++)
            delete static_cast<DMailboxEntry*>(list.get(i));
    }
    DMailboxEntry& add(const char* user, const char* server, int seen = 0, bool allNew = false)
    {
        auto* entry = new DMailboxEntry(user, server, "pw", seen, allNew, false, "");
        list.add(entry);
        return *entry;
    }
    DMailboxEntry& at(int i) { return *static_cast<DMailboxEntry*>(list.get(i)); }
    DList list;
};

DThreadResult result(int index, const char* status, int count, bool started = true)
{
    DThreadResult r;
    r.mailboxIndex = index;
    r.status = status;
    r.mailCount = count;
    r.started = started;
    return r;
}

std::string str(const DString& s)
{
    return s.text();
}

// Installs a Hungarian dictionary for one test and removes it afterwards.
class Hungarian {
public:
    Hungarian()
    {
        fillDictionary(owned);
        owned.setLanguage(1);
        dictionary = &owned;
    }
    ~Hungarian() { dictionary = nullptr; }

private:
    DPellaroDictionary owned;
};

}  // namespace

TEST(PollDecision, CountsTicksOnlyWhileThreadsRunAndStopsAtTheLimit)
{
    unsigned ticks = 0;
    EXPECT_EQ(DPollAction::keepWaiting, pollDecision(false, true, ticks, 3));
    EXPECT_EQ(DPollAction::keepWaiting, pollDecision(false, true, ticks, 3));
    EXPECT_EQ(2u, ticks);
    EXPECT_EQ(DPollAction::timedOut, pollDecision(false, true, ticks, 3));
    EXPECT_EQ(3u, ticks);

    unsigned ended = 7;
    EXPECT_EQ(DPollAction::finished, pollDecision(false, false, ended, 3));
    EXPECT_EQ(7u, ended);
}

TEST(PollDecision, DisableWinsOverRunningAndEndedThreads)
{
    unsigned ticks = 0;
    EXPECT_EQ(DPollAction::stopped, pollDecision(true, true, ticks));
    EXPECT_EQ(DPollAction::stopped, pollDecision(true, false, ticks));
    EXPECT_EQ(0u, ticks);
}

TEST(PollDecision, TheDefaultLimitIsThreeHundredTicks)
{
    unsigned ticks = 0;
    for (int i = 1; i < 300; i++)
        ASSERT_EQ(DPollAction::keepWaiting, pollDecision(false, true, ticks)) << i;
    EXPECT_EQ(DPollAction::timedOut, pollDecision(false, true, ticks));
}

TEST(CheckResults, AFailedMailboxShowsItsOwnTextAndTheGoodOneIsStillCounted)
{
    Boxes boxes;
    boxes.add("ann", "a.example", 2);
    boxes.add("bob", "b.example", 4);
    DCheckSummary summary = applyCheckResults(
        {result(0, "OK", 5), result(1, "Login failed!", -1)}, boxes.list);

    EXPECT_TRUE(summary.anyError);
    ASSERT_EQ(2u, summary.rows.size());
    EXPECT_EQ("Idle", str(summary.rows[0].status));
    EXPECT_TRUE(summary.rows[0].hasCount);
    EXPECT_EQ("3", str(summary.rows[0].newMails));
    EXPECT_EQ(3, boxes.at(0).newCount);
    EXPECT_TRUE(boxes.at(0).notifyPending);

    EXPECT_EQ(1, summary.rows[1].row);
    EXPECT_EQ("Login failed!", str(summary.rows[1].status));
    EXPECT_FALSE(summary.rows[1].hasCount);
    EXPECT_EQ(4, boxes.at(1).seenCount);
    EXPECT_EQ(0, boxes.at(1).newCount);
}

TEST(CheckResults, AThreadWithoutAnOutcomeShowsAnErrorNeverAnEmptyCell)
{
    Boxes boxes;
    boxes.add("ann", "a.example");
    boxes.add("bob", "b.example");
    DCheckSummary summary = applyCheckResults(
        {result(0, "", -1, false), result(1, "", -1, true)}, boxes.list);
    ASSERT_EQ(2u, summary.rows.size());
    EXPECT_EQ("Error!", str(summary.rows[0].status));
    EXPECT_EQ("Error!", str(summary.rows[1].status));
    EXPECT_TRUE(summary.anyError);
    // "OK" from a thread that never started cannot be true: it is not taken.
    DCheckSummary odd = applyCheckResults({result(0, "OK", 9, false)}, boxes.list);
    EXPECT_EQ("Error!", str(odd.rows[0].status));
    EXPECT_EQ(0, boxes.at(0).newCount);
}

TEST(CheckResults, AllGoodIsNoErrorAndAMissingEntryIsSkipped)
{
    Boxes boxes;
    boxes.add("ann", "a.example", 1);
    DCheckSummary summary =
        applyCheckResults({result(0, "OK", 1), result(3, "OK", 10), result(-1, "x", 0)},
                          boxes.list);
    EXPECT_FALSE(summary.anyError);
    ASSERT_EQ(1u, summary.rows.size());
    EXPECT_EQ("0", str(summary.rows[0].newMails));
}

TEST(CheckResults, TextsComeInHungarian)
{
    Hungarian language;
    Boxes boxes;
    boxes.add("ann", "a.example");
    boxes.add("bob", "b.example");
    DCheckSummary summary =
        applyCheckResults({result(0, "OK", 0), result(1, "", -1, false)}, boxes.list);
    EXPECT_EQ("\xDCresj\xE1r\xE1s", str(summary.rows[0].status));
    EXPECT_EQ("Hiba!", str(summary.rows[1].status));
}

TEST(NewMailNotice, ListsEveryMailboxWithNewMailButAnnouncesOnlyPendingNews)
{
    Boxes boxes;
    DMailboxEntry& a = boxes.add("ann", "a.example");
    boxes.add("bob", "b.example");
    DMailboxEntry& c = boxes.add("cy", "c.example");
    a.newCount = 1;
    a.notifyPending = true;
    c.newCount = 4;  // announced before: menu item, no line

    DNewMailNotice notice = collectNewMail(boxes.list);
    ASSERT_EQ(2u, notice.items.size());
    EXPECT_EQ(200, notice.items[0].command);
    EXPECT_EQ("ann@a.example has 1 new mail!", str(notice.items[0].text));
    EXPECT_EQ(202, notice.items[1].command);
    EXPECT_EQ("cy@c.example has 4 new mails!", str(notice.items[1].text));
    EXPECT_EQ("ann@a.example has 1 new mail!\n", str(notice.message));
    EXPECT_TRUE(notice.anyNew);
    EXPECT_TRUE(notice.anyPending);
    EXPECT_FALSE(a.notifyPending);

    // The same mailboxes again: news is announced once.
    DNewMailNotice again = collectNewMail(boxes.list);
    EXPECT_EQ(2u, again.items.size());
    EXPECT_FALSE(again.anyPending);
    EXPECT_EQ("", str(again.message));
}

TEST(NewMailNotice, NoNewMailGivesNothing)
{
    Boxes boxes;
    boxes.add("ann", "a.example").notifyPending = true;  // pending without a count: no news
    DNewMailNotice notice = collectNewMail(boxes.list);
    EXPECT_FALSE(notice.anyNew);
    EXPECT_FALSE(notice.anyPending);
    EXPECT_TRUE(notice.items.empty());
    bool acknowledged = true;
    EXPECT_EQ(DEnvelope::none, envelopeForNotice(notice, acknowledged));
}

TEST(NewMailNotice, HungarianLinesUseTheTranslatedWords)
{
    Hungarian language;
    Boxes boxes;
    DMailboxEntry& a = boxes.add("ann", "a.example");
    a.newCount = 2;
    a.notifyPending = true;
    DNewMailNotice notice = collectNewMail(boxes.list);
    EXPECT_EQ("ann@a.example: 2 \xFAj lev\xE9l!", str(notice.items[0].text));
    EXPECT_EQ("ann@a.example: 2 \xFAj lev\xE9l!\n", str(notice.message));
}

TEST(Envelope, PendingNewsTurnsTheSeenPictureBack)
{
    DNewMailNotice notice;
    notice.anyNew = true;
    bool acknowledged = true;
    EXPECT_EQ(DEnvelope::seenMail, envelopeForNotice(notice, acknowledged));
    EXPECT_TRUE(acknowledged);
    notice.anyPending = true;
    EXPECT_EQ(DEnvelope::newMail, envelopeForNotice(notice, acknowledged));
    EXPECT_FALSE(acknowledged);
    notice.anyPending = false;
    EXPECT_EQ(DEnvelope::newMail, envelopeForNotice(notice, acknowledged));
}

TEST(Envelope, AcknowledgingTheLastItemRemovesIt)
{
    bool acknowledged = false;
    EXPECT_EQ(DEnvelope::seenMail, envelopeAfterAcknowledge(1, acknowledged));
    EXPECT_TRUE(acknowledged);
    EXPECT_EQ(DEnvelope::none, envelopeAfterAcknowledge(0, acknowledged));
    EXPECT_FALSE(acknowledged);
}

TEST(NotificationBox, OpensOnlyForPendingNewsAndTheChosenOption)
{
    EXPECT_FALSE(notificationBoxWanted(false, true, true, true));
    EXPECT_FALSE(notificationBoxWanted(true, false, false, true));
    EXPECT_TRUE(notificationBoxWanted(true, true, false, false));
    EXPECT_TRUE(notificationBoxWanted(true, false, true, true));
    EXPECT_FALSE(notificationBoxWanted(true, false, true, false));
}

TEST(Acknowledge, CommandsNameOnlyExistingMailboxes)
{
    EXPECT_EQ(-1, mailboxOfCommand(199, 3));
    EXPECT_EQ(0, mailboxOfCommand(200, 3));
    EXPECT_EQ(2, mailboxOfCommand(202, 3));
    EXPECT_EQ(-1, mailboxOfCommand(203, 3));
    EXPECT_EQ(-1, mailboxOfCommand(INT_MAX, 3));
    EXPECT_EQ(-1, mailboxOfCommand(200, 0));
}

TEST(Acknowledge, RaisesTheBaselineAndStaysInRange)
{
    DMailboxEntry plain("u", "s", "", 10, false, false, "");
    plain.newCount = 5;
    acknowledgeMailbox(plain);
    EXPECT_EQ(15, plain.seenCount);
    EXPECT_EQ(0, plain.newCount);

    DMailboxEntry allNew("u", "s", "", 10, true, false, "");
    allNew.newCount = 7;
    acknowledgeMailbox(allNew);
    EXPECT_EQ(7, allNew.seenCount);

    DMailboxEntry huge("u", "s", "", INT_MAX - 1, false, false, "");
    huge.newCount = INT_MAX;
    acknowledgeMailbox(huge);
    EXPECT_EQ(INT_MAX, huge.seenCount);
    EXPECT_EQ(0, huge.newCount);
}

TEST(Tooltip, PrefixIsNeverTranslated)
{
    Hungarian language;
    EXPECT_EQ("Pellaro: Hiba!", str(stateTooltip(translate("Error!"))));
    DMailboxEntry entry("me", "pop.example", "", 0, false, false, "");
    EXPECT_EQ("me@pop.example", str(mailboxLabel(entry)));
}

TEST(MailboxLabel, NamesTheHostWithoutModeOrPort)
{
    struct Case {
        const char* server;
        const char* label;
    } cases[] = {
        {"pop.example", "me@pop.example"},
        {"pop3s://mail.example.com", "me@mail.example.com"},
        {"pop3+stls://mail.example.com:1110", "me@mail.example.com"},
        {"mail.example.com:995", "me@mail.example.com"},
        {"[::1]:995", "me@::1"},
        {"pop3s://[2001:db8::5]", "me@2001:db8::5"},
        // A text that cannot be read is shown as it stands.
        {"mail.example.com:0", "me@mail.example.com:0"},
        {"pop3x://mail.example.com", "me@pop3x://mail.example.com"},
    };
    for (const Case& c : cases) {
        DMailboxEntry entry("me", c.server, "", 0, false, false, "");
        EXPECT_EQ(c.label, str(mailboxLabel(entry))) << c.server;
    }
}
