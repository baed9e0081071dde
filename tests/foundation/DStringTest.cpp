#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "foundation/DString.h"
#include "foundation/DStringList.h"

// ---- construction and assignment ----

TEST(DString, NullAndEmptyTextGiveEmptyStringWithTerminator)
{
    DString fromNull(static_cast<const char*>(nullptr));
    DString fromEmpty("");
    DString byDefault;
    for (const DString* s : {&fromNull, &fromEmpty, &byDefault}) {
        EXPECT_EQ(s->length(), 0);
        ASSERT_NE(s->text(), nullptr);
        EXPECT_EQ(s->text()[0], '\0');
    }
}

TEST(DString, CopyOwnsItsOwnBuffer)
{
    DString original("mailbox");
    DString copy(original);
    EXPECT_NE(copy.text(), original.text());
    original = "changed";
    EXPECT_STREQ(copy.text(), "mailbox");
}

TEST(DString, NumberConstruction)
{
    EXPECT_STREQ(DString(-5).text(), "-5");
    EXPECT_EQ(DString(-5).length(), 2);
    EXPECT_STREQ(DString(0).text(), "0");
    EXPECT_STREQ(DString(110).text(), "110");
    EXPECT_STREQ(DString(INT_MIN).text(), "-2147483648");
    EXPECT_STREQ(DString(INT_MAX).text(), "2147483647");
}

TEST(DString, FromChar)
{
    DString zero = fromChar(0);
    EXPECT_EQ(zero.length(), 0);
    EXPECT_EQ(zero.text()[0], '\0');
    EXPECT_STREQ(fromChar('@').text(), "@");
    DString high = fromChar(0xE9);
    ASSERT_EQ(high.length(), 1);
    EXPECT_EQ(static_cast<unsigned char>(high.text()[0]), 0xE9);
}

TEST(DString, BoundedByteConstructorStopsAtCountOrNul)
{
    EXPECT_STREQ(DString("abcdef", 3).text(), "abc");
    EXPECT_STREQ(DString("ab\0cd", 5).text(), "ab");
    EXPECT_EQ(DString("abc", -4).length(), 0);
    EXPECT_EQ(DString(nullptr, 5).length(), 0);
}

TEST(DString, AssignNullGivesOneByteEmptyBuffer)
{
    DString s("something");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s.length(), 0);
    ASSERT_NE(s.text(), nullptr);
    EXPECT_EQ(s.text()[0], '\0');
}

TEST(DString, SelfAssignmentKeepsText)
{
    DString s("pop.example.org");
    DString& alias = s;
    s = alias;
    EXPECT_STREQ(s.text(), "pop.example.org");
    s = s.text();
    EXPECT_STREQ(s.text(), "pop.example.org");
}

TEST(DString, AssignFromOwnTail)
{
    DString s("user@server");
    s = s.textAt(5);
    EXPECT_STREQ(s.text(), "server");
    EXPECT_EQ(s.length(), 6);
}

TEST(DString, AssignmentResetsCursor)
{
    DString s("xy");
    EXPECT_EQ(s.nextChar(), 'x');
    s = DString("ab");
    EXPECT_EQ(s.nextChar(), 'a');
    s.nextChar();
    s = "cd";
    EXPECT_EQ(s.nextChar(), 'c');
}

// ---- concatenation and comparison ----

TEST(DString, Concatenation)
{
    DString user("joe");
    EXPECT_STREQ((user + "@" + DString("host")).text(), "joe@host");
    EXPECT_STREQ((DString() + DString("right")).text(), "right");
    EXPECT_STREQ((DString() + "text").text(), "text");
    EXPECT_STREQ((user + static_cast<const char*>(nullptr)).text(), "joe");
    EXPECT_EQ((user + DString()).length(), 3);
    EXPECT_STREQ(user.text(), "joe");
}

TEST(DString, ComparisonIsBytewiseAndCaseSensitive)
{
    DString s("Idle");
    EXPECT_TRUE(s == "Idle");
    EXPECT_TRUE(s == DString("Idle"));
    EXPECT_FALSE(s == "idle");
    EXPECT_TRUE(s != "idle");
    EXPECT_TRUE(s != "Idle ");
    EXPECT_TRUE(s != "Idl");
    EXPECT_FALSE(s != "Idle");
    EXPECT_TRUE(DString() == static_cast<const char*>(nullptr));
    EXPECT_TRUE(DString() == "");
    EXPECT_FALSE(DString("\xE9") == "\xC9");
}

// ---- toInt ----

