#include "mail/Pop3StartTls.h"

#include <chrono>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// As much of a reply line as is kept; the rest of a longer line is read and dropped.
const size_t maxKept = 4000;

enum class Read { Line, Lost, Stopped, TimedOut };

// Reads one line ending in LF into `line` (CR and NUL dropped). `rest` receives whatever
// came after the LF in the same chunk. The limit counts from the last bytes that came (or
// the start): a server that keeps sending is not cut off in the middle of a line.
Read readLine(DByteChannel& channel, const std::atomic<bool>& stop, int waitSliceMs,
              int limitMs, std::string* line, std::string* rest)
{
    Clock::time_point begin = Clock::now();
    char buffer[4096];
    while (true) {
        if (stop.load())
            return Read::Stopped;
        int slice = waitSliceMs;
        {
            long long spent = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  Clock::now() - begin).count();
            if (spent >= limitMs)
                return Read::TimedOut;
            if (limitMs - spent < slice)
                slice = static_cast<int>(limitMs - spent);
        }
        if (!channel.waitReadable(slice))
            continue;
        if (stop.load())
            return Read::Stopped;
        int received = channel.receive(buffer, sizeof buffer);
        if (received <= 0)
            return Read::Lost;
        begin = Clock::now();
        for (int i = 0; i < received; ++i) {
            char c = buffer[i];
            if (c == '\n') {
                rest->assign(buffer + i + 1, static_cast<size_t>(received - i - 1));
                return Read::Line;
            }
            if (c != '\r' && c != '\0' && line->size() < maxKept)
                line->push_back(c);
        }
    }
}

bool positive(const std::string& line)
{
    return line.size() >= 3 && line[0] == '+' && (line[1] == 'O' || line[1] == 'o')
           && (line[2] == 'K' || line[2] == 'k');
}

bool sendPiece(DByteChannel& channel, const char* piece)
{
    int length = static_cast<int>(std::strlen(piece));
    return channel.send(piece, length) == length;
}

StartTlsResult ended(StartTlsResult::Outcome outcome, const char* error)
{
    StartTlsResult result;
    result.outcome = outcome;
    result.error = error;
    return result;
}

}  // namespace

StartTlsResult negotiateStartTls(DByteChannel& channel, const std::atomic<bool>& stop,
                                 int waitSliceMs, int replyLimitMs, int greetingLimitMs)
{
    std::string greeting;
    std::string rest;
    switch (readLine(channel, stop, waitSliceMs, greetingLimitMs, &greeting, &rest)) {
    case Read::Line:
        break;
    case Read::Stopped:
        return ended(StartTlsResult::Stopped, "");
    case Read::TimedOut:
        return ended(StartTlsResult::Failed, "Server not responding!");
    default:
        return ended(StartTlsResult::Failed, "Connection lost!");
    }
    if (!positive(greeting))
        return ended(StartTlsResult::Failed, "Internal server error!");
    // Nothing may follow the greeting before the client speaks; what did is dropped.
    if (!sendPiece(channel, "STLS") || !sendPiece(channel, "\r\n"))
        return ended(StartTlsResult::Failed, "Comms error!");

    std::string reply;
    switch (readLine(channel, stop, waitSliceMs, replyLimitMs, &reply, &rest)) {
    case Read::Line:
        break;
    case Read::Stopped:
        return ended(StartTlsResult::Stopped, "");
    default:
        // Closed or silent: either way the server will not secure this connection.
        return ended(StartTlsResult::Failed, "STLS refused by server!");
    }
    if (!positive(reply))
        return ended(StartTlsResult::Failed, "STLS refused by server!");
    if (!rest.empty() || channel.waitReadable(0))
        return ended(StartTlsResult::Failed, "TLS handshake failed!");
    StartTlsResult result;
    result.outcome = StartTlsResult::Ready;
    result.greeting = DString(greeting.c_str());
    return result;
}
