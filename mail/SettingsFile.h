// The settings file on disk: ".Pellaro.ini" in the user's documents folder, hidden, in the
// layout of SettingsCodec.h. Reading falls back to a copy in the program's own folder when
// the documents folder has none; writing always goes to the documents folder.
// Saving never loses the settings: the new file is written completely beside the old one,
// forced to the disk, and then put in its place in one step, so a failed or interrupted save
// - even a power cut - leaves the previous file as it was. The new file's name carries the
// process id (".Pellaro.ini.<pid>.new"): two running copies of the program each write their
// own, and a copy only ever removes its own leftover.
// Every function comes in two forms: one for the real folders, and one taking the folders
// as parameters (a documents folder without a trailing "\", a program folder with one).
#pragma once

#include "foundation/DString.h"
#include "mail/SettingsCodec.h"

extern const char* const settingsFileName;  // ".Pellaro.ini"

// `documents` + "\" + ".Pellaro.ini".
DString settingsPathIn(const DString& documents);
// The settings file in the user's documents folder.
DString settingsPath();
// Where this process writes a new settings file before it replaces the old one:
// `documents` + "\.Pellaro.ini." + the process id in decimal + ".new".
DString settingsTemporaryPathIn(const DString& documents);

// Reads the settings into `settings`: from the documents folder's file, or, when that cannot
// be opened, from `program` + ".Pellaro.ini". False, with `settings` unchanged, when neither
// opens or the file read is not a settings file.
bool loadSettingsFile(const DString& documents, const DString& program, DSettingsRecord& settings);
bool loadSettingsFile(DSettingsRecord& settings);

// Replaces the documents folder's settings file with `settings`. True when the new file is
// complete and in place, hidden and archive. On false the previous file is untouched.
bool saveSettingsFile(const DString& documents, const DSettingsRecord& settings);
bool saveSettingsFile(const DSettingsRecord& settings);

// Start-up's early look at the interface language, from the same file loadSettingsFile
// reads: true for Hungarian; English when there is no usable file.
bool readStartupLanguage(const DString& documents, const DString& program);
bool readStartupLanguage();
