#include "foundation/DStream.h"

#include <vector>

bool DStream::copyTo(DStream& destination)
{
    std::vector<char> scratch(4000);
    int remembered = position();
    if (!seek(0))
        return false;
    for (;;) {
        if (failed()) {
            seek(remembered);
            return true;
        }
        int got = read(scratch.data(), static_cast<int>(scratch.size()));
        if (got == 0)
            return true;
        if (destination.write(scratch.data(), got) < got)
            return false;
    }
}
