#include "windows/DMainWindow.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DStaticText.h"
#include "controls/DWaitBar.h"
#include "framework/DWinInterior.h"
#include "framework/KeyCodes.h"
#include "framework/SystemUtils.h"
#include "graphics/BuiltInImages.h"
#include "graphics/DFont.h"
#include "mail/CheckState.h"
#include "mail/DMailboxEntry.h"
#include "mail/DNetworkWatch.h"
#include "foundation/DPellaroDictionary.h"
#include "system/DThreadManager.h"
#include "system/DTimer.h"
#include "mail/Mailboxes.h"
#include "windows/AccessKeyTables.h"
#include "windows/DAboutBox.h"
#include "windows/DLangMsgBox.h"
#include "windows/DMailBoxWindow.h"
#include "windows/DNotificationBox.h"
#include "windows/MailboxForm.h"
#include "windows/MainWindowLayout.h"

#include <utility>
#include "windows/DTrayIcon.h"
#include "windows/DUserGuideBox.h"

namespace {

// The interval combo box's items, in the order of the settings file's interval choice.
const char* const intervalTexts[] = {"1 minute", "5 minutes", "10 minutes", "15 minutes"};

// Opens one of the information boxes modally over `owner`; the box is made for this
// opening and destroyed when it has closed.
template <class Box> void openInfoBox(DWindow* owner)
{
    Box* box = new Box;
    box->open(owner, idleIcon);
    delete box;
}

}  // namespace

DMainWindow::DMainWindow() = default;

DMainWindow::~DMainWindow()
{
    // Normally onClose has released all of this; a window deleted without being closed
    // (a failed start-up) must not leave tray icons, threads or timers behind.
    stopChecks();
    stopNetworkWatch();
    delete pollTimer;
    delete checkTimer;
    delete animationTimer;
    delete resumeTimer;
    delete stateTrayIcon;
    delete mailTrayIcon;
    delete trayMenu;
    delete languageMenu;
    delete newMailMenu;
    delete notificationBox;
    delete threads;
}

void DMainWindow::setSettingsFolders(const DString& documentsFolder, const DString& programFolder)
{
    documents = documentsFolder;
    program = programFolder;
    customFolders = true;
}

void DMainWindow::setPollInterval(int milliseconds)
{
    pollInterval = milliseconds;
    if (pollTimer)
        pollTimer->setInterval(milliseconds);
}

bool DMainWindow::isDisabled() const
{
    return trayMenu && trayMenu->isItemChecked(commandDisable);
}

void DMainWindow::onCreate()
{
    mailTrayIcon = nullptr;
    // The tray icon comes first, so it appears before the controls of this (hidden) window
    // and the menus are built: clicks on it are posted, and handled only once the message
    // loop runs, with everything in place.
    stateTrayIcon = new DTrayIcon(this, idleIcon);
    stateTrayIcon->setTip(translate("Pellaro: Idle"));

    buildControls();
    fitToTexts();
    buildMenus();

    int interval = 300000;
    intervalOfChoice(intervalCombo->getSelected(), interval);
    checkTimer = new DTimer(static_cast<DWindow*>(this));
    checkTimer->setInterval(interval);
    animationTimer = new DTimer(static_cast<DWindow*>(this));
    animationTimer->setInterval(50);
    pollTimer = new DTimer(static_cast<DWindow*>(this));
    pollTimer->setInterval(pollInterval);
    threads = new DThreadManager;
    newMailMenu = new DMenu;
    newMailMenu->create();
    notificationBox = new DNotificationBox;
    notificationBox->create(DString());
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    startNextMessage = RegisterWindowMessageA("PellaroStartNextCheck");

    // The resume timer is a one-shot: it runs only between a wake-up and its check.
    resumeTimer = new DTimer(static_cast<DWindow*>(this));
    resumeTimer->setInterval(resumeDelay);
    networkBackMessage = RegisterWindowMessageA("PellaroNetworkBack");
    // Without the system's address reports only a wake-up brings the early check.
    networkWatch = new DNetworkWatch(handle, networkBackMessage);
    networkWatch->start();
}

