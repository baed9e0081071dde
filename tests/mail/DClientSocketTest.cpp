#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackServer.h"
#include "mail/DClientSocket.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point begin)
{
    return std::chrono::duration<double>(Clock::now() - begin).count();
}

// A manual-reset event such as a thread's stop event, closed when the test ends.
class StopEvent {
public:
    StopEvent() : handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~StopEvent() { CloseHandle(handle); }
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;
    HANDLE get() const { return handle; }
    void set() { SetEvent(handle); }
    void reset() { ResetEvent(handle); }

private:
    HANDLE handle;
};

// Receives until `count` bytes came, waiting for each piece with a bound.
std::string receiveSome(DClientSocket& socket, size_t count)
{
    std::string got;
    while (got.size() < count) {
        if (!socket.waitReadable(10000))
            break;
        char buffer[256];
        int n = socket.receive(buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<size_t>(n));
    }
    return got;
}

class ConnectedPair : public ::testing::Test {
protected:
    void connectTo(const char* host)
    {
        ASSERT_TRUE(listener.ok());
        socket.setHost(host);
        socket.setPort(listener.port());
        socket.setActive(true);
        ASSERT_TRUE(socket.isConnected());
        peer = listener.accept(10000);
        ASSERT_NE(peer, INVALID_SOCKET);
    }
    void TearDown() override
    {
        if (peer != INVALID_SOCKET)
            closesocket(peer);
    }

    LoopbackListener listener;
    DClientSocket socket;
    SOCKET peer = INVALID_SOCKET;
};

TEST_F(ConnectedPair, ExchangesBytesWithADottedAddress)
{
    connectTo("127.0.0.1");
    EXPECT_EQ(socket.send("hello\r\n", 7), 7);
    EXPECT_EQ(receiveUntil(peer, "\r\n", 10000), "hello\r\n");

    EXPECT_FALSE(socket.canRead());
    ASSERT_TRUE(sendAll(peer, "+OK ready\r\n"));
    EXPECT_EQ(receiveSome(socket, 11), "+OK ready\r\n");
}

TEST_F(ConnectedPair, ExchangesBytesWithAHostName)
{
    connectTo("localhost");
    EXPECT_EQ(socket.send("abc", 3), 3);
    EXPECT_EQ(receiveUntil(peer, "abc", 10000), "abc");
    ASSERT_TRUE(sendAll(peer, "xyz"));
    EXPECT_EQ(receiveSome(socket, 3), "xyz");
}

TEST(DClientSocket, AnIpv4AddressInAnyButThePlainNotationIsRefused)
{
    // Each of these would reach 127.0.0.1 through the system's parser; none may connect.
    LoopbackListener listener;
    ASSERT_TRUE(listener.ok());
    const char* forms[] = {"127.1", "127.0.1", "2130706433", "0x7f.0.0.1", "0x7f000001",
                           "0177.0.0.1", "127.0.0.01"};
    for (const char* form : forms) {
        DClientSocket socket;
        socket.setHost(form);
        socket.setPort(listener.port());
        socket.setActive(true);
        EXPECT_FALSE(socket.isConnected()) << form;
    }
    EXPECT_EQ(listener.accept(0), INVALID_SOCKET);
}

TEST_F(ConnectedPair, ReceiveGivesZeroOnceThePeerHasClosed)
{
    connectTo("127.0.0.1");
    ASSERT_TRUE(sendAll(peer, "bye"));
    closesocket(peer);
    peer = INVALID_SOCKET;
    EXPECT_EQ(receiveSome(socket, 3), "bye");
    ASSERT_TRUE(socket.waitReadable(10000));
    EXPECT_TRUE(socket.canRead());
    char buffer[16];
    EXPECT_EQ(socket.receive(buffer, sizeof buffer), 0);
}

TEST_F(ConnectedPair, WaitReadableRunsOutWhenNothingComes)
{
    connectTo("127.0.0.1");
    EXPECT_FALSE(socket.waitReadable(100));
    EXPECT_TRUE(socket.isConnected());
}

TEST_F(ConnectedPair, AWaitAfterAPartialReceiveSeesTheBytesStillWaiting)
{
    // The socket reports new bytes only once per receive; the rest of a chunk that a small
    // receive left behind is already there when the next wait begins and must be seen.
    connectTo("127.0.0.1");
    const std::string sent = "0123456789abcdefghij";
    ASSERT_TRUE(sendAll(peer, sent));
    std::string got;
    while (got.size() < sent.size()) {
        if (!socket.waitReadable(30000))
            break;
        char buffer[3];
        int n = socket.receive(buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<size_t>(n));
    }
    EXPECT_EQ(got, sent);
}

