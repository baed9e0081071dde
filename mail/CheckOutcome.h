// The decisions of the check cycle that need no window: what one poll tick of a running
// check leads to, which list texts and tray state follow from the working threads' results,
// what the new-mail menu and the notification box hold, which envelope picture shows, and
// the arithmetic of acknowledging a mailbox. The main window carries them out on its
// controls and tray icons. Portable; every text comes out already translated.
#pragma once

#include <vector>

#include "foundation/DList.h"
#include "foundation/DString.h"
#include "mail/DMailboxEntry.h"

// Poll ticks after which a running check is stopped: 300 ticks of a second, five minutes.
const unsigned checkTimeoutTicks = 300;
// How long stopping a check (Disable, the timeout, Exit, the session's end) waits for its
// threads before it lets the ones that do not answer end on their own.
const int checkStopLimitMs = 3000;
// The new-mail menu's first command; mailbox i has command newMailCommandBase + i.
const int newMailCommandBase = 200;

// "Pellaro: " followed by a text already translated (the prefix is never translated).
DString stateTooltip(const DString& text);
// A mailbox's name in the list and in the new-mail menu: user name, "@", the host of its
// server text (the whole text when it cannot be read).
DString mailboxLabel(const DMailboxEntry& entry);

// What one tick of the poll timer does with a running check.
enum class DPollAction {
    keepWaiting,  // threads still run: poll again
    timedOut,     // threads still run after the last allowed tick: stop them, "Timeout!"
    stopped,      // "Disable" was chosen meanwhile: stop them, no result
    finished,     // every thread has ended: read the results
};
// `ticks` counts the ticks that found threads running; it reaches `limit` at most.
DPollAction pollDecision(bool disabled, bool anyRunning, unsigned& ticks,
                         unsigned limit = checkTimeoutTicks);

// What a working thread left, read after it ended. `started` is false for a thread the
// system could not start: it never ran, so it has no status of its own.
struct DThreadResult {
    int mailboxIndex = 0;
    DString status;      // "OK" or a translated error text
    int mailCount = -1;
    bool started = true;
};

// The texts of one mailbox row after a check.
struct DRowResult {
    int row = 0;
    DString status;      // column "Status"
    bool hasCount = false;
    DString newMails;    // column "New mails", when hasCount
};

struct DCheckSummary {
    std::vector<DRowResult> rows;  // in the order of the results
    bool anyError = false;
};

// Applies the results of a finished check, in order: a thread that reported "OK" gives its
// entry the new-mail rule with its count and its row "Idle" and the new count; any other
// thread leaves its entry alone and its row shows its own error text, or "Error!" when it
// has none (it could not start, or ended without an outcome) - never an empty cell. A result
// whose index has no entry any more changes nothing and shows nothing.
DCheckSummary applyCheckResults(const std::vector<DThreadResult>& results, DList& mailboxes);

// One item of the new-mail menu.
struct DNoticeItem {
    int command = 0;
    DString text;
};

// The new-mail notice rebuilt from the mailboxes.
struct DNewMailNotice {
    std::vector<DNoticeItem> items;  // one per mailbox with new mail, in list order
    DString message;                 // the box's text: one line per mailbox with pending news
    bool anyNew = false;
    bool anyPending = false;
};

// Collects the notice and clears every entry's notifyPending: news is announced once.
DNewMailNotice collectNewMail(DList& mailboxes);

enum class DEnvelope { none, newMail, seenMail };

// The envelope of a rebuilt notice. Pending news shows the new-mail picture and clears
// `acknowledged`; otherwise the seen picture while `acknowledged` is set.
DEnvelope envelopeForNotice(const DNewMailNotice& notice, bool& acknowledged);
// Whether the rebuilt notice opens the box: only with pending news, and then with the
// first option, or with the start-up option while the first notice is still to come.
bool notificationBoxWanted(bool anyPending, bool notify, bool notifyAtStartup,
                           bool firstCheckPending);

// The mailbox index of a menu command, or -1 when it names none of `mailboxCount`.
int mailboxOfCommand(int command, int mailboxCount);
// Marks the entry's new mail as seen. The sum is formed in 64 bits and kept within the
// stored 32-bit range, so a huge count never wraps to a negative baseline.
void acknowledgeMailbox(DMailboxEntry& entry);
// The envelope once an item was removed from the new-mail menu: none when no item is left
// (and `acknowledged` cleared), otherwise the seen picture (and `acknowledged` set).
DEnvelope envelopeAfterAcknowledge(int itemsLeft, bool& acknowledged);
