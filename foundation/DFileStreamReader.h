// DFileStreamReader: reads a whole file through a 65534-byte window, of which at most 65533
// bytes are filled at a time, so the settings file's many 1- and 4-byte reads touch the file
// once per window. The logical read position is windowStart + windowPos. Requests larger
// than the window bypass it. Files larger than a signed 32-bit size fail to open. Owns its
// FILE handle and closes it on destruction.
#pragma once

#include <cstdio>

#include "foundation/DStream.h"
#include "foundation/DString.h"

class DFileStreamReader : public DStream {
public:
    static const int windowCapacity = 65534;
    static const int windowLimit = 65533;

    DFileStreamReader();
    ~DFileStreamReader() override;
    DFileStreamReader(const DFileStreamReader&) = delete;
    DFileStreamReader& operator=(const DFileStreamReader&) = delete;

    bool open(const DString& path);

    int size() const override { return fileSize; }
    bool seek(int position) override;
    int read(void* buffer, int count) override;
    int position() const override { return windowStart + static_cast<int>(windowPos); }
    bool failed() const override { return failedFlag; }

private:
    // Moves the file to `position` and empties the window there; false when it cannot.
    bool seekFile(int position);

    std::FILE* file = nullptr;  // owned
    char* window;               // owned, windowCapacity bytes
    unsigned windowPos = 0;
    unsigned windowFill = 0;
    int windowStart = 0;
    int fileSize = 0;
    bool failedFlag = false;
};
