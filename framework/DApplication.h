// DApplication: the one process-wide application object. It creates and installs the
// drawing lock (held around every dispatched window message), loads the five system
// cursors, holds the current theme given to every window and view created afterwards,
// owns the hidden "WindowCreator" window through which every native window is made on the
// user-interface thread (the thread that constructs this object), and runs the message
// loop. Its state is process-wide; the object itself has no fields.
#pragma once

#include "foundation/DObject.h"

#include <windows.h>

class DTheme;
class DWindow;
struct DModalRun;

// The arguments of one CreateWindowExA call, handed to the creator window.
struct DCreateRecord {
    DWORD exStyle = 0;
    const char* className = nullptr;
    const char* windowName = nullptr;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr;
    HINSTANCE instance = nullptr;
    void* parameter = nullptr;
    HWND result = nullptr;  // filled in by the creator
};

class DApplication : public DObject {
public:
    DApplication();
    ~DApplication() override;
    DApplication(const DApplication&) = delete;
    DApplication& operator=(const DApplication&) = delete;

    // The main message loop (no modal window) until the quit message; its exit code.
    // Returns 0 at once when no application object was constructed.
    int run();
    // The theme given to views and windows created from now on; not owned.
    static void setTheme(DTheme* theme);

    static bool isInitialized();
    static DTheme* currentTheme();
    // Creates a native window on the user-interface thread through the creator window;
    // from another thread it blocks until that thread has made it. Null on failure.
    static HWND createNativeWindow(DCreateRecord& record);
    // Sets one of the five cursors (0 arrow or any unknown value, 1 wait, 2 I-beam,
    // 3 cross, 4 hand).
    static void showCursor(int type);
    // The message loop shared by run and runModal. With a modal window, input addressed to
    // its owner (or to a window the owner has suspended) is dropped and the modal window is
    // shown again. Returns the quit message's wParam. With `run`, the loop also ends (with
    // 0) once the modal window was deleted without a quit message of its own being posted.
    static int messageLoop(DWindow* modal, const DModalRun* run = nullptr);
};
