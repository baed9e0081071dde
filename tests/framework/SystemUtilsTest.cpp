#include <gtest/gtest.h>

#include <ostream>
#include <windows.h>

#include <string>
#include <thread>

#include "framework/SystemUtils.h"

// Shows texts readably in failure messages.
static void PrintTo(const DString& text, std::ostream* out)
{
    *out << '"' << text.text() << '"';
}

namespace {

const char* testKey = "Software\\PellaroTests\\SystemUtils";

void writeRegistryText(const char* name, const std::string& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, testKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

HWND plainWindow(int x, int y)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(SystemUtilsFolders, FolderOfPathKeepsTheLastBackslash)
{
    EXPECT_EQ(folderOfPath("C:\\Tools\\app.exe"), "C:\\Tools\\");
    EXPECT_EQ(folderOfPath("C:\\a\\b\\c.exe"), "C:\\a\\b\\");
    EXPECT_EQ(folderOfPath("app.exe"), "app.exe");  // no backslash: the path whole
    EXPECT_EQ(folderOfPath("C:\\Tools\\"), "C:\\Tools\\");
    EXPECT_EQ(folderOfPath(""), "");
}

TEST(SystemUtilsFolders, ProgramFolderHoldsTheRunningProgram)
{
    char module[4000] = {0};
    GetModuleFileNameA(nullptr, module, sizeof module);
    DString folder = programFolder();
    ASSERT_GT(folder.length(), 0);
    EXPECT_EQ(folder.text()[folder.length() - 1], '\\');
    EXPECT_EQ(std::string(module).rfind(folder.text(), 0), 0u);  // a prefix of the program path
    EXPECT_EQ(std::string(module).find('\\', static_cast<size_t>(folder.length())), std::string::npos);
}

TEST(SystemUtilsFolders, RegistryTextFitsItsBufferOrIsEmpty)
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

TEST(SystemUtilsFolders, DocumentsFolderIsAnExistingFolderWithoutTrailingBackslash)
{
    DString documents = documentsFolder();
    if (documents.length() == 0)
        GTEST_SKIP() << "this system names no documents folder";
    EXPECT_NE(documents.text()[documents.length() - 1], '\\');
    DWORD attributes = GetFileAttributesA(documents.text());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(SystemUtilsFiles, DeleteFileRemovesAlsoAHiddenFile)
{
    char base[MAX_PATH + 1] = {0};
    GetTempPathA(MAX_PATH, base);
    std::string path = std::string(base) + "pellaro_delete_test.tmp";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    deleteFile(DString(path.c_str()));
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    deleteFile(DString(path.c_str()));  // gone already: no effect, no report
}

TEST(SystemUtilsClipboard, TextGoesThereAndBack)
{
    HWND owner = plainWindow(0, 0);
    ASSERT_NE(owner, nullptr);
    setClipboardText("Pellaro \xE9 clipboard", owner);
    EXPECT_TRUE(clipboardHasText());
    EXPECT_EQ(clipboardText(), "Pellaro \xE9 clipboard");

    setClipboardText("", owner);  // an empty text is still a text
    EXPECT_TRUE(clipboardHasText());
    EXPECT_EQ(clipboardText(), "");

    setClipboardText("without an owner");
    EXPECT_EQ(clipboardText(), "without an owner");

    // While another thread holds the clipboard open nothing can be read or written.
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND theirs = plainWindow(0, 0);
        if (OpenClipboard(theirs)) {
            SetEvent(opened);
            WaitForSingleObject(release, 10000);
            CloseClipboard();
        }
        DestroyWindow(theirs);
    });
    if (WaitForSingleObject(opened, 10000) == WAIT_OBJECT_0) {
        setClipboardText("refused", owner);
        EXPECT_FALSE(clipboardHasText());
        EXPECT_EQ(clipboardText(), "");
    } else {
        ADD_FAILURE() << "another thread could not open the clipboard";
    }
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(clipboardText(), "without an owner");
    DestroyWindow(owner);
}

TEST(SystemUtilsCursor, CursorShapesByType)
{
    loadSystemCursors();
    EXPECT_EQ(systemCursor(0), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(systemCursor(1), LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(systemCursor(2), LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(systemCursor(3), LoadCursor(nullptr, IDC_CROSS));
    EXPECT_EQ(systemCursor(4), LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(systemCursor(7), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(systemCursor(-1), LoadCursor(nullptr, IDC_ARROW));
    setCursor(nullptr, 2);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_IBEAM));
    setCursor(nullptr, 7);  // any unknown type is the arrow
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST(SystemUtilsScreen, PointsConvertBetweenClientAndScreen)
{
    HWND window = plainWindow(120, 70);
    ASSERT_NE(window, nullptr);
    int x = 5;
    int y = 6;
    clientToScreen(window, x, y);
    EXPECT_EQ(x, 125);
    EXPECT_EQ(y, 76);
    screenToClient(window, x, y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 6);
    DestroyWindow(window);
    EXPECT_GT(screenWidth(), 0);
    EXPECT_GT(screenHeight(), 0);
}

TEST(SystemUtilsScreen, CaptureIsTakenAndReleased)
{
    HWND window = plainWindow(0, 0);
    ASSERT_NE(window, nullptr);
    setCapture(window);
    EXPECT_EQ(GetCapture(), window);
    releaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(window);
}

TEST(SystemUtilsMessages, PostQuitEndsTheLoopWithItsCode)
{
    postQuit(7);
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(message.wParam, 7u);
        }
    }
    EXPECT_TRUE(quit);
}
