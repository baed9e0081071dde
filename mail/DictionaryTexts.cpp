#include "mail/DictionaryTexts.h"

#include "mail/GuideTexts.h"

// The Hungarian texts are Windows ANSI bytes; each is also given readably in a comment.
// They use only the accented letters whose bytes are the same in the Central European and
// the Western code pages (ö stands where Hungarian writes the double-acute o).
void fillDictionary(DPellaroDictionary& d)
{
    d.addPair("Cannot connect to server!", "Nem lehet csatlakozni a szerverhez!");
    d.addPair("Connection lost!", "Kapcsolat megszakadt!");
    d.addPair("Internal server error!", "Bels\xF6 szerver hiba!");  // Belsö szerver hiba!
    d.addPair("Comms error!", "Komm. hiba!");
    d.addPair("Login failed!", "Login sikertelen!");
    d.addPair("Cannot determine mail count!", "A levelek sz\xE1ma nem meghat\xE1rozhat\xF3!");  // A levelek száma nem meghatározható!
    d.addPair(englishGuideText(), hungarianGuideText());
    d.addPair("Server (POP3):", "Szerver (POP3):");
    d.addPair("User name:", "Felhaszn\xE1l\xF3n\xE9v:");  // Felhasználónév:
    d.addPair("Password:", "Jelsz\xF3:");  // Jelszó:
    d.addPair("Options", "Be\xE1ll\xEDt\xE1sok");  // Beállítások
    d.addPair("All mails are new on server", "Minden lev\xE9l \xFAj a szerveren");  // Minden levél új a szerveren
    d.addPair("Open web site", "Weblap megnyit\xE1sa");  // Weblap megnyitása
    d.addPair("Cancel", "M\xE9gse");  // Mégse
    d.addPair("Unchecked", "Ellen\xF6rizetlen");  // Ellenörizetlen
    d.addPair("Idle", "\xDCresj\xE1r\xE1s");  // Üresjárás
    d.addPair("Status", "\xC1llapot");  // Állapot
    d.addPair("Mailboxes", "Postafi\xF3kok");  // Postafiókok
    d.addPair("Mailbox", "Postafi\xF3k");  // Postafiók
    d.addPair("New mails", "\xDAj levelek");  // Új levelek
    d.addPair("Add", "Hozz\xE1" "ad\xE1s");  // Hozzáadás
    d.addPair("Edit", "Szerkeszt\xE9s");  // Szerkesztés
    d.addPair("Remove", "T\xF6rl\xE9s");  // Törlés
    d.addPair("Interval", "Id\xF6k\xF6z");  // Idököz
    d.addPair("1 minute", "1 perc");
    d.addPair("5 minutes", "5 perc");
    d.addPair("10 minutes", "10 perc");
    d.addPair("15 minutes", "15 perc");
    d.addPair("Show notification box for new mails", "\xC9rtes\xEDt\xE9s megjelen\xEDt\xE9se \xFAj levelek eset\xE9n");  // Értesítés megjelenítése új levelek esetén
    d.addPair("Show notification box for new mails at startup", "\xC9rtes\xEDt\xE9s megjelen\xEDt\xE9se \xFAj levelek eset\xE9n indul\xE1skor");  // Értesítés megjelenítése új levelek esetén induláskor
    d.addPair("Check internet connection", "Internet kapcsolat ellen\xF6rz\xE9se");  // Internet kapcsolat ellenörzése
    d.addPair("Check Now!", "Ellen\xF6rz\xE9s most!");  // Ellenörzés most!
    d.addPair("Hide", "Elrejt\xE9s");  // Elrejtés
    d.addPair("Exit", "Kil\xE9p\xE9s");  // Kilépés
    d.addPair("Options...", "Be\xE1ll\xEDt\xE1sok...");  // Beállítások...
    d.addPair("Disable", "Letilt\xE1s");  // Letiltás
    d.addPair("About...", "N\xE9vjegy...");  // Névjegy...
    d.addPair("User's Guide...", "Haszn\xE1lati utas\xEDt\xE1s...");  // Használati utasítás...
    d.addPair("Pellaro: Idle", "Pellaro: \xDCresj\xE1r\xE1s");  // Pellaro: Üresjárás
    d.addPair("Disabled!", "Letiltva!");
    d.addPair("Add Mailbox", "Postafi\xF3k hozz\xE1" "ad\xE1sa");  // Postafiók hozzáadása
    d.addPair("Edit Mailbox", "Postafi\xF3k szerkeszt\xE9se");  // Postafiók szerkesztése
    d.addPair("Unconfigured!", "Nincs konfigur\xE1lva!");  // Nincs konfigurálva!
    d.addPair("About", "N\xE9vjegy");  // Névjegy
    d.addPair("User's Guide", "Haszn\xE1lati utas\xEDt\xE1s");  // Használati utasítás
    d.addPair("Pellaro: Checking...", "Pellaro: Ellen\xF6rz\xE9s...");  // Pellaro: Ellenörzés...
    d.addPair("Checking...", "Ellen\xF6rz\xE9s...");  // Ellenörzés...
    d.addPair("No internet connection!", "Nincs internet kapcsolat!");
    d.addPair("There are new mails!", "\xDAj levelek!");  // Új levelek!
    d.addPair("Timeout!", "Id\xF6t\xFAll\xE9p\xE9s!");  // Idötúllépés!
    d.addPair("Error!", "Hiba!");
    d.addPair("Terminated!", "Le\xE1ll\xEDtva!");  // Leállítva!
    d.addPair("Language", "Nyelv");
    d.addPair("You must restart Pellaro for the new settings to take effect!", "Az \xFAj be\xE1llit\xE1sok \xE9rv\xE9nybe l\xE9p\xE9s\xE9hez a Pellaro \xFAjraindit\xE1sa sz\xFCks\xE9ges!");  // Az új beállitások érvénybe lépéséhez a Pellaro újrainditása szükséges!
    d.addPair("Information", "Inform\xE1" "ci\xF3");  // Információ
    d.addPair(" new mail!\n", " \xFAj lev\xE9l!\n");  //  új levél!\n
    d.addPair(" new mails!\n", " \xFAj lev\xE9l!\n");  //  új levél!\n
    d.addPair(" new mails!", " \xFAj lev\xE9l!");  //  új levél!
    d.addPair(" new mail!", " \xFAj lev\xE9l!");  //  új levél!
    d.addPair(" has ", ": ");
    addConnectionTexts(d);
    addInterfaceTexts(d);
}

