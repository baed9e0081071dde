#include "BenchFigures.h"

#include <algorithm>
#include <cstdio>

namespace {

// Goals for Pellaro as a whole program.
const double checkCpuRatio = 3.0;        // a check of 20 at most 3x the plain client's CPU,
const double checkCpuEnough = 100.0;     // or under 100 ms
const double longestSilence = 50.0;      // ms the user-interface thread may not answer
const double startRatio = 2.0;           // start to tray at most 2x the minimal program
const double memoryAbove = 3.0;          // private memory at most 3 MB above it

const char* verdict(bool met)
{
    return met ? "met" : "NOT met";
}

double ratio(double a, double b)
{
    return b > 0 ? a / b : 0;
}

const CheckFigures& figuresFor(const std::map<int, CheckFigures>& all, int mailboxes)
{
    static const CheckFigures none;
    auto found = all.find(mailboxes);
    return found == all.end() ? none : found->second;
}

void printCheck(const BenchFigures& figures, int mailboxes)
{
    const CheckFigures& p = figuresFor(figures.pellaro, mailboxes);
    const CheckFigures& c = figuresFor(figures.plain, mailboxes);
    double cpu = median(p.cpu), plainCpu = median(c.cpu);
    std::printf("CPU of a check of %2d mailbox%s   %8.0f ms  %8.0f ms   %5.1fx\n", mailboxes,
                mailboxes == 1 ? " " : "es", cpu, plainCpu, ratio(cpu, plainCpu));
    std::printf("  wineserver CPU meanwhile         %8.0f ms  %8.0f ms\n", median(p.serverCpu),
                median(c.serverCpu));
    std::printf("  wall time of the check           %8.0f ms  %8.0f ms\n", median(p.wall),
                median(c.wall));
    std::printf("  (CPU of each check: Pellaro");
    for (double v : p.cpu)
        std::printf(" %.0f", v);
    std::printf("; plain client");
    for (double v : c.cpu)
        std::printf(" %.0f", v);
    std::printf(")\n");
    const CheckFigures& open = figuresFor(figures.windowOpen, mailboxes);
    std::printf("  with the options window open     %8.0f ms  %8s     %5.1fx  (wineserver %.0f ms)\n",
                median(open.cpu), "", ratio(median(open.cpu), plainCpu), median(open.serverCpu));
    std::printf("UI thread silent, %2d mailbox%s    longest %.0f ms while starting, %.0f ms while"
                " taking results (medians %.0f, %.0f)\n",
                mailboxes, mailboxes == 1 ? " " : "es", largest(p.silenceStarting),
                largest(p.silenceResults), median(p.silenceStarting), median(p.silenceResults));
    std::printf("  the minimal program meanwhile    longest %.0f ms (median %.0f): the machine's own"
                " delay in answering\n", largest(p.yardstickSilence), median(p.yardstickSilence));
}

}  // namespace

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double largest(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

void printFigures(const BenchFigures& figures)
{
    std::printf("\n%-34s %11s %11s  %6s\n", "figure (medians)", "Pellaro", "yardstick", "ratio");
    printCheck(figures, 1);
    printCheck(figures, 20);
    double tray = median(figures.pellaroToTray), minimalTray = median(figures.minimalToTray);
    std::printf("start to tray icon                 %8.0f ms  %8.0f ms   %5.1fx\n", tray,
                minimalTray, ratio(tray, minimalTray));
    double memory = median(figures.pellaroPrivate), minimalMemory = median(figures.minimalPrivate);
    std::printf("private memory after start-up      %8.1f MB  %8.1f MB  %+5.1f MB\n", memory,
                minimalMemory, memory - minimalMemory);
    std::printf("  threads then                     %8.0f     %8.0f\n",
                median(figures.pellaroThreads), median(figures.minimalThreads));
    std::printf("(yardsticks: the plain client for checks, the minimal tray program for the"
                " start)\n\nGoals:\n");

    const CheckFigures& p20 = figuresFor(figures.pellaro, 20);
    double cpu20 = median(p20.cpu), plain20 = median(figuresFor(figures.plain, 20).cpu);
    std::printf("  check of 20 at most %.0fx the plain client's CPU or under %.0f ms: %.1fx,"
                " %.0f ms: %s\n", checkCpuRatio, checkCpuEnough, ratio(cpu20, plain20), cpu20,
                verdict(!p20.cpu.empty() &&
                        (cpu20 <= checkCpuRatio * plain20 || cpu20 < checkCpuEnough)));
    double silence = 0;
    for (const auto& entry : figures.pellaro)
        silence = std::max({silence, largest(entry.second.silenceStarting),
                            largest(entry.second.silenceResults)});
    double idleSilence = 0;
    for (const auto& entry : figures.pellaro)
        idleSilence = std::max(idleSilence, largest(entry.second.yardstickSilence));
    std::printf("  UI thread never silent over %.0f ms during a check: longest %.0f ms: %s\n"
                "    (the minimal program, with nothing to do, over the same checks: longest"
                " %.0f ms)\n",
                longestSilence, silence, verdict(silence <= longestSilence), idleSilence);
    std::printf("  start to tray at most %.0fx the minimal program: %.1fx: %s\n", startRatio,
                ratio(tray, minimalTray),
                verdict(minimalTray > 0 && tray <= startRatio * minimalTray));
    std::printf("  private memory at most %.0f MB above the minimal program: %+.1f MB: %s\n",
                memoryAbove, memory - minimalMemory,
                verdict(minimalMemory > 0 && memory - minimalMemory <= memoryAbove));
    std::fflush(stdout);
}
