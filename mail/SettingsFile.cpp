#include "mail/SettingsFile.h"

#include <windows.h>

#include <cstdio>

#include "foundation/DFileStreamReader.h"
#include "foundation/DFileStreamWriter.h"
#include "system/KnownFolders.h"

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

// The C library's flush only hands the bytes to the system, which may keep them in its
// cache long after the replacement's rename has reached the disk: after a power cut the
// settings file would then read back as zeros. The cache belongs to the file, not to a
// handle, so a fresh handle's flush forces out what the writer put there.
bool forceToDisk(const DString& path)
{
    HANDLE file = CreateFileA(path.text(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool flushed = FlushFileBuffers(file) != 0;
    return CloseHandle(file) != 0 && flushed;
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

DString settingsTemporaryPathIn(const DString& documents)
{
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%lu.new", static_cast<unsigned long>(GetCurrentProcessId()));
    return settingsPathIn(documents) + suffix;
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
    DString fresh = settingsTemporaryPathIn(documents);

    // A leftover under this process's name is stale (an earlier process with the same id
    // was stopped mid-save): start the new file from nothing. Other names may be another
    // running copy's save in progress and are left alone.
    DWORD leftover = GetFileAttributesA(fresh.text());
    if (leftover != INVALID_FILE_ATTRIBUTES && !(leftover & FILE_ATTRIBUTE_DIRECTORY))
        removeFile(fresh);

    DFileStreamWriter writer;
    if (!writer.open(fresh))
        return false;
    bool written = writeSettings(writer, settings);
    bool closed = writer.close();
    if (!written || !closed || !forceToDisk(fresh)) {
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
