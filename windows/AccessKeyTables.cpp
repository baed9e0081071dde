#include "windows/AccessKeyTables.h"

#include <cstring>

// The Hungarian captions each letter stands in are given readably in the comments.

const DAccessKeyTable& mainWindowAccessKeys()
{
    static const DAccessKeyTable table{
        "main window",
        {
            {"Mailboxes", 'M', 'P'},                                         // Postafiókok
            {"Add", 'A', 'H'},                                               // Hozzáadás
            {"Edit", 'E', 'S'},                                              // Szerkesztés
            {"Remove", 'R', 'T'},                                            // Törlés
            {"Interval", 'I', 'I'},                                          // Idököz
            {"Options", 'O', 'B'},                                           // Beállítások
            {"Show notification box for new mails", 'N', 'M'},               // ... megjelenítése
            {"Show notification box for new mails at startup", 'U', 'D'},    // ... induláskor
            {"Check internet connection", 'T', 'K'},                         // Internet kapcsolat ...
            {"Check Now!", 'C', 'O'},                                        // Ellenörzés most!
            {"Hide", 'H', 'E'},                                              // Elrejtés
            {"Exit", 'X', 'L'},                                              // Kilépés
        },
    };
    return table;
}

const DAccessKeyTable& mailboxWindowAccessKeys()
{
    static const DAccessKeyTable table{
        "mailbox window",
        {
            {"Server (POP3):", 'S', 'S'},               // Szerver (POP3):
            {"Security:", 'R', 'B'},                    // Biztonság:
            {"Port:", 'P', 'P'},                        // Port:
            {"User name:", 'U', 'F'},                   // Felhasználónév:
            {"Password:", 'D', 'J'},                    // Jelszó:
            {"All mails are new on server", 'A', 'M'},  // Minden levél új a szerveren
            {"Open web site", 'W', 'W'},                // Weblap megnyitása
            {"OK", 'O', 'O'},                           // OK
            {"Cancel", 'C', 'G'},                       // Mégse
        },
    };
    return table;
}

const DAccessKeyTable& infoBoxAccessKeys()
{
    static const DAccessKeyTable table{"information box", {{"OK", 'O', 'O'}}};
    return table;
}

std::vector<const DAccessKeyTable*> allAccessKeyTables()
{
    return {&mainWindowAccessKeys(), &mailboxWindowAccessKeys(), &infoBoxAccessKeys()};
}

char accessKeyOf(const DAccessKeyTable& table, const char* englishCaption, bool hungarian)
{
    if (!englishCaption)
        return 0;
    for (const DAccessKeyEntry& entry : table.entries)
        if (std::strcmp(entry.caption, englishCaption) == 0)
            return hungarian ? entry.hungarian : entry.english;
    return 0;
}
