#include <gtest/gtest.h>

#include <climits>

#include "mail/NewMailRule.h"

namespace {

DMailboxEntry entry(int seenCount, bool allMailsNew)
{
    return DMailboxEntry("bob", "pop.example.invalid", "secret", seenCount, allMailsNew, false, "");
}

TEST(NewMailRule, AnnouncesMailOnlyWhenItsNumberGrows)
{
    DMailboxEntry e = entry(5, false);
    const int counts[] = {5, 5, 7, 7, 9};
    const int newCounts[] = {0, 0, 2, 2, 4};
    const bool pending[] = {false, false, true, false, true};
    for (int i = 0; i < 5; ++i) {
        applyMailCount(e, counts[i]);
        EXPECT_EQ(e.newCount, newCounts[i]) << "check " << i;
        EXPECT_EQ(e.notifyPending, pending[i]) << "check " << i;
        EXPECT_EQ(e.seenCount, 5);
    }
    // Messages were deleted: the baseline follows the server down.
    applyMailCount(e, 3);
    EXPECT_EQ(e.seenCount, 3);
    EXPECT_EQ(e.newCount, 0);
    EXPECT_FALSE(e.notifyPending);
    applyMailCount(e, 4);
    EXPECT_EQ(e.newCount, 1);
    EXPECT_TRUE(e.notifyPending);
}

TEST(NewMailRule, AnUnannouncedNoticeStaysPendingUntilTheNumberIsSeen)
{
    DMailboxEntry e = entry(0, false);
    applyMailCount(e, 2);
    EXPECT_TRUE(e.notifyPending);
    // Unchanged count: the rule recomputes and finds nothing more to announce.
    applyMailCount(e, 2);
    EXPECT_EQ(e.newCount, 2);
    EXPECT_FALSE(e.notifyPending);
    // Fewer new messages than before, but still some.
    applyMailCount(e, 1);
    EXPECT_EQ(e.newCount, 1);
    EXPECT_FALSE(e.notifyPending);
}

TEST(NewMailRule, WithAllMailsNewEveryCheckAnnouncesAgain)
{
    DMailboxEntry e = entry(5, true);
    for (int count : {5, 5, 8, 8, 2}) {
        applyMailCount(e, count);
        EXPECT_EQ(e.newCount, count);
        EXPECT_TRUE(e.notifyPending);
    }
    EXPECT_EQ(e.seenCount, 2);
    // An empty mailbox reports nothing: no new mail to show.
    applyMailCount(e, 0);
    EXPECT_EQ(e.newCount, 0);
    EXPECT_EQ(e.seenCount, 0);
}

TEST(NewMailRule, AnEmptyMailboxHasNoNewMail)
{
    DMailboxEntry e = entry(0, false);
    applyMailCount(e, 0);
    EXPECT_EQ(e.newCount, 0);
    EXPECT_FALSE(e.notifyPending);
    EXPECT_EQ(e.seenCount, 0);
}

TEST(NewMailRule, AKnownCountBelowZeroDoesNotOverflowTheNewCount)
{
    // Only a damaged settings file gives such a known count; the rule still answers sanely.
    DMailboxEntry low = entry(INT_MIN, false);
    applyMailCount(low, 5);
    EXPECT_EQ(low.newCount, INT_MAX);
    EXPECT_TRUE(low.notifyPending);
    EXPECT_EQ(low.seenCount, INT_MIN);

    DMailboxEntry slightlyLow = entry(-1, false);
    applyMailCount(slightlyLow, INT_MAX);
    EXPECT_EQ(slightlyLow.newCount, INT_MAX);
    applyMailCount(slightlyLow, 4);
    EXPECT_EQ(slightlyLow.newCount, 5);
    EXPECT_FALSE(slightlyLow.notifyPending);
}

TEST(NewMailRule, IgnoresACountThatIsNoCount)
{
    DMailboxEntry e = entry(4, false);
    e.newCount = 3;
    e.notifyPending = true;
    applyMailCount(e, -1);
    EXPECT_EQ(e.seenCount, 4);
    EXPECT_EQ(e.newCount, 3);
    EXPECT_TRUE(e.notifyPending);
}

}  // namespace
