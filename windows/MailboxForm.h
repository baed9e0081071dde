// The mailbox window's decisions that need no window: where its controls go, when its
// fields make a mailbox, and how a confirmed form becomes an entry of the mailbox list.
// Portable: the window (DMailBoxWindow) only moves values between its controls and a
// DMailboxFields and carries out what these functions decide.
#pragma once

#include "foundation/DList.h"
#include "foundation/DString.h"
#include "mail/DMailboxEntry.h"

// What the form holds: the three input lines, the address line and the two check boxes.
struct DMailboxFields {
    DString server;
    DString userName;
    DString password;
    DString webAddress;
    bool allMailsNew = false;
    bool openWebSite = false;
};

// A control's place: x, y relative to its parent (the window, or the options group for the
// two check boxes and the address line), and its size.
struct DFormRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Every control's place for a client area of `width` x `height` (300 x 280 in use).
struct DMailboxFormLayout {
    DFormRect serverLabel, serverInput;
    DFormRect userLabel, userInput;
    DFormRect passwordLabel, passwordInput;
    DFormRect optionsGroup;                  // in the window
    DFormRect allNewCheck, webSiteCheck;     // in the options group
    DFormRect urlInput;                      // in the options group
    DFormRect okButton, cancelButton;
};
DMailboxFormLayout mailboxFormLayout(int width, int height);

// The window's client size.
const int mailboxFormWidth = 300;
const int mailboxFormHeight = 280;

// A form makes a mailbox only with a user name and a server; the password and the web
// address may be empty.
bool mailboxFormComplete(const DMailboxFields& fields);

// The fields an existing entry fills the form with in edit mode.
DMailboxFields fieldsOfEntry(const DMailboxEntry& entry);

// A new entry from a complete form: nothing is known about its mail yet, so its seen count
// is 0 and at its first check every message on the server counts as new. Owned by the
// caller.
DMailboxEntry* entryOfFields(const DMailboxFields& fields);

// Puts a new entry made from `fields` into `list`: appended when `index` is -1, otherwise
// in place of the entry at `index`, which is destroyed (entries are never edited in place).
// Working threads are kept away meanwhile through mailboxesLocked. Returns the index of the
// new entry, or -1 (nothing changed) when the form is incomplete or `index` names no entry.
int storeMailboxForm(DList& list, int index, const DMailboxFields& fields);
