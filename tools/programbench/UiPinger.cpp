#include "UiPinger.h"

#include "ProcessFigures.h"

UiPinger::UiPinger(HWND target, int every) : window(target), everyMs(every)
{
    thread = std::thread([this] { run(); });
}

UiPinger::~UiPinger()
{
    stop();
}

void UiPinger::stop()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
}

void UiPinger::run()
{
    while (!stopping) {
        double left = nowMilliseconds();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) &&
            !IsWindow(window))
            return;
        double took = nowMilliseconds() - left;
        {
            std::lock_guard<std::mutex> hold(guard);
            sends.push_back(Send{left, took});
        }
        Sleep(static_cast<DWORD>(everyMs));
    }
}

double UiPinger::longestBetween(double from, double to) const
{
    std::lock_guard<std::mutex> hold(guard);
    double longest = 0;
    for (const Send& s : sends)
        if (s.left >= from && s.left <= to && s.took > longest)
            longest = s.took;
    return longest;
}

int UiPinger::sendsBetween(double from, double to) const
{
    std::lock_guard<std::mutex> hold(guard);
    int n = 0;
    for (const Send& s : sends)
        n += s.left >= from && s.left <= to ? 1 : 0;
    return n;
}
