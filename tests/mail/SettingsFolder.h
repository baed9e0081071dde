// Test helpers for the settings file on disk: a fresh folder of its own per test, and a
// file's bytes as read straight from the system.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "foundation/DString.h"

using Bytes = std::vector<unsigned char>;

// A fresh empty folder under the temporary folder (or under `parent`, a folder with a
// trailing backslash), removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& parent = std::string())
    {
        static int counter = 0;
        char base[MAX_PATH + 1] = {0};
        if (parent.empty())
            GetTempPathA(MAX_PATH, base);
        path = (parent.empty() ? std::string(base) : parent) + "pellaro_settings_" + std::to_string(GetCurrentProcessId()) +
               "_" + std::to_string(++counter);
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempFolder() { removeTree(path); }

    // The folder without a trailing backslash (as the documents folder comes).
    DString documents() const { return DString(path.c_str()); }
    // The folder with a trailing backslash (as the program's folder comes).
    DString program() const { return DString((path + "\\").c_str()); }
    std::string file(const char* name) const { return path + "\\" + name; }
    // This process's new-file name for a save into this folder.
    std::string ownTemporary() const
    {
        return file((".Pellaro.ini." + std::to_string(GetCurrentProcessId()) + ".new").c_str());
    }
    // True when the folder holds nothing but `name` (the finished settings file).
    bool holdsOnly(const char* name) const
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        bool only = true;
        do {
            std::string entry = found.cFileName;
            if (entry != "." && entry != ".." && entry != name)
                only = false;
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return only;
    }

    std::string path;

private:
    static void removeTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string full = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    removeTree(full);
                } else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }
};

inline Bytes fileBytes(const std::string& path)
{
    Bytes bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return bytes;
    unsigned char chunk[4096];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(f);
    return bytes;
}

