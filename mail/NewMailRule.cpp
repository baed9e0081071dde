#include "mail/NewMailRule.h"

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
        int fresh = mailCount - entry.seenCount;
        entry.notifyPending = fresh > entry.newCount;
        entry.newCount = fresh;
        if (entry.allMailsNew) {
            entry.newCount = mailCount;
            entry.notifyPending = true;
        }
    }
}
