// MemoryStream: an in-memory DStream for tests of stream formats. It can be told to accept
// only a number of bytes, to imitate a full disk.
#pragma once

#include <cstring>
#include <vector>

#include "foundation/DStream.h"

class MemoryStream : public DStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<unsigned char> content) : bytes(std::move(content)) {}

    int size() const override { return static_cast<int>(bytes.size()); }
    bool seek(int position) override
    {
        if (position < 0 || position > size())
            return failedFlag = true, false;
        at = position;
        failedFlag = false;
        return true;
    }
    int read(void* buffer, int count) override
    {
        failedFlag = false;
        int n = count < size() - at ? count : size() - at;
        if (n <= 0)
            return failedFlag = true, 0;
        std::memcpy(buffer, bytes.data() + at, static_cast<size_t>(n));
        at += n;
        return n;
    }
    int write(const void* buffer, int count) override
    {
        failedFlag = false;
        int n = count;
        if (limit >= 0 && static_cast<int>(bytes.size()) + n > limit)
            n = limit - static_cast<int>(bytes.size());
        if (n < count)
            failedFlag = true;
        if (n <= 0)
            return 0;
        const unsigned char* in = static_cast<const unsigned char*>(buffer);
        bytes.insert(bytes.end(), in, in + n);
        at = size();
        return n;
    }
    int position() const override { return at; }
    bool failed() const override { return failedFlag; }

    std::vector<unsigned char> bytes;
    int limit = -1;  // bytes accepted in all; -1 for no limit

private:
    int at = 0;
    bool failedFlag = false;
};