void DMainWindow::buildControls()
{
    // Each control is made at its written place, then attached: a group before its
    // children. fitToTexts then grows what its text needs.
    const DMainWindowLayout l = mainWindowLayout(DMainWindowNeeds());
    statusGroup = group(l.statusGroup, "Status");
    statusText = new DStaticText;
    statusText->create(l.statusText.x, l.statusText.y, l.statusText.width, l.statusText.height,
                       translate("Idle"));
    statusText->getFont()->setBold(1);
    statusText->setFormat(0x44);
    statusGroup->addChild(statusText);
    waitBar = new DWaitBar;
    waitBar->create(l.waitBar.x, l.waitBar.y, l.waitBar.width, l.waitBar.height);
    waitBar->setBandLength(12);
    statusGroup->addChild(waitBar);

    mailboxGroup = group(l.mailboxGroup, "Mailboxes");
    mailboxList = new DListView;
    mailboxList->create(l.mailboxList.x, l.mailboxList.y, l.mailboxList.width,
                        l.mailboxList.height);
    const char* const titles[mainWindowColumnCount] = {"Mailbox", "Status", "New mails"};
    for (int c = 0; c < mainWindowColumnCount; c++)
        mailboxList->addColumn(translate(titles[c]), mainWindowColumns[c]);
    mailboxGroup->addChild(mailboxList);
    addButton = button(mailboxGroup, l.addButton, "Add");
    editButton = button(mailboxGroup, l.editButton, "Edit");
    removeButton = button(mailboxGroup, l.removeButton, "Remove");

    intervalGroup = group(l.intervalGroup, "Interval");
    intervalCombo = new DComboBox;
    intervalCombo->create(l.intervalCombo.x, l.intervalCombo.y, l.intervalCombo.width,
                          l.intervalCombo.height);
    for (const char* text : intervalTexts)
        intervalCombo->addItem(translate(text));
    intervalCombo->setSelected(1);
    intervalGroup->addChild(intervalCombo);

    optionsGroup = group(l.optionsGroup, "Options");
    notifyCheck = checkBox(optionsGroup, l.notifyCheck, "Show notification box for new mails");
    notifyAtStartupCheck = checkBox(optionsGroup, l.notifyAtStartupCheck,
                                    "Show notification box for new mails at startup");
    connectionCheck = checkBox(optionsGroup, l.connectionCheck, "Check internet connection");

    checkNowButton = button(nullptr, l.checkNowButton, "Check Now!");
    hideButton = button(nullptr, l.hideButton, "Hide");
    exitButton = button(nullptr, l.exitButton, "Exit");
    setFocus(hideButton);
}

void DMainWindow::giveAccessKey(DView* view, const char* caption)
{
    const bool inHungarian = dictionary && dictionary->getLanguage() != 0;
    view->setAccessKey(accessKeyOf(mainWindowAccessKeys(), caption, inHungarian));
}

DGroup* DMainWindow::group(const DLayoutRect& at, const char* caption)
{
    DGroup* made = new DGroup;
    made->create(at.x, at.y, at.width, at.height, translate(caption));
    giveAccessKey(made, caption);
    addView(made);
    return made;
}

DButton* DMainWindow::button(DView* parent, const DLayoutRect& at, const char* caption)
{
    DButton* made = new DButton;
    made->create(at.x, at.y, at.width, at.height, translate(caption));
    giveAccessKey(made, caption);
    if (parent)
        parent->addChild(made);
    else
        addView(made);
    return made;
}

DCheckBox* DMainWindow::checkBox(DView* parent, const DLayoutRect& at, const char* caption)
{
    DCheckBox* made = new DCheckBox;
    made->create(at.x, at.y, at.width, at.height, translate(caption));
    giveAccessKey(made, caption);
    parent->addChild(made);
    return made;
}

