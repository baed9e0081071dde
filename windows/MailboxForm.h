// The mailbox window's decisions that need no window: where its controls go, when its
// fields make a mailbox, and how a confirmed form becomes an entry of the mailbox list.
// Portable: the window (DMailBoxWindow) only moves values between its controls and a
// DMailboxFields and carries out what these functions decide.
#pragma once

#include "foundation/DList.h"
#include "foundation/DString.h"
#include "mail/DMailboxEntry.h"
#include "mail/ServerAddress.h"

// What the form holds: the input lines, the security choice, the address line and the two
// check boxes. `server` is the host as the user sees it; the mode and the port sit beside
// it, and the entry keeps all three in one server text (see composeFormServer).
struct DMailboxFields {
    DString server;
    MailSecurity security = MailSecurity::None;
    DString port;  // empty stands for the mode's usual port
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

// Every control's place for a client area of `width` x `height` (mailboxFormWidth x
// mailboxFormHeight in use). The security row sits under the server field; everything
// from the user name down keeps its old arrangement one row lower.
struct DMailboxFormLayout {
    DFormRect serverLabel, serverInput;
    DFormRect securityLabel, securityCombo, portLabel, portInput;
    DFormRect userLabel, userInput;
    DFormRect passwordLabel, passwordInput;
    DFormRect optionsGroup;                  // in the window
    DFormRect allNewCheck, webSiteCheck;     // in the options group
    DFormRect urlInput;                      // in the options group
    DFormRect okButton, cancelButton;
};
DMailboxFormLayout mailboxFormLayout(int width, int height);

// The window's size, as its opener creates it.
const int mailboxFormWidth = 300;
const int mailboxFormHeight = 306;

// The choices of the security combo box, in its order; mailboxSecurityNames[i] is the
// English text of choice i.
const int mailboxSecurityChoices = 3;
extern const char* const mailboxSecurityNames[mailboxSecurityChoices];
int securityChoice(MailSecurity security);
MailSecurity securityOfChoice(int choice);  // None for a choice out of range

// The port field after the mode changed from `before` to `after`: the new mode's usual
// port when the field was empty or held the old mode's usual port, otherwise (a port the
// user chose) the field unchanged.
DString portAfterModeChange(const DString& port, MailSecurity before, MailSecurity after);

// Which field keeps a form from making a server text.
enum class DMailboxFormField { none, server, port };

// The server text of a form, or the field at fault and the English text of what is wrong.
struct DFormServer {
    DString text;
    DMailboxFormField bad = DMailboxFormField::none;
    DString error;
};

// Composes the server text an entry keeps from the server field, the mode and the port. The
// server field is read as the settings file's server text is, blanks at its ends aside, so
// a pasted "pop3s://host" or "host:995" works as well: a scheme or a port written there
// wins over the choice and the port field, except a scheme that protects less than the
// choice ("pop3://" under SSL/TLS), which is refused rather than taken. A port field other than 1..65535 in digits is
// refused; empty means the mode's usual port. Plain text to port 110 gives the bare host,
// the text every older mailbox has.
DFormServer composeFormServer(const DMailboxFields& fields);

// A form makes a mailbox only with a user name and a server; the password and the web
// address may be empty.
bool mailboxFormComplete(const DMailboxFields& fields);

// The fields an existing entry fills the form with in edit mode: the host, the mode and the
// port read from its server text. A text that cannot be read stays whole in the server
// field, with plain text and an empty port, for the user to mend.
DMailboxFields fieldsOfEntry(const DMailboxEntry& entry);

// A new entry from a complete form whose server text composes: nothing is known about its
// mail yet, so its seen count is 0 and at its first check every message on the server
// counts as new. Owned by the caller; null when the server text does not compose.
DMailboxEntry* entryOfFields(const DMailboxFields& fields);

// Puts a new entry made from `fields` into `list`: appended when `index` is -1, otherwise
// in place of the entry at `index`, which is destroyed (entries are never edited in place).
// Working threads are kept away meanwhile through mailboxesLocked. Returns the index of the
// new entry, or -1 (nothing changed) when the form is incomplete, its server text does not
// compose or `index` names no entry.
int storeMailboxForm(DList& list, int index, const DMailboxFields& fields);
