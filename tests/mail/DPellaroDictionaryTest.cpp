#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "mail/DictionaryTexts.h"
#include "mail/GuideTexts.h"

namespace {

// The bytes of a text as upper-case hex pairs, so expected Windows ANSI bytes are written
// independently of how the program's sources spell them.
std::string hexOf(const DString& s)
{
    std::string out;
    char pair[4];
    for (int i = 0; i < s.length(); ++i) {
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(s.text()[i]));
        if (!out.empty())
            out += ' ';
        out += pair;
    }
    return out;
}

const char* const keysInOrder[] = {
    "Cannot connect to server!", "Connection lost!", "Internal server error!", "Comms error!",
    "Login failed!", "Cannot determine mail count!", nullptr /* the user's guide */,
    "Server (POP3):", "User name:", "Password:", "Options", "All mails are new on server",
    "Open web site", "Cancel", "Unchecked", "Idle", "Status", "Mailboxes", "Mailbox",
    "New mails", "Add", "Edit", "Remove", "Interval", "1 minute", "5 minutes", "10 minutes",
    "15 minutes", "Show notification box for new mails",
    "Show notification box for new mails at startup", "Check internet connection",
    "Check Now!", "Hide", "Exit", "Options...", "Disable", "About...", "User's Guide...",
    "Pellaro: Idle", "Disabled!", "Add Mailbox", "Edit Mailbox", "Unconfigured!", "About",
    "User's Guide", "Pellaro: Checking...", "Checking...", "No internet connection!",
    "There are new mails!", "Timeout!", "Error!", "Terminated!", "Language",
    "You must restart Pellaro for the new settings to take effect!", "Information",
    " new mail!\n", " new mails!\n", " new mails!", " new mail!", " has "};

class Filled : public ::testing::Test {
protected:
    void SetUp() override { fillDictionary(d); }
    DString hungarian(const char* english)
    {
        d.setLanguage(1);
        return d.translate(english);
    }
    DPellaroDictionary d;
};

}  // namespace

// ---- the pairs ----

TEST_F(Filled, HoldsTheFirstSixtyPairsInOrderThenTheConnectionAndInterfaceTexts)
{
    ASSERT_EQ(d.count(), 60 + connectionTextCount + interfaceTextCount);
    ASSERT_EQ(sizeof keysInOrder / sizeof keysInOrder[0], 60u);
    for (int i = 0; i < 60; ++i) {
        if (keysInOrder[i]) {
            EXPECT_STREQ(d.englishAt(i).text(), keysInOrder[i]) << "pair " << i;
        }
    }
    EXPECT_STREQ(d.englishAt(0).text(), "Cannot connect to server!");
    EXPECT_STREQ(d.englishAt(59).text(), " has ");
    EXPECT_TRUE(d.englishAt(6) == englishGuideText());
    EXPECT_TRUE(d.translatedAt(6) == hungarianGuideText());
    EXPECT_STREQ(d.englishAt(60).text(), "Server busy, try later!");
    EXPECT_STREQ(d.englishAt(60 + connectionTextCount).text(), "Cut");
    EXPECT_EQ(d.englishAt(60 + connectionTextCount + interfaceTextCount).length(), 0);

    DPellaroDictionary added;
    addConnectionTexts(added);
    ASSERT_EQ(added.count(), connectionTextCount);
    addInterfaceTexts(added);
    ASSERT_EQ(added.count(), connectionTextCount + interfaceTextCount);
    for (int i = 0; i < added.count(); ++i) {
        EXPECT_TRUE(d.englishAt(60 + i) == added.englishAt(i)) << "pair " << 60 + i;
        EXPECT_TRUE(d.translatedAt(60 + i) == added.translatedAt(i)) << "pair " << 60 + i;
    }
}

TEST_F(Filled, TheFieldMenuAndWhatScreenReadersReadAreInHungarian)
{
    // Kiv(a acute)g(a acute)s, Jel(o umlaut)l(e acute)s t(o umlaut)rl(e acute)se
    EXPECT_EQ(hexOf(hungarian("Cut")), "4B 69 76 E1 67 E1 73");
    EXPECT_EQ(hexOf(hungarian("Uncheck")), "4A 65 6C F6 6C E9 73 20 74 F6 72 6C E9 73 65");
    for (const char* key : {"Copy", "Paste", "Delete", "Press", "Check", "Open", "Close",
                            "Execute", "Select", "Vertical", "Horizontal"})
        EXPECT_STRNE(hungarian(key).text(), key) << key;
}

