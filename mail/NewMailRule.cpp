#include "mail/NewMailRule.h"

#include <climits>

void applyMailCount(DMailboxEntry& entry, int mailCount)
{
    if (mailCount < 0)
        return;
    // The three cases are applied in turn, each to what the one before left: after messages
    // were deleted the baseline drops to the count and the equal case then applies as well.
    if (mailCount < entry.seenCount) {
        entry.seenCount = mailCount;
        entry.newCount = 0;
        entry.notifyPending = false;
        if (entry.allMailsNew) {
            entry.newCount = mailCount;
            entry.notifyPending = true;
        }
    }
    if (mailCount == entry.seenCount) {
        entry.newCount = 0;
        entry.notifyPending = false;
        if (entry.allMailsNew) {
            entry.newCount = mailCount;
            entry.notifyPending = true;
        }
    }
    if (mailCount > entry.seenCount) {
        // A known count below zero can only come from a damaged settings file; the difference
        // to it must not run past the largest count.
        long long difference = static_cast<long long>(mailCount) - entry.seenCount;
        int fresh = difference > INT_MAX ? INT_MAX : static_cast<int>(difference);
        entry.notifyPending = fresh > entry.newCount;
        entry.newCount = fresh;
        if (entry.allMailsNew) {
            entry.newCount = mailCount;
            entry.notifyPending = true;
        }
    }
}
