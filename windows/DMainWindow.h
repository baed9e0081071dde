// DMainWindow: Pellaro's options window and the hub behind it. A captioned top-level window
// of 400 x 450 client units, hidden most of the time, whose view tree holds the status
// line and wait bar, the mailbox list with "Add", "Edit" and "Remove", the interval combo
// box, three options and "Check Now!", "Hide" and "Exit". Control places are fixed
// rectangles relative to the window's client area or their group, grown where a text
// measured in its control needs more room (the window growing with them), worked out at
// creation and again when the window moves to a display of another dpi.
//
// It also owns the program's run-time machinery: the permanent state tray icon and its
// menu (with the "Language" submenu), the envelope tray icon and its new-mail menu, the
// notification box, the four timers (check interval, wait-bar animation, one-second poll,
// and the one-shot check after a wake-up), the working threads of the running check and
// the system's report of the network coming back. The check cycle itself (checkNow,
// finishCheck, terminateChecks, updateNewMailNotice and the state display) is in
// MainWindowCheck.cpp; the settings file's loading and saving in MainWindowSettings.cpp.
//
// Views are owned by the window's interior; every other pointer field below is owned.
// Everything runs on the user-interface thread.
#pragma once

#include <functional>
#include <vector>

#include "foundation/DString.h"
#include "framework/DWindow.h"
#include "mail/CheckOutcome.h"
#include "mail/ResumeCheck.h"
#include "mail/SettingsCodec.h"

class DButton;
class DCheckBox;
class DComboBox;
class DGroup;
class DListView;
class DMenu;
class DNetworkWatch;
class DNotificationBox;
class DStaticText;
class DThreadManager;
class DTimer;
class DTrayIcon;
class DWaitBar;
class DWorkingThread;
struct DLayoutRect;

// Menu commands of the tray menu, its "Language" submenu and the new-mail menu.
enum DMainCommand : int {
    commandCheckNow = 100,
    commandOptions = 101,
    commandAbout = 102,
    commandExit = 103,
    commandDisable = 104,
    commandGuide = 105,
    commandEnglish = 106,
    commandMagyar = 107,
};

class DMainWindow : public DWindow {
public:
    static const int clientWidth = 400;
    static const int clientHeight = 450;

    DMainWindow();
    ~DMainWindow() override;

    void onCreate() override;
    void onClose() override;
    void onScaleChanged() override;
    void onClick(DView* sender) override;
    void onChange(DView* sender, int a, int b, int c, int d) override;
    void onMenuItem(int id) override;
    void onTimer(DTimer* timer) override;
    void onEvent(DObject* sender, int code, int x, int y, int keys) override;
    // Escape hides the window, as "Hide" does.
    void onKeyDown(int key, int mods) override;
    // The end of the Windows session saves the settings; a restarted task bar
    // ("TaskbarCreated") gets both tray icons back; a wake-up from sleep and the network
    // coming back ("PellaroNetworkBack", posted by the network watch) start one check a
    // little later.
    bool handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Settings file (MainWindowSettings.cpp).
    // Reads the file into the options, the language flag, `mailboxes` and the list; sets
    // the check interval; with no mailbox shows the window and the user's guide; then
    // starts the first check.
    void loadSettings();
    // Writes every option and mailbox; false when the file could not be replaced.
    bool saveSettings();
    // The window's state as the settings file keeps it, and the reverse (the mailboxes are
    // appended to `mailboxes` and to the list).
    DSettingsRecord currentSettings() const;
    void applySettings(const DSettingsRecord& settings);

    // Check cycle (MainWindowCheck.cpp).
    void checkNow();
    void finishCheck();
    void terminateChecks();
    void updateNewMailNotice();
    void showErrorState(const DString& text);
    void showIdleState(const DString& text);
    void disableCheckControls();
    void enableCheckControls();
    // Stops the working threads of a running check and drops them, without touching the
    // list; for shutdown. Returns within the stop limit, whatever the threads do.
    void stopChecks();
    // The new-mail menu's command for mailbox `index`.
    void acknowledge(int index);

