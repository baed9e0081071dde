// The figures the whole-program benchmark collects, and the table it prints from them:
// medians of each figure, Pellaro beside its yardstick, the ratio, and whether the goal for
// it is met.
#pragma once

#include <map>
#include <vector>

// One kind of check, every value once per check, in milliseconds.
struct CheckFigures {
    std::vector<double> cpu;              // the checking process
    std::vector<double> serverCpu;        // the wineserver, meanwhile
    std::vector<double> wall;             // from the click (or the go) to the end
    std::vector<double> silenceStarting;  // longest unanswered WM_NULL, first second
    std::vector<double> silenceResults;   // the same, from then to the end
    std::vector<double> yardstickSilence; // the minimal program's longest, the whole time
};

struct BenchFigures {
    std::map<int, CheckFigures> pellaro;  // by number of mailboxes
    std::map<int, CheckFigures> plain;
    std::map<int, CheckFigures> windowOpen;  // Pellaro with its options window open
    std::vector<double> pellaroToTray;
    std::vector<double> minimalToTray;
    std::vector<double> pellaroPrivate;  // MB
    std::vector<double> minimalPrivate;
    std::vector<double> pellaroThreads;  // when the private memory was read
    std::vector<double> minimalThreads;
};

double median(std::vector<double> values);  // 0 for none
double largest(const std::vector<double>& values);  // 0 for none
void printFigures(const BenchFigures& figures);
