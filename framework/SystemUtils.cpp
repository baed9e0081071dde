#include "framework/SystemUtils.h"

#include <shellapi.h>

#include <cstdio>
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

void deleteFile(const DString& path)
{
    std::remove(path.text());
}

void shellOpen(const DString& target)
{
    ShellExecuteA(nullptr, "open", target.text(), nullptr, nullptr, SW_SHOWDEFAULT);
}

void setClipboardText(const DString& text, HWND owner)
{
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    size_t bytes = static_cast<size_t>(text.length()) + 2;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (block) {
        void* data = GlobalLock(block);
        if (data) {
            std::memset(data, 0, bytes);
            std::memcpy(data, text.text(), static_cast<size_t>(text.length()) + 1);
            GlobalUnlock(block);
            // The clipboard owns the block from here on, unless it refused it.
            if (!SetClipboardData(CF_TEXT, block))
                GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

DString clipboardText()
{
    if (!OpenClipboard(nullptr))
        return DString();
    DString result;
    if (IsClipboardFormatAvailable(CF_TEXT)) {
        HANDLE data = GetClipboardData(CF_TEXT);
        if (data) {
            const char* text = static_cast<const char*>(GlobalLock(data));
            if (text) {
                // Another program's data need not end in NUL: never read past its block.
                SIZE_T size = GlobalSize(data);
                size_t length = strnlen(text, size);
                if (length > 0x7FFFFFF0u)
                    length = 0x7FFFFFF0u;
                result = DString(text, static_cast<int>(length));
                GlobalUnlock(data);
            }
        }
    }
    CloseClipboard();
    return result;
}

bool clipboardHasText()
{
    if (!OpenClipboard(nullptr))
        return false;
    bool has = IsClipboardFormatAvailable(CF_TEXT) != 0;
    CloseClipboard();
    return has;
}

namespace {

struct SystemCursors {
    HCURSOR shapes[5];
};

const SystemCursors& cursors()
{
    // Loaded once, on first use; shared system cursors are never destroyed.
    static const SystemCursors loaded = {{
        LoadCursor(nullptr, IDC_ARROW),
        LoadCursor(nullptr, IDC_WAIT),
        LoadCursor(nullptr, IDC_IBEAM),
        LoadCursor(nullptr, IDC_CROSS),
        LoadCursor(nullptr, IDC_HAND),
    }};
    return loaded;
}

}  // namespace

void loadSystemCursors()
{
    cursors();
}

HCURSOR systemCursor(int type)
{
    if (type < 0 || type > 4)
        type = cursorArrow;
    return cursors().shapes[type];
}

void setCursor(HWND window, int type)
{
    (void)window;
    SetCursor(systemCursor(type));
}

void cursorPosition(int& x, int& y)
{
    POINT point = {0, 0};
    GetCursorPos(&point);
    x = point.x;
    y = point.y;
}

void setCapture(HWND window)
{
    SetCapture(window);
}

void releaseCapture()
{
    ReleaseCapture();
}

int screenWidth()
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int screenHeight()
{
    return GetSystemMetrics(SM_CYSCREEN);
}

void clientToScreen(HWND window, int& x, int& y)
{
    POINT point = {x, y};
    if (ClientToScreen(window, &point)) {
        x = point.x;
        y = point.y;
    }
}

void screenToClient(HWND window, int& x, int& y)
{
    POINT point = {x, y};
    if (ScreenToClient(window, &point)) {
        x = point.x;
        y = point.y;
    }
}

void postQuit(int exitCode)
{
    PostQuitMessage(exitCode);
}
