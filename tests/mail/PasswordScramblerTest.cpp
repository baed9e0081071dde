#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "mail/PasswordScrambler.h"

// Shows texts readably in failure messages.
static void PrintTo(const DString& text, std::ostream* out)
{
    *out << '"' << text.text() << '"';
}

namespace {

bool allPrintableAscii(const DString& text)
{
    for (int i = 0; i < text.length(); ++i) {
        unsigned char c = static_cast<unsigned char>(text.text()[i]);
        if (c < 0x21 || c > 0x7E)
            return false;
    }
    return true;
}

}  // namespace

TEST(PasswordScrambler, EveryByteBecomesTwoPrintableCharactersAndComesBack)
{
    std::set<std::string> pairs;
    for (int value = 0; value < 256; ++value) {
        char pair[2] = {0, 0};
        scrambleByte(static_cast<unsigned char>(value), pair);
        for (char c : pair) {
            EXPECT_GE(static_cast<unsigned char>(c), 0x21) << value;
            EXPECT_LE(static_cast<unsigned char>(c), 0x7E) << value;
        }
        unsigned char back = 0;
        ASSERT_TRUE(unscramblePair(pair[0], pair[1], back)) << value;
        EXPECT_EQ(back, value);
        pairs.insert(std::string(pair, 2));
    }
    EXPECT_EQ(pairs.size(), 256u);  // no two bytes share a stored form
}

TEST(PasswordScrambler, StoredFormIsTwiceAsLongPrintableAndReversible)
{
    char all[256];
    for (int i = 1; i < 256; ++i)
        all[i - 1] = static_cast<char>(i);
    all[255] = 0;
    DString password(all);
    ASSERT_EQ(password.length(), 255);
    DString stored = scramblePassword(password);
    EXPECT_EQ(stored.length(), 510);
    EXPECT_TRUE(allPrintableAscii(stored));
    EXPECT_EQ(unscramblePassword(stored), password);

    for (int value = 1; value < 256; ++value) {
        DString one = fromChar(value);
        DString s = scramblePassword(one);
        EXPECT_EQ(s.length(), 2) << value;
        EXPECT_TRUE(allPrintableAscii(s)) << value;
        EXPECT_EQ(unscramblePassword(s), one) << value;
    }
}

TEST(PasswordScrambler, AccentedPasswordAndEmptyPassword)
{
    DString accented("\xE1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p");
    DString stored = scramblePassword(accented);
    EXPECT_EQ(stored.length(), 2 * accented.length());
    EXPECT_TRUE(allPrintableAscii(stored));
    EXPECT_EQ(unscramblePassword(stored), accented);

    EXPECT_EQ(scramblePassword(DString()), "");
    EXPECT_EQ(unscramblePassword(DString()), "");
}

TEST(PasswordScrambler, StoredFormDoesNotShowThePassword)
{
    DString stored = scramblePassword("secret");
    EXPECT_EQ(std::string(stored.text()).find("secret"), std::string::npos);
    EXPECT_NE(stored, "secret");
}

TEST(PasswordScrambler, MalformedStoredTextDecodesUpToTheFirstBadPair)
{
    DString stored = scramblePassword("abc");
    // An odd length: the lone last character is dropped.
    EXPECT_EQ(unscramblePassword(stored + "K"), "abc");
    // A character outside the substitution ends the decoding there.
    DString broken = stored.subString(1, 2) + "!!" + stored.subString(3, 4);
    EXPECT_EQ(unscramblePassword(broken), "a");
    EXPECT_EQ(unscramblePassword("~"), "");
    EXPECT_EQ(unscramblePassword("\xFF\xFE\x01\x02"), "");
    // A pair that stands for the byte 0 cannot be part of a text: decoding stops there.
    char zero[3] = {0, 0, 0};
    scrambleByte(0, zero);
    EXPECT_EQ(unscramblePassword(scramblePassword("x") + zero + scramblePassword("y")), "x");
}
