// DMailboxEntry: one configured POP3 mailbox and what the program remembers about its mail
// count. The entries live in the global list `mailboxes` (Mailboxes.h), in the order of the
// rows of the main window's mailbox list. The saved fields are those of the settings
// file's record, which an entry is built on; the password is kept in plain text in memory
// and the settings file stores it scrambled. Counts are numbers of messages on the server.
#pragma once

#include "foundation/DString.h"
#include "mail/DMailboxRecord.h"

class DMailboxEntry : public DMailboxRecord {
public:
    DMailboxEntry(const DString& userName, const DString& server, const DString& password,
                  int seenCount, bool allMailsNew, bool openWebSite, const DString& webAddress);
    // An entry for a mailbox read from the settings file: nothing new, nothing to announce.
    explicit DMailboxEntry(const DMailboxRecord& saved);
    ~DMailboxEntry() override;

    // The saved part, as the settings file keeps it.
    const DMailboxRecord& record() const { return *this; }

    int newCount = 0;            // messages reported as new now; not saved
    bool notifyPending = false;  // new messages not announced yet; not saved
};