TEST_F(Filled, ConnectionErrorsHaveHungarianTexts)
{
    const char* keys[] = {"Server busy, try later!", "Invalid server address!",
                          "Invalid port number!", "STLS refused by server!",
                          "TLS handshake failed!", "Certificate expired!",
                          "Untrusted certificate!", "Certificate name mismatch!",
                          "Certificate check failed!", "Security:", "None",
                          "Server not responding!"};
    for (const char* key : keys)
        EXPECT_STRNE(hungarian(key).text(), key) << key;
    // A szerver foglalt, pr(o acute)b(a acute)lja k(e acute)s(o umlaut)bb!
    EXPECT_EQ(hexOf(hungarian("Server busy, try later!")),
              "41 20 73 7A 65 72 76 65 72 20 66 6F 67 6C 61 6C 74 2C 20 70 72 F3 62 E1 6C 6A 61 20 6B "
              "E9 73 F6 62 62 21");
    // A szerver nem v(a acute)laszol!
    EXPECT_EQ(hexOf(hungarian("Server not responding!")),
              "41 20 73 7A 65 72 76 65 72 20 6E 65 6D 20 76 E1 6C 61 73 7A 6F 6C 21");
    EXPECT_STREQ(d.englishAt(74).text(), "Server not responding!");
}

TEST_F(Filled, EveryKeyIsReachable)
{
    // A key that appeared twice would hide its second translation.
    d.setLanguage(1);
    for (int i = 0; i < d.count(); ++i) {
        EXPECT_TRUE(d.translate(d.englishAt(i)) == d.translatedAt(i)) << "pair " << i;
        EXPECT_GT(d.translatedAt(i).length(), 0) << "pair " << i;
    }
}

TEST_F(Filled, HungarianTextsUseOnlyCodePageNeutralLetters)
{
    // Á É Ú Ü á é í ó ö ú ü: the same bytes in Windows-1250 and Windows-1252.
    const unsigned char allowed[] = {0xC1, 0xC9, 0xDA, 0xDC, 0xE1, 0xE9, 0xED, 0xF3, 0xF6, 0xFA, 0xFC};
    for (int i = 0; i < d.count(); ++i) {
        DString text = d.translatedAt(i);
        for (int j = 0; j < text.length(); ++j) {
            unsigned char byte = static_cast<unsigned char>(text.text()[j]);
            bool ok = byte < 0x80 || std::memchr(allowed, byte, sizeof allowed) != nullptr;
            EXPECT_TRUE(ok) << "pair " << i << " byte " << j << " is 0x" << std::hex << int(byte);
        }
        DString key = d.englishAt(i);
        for (int j = 0; j < key.length(); ++j)
            EXPECT_LT(static_cast<unsigned char>(key.text()[j]), 0x80) << "key " << i;
    }
}

TEST_F(Filled, ExactBytesOfHungarianTexts)
{
    EXPECT_EQ(hexOf(hungarian("Idle")), "DC 72 65 73 6A E1 72 E1 73");
    EXPECT_EQ(hexOf(hungarian("Pellaro: Idle")), "50 65 6C 6C 61 72 6F 3A 20 DC 72 65 73 6A E1 72 E1 73");
    EXPECT_EQ(hexOf(hungarian("Timeout!")), "49 64 F6 74 FA 6C 6C E9 70 E9 73 21");
    EXPECT_EQ(hexOf(hungarian("Information")), "49 6E 66 6F 72 6D E1 63 69 F3");
    EXPECT_EQ(hexOf(hungarian("Internal server error!")), "42 65 6C 73 F6 20 73 7A 65 72 76 65 72 20 68 69 62 61 21");
    EXPECT_EQ(hexOf(hungarian("Cannot determine mail count!")),
              "41 20 6C 65 76 65 6C 65 6B 20 73 7A E1 6D 61 20 6E 65 6D 20 6D 65 67 68 61 74 E1 72 6F "
              "7A 68 61 74 F3 21");
    EXPECT_EQ(hexOf(hungarian("Unchecked")), "45 6C 6C 65 6E F6 72 69 7A 65 74 6C 65 6E");
    EXPECT_EQ(hexOf(hungarian("There are new mails!")), "DA 6A 20 6C 65 76 65 6C 65 6B 21");
    EXPECT_EQ(hexOf(hungarian("You must restart Pellaro for the new settings to take effect!")),
              "41 7A 20 FA 6A 20 62 65 E1 6C 6C 69 74 E1 73 6F 6B 20 E9 72 76 E9 6E 79 62 65 20 6C E9 "
              "70 E9 73 E9 68 65 7A 20 61 20 50 65 6C 6C 61 72 6F 20 FA 6A 72 61 69 6E 64 69 74 E1 73 "
              "61 20 73 7A FC 6B 73 E9 67 65 73 21");
    EXPECT_STREQ(hungarian("Cannot connect to server!").text(), "Nem lehet csatlakozni a szerverhez!");
    EXPECT_STREQ(hungarian("Comms error!").text(), "Komm. hiba!");
    EXPECT_STREQ(hungarian("Login failed!").text(), "Login sikertelen!");
    EXPECT_STREQ(hungarian("Error!").text(), "Hiba!");
}

