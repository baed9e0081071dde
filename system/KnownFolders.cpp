#include "system/KnownFolders.h"

#include <cstring>
#include <vector>

DString registryText(HKEY root, const char* subKey, const char* valueName, int bufferSize)
{
    if (bufferSize < 1)
        return DString();
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return DString();
    // One spare zero byte: a stored value need not end in NUL.
    std::vector<char> buffer(static_cast<size_t>(bufferSize) + 1, 0);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(bufferSize);
    LONG result = RegQueryValueExA(key, valueName, nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return DString();
    size_t length = strnlen(buffer.data(), static_cast<size_t>(bufferSize));
    // A value that filled the whole buffer without its terminator did not fit.
    if (length >= static_cast<size_t>(bufferSize))
        return DString();
    return DString(buffer.data());
}

DString documentsFolder()
{
    return registryText(HKEY_CURRENT_USER,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "Personal", 400);
}

DString folderOfPath(const DString& path)
{
    DString folder(path);
    for (int p = folder.length(); p >= 1; --p) {
        if (folder.text()[p - 1] == '\\') {
            folder.erase(p + 1, folder.length());
            return folder;
        }
    }
    return folder;
}

DString programFolder()
{
    std::vector<char> buffer(4000, 0);
    DWORD got = GetModuleFileNameA(nullptr, buffer.data(), 4000);
    // A path cut off at the buffer's end is not a usable folder.
    if (got == 0 || got >= 4000)
        return DString();
    return folderOfPath(DString(buffer.data()));
}
