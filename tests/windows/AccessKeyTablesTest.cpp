// The access keys of every window, in both languages: each letter is one a keyboard types
// with Alt, it occurs in the caption the window shows, and no window uses a letter twice.
#include "windows/AccessKeyTables.h"

#include "graphics/TextWrap.h"
#include "mail/DictionaryTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

bool plainKey(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

class AccessKeys : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        fillDictionary(words);
        words.setLanguage(GetParam() ? 1 : 0);
    }
    DString shown(const char* english) const { return words.translate(DString(english)); }
    char keyOf(const DAccessKeyEntry& entry) const
    {
        return GetParam() ? entry.hungarian : entry.english;
    }

    DPellaroDictionary words;
};

}  // namespace

TEST_P(AccessKeys, EveryLetterIsAPlainKeyThatOccursInItsCaption)
{
    for (const DAccessKeyTable* table : allAccessKeyTables()) {
        for (const DAccessKeyEntry& entry : table->entries) {
            char key = keyOf(entry);
            EXPECT_TRUE(plainKey(key)) << table->window << ": " << entry.caption;
            EXPECT_GE(accessKeyIndex(shown(entry.caption), key), 0)
                << table->window << ": '" << key << "' is not in " << shown(entry.caption).text();
        }
    }
}

TEST_P(AccessKeys, NoWindowUsesALetterTwice)
{
    for (const DAccessKeyTable* table : allAccessKeyTables()) {
        std::set<char> used;
        std::set<std::string> captions;
        for (const DAccessKeyEntry& entry : table->entries) {
            EXPECT_TRUE(used.insert(keyOf(entry)).second)
                << table->window << ": '" << keyOf(entry) << "' twice (" << entry.caption << ")";
            EXPECT_TRUE(captions.insert(entry.caption).second) << entry.caption;
        }
    }
}

TEST_P(AccessKeys, EveryCaptionTheWindowsLabelHasItsLetter)
{
    const char* mainCaptions[] = {"Mailboxes", "Add", "Edit", "Remove", "Interval", "Options",
                                  "Show notification box for new mails",
                                  "Show notification box for new mails at startup",
                                  "Check internet connection", "Check Now!", "Hide", "Exit"};
    for (const char* caption : mainCaptions)
        EXPECT_NE(accessKeyOf(mainWindowAccessKeys(), caption, GetParam()), 0) << caption;
    const char* mailboxCaptions[] = {"Server (POP3):", "Security:", "Port:", "User name:",
                                     "Password:", "All mails are new on server",
                                     "Open web site", "OK", "Cancel"};
    for (const char* caption : mailboxCaptions)
        EXPECT_NE(accessKeyOf(mailboxWindowAccessKeys(), caption, GetParam()), 0) << caption;
    EXPECT_EQ(accessKeyOf(infoBoxAccessKeys(), "OK", GetParam()), 'O');
    // A caption a table does not hold has no letter.
    EXPECT_EQ(accessKeyOf(mainWindowAccessKeys(), "Status", GetParam()), 0);
    EXPECT_EQ(accessKeyOf(mainWindowAccessKeys(), nullptr, GetParam()), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AccessKeys, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Hungarian" : "English";
                         });

TEST(AccessKeyIndex, TheFirstOccurrenceOfTheLetterInEitherCase)
{
    EXPECT_EQ(accessKeyIndex("Check Now!", 'N'), 6);
    EXPECT_EQ(accessKeyIndex("Exit", 'X'), 1);
    EXPECT_EQ(accessKeyIndex("Exit", 'x'), 1);
    EXPECT_EQ(accessKeyIndex("Server (POP3):", '3'), 11);
    EXPECT_EQ(accessKeyIndex("Hide", 'Q'), -1);
    EXPECT_EQ(accessKeyIndex("Hide", 0), -1);
    EXPECT_EQ(accessKeyIndex("", 'A'), -1);
    // Accented letters are not their plain letters.
    EXPECT_EQ(accessKeyIndex("M\xE9gse", 'E'), 4);
}
