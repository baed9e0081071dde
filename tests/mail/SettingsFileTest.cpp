#include <gtest/gtest.h>

#include <ostream>
#include <windows.h>

#include <string>
#include <vector>

#include "SettingsFolder.h"
#include "mail/SettingsFile.h"

// Shows texts readably in failure messages.
static void PrintTo(const DString& text, std::ostream* out)
{
    *out << '"' << text.text() << '"';
}

namespace {

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DSettingsRecord sample(const char* user, bool hungarian)
{
    DSettingsRecord s;
    s.intervalIndex = 2;
    s.notify = false;
    s.connectionCheck = true;
    s.hungarian = hungarian;
    DMailboxRecord r;
    r.userName = user;
    r.server = "pop.example";
    r.password = "p\xE1ss";
    r.webAddress = "http://mail.example";
    r.seenCount = 4;
    r.openWebSite = true;
    s.mailboxes.push_back(r);
    return s;
}

}  // namespace

TEST(SettingsFilePaths, PathIsTheDocumentsFolderAndTheHiddenName)
{
    EXPECT_EQ(settingsPathIn("C:\\Users\\joe\\Documents"), "C:\\Users\\joe\\Documents\\.Pellaro.ini");
    // Without a documents folder the file sits at the root of the current drive.
    EXPECT_EQ(settingsPathIn(DString()), "\\.Pellaro.ini");
}

TEST(SettingsFileSave, WritesTheLayoutHiddenAndArchived)
{
    TempFolder docs;
    DSettingsRecord empty;
    ASSERT_TRUE(saveSettingsFile(docs.documents(), empty));
    std::string path = docs.file(".Pellaro.ini");
    Bytes bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 23u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 3);
    DWORD attributes = GetFileAttributesA(path.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE), 34u);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_TRUE(docs.holdsOnly(".Pellaro.ini"));
}

TEST(SettingsFileSave, ReplacesAnExistingHiddenFileAndReadsBack)
{
    TempFolder docs;
    ASSERT_TRUE(saveSettingsFile(docs.documents(), sample("first", false)));
    ASSERT_TRUE(saveSettingsFile(docs.documents(), sample("second", true)));
    DSettingsRecord back;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), DString("Z:\\no\\such\\folder\\"), back));
    EXPECT_TRUE(back.hungarian);
    EXPECT_EQ(back.intervalIndex, 2);
    EXPECT_FALSE(back.notify);
    EXPECT_TRUE(back.connectionCheck);
    ASSERT_EQ(back.mailboxes.size(), 1u);
    EXPECT_EQ(back.mailboxes[0].userName, "second");
    EXPECT_EQ(back.mailboxes[0].password, "p\xE1ss");
    EXPECT_TRUE(back.mailboxes[0].openWebSite);
    EXPECT_EQ(GetFileAttributesA(docs.file(".Pellaro.ini").c_str()) & 34u, 34u);
}

TEST(SettingsFileSave, AStaleTemporaryFileIsReplaced)
{
    TempFolder docs;
    std::string stale = docs.ownTemporary();
    HANDLE f = CreateFileA(stale.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(f, "junk junk junk junk junk junk", 29, &put, nullptr);
    CloseHandle(f);
    ASSERT_TRUE(saveSettingsFile(docs.documents(), sample("fresh", false)));
    EXPECT_FALSE(exists(stale));
    DSettingsRecord back;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), docs.program(), back));
    ASSERT_EQ(back.mailboxes.size(), 1u);
    EXPECT_EQ(back.mailboxes[0].userName, "fresh");
}

TEST(SettingsFileSave, AFailedSaveLeavesThePreviousFileIntact)
{
    TempFolder docs;
    ASSERT_TRUE(saveSettingsFile(docs.documents(), sample("keep me", true)));
    std::string path = docs.file(".Pellaro.ini");
    Bytes before = fileBytes(path);
    ASSERT_FALSE(before.empty());

    // A folder standing where the new file would be written: it cannot be created.
    ASSERT_TRUE(CreateDirectoryA(docs.ownTemporary().c_str(), nullptr));
    EXPECT_FALSE(saveSettingsFile(docs.documents(), sample("lost", false)));
    EXPECT_EQ(fileBytes(path), before);
    DSettingsRecord back;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), docs.program(), back));
    ASSERT_EQ(back.mailboxes.size(), 1u);
    EXPECT_EQ(back.mailboxes[0].userName, "keep me");
    EXPECT_TRUE(back.hungarian);
}

TEST(SettingsFileSave, AMissingFolderFailsWithoutWritingAnywhere)
{
    TempFolder docs;
    DString missing = DString(docs.path.c_str()) + "\\missing";
    EXPECT_FALSE(saveSettingsFile(missing, sample("x", false)));
    EXPECT_FALSE(exists(docs.path + "\\missing"));
    EXPECT_FALSE(exists(docs.file(".Pellaro.ini")));
}

TEST(SettingsFileLoad, FallsBackToTheProgramFolderForReadingOnly)
{
    TempFolder docs;
    TempFolder program;
    ASSERT_TRUE(saveSettingsFile(program.documents(), sample("from program folder", true)));
    std::string programFile = program.file(".Pellaro.ini");
    Bytes programBytes = fileBytes(programFile);

    DSettingsRecord loaded;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), program.program(), loaded));
    ASSERT_EQ(loaded.mailboxes.size(), 1u);
    EXPECT_EQ(loaded.mailboxes[0].userName, "from program folder");
    EXPECT_TRUE(readStartupLanguage(docs.documents(), program.program()));

    // The next save goes to the documents folder; the program folder's file stays as it was.
    loaded.mailboxes[0].userName = "saved";
    ASSERT_TRUE(saveSettingsFile(docs.documents(), loaded));
    EXPECT_TRUE(exists(docs.file(".Pellaro.ini")));
    EXPECT_EQ(fileBytes(programFile), programBytes);
    EXPECT_FALSE(exists(program.ownTemporary()));
    EXPECT_TRUE(docs.holdsOnly(".Pellaro.ini"));

    // With a file in the documents folder the program folder's copy is not read.
    DSettingsRecord again;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), program.program(), again));
    ASSERT_EQ(again.mailboxes.size(), 1u);
    EXPECT_EQ(again.mailboxes[0].userName, "saved");
}

