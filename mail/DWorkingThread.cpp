#include "mail/DWorkingThread.h"

#include <windows.h>

#include "mail/Mailboxes.h"
#include "mail/DPellaroDictionary.h"
#include "mail/Pop3Conversation.h"
#include "mail/Pop3Dialogue.h"

namespace {

// One step of the wait while the mailbox list is being changed (the list's flag has no event
// to wait on; a stop ends the step at once).
const DWORD lockedPollMs = 10;

// One wait for a reply. The socket's wait ends at once when the thread's stop event is set,
// so the slice only bounds how long a stop seen through the flag alone could take (a channel
// that does not pass the wait on to the socket); it costs one wake-up per slice of silence.
const int replyWaitSliceMs = 5000;

}  // namespace

DWorkingThread::DWorkingThread() = default;

DWorkingThread::~DWorkingThread()
{
    std::lock_guard<std::mutex> hold(socketLock);
    delete socket;
    socket = nullptr;
}

DString DWorkingThread::getStatus() const
{
    std::lock_guard<std::mutex> hold(resultLock);
    return status;
}

void DWorkingThread::setResult(const DString& text, int count)
{
    std::lock_guard<std::mutex> hold(resultLock);
    status = text;
    mailCount.store(count);
}

DByteChannel* DWorkingThread::openChannel(DClientSocket& connected)
{
    return &connected;
}

void DWorkingThread::releaseSocket()
{
    // While run() goes on the socket is in its hands, and run() destroys it when it ends:
    // destroying it here as well would pull it away from under the conversation.
    if (isRunning())
        return;
    std::lock_guard<std::mutex> hold(socketLock);
    if (socketBusy.exchange(true))
        return;
    delete socket;
    socket = nullptr;
}

void DWorkingThread::run()
{
    socketBusy.store(true);
    while (mailboxesLocked.load() && !isStopRequested()) {
        if (stopEvent() != nullptr)
            WaitForSingleObject(stopEvent(), lockedPollMs);
        else
            Sleep(lockedPollMs);
    }
    if (isStopRequested())
        return;
    setResult(DString(), -1);

    DClientSocket* connection = new DClientSocket;
    {
        std::lock_guard<std::mutex> hold(socketLock);
        socket = connection;
    }
    connection->setStopFlag(&stopFlag());
    connection->setStopEvent(stopEvent());
    connection->setPort(port);
    connection->setHost(server);
    connection->setActive(true);
    if (!connection->isConnected()) {
        if (!isStopRequested())
            setResult(translate("Cannot connect to server!"), -1);
    } else {
        socketBusy.store(false);
        DByteChannel* channel = openChannel(*connection);
        Pop3Dialogue dialogue(userName, password);
        runPop3Conversation(dialogue, *channel, stopFlag(), replyWaitSliceMs);
        if (channel != connection)
            delete channel;
        setResult(dialogue.status(), dialogue.mailCount());
    }

    std::lock_guard<std::mutex> hold(socketLock);
    socketBusy.store(true);
    delete socket;
    socket = nullptr;
}
