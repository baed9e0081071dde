#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "WorkingThreadSupport.h"
#include "mail/Mailboxes.h"

namespace {

const int endWithinMs = 30000;

const std::vector<std::string> fullLogin = {"USER bob", "\r\n", "PASS secret", "\r\n",
                                            "STAT", "\r\n", "QUIT", "\r\n"};
const std::string fullLoginBytes = "USER bob\r\nPASS secret\r\nSTAT\r\nQUIT\r\n";

// A server that answers every command of a normal check; `greeting` and `statReply` vary.
std::vector<ScriptStep> normalServer(const std::string& greeting, const std::string& statReply,
                                     const std::string& lineEnd = "\r\n")
{
    return {say(greeting + lineEnd), awaitLine(),    say("+OK" + lineEnd),
            awaitLine(),             say("+OK" + lineEnd), awaitLine(),
            say(statReply + lineEnd), awaitLine(),   say("+OK bye" + lineEnd)};
}

struct Result {
    std::string status;
    int count;
    std::vector<std::string> sends;
    std::string serverReceived;
};

Result check(std::vector<ScriptStep> script, const char* user = "bob",
             const char* password = "secret")
{
    ScriptedServer server(std::move(script));
    EXPECT_TRUE(server.ok());
    RecordingThread thread("127.0.0.1", server.port(), user, password);
    thread.setMailboxIndex(4);
    EXPECT_TRUE(thread.start());
    EXPECT_TRUE(waitForEnd(thread, endWithinMs));
    EXPECT_TRUE(thread.isSocketBusy());
    EXPECT_EQ(thread.getMailboxIndex(), 4);
    server.join();
    return {thread.getStatus().text(), thread.getMailCount(), thread.sends(), server.received()};
}

TEST(DWorkingThread, CountsTheMessagesOfAMailbox)
{
    Result r = check(normalServer("+OK POP3 ready", "+OK 3 300"));
    EXPECT_EQ(r.status, "OK");
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.sends, fullLogin);
    EXPECT_EQ(r.serverReceived, fullLoginBytes);
}

TEST(DWorkingThread, AcceptsALowerCaseGreeting)
{
    Result r = check(normalServer("+ok hello", "+OK 2 20"));
    EXPECT_EQ(r.status, "OK");
    EXPECT_EQ(r.count, 2);
}

TEST(DWorkingThread, ANegativeGreetingSendsNoUser)
{
    Result r = check({say("-ERR too busy\r\n")});
    EXPECT_EQ(r.status, "Internal server error!");
    EXPECT_EQ(r.count, -1);
    EXPECT_TRUE(r.sends.empty());
    EXPECT_EQ(r.serverReceived, "");
}

TEST(DWorkingThread, AConnectionClosedAtOnceIsLost)
{
    Result r = check({closeNow()});
    EXPECT_EQ(r.status, "Connection lost!");
    EXPECT_EQ(r.count, -1);
}

TEST(DWorkingThread, ReadsEveryKindOfLineEnd)
{
    EXPECT_EQ(check(normalServer("+OK hi", "+OK 5 50", "\n")).status, "OK");
    Result stray = check({say("+O\rK hi\r\r\n"), awaitLine(), say("\r+OK\n"), awaitLine(),
                          say("+\rOK\r\n"), awaitLine(), say("+OK 6\r 60\r\n"), awaitLine(),
                          say("+OK\r\n")});
    EXPECT_EQ(stray.status, "OK");
    EXPECT_EQ(stray.count, 6);
    EXPECT_EQ(stray.serverReceived, fullLoginBytes);
}

TEST(DWorkingThread, ALineEndingInCrAloneIsAnsweredOnlyAfterItsLf)
{
    // The mark shows where the server sent the LF: the USER command must come after it.
    Result r = check({say("+OK ready\r"), pause(300), mark("#"), say("\n"), awaitLine(),
                      say("+OK\r\n"), awaitLine(), say("+OK\r\n"), awaitLine(),
                      say("+OK 1 10\r\n"), awaitLine(), say("+OK\r\n")});
    EXPECT_EQ(r.status, "OK");
    EXPECT_EQ(r.serverReceived, "#" + fullLoginBytes);
}