TEST(SettingsFileLoad, NoFileAndWrongVersionLeaveTheDefaults)
{
    TempFolder docs;
    DSettingsRecord settings;
    EXPECT_FALSE(loadSettingsFile(docs.documents(), docs.program(), settings));
    EXPECT_EQ(settings.intervalIndex, 1);
    EXPECT_TRUE(settings.notify);
    EXPECT_TRUE(settings.notifyAtStartup);
    EXPECT_FALSE(readStartupLanguage(docs.documents(), docs.program()));

    ASSERT_TRUE(saveSettingsFile(docs.documents(), sample("u", true)));
    std::string path = docs.file(".Pellaro.ini");
    Bytes bytes = fileBytes(path);
    bytes[0] = 1;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(f);
    EXPECT_FALSE(loadSettingsFile(docs.documents(), docs.program(), settings));
    EXPECT_TRUE(settings.mailboxes.empty());
    EXPECT_FALSE(settings.hungarian);
    EXPECT_FALSE(readStartupLanguage(docs.documents(), docs.program()));

    // The next save writes a well-formed file over it.
    ASSERT_TRUE(saveSettingsFile(docs.documents(), settings));
    EXPECT_EQ(fileBytes(path).size(), 23u);
    EXPECT_EQ(fileBytes(path)[0], 2);
}

TEST(SettingsFileLoad, ADamagedFileLoadsItsCompleteRecords)
{
    TempFolder docs;
    DSettingsRecord two = sample("one", false);
    two.mailboxes.push_back(two.mailboxes[0]);
    two.mailboxes[1].userName = "two";
    ASSERT_TRUE(saveSettingsFile(docs.documents(), two));
    std::string path = docs.file(".Pellaro.ini");
    Bytes bytes = fileBytes(path);
    bytes.resize(bytes.size() - 5);  // the second record is cut short
    bytes[19] = 0xFF;                // and the record count is absurd
    bytes[20] = 0xFF;
    bytes[21] = 0xFF;
    bytes[22] = 0x7F;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(f);
    DSettingsRecord back;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), docs.program(), back));
    ASSERT_EQ(back.mailboxes.size(), 1u);
    EXPECT_EQ(back.mailboxes[0].userName, "one");
}

TEST(SettingsFileSave, AReplacementThatFailsKeepsTheOldFileAndItsAttributes)
{
    TempFolder docs;
    ASSERT_TRUE(saveSettingsFile(docs.documents(), sample("old", false)));
    std::string path = docs.file(".Pellaro.ini");
    Bytes before = fileBytes(path);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    // Another program has the file open and does not let it be deleted or renamed.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(saveSettingsFile(docs.documents(), sample("new", true)));
    CloseHandle(held);
    EXPECT_EQ(fileBytes(path), before);
    DWORD attributes = GetFileAttributesA(path.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(docs.holdsOnly(".Pellaro.ini"));
}

TEST(SettingsFileSave, AFolderInThePlaceOfTheFileIsNotReplaced)
{
    TempFolder docs;
    ASSERT_TRUE(CreateDirectoryA(docs.file(".Pellaro.ini").c_str(), nullptr));
    EXPECT_FALSE(saveSettingsFile(docs.documents(), DSettingsRecord()));
    EXPECT_TRUE(GetFileAttributesA(docs.file(".Pellaro.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(docs.holdsOnly(".Pellaro.ini"));
}

TEST(SettingsFileSave, TheNewFileIsNamedForThisProcess)
{
    TempFolder docs;
    std::string expected = docs.ownTemporary();
    EXPECT_EQ(std::string(settingsTemporaryPathIn(docs.documents()).text()), expected);
}

TEST(SettingsFileSave, AnotherCopysSaveInProgressNeitherBlocksNorIsTouched)
{
    TempFolder docs;
    ASSERT_TRUE(saveSettingsFile(docs.documents(), sample("before", false)));
    // Another running copy is half-way through its save: its new file (under its own process
    // id) and a file of the old shared name are open without sharing.
    std::string others[] = {docs.file(".Pellaro.ini.new"), docs.file(".Pellaro.ini.4.new")};
    HANDLE held[2];
    for (int i = 0; i < 2; ++i) {
        held[i] = CreateFileA(others[i].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(held[i], INVALID_HANDLE_VALUE);
        DWORD put = 0;
        WriteFile(held[i], "half", 4, &put, nullptr);
    }
    EXPECT_TRUE(saveSettingsFile(docs.documents(), sample("after", true)));
    for (HANDLE h : held)
        CloseHandle(h);
    for (const std::string& other : others)
        EXPECT_EQ(fileBytes(other), Bytes({'h', 'a', 'l', 'f'}));
    EXPECT_FALSE(exists(docs.ownTemporary()));
    DSettingsRecord back;
    ASSERT_TRUE(loadSettingsFile(docs.documents(), docs.program(), back));
    ASSERT_EQ(back.mailboxes.size(), 1u);
    EXPECT_EQ(back.mailboxes[0].userName, "after");
}
