#include "mail/DMailboxEntry.h"

DMailboxEntry::DMailboxEntry(const DString& userName, const DString& server,
                             const DString& password, int seenCount, bool allMailsNew,
                             bool openWebSite, const DString& webAddress)
{
    this->userName = userName;
    this->server = server;
    this->password = password;
    this->webAddress = webAddress;
    this->seenCount = seenCount;
    this->allMailsNew = allMailsNew;
    this->openWebSite = openWebSite;
}

DMailboxEntry::DMailboxEntry(const DMailboxRecord& saved) : DMailboxRecord(saved) {}

DMailboxEntry::~DMailboxEntry() = default;
