// Helpers for tests that run DWorkingThread: a working thread that records every send call
// it makes (each piece the conversation hands to the channel) and every byte it receives,
// and a bounded wait for a thread's end. Win32 only.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "mail/DWorkingThread.h"

// Passes everything on to the connection and remembers each send as one piece.
class RecordingChannel : public DByteChannel {
public:
    RecordingChannel(DByteChannel& inner, std::mutex& lock, std::vector<std::string>& sends,
                     std::string& received)
        : inner(inner), lock(lock), sends(sends), received(received) {}
    int send(const void* data, int length) override
    {
        {
            std::lock_guard<std::mutex> hold(lock);
            sends.emplace_back(static_cast<const char*>(data), static_cast<size_t>(length));
        }
        return inner.send(data, length);
    }
    int receive(char* buffer, int capacity) override
    {
        int result = inner.receive(buffer, capacity);
        if (result > 0) {
            std::lock_guard<std::mutex> hold(lock);
            received.append(buffer, static_cast<size_t>(result));
        }
        return result;
    }
    bool waitReadable(int milliseconds) override { return inner.waitReadable(milliseconds); }

private:
    DByteChannel& inner;
    std::mutex& lock;
    std::vector<std::string>& sends;
    std::string& received;
};

class RecordingThread : public DWorkingThread {
public:
    RecordingThread(const char* server, int port, const char* user, const char* password)
    {
        setServer(server);
        setPort(port);
        setUserName(user);
        setPassword(password);
    }
    // A test that gives up early must not leave the thread running on a destroyed object.
    ~RecordingThread() override { terminate(); }
    std::vector<std::string> sends()
    {
        std::lock_guard<std::mutex> hold(lock);
        return sent;
    }
    // What the server sent, as received; for failure messages.
    std::string transcript()
    {
        std::lock_guard<std::mutex> hold(lock);
        return got;
    }
    std::string statusText() const { return getStatus().text(); }

protected:
    DByteChannel* openChannel(DByteChannel& connected) override
    {
        return new RecordingChannel(connected, lock, sent, got);
    }

private:
    std::mutex lock;
    std::vector<std::string> sent;
    std::string got;
};

// Polls until the thread has ended; false when it still runs after `milliseconds`.
bool waitForEnd(DThread& thread, int milliseconds);
