// The settings file's layout, apart from where the file lives: a portable encoder and
// decoder between a DStream and a plain settings record. The main window moves values
// between its controls and a DSettingsRecord; SettingsFile.h finds, reads and replaces the
// file itself.
//
// Layout (numbers little-endian; a "count"/"flag" is 32 bits signed; a text is a 32-bit byte
// count followed by exactly that many ANSI bytes, no terminator): the bytes 2 and 3; the
// interval choice (0 = 1, 1 = 5, 2 = 10, 3 = 15 minutes); the three options as flags (1 on,
// 0 off); one language byte (1 Hungarian, 0 English); the number N of mailbox records; then
// N records of: user name, server, scrambled password, web address (four texts), the seen
// count and the two mailbox flags. No names, keys, checksum or end marker: position is
// meaning. A file written with no mailboxes is 23 bytes long.
#pragma once

#include <vector>

#include "foundation/DStream.h"
#include "foundation/DString.h"
#include "mail/DMailboxRecord.h"

// Everything the settings file holds. The defaults are what a program without a settings
// file uses: 5 minutes, both notification options on, no connection check, English.
class DSettingsRecord : public DObject {
public:
    int intervalIndex = 1;
    bool notify = true;
    bool notifyAtStartup = true;
    bool connectionCheck = false;
    bool hungarian = false;
    std::vector<DMailboxRecord> mailboxes;
};

// The check interval of an interval choice: 0 -> 60000, 1 -> 300000, 2 -> 600000,
// 3 -> 900000 ms. Any other choice gives false and leaves `milliseconds` as it was (the
// check timer then keeps its interval).
bool intervalOfChoice(int choice, int& milliseconds);

// Writes the whole layout; false when any byte could not be written.
bool writeSettings(DStream& out, const DSettingsRecord& settings);

// Reads the layout from the stream's current position into `settings`. A stream that does
// not start with the bytes 2 and 3 changes nothing and gives false. Otherwise the options
// are taken as read (a flag is on only when it is exactly 1, Hungarian only when the byte is
// exactly 1), the mailboxes are replaced by the records read, and the result is true.
// A damaged file ends the reading where the damage is: values read completely before it
// are kept, a record cut short is dropped, and a text count that is negative or larger
// than the rest of the stream counts as damage. Nothing is allocated by a count before it
// has been checked against the bytes left, so no count can exhaust memory or time.
bool readSettings(DStream& in, DSettingsRecord& settings);

// Start-up's early look at the language: true (and `hungarian` set) when the stream is a
// settings file long enough to hold the language byte; false, with `hungarian` unchanged,
// otherwise.
bool readSettingsLanguage(DStream& in, bool& hungarian);