TEST(DString, ToIntForms)
{
    EXPECT_EQ(DString("  -12abc").toInt(), -12);
    EXPECT_EQ(DString("+7").toInt(), 7);
    EXPECT_EQ(DString("letters").toInt(), 0);
    EXPECT_EQ(DString("").toInt(), 0);
    EXPECT_EQ(DString("\t\r\n 42 7").toInt(), 42);
    EXPECT_EQ(DString("-").toInt(), 0);
    EXPECT_EQ(DString("+-5").toInt(), 0);
    EXPECT_EQ(DString("007").toInt(), 7);
    EXPECT_EQ(DString("12 34567").toInt(), 12);
}

TEST(DString, ToIntLimitsAndSaturation)
{
    EXPECT_EQ(DString("2147483647").toInt(), INT_MAX);
    EXPECT_EQ(DString("-2147483648").toInt(), INT_MIN);
    EXPECT_EQ(DString("2147483648").toInt(), INT_MAX);
    EXPECT_EQ(DString("-2147483649").toInt(), INT_MIN);
    std::string longRun(400, '9');
    EXPECT_EQ(DString(longRun.c_str()).toInt(), INT_MAX);
    EXPECT_EQ(DString(("-" + longRun).c_str()).toInt(), INT_MIN);
    EXPECT_EQ(DString(("00000000000000000000" + std::string("15")).c_str()).toInt(), 15);
}

// ---- subString ----

TEST(DString, SubStringOfPop3Reply)
{
    DString reply("+OK 12 34567");
    EXPECT_STREQ(reply.subString(1, 3).text(), "+OK");
    EXPECT_STREQ(reply.subString(5, 4000).text(), "12 34567");
}

TEST(DString, SubStringBoundaries)
{
    DString s("abcdef");
    EXPECT_EQ(s.subString(0, 3).length(), 0);
    EXPECT_EQ(s.subString(7, 1).length(), 0);
    EXPECT_STREQ(s.subString(6, 5).text(), "f");
    EXPECT_STREQ(s.subString(1, 6).text(), "abcdef");
    EXPECT_STREQ(s.subString(1, 1).text(), "a");
    EXPECT_EQ(s.subString(2, 0).length(), 0);
    EXPECT_EQ(s.subString(2, -3).length(), 0);
    EXPECT_EQ(s.subString(-1, 3).length(), 0);
    EXPECT_EQ(DString().subString(1, 1).length(), 0);
}

TEST(DString, SubStringCountOverflowingIntIsClipped)
{
    DString s("abcdef");
    EXPECT_STREQ(s.subString(3, INT_MAX).text(), "cdef");
    EXPECT_STREQ(s.subString(6, INT_MAX).text(), "f");
    EXPECT_EQ(s.subString(INT_MAX, INT_MAX).length(), 0);
    EXPECT_EQ(s.subString(INT_MIN, INT_MAX).length(), 0);
}

// ---- erase ----

TEST(DString, EraseBoundaries)
{
    DString s("abcdef");
    s.erase(2, 100);
    EXPECT_STREQ(s.text(), "a");

    DString t("abcdef");
    t.erase(7, 1);
    EXPECT_STREQ(t.text(), "abcdef");
    t.erase(1, 0);
    EXPECT_STREQ(t.text(), "abcdef");
    t.erase(0, 2);
    EXPECT_STREQ(t.text(), "abcdef");
    t.erase(3, -1);
    EXPECT_STREQ(t.text(), "abcdef");

    t.erase(1, 1);
    EXPECT_STREQ(t.text(), "bcdef");
    t.erase(5, 1);
    EXPECT_STREQ(t.text(), "bcde");
    t.erase(2, 2);
    EXPECT_STREQ(t.text(), "be");
    EXPECT_EQ(t.length(), 2);
}

TEST(DString, EraseCountOverflowingIntIsClipped)
{
    DString s("abcdef");
    s.erase(4, INT_MAX);
    EXPECT_STREQ(s.text(), "abc");
    s.erase(INT_MAX, INT_MAX);
    EXPECT_STREQ(s.text(), "abc");
    s.erase(1, INT_MAX);
    EXPECT_EQ(s.length(), 0);
    s.erase(1, 1);
    EXPECT_EQ(s.length(), 0);
}

TEST(DString, EraseResetsCursor)
{
    DString s("abcd");
    s.nextChar();
    s.nextChar();
    s.erase(4, 1);
    EXPECT_EQ(s.nextChar(), 'a');
}

// ---- toUpper, textAt, nextChar ----

TEST(DString, ToUpperChangesOnlyAsciiLetters)
{
    DString s("user@Pop3.example-\xE9\xE1z");
    s.nextChar();
    s.toUpper();
    EXPECT_STREQ(s.text(), "USER@POP3.EXAMPLE-\xE9\xE1Z");
    EXPECT_EQ(s.nextChar(), 'U');
}

