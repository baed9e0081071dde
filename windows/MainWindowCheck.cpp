// The check cycle of DMainWindow: starting a check with one working thread per mailbox,
// polling the threads once a tick, reading their results when all have ended (or stopping
// them at the timeout or on "Disable"), and showing the outcome in the list, the state tray
// icon, the status line, the envelope tray icon with its menu and the notification box.
// What follows from the results is decided by CheckOutcome.h; this file carries it out.
#include "windows/DMainWindow.h"

#include <wininet.h>

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DGroup.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DStaticText.h"
#include "controls/DWaitBar.h"
#include "framework/SystemUtils.h"
#include "graphics/BuiltInImages.h"
#include "mail/CheckState.h"
#include "mail/DMailboxEntry.h"
#include "foundation/DPellaroDictionary.h"
#include "system/DThreadManager.h"
#include "system/DTimer.h"
#include "mail/DWorkingThread.h"
#include "mail/Mailboxes.h"
#include "windows/DNotificationBox.h"
#include "windows/DTrayIcon.h"

namespace {

DMailboxEntry* entryAt(int index)
{
    if (!mailboxes || index < 0 || index >= mailboxes->count())
        return nullptr;
    return static_cast<DMailboxEntry*>(mailboxes->get(index));
}

bool internetConnected()
{
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace

void DMainWindow::setStateIcon(DIcon* icon, const DString& tip)
{
    if (stateTrayIcon) {
        stateTrayIcon->setIcon(icon);
        stateTrayIcon->setTip(tip);
    }
}

void DMainWindow::showErrorState(const DString& text)
{
    setStateIcon(errorIcon, stateTooltip(text));
    if (statusText)
        statusText->setText(text);
}

void DMainWindow::showIdleState(const DString& text)
{
    setStateIcon(idleIcon, stateTooltip(text));
    if (statusText)
        statusText->setText(text);
}

void DMainWindow::disableCheckControls()
{
    mailboxGroup->setEnabled(false);
    intervalGroup->setEnabled(false);
    optionsGroup->setEnabled(false);
    checkNowButton->setEnabled(false);
}

void DMainWindow::enableCheckControls()
{
    mailboxGroup->setEnabled(true);
    intervalGroup->setEnabled(true);
    optionsGroup->setEnabled(true);
    checkNowButton->setEnabled(true);
}

void DMainWindow::checkNow()
{
    checkCalls++;
    if (checkInProgress || !checkTimer)
        return;
    timeoutTicks = 0;
    if (isDisabled())
        return;
    checkInProgress = true;
    checkTimer->setEnabled(false);
    saveSettings();

    int rows = mailboxList->rowCount();
    if (rows == 0) {
        showErrorState(translate("Unconfigured!"));
        checkTimer->setEnabled(true);
        checkInProgress = false;
        return;
    }
    disableCheckControls();
    animationTimer->setEnabled(true);
    waitBar->setRunning(true);
    setStateIcon(checkingIcon, translate("Pellaro: Checking..."));
    statusText->setText(translate("Checking..."));

    if (connectionCheck->isChecked() && !internetConnected()) {
        showErrorState(translate("No internet connection!"));
        waitBar->setRunning(false);
        animationTimer->setEnabled(false);
        checkTimer->setEnabled(true);
        enableCheckControls();
        checkInProgress = false;
        return;
    }

    startedChecks++;
    threadStarted.clear();
    for (int i = 0; i < rows; i++) {
        DMailboxEntry* entry = entryAt(i);
        if (!entry)
            break;  // a row without an entry cannot be checked
        DWorkingThread* thread = threadMaker ? threadMaker() : new DWorkingThread;
        thread->setServer(entry->server);
        thread->setUserName(entry->userName);
        thread->setPassword(entry->password);
        thread->setMailboxIndex(i);
        if (checkPort != 0)
            thread->setPort(checkPort);
        if (silenceLimit > 0)
            thread->setSilenceLimit(silenceLimit);
        mailboxList->setCell(i, 1, translate("Checking..."));
        threadStarted.push_back(false);
        threads->add(thread);
    }
    startRound++;
    nextThreadToStart = 0;
    if (threads->count() == 0)
        pollTimer->setEnabled(true);
    else
        startNextThread();
}

void DMainWindow::startNextThread()
{
    // Each start asks the system for a thread while the ones started before it already
    // talk to their servers: under Wine a start then costs up to a few milliseconds, and
    // twenty in one go kept the window from answering for 30 to 90 ms. One per turn of the
    // message loop, the window answers between them.
    if (!checkInProgress || !threads || nextThreadToStart >= threads->count())
        return;
    startThreadAt(nextThreadToStart++);
    if (nextThreadToStart >= threads->count()) {
        pollTimer->setEnabled(true);
        return;
    }
    if (!PostMessageA(handle, startNextMessage, startRound, 0)) {
        // No room in the message queue: the rest start now.
        while (nextThreadToStart < threads->count())
            startThreadAt(nextThreadToStart++);
        pollTimer->setEnabled(true);
    }
}

void DMainWindow::startThreadAt(int index)
{
    bool started = threads->get(index)->start();
    if (index < static_cast<int>(threadStarted.size()))
        threadStarted[static_cast<size_t>(index)] = started;
}

void DMainWindow::finishCheck()
{
    if (!pollTimer)
        return;
    pollTimer->setEnabled(false);
    if (!checkInProgress)
        return;  // a tick that was already on its way when the check ended
    switch (pollDecision(isDisabled(), threads->anyRunning(), timeoutTicks, timeoutLimit)) {
    case DPollAction::keepWaiting:
        pollTimer->setEnabled(true);
        return;
    case DPollAction::stopped:
        terminateChecks();
        break;
    case DPollAction::timedOut: {
        // Mailboxes whose check has ended keep their results and counts; only those still
        // running are stopped and shown as terminated.
        std::vector<int> unfinished;
        showResults(&unfinished);
        for (int row : unfinished)
            mailboxList->setCell(row, 1, translate("Terminated!"));
        dropThreads();
        showErrorState(translate("Timeout!"));
        updateNewMailNotice();
        break;
    }
    case DPollAction::finished: {
        DCheckSummary summary = showResults(nullptr);
        dropThreads();
        if (summary.anyError)
            showErrorState(translate("Error!"));
        else
            showIdleState(translate("Idle"));
        updateNewMailNotice();
        break;
    }
    }
    waitBar->setRunning(false);
    animationTimer->setEnabled(false);
    checkTimer->setEnabled(true);
    enableCheckControls();
    checkInProgress = false;
}

DCheckSummary DMainWindow::showResults(std::vector<int>* unfinished)
{
    std::vector<DThreadResult> results;
    for (int i = 0; i < threads->count(); i++) {
        auto* thread = static_cast<DWorkingThread*>(threads->get(i));
        // With `unfinished` given, a thread still running has no result yet: its row is
        // listed instead. Without it every thread has ended.
        if (unfinished && thread->isRunning()) {
            unfinished->push_back(thread->getMailboxIndex());
            continue;
        }
        DThreadResult result;
        result.mailboxIndex = thread->getMailboxIndex();
        result.status = thread->getStatus();
        result.mailCount = thread->getMailCount();
        result.started = i < static_cast<int>(threadStarted.size()) &&
                         threadStarted[static_cast<size_t>(i)];
        results.push_back(result);
    }
    DCheckSummary summary = applyCheckResults(results, *mailboxes);
    for (const DRowResult& row : summary.rows) {
        mailboxList->setCell(row.row, 1, row.status);
        if (row.hasCount)
            mailboxList->setCell(row.row, 2, row.newMails);
    }
    return summary;
}

void DMainWindow::dropThreads()
{
    if (!threads)
        return;
    // Every thread is asked to stop at once and they wind down together, each woken by its
    // stop event. One held in a call that does not heed the stop is not waited for beyond
    // the bound: it is let go, ends on its own and destroys itself, touching nothing else.
    threads->stopAll(static_cast<unsigned long>(stopLimit));
    while (threads->count() > 0) {
        auto* thread = static_cast<DWorkingThread*>(threads->get(0));
        thread->releaseSocket();
        threads->remove(0);
        DWorkingThread::release(thread);
    }
    threadStarted.clear();
}

void DMainWindow::terminateChecks()
{
    if (!threads)
        return;
    if (mailboxList) {
        for (int i = 0; i < threads->count(); i++) {
            auto* thread = static_cast<DWorkingThread*>(threads->get(i));
            mailboxList->setCell(thread->getMailboxIndex(), 1, translate("Terminated!"));
        }
    }
    dropThreads();
}

void DMainWindow::stopChecks()
{
    dropThreads();
    if (pollTimer)
        pollTimer->setEnabled(false);
}

void DMainWindow::showEnvelope(DEnvelope picture)
{
    if (picture == DEnvelope::none) {
        delete mailTrayIcon;
        mailTrayIcon = nullptr;
        return;
    }
    DIcon* icon = picture == DEnvelope::seenMail ? seenMailIcon : newMailIcon;
    if (mailTrayIcon) {
        // The shell is asked only when the picture changes.
        if (mailTrayIcon->getIcon() != icon)
            mailTrayIcon->setIcon(icon);
        return;
    }
    mailTrayIcon = new DTrayIcon(this, icon);
    mailTrayIcon->setTip(translate("There are new mails!"));
}

void DMainWindow::updateNewMailNotice()
{
    if (!newMailMenu || !mailboxes)
        return;
    hideNotificationBox();
    // An envelope already in the tray stays and only changes its picture: a notice rebuilt
    // at every check makes no new icon, and the envelope keeps its place.
    newMailMenu->clear();

    DNewMailNotice notice = collectNewMail(*mailboxes);
    for (const DNoticeItem& item : notice.items)
        newMailMenu->addItem(item.text, item.command);
    showEnvelope(envelopeForNotice(notice, noticeAcknowledged));
    if (notificationBoxWanted(notice.anyPending, notifyCheck->isChecked(),
                              notifyAtStartupCheck->isChecked(), firstCheckPending)) {
        notificationBox->setText(notice.message);
        notificationBox->placeAtCorner();
        notificationBox->show(true);
    }
    firstCheckPending = false;
}

void DMainWindow::acknowledge(int index)
{
    DMailboxEntry* entry = entryAt(index);
    if (!entry || !newMailMenu)
        return;
    acknowledgeMailbox(*entry);
    mailboxList->setCell(index, 2, DString("0"));
    if (entry->openWebSite)
        shellOpen(entry->webAddress);
    newMailMenu->removeItem(newMailCommandBase + index);
    showEnvelope(envelopeAfterAcknowledge(newMailMenu->itemCount(), noticeAcknowledged));
}

void DMainWindow::recreateTrayIcons()
{
    // After the task bar was restarted the old icons are gone from the tray: they are
    // added again with the pictures and tooltips they had.
    if (stateTrayIcon)
        stateTrayIcon->restore();
    if (mailTrayIcon)
        mailTrayIcon->restore();
}
