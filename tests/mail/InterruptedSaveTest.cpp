// Saves stopped at any moment: a child process saves the settings over and over and is
// killed at a random moment, again and again. After every kill the settings file must be
// the old or the new one, complete, and load. The number of kills is PELLARO_INTERRUPTED_SAVES
// (default 200; the benchmark script runs 1000).
// Also a full disk: when PELLARO_SMALL_DISK names a folder on a small file system (the
// test run's small-disk script makes one), a save that does not fit fails and leaves the
// previous file as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "InterruptedSaveRecords.h"
#include "SettingsFolder.h"
#include "mail/SettingsFile.h"

namespace {

std::string programFolderPath()
{
    char path[MAX_PATH + 1] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path);
    return full.substr(0, full.find_last_of('\\') + 1);
}

int envNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

// Spins for `micros` microseconds: Sleep's granularity is a whole scheduler tick, far
// coarser than one save.
void spin(long micros)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    long long ticks = frequency.QuadPart * micros / 1000000;
    do {
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < ticks);
}

// The new-file names a folder holds besides the settings file, and whether anything else
// is there.
struct FolderContents {
    int temporaries = 0;
    bool other = false;
};

FolderContents contentsOf(const TempFolder& folder)
{
    FolderContents contents;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder.path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return contents;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == ".." || name == ".Pellaro.ini")
            continue;
        bool temporary = name.size() > 17 && name.compare(0, 13, ".Pellaro.ini.") == 0 &&
                         name.compare(name.size() - 4, 4, ".new") == 0;
        if (temporary)
            ++contents.temporaries;
        else
            contents.other = true;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return contents;
}

}  // namespace

