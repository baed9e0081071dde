#include "foundation/DFileStreamReader.h"

#include <climits>
#include <cstring>

DFileStreamReader::DFileStreamReader() : window(new char[windowCapacity]())
{
}

DFileStreamReader::~DFileStreamReader()
{
    if (file)
        std::fclose(file);
    delete[] window;
}

bool DFileStreamReader::open(const DString& path)
{
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    windowPos = windowFill = 0;
    windowStart = fileSize = 0;
    failedFlag = false;
    std::FILE* f = std::fopen(path.text(), "rb");
    if (!f) {
        failedFlag = true;
        return false;
    }
    // A size that a signed 32-bit position cannot address (or that the C library cannot
    // report, as with 32-bit long on Windows) is refused rather than wrapped.
    long end = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        end = std::ftell(f);
    if (end < 0 || end > INT_MAX || std::fseek(f, 0, SEEK_SET) != 0) {
        std::fclose(f);
        failedFlag = true;
        return false;
    }
    file = f;
    fileSize = static_cast<int>(end);
    return true;
}

bool DFileStreamReader::seekFile(long position)
{
    if (std::fseek(file, position, SEEK_SET) != 0)
        return false;
    long at = std::ftell(file);
    windowStart = at < 0 ? 0 : (at > INT_MAX ? INT_MAX : static_cast<int>(at));
    windowPos = windowFill = 0;
    return true;
}

bool DFileStreamReader::seek(int position)
{
    if (!file || position < 0 || !seekFile(position)) {
        failedFlag = true;
        return false;
    }
    failedFlag = false;
    return true;
}

int DFileStreamReader::read(void* buffer, int count)
{
    if (!file) {
        failedFlag = true;
        return 0;
    }
    failedFlag = false;
    if (count <= 0 || !buffer)
        return 0;
    char* out = static_cast<char*>(buffer);
    if (count > windowLimit) {
        seekFile(position());
        size_t got = std::fread(out, 1, static_cast<size_t>(count), file);
        if (got == 0) {
            failedFlag = true;
            return 0;
        }
        long at = std::ftell(file);
        windowStart = at < 0 ? windowStart + static_cast<int>(got) : static_cast<int>(at);
        return static_cast<int>(got);
    }
    if (static_cast<unsigned>(count) <= windowFill - windowPos) {
        std::memcpy(out, window + windowPos, static_cast<size_t>(count));
        windowPos += static_cast<unsigned>(count);
        return count;
    }
    // Refill from the logical position; the unread rest of the old window is read again.
    seekFile(position());
    windowFill = static_cast<unsigned>(std::fread(window, 1, windowLimit, file));
    if (windowFill == 0) {
        failedFlag = true;
        return 0;
    }
    unsigned give = static_cast<unsigned>(count) < windowFill ? static_cast<unsigned>(count) : windowFill;
    std::memcpy(out, window, give);
    windowPos = give;
    return static_cast<int>(give);
}
