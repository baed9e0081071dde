// The main window's tests run Pellaro's own start-up in the test program: settings written
// to a folder of the test's own, the working threads pointed at a loopback POP3 server, the
// poll timer and the check after a wake-up quickened. Conditions are waited for by pumping
// messages, with a bound.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "mail/SettingsCodec.h"
#include "windows/DMainWindow.h"
#include "windows/Startup.h"

class DIcon;

namespace maintest {

std::string text(const DString& s);

class PellaroRun : public ::testing::Test {
public:
    // A mailbox record on 127.0.0.1.
    static DMailboxRecord box(const char* user, const char* password = "secret",
                              int seenCount = 0);

protected:
    void SetUp() override;
    void TearDown() override;
    // Writes the settings file that start-up will read.
    void writeSettings(const DSettingsRecord& settings);
    // Start-up with the working threads talking to `port`; the first check has started
    // (or ended at once) when it returns.
    DMainWindow* start(int port, unsigned timeoutLimit = 300);
    // Writes the settings, starts and lets the first check end.
    void startChecked(const DSettingsRecord& settings, int port);
    // Pumps until no check runs; false when one still runs after `milliseconds`.
    bool waitForCheckEnd(int milliseconds = 30000);
    // checkNow, then waitForCheckEnd.
    bool checkAgain();

    std::string cell(int row, int column) const;
    std::string tooltip() const;
    DIcon* stateIcon() const;
    DIcon* envelopeIcon() const;   // null without the envelope
    bool boxShown() const;
    DSettingsRecord settingsOnDisk() const;

    // Changes the start-up options start() uses (a test's own threads, limits); none: as set.
    std::function<void(DStartupOptions&)> adjustOptions;
    DPellaroStartup startup;
    DMainWindow* window = nullptr;
    DString folder;  // the test's documents and program folder
};

}  // namespace maintest
