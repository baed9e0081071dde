#include "mail/DWorkingThread.h"

#include <windows.h>

#include <memory>

#include "mail/Mailboxes.h"
#include "foundation/DPellaroDictionary.h"
#include "mail/Pop3Conversation.h"
#include "mail/Pop3Dialogue.h"
#include "mail/Pop3StartTls.h"
#include "mail/DPrefixedChannel.h"
#include "mail/DTlsChannel.h"

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
    std::lock_guard<std::mutex> guard(socketLock);
    delete socket;
    socket = nullptr;
}

DString DWorkingThread::getStatus() const
{
    DString english;
    {
        std::lock_guard<std::mutex> guard(resultLock);
        english = status;
    }
    return english == "OK" ? english : translate(english);
}

void DWorkingThread::setResult(const DString& text, int count)
{
    std::lock_guard<std::mutex> guard(resultLock);
    status = text;
    mailCount.store(count);
}

DByteChannel* DWorkingThread::openChannel(DByteChannel& connection)
{
    return &connection;
}

void DWorkingThread::releaseSocket()
{
    // While run() goes on the socket is in its hands, and run() destroys it when it ends:
    // destroying it here as well would pull it away from under the conversation.
    if (isRunning())
        return;
    std::lock_guard<std::mutex> guard(socketLock);
    if (socketBusy.exchange(true))
        return;
    delete socket;
    socket = nullptr;
}

void DWorkingThread::converse(DClientSocket& connection, const ServerAddress& address)
{
    DByteChannel* transport = &connection;
    std::unique_ptr<DTlsChannel> secure;
    std::unique_ptr<DPrefixedChannel> replay;
    DString greeting;
    if (address.security == MailSecurity::StartTls) {
        StartTlsResult opening =
            negotiateStartTls(connection, stopFlag(), replyWaitSliceMs, startTlsReplyLimitMs,
                              silenceLimitMs);
        if (opening.outcome != StartTlsResult::Ready) {
            if (opening.outcome == StartTlsResult::Failed && !isStopRequested())
                setResult(opening.error, -1);
            return;
        }
        greeting = opening.greeting + "\r\n";
    }
    if (address.security != MailSecurity::None) {
        secure.reset(new DTlsChannel(connection, address.host, stopFlag()));
        if (!secure->handshake(replyWaitSliceMs, DTlsChannel::handshakeLimitMs, silenceLimitMs)) {
            if (!secure->stopped() && !isStopRequested())
                setResult(secure->failure(), -1);
            return;
        }
        transport = secure.get();
    }
    if (greeting.length() > 0) {
        replay.reset(new DPrefixedChannel(*transport, greeting.text(), greeting.length()));
        transport = replay.get();
    }

    DByteChannel* channel = openChannel(*transport);
    Pop3Dialogue dialogue(userName, password);
    runPop3Conversation(dialogue, *channel, stopFlag(), replyWaitSliceMs, silenceLimitMs);
    if (channel != transport)
        delete channel;
    // A stop may end a read of the secured channel like a lost connection: a stopped check
    // leaves no outcome of its own.
    if (isStopRequested() && dialogue.status() != "OK")
        return;
    // A secured stream that ended because a later handshake failed (its certificate no
    // longer passes) says so, rather than only that the connection was lost.
    if (secure && dialogue.status() == "Connection lost!" && secure->failure().length() > 0) {
        setResult(secure->failure(), -1);
        return;
    }
    setResult(dialogue.status(), dialogue.mailCount());
}

void DWorkingThread::release(DWorkingThread* thread)
{
    if (!thread)
        return;
    if (!thread->wasStarted() || thread->hold.exchange(letGo) == runReturned)
        delete thread;
}

void DWorkingThread::run()
{
    check();
    // The last touch of the object by this thread, unless it was let go: then it is the
    // thread's own to destroy.
    if (hold.exchange(runReturned) == letGo)
        delete this;
}

void DWorkingThread::check()
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

    ServerAddress address = parseServerAddress(server);
    if (!address.valid) {
        // A malformed field is told as such, and nothing is sent anywhere.
        setResult(address.error, -1);
        return;
    }

    DClientSocket* connection = new DClientSocket;
    {
        std::lock_guard<std::mutex> guard(socketLock);
        socket = connection;
    }
    connection->setStopFlag(&stopFlag());
    connection->setStopEvent(stopEvent());
    connection->setPort(address.portGiven || port <= 0 ? address.port : port);
    connection->setHost(address.host);
    connection->setConnectLimit(connectLimitMs);
    // The command text and its CR LF go out as two sends; without this the second would
    // wait for the server's acknowledgement of the first.
    connection->setNoDelay(true);
    connection->setActive(true);
    if (!connection->isConnected()) {
        if (!isStopRequested())
            setResult("Cannot connect to server!", -1);
    } else {
        socketBusy.store(false);
        converse(*connection, address);
    }

    std::lock_guard<std::mutex> guard(socketLock);
    socketBusy.store(true);
    delete socket;
    socket = nullptr;
}
