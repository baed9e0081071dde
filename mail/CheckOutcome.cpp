#include "mail/CheckOutcome.h"

#include <climits>

#include "foundation/DPellaroDictionary.h"
#include "mail/NewMailRule.h"
#include "mail/ServerAddress.h"

DString stateTooltip(const DString& text)
{
    return DString("Pellaro: ") + text;
}

DString mailboxLabel(const DMailboxEntry& entry)
{
    // The host alone: the mode and the port are no part of a mailbox's name. A server text
    // that cannot be read is shown whole, so the user sees what to mend.
    const ServerAddress address = parseServerAddress(entry.server);
    return entry.userName + "@" + (address.valid ? address.host : entry.server);
}

DPollAction pollDecision(bool disabled, bool anyRunning, unsigned& ticks, unsigned limit)
{
    if (disabled)
        return DPollAction::stopped;
    if (!anyRunning)
        return DPollAction::finished;
    if (ticks < limit)
        ticks++;
    return ticks < limit ? DPollAction::keepWaiting : DPollAction::timedOut;
}

static DMailboxEntry* entryAt(DList& mailboxes, int index)
{
    if (index < 0 || index >= mailboxes.count())
        return nullptr;
    return static_cast<DMailboxEntry*>(mailboxes.get(index));
}

DCheckSummary applyCheckResults(const std::vector<DThreadResult>& results, DList& mailboxes)
{
    DCheckSummary summary;
    for (const DThreadResult& result : results) {
        DMailboxEntry* entry = entryAt(mailboxes, result.mailboxIndex);
        if (!entry)
            continue;
        DRowResult row;
        row.row = result.mailboxIndex;
        if (result.started && result.status == "OK") {
            applyMailCount(*entry, result.mailCount);
            row.status = translate("Idle");
            row.hasCount = true;
            row.newMails = DString(entry->newCount);
        } else {
            summary.anyError = true;
            row.status = result.started && result.status.length() > 0 ? result.status
                                                                      : translate("Error!");
        }
        summary.rows.push_back(row);
    }
    return summary;
}

DNewMailNotice collectNewMail(DList& mailboxes)
{
    DNewMailNotice notice;
    int count = mailboxes.count();
    for (int i = 0; i < count; i++) {
        DMailboxEntry* entry = entryAt(mailboxes, i);
        if (!entry || entry->newCount <= 0)
            continue;
        bool plural = entry->newCount >= 2;
        DString line = mailboxLabel(*entry) + translate(" has ") + DString(entry->newCount);
        DNoticeItem item;
        item.command = newMailCommandBase + i;
        item.text = line + translate(plural ? " new mails!" : " new mail!");
        notice.items.push_back(item);
        if (entry->notifyPending) {
            notice.message = notice.message + line +
                             translate(plural ? " new mails!\n" : " new mail!\n");
            notice.anyPending = true;
        }
        notice.anyNew = true;
        entry->notifyPending = false;
    }
    return notice;
}

DEnvelope envelopeForNotice(const DNewMailNotice& notice, bool& acknowledged)
{
    if (!notice.anyNew)
        return DEnvelope::none;
    if (notice.anyPending) {
        acknowledged = false;
        return DEnvelope::newMail;
    }
    return acknowledged ? DEnvelope::seenMail : DEnvelope::newMail;
}

bool notificationBoxWanted(bool anyPending, bool notify, bool notifyAtStartup,
                           bool firstCheckPending)
{
    return anyPending && (notify || (notifyAtStartup && firstCheckPending));
}

int mailboxOfCommand(int command, int mailboxCount)
{
    if (command < newMailCommandBase)
        return -1;
    long long index = static_cast<long long>(command) - newMailCommandBase;
    return index < mailboxCount ? static_cast<int>(index) : -1;
}

void acknowledgeMailbox(DMailboxEntry& entry)
{
    long long seen = entry.allMailsNew
                         ? static_cast<long long>(entry.newCount)
                         : static_cast<long long>(entry.seenCount) + entry.newCount;
    if (seen > INT_MAX)
        seen = INT_MAX;
    if (seen < INT_MIN)
        seen = INT_MIN;
    entry.seenCount = static_cast<int>(seen);
    entry.newCount = 0;
}

DEnvelope envelopeAfterAcknowledge(int itemsLeft, bool& acknowledged)
{
    acknowledged = itemsLeft > 0;
    return itemsLeft > 0 ? DEnvelope::seenMail : DEnvelope::none;
}
