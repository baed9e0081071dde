// Secured and IPv6 checks against the Dovecot that the ctest fixture starts (see
// tests/mail/dovecot/dovecot-secure.conf.in): STLS on PELLARO_POP3_PORT, POP3S on
// PELLARO_POP3S_PORT, certificates by a test authority of this run (PELLARO_TEST_AUTHORITY,
// DER), which only this test program trusts (see test-namespace.sh).
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <wincrypt.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "WorkingThreadSupport.h"

namespace {

const int endWithinMs = 60000;

int portFrom(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr ? std::atoi(value) : 0;
}

std::string readFile(const char* path)
{
    std::string bytes;
    std::FILE* file = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr)
        return bytes;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

// The test authority must be trusted by this program and by nothing else; the test run
// arranges it (test-namespace.sh). Checked once, so that a program run by other means
// says so instead of failing every case with "Untrusted certificate!".
class TestAuthorityTrusted : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string der = readFile(std::getenv("PELLARO_TEST_AUTHORITY"));
        ASSERT_FALSE(der.empty()) << "PELLARO_TEST_AUTHORITY names no certificate: run through ctest";
        PCCERT_CONTEXT authority = CertCreateCertificateContext(
            X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
            static_cast<DWORD>(der.size()));
        ASSERT_NE(authority, nullptr);
        CERT_CHAIN_PARA request;
        std::memset(&request, 0, sizeof request);
        request.cbSize = sizeof request;
        PCCERT_CHAIN_CONTEXT chain = nullptr;
        bool built = CertGetCertificateChain(nullptr, authority, nullptr, nullptr, &request, 0,
                                             nullptr, &chain) != FALSE;
        DWORD errors = built ? chain->TrustStatus.dwErrorStatus : ~0u;
        if (chain != nullptr)
            CertFreeCertificateChain(chain);
        CertFreeCertificateContext(authority);
        ASSERT_EQ(errors, static_cast<DWORD>(CERT_TRUST_NO_ERROR))
            << "the test authority is not trusted: run through ctest (test-namespace.sh)";
    }
};

const ::testing::Environment* const trust =
    ::testing::AddGlobalTestEnvironment(new TestAuthorityTrusted);

class DovecotSecure : public ::testing::Test {
protected:
    void SetUp() override
    {
        plainPort = portFrom("PELLARO_POP3_PORT");
        tlsPort = portFrom("PELLARO_POP3S_PORT");
        ASSERT_GT(plainPort, 0) << "PELLARO_POP3_PORT is not set: run through ctest";
        ASSERT_GT(tlsPort, 0) << "PELLARO_POP3S_PORT is not set: run through ctest";
    }

    void TearDown() override
    {
        if (!HasFailure())
            return;
        std::string log = dovecotLog();
        const size_t shown = 6000;
        std::printf("--- end of the Dovecot log ---\n%s\n---\n",
                    log.size() > shown ? log.substr(log.size() - shown).c_str() : log.c_str());
    }

    static std::string dovecotLog() { return readFile(std::getenv("PELLARO_DOVECOT_LOG")); }

    std::string plain(const std::string& host) { return host + ":" + std::to_string(plainPort); }
    std::string stls(const std::string& host)
    {
        return "pop3+stls://" + host + ":" + std::to_string(plainPort);
    }
    std::string pop3s(const std::string& host)
    {
        return "pop3s://" + host + ":" + std::to_string(tlsPort);
    }

    std::unique_ptr<RecordingThread> runCheck(const std::string& server, const char* user)
    {
        auto thread = std::make_unique<RecordingThread>(server.c_str(), 0, user, "secret");
        EXPECT_TRUE(thread->start());
        EXPECT_TRUE(waitForEnd(*thread, endWithinMs)) << server;
        return thread;
    }

