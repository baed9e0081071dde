#include "mail/DMailboxEntry.h"

DMailboxEntry::DMailboxEntry(const DString& userName, const DString& server,
                             const DString& password, int seenCount, bool allMailsNew,
                             bool openWebSite, const DString& webAddress)
    : userName(userName),
      server(server),
      password(password),
      seenCount(seenCount),
      allMailsNew(allMailsNew),
      openWebSite(openWebSite),
      webAddress(webAddress)
{
}

DMailboxEntry::~DMailboxEntry() = default;
