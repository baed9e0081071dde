#include "graphics/HexRows.h"
#include "graphics/ImageTables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

void fill(DStringList* list, std::initializer_list<const char*> rows)
{
    for (const char* row : rows) list->add(row);
}

}  // namespace

TEST(HexRows, ChannelsAreRedGreenBlueInEitherCaseRowAfterRow)
{
    DStringList rows;
    fill(&rows, {"FF000000ff00", "0000FFc0c0C0", "123456abcdef"});
    const std::vector<DColor> pixels = decodeHexRows(2, 3, rows);
    ASSERT_EQ(pixels.size(), 6u);
    EXPECT_EQ(pixels[0], DColor(255, 0, 0));
    EXPECT_EQ(pixels[1], DColor(0, 255, 0));
    EXPECT_EQ(pixels[2], DColor(0, 0, 255));
    EXPECT_EQ(pixels[3], DColor(192, 192, 192));
    EXPECT_EQ(pixels[4], DColor(0x12, 0x34, 0x56));
    EXPECT_EQ(pixels[5], DColor(0xab, 0xcd, 0xef));
    EXPECT_EQ(rows.count(), 3);
}

TEST(HexRows, BadDigitsEndAChannelAndMissingTextReadsAsZero)
{
    // "1z" reads as 1 (digits up to the first that is not one), "z1" as 0; the second pixel
    // of the first row has only two digits, the second row is missing altogether.
    DStringList rows;
    fill(&rows, {"1zz1-4FFFFFFAB"});
    const std::vector<DColor> pixels = decodeHexRows(3, 2, rows);
    ASSERT_EQ(pixels.size(), 6u);
    EXPECT_EQ(pixels[0], DColor(1, 0, 0));
    EXPECT_EQ(pixels[1], DColor(255, 255, 255));
    EXPECT_EQ(pixels[2], DColor(0xAB, 0, 0));
    for (int i = 3; i < 6; ++i) EXPECT_EQ(pixels[i], DColor(0, 0, 0)) << i;
}

TEST(HexRows, RowsPastTheHeightAndDigitsPastTheWidthAreIgnored)
{
    DStringList rows;
    fill(&rows, {"0102030405060708", "FFFFFF", "EEEEEE"});
    const std::vector<DColor> pixels = decodeHexRows(1, 2, rows);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0], DColor(1, 2, 3));
    EXPECT_EQ(pixels[1], DColor(255, 255, 255));
}

TEST(HexRows, NoPixelsForAnEmptySize)
{
    DStringList rows;
    fill(&rows, {"FFFFFF"});
    EXPECT_TRUE(decodeHexRows(0, 1, rows).empty());
    EXPECT_TRUE(decodeHexRows(1, 0, rows).empty());
    EXPECT_TRUE(decodeHexRows(-3, 2, rows).empty());
}

TEST(HexRows, StoredTablesDecodeToTheValuesOfTheirText)
{
    for (const DHexImage* image : {&idleImage, &checkingImage, &errorImage, &newMailImage,
                                   &seenMailImage, &appImage}) {
        for (const char* const* table : {image->colorRows, image->maskRows}) {
            DStringList rows;
            for (int y = 0; y < image->height; ++y) rows.add(table[y]);
            const std::vector<DColor> pixels = decodeHexRows(image->width, image->height, rows);
            ASSERT_EQ(pixels.size(), size_t(image->width * image->height));
            for (int y = 0; y < image->height; ++y) {
                for (int x = 0; x < image->width; ++x) {
                    const unsigned long rgb =
                        std::strtoul(std::string(table[y] + 6 * x, 6).c_str(), nullptr, 16);
                    const DColor expected(int(rgb >> 16), int((rgb >> 8) & 0xFF),
                                          int(rgb & 0xFF));
                    ASSERT_EQ(pixels[size_t(y * image->width + x)], expected)
                        << "pixel " << x << ", " << y;
                }
            }
        }
    }
}