TEST(DWorkingThread, NegativeLoginRepliesFailTheCheck)
{
    Result user = check({say("+OK\r\n"), awaitLine(), say("-ERR unknown\r\n")});
    EXPECT_EQ(user.status, "Login failed!");
    EXPECT_EQ(user.count, -1);
    EXPECT_EQ(user.serverReceived, "USER bob\r\n");

    Result pass = check({say("+OK\r\n"), awaitLine(), say("+OK\r\n"), awaitLine(),
                         say("-ERR [AUTH] Authentication failed.\r\n")});
    EXPECT_EQ(pass.status, "Login failed!");
    EXPECT_EQ(pass.count, -1);
    EXPECT_EQ(pass.serverReceived, "USER bob\r\nPASS secret\r\n");
    EXPECT_EQ(pass.sends, (std::vector<std::string>{"USER bob", "\r\n", "PASS secret", "\r\n"}));
}

TEST(DWorkingThread, ReadsEveryFormOfStatReply)
{
    struct Case {
        const char* reply;
        const char* status;
        int count;
    };
    const Case cases[] = {
        {"+OK 12 34567", "OK", 12},
        {"+OK  5 100", "OK", 0},
        {"+OK 3", "Cannot determine mail count!", -1},
        {"-ERR mailbox locked", "Cannot determine mail count!", -1},
    };
    for (const Case& c : cases) {
        Result r = check(normalServer("+OK", c.reply));
        EXPECT_EQ(r.status, c.status) << c.reply;
        EXPECT_EQ(r.count, c.count) << c.reply;
    }
}

TEST(DWorkingThread, LosingTheConnectionBeforeTheGoodbyeFailsTheCheck)
{
    Result r = check({say("+OK\r\n"), awaitLine(), say("+OK\r\n"), awaitLine(), say("+OK\r\n"),
                      awaitLine(), say("+OK 4 40\r\n"), awaitLine(), closeNow()});
    EXPECT_EQ(r.status, "Connection lost!");
    EXPECT_EQ(r.serverReceived, fullLoginBytes);
}

TEST(DWorkingThread, CopesWithRepliesThatDripByteByByte)
{
    Result r = check({drip("+OK ready\r\n"), awaitLine(), drip("+OK\r\n"), awaitLine(),
                      drip("+OK\r\n"), awaitLine(), drip("+OK 9 900\r\n"), awaitLine(),
                      drip("+OK\r\n")});
    EXPECT_EQ(r.status, "OK");
    EXPECT_EQ(r.count, 9);
    EXPECT_EQ(r.sends, fullLogin);
}

TEST(DWorkingThread, CopesWithAMegabyteReplyLine)
{
    std::string huge(1 << 20, 'x');
    Result r = check(normalServer("+OK " + huge, "+OK 7 " + huge));
    EXPECT_EQ(r.status, "OK");
    EXPECT_EQ(r.count, 7);
    EXPECT_EQ(r.serverReceived, fullLoginBytes);
}

TEST(DWorkingThread, NeverSendsALoginHoldingALineBreak)
{
    Result r = check(normalServer("+OK", "+OK 1 1"), "bob\r\nDELE 1");
    EXPECT_EQ(r.status, "Login failed!");
    EXPECT_EQ(r.serverReceived, "");
}

TEST(DWorkingThread, ReportsAClosedPortAsCannotConnect)
{
    RecordingThread thread("127.0.0.1", closedLoopbackPort(), "bob", "secret");
    ASSERT_TRUE(thread.start());
    ASSERT_TRUE(waitForEnd(thread, endWithinMs));
    EXPECT_EQ(thread.getStatus(), "Cannot connect to server!");
    EXPECT_EQ(thread.getMailCount(), -1);
    EXPECT_TRUE(thread.isSocketBusy());
}