TEST_F(ConnectedPair, AfterAWaitAReceiveBlocksUntilBytesCome)
{
    // A receive that reported "nothing yet" as 0 would read as a closed connection.
    connectTo("127.0.0.1");
    EXPECT_FALSE(socket.waitReadable(100));
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sendAll(peer, "late");
    });
    std::string got;
    char buffer[8];
    int n = 0;
    while (got.size() < 4 && (n = socket.receive(buffer, sizeof buffer)) > 0)
        got.append(buffer, static_cast<size_t>(n));
    late.join();
    EXPECT_EQ(got, "late");
}

TEST_F(ConnectedPair, AStopEventEndsAWaitForDataAtOnce)
{
    connectTo("127.0.0.1");
    StopEvent stop;
    socket.setStopEvent(stop.get());
    std::atomic<bool> readable{true};
    std::atomic<bool> returned{false};
    std::thread waiting([&] {
        readable.store(socket.waitReadable(60000));
        returned.store(true);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(returned.load()) << "the wait ended while nothing came";
    Clock::time_point begin = Clock::now();
    stop.set();
    waiting.join();
    EXPECT_FALSE(readable.load());
    // Far below the wait's own limit of a minute.
    EXPECT_LT(secondsSince(begin), 20.0);

    // While the event stays set a wait for nothing ends at once as well.
    begin = Clock::now();
    EXPECT_FALSE(socket.waitReadable(60000));
    EXPECT_LT(secondsSince(begin), 20.0);

    // The connection itself is untouched by the stopped waits.
    stop.reset();
    EXPECT_TRUE(socket.isConnected());
    ASSERT_TRUE(sendAll(peer, "still here"));
    EXPECT_EQ(receiveSome(socket, 10), "still here");
    EXPECT_EQ(socket.send("ok", 2), 2);
    EXPECT_EQ(receiveUntil(peer, "ok", 10000), "ok");
}

TEST_F(ConnectedPair, ASendLargerThanTheSystemBuffersGoesWholeWhileThePeerReadsLate)
{
    // The socket is non-blocking underneath; a send must still hand over every byte, waiting
    // while the peer does not read, as a blocking send does.
    connectTo("127.0.0.1");
    std::string big(8 * 1024 * 1024, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + (i * 7 + i / 4093) % 26);
    std::string got;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        char buffer[65536];
        while (got.size() < big.size()) {
            int n = ::recv(peer, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<size_t>(n));
        }
    });
    EXPECT_EQ(socket.send(big.data(), static_cast<int>(big.size())), static_cast<int>(big.size()));
    reader.join();
    EXPECT_TRUE(got == big) << got.size() << " bytes came, not the " << big.size() << " sent";
}

