// DMailboxRecord: one mailbox as the settings file keeps it, and the saved part of every
// mailbox entry (DMailboxEntry adds what is only known while the program runs). The
// password is in plain text here; the settings codec scrambles it on the way out and
// unscrambles it on the way in. Counts are numbers of messages on the server.
#pragma once

#include "foundation/DString.h"

class DMailboxRecord : public DObject {
public:
    DString userName;
    DString server;      // host, port and security as ServerAddress.h reads them
    DString password;    // plain text
    DString webAddress;  // kept also while openWebSite is off
    int seenCount = 0;   // messages the user already knows about (the baseline of "new")
    bool allMailsNew = false;  // every message on the server counts as new
    bool openWebSite = false;  // acknowledging new mail opens webAddress
};