    // For the mailbox window and the tests.
    DListView* getMailboxList() const { return mailboxList; }
    DStaticText* getStatusText() const { return statusText; }
    DWaitBar* getWaitBar() const { return waitBar; }
    DComboBox* getIntervalCombo() const { return intervalCombo; }
    DCheckBox* getNotifyCheck() const { return notifyCheck; }
    DCheckBox* getNotifyAtStartupCheck() const { return notifyAtStartupCheck; }
    DCheckBox* getConnectionCheck() const { return connectionCheck; }
    DButton* getCheckNowButton() const { return checkNowButton; }
    DButton* getAddButton() const { return addButton; }
    DButton* getEditButton() const { return editButton; }
    DButton* getRemoveButton() const { return removeButton; }
    DButton* getHideButton() const { return hideButton; }
    DButton* getExitButton() const { return exitButton; }
    DGroup* getMailboxGroup() const { return mailboxGroup; }
    DTrayIcon* getStateTrayIcon() const { return stateTrayIcon; }
    DTrayIcon* getMailTrayIcon() const { return mailTrayIcon; }
    DMenu* getTrayMenu() const { return trayMenu; }
    DMenu* getLanguageMenu() const { return languageMenu; }
    DMenu* getNewMailMenu() const { return newMailMenu; }
    DNotificationBox* getNotificationBox() const { return notificationBox; }
    DTimer* getCheckTimer() const { return checkTimer; }
    DTimer* getPollTimer() const { return pollTimer; }
    DTimer* getAnimationTimer() const { return animationTimer; }
    DTimer* getResumeTimer() const { return resumeTimer; }
    DNetworkWatch* getNetworkWatch() const { return networkWatch; }
    // The message the network watch posts when an address comes up.
    unsigned getNetworkBackMessage() const { return networkBackMessage; }
    DThreadManager* getThreads() const { return threads; }
    bool isDisabled() const;

    // What the working threads talk to and how the settings file is found. The program
    // uses the port its server fields name or imply (0 here), the user's documents folder
    // and its own folder; tests point them elsewhere before create.
    void setCheckPort(int port) { checkPort = port; }
    void setSettingsFolders(const DString& documents, const DString& program);
    // Poll ticks before a running check is stopped, and the poll interval (ms).
    void setTimeoutLimit(unsigned ticks) { timeoutLimit = ticks; }
    // How long stopping a check may wait for its threads (ms) before it lets the ones that
    // do not answer go; how long a server may say nothing (ms; 0: the threads' own 60 s).
    void setStopLimit(int milliseconds) { stopLimit = milliseconds; }
    void setSilenceLimit(int milliseconds) { silenceLimit = milliseconds; }
    // Makes the working thread of each mailbox (a test's own kind); empty: DWorkingThread.
    void setThreadMaker(std::function<DWorkingThread*()> maker) { threadMaker = std::move(maker); }
    void setPollInterval(int milliseconds);
    // How long after a wake-up or the network's return the check starts (ms).
    void setResumeDelay(int milliseconds) { resumeDelay = milliseconds; }
    // Whether loadSettings opens the user's guide, modally, when there is no mailbox.
    void setGuideOnEmpty(bool flag) { guideOnEmpty = flag; }
    // How many times checkNow was called, and how many of those started working threads.
    int checkRequests() const { return checkCalls; }
    int checksStarted() const { return startedChecks; }

private:
    // The controls at their written places; fitToTexts then grows those whose texts need
    // more room, and the window with them (MainWindowLayout.h).
    void buildControls();
    void fitToTexts();
    void buildMenus();
    DGroup* group(const DLayoutRect& at, const char* caption);
    DButton* button(DView* parent, const DLayoutRect& at, const char* caption);
    DCheckBox* checkBox(DView* parent, const DLayoutRect& at, const char* caption);
    // Gives the view the access key its English caption has in the window's language.
    void giveAccessKey(DView* view, const char* caption);
    void openMailboxWindow(bool editMode);
    void removeSelectedMailbox();
    void switchLanguage(bool toHungarian);
    // The user's guide, modal over this window.
    void openGuide();
    // Exit, once chosen, goes on after every box of this window has closed: it closes the
    // box still open, or with none left the window itself.
    void continueExit();
    void setStateIcon(DIcon* icon, const DString& tip);
    // Starts the next working thread of the running check, and asks for the one after it
    // on the next turn of the message loop; with the last one the poll timer starts.
    void startNextThread();
    void startThreadAt(int index);  // starts thread `index` of `threads`, notes the outcome
    void showEnvelope(DEnvelope picture);
    void recreateTrayIcons();
    void hideNotificationBox();
    // Opens a tray menu at the cursor, or from the keyboard at the icon's place (x, y)
    // with its first item hot.
    void popupMenu(DMenu* menu, bool byKeyboard = false, int x = 0, int y = 0);
    // A wake-up or the network's return: the one-shot timer starts when a check is due.
    void scheduleResumeCheck(bool due);
    void resumeTimerFired();
    void stopNetworkWatch();
    // Reads the results of the check's threads into the list and the entries. With
    // `unfinished`, threads still running are skipped and their rows listed there.
    DCheckSummary showResults(std::vector<int>* unfinished);
    // Stops the check's threads within the stop limit and gives each up (DWorkingThread::release).
    void dropThreads();