    // Waits, bounded, for the line Dovecot writes when a connection to `localAddress` on
    // `port` ends; true when it says that the client never tried to log in.
    bool loggedWithoutLogin(const std::string& localAddress, size_t logBefore)
    {
        std::string mark = "lip=" + localAddress + ",";
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 20000) {
            std::string log = dovecotLog();
            size_t from = logBefore <= log.size() ? logBefore : 0;
            size_t at = log.find(mark, from);
            if (at != std::string::npos) {
                size_t lineStart = log.rfind('\n', at);
                lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
                std::string line = log.substr(lineStart, log.find('\n', at) - lineStart);
                return line.find("Disconnected") != std::string::npos
                       && line.find("no auth attempts") != std::string::npos
                       && line.find("user=<>") != std::string::npos;
            }
            Sleep(50);
        }
        return false;
    }

    int plainPort = 0;
    int tlsPort = 0;
};

const std::vector<std::string> loginOf(const char* user)
{
    return {std::string("USER ") + user, "\r\n", "PASS secret", "\r\n", "STAT", "\r\n",
            "QUIT", "\r\n"};
}

TEST_F(DovecotSecure, CountsOverTlsFromTheFirstByte)
{
    auto three = runCheck(pop3s("localhost"), "three");
    EXPECT_EQ(three->statusText(), "OK") << three->transcript();
    EXPECT_EQ(three->getMailCount(), 3);
    EXPECT_EQ(three->sends(), loginOf("three"));
    // Dovecot says "+OK" after TLS like before it: the dialogue read it through the channel.
    EXPECT_EQ(three->transcript().compare(0, 3, "+OK"), 0);

    auto many = runCheck(pop3s("localhost"), "many");
    EXPECT_EQ(many->statusText(), "OK") << many->transcript();
    EXPECT_EQ(many->getMailCount(), 250);
}

TEST_F(DovecotSecure, CountsAfterStls)
{
    auto one = runCheck(stls("localhost"), "one");
    EXPECT_EQ(one->statusText(), "OK") << one->transcript();
    EXPECT_EQ(one->getMailCount(), 1);
    EXPECT_EQ(one->sends(), loginOf("one"));

    auto empty = runCheck(stls("localhost"), "empty");
    EXPECT_EQ(empty->statusText(), "OK") << empty->transcript();
    EXPECT_EQ(empty->getMailCount(), 0);
}

TEST_F(DovecotSecure, AWrongPasswordOverTlsFailsTheLogin)
{
    auto thread = std::make_unique<RecordingThread>(pop3s("localhost").c_str(), 0, "one", "wrong");
    ASSERT_TRUE(thread->start());
    ASSERT_TRUE(waitForEnd(*thread, endWithinMs));
    EXPECT_EQ(thread->statusText(), "Login failed!");
    EXPECT_EQ(thread->getMailCount(), -1);
}

TEST_F(DovecotSecure, ChecksOverIpv6)
{
    auto plainCheck = runCheck(plain("[::1]"), "three");
    EXPECT_EQ(plainCheck->statusText(), "OK") << plainCheck->transcript();
    EXPECT_EQ(plainCheck->getMailCount(), 3);

    // The certificate names ::1 and 127.0.0.1 as addresses, not as DNS names.
    auto secured = runCheck(pop3s("[::1]"), "three");
    EXPECT_EQ(secured->statusText(), "OK") << secured->transcript();
    EXPECT_EQ(secured->getMailCount(), 3);
    auto byAddress = runCheck(stls("127.0.0.1"), "one");
    EXPECT_EQ(byAddress->statusText(), "OK") << byAddress->transcript();
    EXPECT_EQ(byAddress->getMailCount(), 1);

    auto bare = std::make_unique<RecordingThread>("::1", plainPort, "one", "secret");
    ASSERT_TRUE(bare->start());
    ASSERT_TRUE(waitForEnd(*bare, endWithinMs));
    EXPECT_EQ(bare->statusText(), "OK");
    EXPECT_EQ(bare->getMailCount(), 1);
}

struct BadCertificate {
    const char* address;
    const char* status;
};

const BadCertificate badCertificates[] = {
    {"127.0.0.2", "Certificate name mismatch!"},
    {"127.0.0.3", "Certificate expired!"},
    {"127.0.0.4", "Untrusted certificate!"},
};