TEST_F(Filled, CaptionsInHungarian)
{
    EXPECT_EQ(hexOf(hungarian("Check Now!")), "45 6C 6C 65 6E F6 72 7A E9 73 20 6D 6F 73 74 21");
    EXPECT_EQ(hexOf(hungarian("Cancel")), "4D E9 67 73 65");
    EXPECT_EQ(hexOf(hungarian("User name:")), "46 65 6C 68 61 73 7A 6E E1 6C F3 6E E9 76 3A");
    EXPECT_EQ(hexOf(hungarian("Password:")), "4A 65 6C 73 7A F3 3A");
    EXPECT_STREQ(hungarian("Server (POP3):").text(), "Szerver (POP3):");
    EXPECT_EQ(hexOf(hungarian("About")), "4E E9 76 6A 65 67 79");
    EXPECT_EQ(hexOf(hungarian("User's Guide")), "48 61 73 7A 6E E1 6C 61 74 69 20 75 74 61 73 ED 74 E1 73");
}

TEST_F(Filled, GuideQuotesTheMailboxWindowsOptionCaptions)
{
    // The guide names the two mailbox options by their captions, in each language.
    std::string hungarianGuide = hungarianGuideText().text();
    std::string englishGuide = englishGuideText().text();
    for (const char* option : {"All mails are new on server", "Open web site"}) {
        EXPECT_NE(englishGuide.find(std::string("'") + option + "'"), std::string::npos) << option;
        std::string caption = hungarian(option).text();
        EXPECT_NE(hungarianGuide.find("'" + caption + "'"), std::string::npos) << option;
    }
}

// ---- lookup rules ----

TEST_F(Filled, LookupIsCaseSensitiveAndWholeText)
{
    d.setLanguage(1);
    EXPECT_EQ(hexOf(d.translate("Idle")), "DC 72 65 73 6A E1 72 E1 73");
    EXPECT_STREQ(d.translate("idle").text(), "idle");
    EXPECT_STREQ(d.translate("IDLE").text(), "IDLE");
    EXPECT_STREQ(d.translate("Status ").text(), "Status ");
    EXPECT_STREQ(d.translate("Statu").text(), "Statu");
    EXPECT_EQ(hexOf(d.translate("Status")), "C1 6C 6C 61 70 6F 74");
    EXPECT_STREQ(d.translate("").text(), "");
}

TEST_F(Filled, EnglishReturnsEveryTextUnchanged)
{
    EXPECT_EQ(d.getLanguage(), 0);
    for (int i = 0; i < d.count(); ++i)
        EXPECT_TRUE(d.translate(d.englishAt(i)) == d.englishAt(i)) << "pair " << i;
    EXPECT_STREQ(d.translate("not a key").text(), "not a key");
    d.setLanguage(1);
    d.setLanguage(0);
    EXPECT_STREQ(d.translate("Idle").text(), "Idle");
}

TEST_F(Filled, AnyNonZeroLanguageIsHungarian)
{
    d.setLanguage(7);
    EXPECT_EQ(d.getLanguage(), 7);
    EXPECT_STREQ(d.translate("Error!").text(), "Hiba!");
    d.setLanguage(255);
    EXPECT_STREQ(d.translate("Error!").text(), "Hiba!");
}

TEST_F(Filled, UntranslatedTextsStayEnglish)
{
    d.setLanguage(1);
    for (const char* text : {"OK", "English", "Magyar", "?", "0", "@", "12"})
        EXPECT_STREQ(d.translate(text).text(), text);
}

