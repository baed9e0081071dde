// DPrefixedChannel: a byte channel that first hands out bytes received earlier, then passes
// everything on to the channel beneath. After STLS the greeting has been read already, but
// the POP3 dialogue begins by reading it: this gives it back to the dialogue over the
// secured connection, so the dialogue runs unchanged. Owns its copy of the bytes; the
// channel beneath is not owned and must outlive it. Portable.
#pragma once

#include <string>

#include "mail/DByteChannel.h"

class DPrefixedChannel : public DByteChannel {
public:
    DPrefixedChannel(DByteChannel& inner, const char* bytes, int count);

    int send(const void* data, int length) override { return inner.send(data, length); }
    int receive(char* buffer, int capacity) override;
    bool waitReadable(int milliseconds) override;

private:
    DByteChannel& inner;   // not owned
    std::string prefix;    // the bytes not handed out yet
};
