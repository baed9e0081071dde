// Pop3Dialogue: the client side of one POP3 mail check - greeting, USER, PASS, STAT, QUIT -
// as a state machine without any transport. The driver feeds it the bytes it receives; the
// dialogue says what to send next (each command as two sends: the command text, then CR LF),
// and when the conversation is over, at which point the driver closes the connection. The
// outcome is a status text ("OK" after a counted mailbox, otherwise an English error text that
// whoever shows it translates) and the message count (-1 until the STAT reply has been
// parsed). The dialogue never reaches the dictionary itself: it runs on a working thread
// that may outlive the program's shutdown.
//
// Replies are read as lines ending in LF; CR bytes are never part of a line and NUL bytes are
// dropped. A reply is positive when its first three characters, upper-cased, are "+OK". Only
// the first maxLineLength bytes of a line are kept; the rest of an over-long line is read and
// dropped, and the line is judged on what was kept. A user name or password holding CR or LF
// would smuggle further commands to the server, so it is never sent: the check ends with
// "Login failed!" instead; so does one whose command line would reach maxCommandLength
// bytes, which also keeps every send far below what a fresh connection takes without
// waiting. A negative reply to USER or PASS that carries the response code [IN-USE],
// [LOGIN-DELAY] or [SYS/TEMP] (RFC 2449) says the login may work later: it ends the check
// with "Server busy, try later!" rather than "Login failed!".
#pragma once

#include "foundation/DObject.h"
#include "foundation/DString.h"

class Pop3Dialogue : public DObject {
public:
    enum State { AwaitGreeting, UserSent, PassSent, StatSent, QuitSent };
    static const int maxLineLength = 4000;     // bytes kept of a reply line
    static const int maxCommandLength = 4000;  // a command line is shorter, without CR LF

    Pop3Dialogue(const DString& userName, const DString& password);
    ~Pop3Dialogue() override;
    Pop3Dialogue(const Pop3Dialogue&) = delete;
    Pop3Dialogue& operator=(const Pop3Dialogue&) = delete;

    // Takes bytes up to and including the first complete line, or all of them when none
    // completes; returns how many it took. After a line the driver first carries out the
    // pending sends, then feeds the rest. Takes nothing while sends are pending; takes and
    // ignores everything once the conversation is over.
    int feed(const char* bytes, int count);

    // The next piece to send: a command's text, then "\r\n".
    bool hasPendingSend() const { return pendingPiece >= 0; }
    DString pendingSend() const;
    // Reports what the send call for the pending piece returned (bytes sent; 0 or less
    // is a failure). A piece not sent completely ends the check with "Comms error!".
    void sendDone(int result);

    // The receive gave nothing: the peer closed the connection or it failed.
    void connectionLost();
    // The server sent nothing for as long as a reply may take: "Server not responding!".
    void serverSilent();

    bool isFinished() const { return finished; }
    State state() const { return currentState; }
    DString status() const { return statusText; }
    int mailCount() const { return count; }

private:
    void takeByte(char byte);
    void judgeLine();
    void onStatReply();
    void queueCommand(const DString& text);
    void fail(const char* english);

    DString userName;
    DString password;
    State currentState = AwaitGreeting;
    DString statusText;
    int count = -1;
    bool finished = false;
    char line[maxLineLength];   // the bytes kept of the current reply line
    int lineLength = 0;
    bool lineComplete = false;
    DString command;            // the command being sent
    int pendingPiece = -1;      // -1 none, 0 the command text, 1 its CR LF
};
