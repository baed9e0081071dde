// DFileStreamWriter: writes a new file (created or truncated) through the C library's
// buffered file. position() and size() both report the bytes written so far. Owns its FILE
// handle; the file is closed when the writer is destroyed, or earlier by close(), which
// also reports whether the buffered bytes reached the disk.
#pragma once

#include <cstdio>

#include "foundation/DStream.h"
#include "foundation/DString.h"

class DFileStreamWriter : public DStream {
public:
    DFileStreamWriter() = default;
    ~DFileStreamWriter() override;
    DFileStreamWriter(const DFileStreamWriter&) = delete;
    DFileStreamWriter& operator=(const DFileStreamWriter&) = delete;

    bool open(const DString& path);
    // Flushes and closes the file; false when any write or the flush failed. Callers that
    // must know the file is complete (the settings save) call it before trusting the file.
    bool close();

    int size() const override { return writtenSize; }
    int write(const void* buffer, int count) override;
    int position() const override { return written; }
    bool failed() const override { return failedFlag; }

private:
    std::FILE* file = nullptr;  // owned
    int written = 0;
    int writtenSize = 0;
    bool failedFlag = false;
    bool anyFailure = false;  // some write since open fell short
};
