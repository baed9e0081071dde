#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <deque>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "foundation/DPellaroDictionary.h"
#include "mail/Pop3Conversation.h"
#include "mail/Pop3Dialogue.h"

namespace {

// A channel that hands out the server's bytes in the chunks given, then reports the
// connection closed; it records every send call as one piece.
class ScriptedChannel : public DByteChannel {
public:
    explicit ScriptedChannel(std::vector<std::string> chunks) : chunks(chunks.begin(), chunks.end()) {}

    int send(const void* data, int length) override
    {
        sends.emplace_back(static_cast<const char*>(data), static_cast<size_t>(length));
        int index = static_cast<int>(sends.size()) - 1;
        if (index == shortSendAt)
            return shortSendResult;
        return length;
    }
    int receive(char* buffer, int capacity) override
    {
        ++receives;
        if (chunks.empty())
            return 0;
        std::string& front = chunks.front();
        int n = static_cast<int>(front.size()) < capacity ? static_cast<int>(front.size()) : capacity;
        front.copy(buffer, static_cast<size_t>(n));
        front.erase(0, static_cast<size_t>(n));
        if (front.empty())
            chunks.pop_front();
        return n;
    }
    bool waitReadable(int milliseconds) override
    {
        ++waits;
        if (quietWaitsBeforeEachChunk > 0 && !chunks.empty() && quietLeft-- > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            return false;
        }
        quietLeft = quietWaitsBeforeEachChunk;
        if (silentAfterChunks && chunks.empty()) {
            if (stopWhenSilent != nullptr)
                stopWhenSilent->store(true);
            // A silent server: the wait lasts as long as it was asked to.
            if (sleepWhenSilent)
                std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            return false;
        }
        return true;
    }

