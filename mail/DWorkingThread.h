// DWorkingThread: one check of one mailbox on a thread of its own. run() waits until the
// mailbox list is no longer being changed, connects to the mailbox's POP3 server, carries
// the POP3 conversation (Pop3Dialogue over the connection) and leaves two results: a status
// text ("OK", or a translated error text; empty while running or when stopped before any
// outcome) and the message count (-1 until the server has told it).
//
// It never spins and wakes only when there is something to do: the name lookup, the connect
// and the wait for a reply wait on the system's signal together with the thread's stop
// event, so terminate() returns at once at any moment and the socket is always released by
// run() itself. Only the wait for the mailbox list goes in short steps (each ended at once by
// a stop), since the list's flag has no event of its own.
// Owns its socket (created and destroyed by run). The connection data is copied in by the
// check cycle before start; the results are read after the thread has ended.
#pragma once

#include <atomic>
#include <mutex>

#include "foundation/DString.h"
#include "mail/DByteChannel.h"
#include "mail/DClientSocket.h"
#include "mail/DThread.h"

class DWorkingThread : public DThread {
public:
    static const int pop3Port = 110;

    DWorkingThread();
    ~DWorkingThread() override;

    void setServer(DString value) { server = value; }
    void setUserName(DString value) { userName = value; }
    void setPassword(DString value) { password = value; }
    void setMailboxIndex(int value) { mailboxIndex = value; }
    // The program always checks port 110; tests and measurements talk to other ports.
    void setPort(int value) { port = value; }

    DString getStatus() const;
    int getMailCount() const { return mailCount.load(); }
    int getMailboxIndex() const { return mailboxIndex; }
    bool isSocketBusy() const { return socketBusy.load(); }

    // For the user-interface thread after the thread was stopped: closes and destroys the
    // socket unless the thread still counts it as in use. Does nothing while the thread
    // still runs: run() itself destroys the socket when it ends.
    void releaseSocket();

protected:
    void run() override;
    // The channel the conversation talks through, over the connected socket. The default is
    // the socket itself; a channel of its own (a secure layer, a recorder) is destroyed by
    // run() when the conversation is over, before the socket.
    virtual DByteChannel* openChannel(DClientSocket& connected);

private:
    void setResult(const DString& text, int count);

    DClientSocket* socket = nullptr;  // owned; exists during run
    mutable std::mutex resultLock;    // guards status
    DString status;
    std::atomic<int> mailCount{-1};
    DString server;
    DString userName;
    DString password;
    int mailboxIndex = 0;
    int port = pop3Port;
    std::mutex socketLock;            // guards creating and destroying socket
    std::atomic<bool> socketBusy{true};
};
