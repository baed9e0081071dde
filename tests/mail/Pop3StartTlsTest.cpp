#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <string>
#include <vector>

#include "mail/DPrefixedChannel.h"
#include "mail/Pop3StartTls.h"

namespace {

// Hands out the server's chunks in order, records sends; after the chunks it is silent
// (waits run out) or closed, as chosen.
class ChunkChannel : public DByteChannel {
public:
    explicit ChunkChannel(std::vector<std::string> given) : chunks(given.begin(), given.end()) {}
    int send(const void* data, int length) override
    {
        sends.emplace_back(static_cast<const char*>(data), static_cast<size_t>(length));
        return failSends ? 0 : length;
    }
    int receive(char* buffer, int capacity) override
    {
        if (chunks.empty())
            return 0;
        std::string& front = chunks.front();
        size_t n = front.size() < static_cast<size_t>(capacity) ? front.size()
                                                                : static_cast<size_t>(capacity);
        front.copy(buffer, n);
        front.erase(0, n);
        if (front.empty())
            chunks.pop_front();
        return static_cast<int>(n);
    }
    bool waitReadable(int) override
    {
        ++waits;
        if (!chunks.empty())
            return true;
        if (stopWhenDry != nullptr)
            stopWhenDry->store(true);
        return !silentWhenDry;
    }

    std::deque<std::string> chunks;
    std::vector<std::string> sends;
    bool silentWhenDry = false;
    bool failSends = false;
    int waits = 0;
    std::atomic<bool>* stopWhenDry = nullptr;
};

StartTlsResult negotiate(ChunkChannel& channel, int limitMs = 200, int greetingLimitMs = 60000)
{
    std::atomic<bool> stop{false};
    return negotiateStartTls(channel, stop, 10, limitMs, greetingLimitMs);
}

const std::vector<std::string> stlsCommand = {"STLS", "\r\n"};

TEST(StartTls, APositiveReplyLeadsToTheHandshakeAndKeepsTheGreeting)
{
    ChunkChannel channel({"+OK Dovecot ready.\r\n", "+OK Begin TLS negotiation now.\r\n"});
    channel.silentWhenDry = true;  // the server waits for the client's first handshake message
    StartTlsResult r = negotiate(channel);
    EXPECT_EQ(r.outcome, StartTlsResult::Ready);
    EXPECT_STREQ(r.greeting.text(), "+OK Dovecot ready.");
    EXPECT_EQ(r.error.length(), 0);
    EXPECT_EQ(channel.sends, stlsCommand);

    // Byte by byte, lower case, LF alone: the same.
    std::vector<std::string> drips;
    for (char c : std::string("+ok hi\n+ok\n"))
        drips.emplace_back(1, c);
    ChunkChannel dripping(drips);
    dripping.silentWhenDry = true;
    StartTlsResult d = negotiate(dripping);
    EXPECT_EQ(d.outcome, StartTlsResult::Ready);
    EXPECT_STREQ(d.greeting.text(), "+ok hi");
}

TEST(StartTls, EveryOtherAnswerEndsTheCheckWithItsText)
{
    struct Case {
        std::vector<std::string> chunks;
        bool silent;
        const char* error;
        size_t sends;
    };
    const Case cases[] = {
        {{"-ERR busy\r\n"}, false, "Internal server error!", 0},
        {{}, false, "Connection lost!", 0},
        {{"+OK ready\r\n", "-ERR unknown command\r\n"}, false, "STLS refused by server!", 2},
        {{"+OK ready\r\n", "OK\r\n"}, false, "STLS refused by server!", 2},
        {{"+OK ready\r\n"}, false, "STLS refused by server!", 2},     // closed after STLS
        {{"+OK ready\r\n"}, true, "STLS refused by server!", 2},      // no answer at all
        {{"+OK ready\r\n", "+OK go\r\n+OK planted\r\n"}, false, "TLS handshake failed!", 2},
        {{"+OK ready\r\n", "+OK go\r\n", "\x16\x03"}, false, "TLS handshake failed!", 2},
    };
    for (const Case& c : cases) {
        ChunkChannel channel(c.chunks);
        channel.silentWhenDry = c.silent;
        StartTlsResult r = negotiate(channel);
        EXPECT_EQ(r.outcome, StartTlsResult::Failed) << c.error;
        EXPECT_STREQ(r.error.text(), c.error);
        EXPECT_EQ(channel.sends.size(), c.sends) << c.error;
        for (const std::string& sent : channel.sends)
            EXPECT_EQ(sent.find("USER"), std::string::npos);
    }
}

TEST(StartTls, AServerThatNeverGreetsIsNotResponding)
{
    ChunkChannel channel({});
    channel.silentWhenDry = true;
    StartTlsResult r = negotiate(channel, 200, 50);
    EXPECT_EQ(r.outcome, StartTlsResult::Failed);
    EXPECT_STREQ(r.error.text(), "Server not responding!");
    EXPECT_TRUE(channel.sends.empty());
}

TEST(StartTls, AFailedSendIsACommsError)
{
    ChunkChannel channel({"+OK ready\r\n", "+OK\r\n"});
    channel.failSends = true;
    StartTlsResult r = negotiate(channel);
    EXPECT_EQ(r.outcome, StartTlsResult::Failed);
    EXPECT_STREQ(r.error.text(), "Comms error!");
}

TEST(StartTls, AStopEndsTheWaitWithoutAnOutcome)
{
    ChunkChannel channel({"+OK ready\r\n"});
    channel.silentWhenDry = true;
    std::atomic<bool> stop{false};
    channel.stopWhenDry = &stop;
    StartTlsResult r = negotiateStartTls(channel, stop, 10, 60000);
    EXPECT_EQ(r.outcome, StartTlsResult::Stopped);
    EXPECT_EQ(r.error.length(), 0);
}

TEST(StartTls, AnEndlessGreetingIsKeptShort)
{
    std::vector<std::string> chunks(300, std::string(4096, 'x'));
    chunks.front().replace(0, 3, "+OK");
    chunks.push_back("\r\n");
    chunks.push_back("+OK\r\n");
    ChunkChannel channel(chunks);
    channel.silentWhenDry = true;
    StartTlsResult r = negotiate(channel);
    EXPECT_EQ(r.outcome, StartTlsResult::Ready);
    EXPECT_EQ(r.greeting.length(), 4000);
}

TEST(DPrefixedChannel, HandsOutTheKeptBytesFirstThenTheChannelBeneath)
{
    ChunkChannel inner({"+OK\r\n"});
    DPrefixedChannel channel(inner, "+OK hello\r\n", 11);
    EXPECT_TRUE(channel.waitReadable(0));
    EXPECT_EQ(inner.waits, 0);
    char buffer[8];
    ASSERT_EQ(channel.receive(buffer, 8), 8);
    EXPECT_EQ(std::string(buffer, 8), "+OK hell");
    ASSERT_EQ(channel.receive(buffer, 8), 3);
    EXPECT_EQ(std::string(buffer, 3), "o\r\n");
    ASSERT_EQ(channel.receive(buffer, 8), 5);
    EXPECT_EQ(std::string(buffer, 5), "+OK\r\n");
    EXPECT_EQ(channel.receive(buffer, 8), 0);
    EXPECT_EQ(channel.send("USER x", 6), 6);
    EXPECT_EQ(inner.sends, (std::vector<std::string>{"USER x"}));
    EXPECT_EQ(channel.receive(nullptr, 8), 0);
}

}  // namespace