TEST_F(Filled, NewMailLinePieces)
{
    EXPECT_EQ(hexOf(hungarian(" new mail!")), "20 FA 6A 20 6C 65 76 E9 6C 21");
    EXPECT_EQ(hexOf(hungarian(" new mails!")), "20 FA 6A 20 6C 65 76 E9 6C 21");
    EXPECT_EQ(hexOf(hungarian(" new mail!\n")), "20 FA 6A 20 6C 65 76 E9 6C 21 0A");
    EXPECT_EQ(hexOf(hungarian(" new mails!\n")), "20 FA 6A 20 6C 65 76 E9 6C 21 0A");
    EXPECT_STREQ(hungarian(" has ").text(), ": ");
    DString line = DString("joe") + "@" + "pop.example.org" + d.translate(" has ") + DString(3) + d.translate(" new mails!");
    EXPECT_STREQ(line.text(), "joe@pop.example.org: 3 \xFAj lev\xE9l!");
}

TEST_F(Filled, GuideKeyGivesHungarianGuide)
{
    EXPECT_TRUE(hungarian(englishGuideText().text()) == hungarianGuideText());
    // Part of the guide is not a key.
    EXPECT_STREQ(hungarian("After you log out").text(), "After you log out");
}

// ---- the user's guide texts ----

TEST(GuideTexts, EnglishJoinsItsPartsWithoutSeparator)
{
    DString guide = englishGuideText();
    EXPECT_EQ(guide.length(), 437);
    EXPECT_STREQ(guide.subString(1, 55).text(), "After you log out of your mailbox you should issue a Ch");
    std::string text = guide.text();
    EXPECT_NE(text.find("(E.g.: Outlook, KMail, etc.).\n\nIf you use a mail client"), std::string::npos);
    EXPECT_NE(text.find("configuration!\n\nIf you use a web browser"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 33), "mailbox at mailbox configuration.");
}

TEST(GuideTexts, HungarianBytes)
{
    DString guide = hungarianGuideText();
    EXPECT_EQ(guide.length(), 464);
    std::string text = guide.text();
    // "Ellenörzés Most" with the code-page-neutral ö, and the join of the two parts.
    EXPECT_NE(text.find("az Ellen\xF6rz\xE9s Most parancsot"), std::string::npos);
    EXPECT_NE(text.find("be\xE1llit\xE1s\xE1n\xE1l!\n\nHa web b\xF6ng\xE9sz\xF6vel"), std::string::npos);
    EXPECT_EQ(hexOf(guide.subString(1, 16)), "41 20 70 6F 73 74 61 66 69 F3 6B 62 F3 6C 20 76");
    EXPECT_EQ(hexOf(guide.subString(guide.length() - 6, 7)), "E1 73 E1 6E E1 6C 2E");
}

// ---- the process-wide translate ----

TEST(GlobalTranslate, UnchangedWithoutDictionary)
{
    ASSERT_EQ(dictionary, nullptr);
    EXPECT_STREQ(translate("Idle").text(), "Idle");
    EXPECT_STREQ(translate("").text(), "");
}

TEST(GlobalTranslate, UsesTheDictionaryOnceMade)
{
    DPellaroDictionary d;
    fillDictionary(d);
    d.setLanguage(1);
    dictionary = &d;
    DString idle = translate("Idle");
    DString ok = translate("OK");
    dictionary = nullptr;
    EXPECT_EQ(hexOf(idle), "DC 72 65 73 6A E1 72 E1 73");
    EXPECT_STREQ(ok.text(), "OK");
}

TEST(DPellaroDictionary, EmptyDictionaryTranslatesNothing)
{
    DPellaroDictionary d;
    d.setLanguage(1);
    EXPECT_EQ(d.count(), 0);
    EXPECT_STREQ(d.translate("Idle").text(), "Idle");
    d.addPair("Idle", "\xDCresj\xE1r\xE1s");
    d.addPair("Idle", "second");
    EXPECT_EQ(hexOf(d.translate("Idle")), "DC 72 65 73 6A E1 72 E1 73");
}

TEST(DPellaroDictionary, LanguageSwitchWhileOtherThreadsTranslate)
{
    // Working threads translate their status texts while the interface thread may switch
    // the language: every answer is one of the two texts, never anything else.
    DPellaroDictionary d;
    fillDictionary(d);
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 3; ++t)
        readers.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                DString s = d.translate("Timeout!");
                if (!(s == "Timeout!") && !(s == "Id\xF6t\xFAll\xE9p\xE9s!"))
                    ++wrong;
            }
        });
    for (int i = 0; i < 2000; ++i)
        d.setLanguage(static_cast<unsigned char>(i & 1));
    for (std::thread& r : readers)
        r.join();
    EXPECT_EQ(wrong.load(), 0);
}
