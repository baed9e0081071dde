#include "mail/Mailboxes.h"

DList* mailboxes = nullptr;
std::atomic<bool> mailboxesLocked{false};
