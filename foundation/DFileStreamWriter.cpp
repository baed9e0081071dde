#include "foundation/DFileStreamWriter.h"

#include <climits>

DFileStreamWriter::~DFileStreamWriter()
{
    if (file)
        std::fclose(file);
}

bool DFileStreamWriter::open(const DString& path)
{
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    written = writtenSize = 0;
    failedFlag = anyFailure = false;
    file = std::fopen(path.text(), "wb");
    if (!file) {
        failedFlag = anyFailure = true;
        return false;
    }
    return true;
}

bool DFileStreamWriter::close()
{
    if (!file) {
        failedFlag = true;
        return false;
    }
    bool ok = std::fflush(file) == 0;
    ok = std::fclose(file) == 0 && ok;
    file = nullptr;
    if (!ok)
        failedFlag = anyFailure = true;
    return ok && !anyFailure;
}

int DFileStreamWriter::write(const void* buffer, int count)
{
    if (!file) {
        failedFlag = true;
        return 0;
    }
    failedFlag = false;
    if (count <= 0 || !buffer)
        return 0;
    // The byte counters are signed 32-bit: a write that would carry them past their limit
    // is cut short there and reported as a short write.
    bool cut = count > INT_MAX - written;
    if (cut)
        count = INT_MAX - written;
    size_t put = count > 0 ? std::fwrite(buffer, 1, static_cast<size_t>(count), file) : 0;
    if (put == 0) {
        failedFlag = anyFailure = true;
        return 0;
    }
    if (cut || put < static_cast<size_t>(count))
        failedFlag = anyFailure = true;
    written += static_cast<int>(put);
    writtenSize = written;
    return static_cast<int>(put);
}
