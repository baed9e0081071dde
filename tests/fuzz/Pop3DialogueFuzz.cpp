// The POP3 dialogue against any server: the input gives the user name, the password, which
// send (if any) fails, and the server's bytes cut into chunks at arbitrary points. Whatever
// arrives, the conversation ends, sends only whole lines of the commands in order, and a
// counted mailbox has a count.
#include <fuzzer/FuzzedDataProvider.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "mail/Pop3Conversation.h"
#include "mail/Pop3Dialogue.h"

namespace {

class FuzzChannel : public DByteChannel {
public:
    int send(const void* data, int length) override
    {
        sends.emplace_back(static_cast<const char*>(data), static_cast<size_t>(length));
        if (static_cast<int>(sends.size()) - 1 == failingSend)
            return length > 1 ? length / 2 : 0;
        return length;
    }
    int receive(char* buffer, int capacity) override
    {
        FUZZ_CHECK(capacity > 0);
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
    bool waitReadable(int) override
    {
        // A silent server: the wait runs out a few times, then the check is stopped.
        if (silences > 0) {
            --silences;
            return false;
        }
        return true;
    }

    std::deque<std::string> chunks;
    std::vector<std::string> sends;
    int failingSend = -1;
    int silences = 0;
};

// A name as the settings hold it: no NUL (a DString ends there).
std::string textWithoutNul(FuzzedDataProvider& in, size_t most)
{
    std::string text = in.ConsumeRandomLengthString(most);
    for (char& c : text)
        if (c == '\0')
            c = ' ';
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    std::string user = textWithoutNul(in, 4100);
    std::string password = textWithoutNul(in, 64);
    FuzzChannel channel;
    channel.failingSend = in.ConsumeIntegralInRange<int>(-1, 9);
    channel.silences = in.ConsumeIntegralInRange<int>(0, 3);
    while (in.remaining_bytes() > 0) {
        size_t cut = in.ConsumeIntegralInRange<size_t>(1, 5000);
        channel.chunks.push_back(in.ConsumeBytesAsString(cut));
    }

    Pop3Dialogue dialogue(DString(user.c_str()), DString(password.c_str()));
    std::atomic<bool> stop(false);
    bool ended = runPop3Conversation(dialogue, channel, stop, 0);
    FUZZ_CHECK(ended);
    FUZZ_CHECK(dialogue.isFinished());
    FUZZ_CHECK(!dialogue.hasPendingSend());
    FUZZ_CHECK(dialogue.status().length() > 0);
    FUZZ_CHECK(dialogue.mailCount() >= -1);

    // The sends: command text and CR LF in turn, the commands in their order, each a line of
    // its own below the command length limit.
    const std::string expected[] = {"USER " + user, "PASS " + password, "STAT", "QUIT"};
    for (size_t i = 0; i < channel.sends.size(); ++i) {
        const std::string& piece = channel.sends[i];
        if (i % 2 == 1) {
            FUZZ_CHECK(piece == "\r\n");
            continue;
        }
        FUZZ_CHECK(i / 2 < 4);
        FUZZ_CHECK(piece == expected[i / 2]);
        FUZZ_CHECK(piece.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(static_cast<int>(piece.size()) < Pop3Dialogue::maxCommandLength);
        // Nothing is sent after a failed send.
        if (static_cast<int>(i) == channel.failingSend)
            FUZZ_CHECK(i + 1 == channel.sends.size());
    }
    bool statSent = channel.sends.size() >= 5;
    if (dialogue.mailCount() >= 0)
        FUZZ_CHECK(statSent);
    if (dialogue.status() == "OK")
        FUZZ_CHECK(dialogue.mailCount() >= 0);
    return 0;
}
