// Pellaro started in the test program (as the main window's tests start it) and read as a
// screen reader reads it: the windows' accessible objects through oleacc, keys sent as the
// keyboard sends them, and modal windows driven from inside their own message loop.
#pragma once

#include "AccessibleWalk.h"
#include "MainWindowFixture.h"
#include "Pop3CountServer.h"

#include <functional>
#include <string>

namespace a11ytest {

class Run : public maintest::PellaroRun {
protected:
    void SetUp() override;
    // Start-up with one mailbox "ann" (password "secret") whose server holds `count`
    // messages, in Hungarian or English; the first check has ended.
    void startWith(bool inHungarian, int count = 0);
    // Shows the main window and makes it the active one.
    void showMainWindow();
    // The text in the interface language, as the windows made it.
    static std::string shown(const char* english);

    // Keys as the keyboard sends them to `window`: a press and a release, with Alt held
    // (sent as system keys) or with Shift or Ctrl held.
    static void press(HWND window, int virtualKey, int mods = 0);
    // The user presses Alt alone.
    static void pressAlt(HWND window);
    // Handles what is queued (win events arrive this way), like the test kit's pump, but
    // leaves a quit message for the loop it belongs to: a key that closed a modal window
    // must let that window's loop end.
    static void settle();

    // Runs `open`, which opens a modal window over the main window, and `inside` once from
    // inside that window's loop with the window; `inside` must close it.
    void insideModal(const std::function<void()>& open,
                     const std::function<void(DWindow* modal)>& inside);

    Pop3CountServer server;
};

}  // namespace a11ytest
