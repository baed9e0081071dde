// Real checks against the Dovecot that the ctest fixture starts on 127.0.0.1; its port
// comes in PELLARO_POP3_PORT, its log file in PELLARO_DOVECOT_LOG. Users (password
// "secret"): empty, one, three, many.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "WorkingThreadSupport.h"

namespace {

const int endWithinMs = 60000;

int dovecotPort()
{
    const char* value = std::getenv("PELLARO_POP3_PORT");
    return value != nullptr ? std::atoi(value) : 0;
}

class DovecotCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = dovecotPort();
        ASSERT_GT(port, 0) << "PELLARO_POP3_PORT is not set: run through ctest, which starts Dovecot";
    }

    // When a check went wrong, the server's own account of it is the quickest way to the
    // cause, so the end of Dovecot's log goes into the test output.
    void TearDown() override
    {
        const char* path = std::getenv("PELLARO_DOVECOT_LOG");
        if (!HasFailure() || path == nullptr)
            return;
        std::FILE* file = std::fopen(path, "rb");
        if (file == nullptr) {
            std::printf("(cannot open the Dovecot log %s)\n", path);
            return;
        }
        std::string log;
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            log.append(buffer, got);
        std::fclose(file);
        const size_t shown = 6000;
        std::printf("--- end of the Dovecot log ---\n%s\n---\n",
                    log.size() > shown ? log.substr(log.size() - shown).c_str() : log.c_str());
    }

    std::unique_ptr<RecordingThread> startCheck(const char* server, const char* user,
                                                const char* password)
    {
        auto thread = std::make_unique<RecordingThread>(server, port, user, password);
        EXPECT_TRUE(thread->start());
        return thread;
    }

    int port = 0;
};

TEST_F(DovecotCheck, CountsTheMessagesOfMailboxesCheckedAtOnce)
{
    struct Box {
        const char* user;
        int count;
    };
    const Box boxes[] = {{"empty", 0}, {"one", 1}, {"three", 3}, {"many", 250}};
    std::vector<std::unique_ptr<RecordingThread>> threads;
    for (const Box& box : boxes)
        threads.push_back(startCheck("127.0.0.1", box.user, "secret"));
    for (size_t i = 0; i < threads.size(); ++i) {
        ASSERT_TRUE(waitForEnd(*threads[i], endWithinMs));
        EXPECT_EQ(threads[i]->statusText(), "OK")
            << boxes[i].user << ", the server sent:\n" << threads[i]->transcript();
        EXPECT_EQ(threads[i]->getMailCount(), boxes[i].count) << boxes[i].user;
        std::vector<std::string> expected = {"USER " + std::string(boxes[i].user), "\r\n",
                                             "PASS secret", "\r\n", "STAT", "\r\n", "QUIT", "\r\n"};
        EXPECT_EQ(threads[i]->sends(), expected);
    }
}

TEST_F(DovecotCheck, FindsTheServerByName)
{
    auto thread = startCheck("localhost", "three", "secret");
    ASSERT_TRUE(waitForEnd(*thread, endWithinMs));
    EXPECT_EQ(thread->statusText(), "OK") << "the server sent:\n" << thread->transcript();
    EXPECT_EQ(thread->getMailCount(), 3);
}

TEST_F(DovecotCheck, AWrongPasswordOrUserFailsTheLogin)
{
    auto wrongPassword = startCheck("127.0.0.1", "one", "wrong");
    auto unknownUser = startCheck("127.0.0.1", "nobody", "secret");
    ASSERT_TRUE(waitForEnd(*wrongPassword, endWithinMs));
    ASSERT_TRUE(waitForEnd(*unknownUser, endWithinMs));
    EXPECT_EQ(wrongPassword->statusText(), "Login failed!") << wrongPassword->transcript();
    EXPECT_EQ(wrongPassword->getMailCount(), -1);
    EXPECT_EQ(unknownUser->statusText(), "Login failed!") << unknownUser->transcript();
    EXPECT_EQ(unknownUser->getMailCount(), -1);
}

TEST_F(DovecotCheck, CannotConnectToAClosedPortOrAnUnknownName)
{
    RecordingThread closed("127.0.0.1", closedLoopbackPort(), "one", "secret");
    RecordingThread unknown("pop3.pellaro-test.invalid", port, "one", "secret");
    ASSERT_TRUE(closed.start());
    ASSERT_TRUE(unknown.start());
    ASSERT_TRUE(waitForEnd(closed, endWithinMs));
    ASSERT_TRUE(waitForEnd(unknown, endWithinMs));
    EXPECT_EQ(closed.statusText(), "Cannot connect to server!");
    EXPECT_EQ(unknown.statusText(), "Cannot connect to server!");
    EXPECT_EQ(unknown.getMailCount(), -1);
}

}  // namespace