TEST(InterruptedSave, EveryKillLeavesTheOldOrTheNewFileComplete)
{
    const int kills = envNumber("PELLARO_INTERRUPTED_SAVES", 200);
    const Bytes small = interruptedSaveBytes(false);
    const Bytes large = interruptedSaveBytes(true);
    ASSERT_GT(large.size(), 3 * 4096u) << "the large settings must take several buffered writes";

    TempFolder docs;
    ASSERT_TRUE(saveSettingsFile(docs.documents(), interruptedSaveSettings(false)));
    std::string child = programFolderPath() + "interrupted_save_child.exe";
    std::string eventName = "PellaroInterruptedSave" + std::to_string(GetCurrentProcessId());
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(started, nullptr);

    std::mt19937 random(20261207u);
    int sawSmall = 0, sawLarge = 0, midSave = 0, notStarted = 0, startRetries = 0;
    for (int kill = 0; kill < kills; ++kill) {
        ResetEvent(started);
        std::string command = "\"" + child + "\" \"" + docs.path + "\" " + eventName + " 1000000";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        // Wine now and then refuses to start a process while it is still tearing down the
        // one just killed; a start that fails is tried again a few times before the test gives up.
        BOOL made = FALSE;
        DWORD startError = 0;
        for (int attempt = 0; attempt < 6 && !made; ++attempt) {
            made = CreateProcessA(child.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process);
            if (!made) {
                startError = GetLastError();
                ++startRetries;
                Sleep(100u << attempt);
            }
        }
        ASSERT_TRUE(made) << "cannot start " << child << " (error " << startError << ")";
        HANDLE waits[2] = {started, process.hProcess};
        DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 60000);
        if (woke == WAIT_OBJECT_0) {
            // Anywhere from inside the next save to a dozen saves later.
            spin(static_cast<long>(random() % 20000));
        } else {
            ++notStarted;
        }
        TerminateProcess(process.hProcess, 9);
        std::string ownNew = docs.file((".Pellaro.ini." + std::to_string(process.dwProcessId) + ".new").c_str());
        WaitForSingleObject(process.hProcess, 60000);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_EQ(woke, WAIT_OBJECT_0) << "the saving program ended or hung before its first save, exit code " << code;

        Bytes now = fileBytes(docs.file(".Pellaro.ini"));
        ASSERT_TRUE(now == small || now == large)
            << "kill " << kill << ": the settings file is " << now.size() << " bytes, neither "
            << small.size() << " nor " << large.size() << " bytes as written";
        DSettingsRecord loaded;
        ASSERT_TRUE(loadSettingsFile(docs.documents(), docs.program(), loaded)) << "kill " << kill;
        ASSERT_EQ(loaded.mailboxes.size(), now == small ? 1u : 40u);
        (now == small ? sawSmall : sawLarge)++;
        ASSERT_FALSE(contentsOf(docs).other) << "kill " << kill << " left a stray file";
        // A killed save leaves its new file behind under its own process's name; nobody
        // else removes it (a later process with the same id will).
        if (GetFileAttributesA(ownNew.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ++midSave;
            SetFileAttributesA(ownNew.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(ownNew.c_str());
        }
    }
    CloseHandle(started);
    std::printf("%d kills: the old or the new file every time (%d small, %d large); %d kills landed "
                "while a new file was being written\n",
                kills, sawSmall, sawLarge, midSave);
    if (startRetries > 0)
        std::printf("%d starts of the saving program had to be tried again\n", startRetries);
    // Kills must land on both sides of the replacement, or the run proved little.
    EXPECT_GT(sawSmall, 0);
    EXPECT_GT(sawLarge, 0);
    EXPECT_EQ(notStarted, 0);

    // Leftovers of other processes do not keep this one from saving.
    ASSERT_TRUE(saveSettingsFile(docs.documents(), interruptedSaveSettings(true)));
    EXPECT_EQ(fileBytes(docs.file(".Pellaro.ini")), large);
}

TEST(SettingsFileDiskFull, ASaveThatDoesNotFitLeavesThePreviousFile)
{
    const char* small = std::getenv("PELLARO_SMALL_DISK");
    if (small == nullptr || *small == '\0')
        GTEST_SKIP() << "PELLARO_SMALL_DISK names no folder on a small file system";
    std::string parent = small;
    if (parent.back() != '\\')
        parent += '\\';
    TempFolder docs(parent);
    ASSERT_TRUE(saveSettingsFile(docs.documents(), interruptedSaveSettings(false)));
    const Bytes before = fileBytes(docs.file(".Pellaro.ini"));
    ASSERT_EQ(before, interruptedSaveBytes(false));
    const Bytes large = interruptedSaveBytes(true);

    // Fill the file system to the last byte, then give back less room than the large
    // settings need: the save must run out of space somewhere in the middle of its file.
    std::string filler = docs.file("filler");
    HANDLE f = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    static char block[4096];
    DWORD put = 0;
    long long filled = 0;
    for (int i = 0; i < (1 << 20); ++i) {
        BOOL wrote = WriteFile(f, block, sizeof block, &put, nullptr);
        filled += put;
        if (!wrote || put < sizeof block)
            break;
    }
    ASSERT_GT(filled, 0);
    ASSERT_LT(filled, 1LL << 32) << "PELLARO_SMALL_DISK is not on a small file system";
    std::printf("the file system took %lld filler bytes before it was full\n", filled);
    EXPECT_FALSE(saveSettingsFile(docs.documents(), interruptedSaveSettings(true)));
    EXPECT_EQ(fileBytes(docs.file(".Pellaro.ini")), before);
    EXPECT_FALSE(contentsOf(docs).temporaries);

    long long room = static_cast<long long>(large.size()) / 2;
    SetFilePointer(f, static_cast<LONG>(filled - room), nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(f));
    EXPECT_FALSE(saveSettingsFile(docs.documents(), interruptedSaveSettings(true)));
    EXPECT_EQ(fileBytes(docs.file(".Pellaro.ini")), before);
    EXPECT_FALSE(contentsOf(docs).temporaries);
    DSettingsRecord loaded;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), docs.program(), loaded));
    EXPECT_EQ(loaded.mailboxes.size(), 1u);

    // With the room back the same save succeeds.
    CloseHandle(f);
    ASSERT_TRUE(DeleteFileA(filler.c_str()));
    EXPECT_TRUE(saveSettingsFile(docs.documents(), interruptedSaveSettings(true)));
    EXPECT_EQ(fileBytes(docs.file(".Pellaro.ini")), large);
}
