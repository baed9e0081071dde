#include "mail/SettingsFile.h"

#include <windows.h>

#include "foundation/DFileStreamReader.h"
#include "foundation/DFileStreamWriter.h"
#include "framework/SystemUtils.h"

const char* const settingsFileName = ".Pellaro.ini";

namespace {

const DWORD hiddenArchive = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;  // 34

bool openForReading(DFileStreamReader& reader, const DString& documents, const DString& program)
{
    return reader.open(settingsPathIn(documents)) ||
           reader.open(program + settingsFileName);
}

void removeFile(const DString& path)
{
    SetFileAttributesA(path.text(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.text());
}

}  // namespace

DString settingsPathIn(const DString& documents)
{
    return documents + "\\" + settingsFileName;
}

DString settingsPath()
{
    return settingsPathIn(documentsFolder());
}

bool loadSettingsFile(const DString& documents, const DString& program, DSettingsRecord& settings)
{
    DFileStreamReader reader;
    if (!openForReading(reader, documents, program))
        return false;
    return readSettings(reader, settings);
}

bool loadSettingsFile(DSettingsRecord& settings)
{
    return loadSettingsFile(documentsFolder(), programFolder(), settings);
}

bool saveSettingsFile(const DString& documents, const DSettingsRecord& settings)
{
    DString path = settingsPathIn(documents);
    DString fresh = path + ".new";

    // A leftover of an interrupted save is stale: start the new file from nothing.
    DWORD leftover = GetFileAttributesA(fresh.text());
    if (leftover != INVALID_FILE_ATTRIBUTES && !(leftover & FILE_ATTRIBUTE_DIRECTORY))
        removeFile(fresh);

    DFileStreamWriter writer;
    if (!writer.open(fresh))
        return false;
    bool written = writeSettings(writer, settings);
    bool closed = writer.close();
    if (!written || !closed) {
        removeFile(fresh);
        return false;
    }
    SetFileAttributesA(fresh.text(), hiddenArchive);

    // A hidden, system or read-only file may refuse to be replaced: clear those attributes
    // of the old file for the moment of the replacement, and give them back if it fails.
    DWORD old = GetFileAttributesA(path.text());
    bool cleared = false;
    if (old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY) &&
        (old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY)))
        cleared = SetFileAttributesA(path.text(), FILE_ATTRIBUTE_NORMAL) != 0;
    if (!MoveFileExA(fresh.text(), path.text(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (cleared)
            SetFileAttributesA(path.text(), old);
        removeFile(fresh);
        return false;
    }
    SetFileAttributesA(path.text(), hiddenArchive);
    return true;
}

bool saveSettingsFile(const DSettingsRecord& settings)
{
    return saveSettingsFile(documentsFolder(), settings);
}

bool readStartupLanguage(const DString& documents, const DString& program)
{
    DFileStreamReader reader;
    bool hungarian = false;
    if (openForReading(reader, documents, program))
        readSettingsLanguage(reader, hungarian);
    return hungarian;
}

bool readStartupLanguage()
{
    return readStartupLanguage(documentsFolder(), programFolder());
}
