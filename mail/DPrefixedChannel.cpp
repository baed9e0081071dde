#include "mail/DPrefixedChannel.h"

DPrefixedChannel::DPrefixedChannel(DByteChannel& inner, const char* bytes, int count)
    : inner(inner), prefix(bytes != nullptr && count > 0 ? std::string(bytes, static_cast<size_t>(count))
                                                         : std::string())
{
}

int DPrefixedChannel::receive(char* buffer, int capacity)
{
    if (prefix.empty())
        return inner.receive(buffer, capacity);
    if (buffer == nullptr || capacity <= 0)
        return 0;
    size_t n = prefix.size() < static_cast<size_t>(capacity) ? prefix.size()
                                                             : static_cast<size_t>(capacity);
    prefix.copy(buffer, n);
    prefix.erase(0, n);
    return static_cast<int>(n);
}

bool DPrefixedChannel::waitReadable(int milliseconds)
{
    return !prefix.empty() || inner.waitReadable(milliseconds);
}
