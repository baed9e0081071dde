// The real Pellaro.exe as a separate process, driven from outside as a user would: started
// from a folder of the test's own (so no settings file beside the program is read), its
// windows found among the top-level windows of its process, clicks and keys sent to them,
// and its end awaited. Every wait is bounded and pumps this thread's messages meanwhile, so
// a stand-in tray window of this thread keeps receiving the program's tray records.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Pumps this thread's messages until `done` answers true or `milliseconds` passed; the
// last answer of `done`.
bool waitUntil(const std::function<bool()>& done, int milliseconds);

// One top-level window of the program.
struct ProgramWindow {
    HWND handle = nullptr;
    std::string className;
    std::string title;
    bool visible = false;
    bool topmost = false;
    RECT bounds{};  // screen pixels
};

class ProgramUnderTest {
public:
    ~ProgramUnderTest();

    // Copies `program` (a Windows path) into `folder` and starts the copy there. False when
    // the copy or the start fails.
    bool start(const std::string& program, const std::string& folder);
    DWORD pid() const { return info.dwProcessId; }
    bool running() const;
    // Waits for the process to end; false on timeout.
    bool waitForExit(int milliseconds, DWORD* exitCode = nullptr);
    // Ends the process by force if it still runs (a failed test must not leave it behind).
    void kill();

    // The program's top-level windows of the framework's window class.
    std::vector<ProgramWindow> windows() const;
    // The first visible window with this exact title; none when there is none.
    HWND visibleWindow(const std::string& title) const;
    // The visible frameless topmost windows: tool tips, the notification box and menus.
    std::vector<ProgramWindow> visiblePopups() const;

private:
    PROCESS_INFORMATION info{};
};

// Input as the window procedure receives it from the mouse and keyboard, in client pixels.
void clickAt(HWND window, int x, int y);
void pressKey(HWND window, int virtualKey);
// The window's text through WM_GETTEXT, in the ANSI code page.
std::string windowText(HWND window);
// The client size of a window.
SIZE clientSize(HWND window);
