#include "mail/Pop3Conversation.h"

#include <chrono>

namespace {

// Replies are short; a chunk of this size takes a whole reply in one receive.
const int chunkSize = 4096;

void makePendingSends(Pop3Dialogue& dialogue, DByteChannel& channel)
{
    while (dialogue.hasPendingSend()) {
        DString piece = dialogue.pendingSend();
        dialogue.sendDone(channel.send(piece.text(), piece.length()));
    }
}

}  // namespace

bool runPop3Conversation(Pop3Dialogue& dialogue, DByteChannel& channel,
                         const std::atomic<bool>& stop, int waitSliceMs, int silenceLimitMs)
{
    using Clock = std::chrono::steady_clock;
    char buffer[chunkSize];
    Clock::time_point lastHeard = Clock::now();
    while (!dialogue.isFinished()) {
        if (stop.load())
            return false;
        long long silent = std::chrono::duration_cast<std::chrono::milliseconds>(
                               Clock::now() - lastHeard).count();
        if (silent >= silenceLimitMs) {
            dialogue.serverSilent();
            break;
        }
        int slice = waitSliceMs;
        if (silenceLimitMs - silent < slice)
            slice = static_cast<int>(silenceLimitMs - silent);
        if (!channel.waitReadable(slice))
            continue;
        if (stop.load())
            return false;
        int received = channel.receive(buffer, chunkSize);
        if (received <= 0) {
            dialogue.connectionLost();
            break;
        }
        lastHeard = Clock::now();
        // A chunk may end one reply and begin the next: each line is answered before the
        // bytes after it are looked at.
        int offset = 0;
        while (offset < received && !dialogue.isFinished()) {
            offset += dialogue.feed(buffer + offset, received - offset);
            makePendingSends(dialogue, channel);
        }
    }
    return true;
}
