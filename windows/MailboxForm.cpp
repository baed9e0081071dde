#include "windows/MailboxForm.h"

#include "mail/Mailboxes.h"

DMailboxFormLayout mailboxFormLayout(int width, int height)
{
    DMailboxFormLayout l;
    const int w = width - 20;  // the options group's own width
    l.serverLabel = {10, 10, width - 20, 20};
    l.serverInput = {10, 32, width - 20, 20};
    l.userLabel = {10, 54, width - 20, 20};
    l.userInput = {10, 76, width - 20, 20};
    l.passwordLabel = {10, 98, width - 20, 20};
    l.passwordInput = {10, 120, width - 20, 20};
    l.optionsGroup = {10, 142, w, 95};
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

DMailboxFields fieldsOfEntry(const DMailboxEntry& entry)
{
    DMailboxFields f;
    f.server = entry.server;
    f.userName = entry.userName;
    f.password = entry.password;
    f.webAddress = entry.webAddress;
    f.allMailsNew = entry.allMailsNew;
    f.openWebSite = entry.openWebSite;
    return f;
}

DMailboxEntry* entryOfFields(const DMailboxFields& fields)
{
    return new DMailboxEntry(fields.userName, fields.server, fields.password, 0,
                             fields.allMailsNew, fields.openWebSite, fields.webAddress);
}

int storeMailboxForm(DList& list, int index, const DMailboxFields& fields)
{
    if (!mailboxFormComplete(fields))
        return -1;
    if (index != -1 && (index < 0 || index >= list.count()))
        return -1;
    mailboxesLocked.store(true);
    DMailboxEntry* entry = entryOfFields(fields);
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
