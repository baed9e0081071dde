#include "graphics/TextWrap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A fake font: every character is 6 pixels wide.
int fixedWidth(const char*, int length)
{
    return 6 * length;
}

std::vector<std::string> wrap(int width, const char* text, DTextMeasure measure = fixedWidth)
{
    std::unique_ptr<DStringList> lines(wrapTextLines(width, DString(text), measure));
    std::vector<std::string> out;
    for (int i = 0; i < lines->count(); ++i) out.push_back(lines->get(i).text());
    return out;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(TextWrap, ParagraphsFollowLineFeeds)
{
    EXPECT_EQ(wrap(100, ""), Lines({""}));
    EXPECT_EQ(wrap(100, "a\n\nb"), Lines({"a", "", "b"}));
    // A trailing line feed leaves an empty last paragraph.
    EXPECT_EQ(wrap(100, "a\n"), Lines({"a", ""}));
    EXPECT_EQ(wrap(100, "\n"), Lines({"", ""}));
    // Carriage returns are ordinary characters.
    EXPECT_EQ(wrap(100, "a\r\nb"), Lines({"a\r", "b"}));
}

TEST(TextWrap, BreakCharacterStaysAtTheEndOfItsLine)
{
    EXPECT_EQ(wrap(50, "aaa bbb ccc"), Lines({"aaa bbb ", "ccc"}));
    EXPECT_EQ(wrap(40, "well-known words"), Lines({"well-", "known ", "words"}));
    EXPECT_EQ(wrap(40, "one,two;six"), Lines({"one,", "two;", "six"}));
}

TEST(TextWrap, LineMustBeStrictlyNarrowerThanTheColumn)
{
    EXPECT_EQ(wrap(19, "abc"), Lines({"abc"}));
    EXPECT_EQ(wrap(18, "abc"), Lines({"ab", "c"}));
}

TEST(TextWrap, WordWiderThanTheColumnIsSplitBetweenCharacters)
{
    EXPECT_EQ(wrap(30, "abcdefghij"), Lines({"abcd", "efgh", "ij"}));
    // The split continues after the last piece and words after it wrap as usual.
    EXPECT_EQ(wrap(30, "abcdefg hi"), Lines({"abcd", "efg ", "hi"}));
}

TEST(TextWrap, ColumnNarrowerThanOneCharacterGivesOneCharacterPerLine)
{
    EXPECT_EQ(wrap(3, "abc"), Lines({"a", "b", "c"}));
    EXPECT_EQ(wrap(0, "a b"), Lines({"a", " ", "b"}));
    EXPECT_EQ(wrap(-5, "ab"), Lines({"a", "b"}));
}

TEST(TextWrap, NoCharacterIsLostOrRepeated)
{
    const char* texts[] = {"The quick brown fox jumps over the lazy dog.",
                           "a,b,c,d,e,f,g,h", "supercalifragilistic expialidocious!",
                           "  two  spaces  ", "x(y)[z]{w}<v>&u|t=s+r-q:p;o?n!m\\l/k"};
    for (const char* text : texts) {
        for (int width = 1; width < 200; width += 7) {
            std::string joined;
            for (const std::string& line : wrap(width, text)) {
                EXPECT_FALSE(line.empty()) << text << " @" << width;
                joined += line;
            }
            EXPECT_EQ(joined, text) << "width " << width;
        }
    }
}

TEST(TextWrap, EveryLineFitsWhenTheColumnHoldsACharacter)
{
    const char* text = "Cannot connect to server! Login failed, try again later.";
    for (int width = 7; width < 120; ++width) {
        for (const std::string& line : wrap(width, text))
            EXPECT_LT(fixedWidth(nullptr, int(line.size())), width) << line;
    }
}

TEST(TextWrap, UnevenMeasureIsFollowed)
{
    // A font where 'W' is 20 pixels wide: "WW" is 40, so it needs a column of 41.
    auto uneven = [](const char* text, int length) {
        int w = 0;
        for (int i = 0; i < length; ++i) w += text[i] == 'W' ? 20 : 5;
        return w;
    };
    EXPECT_EQ(wrap(41, "ab WWcd", uneven), Lines({"ab ", "WW", "cd"}));
    EXPECT_EQ(wrap(40, "ab WWcd", uneven), Lines({"ab ", "W", "Wcd"}));
}

TEST(TextWrap, BreakCharacters)
{
    for (char c : std::string(" .,/\\?!|-+=()[]{};:<>&")) EXPECT_TRUE(isWrapBreakChar(c)) << c;
    for (char c : std::string("aZ09'\"*#@$%^~`_\t\r")) EXPECT_FALSE(isWrapBreakChar(c)) << c;
    EXPECT_FALSE(isWrapBreakChar('\0'));
}

TEST(TextAlignment, RightAlignmentTrimsExactlyOneTrailingSpace)
{
    EXPECT_STREQ(alignedLine("ab ", DAlignRight).text(), "ab");
    EXPECT_STREQ(alignedLine("ab  ", DAlignRight).text(), "ab  ");
    EXPECT_STREQ(alignedLine("a ", DAlignRight).text(), "a ");
    EXPECT_STREQ(alignedLine(" ab", DAlignRight).text(), " ab");
}

TEST(TextAlignment, LeftAlignmentTrimsExactlyOneLeadingSpace)
{
    EXPECT_STREQ(alignedLine(" ab", DAlignLeft).text(), "ab");
    EXPECT_STREQ(alignedLine(" ab", 0).text(), "ab");
    EXPECT_STREQ(alignedLine("  ab", DAlignLeft).text(), "  ab");
    EXPECT_STREQ(alignedLine(" a", DAlignLeft).text(), " a");
    EXPECT_STREQ(alignedLine("ab ", DAlignLeft).text(), "ab ");
    // Bit 0 wins over the others.
    EXPECT_STREQ(alignedLine(" ab", DAlignLeft | DAlignRight).text(), "ab");
}

TEST(TextAlignment, CentredLinesAreNotTrimmed)
{
    EXPECT_STREQ(alignedLine(" ab ", DAlignCenter).text(), " ab ");
    EXPECT_EQ(alignedLineX(10, 100, 30, DAlignCenter), 45);
    EXPECT_EQ(alignedLineX(10, 100, 31, DAlignCenter), 44);
    EXPECT_EQ(alignedLineX(0, 5, 10, DAlignCenter), -2);  // truncated toward zero
}

TEST(TextAlignment, LinePositions)
{
    EXPECT_EQ(alignedLineX(10, 100, 30, DAlignLeft), 10);
    EXPECT_EQ(alignedLineX(10, 100, 30, 0), 10);
    EXPECT_EQ(alignedLineX(10, 100, 30, DAlignRight), 80);
    EXPECT_EQ(alignedLineX(10, 100, 30, DAlignRight | DAlignCenter), 80);
    EXPECT_EQ(alignedLineX(10, 100, 30, DAlignLeft | DAlignRight), 10);
}