    std::deque<std::string> chunks;
    std::vector<std::string> sends;
    int shortSendAt = -1;
    int shortSendResult = 0;
    int receives = 0;
    int waits = 0;
    bool silentAfterChunks = false;
    bool sleepWhenSilent = false;
    // Waits that find nothing before each chunk comes (each as long as asked).
    int quietWaitsBeforeEachChunk = 0;
    int quietLeft = 0;
    std::atomic<bool>* stopWhenSilent = nullptr;
};

struct Outcome {
    std::string status;
    int count;
    std::vector<std::string> sends;
    bool completed;
};

Outcome converse(std::vector<std::string> chunks, const char* user = "bob",
                 const char* password = "secret", int shortSendAt = -1, int shortResult = 0)
{
    Pop3Dialogue dialogue(user, password);
    ScriptedChannel channel(std::move(chunks));
    channel.shortSendAt = shortSendAt;
    channel.shortSendResult = shortResult;
    std::atomic<bool> stop{false};
    bool completed = runPop3Conversation(dialogue, channel, stop);
    return {dialogue.status().text(), dialogue.mailCount(), channel.sends, completed};
}

// Splits text into chunks of one byte each.
std::vector<std::string> bytewise(const std::string& text)
{
    std::vector<std::string> chunks;
    for (char c : text)
        chunks.emplace_back(1, c);
    return chunks;
}

const std::vector<std::string> fullLogin = {"USER bob", "\r\n", "PASS secret", "\r\n",
                                            "STAT", "\r\n", "QUIT", "\r\n"};

std::string statResult(const std::string& reply)
{
    Outcome o = converse({"+OK ready\r\n", "+OK\r\n", "+OK\r\n", reply, "+OK bye\r\n"});
    return o.status + "/" + std::to_string(o.count);
}

// Feeds one whole text and carries out every send with full success.
void feedAll(Pop3Dialogue& dialogue, const std::string& text, std::vector<std::string>* sent)
{
    size_t offset = 0;
    while (offset < text.size() && !dialogue.isFinished()) {
        offset += static_cast<size_t>(
            dialogue.feed(text.data() + offset, static_cast<int>(text.size() - offset)));
        while (dialogue.hasPendingSend()) {
            DString piece = dialogue.pendingSend();
            sent->push_back(piece.text());
            dialogue.sendDone(piece.length());
        }
    }
}

TEST(Pop3Dialogue, WalksThroughEveryStateOfASuccessfulCheck)
{
    Pop3Dialogue dialogue("bob", "secret");
    std::vector<std::string> sent;
    EXPECT_EQ(dialogue.state(), Pop3Dialogue::AwaitGreeting);
    EXPECT_EQ(dialogue.mailCount(), -1);
    EXPECT_EQ(dialogue.status(), "");

    feedAll(dialogue, "+OK POP3 ready\r\n", &sent);
    EXPECT_EQ(dialogue.state(), Pop3Dialogue::UserSent);
    feedAll(dialogue, "+OK\r\n", &sent);
    EXPECT_EQ(dialogue.state(), Pop3Dialogue::PassSent);
    feedAll(dialogue, "+OK Logged in.\r\n", &sent);
    EXPECT_EQ(dialogue.state(), Pop3Dialogue::StatSent);
    EXPECT_EQ(dialogue.mailCount(), -1);
    feedAll(dialogue, "+OK 12 34567\r\n", &sent);
    EXPECT_EQ(dialogue.state(), Pop3Dialogue::QuitSent);
    EXPECT_EQ(dialogue.status(), "OK");
    EXPECT_EQ(dialogue.mailCount(), 12);
    EXPECT_FALSE(dialogue.isFinished());
    feedAll(dialogue, "+OK Logging out.\r\n", &sent);
    EXPECT_TRUE(dialogue.isFinished());
    EXPECT_EQ(dialogue.status(), "OK");
    EXPECT_EQ(sent, fullLogin);
}

TEST(Pop3Dialogue, SendsEachCommandAndItsLineEndAsTwoPieces)
{
    Outcome o = converse({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 300\r\n", "+OK\r\n"});
    EXPECT_TRUE(o.completed);
    EXPECT_EQ(o.status, "OK");
    EXPECT_EQ(o.count, 3);
    EXPECT_EQ(o.sends, fullLogin);
}

TEST(Pop3Dialogue, AcceptsTheMarkerInLowerCase)
{
    Outcome o = converse({"+ok hello\r\n", "+oK\r\n", "+Ok\r\n", "+ok 4 10\r\n", "+ok\r\n"});
    EXPECT_EQ(o.status, "OK");
    EXPECT_EQ(o.count, 4);
}

TEST(Pop3Dialogue, ANegativeGreetingSendsNothing)
{
    for (const char* greeting : {"-ERR busy\r\n", "+O\r\n", "\r\n", "OK +OK\r\n"}) {
        Outcome o = converse({greeting});
        EXPECT_EQ(o.status, "Internal server error!") << greeting;
        EXPECT_TRUE(o.sends.empty()) << greeting;
        EXPECT_EQ(o.count, -1);
    }
}

TEST(Pop3Dialogue, NegativeRepliesToTheLoginFailIt)
{
    Outcome user = converse({"+OK\r\n", "-ERR no such user\r\n", "+OK\r\n"});
    EXPECT_EQ(user.status, "Login failed!");
    EXPECT_EQ(user.count, -1);
    EXPECT_EQ(user.sends, (std::vector<std::string>{"USER bob", "\r\n"}));

    Outcome pass = converse({"+OK\r\n", "+OK\r\n", "-ERR [AUTH] wrong\r\n", "+OK 1 1\r\n"});
    EXPECT_EQ(pass.status, "Login failed!");
    EXPECT_EQ(pass.count, -1);
    EXPECT_EQ(pass.sends, (std::vector<std::string>{"USER bob", "\r\n", "PASS secret", "\r\n"}));
}

TEST(Pop3Dialogue, ABusyServerIsToldApartFromAFailedLogin)
{
    const char* busyReplies[] = {"-ERR [IN-USE] mailbox locked\r\n",
                                 "-ERR [LOGIN-DELAY] wait a little\r\n",
                                 "-ERR [SYS/TEMP] out of memory\r\n",
                                 "-err [in-use] lower case\r\n",
                                 "-ERR  [SYS/TEMP/DISK] refined code\r\n",
                                 "-ERR [IN-USE]\n"};
    for (const char* reply : busyReplies) {
        Outcome user = converse({"+OK\r\n", reply, "+OK\r\n"});
        EXPECT_EQ(user.status, "Server busy, try later!") << reply;
        EXPECT_EQ(user.count, -1) << reply;
        EXPECT_EQ(user.sends, (std::vector<std::string>{"USER bob", "\r\n"})) << reply;

        Outcome pass = converse({"+OK\r\n", "+OK\r\n", reply, "+OK 1 1\r\n"});
        EXPECT_EQ(pass.status, "Server busy, try later!") << reply;
        EXPECT_EQ(pass.count, -1) << reply;
        EXPECT_EQ(pass.sends, (std::vector<std::string>{"USER bob", "\r\n", "PASS secret", "\r\n"}))
            << reply;
    }
    // Only a response code right after the marker counts, and only these three codes.
    const char* otherReplies[] = {"-ERR [AUTH] wrong password\r\n",
                                  "-ERR [SYS/PERM] account disabled\r\n",
                                  "-ERR [IN-USER]\r\n",
                                  "-ERR wrong password [IN-USE]\r\n",
                                  "-ERR[IN-USE]\r\n",
                                  "-ERR IN-USE\r\n",
                                  "[IN-USE]\r\n",
                                  "+NO [IN-USE]\r\n"};
    for (const char* reply : otherReplies) {
        EXPECT_EQ(converse({"+OK\r\n", reply}).status, "Login failed!") << reply;
        EXPECT_EQ(converse({"+OK\r\n", "+OK\r\n", reply}).status, "Login failed!") << reply;
    }
}

TEST(Pop3Dialogue, BusyCodesOutsideTheLoginKeepTheirOwnTexts)
{
    EXPECT_EQ(converse({"-ERR [IN-USE] busy\r\n"}).status, "Internal server error!");
    Outcome stat = converse({"+OK\r\n", "+OK\r\n", "+OK\r\n", "-ERR [SYS/TEMP] later\r\n"});
    EXPECT_EQ(stat.status, "Cannot determine mail count!");
}

TEST(Pop3Dialogue, ReadsTheCountOfEveryFormOfStatReply)
{
    EXPECT_EQ(statResult("+OK 12 34567\r\n"), "OK/12");
    EXPECT_EQ(statResult("+OK 0 0\r\n"), "OK/0");
    EXPECT_EQ(statResult("+OK 250 1024000\r\n"), "OK/250");
    EXPECT_EQ(statResult("+OK 7 \r\n"), "OK/7");
    // The blank right after the marker's blank is found first: the count is empty.
    EXPECT_EQ(statResult("+OK  5 100\r\n"), "OK/0");
    // The count begins at the fifth character, whatever the fourth is.
    EXPECT_EQ(statResult("+OKx9 100\r\n"), "OK/9");
    EXPECT_EQ(statResult("+OK abc 100\r\n"), "OK/0");
    EXPECT_EQ(statResult("+OK 99999999999 1\r\n"), "OK/" + std::to_string(INT_MAX));
    EXPECT_EQ(statResult("+OK 3\r\n"), "Cannot determine mail count!/-1");
    EXPECT_EQ(statResult("+OK\r\n"), "Cannot determine mail count!/-1");
    EXPECT_EQ(statResult("+OK 5\t100\r\n"), "Cannot determine mail count!/-1");
    EXPECT_EQ(statResult("-ERR 5 100\r\n"), "Cannot determine mail count!/-1");
    // No mailbox holds fewer than no messages.
    EXPECT_EQ(statResult("+OK -3 100\r\n"), "Cannot determine mail count!/-1");
}

TEST(Pop3Dialogue, ReadsLinesEndingInCrLfLfOrWithStrayCr)
{
    const std::string conversations[] = {
        "+OK\r\n+OK\r\n+OK\r\n+OK 6 60\r\n+OK\r\n",
        "+OK\n+OK\n+OK\n+OK 6 60\n+OK\n",
        "+O\rK\r\r\n\r+OK\n+\rOK\r\n+OK 6\r 60\r\r\n+OK\n",
    };
    for (const std::string& server : conversations) {
        Outcome o = converse({server});
        EXPECT_EQ(o.status, "OK") << server;
        EXPECT_EQ(o.count, 6) << server;
        EXPECT_EQ(o.sends, fullLogin) << server;
    }
}

TEST(Pop3Dialogue, ALineEndingInCrAloneWaitsForItsLf)
{
    Pop3Dialogue dialogue("bob", "secret");
    std::vector<std::string> sent;
    feedAll(dialogue, "+OK ready\r", &sent);
    feedAll(dialogue, "\r\r", &sent);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(dialogue.state(), Pop3Dialogue::AwaitGreeting);
    feedAll(dialogue, "\n", &sent);
    EXPECT_EQ(sent, (std::vector<std::string>{"USER bob", "\r\n"}));
    EXPECT_EQ(dialogue.state(), Pop3Dialogue::UserSent);
}

TEST(Pop3Dialogue, AnswersEachLineOfAChunkBeforeReadingTheNext)
{
    Pop3Dialogue dialogue("bob", "secret");
    const std::string both = "+OK hi\r\n+OK\r\n";
    int taken = dialogue.feed(both.data(), static_cast<int>(both.size()));
    EXPECT_EQ(taken, 8);
    ASSERT_TRUE(dialogue.hasPendingSend());
    EXPECT_EQ(dialogue.feed(both.data() + taken, 5), 0);
    EXPECT_EQ(dialogue.pendingSend(), "USER bob");
    dialogue.sendDone(8);
    EXPECT_EQ(dialogue.pendingSend(), "\r\n");
    dialogue.sendDone(2);
    EXPECT_FALSE(dialogue.hasPendingSend());
    EXPECT_EQ(dialogue.feed(both.data() + taken, 5), 5);
    EXPECT_EQ(dialogue.pendingSend(), "PASS secret");
}

TEST(Pop3Dialogue, WorksWhenTheServerDripsOneByteAtATime)
{
    Outcome o = converse(bytewise("+OK ready\r\n+OK\r\n+OK\r\n+OK 21 4200\r\n+OK bye\r\n"));
    EXPECT_EQ(o.status, "OK");
    EXPECT_EQ(o.count, 21);
    EXPECT_EQ(o.sends, fullLogin);
}

TEST(Pop3Dialogue, JudgesAMegabyteLineOnItsFirstBytes)
{
    std::string huge(1 << 20, 'x');
    Outcome positive = converse({"+OK " + huge + "\r\n", "+OK\r\n", "+OK\r\n",
                                 "+OK 2 " + huge + "\r\n", "+OK\r\n"});
    EXPECT_EQ(positive.status, "OK");
    EXPECT_EQ(positive.count, 2);
    EXPECT_EQ(positive.sends, fullLogin);

    Outcome negative = converse({"-ERR " + huge + "\n"});
    EXPECT_EQ(negative.status, "Internal server error!");

    // Only the first 4000 bytes of a line count: a blank beyond them is not seen.
    std::string kept = "+OK 5" + std::string(3995, '1');
    EXPECT_EQ(statResult(kept + " 9\r\n"), "Cannot determine mail count!/-1");
    std::string fits = "+OK 5" + std::string(3994, 'x');
    EXPECT_EQ(statResult(fits + " 9\r\n"), "OK/5");
}

TEST(Pop3Dialogue, ALostConnectionEndsTheCheckInEveryState)
{
    struct Case {
        std::vector<std::string> server;
        size_t sends;
    };
    const Case cases[] = {
        {{}, 0},
        {{"+OK ready\r\n"}, 2},
        {{"+OK ready\r\n", "+OK\r\n"}, 4},
        {{"+OK ready\r\n", "+OK\r\n", "+OK\r\n"}, 6},
        {{"+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 3"}, 6},
    };
    for (const Case& c : cases) {
        Outcome o = converse(c.server);
        EXPECT_EQ(o.status, "Connection lost!");
        EXPECT_EQ(o.count, -1);
        EXPECT_EQ(o.sends.size(), c.sends);
    }
    // Lost while waiting for the goodbye: the check fails although the count was read.
    Outcome o = converse({"+OK ready\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 30\r\n", "+OK bye"});
    EXPECT_EQ(o.status, "Connection lost!");
    EXPECT_EQ(o.sends, fullLogin);
}

TEST(Pop3Dialogue, NeverSendsALoginHoldingALineBreak)
{
    for (const char* user : {"bob\r\nDELE 1", "bob\n", "\rbob"}) {
        Outcome o = converse({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n", "+OK\r\n"}, user);
        EXPECT_EQ(o.status, "Login failed!");
        EXPECT_TRUE(o.sends.empty());
        EXPECT_EQ(o.count, -1);
    }
    Outcome o = converse({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n", "+OK\r\n"}, "bob",
                         "pw\r\nDELE 1");
    EXPECT_EQ(o.status, "Login failed!");
    EXPECT_EQ(o.sends, (std::vector<std::string>{"USER bob", "\r\n"}));
}

TEST(Pop3Dialogue, NeverSendsACommandLineOf4000BytesOrMore)
{
    const std::vector<std::string> server = {"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n",
                                             "+OK\r\n"};
    std::string longest(3994, 'u');  // "USER " and this make 3999 bytes
    Outcome fits = converse(server, longest.c_str(), longest.c_str());
    EXPECT_EQ(fits.status, "OK");
    EXPECT_EQ(fits.sends[0], "USER " + longest);

    std::string tooLong = longest + "u";
    Outcome user = converse(server, tooLong.c_str());
    EXPECT_EQ(user.status, "Login failed!");
    EXPECT_TRUE(user.sends.empty());
    Outcome password = converse(server, "bob", tooLong.c_str());
    EXPECT_EQ(password.status, "Login failed!");
    EXPECT_EQ(password.sends, (std::vector<std::string>{"USER bob", "\r\n"}));
}

TEST(Pop3Dialogue, AnIncompleteSendIsACommsError)
{
    const std::vector<std::string> server = {"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 3 3\r\n",
                                             "+OK\r\n"};
    // The command text refused, sent in part, its CR LF sent in part.
    Outcome refused = converse(server, "bob", "secret", 0, 0);
    EXPECT_EQ(refused.status, "Comms error!");
    EXPECT_EQ(refused.sends.size(), 1u);
    Outcome partial = converse(server, "bob", "secret", 2, 4);
    EXPECT_EQ(partial.status, "Comms error!");
    EXPECT_EQ(partial.sends.size(), 3u);
    Outcome halfLineEnd = converse(server, "bob", "secret", 5, 1);
    EXPECT_EQ(halfLineEnd.status, "Comms error!");
    EXPECT_EQ(halfLineEnd.sends.size(), 6u);
    // QUIT not sent: the count is known, but the check failed.
    Outcome quit = converse(server, "bob", "secret", 6, 0);
    EXPECT_EQ(quit.status, "Comms error!");
    EXPECT_EQ(quit.count, 3);
}

TEST(Pop3Dialogue, IgnoresWhateverFollowsTheGoodbye)
{
    Outcome o = converse({"+OK\r\n+OK\r\n+OK\r\n+OK 8 80\r\n-ERR bye\r\n+OK more\r\n"});
    EXPECT_TRUE(o.completed);
    EXPECT_EQ(o.status, "OK");
    EXPECT_EQ(o.count, 8);
    EXPECT_EQ(o.sends, fullLogin);
}

TEST(Pop3Dialogue, LeavesItsErrorsInEnglishForWhoeverShowsThem)
{
    // The dialogue runs on a working thread that may outlive the dictionary: it never reads
    // it, whatever the language.
    DPellaroDictionary hungarian;
    hungarian.addPair("Login failed!", "Sikertelen bejelentkez\xE9" "s!");
    hungarian.setLanguage(1);
    DPellaroDictionary* before = dictionary;
    dictionary = &hungarian;
    Pop3Dialogue failing("bob", "secret");
    std::vector<std::string> sent;
    feedAll(failing, "+OK\r\n-ERR\r\n", &sent);
    dictionary = before;
    EXPECT_EQ(failing.status(), "Login failed!");
}

TEST(Pop3Conversation, AServerSilentForTheLimitIsNotResponding)
{
    // Silent before the greeting, and silent after the user name.
    const std::vector<std::string> scripts[] = {{}, {"+OK ready\r\n"}};
    const std::vector<std::string> expectedSends[] = {{}, {"USER bob", "\r\n"}};
    for (int i = 0; i < 2; ++i) {
        Pop3Dialogue dialogue("bob", "secret");
        ScriptedChannel channel(scripts[i]);
        channel.silentAfterChunks = true;
        channel.sleepWhenSilent = true;
        std::atomic<bool> stop{false};
        EXPECT_TRUE(runPop3Conversation(dialogue, channel, stop, 10, 60));
        EXPECT_TRUE(dialogue.isFinished());
        EXPECT_EQ(dialogue.status(), "Server not responding!");
        EXPECT_EQ(dialogue.mailCount(), -1);
        EXPECT_EQ(channel.sends, expectedSends[i]);
        EXPECT_GE(channel.waits, 2);  // it waited in slices, not in one go
    }
}

TEST(Pop3Conversation, ASlowServerThatKeepsAnsweringIsNeverCutOff)
{
    // Each reply takes a while, all of them together longer than the silence limit.
    Pop3Dialogue dialogue("bob", "secret");
    ScriptedChannel channel({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 2 20\r\n", "+OK\r\n"});
    channel.quietWaitsBeforeEachChunk = 3;
    std::atomic<bool> stop{false};
    auto begin = std::chrono::steady_clock::now();
    EXPECT_TRUE(runPop3Conversation(dialogue, channel, stop, 100, 1000));
    EXPECT_GT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(1000));
    EXPECT_EQ(dialogue.status(), "OK");
    EXPECT_EQ(dialogue.mailCount(), 2);
}

TEST(Pop3Conversation, AStopEndsTheWaitForASilentServer)
{
    Pop3Dialogue dialogue("bob", "secret");
    ScriptedChannel channel({"+OK\r\n"});
    std::atomic<bool> stop{false};
    channel.silentAfterChunks = true;
    channel.stopWhenSilent = &stop;
    EXPECT_FALSE(runPop3Conversation(dialogue, channel, stop));
    EXPECT_FALSE(dialogue.isFinished());
    EXPECT_EQ(dialogue.status(), "");
    EXPECT_EQ(channel.sends, (std::vector<std::string>{"USER bob", "\r\n"}));
}

TEST(Pop3Conversation, ReceivesInChunksRatherThanByteByByte)
{
    Pop3Dialogue dialogue("bob", "secret");
    ScriptedChannel channel({"+OK\r\n+OK\r\n+OK\r\n+OK 3 3\r\n+OK\r\n"});
    std::atomic<bool> stop{false};
    EXPECT_TRUE(runPop3Conversation(dialogue, channel, stop));
    EXPECT_EQ(dialogue.status(), "OK");
    EXPECT_EQ(channel.receives, 1);
}

}  // namespace