void DMainWindow::fitToTexts()
{
    DMainWindowNeeds needs;
    needs.statusGroup = statusGroup->fittingWidth();
    needs.mailboxGroup = mailboxGroup->fittingWidth();
    needs.intervalGroup = intervalGroup->fittingWidth();
    needs.optionsGroup = optionsGroup->fittingWidth();
    needs.addButton = addButton->fittingWidth();
    needs.editButton = editButton->fittingWidth();
    needs.removeButton = removeButton->fittingWidth();
    needs.intervalCombo = intervalCombo->fittingWidth();
    needs.notifyCheck = notifyCheck->fittingWidth();
    needs.notifyAtStartupCheck = notifyAtStartupCheck->fittingWidth();
    needs.connectionCheck = connectionCheck->fittingWidth();
    needs.checkNowButton = checkNowButton->fittingWidth();
    needs.hideButton = hideButton->fittingWidth();
    needs.exitButton = exitButton->fittingWidth();
    for (int c = 0; c < mainWindowColumnCount; c++)
        needs.columns.push_back(mailboxList->titleNeed(c));
    const DMainWindowLayout l = mainWindowLayout(needs);
    if (l.width != interior->getWidth() || l.height != interior->getHeight())
        resize(l.width, l.height);
    const std::pair<DView*, DLayoutRect> places[] = {
        {statusGroup, l.statusGroup}, {statusText, l.statusText}, {waitBar, l.waitBar},
        {mailboxGroup, l.mailboxGroup}, {mailboxList, l.mailboxList},
        {addButton, l.addButton}, {editButton, l.editButton}, {removeButton, l.removeButton},
        {intervalGroup, l.intervalGroup}, {intervalCombo, l.intervalCombo},
        {optionsGroup, l.optionsGroup}, {notifyCheck, l.notifyCheck},
        {notifyAtStartupCheck, l.notifyAtStartupCheck}, {connectionCheck, l.connectionCheck},
        {checkNowButton, l.checkNowButton}, {hideButton, l.hideButton},
        {exitButton, l.exitButton}};
    for (const auto& place : places)
        place.first->setBounds(place.second.x, place.second.y, place.second.width,
                               place.second.height);
    mailboxList->setColumnWidths(l.columns);
}

void DMainWindow::onScaleChanged()
{
    // Texts measure a little differently at every dpi: the controls are fitted again.
    fitToTexts();
}

void DMainWindow::buildMenus()
{
    // The language names are shown as they are, in every language.
    languageMenu = new DMenu;
    languageMenu->create();
    languageMenu->addItem(DString("English"), commandEnglish);
    languageMenu->addItem(DString("Magyar"), commandMagyar);
    languageMenu->setItemChecked(hungarian ? commandMagyar : commandEnglish, true);

    trayMenu = new DMenu;
    trayMenu->create();
    trayMenu->addItem(translate("Check Now!"), commandCheckNow);
    trayMenu->addSeparator();
    trayMenu->addItem(translate("Options..."), commandOptions);
    trayMenu->addSubmenu(translate("Language"), languageMenu);
    trayMenu->addItem(translate("Disable"), commandDisable);
    trayMenu->addSeparator();
    trayMenu->addItem(translate("About..."), commandAbout);
    trayMenu->addItem(translate("User's Guide..."), commandGuide);
    trayMenu->addItem(translate("Exit"), commandExit);
}

void DMainWindow::onClose()
{
    saveSettings();
    // The working threads are stopped before what they were started from goes away; one
    // that does not answer within the stop limit is let go and ends on its own.
    stopChecks();
    stopNetworkWatch();
    delete resumeTimer;
    resumeTimer = nullptr;
    delete pollTimer;
    pollTimer = nullptr;
    delete checkTimer;
    checkTimer = nullptr;
    delete animationTimer;
    animationTimer = nullptr;
    delete stateTrayIcon;
    stateTrayIcon = nullptr;
    delete trayMenu;
    trayMenu = nullptr;
    delete languageMenu;
    languageMenu = nullptr;
    delete threads;
    threads = nullptr;
    delete newMailMenu;
    newMailMenu = nullptr;
    delete mailTrayIcon;
    mailTrayIcon = nullptr;
    delete notificationBox;
    notificationBox = nullptr;
    checkInProgress = false;
    postQuit(0);
}

