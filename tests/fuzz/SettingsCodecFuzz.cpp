// The settings file's layout read from any bytes: reading never fails unsafely, and what was
// read, written and read again gives the same records and the same bytes once more. The
// early language look agrees with the full read.
#include <cstdint>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "mail/MemoryStream.h"
#include "mail/SettingsCodec.h"

namespace {

bool sameRecords(const DSettingsRecord& a, const DSettingsRecord& b)
{
    if (a.intervalIndex != b.intervalIndex || a.notify != b.notify ||
        a.notifyAtStartup != b.notifyAtStartup || a.connectionCheck != b.connectionCheck ||
        a.hungarian != b.hungarian || a.mailboxes.size() != b.mailboxes.size())
        return false;
    for (size_t i = 0; i < a.mailboxes.size(); ++i) {
        const DMailboxRecord& x = a.mailboxes[i];
        const DMailboxRecord& y = b.mailboxes[i];
        if (x.userName != y.userName || x.server != y.server || x.password != y.password ||
            x.webAddress != y.webAddress || x.seenCount != y.seenCount ||
            x.allMailsNew != y.allMailsNew || x.openWebSite != y.openWebSite)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    MemoryStream file(bytes);
    DSettingsRecord first;
    bool read = readSettings(file, first);
    FUZZ_CHECK(read == (size >= 2 && data[0] == 2 && data[1] == 3));

    MemoryStream languageFile(bytes);
    bool hungarian = false;
    if (readSettingsLanguage(languageFile, hungarian)) {
        FUZZ_CHECK(read);
        FUZZ_CHECK(hungarian == first.hungarian);
    }
    if (!read)
        return 0;

    MemoryStream written;
    FUZZ_CHECK(writeSettings(written, first));
    MemoryStream again(written.bytes);
    DSettingsRecord second;
    FUZZ_CHECK(readSettings(again, second));
    FUZZ_CHECK(sameRecords(first, second));

    MemoryStream rewritten;
    FUZZ_CHECK(writeSettings(rewritten, second));
    FUZZ_CHECK(rewritten.bytes == written.bytes);
    return 0;
}
