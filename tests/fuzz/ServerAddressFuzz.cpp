// The server field read from any text: a result is either valid with a host and a port in
// range, or invalid with a reason; and a valid one, written back, reads back the same.
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "mail/ServerAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    for (char& c : text)
        if (c == '\0')
            c = '.';  // a DString ends at NUL
    ServerAddress address = parseServerAddress(DString(text.c_str()));
    if (!address.valid) {
        FUZZ_CHECK(address.error.length() > 0);
        return 0;
    }
    FUZZ_CHECK(address.error.length() == 0);
    FUZZ_CHECK(address.host.length() > 0);
    FUZZ_CHECK(address.port >= 1 && address.port <= 65535);
    if (!address.portGiven)
        FUZZ_CHECK(address.port == defaultPop3Port(address.security));
    if (address.hostIsIpv6)
        FUZZ_CHECK(isIpv6Literal(address.host));

    DString written = composeServerText(address.host, address.port, address.security);
    FUZZ_CHECK(written.length() > 0);
    ServerAddress again = parseServerAddress(written);
    FUZZ_CHECK(again.valid);
    FUZZ_CHECK(again.host == address.host);
    FUZZ_CHECK(again.port == address.port);
    FUZZ_CHECK(again.security == address.security);
    FUZZ_CHECK(again.hostIsIpv6 == address.hostIsIpv6);
    FUZZ_CHECK(composeServerText(again.host, again.port, again.security) == written);
    return 0;
}
