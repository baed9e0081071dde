// programbench: Pellaro as a whole program, measured from outside as a user runs it under
// Wine, beside two yardsticks built for the purpose: a minimal tray program (a window class,
// a hidden window, one Shell_NotifyIcon) and a plain POP3 client (one blocking thread per
// mailbox, the same USER, PASS, STAT, QUIT exchange). A measurement, not a test.
//
// It prints, in one run:
//   - CPU time of one check of 1 and of 20 mailboxes (Pellaro.exe clicked on "Check Now!",
//     until its work after the check has ended), beside the plain client's CPU for the same
//     mailboxes, and the wineserver's CPU during each; the same with the options window
//     open, where the check's changes are painted;
//   - the longest time Pellaro's user-interface thread did not answer during a check: a
//     WM_NULL sent every 5 ms from another thread waits for its answer;
//   - process start to tray icon (median of several starts), beside the minimal program;
//   - private memory after start-up (committed MEM_PRIVATE pages), beside it too.
// The program reads its settings from the user's documents folder, which under Wine is
// the Linux home folder, shared by every prefix; so for the run the documents folder (the
// shell folder "Personal" of the registry) is a folder of the benchmark's own, and the old
// value is put back at the end (tools/programbench.sh also gives the run a Wine prefix of its
// own). The settings there hold the mailboxes, all user "three" (password "secret") on port
// 110 of the server address: tools/programbench.sh starts a Dovecot there. A stand-in notification area records the tray icons (their adds and
// tooltips tell when start-up and a check have ended).
//   programbench <Pellaro.exe> <server address> [checks per figure] [starts]
//   (defaults: 5 checks, 5 starts). The yardsticks stand beside programbench.exe.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchFigures.h"
#include "BenchProcess.h"
#include "ProcessFigures.h"
#include "UiPinger.h"
#include "mail/SettingsFile.h"
#include "system/KnownFolders.h"
#include "tests/windows/e2e/ProgramUnderTest.h"
#include "tests/windows/e2e/TrayStandIn.h"

namespace {

const int startBound = 60000;
const int checkBound = 120000;
const int quietMs = 400;
const char* const checkingTip = "Pellaro: Checking...";

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string ownFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return folderOf(path);
}

// A Unix path as Wine's drive Z: shows it; a Windows path unchanged.
std::string windowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

