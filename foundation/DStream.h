// DStream: a byte stream with a failure flag. Positions and sizes are signed 32-bit byte
// offsets from the start. The base class answers every operation with "nothing done";
// DFileStreamReader and DFileStreamWriter are the file-backed streams. Streams move raw
// bytes only: record layouts belong to their callers.
#pragma once

#include "foundation/DObject.h"

class DStream : public DObject {
public:
    virtual int size() const { return 0; }
    virtual bool seek(int position) { (void)position; return false; }
    // Reads up to `count` bytes into `buffer`; returns how many were read.
    virtual int read(void* buffer, int count) { (void)buffer; (void)count; return 0; }
    // Writes `count` bytes from `buffer`; returns how many were written.
    virtual int write(const void* buffer, int count) { (void)buffer; (void)count; return 0; }
    virtual int position() const { return 0; }
    // Set after an operation without an open file, a read at the end, a short write.
    virtual bool failed() const { return false; }

    // Copies this whole stream, from its start, into `destination`.
    bool copyTo(DStream& destination);
};