void DMainWindow::onClick(DView* sender)
{
    if (sender == exitButton)
        close();
    else if (sender == addButton)
        openMailboxWindow(false);
    else if (sender == editButton)
        openMailboxWindow(true);
    else if (sender == removeButton)
        removeSelectedMailbox();
    else if (sender == hideButton)
        show(false);
    else if (sender == checkNowButton)
        checkNow();
}

void DMainWindow::onChange(DView* sender, int, int, int, int)
{
    if (sender != intervalCombo || !checkTimer)
        return;
    int interval = 0;
    if (intervalOfChoice(intervalCombo->getSelected(), interval))
        checkTimer->setInterval(interval);
}

void DMainWindow::onMenuItem(int id)
{
    switch (id) {
    case commandCheckNow:
        checkNow();
        return;
    case commandOptions:
        show(true);
        return;
    case commandAbout:
        openInfoBox<DAboutBox>(this);
        continueExit();
        return;
    case commandExit:
        exitPending = true;
        continueExit();
        return;
    case commandDisable: {
        bool disabled = !isDisabled();
        trayMenu->setItemChecked(commandDisable, disabled);
        if (disabled)
            showErrorState(translate("Disabled!"));
        else
            showIdleState(translate("Idle"));
        return;
    }
    case commandGuide:
        openGuide();
        return;
    case commandEnglish:
    case commandMagyar:
        switchLanguage(id == commandMagyar);
        return;
    default:
        if (id >= newMailCommandBase)
            acknowledge(mailboxOfCommand(id, mailboxes ? mailboxes->count() : 0));
        return;
    }
}

void DMainWindow::onTimer(DTimer* timer)
{
    if (timer == animationTimer)
        waitBar->step();
    else if (timer == checkTimer)
        checkNow();
    else if (timer == pollTimer)
        finishCheck();
    else if (timer == resumeTimer)
        resumeTimerFired();
}

void DMainWindow::onEvent(DObject* sender, int code, int x, int y, int)
{
    const int leftButtonUp = 5, rightButtonUp = 7;
    // From the keyboard: Enter or Space on an icon acts as its left click, its menu key as
    // its right click; menus open at the icon with their first item hot.
    const int keySelect = 8, contextMenuKey = 9;
    bool byKeyboard = code == keySelect || code == contextMenuKey;
    if (!sender || (code != leftButtonUp && code != rightButtonUp && !byKeyboard))
        return;
    if (sender == stateTrayIcon) {
        hideNotificationBox();
        if (code == leftButtonUp || code == keySelect)
            show(true);
        else
            popupMenu(trayMenu, byKeyboard, x, y);
    } else if (sender == mailTrayIcon) {
        hideNotificationBox();
        popupMenu(newMailMenu, byKeyboard, x, y);
    }
}

void DMainWindow::onKeyDown(int key, int mods)
{
    if (key == keyEscape && mods == 0)
        show(false);
}

bool DMainWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (window != handle)
        return false;
    if (message == WM_QUERYENDSESSION) {
        // Windows may end the process without another word after this: keep every
        // acknowledgement and mailbox change. The default answer lets the session end.
        saveSettings();
        return false;
    }
    if (message == WM_ENDSESSION) {
        if (wParam) {
            saveSettings();
            stopChecks();
        }
        return true;
    }
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage) {
        recreateTrayIcons();
        return true;
    }
    if (startNextMessage != 0 && message == startNextMessage) {
        // One left over from a check that has ended since is dropped.
        if (static_cast<unsigned>(wParam) == startRound)
            startNextThread();
        return true;
    }
    if (message == WM_POWERBROADCAST) {
        scheduleResumeCheck(resume.onPowerBroadcast(static_cast<unsigned>(wParam)));
        // The default answer (grant every request) stays.
        return false;
    }
    if (networkBackMessage != 0 && message == networkBackMessage) {
        scheduleResumeCheck(resume.onNetworkBack());
        return true;
    }
    return false;
}