TEST(DString, IsValidIndexAndTextAt)
{
    DString s("abc");
    EXPECT_FALSE(s.isValidIndex(-1));
    EXPECT_TRUE(s.isValidIndex(0));
    EXPECT_TRUE(s.isValidIndex(2));
    EXPECT_FALSE(s.isValidIndex(3));
    EXPECT_STREQ(s.textAt(1), "bc");
    EXPECT_STREQ(s.textAt(2), "c");
    EXPECT_EQ(s.textAt(-1), s.text());
    EXPECT_EQ(s.textAt(3), s.text());
    EXPECT_EQ(s.textAt(INT_MAX), s.text());
    DString empty;
    EXPECT_EQ(empty.textAt(0), empty.text());
}

TEST(DString, NextCharWrapsToFirstCharacter)
{
    DString s("xy");
    EXPECT_EQ(s.nextChar(), 'x');
    EXPECT_EQ(s.nextChar(), 'y');
    EXPECT_EQ(s.nextChar(), 'x');
    EXPECT_EQ(s.nextChar(), 'y');
    EXPECT_EQ(s.nextChar(), 'x');
}

TEST(DString, NextCharOfEmptyStringIsNul)
{
    DString s;
    EXPECT_EQ(s.nextChar(), '\0');
    EXPECT_EQ(s.nextChar(), '\0');
}

// ---- DStringList ----

TEST(DStringList, AddReturnsSuccessiveIndexes)
{
    DStringList list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.add("zero"), 0);
    EXPECT_EQ(list.add(DString("one")), 1);
    EXPECT_EQ(list.add(""), 2);
    EXPECT_EQ(list.count(), 3);
    EXPECT_STREQ(list.get(0).text(), "zero");
    EXPECT_STREQ(list.get(1).text(), "one");
    EXPECT_EQ(list.get(2).length(), 0);
}

TEST(DStringList, StoresCopiesNotTheCallersString)
{
    DStringList list;
    DString s("original");
    list.add(s);
    s = "changed";
    EXPECT_STREQ(list.get(0).text(), "original");
    DString got = list.get(0);
    got = "edited";
    EXPECT_STREQ(list.get(0).text(), "original");
}

TEST(DStringList, GetOutOfRangeGivesEmpty)
{
    DStringList list;
    EXPECT_EQ(list.get(0).length(), 0);
    list.add("a");
    EXPECT_EQ(list.get(1).length(), 0);
    EXPECT_EQ(list.get(-1).length(), 0);
    EXPECT_EQ(list.get(INT_MAX).length(), 0);
}

TEST(DStringList, SetReplacesOnlyExistingSlots)
{
    DStringList list;
    list.add("a");
    list.add("b");
    list.set(1, "B");
    list.set(2, "C");
    list.set(-1, "X");
    EXPECT_EQ(list.count(), 2);
    EXPECT_STREQ(list.get(0).text(), "a");
    EXPECT_STREQ(list.get(1).text(), "B");
}

TEST(DStringList, RemoveAtHeadMiddleTailAndOutOfRange)
{
    DStringList list;
    for (const char* t : {"a", "b", "c", "d", "e"})
        list.add(t);
    list.remove(-1);
    list.remove(5);
    EXPECT_EQ(list.count(), 5);
    list.remove(0);
    EXPECT_STREQ(list.get(0).text(), "b");
    list.remove(1);
    EXPECT_STREQ(list.get(1).text(), "d");
    list.remove(2);
    EXPECT_EQ(list.count(), 2);
    EXPECT_STREQ(list.get(0).text(), "b");
    EXPECT_STREQ(list.get(1).text(), "d");
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.add("again"), 0);
}

TEST(DStringList, IndexOfIsCaseSensitiveAndFindsFirst)
{
    DStringList list;
    list.add("Idle");
    list.add("Status");
    list.add("Idle");
    EXPECT_EQ(list.indexOf("Idle"), 0);
    EXPECT_EQ(list.indexOf("Status"), 1);
    EXPECT_EQ(list.indexOf("idle"), -1);
    EXPECT_EQ(list.indexOf("IDLE"), -1);
    EXPECT_EQ(list.indexOf("Status "), -1);
    EXPECT_EQ(list.indexOf(""), -1);
    list.remove(0);
    EXPECT_EQ(list.indexOf("Idle"), 1);
}

TEST(DStringList, DestroyingAFilledListReleasesEveryString)
{
    // Run under the leak checker: every string the list copied must be released.
    DStringList* list = new DStringList;
    for (int i = 0; i < 50; ++i)
        list->add(DString(i));
    list->set(3, "three");
    EXPECT_STREQ(list->get(49).text(), "49");
    delete list;
}