TEST(DWorkingThread, AStopEndsTheWaitForASilentServerAndReleasesEverything)
{
    ScriptedServer server({silent()});
    ASSERT_TRUE(server.ok());
    RecordingThread thread("127.0.0.1", server.port(), "bob", "secret");
    ASSERT_TRUE(thread.start());
    DWORD start = GetTickCount();
    while (!server.accepted() && GetTickCount() - start < 20000)
        Sleep(10);
    ASSERT_TRUE(server.accepted());
    // Connected and talking: the socket is in use by the conversation.
    while (thread.isSocketBusy() && GetTickCount() - start < 20000)
        Sleep(10);
    EXPECT_FALSE(thread.isSocketBusy());
    EXPECT_TRUE(thread.isRunning());

    // Well inside the first wait for the greeting: a wait ended only at the end of its
    // five-second slice would hold terminate() for more than four seconds from here.
    Sleep(300);
    DWORD stopAt = GetTickCount();
    thread.terminate();
    EXPECT_LT(GetTickCount() - stopAt, 3000u) << "the stop did not end the wait at once";
    EXPECT_FALSE(thread.isRunning());
    EXPECT_TRUE(thread.isSocketBusy());
    thread.releaseSocket();  // nothing left to release
    server.join();
    // The connection was closed by the client, not abandoned.
    EXPECT_TRUE(server.clientClosed());
    EXPECT_EQ(thread.getStatus(), "");
    EXPECT_EQ(thread.getMailCount(), -1);
}

TEST(DWorkingThread, AStopDuringAHangingConnectEndsTheThread)
{
    LoopbackListener listener(0);
    ASSERT_TRUE(listener.ok());
    std::vector<SOCKET> fillers = fillListenerQueue(listener);
    ASSERT_FALSE(fillers.empty()) << "could not fill the listener's queue";

    RecordingThread thread("127.0.0.1", listener.port(), "bob", "secret");
    ASSERT_TRUE(thread.start());
    EXPECT_FALSE(waitForEnd(thread, 300)) << "the connect did not hang";
    DWORD start = GetTickCount();
    thread.terminate();
    EXPECT_LT(GetTickCount() - start, 20000u);
    EXPECT_FALSE(thread.isRunning());
    EXPECT_TRUE(thread.isSocketBusy());
    EXPECT_EQ(thread.getStatus(), "");
    closeAll(fillers);
}

TEST(DWorkingThread, ReleasingTheSocketOfARunningCheckLeavesItToTheCheck)
{
    LoopbackListener listener;
    ASSERT_TRUE(listener.ok());
    RecordingThread thread("127.0.0.1", listener.port(), "bob", "secret");
    ASSERT_TRUE(thread.start());
    SOCKET peer = listener.accept(endWithinMs);
    ASSERT_NE(peer, INVALID_SOCKET);
    DWORD start = GetTickCount();
    while (thread.isSocketBusy() && GetTickCount() - start < 20000)
        Sleep(10);
    ASSERT_FALSE(thread.isSocketBusy());

    // The conversation waits for the greeting with the socket in its hands.
    thread.releaseSocket();
    EXPECT_FALSE(thread.isSocketBusy());
    EXPECT_TRUE(thread.isRunning());

    const char* replies[] = {"+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 2 20\r\n"};
    const char* commands[] = {"USER bob\r\n", "PASS secret\r\n", "STAT\r\n", "QUIT\r\n"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(sendAll(peer, replies[i]));
        EXPECT_EQ(receiveUntil(peer, "\r\n", endWithinMs), commands[i]);
    }
    ASSERT_TRUE(sendAll(peer, "+OK bye\r\n"));
    EXPECT_TRUE(waitForEnd(thread, endWithinMs));
    EXPECT_EQ(thread.getStatus(), "OK");
    EXPECT_EQ(thread.getMailCount(), 2);
    EXPECT_TRUE(thread.isSocketBusy());
    closesocket(peer);
}

TEST(DWorkingThread, WaitsWhileTheMailboxListIsBeingChanged)
{
    ScriptedServer server(normalServer("+OK", "+OK 1 1"));
    ASSERT_TRUE(server.ok());
    mailboxesLocked.store(true);
    RecordingThread thread("127.0.0.1", server.port(), "bob", "secret");
    ASSERT_TRUE(thread.start());
    EXPECT_FALSE(waitForEnd(thread, 300));
    EXPECT_FALSE(server.accepted());
    mailboxesLocked.store(false);
    ASSERT_TRUE(waitForEnd(thread, endWithinMs));
    EXPECT_EQ(thread.getStatus(), "OK");

    // A stop while waiting ends the thread too.
    mailboxesLocked.store(true);
    RecordingThread stopped("127.0.0.1", server.port(), "bob", "secret");
    ASSERT_TRUE(stopped.start());
    stopped.terminate();
    EXPECT_FALSE(stopped.isRunning());
    EXPECT_EQ(stopped.getStatus(), "");
    mailboxesLocked.store(false);
}

}  // namespace