const char* const shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Makes `folder` the user's documents folder as programs read it from the registry; an
// empty `folder` removes the value.
bool setShellFolder(const std::string& folder)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, shellFolders, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool set = folder.empty()
                   ? RegDeleteValueA(key, "Personal") == ERROR_SUCCESS
                   : RegSetValueExA(key, "Personal", 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(folder.c_str()),
                                    static_cast<DWORD>(folder.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

class ProgramBench {
public:
    ProgramBench(const std::string& program, const std::string& server, int checks, int starts)
        : pellaroBuilt(windowsPath(program)), server(server), checks(checks), starts(starts)
    {
    }
    ~ProgramBench() { restoreDocuments(); }

    bool prepare();
    void measureStarts(BenchFigures& figures);
    bool measureChecks(int mailboxes, BenchFigures& figures);
    void measurePlainClient(int mailboxes, BenchFigures& figures);

private:
    bool writeSettings(int mailboxes);
    void restoreDocuments();
    // Starts Pellaro.exe and waits for its tray icon; the time from start to icon.
    bool startPellaro(BenchProcess& pellaro, double& toTray);
    bool waitForCheckEnd(DWORD pid, size_t tipsBefore);
    // Opens Pellaro's options window as a left click on its state icon does.
    bool showWindow(BenchProcess& pellaro, HWND main);
    // One "Check Now!" and its figures: CPU without `pinger`, with it the longest silences
    // of Pellaro and, over the same time, of the minimal program that `yardstick` pings.
    bool checkOnce(BenchProcess& pellaro, HWND main, UiPinger* pinger, UiPinger* yardstick,
                   BenchFigures& figures, int mailboxes);

    std::string pellaroBuilt;
    std::string server;
    int checks;
    int starts;
    TrayStandIn tray;
    std::string documents;
    std::string oldDocuments;
    bool redirected = false;
    std::string pellaroCopy;
    std::string copyFolder;
    std::string minimalTray;
    std::string plainClient;
    int wineserver = 0;
    bool windowOpen = false;  // the checks now measured run with the options window open
};

bool ProgramBench::prepare()
{
    std::string tools = ownFolder();
    minimalTray = tools + "\\minimaltray.exe";
    plainClient = tools + "\\plainclient.exe";
    if (!tray.create()) {
        std::printf("the stand-in notification area is not the one Shell_NotifyIcon finds\n");
        return false;
    }
    // A copy in a folder of its own (its path finds the process in /proc), with the
    // documents folder of the run inside it.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    copyFolder = std::string(temp) + "pellaro-programbench";
    CreateDirectoryA(copyFolder.c_str(), nullptr);
    documents = copyFolder + "\\documents";
    CreateDirectoryA(documents.c_str(), nullptr);
    oldDocuments = documentsFolder().text();
    redirected = setShellFolder(documents);
    if (!redirected || documentsFolder() != DString(documents.c_str())) {
        std::printf("cannot make %s the documents folder\n", documents.c_str());
        return false;
    }
    pellaroCopy = copyFolder + "\\Pellaro.exe";
    if (!CopyFileA(pellaroBuilt.c_str(), pellaroCopy.c_str(), FALSE)) {
        std::printf("cannot copy %s\n", pellaroBuilt.c_str());
        return false;
    }
    wineserver = wineserverProcess();
    if (wineserver == 0)
        std::printf("(the wineserver of this prefix was not found: its CPU is not shown)\n");
    return true;
}

bool ProgramBench::writeSettings(int mailboxes)
{
    DSettingsRecord settings;
    settings.intervalIndex = 3;  // 15 minutes: no periodic check during the measurement
    for (int i = 0; i < mailboxes; i++) {
        DMailboxRecord record;
        record.userName = "three";
        record.server = DString(server.c_str());
        record.password = "secret";
        settings.mailboxes.push_back(record);
    }
    return saveSettingsFile(DString(documents.c_str()), settings);
}

void ProgramBench::restoreDocuments()
{
    if (!redirected)
        return;
    std::string file = documents + "\\.Pellaro.ini";
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
    setShellFolder(oldDocuments);
    redirected = false;
}

bool ProgramBench::startPellaro(BenchProcess& pellaro, double& toTray)
{
    if (!pellaro.start(pellaroCopy, "", copyFolder))
        return false;
    double iconAt = 0;
    bool added = waitUntil([&] {
        if (tray.addsOf(pellaro.pid()) == 0)
            return false;
        iconAt = nowMilliseconds();
        return true;
    }, startBound);
    toTray = iconAt - pellaro.startedAt();
    return added;
}

bool ProgramBench::waitForCheckEnd(DWORD pid, size_t tipsBefore)
{
    return waitUntil([&] {
        std::vector<std::string> tips = tray.tipsOf(pid);
        bool checking = false;
        for (size_t i = tipsBefore; i < tips.size(); i++) {
            if (tips[i] == checkingTip)
                checking = true;
            else if (checking)
                return true;
        }
        return false;
    }, checkBound);
}

void ProgramBench::measureStarts(BenchFigures& figures)
{
    if (!writeSettings(20))
        std::printf("cannot write the settings file in %s\n", documents.c_str());
    for (int i = 0; i < starts; i++) {
        BenchProcess minimal;
        double toTray = 0;
        if (minimal.start(minimalTray, "", "") &&
            waitUntil([&] { return tray.addsOf(minimal.pid()) > 0; }, startBound)) {
            toTray = nowMilliseconds() - minimal.startedAt();
            figures.minimalToTray.push_back(toTray);
            waitUntilQuiet(minimal, quietMs, startBound);
            figures.minimalPrivate.push_back(minimal.privateMegabytes());
            figures.minimalThreads.push_back(minimal.threadCount());
        } else {
            std::printf("the minimal tray program did not show its icon\n");
        }
        minimal.close(minimal.window("MinimalTray"), startBound);

        BenchProcess pellaro;
        if (!startPellaro(pellaro, toTray)) {
            std::printf("Pellaro did not show its tray icon\n");
            continue;
        }
        figures.pellaroToTray.push_back(toTray);
        // Start-up has started the first check: its end, then quiet, is "after start-up".
        if (waitForCheckEnd(pellaro.pid(), 0) && waitUntilQuiet(pellaro, quietMs, startBound)) {
            figures.pellaroPrivate.push_back(pellaro.privateMegabytes());
            figures.pellaroThreads.push_back(pellaro.threadCount());
        }
        pellaro.close(pellaro.window("DWindow", "Pellaro"), startBound);
        std::printf("  start %d: minimal %.0f ms, Pellaro %.0f ms to tray\n", i + 1,
                    figures.minimalToTray.empty() ? 0.0 : figures.minimalToTray.back(), toTray);
        std::fflush(stdout);
    }
}

bool ProgramBench::checkOnce(BenchProcess& pellaro, HWND main, UiPinger* pinger,
                             UiPinger* yardstick, BenchFigures& figures, int mailboxes)
{
    size_t tipsBefore = tray.tipsOf(pellaro.pid()).size();
    double cpuBefore = pellaro.cpuMilliseconds();
    double serverBefore = unixCpuMilliseconds(wineserver);
    double clickAt = nowMilliseconds();
    // "Check Now!" at the bottom left of the main window (hidden, as it mostly is).
    LPARAM point = MAKELPARAM(60, 450 - 35 + 12);
    PostMessageA(main, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(main, WM_LBUTTONUP, 0, point);
    if (!waitForCheckEnd(pellaro.pid(), tipsBefore)) {
        std::printf("a check of %d mailboxes did not end\n", mailboxes);
        return false;
    }
    double endAt = nowMilliseconds();
    waitUntilQuiet(pellaro, quietMs, checkBound);
    CheckFigures& f = windowOpen ? figures.windowOpen[mailboxes] : figures.pellaro[mailboxes];
    if (pinger) {
        // No poll can take results during the first second: a block then is the start's.
        double split = clickAt + 1000;
        f.silenceStarting.push_back(pinger->longestBetween(clickAt, split));
        f.silenceResults.push_back(pinger->longestBetween(split, endAt + quietMs));
        if (yardstick)
            f.yardstickSilence.push_back(yardstick->longestBetween(clickAt, endAt + quietMs));
    } else {
        f.cpu.push_back(pellaro.cpuMilliseconds() - cpuBefore);
        if (wineserver)
            f.serverCpu.push_back(unixCpuMilliseconds(wineserver) - serverBefore);
        f.wall.push_back(endAt - clickAt);
    }
    return true;
}

bool ProgramBench::showWindow(BenchProcess& pellaro, HWND main)
{
    // The state icon is told from the envelope by its tooltip, "Pellaro: " and the state.
    const TrayIconRecord* state = nullptr;
    std::vector<TrayIconRecord> icons = tray.iconsOf(pellaro.pid());
    for (const TrayIconRecord& icon : icons)
        if (icon.tip.compare(0, 9, "Pellaro: ") == 0)
            state = &icon;
    if (!state)
        return false;
    TrayStandIn::click(*state, WM_LBUTTONUP, GetSystemMetrics(SM_CXSCREEN) - 20,
                       GetSystemMetrics(SM_CYSCREEN) - 10);
    bool shown = waitUntil([&] { return IsWindowVisible(main) != FALSE; }, startBound);
    if (!shown)
        std::printf("the options window did not open\n");
    return shown && waitUntilQuiet(pellaro, quietMs, startBound);
}

bool ProgramBench::measureChecks(int mailboxes, BenchFigures& figures)
{
    if (!writeSettings(mailboxes)) {
        std::printf("cannot write the settings file in %s\n", documents.c_str());
        return false;
    }
    BenchProcess pellaro;
    double toTray = 0;
    if (!startPellaro(pellaro, toTray) || !waitForCheckEnd(pellaro.pid(), 0)) {
        std::printf("Pellaro did not start and check\n");
        return false;
    }
    waitUntilQuiet(pellaro, quietMs, startBound);
    HWND main = pellaro.window("DWindow", "Pellaro");
    bool ok = main != nullptr;
    // CPU first, without the pings (each costs the program a message), then the pings.
    for (int i = 0; i < checks && ok; i++)
        ok = checkOnce(pellaro, main, nullptr, nullptr, figures, mailboxes);
    {
        // The minimal program, doing nothing, is pinged at the same time: how long a window
        // with nothing to do stays unanswered on this machine at this moment.
        BenchProcess minimal;
        HWND idle = nullptr;
        if (minimal.start(minimalTray, "", "") &&
            waitUntil([&] { return tray.addsOf(minimal.pid()) > 0; }, startBound))
            idle = minimal.window("MinimalTray");
        std::unique_ptr<UiPinger> yardstick(idle ? new UiPinger(idle, 5) : nullptr);
        UiPinger pinger(main, 5);
        for (int i = 0; i < checks && ok; i++)
            ok = checkOnce(pellaro, main, &pinger, yardstick.get(), figures, mailboxes);
        pinger.stop();
        yardstick.reset();
        minimal.close(idle, startBound);
    }
    // The options window open (a left click on the state icon), as a user may watch it.
    if (ok && showWindow(pellaro, main)) {
        windowOpen = true;
        for (int i = 0; i < checks && ok; i++)
            ok = checkOnce(pellaro, main, nullptr, nullptr, figures, mailboxes);
        windowOpen = false;
    }
    pellaro.close(main, startBound);
    std::printf("  %d checks of %d mailboxes done\n", 3 * checks, mailboxes);
    std::fflush(stdout);
    return ok;
}

void ProgramBench::measurePlainClient(int mailboxes, BenchFigures& figures)
{
    for (int i = 0; i < checks; i++) {
        std::string base = "programbench-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(mailboxes) + "-" + std::to_string(i);
        std::string names[4] = {base + "-ready", base + "-go", base + "-done", base + "-end"};
        HANDLE events[4];
        for (int e = 0; e < 4; e++)
            events[e] = CreateEventA(nullptr, TRUE, FALSE, names[e].c_str());
        BenchProcess client;
        std::string arguments = server + " three secret " + std::to_string(mailboxes);
        for (const std::string& name : names)
            arguments += " " + name;
        if (client.start(plainClient, arguments, "") &&
            WaitForSingleObject(events[0], startBound) == WAIT_OBJECT_0) {
            double cpuBefore = client.cpuMilliseconds();
            double serverBefore = unixCpuMilliseconds(wineserver);
            double goAt = nowMilliseconds();
            SetEvent(events[1]);
            if (WaitForSingleObject(events[2], checkBound) == WAIT_OBJECT_0) {
                double doneAt = nowMilliseconds();
                CheckFigures& f = figures.plain[mailboxes];
                // The last of its threads may still be unwinding: wait for quiet.
                waitUntilQuiet(client, quietMs, checkBound);
                f.cpu.push_back(client.cpuMilliseconds() - cpuBefore);
                if (wineserver)
                    f.serverCpu.push_back(unixCpuMilliseconds(wineserver) - serverBefore);
                f.wall.push_back(doneAt - goAt);
            }
            SetEvent(events[3]);
            DWORD code = 1;
            if (WaitForSingleObject(client.process(), startBound) == WAIT_OBJECT_0 &&
                GetExitCodeProcess(client.process(), &code) && code != 0)
                std::printf("the plain client's check of %d mailboxes failed\n", mailboxes);
        } else {
            std::printf("the plain client did not start\n");
        }
        for (HANDLE e : events)
            CloseHandle(e);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: programbench <Pellaro.exe> <server address> [checks] [starts]\n");
        return 2;
    }
    int checks = argc > 3 ? std::atoi(argv[3]) : 5;
    int starts = argc > 4 ? std::atoi(argv[4]) : 5;
    ProgramBench bench(argv[1], argv[2], checks < 1 ? 1 : checks, starts < 1 ? 1 : starts);
    if (!bench.prepare())
        return 1;
    BenchFigures figures;
    std::printf("Starts (Pellaro with 20 mailboxes; the minimal tray program):\n");
    std::fflush(stdout);
    bench.measureStarts(figures);
    bool ok = true;
    for (int mailboxes : {1, 20}) {
        ok = bench.measureChecks(mailboxes, figures) && ok;
        bench.measurePlainClient(mailboxes, figures);
    }
    printFigures(figures);
    return ok ? 0 : 1;
}
