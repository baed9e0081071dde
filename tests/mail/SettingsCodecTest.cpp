#include <gtest/gtest.h>

#include <ostream>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/DFileStreamReader.h"
#include "foundation/DFileStreamWriter.h"
#include "mail/MemoryStream.h"
#include "mail/PasswordScrambler.h"
#include "mail/SettingsCodec.h"

// Shows texts readably in failure messages.
static void PrintTo(const DString& text, std::ostream* out)
{
    *out << '"' << text.text() << '"';
}

namespace {

using Bytes = std::vector<unsigned char>;

void putInt(Bytes& b, int value)
{
    unsigned v = static_cast<unsigned>(value);
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void putText(Bytes& b, const std::string& text)
{
    putInt(b, static_cast<int>(text.size()));
    b.insert(b.end(), text.begin(), text.end());
}

// The header of a settings file: version, interval, three flags, language byte.
Bytes header(int interval, int notify, int atStartup, int connection, unsigned char language)
{
    Bytes b = {2, 3};
    putInt(b, interval);
    putInt(b, notify);
    putInt(b, atStartup);
    putInt(b, connection);
    b.push_back(language);
    return b;
}

void putRecord(Bytes& b, const std::string& user, const std::string& server,
               const std::string& password, const std::string& web, int seen, int allNew, int open)
{
    putText(b, user);
    putText(b, server);
    DString stored = scramblePassword(DString(password.c_str()));
    putText(b, std::string(stored.text(), static_cast<size_t>(stored.length())));
    putText(b, web);
    putInt(b, seen);
    putInt(b, allNew);
    putInt(b, open);
}

DMailboxRecord mailbox(const char* user, const char* server, const char* password,
                       const char* web, int seen, bool allNew, bool open)
{
    DMailboxRecord r;
    r.userName = user;
    r.server = server;
    r.password = password;
    r.webAddress = web;
    r.seenCount = seen;
    r.allMailsNew = allNew;
    r.openWebSite = open;
    return r;
}

void expectSameMailbox(const DMailboxRecord& a, const DMailboxRecord& b)
{
    EXPECT_EQ(a.userName, b.userName);
    EXPECT_EQ(a.server, b.server);
    EXPECT_EQ(a.password, b.password);
    EXPECT_EQ(a.webAddress, b.webAddress);
    EXPECT_EQ(a.seenCount, b.seenCount);
    EXPECT_EQ(a.allMailsNew, b.allMailsNew);
    EXPECT_EQ(a.openWebSite, b.openWebSite);
}

Bytes written(const DSettingsRecord& settings)
{
    MemoryStream out;
    EXPECT_TRUE(writeSettings(out, settings));
    return out.bytes;
}

bool readBytes(const Bytes& bytes, DSettingsRecord& settings)
{
    MemoryStream in(bytes);
    return readSettings(in, settings);
}

// A settings record whose every value differs from the defaults.
DSettingsRecord unusual()
{
    DSettingsRecord s;
    s.intervalIndex = 3;
    s.notify = false;
    s.notifyAtStartup = false;
    s.connectionCheck = true;
    s.hungarian = true;
    s.mailboxes.push_back(mailbox("old", "old.example", "pw", "", 9, true, true));
    return s;
}

}  // namespace

TEST(SettingsCodecLayout, FileWithoutMailboxesIsExactly23Bytes)
{
    DSettingsRecord settings;
    settings.intervalIndex = 2;
    settings.notify = true;
    settings.notifyAtStartup = false;
    settings.connectionCheck = true;
    settings.hungarian = true;
    Bytes expected = header(2, 1, 0, 1, 1);
    putInt(expected, 0);
    Bytes got = written(settings);
    EXPECT_EQ(got.size(), 23u);
    EXPECT_EQ(got, expected);
}

TEST(SettingsCodecLayout, MailboxWithEmptyTextsIsFourZerosThenItsValues)
{
    DSettingsRecord settings;
    settings.mailboxes.push_back(mailbox("", "", "", "", 7, true, false));
    Bytes got = written(settings);
    ASSERT_EQ(got.size(), 23u + 28u);
    Bytes record(got.begin() + 23, got.end());
    Bytes expected;
    for (int i = 0; i < 4; ++i)
        putInt(expected, 0);
    putInt(expected, 7);
    putInt(expected, 1);
    putInt(expected, 0);
    EXPECT_EQ(record, expected);
    EXPECT_EQ(got[19], 1);  // the count of records
}

TEST(SettingsCodecLayout, RecordHoldsTextsInOrderWithTheScrambledPassword)
{
    DSettingsRecord settings;
    settings.mailboxes.push_back(mailbox("joe", "pop.example", "pw", "http://mail", -3, false, true));
    Bytes expected = header(1, 1, 1, 0, 0);
    putInt(expected, 1);
    putRecord(expected, "joe", "pop.example", "pw", "http://mail", -3, 0, 1);
    Bytes got = written(settings);
    EXPECT_EQ(got, expected);
    // The password never appears in plain text.
    std::string asText(got.begin(), got.end());
    EXPECT_EQ(asText.find("pw"), std::string::npos);
}

TEST(SettingsCodecRoundTrip, EverythingComesBackThroughAFile)
{
    DSettingsRecord settings;
    settings.intervalIndex = 0;
    settings.notify = false;
    settings.notifyAtStartup = true;
    settings.connectionCheck = true;
    settings.hungarian = true;
    std::string longText(10000, 'x');
    for (size_t i = 0; i < longText.size(); ++i)
        longText[i] = static_cast<char>('a' + i % 26);
    settings.mailboxes.push_back(mailbox("j\xF3zsef", "posta.example.hu", "\xE1rv\xEDzt\xFBr\xF5", "http://posta", 12, true, false));
    settings.mailboxes.push_back(mailbox(longText.c_str(), "", longText.c_str(), longText.c_str(), 0, false, true));
    settings.mailboxes.push_back(mailbox("", "", "", "", 2147483647, false, false));

    std::string path = testing::TempDir() + "pellaro_codec_roundtrip.bin";
    {
        DFileStreamWriter out;
        ASSERT_TRUE(out.open(DString(path.c_str())));
        ASSERT_TRUE(writeSettings(out, settings));
        ASSERT_TRUE(out.close());
    }
    DSettingsRecord back;
    back.mailboxes.push_back(mailbox("stale", "stale", "stale", "", 1, true, true));
    {
        DFileStreamReader in;
        ASSERT_TRUE(in.open(DString(path.c_str())));
        ASSERT_TRUE(readSettings(in, back));
    }
    std::remove(path.c_str());
    EXPECT_EQ(back.intervalIndex, 0);
    EXPECT_FALSE(back.notify);
    EXPECT_TRUE(back.notifyAtStartup);
    EXPECT_TRUE(back.connectionCheck);
    EXPECT_TRUE(back.hungarian);
    ASSERT_EQ(back.mailboxes.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        expectSameMailbox(back.mailboxes[i], settings.mailboxes[i]);
    EXPECT_EQ(back.mailboxes[1].password.length(), 10000);
}

TEST(SettingsCodecReading, ValuesOtherThanOneAreOff)
{
    Bytes b = header(3, 2, 1, -1, 2);
    putInt(b, 1);
    putRecord(b, "u", "s", "p", "w", 4, 2, 1);
    DSettingsRecord s = unusual();
    ASSERT_TRUE(readBytes(b, s));
    EXPECT_EQ(s.intervalIndex, 3);
    EXPECT_FALSE(s.notify);          // stored as 2
    EXPECT_TRUE(s.notifyAtStartup);
    EXPECT_FALSE(s.connectionCheck); // stored as -1
    EXPECT_FALSE(s.hungarian);       // language byte 2 is English
    ASSERT_EQ(s.mailboxes.size(), 1u);
    EXPECT_FALSE(s.mailboxes[0].allMailsNew);  // stored as 2
    EXPECT_TRUE(s.mailboxes[0].openWebSite);

    Bytes h = header(1, 1, 1, 1, 1);
    putInt(h, 0);
    ASSERT_TRUE(readBytes(h, s));
    EXPECT_TRUE(s.hungarian);
    EXPECT_TRUE(s.connectionCheck);
    EXPECT_TRUE(s.mailboxes.empty());
}

TEST(SettingsCodecReading, WrongVersionIsIgnoredEntirely)
{
    Bytes good = header(0, 0, 0, 0, 1);
    putInt(good, 1);
    putRecord(good, "u", "s", "p", "w", 4, 1, 1);
    for (int which = 0; which < 2; ++which) {
        for (int value : {0, 1, 4, 255}) {
            Bytes b = good;
            b[static_cast<size_t>(which)] = static_cast<unsigned char>(value);
            DSettingsRecord s = unusual();
            EXPECT_FALSE(readBytes(b, s));
            DSettingsRecord untouched = unusual();
            EXPECT_EQ(s.intervalIndex, untouched.intervalIndex);
            EXPECT_EQ(s.notify, untouched.notify);
            EXPECT_EQ(s.connectionCheck, untouched.connectionCheck);
            EXPECT_EQ(s.hungarian, untouched.hungarian);  // the language too
            ASSERT_EQ(s.mailboxes.size(), 1u);
            expectSameMailbox(s.mailboxes[0], untouched.mailboxes[0]);
            bool hungarian = true;
            MemoryStream in(b);
            EXPECT_FALSE(readSettingsLanguage(in, hungarian));
            EXPECT_TRUE(hungarian);
        }
    }
    DSettingsRecord s;
    EXPECT_FALSE(readBytes(Bytes(), s));
}

TEST(SettingsCodecReading, NegativeOrZeroCountGivesNoMailboxes)
{
    for (int n : {0, -1, -2147483647 - 1}) {
        Bytes b = header(1, 1, 1, 0, 0);
        putInt(b, n);
        putRecord(b, "u", "s", "p", "w", 4, 1, 1);
        DSettingsRecord s = unusual();
        ASSERT_TRUE(readBytes(b, s));
        EXPECT_TRUE(s.mailboxes.empty()) << n;
    }
}

TEST(SettingsCodecReading, TextEndsAtItsFirstZeroByteAndReadingGoesOn)
{
    Bytes b = header(1, 1, 1, 0, 0);
    putInt(b, 1);
    putText(b, std::string("ab\0cd", 5));
    putText(b, "server");
    putText(b, "");
    putText(b, "web");
    putInt(b, 5);
    putInt(b, 1);
    putInt(b, 0);
    DSettingsRecord s;
    ASSERT_TRUE(readBytes(b, s));
    ASSERT_EQ(s.mailboxes.size(), 1u);
    EXPECT_EQ(s.mailboxes[0].userName, "ab");
    EXPECT_EQ(s.mailboxes[0].server, "server");
    EXPECT_EQ(s.mailboxes[0].seenCount, 5);
}

TEST(SettingsCodecDamage, TruncatedAtEveryOffsetKeepsWhatWasComplete)
{
    DSettingsRecord full = unusual();
    full.mailboxes.clear();
    full.mailboxes.push_back(mailbox("first", "one.example", "pass1", "http://one", 3, true, false));
    full.mailboxes.push_back(mailbox("", "", "", "", 0, false, false));
    full.mailboxes.push_back(mailbox("third", "three.example", "\xE9", "", 8, false, true));
    Bytes bytes = written(full);

    // Where each value of the file ends.
    const size_t headerEnds[] = {6, 10, 14, 18, 19};
    std::vector<size_t> recordEnds;
    size_t at = 23;
    for (const DMailboxRecord& r : full.mailboxes) {
        at += 16 + static_cast<size_t>(r.userName.length() + r.server.length() +
                                       2 * r.password.length() + r.webAddress.length()) + 12;
        recordEnds.push_back(at);
    }
    ASSERT_EQ(recordEnds.back(), bytes.size());

    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        Bytes part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        DSettingsRecord s;  // defaults
        bool read = readBytes(part, s);
        ASSERT_EQ(read, cut >= 2) << cut;
        EXPECT_EQ(s.intervalIndex, cut >= headerEnds[0] ? 3 : 1) << cut;
        EXPECT_EQ(s.notify, cut >= headerEnds[1] ? false : true) << cut;
        EXPECT_EQ(s.notifyAtStartup, cut >= headerEnds[2] ? false : true) << cut;
        EXPECT_EQ(s.connectionCheck, cut >= headerEnds[3]) << cut;
        EXPECT_EQ(s.hungarian, cut >= headerEnds[4]) << cut;
        size_t complete = 0;
        while (complete < recordEnds.size() && recordEnds[complete] <= cut)
            ++complete;
        ASSERT_EQ(s.mailboxes.size(), complete) << cut;
        for (size_t i = 0; i < complete; ++i)
            expectSameMailbox(s.mailboxes[i], full.mailboxes[i]);

        bool hungarian = false;
        MemoryStream in(part);
        EXPECT_EQ(readSettingsLanguage(in, hungarian), cut >= 19) << cut;
        EXPECT_EQ(hungarian, cut >= 19) << cut;

        // The same through a real file and the file reader.
        std::string path = testing::TempDir() + "pellaro_codec_cut.bin";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (!part.empty()) {
            ASSERT_EQ(std::fwrite(part.data(), 1, part.size(), f), part.size());
        }
        std::fclose(f);
        DFileStreamReader file;
        ASSERT_TRUE(file.open(DString(path.c_str())));
        DSettingsRecord fromFile;
        EXPECT_EQ(readSettings(file, fromFile), cut >= 2) << cut;
        EXPECT_EQ(fromFile.mailboxes.size(), complete) << cut;
        std::remove(path.c_str());
    }
}

TEST(SettingsCodecDamage, HostileCountsEndTheReadingWithoutHarm)
{
    const int hostile[] = {-1, -2147483647 - 1, 2147483647, 0x40000000, 1000};
    auto start = std::chrono::steady_clock::now();
    for (int bad : hostile) {
        // A record count far beyond what the file holds: the complete records are read.
        {
            Bytes b = header(1, 1, 1, 0, 0);
            putInt(b, bad);
            putRecord(b, "a", "b", "c", "d", 1, 0, 0);
            putRecord(b, "e", "f", "g", "h", 2, 1, 1);
            DSettingsRecord s;
            ASSERT_TRUE(readBytes(b, s));
            EXPECT_EQ(s.mailboxes.size(), bad > 0 ? 2u : 0u) << bad;
        }
        // A bad text count in each text position of the second record: the first record is
        // kept, the damaged one is dropped.
        for (int position = 0; position < 4; ++position) {
            Bytes b = header(1, 1, 1, 0, 0);
            putInt(b, 5);
            putRecord(b, "a", "b", "c", "d", 1, 0, 0);
            for (int t = 0; t < position; ++t)
                putText(b, "ok");
            putInt(b, bad);
            b.insert(b.end(), 64, 'z');
            DSettingsRecord s;
            ASSERT_TRUE(readBytes(b, s));
            ASSERT_EQ(s.mailboxes.size(), 1u) << bad << " at text " << position;
            EXPECT_EQ(s.mailboxes[0].userName, "a");
        }
    }
    // A text count one larger than what remains is damage too; exactly what remains is not.
    {
        Bytes b = header(1, 1, 1, 0, 0);
        putInt(b, 1);
        putInt(b, 5);
        b.insert(b.end(), {'h', 'e', 'l', 'l'});
        DSettingsRecord s;
        ASSERT_TRUE(readBytes(b, s));
        EXPECT_TRUE(s.mailboxes.empty());
    }
    // Reading hostile files takes no time to speak of (no loop runs to a count).
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 30);
}

