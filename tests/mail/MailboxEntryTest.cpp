// A mailbox entry is built on the settings file's record: an entry made from a record read
// from the file writes the same bytes back, and what only the running program knows
// (the new count, a pending notice) is neither read nor written.
#include "mail/DMailboxEntry.h"
#include "mail/SettingsCodec.h"

#include <gtest/gtest.h>

#include <vector>

#include "mail/MemoryStream.h"

namespace {

DMailboxRecord sample(const char* user, int seen, bool allNew, bool openWeb)
{
    DMailboxRecord r;
    r.userName = user;
    r.server = "pop3s://mail.example.invalid:995";
    r.password = "p\xE1ss";
    r.webAddress = "https://mail.example.invalid/";
    r.seenCount = seen;
    r.allMailsNew = allNew;
    r.openWebSite = openWeb;
    return r;
}

std::vector<unsigned char> bytesOf(const DSettingsRecord& settings)
{
    MemoryStream out;
    EXPECT_TRUE(writeSettings(out, settings));
    return out.bytes;
}

TEST(MailboxEntryTest, EntriesFromRecordsWriteTheSameFile)
{
    DSettingsRecord saved;
    saved.mailboxes.push_back(sample("anna", 7, false, true));
    saved.mailboxes.push_back(sample("b\xE9la", 0, true, false));
    const std::vector<unsigned char> original = bytesOf(saved);

    MemoryStream in(original);
    DSettingsRecord read;
    ASSERT_TRUE(readSettings(in, read));
    ASSERT_EQ(read.mailboxes.size(), 2u);

    DSettingsRecord again;
    for (const DMailboxRecord& record : read.mailboxes) {
        DMailboxEntry entry(record);
        EXPECT_EQ(entry.newCount, 0);
        EXPECT_FALSE(entry.notifyPending);
        // What the running program learns later changes nothing in the file.
        entry.newCount = 12;
        entry.notifyPending = true;
        again.mailboxes.push_back(entry.record());
    }
    EXPECT_EQ(bytesOf(again), original);
}

TEST(MailboxEntryTest, FieldConstructorFillsTheSavedFields)
{
    DMailboxEntry entry("carol", "pop.example.invalid", "secret", 4, true, true, "http://w/");
    const DMailboxRecord& record = entry.record();
    EXPECT_EQ(record.userName, DString("carol"));
    EXPECT_EQ(record.server, DString("pop.example.invalid"));
    EXPECT_EQ(record.password, DString("secret"));
    EXPECT_EQ(record.webAddress, DString("http://w/"));
    EXPECT_EQ(record.seenCount, 4);
    EXPECT_TRUE(record.allMailsNew);
    EXPECT_TRUE(record.openWebSite);
    EXPECT_EQ(entry.newCount, 0);
    EXPECT_FALSE(entry.notifyPending);
}

}  // namespace
