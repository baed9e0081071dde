#include "mail/SettingsCodec.h"

#include <cstddef>

#include "mail/PasswordScrambler.h"

namespace {

const unsigned char versionFirst = 2;
const unsigned char versionSecond = 3;

bool readExact(DStream& in, void* buffer, int count)
{
    char* out = static_cast<char*>(buffer);
    int got = 0;
    while (got < count) {
        int n = in.read(out + got, count - got);
        if (n <= 0)
            return false;
        got += n;
    }
    return true;
}

bool readByte(DStream& in, unsigned char& value)
{
    return readExact(in, &value, 1);
}

bool readInt(DStream& in, int& value)
{
    unsigned char b[4];
    if (!readExact(in, b, 4))
        return false;
    unsigned bits = static_cast<unsigned>(b[0]) | (static_cast<unsigned>(b[1]) << 8) |
                    (static_cast<unsigned>(b[2]) << 16) | (static_cast<unsigned>(b[3]) << 24);
    value = static_cast<int>(bits);
    return true;
}

bool readFlag(DStream& in, bool& flag)
{
    int value = 0;
    if (!readInt(in, value))
        return false;
    flag = value == 1;
    return true;
}

bool readText(DStream& in, DString& text)
{
    int count = 0;
    if (!readInt(in, count) || count < 0)
        return false;
    if (count == 0) {
        text = DString();
        return true;
    }
    // Checked before anything is allocated for it.
    long long left = static_cast<long long>(in.size()) - in.position();
    if (count > left)
        return false;
    std::vector<char> bytes(static_cast<std::size_t>(count));
    if (!readExact(in, bytes.data(), count))
        return false;
    // The text ends at its first zero byte, if it has one.
    text = DString(bytes.data(), count);
    return true;
}

bool readRecord(DStream& in, DMailboxRecord& record)
{
    DString scrambled;
    if (!readText(in, record.userName) || !readText(in, record.server) ||
        !readText(in, scrambled) || !readText(in, record.webAddress))
        return false;
    record.password = unscramblePassword(scrambled);
    return readInt(in, record.seenCount) && readFlag(in, record.allMailsNew) &&
           readFlag(in, record.openWebSite);
}

bool readVersion(DStream& in)
{
    unsigned char first = 0;
    unsigned char second = 0;
    return readByte(in, first) && first == versionFirst && readByte(in, second) &&
           second == versionSecond;
}

bool writeExact(DStream& out, const void* bytes, int count)
{
    return count == 0 || out.write(bytes, count) == count;
}

bool writeByte(DStream& out, unsigned char value)
{
    return writeExact(out, &value, 1);
}

bool writeInt(DStream& out, int value)
{
    unsigned bits = static_cast<unsigned>(value);
    unsigned char b[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                          static_cast<unsigned char>(bits >> 16),
                          static_cast<unsigned char>(bits >> 24)};
    return writeExact(out, b, 4);
}

bool writeFlag(DStream& out, bool flag)
{
    return writeInt(out, flag ? 1 : 0);
}

bool writeText(DStream& out, const DString& text)
{
    return writeInt(out, text.length()) && writeExact(out, text.text(), text.length());
}

}  // namespace

bool intervalOfChoice(int choice, int& milliseconds)
{
    static const int minutes[] = {1, 5, 10, 15};
    if (choice < 0 || choice > 3)
        return false;
    milliseconds = minutes[choice] * 60000;
    return true;
}

bool writeSettings(DStream& out, const DSettingsRecord& settings)
{
    bool ok = writeByte(out, versionFirst) && writeByte(out, versionSecond) &&
              writeInt(out, settings.intervalIndex) && writeFlag(out, settings.notify) &&
              writeFlag(out, settings.notifyAtStartup) && writeFlag(out, settings.connectionCheck) &&
              writeByte(out, settings.hungarian ? 1 : 0) &&
              writeInt(out, static_cast<int>(settings.mailboxes.size()));
    for (const DMailboxRecord& record : settings.mailboxes) {
        if (!ok)
            break;
        ok = writeText(out, record.userName) && writeText(out, record.server) &&
             writeText(out, scramblePassword(record.password)) &&
             writeText(out, record.webAddress) && writeInt(out, record.seenCount) &&
             writeFlag(out, record.allMailsNew) && writeFlag(out, record.openWebSite);
    }
    return ok;
}

bool readSettings(DStream& in, DSettingsRecord& settings)
{
    if (!readVersion(in))
        return false;
    settings.mailboxes.clear();
    int count = 0;
    unsigned char language = 0;
    if (!readInt(in, settings.intervalIndex) || !readFlag(in, settings.notify) ||
        !readFlag(in, settings.notifyAtStartup) || !readFlag(in, settings.connectionCheck) ||
        !readByte(in, language))
        return true;
    settings.hungarian = language == 1;
    if (!readInt(in, count))
        return true;
    // Each record is read whole before it is kept; the end of the stream ends the loop long
    // before a hostile count would.
    for (int i = 0; i < count; ++i) {
        DMailboxRecord record;
        if (!readRecord(in, record))
            break;
        settings.mailboxes.push_back(record);
    }
    return true;
}

bool readSettingsLanguage(DStream& in, bool& hungarian)
{
    if (!readVersion(in))
        return false;
    unsigned char skipped[16];
    unsigned char language = 0;
    if (!readExact(in, skipped, 16) || !readByte(in, language))
        return false;
    hungarian = language == 1;
    return true;
}
