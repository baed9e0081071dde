// DByteChannel: the byte transport a mail conversation talks through. It knows nothing of
// lines or of POP3: it moves raw bytes and can wait, for a bounded time, until bytes (or the
// end of the stream) are there to be received. DClientSocket is the plain TCP channel; a
// secure channel can wrap it later without the conversation changing. Portable: no platform
// headers, so portable code and its tests can supply their own channels.
#pragma once

#include "foundation/DObject.h"

class DByteChannel : public DObject {
public:
    // One send attempt of `length` bytes: the number of bytes taken, 0 on any failure.
    virtual int send(const void* data, int length) = 0;
    // One receive of at most `capacity` bytes: the number received, 0 when the peer has
    // closed, on an error, or when there is no connection.
    virtual int receive(char* buffer, int capacity) = 0;
    // Waits at most `milliseconds` until a receive would not block. True when bytes are
    // waiting, when the stream has ended or failed, or when there is no connection (the
    // receive that follows then gives 0); false when the time ran out.
    virtual bool waitReadable(int milliseconds) = 0;
};