    DGroup* statusGroup = nullptr;
    DStaticText* statusText = nullptr;
    DWaitBar* waitBar = nullptr;
    DGroup* mailboxGroup = nullptr;
    DListView* mailboxList = nullptr;
    DButton* addButton = nullptr;
    DButton* editButton = nullptr;
    DButton* removeButton = nullptr;
    DGroup* intervalGroup = nullptr;
    DComboBox* intervalCombo = nullptr;
    DGroup* optionsGroup = nullptr;
    DCheckBox* notifyCheck = nullptr;
    DCheckBox* notifyAtStartupCheck = nullptr;
    DCheckBox* connectionCheck = nullptr;
    DButton* checkNowButton = nullptr;
    DButton* hideButton = nullptr;
    DButton* exitButton = nullptr;
    DTrayIcon* stateTrayIcon = nullptr;     // owned
    DMenu* languageMenu = nullptr;          // owned
    DMenu* trayMenu = nullptr;              // owned
    DTrayIcon* mailTrayIcon = nullptr;      // owned; null while there is no unread new mail
    DMenu* newMailMenu = nullptr;           // owned
    DTimer* checkTimer = nullptr;           // owned
    DTimer* animationTimer = nullptr;       // owned
    DTimer* pollTimer = nullptr;            // owned
    DTimer* resumeTimer = nullptr;          // owned; enabled only while a resume check waits
    DNetworkWatch* networkWatch = nullptr;  // owned; stopped at close
    DThreadManager* threads = nullptr;      // owned list; the threads are destroyed by the cycle
    DNotificationBox* notificationBox = nullptr;  // owned

    std::vector<bool> threadStarted;        // per thread of `threads`: its start succeeded
    int nextThreadToStart = 0;              // index in `threads` of the next one to start
    unsigned startRound = 0;                // which check a "start the next thread" belongs to
    DString documents;                      // settings folders (see setSettingsFolders)
    DString program;
    bool customFolders = false;
    int checkPort = 0;                      // 0: the port the server field names or implies
    unsigned timeoutLimit = checkTimeoutTicks;
    int stopLimit = checkStopLimitMs;
    int silenceLimit = 0;
    std::function<DWorkingThread*()> threadMaker;
    int pollInterval = 1000;
    bool guideOnEmpty = true;
    bool exitPending = false;               // Exit was chosen; boxes still open are closing
    int checkCalls = 0;
    int startedChecks = 0;
    unsigned taskbarCreatedMessage = 0;
    unsigned networkBackMessage = 0;
    unsigned startNextMessage = 0;          // "start the next thread", posted to this window
    ResumeCheck resume;
    int resumeDelay = ResumeCheck::delayMs;
};
