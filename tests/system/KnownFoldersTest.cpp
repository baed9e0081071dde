// The known folders: the documents folder from the registry, the program's own folder and
// the path arithmetic behind it.
#include <gtest/gtest.h>

#include <ostream>
#include <windows.h>

#include <string>

#include "system/KnownFolders.h"

// Shows texts readably in failure messages.
static void PrintTo(const DString& text, std::ostream* out)
{
    *out << '"' << text.text() << '"';
}

namespace {

const char* testKey = "Software\\PellaroTests\\KnownFolders";

void writeRegistryText(const char* name, const std::string& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, testKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

}  // namespace

TEST(KnownFolders, FolderOfPathKeepsTheLastBackslash)
{
    EXPECT_EQ(folderOfPath("C:\\Tools\\app.exe"), "C:\\Tools\\");
    EXPECT_EQ(folderOfPath("C:\\a\\b\\c.exe"), "C:\\a\\b\\");
    EXPECT_EQ(folderOfPath("app.exe"), "app.exe");  // no backslash: the path whole
    EXPECT_EQ(folderOfPath("C:\\Tools\\"), "C:\\Tools\\");
    EXPECT_EQ(folderOfPath(""), "");
}

TEST(KnownFolders, ProgramFolderHoldsTheRunningProgram)
{
    char module[4000] = {0};
    GetModuleFileNameA(nullptr, module, sizeof module);
    DString folder = programFolder();
    ASSERT_GT(folder.length(), 0);
    EXPECT_EQ(folder.text()[folder.length() - 1], '\\');
    EXPECT_EQ(std::string(module).rfind(folder.text(), 0), 0u);  // a prefix of the program path
    EXPECT_EQ(std::string(module).find('\\', static_cast<size_t>(folder.length())), std::string::npos);
}

TEST(KnownFolders, RegistryTextFitsItsBufferOrIsEmpty)
{
    writeRegistryText("fits", std::string(399, 'a'));
    writeRegistryText("toolong", std::string(400, 'b'));
    writeRegistryText("short", "C:\\Docs");
    EXPECT_EQ(registryText(HKEY_CURRENT_USER, testKey, "short", 400), "C:\\Docs");
    EXPECT_EQ(registryText(HKEY_CURRENT_USER, testKey, "fits", 400).length(), 399);
    EXPECT_EQ(registryText(HKEY_CURRENT_USER, testKey, "toolong", 400), "");
    EXPECT_EQ(registryText(HKEY_CURRENT_USER, testKey, "missing", 400), "");
    EXPECT_EQ(registryText(HKEY_CURRENT_USER, "Software\\PellaroTests\\NoSuchKey", "short", 400), "");
    RegDeleteKeyA(HKEY_CURRENT_USER, testKey);
}

TEST(KnownFolders, DocumentsFolderIsAnExistingFolderWithoutTrailingBackslash)
{
    DString documents = documentsFolder();
    if (documents.length() == 0)
        GTEST_SKIP() << "this system names no documents folder";
    EXPECT_NE(documents.text()[documents.length() - 1], '\\');
    DWORD attributes = GetFileAttributesA(documents.text());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
