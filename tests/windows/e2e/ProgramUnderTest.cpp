#include "ProgramUnderTest.h"

namespace {

const DWORD sendTimeout = 5000;

struct Collect {
    DWORD pid = 0;
    std::vector<ProgramWindow>* out = nullptr;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM param)
{
    auto* c = reinterpret_cast<Collect*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != c->pid)
        return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "DWindow")
        return TRUE;
    ProgramWindow w;
    w.handle = window;
    w.className = name;
    w.title = windowText(window);
    w.visible = IsWindowVisible(window) != FALSE;
    w.topmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    GetWindowRect(window, &w.bounds);
    c->out->push_back(w);
    return TRUE;
}

LPARAM point(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, sendTimeout, &result);
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, int milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (static_cast<int>(GetTickCount() - start) >= milliseconds)
            return done();
        // Wakes for any message of this thread (a tray record) or after a short while to look
        // at the other process's windows again.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

ProgramUnderTest::~ProgramUnderTest()
{
    kill();
}

bool ProgramUnderTest::start(const std::string& program, const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string copy = folder + "\\Pellaro.exe";
    if (!CopyFileA(program.c_str(), copy.c_str(), FALSE))
        return false;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + copy + "\"";
    if (!CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        info = PROCESS_INFORMATION{};
        return false;
    }
    return true;
}

bool ProgramUnderTest::running() const
{
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

bool ProgramUnderTest::waitForExit(int milliseconds, DWORD* exitCode)
{
    if (!info.hProcess)
        return false;
    bool ended = waitUntil([this] { return !running(); }, milliseconds);
    if (ended && exitCode)
        GetExitCodeProcess(info.hProcess, exitCode);
    return ended;
}

void ProgramUnderTest::kill()
{
    if (!info.hProcess)
        return;
    if (running()) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 10000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    info = PROCESS_INFORMATION{};
}

std::vector<ProgramWindow> ProgramUnderTest::windows() const
{
    std::vector<ProgramWindow> out;
    Collect c;
    c.pid = info.dwProcessId;
    c.out = &out;
    if (c.pid)
        EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&c));
    return out;
}

HWND ProgramUnderTest::visibleWindow(const std::string& title) const
{
    for (const ProgramWindow& w : windows())
        if (w.visible && w.title == title)
            return w.handle;
    return nullptr;
}

std::vector<ProgramWindow> ProgramUnderTest::visiblePopups() const
{
    std::vector<ProgramWindow> out;
    for (const ProgramWindow& w : windows()) {
        LONG style = GetWindowLongA(w.handle, GWL_STYLE);
        if (w.visible && w.topmost && !(style & WS_CAPTION))
            out.push_back(w);
    }
    return out;
}

void clickAt(HWND window, int x, int y)
{
    send(window, WM_MOUSEMOVE, 0, point(x, y));
    send(window, WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
    send(window, WM_LBUTTONUP, 0, point(x, y));
}

void pressKey(HWND window, int virtualKey)
{
    UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    send(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    send(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

std::string windowText(HWND window)
{
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, sendTimeout, &copied))
        return std::string();
    return std::string(text, copied < sizeof text ? copied : sizeof text - 1);
}

SIZE clientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
