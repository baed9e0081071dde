// DWorkingThread: one check of one mailbox on a thread of its own. run() waits until the
// mailbox list is no longer being changed, reads the server field (host, port and mode; a
// malformed one ends the check with its error text before any connect), connects to the
// mailbox's POP3 server, secures the connection when the mode asks for it (TLS at once, or
// STLS after the greeting; never a fallback to plain text), carries the POP3 conversation
// (Pop3Dialogue over the connection) and leaves two results: a status
// text ("OK", or an error text; empty while running or when stopped before any outcome) and
// the message count (-1 until the server has told it). A server that sends nothing for the
// silence limit (60 s) ends the check with "Server not responding!".
//
// It never spins and wakes only when there is something to do: the name lookup, the connect
// and the wait for a reply wait on the system's signal together with the thread's stop
// event, so terminate() returns at once at any moment and the socket is always released by
// run() itself. Only the wait for the mailbox list goes in short steps (each ended at once by
// a stop), since the list's flag has no event of its own.
// Owns its socket (created and destroyed by run). The connection data is copied in by the
// check cycle before start; the results are read after the thread has ended.
//
// A thread that does not end within the owner's bound after a stop (held in a system call
// that does not heed it) is given to itself with release(): it then touches nothing but its
// own object, which it destroys when run() returns. That is why its error texts are kept in
// English and translated only by getStatus() on the reader's thread: a thread let go at Exit
// never reaches the dictionary, which the program's teardown destroys.
#pragma once

#include <atomic>
#include <mutex>

#include "foundation/DString.h"
#include "mail/DByteChannel.h"
#include "mail/DClientSocket.h"
#include "system/DThread.h"
#include "mail/ServerAddress.h"

class DWorkingThread : public DThread {
public:
    static const int pop3Port = 110;

    DWorkingThread();
    ~DWorkingThread() override;

    void setServer(DString value) { server = value; }
    void setUserName(DString value) { userName = value; }
    void setPassword(DString value) { password = value; }
    void setMailboxIndex(int value) { mailboxIndex = value; }
    // The port used when the server text names none; 0 (the default) for the mode's own
    // port, 110 or 995. Tests and measurements talk to other ports this way.
    void setPort(int value) { port = value; }
    // How long one address of the server may take to accept the connection before the next
    // is tried (milliseconds).
    void setConnectLimit(int milliseconds) { connectLimitMs = milliseconds; }
    // How long the server may send nothing before the check ends as not responding (ms).
    void setSilenceLimit(int milliseconds) { silenceLimitMs = milliseconds; }

    // The status in the current interface language ("OK" is never translated).
    DString getStatus() const;
    int getMailCount() const { return mailCount.load(); }
    int getMailboxIndex() const { return mailboxIndex; }
    bool isSocketBusy() const { return socketBusy.load(); }

    // For the user-interface thread after the thread was stopped: closes and destroys the
    // socket unless the thread still counts it as in use. Does nothing while the thread
    // still runs: run() itself destroys the socket when it ends.
    void releaseSocket();

    // Gives up the owner's hold on `thread` (which must not be in any list any more): it is
    // destroyed at once when its run() has returned or it never started, otherwise by its own
    // thread when run() returns. The caller never touches it again.
    static void release(DWorkingThread* thread);

protected:
    void run() override;
    // The check itself; run() adds the hand-over to release().
    void check();
    // The channel the conversation talks through, over the connection: the socket itself or,
    // for a secured mailbox, the TLS channel over it. The default is that connection; a
    // channel of its own (a recorder) is destroyed by run() when the conversation is over,
    // before the connection.
    virtual DByteChannel* openChannel(DByteChannel& connection);

private:
    void setResult(const DString& text, int count);
    // Secures the connection as the mode asks and carries the POP3 conversation over it.
    void converse(DClientSocket& connection, const ServerAddress& address);

    DClientSocket* socket = nullptr;  // owned; exists during run
    mutable std::mutex resultLock;    // guards status
    DString status;
    std::atomic<int> mailCount{-1};
    DString server;
    DString userName;
    DString password;
    int mailboxIndex = 0;
    int port = 0;
    int connectLimitMs = 10000;
    int silenceLimitMs = 0;           // 0: the conversation's own limit
    std::mutex socketLock;            // guards creating and destroying socket
    std::atomic<bool> socketBusy{true};
    // Who destroys the object: the owner, until run() has returned or the owner let go.
    enum Hold { ownerHolds, runReturned, letGo };
    std::atomic<int> hold{ownerHolds};
};
