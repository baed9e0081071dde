// UiPinger: asks a window's thread whether it answers. A thread of its own sends WM_NULL to
// the window every few milliseconds (SendMessageTimeout, so it waits for the answer) and
// keeps, for each send, when it left and how long the answer took: the longest wait is the
// longest time the window's thread did not answer.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

class UiPinger {
public:
    UiPinger(HWND window, int everyMs);
    ~UiPinger();
    UiPinger(const UiPinger&) = delete;
    UiPinger& operator=(const UiPinger&) = delete;

    // The longest answer of the sends that left between `from` and `to` (nowMilliseconds
    // values); 0 when none did.
    double longestBetween(double from, double to) const;
    int sendsBetween(double from, double to) const;
    void stop();

private:
    struct Send {
        double left;
        double took;
    };
    void run();

    HWND window;
    int everyMs;
    std::atomic<bool> stopping{false};
    mutable std::mutex guard;
    std::vector<Send> sends;  // guarded
    std::thread thread;
};
