// The working thread against scripted servers for what a real server never does on purpose:
// busy replies, a refused or answered-twice STLS, handshakes that break off or are garbage,
// malformed server fields; and IPv6 on loopback.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "WorkingThreadSupport.h"

namespace {

const int endWithinMs = 30000;

struct Result {
    std::string status;
    int count;
    std::vector<std::string> sends;
    std::string serverReceived;
    bool accepted;
};

Result check(ScriptedServer& server, const std::string& serverText)
{
    EXPECT_TRUE(server.ok());
    RecordingThread thread(serverText.c_str(), server.port(), "bob", "secret");
    EXPECT_TRUE(thread.start());
    EXPECT_TRUE(waitForEnd(thread, endWithinMs)) << serverText;
    EXPECT_TRUE(thread.isSocketBusy());
    server.join();
    return {thread.getStatus().text(), thread.getMailCount(), thread.sends(), server.received(),
            server.accepted()};
}

Result check(std::vector<ScriptStep> script, const std::string& serverText = "127.0.0.1")
{
    ScriptedServer server(std::move(script));
    return check(server, serverText);
}

std::string withPort(const std::string& prefix, const ScriptedServer& server)
{
    return prefix + ":" + std::to_string(server.port());
}

TEST(BusyServer, ACodedRefusalOfTheLoginSaysTryLater)
{
    const char* replies[] = {"-ERR [IN-USE] Mailbox is locked by another session\r\n",
                             "-ERR [LOGIN-DELAY] Logins are too frequent\r\n",
                             "-ERR [SYS/TEMP] Try again in a moment\r\n"};
    for (const char* reply : replies) {
        Result afterUser = check({say("+OK ready\r\n"), awaitLine(), say(reply)});
        EXPECT_EQ(afterUser.status, "Server busy, try later!") << reply;
        EXPECT_EQ(afterUser.count, -1);
        EXPECT_EQ(afterUser.serverReceived, "USER bob\r\n");

        Result afterPass = check({say("+OK ready\r\n"), awaitLine(), say("+OK\r\n"), awaitLine(),
                                  say(reply)});
        EXPECT_EQ(afterPass.status, "Server busy, try later!") << reply;
        EXPECT_EQ(afterPass.count, -1);
        EXPECT_EQ(afterPass.serverReceived, "USER bob\r\nPASS secret\r\n");
    }
}

TEST(ServerField, AMalformedFieldIsToldAndNothingConnects)
{
    struct Case {
        const char* suffix;  // after "127.0.0.1"
        const char* status;
    };
    const Case cases[] = {{":", "Invalid port number!"},
                          {":0", "Invalid port number!"},
                          {":65536", "Invalid port number!"},
                          {" ", "Invalid server address!"}};
    for (const Case& c : cases) {
        ScriptedServer server({say("+OK ready\r\n"), awaitLine()});
        ASSERT_TRUE(server.ok());
        RecordingThread thread((std::string("127.0.0.1") + c.suffix).c_str(), server.port(),
                               "bob", "secret");
        ASSERT_TRUE(thread.start());
        ASSERT_TRUE(waitForEnd(thread, endWithinMs));
        EXPECT_EQ(thread.statusText(), c.status) << c.suffix;
        EXPECT_EQ(thread.getMailCount(), -1);
        EXPECT_TRUE(thread.sends().empty());
        EXPECT_FALSE(server.accepted()) << c.suffix;
    }
    RecordingThread open("[::1", 110, "bob", "secret");
    ASSERT_TRUE(open.start());
    ASSERT_TRUE(waitForEnd(open, endWithinMs));
    EXPECT_EQ(open.statusText(), "Invalid server address!");
}

TEST(ServerField, APortInTheFieldWinsOverTheDefault)
{
    ScriptedServer server({say("+OK\r\n"), awaitLine(), say("+OK\r\n"), awaitLine(), say("+OK\r\n"),
                           awaitLine(), say("+OK 4 400\r\n"), awaitLine(), say("+OK bye\r\n")});
    // The thread's own port points nowhere; the field names the server's.
    RecordingThread thread(withPort("127.0.0.1", server).c_str(), closedLoopbackPort(), "bob",
                           "secret");
    ASSERT_TRUE(thread.start());
    ASSERT_TRUE(waitForEnd(thread, endWithinMs));
    EXPECT_EQ(thread.statusText(), "OK");
    EXPECT_EQ(thread.getMailCount(), 4);
}

std::vector<ScriptStep> normalServer()
{
    return {say("+OK ready\r\n"), awaitLine(), say("+OK\r\n"), awaitLine(), say("+OK\r\n"),
            awaitLine(), say("+OK 5 500\r\n"), awaitLine(), say("+OK bye\r\n")};
}

TEST(Ipv6, ChecksAServerOnTheIpv6Loopback)
{
    ScriptedServer bracketed("::1", normalServer());
    Result r = check(bracketed, withPort("[::1]", bracketed));
    EXPECT_EQ(r.status, "OK");
    EXPECT_EQ(r.count, 5);
    EXPECT_EQ(r.serverReceived, "USER bob\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");

    // A bare address takes the port from elsewhere (here the thread's, for the test).
    ScriptedServer bare("::1", normalServer());
    r = check(bare, "::1");
    EXPECT_EQ(r.status, "OK");
    EXPECT_EQ(r.count, 5);
}

TEST(StartTls, ARefusedStlsEndsTheCheckBeforeTheLogin)
{
    Result refused = check({say("+OK ready\r\n"), awaitLine(), say("-ERR not offered\r\n")},
                           "pop3+stls://127.0.0.1");
    EXPECT_EQ(refused.status, "STLS refused by server!");
    EXPECT_EQ(refused.count, -1);
    EXPECT_EQ(refused.serverReceived, "STLS\r\n");
    EXPECT_TRUE(refused.sends.empty());

    Result closed = check({say("+OK ready\r\n"), awaitLine(), closeNow()}, "pop3+stls://127.0.0.1");
    EXPECT_EQ(closed.status, "STLS refused by server!");
    EXPECT_EQ(closed.serverReceived, "STLS\r\n");

    Result badGreeting = check({say("-ERR go away\r\n")}, "pop3+stls://127.0.0.1");
    EXPECT_EQ(badGreeting.status, "Internal server error!");
    EXPECT_EQ(badGreeting.serverReceived, "");
}

TEST(StartTls, BytesSlippedInBeforeTheHandshakeEndTheCheck)
{
    // A reply to a command the client has not sent yet, planted in front of the handshake.
    Result r = check({say("+OK ready\r\n"), awaitLine(), say("+OK begin TLS\r\n+OK\r\n")},
                     "pop3+stls://127.0.0.1");
    EXPECT_EQ(r.status, "TLS handshake failed!");
    EXPECT_EQ(r.serverReceived, "STLS\r\n");
    EXPECT_TRUE(r.sends.empty());
}

TEST(StartTls, GarbageInsteadOfAHandshakeEndsTheCheck)
{
    Result r = check({say("+OK ready\r\n"), awaitLine(), say("+OK begin TLS\r\n"),
                      pause(300), say("+OK this is not a handshake at all\r\n")},
                     "pop3+stls://127.0.0.1");
    EXPECT_EQ(r.status, "TLS handshake failed!");
    EXPECT_EQ(r.serverReceived.compare(0, 6, "STLS\r\n"), 0);
    EXPECT_EQ(r.serverReceived.find("USER"), std::string::npos);
    EXPECT_TRUE(r.sends.empty());
}

TEST(ImplicitTls, GarbageInsteadOfAHandshakeEndsTheCheck)
{
    Result text = check({say("+OK POP3 ready\r\n")}, "pop3s://127.0.0.1");
    EXPECT_EQ(text.status, "TLS handshake failed!");
    EXPECT_EQ(text.serverReceived.find("USER"), std::string::npos);
    EXPECT_TRUE(text.sends.empty());

    // Record headers that promise more and more handshake bytes: the channel stops taking
    // them at its bound instead of holding everything that comes.
    std::string endless;
    for (int i = 0; i < 20000; ++i)
        endless += std::string("\x16\x03\x03\x3f\xff", 5) + std::string(59, 'x');
    Result flood = check({pause(200), say(endless)}, "pop3s://127.0.0.1");
    EXPECT_EQ(flood.status, "TLS handshake failed!");
    EXPECT_TRUE(flood.sends.empty());
}

TEST(ImplicitTls, AConnectionDroppedInTheHandshakeEndsTheCheck)
{
    // The server takes the client's first message, then hangs up.
    Result r = check({pause(500), closeNow()}, "pop3s://127.0.0.1");
    EXPECT_EQ(r.status, "TLS handshake failed!");
    EXPECT_EQ(r.count, -1);
    EXPECT_GT(r.serverReceived.size(), 5u) << "no client hello arrived";
    EXPECT_EQ(r.serverReceived[0], '\x16') << "the first bytes are not a TLS handshake record";
    EXPECT_TRUE(r.sends.empty());
}

TEST(ImplicitTls, AStopEndsAHandshakeThatGetsNoAnswerAtOnce)
{
    ScriptedServer server({silent()});
    ASSERT_TRUE(server.ok());
    RecordingThread thread("pop3s://127.0.0.1", server.port(), "bob", "secret");
    ASSERT_TRUE(thread.start());
    DWORD start = GetTickCount();
    while (!server.received().size() && GetTickCount() - start < 20000)
        Sleep(10);
    ASSERT_FALSE(server.received().empty()) << "no client hello arrived";
    Sleep(300);
    DWORD stopAt = GetTickCount();
    thread.terminate();
    EXPECT_LT(GetTickCount() - stopAt, 3000u) << "the stop did not end the handshake at once";
    EXPECT_FALSE(thread.isRunning());
    EXPECT_EQ(thread.statusText(), "");
    EXPECT_TRUE(thread.sends().empty());
    server.join();
    EXPECT_TRUE(server.clientClosed());
}

}  // namespace
