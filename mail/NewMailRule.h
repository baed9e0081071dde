// The new-mail rule: turns the message count of a successful check into "new mail" on a
// mailbox entry. seenCount is the user's baseline, raised only when the user acknowledges the
// news; newCount is what is reported as new now; notifyPending says the news should be
// announced (again). Mail stays new from check to check until it is acknowledged and is
// announced again only when its number grows; with allMailsNew every message on the server
// is new and every successful check announces the mailbox again. Portable.
#pragma once

#include "mail/DMailboxEntry.h"

// Applies a count told by the server to the entry. A negative count is not a count and
// changes nothing.
void applyMailCount(DMailboxEntry& entry, int mailCount);
