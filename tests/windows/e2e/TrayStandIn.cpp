#include "TrayStandIn.h"

#include <cstring>

namespace {

const char* const trayClass = "Shell_TrayWnd";

// Offsets in Wine's notify-icon record.
const size_t ownerAt = 0, idAt = 4, flagsAt = 8, callbackAt = 12, tipAt = 16;
const size_t tipCharacters = 128;
// After the tooltip: state, state mask, the 256-character balloon text, then the version.
const size_t versionAt = tipAt + tipCharacters * 2 + 8 + 512;
const size_t pictureSizeAt = 944, pictureBitsAt = 960;

uint32_t u32(const unsigned char* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint64_t hashBytes(const unsigned char* p, size_t n)
{
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (size_t i = 0; i < n; i++) {
        h ^= p[i];
        h *= 1099511628211ull;
    }
    return h;
}

DWORD processOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

}  // namespace

TrayStandIn::~TrayStandIn()
{
    destroy();
}

bool TrayStandIn::create()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = trayClass;
    RegisterClassA(&wc);  // fails harmlessly when this process registered it before
    window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, trayClass, "", WS_POPUP, 0, 0, 1,
                             1, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window)
        return false;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return FindWindowA(trayClass, nullptr) == window;
}

void TrayStandIn::destroy()
{
    // Like a restarted notification area, a new one knows no icons.
    icons.clear();
    tips.clear();
    adds.clear();
    deletes.clear();
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        window = nullptr;
    }
}

LRESULT CALLBACK TrayStandIn::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        auto* self = reinterpret_cast<TrayStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        return self && data && self->receive(*data) ? TRUE : FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool TrayStandIn::receive(const COPYDATASTRUCT& data)
{
    if (data.cbData < pictureBitsAt || !data.lpData)
        return false;
    const auto* p = static_cast<const unsigned char*>(data.lpData);
    HWND owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(u32(p + ownerAt)));
    UINT id = u32(p + idAt);
    UINT flags = u32(p + flagsAt);
    DWORD pid = processOf(owner);
    auto found = icons.end();
    for (auto it = icons.begin(); it != icons.end(); ++it)
        if (it->icon.owner == owner && it->icon.id == id)
            found = it;

    switch (data.dwData) {
    case NIM_ADD:
        if (found != icons.end())
            return false;
        icons.push_back(Entry{});
        found = icons.end() - 1;
        found->icon.owner = owner;
        found->icon.id = id;
        found->pid = pid;
        adds.push_back({pid, 1});
        break;
    case NIM_MODIFY:
        if (found == icons.end())
            return false;
        break;
    case NIM_SETVERSION:
        if (found == icons.end())
            return false;
        found->icon.version = u32(p + versionAt);
        return true;
    case NIM_DELETE:
        if (found == icons.end())
            return false;
        deletes.push_back({found->pid, 1});  // the owner window may be gone already
        icons.erase(found);
        return true;
    default:
        return true;
    }

    TrayIconRecord& icon = found->icon;
    if (flags & NIF_MESSAGE)
        icon.callback = u32(p + callbackAt);
    if (flags & NIF_TIP) {
        wchar_t tip[tipCharacters + 1] = {};
        std::memcpy(tip, p + tipAt, tipCharacters * sizeof(wchar_t));
        char ansi[tipCharacters * 2 + 1] = {};
        WideCharToMultiByte(CP_ACP, 0, tip, -1, ansi, sizeof ansi - 1, nullptr, nullptr);
        icon.tip = ansi;
        tips.push_back({pid, icon.tip});
    }
    if (flags & NIF_ICON) {
        icon.width = static_cast<int>(u32(p + pictureSizeAt));
        icon.height = static_cast<int>(u32(p + pictureSizeAt + 4));
        icon.hasPicture = data.cbData > pictureBitsAt;
        icon.picture = hashBytes(p + pictureBitsAt, data.cbData - pictureBitsAt);
        icon.pictures.push_back(icon.picture);
    }
    return true;
}

std::vector<TrayIconRecord> TrayStandIn::iconsOf(DWORD pid) const
{
    std::vector<TrayIconRecord> out;
    for (const Entry& e : icons)
        if (e.pid == pid)
            out.push_back(e.icon);
    return out;
}

std::vector<std::string> TrayStandIn::tipsOf(DWORD pid) const
{
    std::vector<std::string> out;
    for (const TipEvent& t : tips)
        if (t.pid == pid)
            out.push_back(t.tip);
    return out;
}

int TrayStandIn::addsOf(DWORD pid) const
{
    int n = 0;
    for (const auto& a : adds)
        n += a.first == pid ? a.second : 0;
    return n;
}

int TrayStandIn::deletesOf(DWORD pid) const
{
    int n = 0;
    for (const auto& d : deletes)
        n += d.first == pid ? d.second : 0;
    return n;
}

namespace {

bool sendFromKeyboard(const TrayIconRecord& icon, UINT message, int x, int y)
{
    if (icon.version < 4)
        return false;
    return PostMessageA(icon.owner, icon.callback, MAKEWPARAM(x, y),
                        MAKELPARAM(message, icon.id & 0xFFFF)) != FALSE;
}

}  // namespace

bool TrayStandIn::keySelect(const TrayIconRecord& icon, int x, int y)
{
    return sendFromKeyboard(icon, NIN_KEYSELECT, x, y);
}

bool TrayStandIn::contextMenuKey(const TrayIconRecord& icon, int x, int y)
{
    return sendFromKeyboard(icon, WM_CONTEXTMENU, x, y);
}

bool TrayStandIn::click(const TrayIconRecord& icon, UINT mouseMessage, int x, int y)
{
    SetCursorPos(x, y);
    return PostMessageA(icon.owner, icon.callback, icon.id, mouseMessage) != FALSE;
}