TEST_F(ConnectedPair, AStopEventEndsASendOrAReceiveThatCannotGoOn)
{
    connectTo("127.0.0.1");
    StopEvent stop;
    socket.setStopEvent(stop.get());

    // The peer reads nothing: the send fills every buffer and waits until the stop.
    std::string big(64 * 1024 * 1024, 'x');
    std::atomic<int> sent{-1};
    std::thread sending([&] { sent.store(socket.send(big.data(), static_cast<int>(big.size()))); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(sent.load(), -1) << "the send ended while the peer read nothing";
    Clock::time_point begin = Clock::now();
    stop.set();
    sending.join();
    EXPECT_EQ(sent.load(), 0);
    EXPECT_LT(secondsSince(begin), 20.0);

    // A receive with nothing coming waits like a blocking one, and the stop ends it too.
    stop.reset();
    std::atomic<int> received{-1};
    std::thread receiving([&] {
        char buffer[16];
        received.store(socket.receive(buffer, sizeof buffer));
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(received.load(), -1) << "the receive ended while nothing came";
    stop.set();
    receiving.join();
    EXPECT_EQ(received.load(), 0);
}

TEST_F(ConnectedPair, ChangingHostOrPortClosesTheConnection)
{
    connectTo("127.0.0.1");
    socket.setHost("127.0.0.1");
    EXPECT_FALSE(socket.isConnected());
    // The peer sees the close.
    EXPECT_EQ(receiveUntil(peer, "never", 10000), "");

    socket.setActive(true);
    ASSERT_TRUE(socket.isConnected());
    SOCKET second = listener.accept(10000);
    ASSERT_NE(second, INVALID_SOCKET);
    socket.setPort(listener.port());
    EXPECT_FALSE(socket.isConnected());
    closesocket(second);
}

TEST(DClientSocket, StartsWithItsDefaultsAndUnconnected)
{
    DClientSocket socket;
    EXPECT_EQ(socket.getHost(), "127.0.0.1");
    EXPECT_EQ(socket.getPort(), 8080);
    EXPECT_FALSE(socket.isConnected());
    EXPECT_FALSE(socket.canRead());
    char buffer[4];
    EXPECT_EQ(socket.receive(buffer, sizeof buffer), 0);
    EXPECT_EQ(socket.send("x", 1), 0);
    // Nothing to wait for: the receive that follows reports 0 at once.
    EXPECT_TRUE(socket.waitReadable(10000));
}

TEST(DClientSocket, ALiveConnectionOutlastsManyOthersOpeningAndClosingOnOtherThreads)
{
    // A check of twenty mailboxes opens and closes twenty connections at once. None of that
    // may close a connection that is still talking: the sockets library must never be
    // ended under it.
    LoopbackListener heldListener;
    LoopbackListener churnListener(64);
    ASSERT_TRUE(heldListener.ok());
    ASSERT_TRUE(churnListener.ok());
    DClientSocket held;
    held.setPort(heldListener.port());
    held.setActive(true);
    ASSERT_TRUE(held.isConnected());
    SOCKET peer = heldListener.accept(10000);
    ASSERT_NE(peer, INVALID_SOCKET);

    std::atomic<bool> churning{true};
    std::thread acceptor([&] {
        while (churning.load()) {
            SOCKET s = churnListener.accept(100);
            if (s != INVALID_SOCKET)
                closesocket(s);
        }
    });
    const int threads = 8;
    const int rounds = 150;
    std::atomic<int> connected{0};
    std::vector<std::thread> churn;
    for (int t = 0; t < threads; ++t) {
        churn.emplace_back([&] {
            for (int i = 0; i < rounds; ++i) {
                DClientSocket socket;
                socket.setPort(churnListener.port());
                socket.setActive(true);
                if (socket.isConnected())
                    connected++;
            }
        });
    }
    // The held connection talks all the while.
    int exchanges = 0;
    bool talking = true;
    while (talking && connected.load() < threads * rounds && exchanges < 100000) {
        talking = sendAll(peer, "ping") && receiveSome(held, 4) == "ping";
        exchanges++;
    }
    for (std::thread& t : churn)
        t.join();
    churning.store(false);
    acceptor.join();
    EXPECT_TRUE(talking) << "after " << exchanges << " exchanges";
    EXPECT_EQ(connected.load(), threads * rounds);
    EXPECT_EQ(held.send("pong", 4), 4);
    char buffer[8] = {};
    EXPECT_EQ(recv(peer, buffer, 4, MSG_WAITALL), 4);
    EXPECT_EQ(std::string(buffer), "pong");
    closesocket(peer);
}

TEST(DClientSocket, AFailedConnectLeavesNothingOpenAndALaterOneWorks)
{
    int closedPort = closedLoopbackPort();
    {
        DClientSocket socket;
        socket.setPort(closedPort);
        socket.setActive(true);
        EXPECT_FALSE(socket.isConnected());
        socket.setActive(true);
        EXPECT_FALSE(socket.isConnected());
    }
    {
        DClientSocket socket;
        socket.setHost("nothing-here.invalid");
        socket.setPort(closedPort);
        socket.setActive(true);
        EXPECT_FALSE(socket.isConnected());
        socket.setHost("localhost");
        socket.setActive(true);
        EXPECT_FALSE(socket.isConnected());
    }
    LoopbackListener listener;
    ASSERT_TRUE(listener.ok());
    DClientSocket socket;
    socket.setPort(listener.port());
    socket.setActive(true);
    EXPECT_TRUE(socket.isConnected());
    SOCKET peer = listener.accept(10000);
    ASSERT_NE(peer, INVALID_SOCKET);
    ASSERT_TRUE(sendAll(peer, "hi"));
    EXPECT_EQ(receiveSome(socket, 2), "hi");
    socket.setActive(false);
    EXPECT_FALSE(socket.isConnected());
    closesocket(peer);
}

TEST(DClientSocket, AHostThatIsNeitherNameNorAddressFailsToConnect)
{
    LoopbackListener listener;
    ASSERT_TRUE(listener.ok());
    DClientSocket socket;
    socket.setPort(listener.port());
    socket.setHost("no such host");
    socket.setActive(true);
    EXPECT_FALSE(socket.isConnected());
    socket.setHost("");
    socket.setActive(true);
    EXPECT_FALSE(socket.isConnected());
    socket.setHost("127.0.0.1");
    socket.setPort(0);
    socket.setActive(true);
    EXPECT_FALSE(socket.isConnected());
}

TEST(DClientSocket, ARaisedStopFlagPreventsTheConnect)
{
    LoopbackListener listener;
    ASSERT_TRUE(listener.ok());
    std::atomic<bool> stop{true};
    DClientSocket socket;
    socket.setStopFlag(&stop);
    socket.setPort(listener.port());
    socket.setHost("localhost");
    socket.setActive(true);
    EXPECT_FALSE(socket.isConnected());
    stop.store(false);
    socket.setActive(true);
    EXPECT_TRUE(socket.isConnected());
}

TEST(DClientSocket, ASetStopEventPreventsTheConnectAndAClearOneLetsItThrough)
{
    LoopbackListener listener;
    ASSERT_TRUE(listener.ok());
    StopEvent stop;
    stop.set();
    DClientSocket socket;
    socket.setStopEvent(stop.get());
    socket.setPort(listener.port());
    socket.setHost("localhost");
    socket.setActive(true);
    EXPECT_FALSE(socket.isConnected());
    socket.setHost("127.0.0.1");
    socket.setActive(true);
    EXPECT_FALSE(socket.isConnected());

    // Not set: the lookup and the connect wait on their own signals and the event together.
    stop.reset();
    socket.setHost("localhost");
    socket.setActive(true);
    ASSERT_TRUE(socket.isConnected());
    SOCKET peer = listener.accept(10000);
    ASSERT_NE(peer, INVALID_SOCKET);
    ASSERT_TRUE(sendAll(peer, "hi"));
    EXPECT_EQ(receiveSome(socket, 2), "hi");
    closesocket(peer);
}

TEST(DClientSocket, AStopEventDuringAConnectThatHangsEndsItAtOnce)
{
    LoopbackListener listener(0);
    ASSERT_TRUE(listener.ok());
    std::vector<SOCKET> fillers = fillListenerQueue(listener);
    ASSERT_FALSE(fillers.empty()) << "could not fill the listener's queue";

    StopEvent stop;
    DClientSocket socket;
    socket.setStopEvent(stop.get());  // no flag: only the event can end the wait
    socket.setPort(listener.port());
    std::atomic<bool> returned{false};
    std::thread connecting([&] {
        socket.setActive(true);
        returned.store(true);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(returned.load()) << "the connect did not hang";
    Clock::time_point begin = Clock::now();
    stop.set();
    connecting.join();
    EXPECT_FALSE(socket.isConnected());
    EXPECT_LT(secondsSince(begin), 20.0);
    closeAll(fillers);
}

TEST(DClientSocket, AStopDuringAConnectThatHangsReturnsPromptly)
{
    // A listener whose queue of unaccepted connections is full lets further connects hang
    // (the system drops their requests and the client keeps retrying for minutes).
    LoopbackListener listener(0);
    ASSERT_TRUE(listener.ok());
    std::vector<SOCKET> fillers = fillListenerQueue(listener);
    ASSERT_FALSE(fillers.empty()) << "could not fill the listener's queue";

    std::atomic<bool> stop{false};
    DClientSocket socket;
    socket.setStopFlag(&stop);
    socket.setPort(listener.port());
    std::atomic<bool> returned{false};
    Clock::time_point begin = Clock::now();
    std::thread connecting([&] {
        socket.setActive(true);
        returned.store(true);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(returned.load()) << "the connect did not hang";
    stop.store(true);
    connecting.join();
    double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    EXPECT_FALSE(socket.isConnected());
    // Without the stop the connect would go on for a minute or more.
    EXPECT_LT(seconds, 20.0);
    closeAll(fillers);
}

// Two listeners on one port: one on another loopback address, one on 127.0.0.1 (the port the
// system chose for the first may be taken on the second; then another pair is tried).
struct ListenerPair {
    std::unique_ptr<LoopbackListener> first;
    std::unique_ptr<LoopbackListener> second;
};

ListenerPair listenersOnOnePort(const char* firstAddress, int firstBacklog)
{
    ListenerPair pair;
    for (int attempt = 0; attempt < 10; ++attempt) {
        pair.first = std::make_unique<LoopbackListener>(firstAddress, 0, firstBacklog);
        if (!pair.first->ok())
            continue;
        pair.second = std::make_unique<LoopbackListener>("127.0.0.1", pair.first->port());
        if (pair.second->ok())
            return pair;
    }
    return {};
}

TEST(DClientSocket, ConnectsToAnIpv6AddressWithoutALookup)
{
    LoopbackListener listener("::1", 0);
    ASSERT_TRUE(listener.ok());
    DClientSocket socket;
    socket.setHost("::1");
    socket.setPort(listener.port());
    socket.setActive(true);
    ASSERT_TRUE(socket.isConnected());
    EXPECT_EQ(socket.connectedFamily(), AF_INET6);
    SOCKET peer = listener.accept(10000);
    ASSERT_NE(peer, INVALID_SOCKET);
    EXPECT_EQ(socket.send("over six", 8), 8);
    EXPECT_EQ(receiveUntil(peer, "six", 10000), "over six");
    ASSERT_TRUE(sendAll(peer, "+OK"));
    EXPECT_EQ(receiveSome(socket, 3), "+OK");
    closesocket(peer);
    socket.setActive(false);
    EXPECT_EQ(socket.connectedFamily(), 0);
}

TEST(DClientSocket, AnAddressThatSwallowsTheConnectGivesWayToTheNext)
{
    ListenerPair pair = listenersOnOnePort("127.0.0.2", 0);
    ASSERT_TRUE(pair.first && pair.second) << "no port free on both addresses";
    std::vector<SOCKET> fillers = fillListenerQueue(*pair.first);
    ASSERT_FALSE(fillers.empty()) << "could not fill the first listener's queue";

    DClientSocket socket;
    socket.setPort(pair.first->port());
    socket.setConnectLimit(1000);
    socket.setAddresses({pair.first->address(), pair.second->address()});
    socket.setActive(true);
    ASSERT_TRUE(socket.isConnected());
    SOCKET peer = pair.second->accept(10000);
    ASSERT_NE(peer, INVALID_SOCKET) << "connected, but not to the second address";
    EXPECT_EQ(socket.send("hi", 2), 2);
    EXPECT_EQ(receiveUntil(peer, "hi", 10000), "hi");
    closesocket(peer);
    closeAll(fillers);
}

TEST(DClientSocket, ARefusingAddressGivesWayToTheNext)
{
    LoopbackListener working;
    ASSERT_TRUE(working.ok());
    // Nothing listens on this port of ::1 (a port of 127.0.0.1 says nothing about it, so
    // it is probed first).
    LoopbackListener probe("::1", working.port());
    if (probe.ok())
        probe.close();
    DClientSocket socket;
    socket.setPort(working.port());
    socket.setAddresses({numericAddress("::1", 0), numericAddress("127.0.0.1", 0)});
    socket.setActive(true);
    ASSERT_TRUE(socket.isConnected());
    EXPECT_EQ(socket.connectedFamily(), AF_INET);
    SOCKET peer = working.accept(10000);
    EXPECT_NE(peer, INVALID_SOCKET);
    closesocket(peer);
}

TEST(DClientSocket, EachAddressHasItsTimeAndTheLastFailureFailsTheConnect)
{
    LoopbackListener swallowing("127.0.0.2", 0, 0);
    ASSERT_TRUE(swallowing.ok());
    std::vector<SOCKET> fillers = fillListenerQueue(swallowing);
    ASSERT_FALSE(fillers.empty()) << "could not fill the listener's queue";
    DClientSocket socket;
    socket.setHost("127.0.0.2");
    socket.setPort(swallowing.port());
    socket.setConnectLimit(500);
    // Without the limit this connect would go on for a minute or more.
    socket.setActive(true);
    EXPECT_FALSE(socket.isConnected());
    // Nothing of the failed connect stays: a later one to a working server succeeds.
    LoopbackListener working;
    socket.setHost("127.0.0.1");
    socket.setPort(working.port());
    socket.setActive(true);
    EXPECT_TRUE(socket.isConnected());
    closeAll(fillers);
}

}  // namespace
