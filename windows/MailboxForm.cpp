#include "windows/MailboxForm.h"

#include "mail/Mailboxes.h"

#include <cstring>

namespace {

// The height of the security row: the combo box's, a pixel taller than an input line so its
// drop button fits.
const int securityRowHeight = 21;
// How far the security row moves everything from the user name down.
const int securityRowShift = 26;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A host pasted with a blank at an end is still that host.
DString withoutEndBlanks(const DString& text)
{
    int start = 0;
    int end = text.length();
    const char* s = text.text();
    while (start < end && isBlank(s[start]))
        start++;
    while (end > start && isBlank(s[end - 1]))
        end--;
    return DString(s + start, end - start);
}

// How much a mode protects the password: plain text, then STLS, then TLS from the first byte.
int strength(MailSecurity security)
{
    switch (security) {
    case MailSecurity::None: return 0;
    case MailSecurity::StartTls: return 1;
    case MailSecurity::Implicit: return 2;
    }
    return 0;
}

DFormServer badField(DMailboxFormField field, const DString& error)
{
    DFormServer result;
    result.bad = field;
    result.error = error;
    return result;
}

}  // namespace

const char* const mailboxSecurityNames[mailboxSecurityChoices] = {"None", "STARTTLS", "SSL/TLS"};

int securityChoice(MailSecurity security)
{
    switch (security) {
    case MailSecurity::None: return 0;
    case MailSecurity::StartTls: return 1;
    case MailSecurity::Implicit: return 2;
    }
    return 0;
}

MailSecurity securityOfChoice(int choice)
{
    if (choice == 1)
        return MailSecurity::StartTls;
    if (choice == 2)
        return MailSecurity::Implicit;
    return MailSecurity::None;
}

DMailboxFormLayout mailboxFormLayout(int width, int height)
{
    DMailboxFormLayout l;
    const int w = width - 20;  // the options group's own width
    const int d = securityRowShift;
    const int row = 56;
    l.serverLabel = {10, 10, width - 20, 20};
    l.serverInput = {10, 32, width - 20, 20};
    // "Security:" [combo]  "Port:" [port], the port field at the right edge.
    l.securityLabel = {10, row, 60, securityRowHeight};
    l.portInput = {width - 60, row, 50, 20};
    l.portLabel = {l.portInput.x - 40, row, 36, securityRowHeight};
    l.securityCombo = {75, row, l.portLabel.x - 8 - 75, securityRowHeight};
    l.userLabel = {10, 54 + d, width - 20, 20};
    l.userInput = {10, 76 + d, width - 20, 20};
    l.passwordLabel = {10, 98 + d, width - 20, 20};
    l.passwordInput = {10, 120 + d, width - 20, 20};
    l.optionsGroup = {10, 142 + d, w, 95};
    l.allNewCheck = {10, 20, w - 20, 20};
    l.webSiteCheck = {10, 40, w - 20, 20};
    l.urlInput = {40, 65, w - 50, 20};
    l.okButton = {width - 180, height - 35, 80, 25};
    l.cancelButton = {width - 90, height - 35, 80, 25};
    return l;
}

bool mailboxFormComplete(const DMailboxFields& fields)
{
    return fields.userName.length() > 0 && fields.server.length() > 0;
}

DString portAfterModeChange(const DString& port, MailSecurity before, MailSecurity after)
{
    const DString given = withoutEndBlanks(port);
    int number = 0;
    if (given.length() == 0 ||
        (parsePortNumber(given, &number) && number == defaultPop3Port(before)))
        return DString(defaultPop3Port(after));
    return port;
}

DFormServer composeFormServer(const DMailboxFields& fields)
{
    const ServerAddress typed = parseServerAddress(withoutEndBlanks(fields.server));
    if (!typed.valid)
        return badField(DMailboxFormField::server, typed.error);
    const bool schemeTyped = std::strstr(fields.server.text(), "://") != nullptr;
    // A scheme typed in the field may ask for more protection than the choice, never for
    // less: "pop3://" under a secured choice would send the password in plain text.
    if (schemeTyped && strength(typed.security) < strength(fields.security))
        return badField(DMailboxFormField::server, DString("Invalid server address!"));
    const MailSecurity security = schemeTyped ? typed.security : fields.security;
    int port = defaultPop3Port(security);
    if (typed.portGiven) {
        port = typed.port;
    } else {
        // The port field follows a typed scheme as it follows a choice.
        const DString given = withoutEndBlanks(
            schemeTyped ? portAfterModeChange(fields.port, fields.security, security)
                        : fields.port);
        if (given.length() > 0 && !parsePortNumber(given, &port))
            return badField(DMailboxFormField::port, DString("Invalid port number!"));
    }
    DFormServer result;
    result.text = composeServerText(typed.host, port, security);
    return result;
}

DMailboxFields fieldsOfEntry(const DMailboxEntry& entry)
{
    DMailboxFields f;
    const ServerAddress stored = parseServerAddress(entry.server);
    if (stored.valid) {
        f.server = stored.host;
        f.security = stored.security;
        f.port = DString(stored.port);
    } else {
        f.server = entry.server;
    }
    f.userName = entry.userName;
    f.password = entry.password;
    f.webAddress = entry.webAddress;
    f.allMailsNew = entry.allMailsNew;
    f.openWebSite = entry.openWebSite;
    return f;
}

DMailboxEntry* entryOfFields(const DMailboxFields& fields)
{
    const DFormServer server = composeFormServer(fields);
    if (server.bad != DMailboxFormField::none)
        return nullptr;
    return new DMailboxEntry(fields.userName, server.text, fields.password, 0,
                             fields.allMailsNew, fields.openWebSite, fields.webAddress);
}

int storeMailboxForm(DList& list, int index, const DMailboxFields& fields)
{
    if (!mailboxFormComplete(fields))
        return -1;
    if (index != -1 && (index < 0 || index >= list.count()))
        return -1;
    DMailboxEntry* entry = entryOfFields(fields);
    if (!entry)
        return -1;
    mailboxesLocked.store(true);
    int at = index;
    if (index == -1) {
        at = list.add(entry);
    } else {
        auto* old = static_cast<DMailboxEntry*>(list.set(index, entry));
        delete old;
    }
    mailboxesLocked.store(false);
    return at;
}
