// The configured mailboxes: one global list of DMailboxEntry pointers, in the order of the
// rows of the main window's mailbox list (row i shows entry i). Start-up creates the list
// (it is null before); whoever removes an entry destroys it. Only the user-interface thread
// touches the list and its entries.
#pragma once

#include <atomic>

#include "foundation/DList.h"

extern DList* mailboxes;  // owned by start-up; holds DMailboxEntry pointers it does not own

// Set by the user-interface thread while it replaces or removes entries; working threads
// read it (and wait for it to clear) before they begin.
extern std::atomic<bool> mailboxesLocked;
