// The saving side of the interrupted-save test: saves the settings into the folder given,
// alternating the small and the large settings, until it is stopped from outside (or, as a
// bound, after the number of saves given). It sets the named event given once its first
// save is complete, so the test kills it only while it is saving over a file it wrote.
//   interrupted_save_child <folder> <event name> <saves>
#include <windows.h>

#include <cstdlib>

#include "InterruptedSaveRecords.h"
#include "mail/SettingsFile.h"

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    DString folder(argv[1]);
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    long saves = std::atol(argv[3]);
    DSettingsRecord settings[2] = {interruptedSaveSettings(false), interruptedSaveSettings(true)};
    for (long i = 0; i < saves; ++i) {
        if (!saveSettingsFile(folder, settings[(i + 1) % 2]))
            return 3;
        if (i == 0 && started)
            SetEvent(started);
    }
    return 0;
}