TEST_F(DovecotSecure, ABadCertificateEndsTheCheckBeforeTheLogin)
{
    for (const BadCertificate& bad : badCertificates) {
        for (bool implicit : {true, false}) {
            size_t logBefore = dovecotLog().size();
            std::string server = implicit ? pop3s(bad.address) : stls(bad.address);
            auto thread = runCheck(server, "one");
            EXPECT_EQ(thread->statusText(), bad.status) << server;
            EXPECT_EQ(thread->getMailCount(), -1);
            EXPECT_TRUE(thread->sends().empty()) << server;
            EXPECT_TRUE(loggedWithoutLogin(bad.address, logBefore))
                << server << ": Dovecot's log does not show a connection that never logged in";
        }
    }
}

TEST_F(DovecotSecure, ARefusedStlsEndsTheCheckBeforeTheLogin)
{
    size_t logBefore = dovecotLog().size();
    auto thread = runCheck(stls("127.0.0.5"), "one");
    EXPECT_EQ(thread->statusText(), "STLS refused by server!");
    EXPECT_EQ(thread->getMailCount(), -1);
    EXPECT_TRUE(thread->sends().empty());
    EXPECT_TRUE(loggedWithoutLogin("127.0.0.5", logBefore));
}

TEST_F(DovecotSecure, APlainCheckOfTheSameServerStaysPlain)
{
    auto thread = runCheck(plain("127.0.0.1"), "three");
    EXPECT_EQ(thread->statusText(), "OK");
    EXPECT_EQ(thread->getMailCount(), 3);
    EXPECT_EQ(thread->sends(), loginOf("three"));
    // The greeting offers STLS, but a plain mailbox never asks for it.
    EXPECT_EQ(thread->transcript().find("STLS"), std::string::npos);
}

// A name with two addresses (the test namespace's hosts file gives pellaro-dual.test ::1
// first, then 127.0.0.1) whose first address swallows the connect: the check still gets
// through, on the second, once the first address's time is up.
TEST(NameWithTwoAddresses, TheSecondAddressServesWhenTheFirstSwallowsTheConnect)
{
    WinsockSession session;
    addrinfo hints;
    std::memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    ASSERT_EQ(getaddrinfo("pellaro-dual.test", nullptr, &hints, &list), 0)
        << "pellaro-dual.test is unknown: run through ctest (test-namespace.sh)";
    ASSERT_TRUE(list != nullptr && list->ai_next != nullptr) << "the name has one address only";
    int firstFamily = list->ai_family;
    int secondFamily = list->ai_next->ai_family;
    freeaddrinfo(list);
    ASSERT_EQ(firstFamily, AF_INET6) << "the resolver does not give ::1 first";
    ASSERT_EQ(secondFamily, AF_INET);

    std::unique_ptr<LoopbackListener> swallowing;
    std::unique_ptr<ScriptedServer> server;
    const std::vector<ScriptStep> script = {
        say("+OK ready\r\n"), awaitLine(), say("+OK\r\n"), awaitLine(), say("+OK\r\n"),
        awaitLine(), say("+OK 2 200\r\n"), awaitLine(), say("+OK bye\r\n")};
    for (int attempt = 0; attempt < 10 && !(server && server->ok()); ++attempt) {
        swallowing = std::make_unique<LoopbackListener>("::1", 0, 0);
        if (swallowing->ok())
            server = std::make_unique<ScriptedServer>("127.0.0.1", script, swallowing->port());
    }
    ASSERT_TRUE(server && server->ok()) << "no port free on both addresses";
    std::vector<SOCKET> fillers = fillListenerQueue(*swallowing);
    ASSERT_FALSE(fillers.empty()) << "could not fill the first address's queue";

    std::string text = "pellaro-dual.test:" + std::to_string(server->port());
    RecordingThread thread(text.c_str(), 0, "bob", "secret");
    thread.setConnectLimit(1500);
    ASSERT_TRUE(thread.start());
    ASSERT_TRUE(waitForEnd(thread, endWithinMs));
    EXPECT_EQ(thread.statusText(), "OK") << thread.transcript();
    EXPECT_EQ(thread.getMailCount(), 2);
    server->join();
    EXPECT_EQ(server->received(), "USER bob\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");
    closeAll(fillers);
}

}  // namespace
