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

HWND plainWindow(int x, int y)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

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
