#include "foundation/DFileStreamReader.h"

#include <climits>
#include <cstring>

namespace {

// File positions are measured in 64 bits, so a file of 2 GiB or more is seen at its true
// size (Windows' long is 32 bits wide and its ftell cannot report such a size).
bool seekTo(std::FILE* f, long long position, int origin)
{
#ifdef _WIN32
    return _fseeki64(f, position, origin) == 0;
#else
    return std::fseek(f, static_cast<long>(position), origin) == 0;
#endif
}

long long tellOf(std::FILE* f)
{
#ifdef _WIN32
    return _ftelli64(f);
#else
    return std::ftell(f);
#endif
}

}  // namespace

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
    long long end = -1;
    if (seekTo(f, 0, SEEK_END))
        end = tellOf(f);
    if (end < 0 || end > INT_MAX || !seekTo(f, 0, SEEK_SET)) {
        std::fclose(f);
        failedFlag = true;
        return false;
    }
    file = f;
    fileSize = static_cast<int>(end);
    return true;
}

bool DFileStreamReader::seekFile(int position)
{
    // Every read seeks before it touches the file, so a failed seek may leave the file
    // anywhere: the logical position stays where it was.
    if (!seekTo(file, position, SEEK_SET))
        return false;
    long long at = tellOf(file);
    if (at < 0 || at > INT_MAX)
        return false;
    windowStart = static_cast<int>(at);
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
    // A file that grew after it was opened is still read no further than a signed 32-bit
    // position can count.
    int room = INT_MAX - position();
    if (count > room)
        count = room;
    if (count == 0) {
        failedFlag = true;
        return 0;
    }
    char* out = static_cast<char*>(buffer);
    if (count > windowLimit) {
        if (!seekFile(position())) {
            failedFlag = true;
            return 0;
        }
        size_t got = std::fread(out, 1, static_cast<size_t>(count), file);
        if (got == 0) {
            failedFlag = true;
            return 0;
        }
        windowStart += static_cast<int>(got);
        return static_cast<int>(got);
    }
    if (static_cast<unsigned>(count) <= windowFill - windowPos) {
        std::memcpy(out, window + windowPos, static_cast<size_t>(count));
        windowPos += static_cast<unsigned>(count);
        return count;
    }
    // Refill from the logical position; the unread rest of the old window is read again.
    if (!seekFile(position())) {
        failedFlag = true;
        return 0;
    }
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