// Texts of secured connections, of the server field, of busy servers and of a server that
// goes silent, after the 60 pairs the program started with.
void addConnectionTexts(DPellaroDictionary& d)
{
    d.addPair("Server busy, try later!", "A szerver foglalt, pr\xF3" "b\xE1lja k\xE9s\xF6" "bb!");  // A szerver foglalt, próbálja késöbb!
    d.addPair("Invalid server address!", "\xC9rv\xE9nytelen szerver c\xEDm!");  // Érvénytelen szerver cím!
    d.addPair("Invalid port number!", "\xC9rv\xE9nytelen portsz\xE1m!");  // Érvénytelen portszám!
    d.addPair("STLS refused by server!", "A szerver elutas\xEDtotta az STLS-t!");  // A szerver elutasította az STLS-t!
    d.addPair("TLS handshake failed!", "TLS kapcsol\xF3" "d\xE1s sikertelen!");  // TLS kapcsolódás sikertelen!
    d.addPair("Certificate expired!", "A tan\xFAs\xEDtv\xE1ny lej\xE1rt!");  // A tanúsítvány lejárt!
    d.addPair("Untrusted certificate!", "Nem megb\xEDzhat\xF3 tan\xFAs\xEDtv\xE1ny!");  // Nem megbízható tanúsítvány!
    d.addPair("Certificate name mismatch!", "A tan\xFAs\xEDtv\xE1ny neve nem egyezik!");  // A tanúsítvány neve nem egyezik!
    d.addPair("Certificate check failed!", "Tan\xFAs\xEDtv\xE1ny ellen\xF6rz\xE9s sikertelen!");  // Tanúsítvány ellenörzés sikertelen!
    d.addPair("Security:", "Biztons\xE1g:");  // Biztonság:
    d.addPair("None", "Nincs");
    d.addPair("STARTTLS", "STARTTLS");
    d.addPair("SSL/TLS", "SSL/TLS");
    d.addPair("Port:", "Port:");
    d.addPair("Server not responding!", "A szerver nem v\xE1laszol!");  // A szerver nem válaszol!
}

// The text fields' menu, then the words screen readers read for the controls.
void addInterfaceTexts(DPellaroDictionary& d)
{
    d.addPair("Cut", "Kiv\xE1g\xE1s");  // Kivágás
    d.addPair("Copy", "M\xE1sol\xE1s");  // Másolás
    d.addPair("Paste", "Beilleszt\xE9s");  // Beillesztés
    d.addPair("Delete", "T\xF6rl\xE9s");  // Törlés
    d.addPair("Press", "Megnyom\xE1s");  // Megnyomás
    d.addPair("Check", "Bejel\xF6l\xE9s");  // Bejelölés
    d.addPair("Uncheck", "Jel\xF6l\xE9s t\xF6rl\xE9se");  // Jelölés törlése
    d.addPair("Open", "Megnyit\xE1s");  // Megnyitás
    d.addPair("Close", "Bez\xE1r\xE1s");  // Bezárás
    d.addPair("Execute", "V\xE9grehajt\xE1s");  // Végrehajtás
    d.addPair("Select", "Kiv\xE1laszt\xE1s");  // Kiválasztás
    d.addPair("Vertical", "F\xFCgg\xF6leges");  // Függöleges
    d.addPair("Horizontal", "V\xEDzszintes");  // Vízszintes
}
