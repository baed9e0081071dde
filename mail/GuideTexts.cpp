#include "mail/GuideTexts.h"

namespace {

const char* const englishFirstPart =
    "After you log out of your mailbox you should issue a Check Now command "
    "from the tray icon (@)! This is only neccessary if you use a mail "
    "client (E.g.: Outlook, KMail, etc.).\n\n"
    "If you use a mail client don't forget to check the 'All mails are new "
    "on server' box at mailbox configuration!\n\n";

const char* const englishSecondPart =
    "If you use a web browser to access your mail you can check the 'Open "
    "web site' box and enter the web address of your mailbox at mailbox "
    "configuration.";

const char* const hungarianFirstPart =
    "A postafi\xF3kb\xF3l val\xF3 kijelentkez\xE9s ut\xE1n ki kell adni az Ellen\xF6rz\xE9s Most "
    "parancsot a t\xE1lca ikonb\xF3l (@)! Ez csak akkor sz\xFCks\xE9ges ha mail kliens "
    "programot haszn\xE1lsz (Pl.: Outlook, KMail, stb.).\n\n"
    "Ha mail klienst haszn\xE1lsz ne felejtsd el kipip\xE1lni a 'Minden lev\xE9l \xFAj a "
    "szerveren' n\xE9gyzetet a postafi\xF3k be\xE1llit\xE1s\xE1n\xE1l!\n\n";

const char* const hungarianSecondPart =
    "Ha web b\xF6ng\xE9sz\xF6vel \xE9red el a leveleid akkor kipip\xE1lhatod a 'Weblap "
    "megnyit\xE1sa' n\xE9gyzetet \xE9s beirhatod a postafi\xF3kod web cim\xE9t a postafi\xF3k "
    "be\xE1llit\xE1s\xE1n\xE1l.";

}  // namespace

DString englishGuideText()
{
    return DString(englishFirstPart) + englishSecondPart;
}

DString hungarianGuideText()
{
    return DString(hungarianFirstPart) + hungarianSecondPart;
}
