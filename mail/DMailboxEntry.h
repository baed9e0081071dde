// DMailboxEntry: one configured POP3 mailbox and what the program remembers about its mail
// count. The entries live in the global list `mailboxes` (Mailboxes.h), in the order of the
// rows of the main window's mailbox list. The password is kept in plain text in memory; the
// settings file stores it scrambled. Counts are numbers of messages on the server.
#pragma once

#include "foundation/DString.h"

class DMailboxEntry : public DObject {
public:
    DMailboxEntry(const DString& userName, const DString& server, const DString& password,
                  int seenCount, bool allMailsNew, bool openWebSite, const DString& webAddress);
    ~DMailboxEntry() override;

    DString userName;
    DString server;      // host name or dotted IPv4 address; POP3 port 110
    DString password;    // plain text
    int seenCount;       // messages the user already knows about (the baseline of "new"); saved
    bool allMailsNew;    // every message on the server counts as new; saved
    bool openWebSite;    // acknowledging new mail opens webAddress; saved
    DString webAddress;  // saved also while openWebSite is off
    int newCount = 0;            // messages reported as new now; not saved
    bool notifyPending = false;  // new messages not announced yet; not saved
};
