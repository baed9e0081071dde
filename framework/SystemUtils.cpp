#include "framework/SystemUtils.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

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