void DMainWindow::scheduleResumeCheck(bool due)
{
    if (!due || !resumeTimer)
        return;
    // A fresh full delay: the network needs a moment after the wake-up.
    resumeTimer->setEnabled(false);
    resumeTimer->setInterval(resumeDelay);
    resumeTimer->setEnabled(true);
}

void DMainWindow::resumeTimerFired()
{
    resumeTimer->setEnabled(false);
    if (resume.dueNow(isDisabled(), checkInProgress))
        checkNow();
}

void DMainWindow::stopNetworkWatch()
{
    if (!networkWatch)
        return;
    networkWatch->stop();
    delete networkWatch;
    networkWatch = nullptr;
}

void DMainWindow::popupMenu(DMenu* menu, bool byKeyboard, int x, int y)
{
    if (!menu)
        return;
    // A click opens the menu at the pointer, in the menu's own units; a key at the icon's
    // place, which the tray icon gives in the same units.
    if (!byKeyboard)
        menu->cursorPoint(x, y);
    menu->popupForWindow(this, x, y);
    if (byKeyboard)
        menu->highlightFirst();
}

void DMainWindow::hideNotificationBox()
{
    if (notificationBox)
        notificationBox->show(false);
}

void DMainWindow::openGuide()
{
    openInfoBox<DUserGuideBox>(this);
    continueExit();
}

void DMainWindow::continueExit()
{
    if (!exitPending || !handle)
        return;
    // A box open over this window would refuse its close: the box is closed first (the
    // mailbox window as by Cancel), and this is called again once its run has unwound,
    // until no box is left.
    if (DWindow* box = getModalChild()) {
        box->close();
        return;
    }
    // The menu that chose Exit is still on the call stack: the window is taken apart only
    // once its handling has unwound.
    PostMessageA(handle, WM_CLOSE, 0, 0);
}

void DMainWindow::switchLanguage(bool toHungarian)
{
    hungarian = toHungarian;
    languageMenu->setItemChecked(commandEnglish, !toHungarian);
    languageMenu->setItemChecked(commandMagyar, toHungarian);
    if (dictionary)
        dictionary->setLanguage(toHungarian ? 1 : 0);
    // Built after the switch, so it already speaks the chosen language.
    openInfoBox<DLangMsgBox>(this);
    continueExit();
}

void DMainWindow::openMailboxWindow(bool editMode)
{
    if (editMode && (mailboxList->rowCount() == 0 || mailboxList->getSelected() < 0))
        return;
    DMailBoxWindow* box = new DMailBoxWindow;
    box->setEditMode(editMode ? 1 : 0);
    box->setListView(mailboxList);
    box->setMainWindow(this);
    if (box->create(nullptr, 0, 0, mailboxFormWidth, mailboxFormHeight,
                    translate(editMode ? "Edit Mailbox" : "Add Mailbox"), 0)) {
        box->setIcon(idleIcon);
        box->center();
        box->runModal(this);
    }
    delete box;
    saveSettings();
    updateNewMailNotice();
    continueExit();
}

void DMainWindow::removeSelectedMailbox()
{
    int selected = mailboxList->getSelected();
    if (mailboxList->rowCount() == 0 || selected < 0 || !mailboxes ||
        selected >= mailboxes->count())
        return;
    mailboxesLocked = true;
    delete static_cast<DMailboxEntry*>(mailboxes->get(selected));
    mailboxes->remove(selected);
    mailboxList->removeRow(selected);
    mailboxesLocked = false;
    saveSettings();
    updateNewMailNotice();
    if (mailboxes->count() == 0)
        showErrorState(translate("Unconfigured!"));
}
