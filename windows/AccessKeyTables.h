// The access keys of Pellaro's windows: for each window, which letter Alt takes to each
// labelled control, in English and in Hungarian. The letters live here, beside the texts,
// and not as '&' marks inside the dictionary's texts, so the dictionary keeps the program's
// texts byte for byte and the tests can check each window's letters on their own: every
// letter is a plain letter or digit that occurs in its caption, and no window uses one
// twice. The control's caption shows its letter underlined where it first occurs.
// Portable.
#pragma once

#include <vector>

// One control's access key: the caption's English text (the dictionary's key), the letter
// in an English window and the letter in a Hungarian one.
struct DAccessKeyEntry {
    const char* caption;
    char english;
    char hungarian;
};

struct DAccessKeyTable {
    const char* window;  // which window, for messages
    std::vector<DAccessKeyEntry> entries;
};

const DAccessKeyTable& mainWindowAccessKeys();
const DAccessKeyTable& mailboxWindowAccessKeys();
// The About box, the user's guide and the restart notice: their "OK" button.
const DAccessKeyTable& infoBoxAccessKeys();
std::vector<const DAccessKeyTable*> allAccessKeyTables();

// The letter of `englishCaption` in `table` for the window's language; 0 when the caption
// has none.
char accessKeyOf(const DAccessKeyTable& table, const char* englishCaption, bool hungarian);