TEST(SettingsCodecWriting, AShortWriteAnywhereIsReported)
{
    DSettingsRecord settings = unusual();
    settings.mailboxes.push_back(mailbox("user", "server", "secret", "web", 1, false, true));
    size_t full = written(settings).size();
    for (size_t limit = 0; limit < full; ++limit) {
        MemoryStream out;
        out.limit = static_cast<int>(limit);
        EXPECT_FALSE(writeSettings(out, settings)) << limit;
    }
    MemoryStream out;
    out.limit = static_cast<int>(full);
    EXPECT_TRUE(writeSettings(out, settings));
}

TEST(SettingsCodecLanguage, ReadsOnlyTheLanguageByte)
{
    Bytes b = header(7, 5, 5, 5, 1);  // values the language reader must skip, not judge
    bool hungarian = false;
    MemoryStream in(b);
    EXPECT_TRUE(readSettingsLanguage(in, hungarian));
    EXPECT_TRUE(hungarian);

    b[18] = 2;
    MemoryStream english(b);
    hungarian = true;
    EXPECT_TRUE(readSettingsLanguage(english, hungarian));
    EXPECT_FALSE(hungarian);
}

TEST(SettingsCodecInterval, ChoicesAreOneFiveTenAndFifteenMinutes)
{
    int ms = -7;
    const int expected[] = {60000, 300000, 600000, 900000};
    for (int choice = 0; choice < 4; ++choice) {
        ASSERT_TRUE(intervalOfChoice(choice, ms));
        EXPECT_EQ(ms, expected[choice]);
    }
    ms = 1234;
    EXPECT_FALSE(intervalOfChoice(4, ms));
    EXPECT_FALSE(intervalOfChoice(-1, ms));
    EXPECT_EQ(ms, 1234);  // the timer keeps its interval
}
