// A stand-in for the notification area, for tests that run the real program as a separate
// process. Shell_NotifyIcon finds the notification area by its window class,
// "Shell_TrayWnd", and hands it every add, modify and delete as a WM_COPYDATA message. This
// is a hidden top-level window of that class, made topmost so that the lookup, which walks
// the top-level windows from the top, finds it before Wine's own tray window. It records
// each icon's owner window, id, callback message, tooltip and picture, and clicks an icon
// the way the shell does: by posting the icon's callback message with the id as wParam and
// the mouse message as lParam. An icon that asked for the fourth way of calling back
// (NIM_SETVERSION with 4) can be reached from the keyboard as the shell reaches it: the
// message and the id in lParam, the icon's place in wParam.
//
// The record it receives is Wine's form of the notify-icon data: the owner window (32 bits),
// id, flags, callback message, the tooltip as 128 UTF-16 characters, ..., and at offset 944
// the picture's width, height, planes and bits per pixel, followed by the picture's bits.
// The tooltip is decoded to the ANSI code page, as the program wrote it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

struct TrayIconRecord {
    HWND owner = nullptr;   // the window that receives the callback message
    UINT id = 0;
    UINT callback = 0;
    std::string tip;
    bool hasPicture = false;
    int width = 0;
    int height = 0;
    uint64_t picture = 0;   // a hash of the picture's bits: equal pictures, equal hashes
    std::vector<uint64_t> pictures;  // every picture the icon was given, the first at its add
    unsigned version = 0;   // the way of calling back it asked for; 0 for the first
};

class TrayStandIn {
public:
    TrayStandIn() = default;
    ~TrayStandIn();
    TrayStandIn(const TrayStandIn&) = delete;
    TrayStandIn& operator=(const TrayStandIn&) = delete;

    // False when the window cannot be made, or when Shell_NotifyIcon would not find it first.
    bool create();
    // Destroys the window and forgets every icon, as a restarting notification area does.
    void destroy();
    HWND handle() const { return window; }

    // The icons now in the area that belong to process `pid`, in the order they were added.
    std::vector<TrayIconRecord> iconsOf(DWORD pid) const;
    // Every tooltip that an icon of `pid` was given, in order, including repeats.
    std::vector<std::string> tipsOf(DWORD pid) const;
    int addsOf(DWORD pid) const;
    int deletesOf(DWORD pid) const;
    // Posts the icon's callback message with `mouseMessage` (WM_LBUTTONUP ...), after moving
    // the pointer to `x`, `y` as a click on the tray would leave it.
    static bool click(const TrayIconRecord& icon, UINT mouseMessage, int x, int y);
    // Enter on the icon (NIN_KEYSELECT) or its menu key (WM_CONTEXTMENU), as the shell sends
    // them to an icon of the fourth way, with the icon's place at (x, y). False for an icon
    // that did not ask for it.
    static bool keySelect(const TrayIconRecord& icon, int x, int y);
    static bool contextMenuKey(const TrayIconRecord& icon, int x, int y);

private:
    struct Entry {
        TrayIconRecord icon;
        DWORD pid = 0;
    };
    struct TipEvent {
        DWORD pid = 0;
        std::string tip;
    };
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool receive(const COPYDATASTRUCT& data);

    HWND window = nullptr;
    std::vector<Entry> icons;
    std::vector<TipEvent> tips;
    std::vector<std::pair<DWORD, int>> adds;     // pid, 1 per add
    std::vector<std::pair<DWORD, int>> deletes;  // pid, 1 per delete
};
