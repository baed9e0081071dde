#include "graphics/ImageTables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const DHexImage* const all[] = {&idleImage,    &checkingImage, &errorImage,
                                &newMailImage, &seenMailImage, &appImage};

std::string pixel(const char* row, int x)
{
    return std::string(row + 6 * x, 6);
}

}  // namespace

TEST(ImageTables, SizesAndRowLengths)
{
    for (const DHexImage* image : {&idleImage, &checkingImage, &errorImage, &newMailImage,
                                   &seenMailImage}) {
        EXPECT_EQ(image->width, 16);
        EXPECT_EQ(image->height, 16);
    }
    EXPECT_EQ(appImage.width, 32);
    EXPECT_EQ(appImage.height, 32);
    for (const DHexImage* image : all) {
        for (int y = 0; y < image->height; ++y) {
            EXPECT_EQ(std::strlen(image->colorRows[y]), size_t(6 * image->width));
            EXPECT_EQ(std::strlen(image->maskRows[y]), size_t(6 * image->width));
            for (const char* c = image->colorRows[y]; *c; ++c)
                EXPECT_TRUE(std::strchr("0123456789ABCDEF", *c)) << "upper-case hex only";
        }
    }
}

TEST(ImageTables, TransparentPixelsAreBlackAndMasksAreTwoValued)
{
    for (const DHexImage* image : all) {
        int opaque = 0;
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                std::string m = pixel(image->maskRows[y], x);
                ASSERT_TRUE(m == "000000" || m == "FFFFFF");
                if (m == "FFFFFF")
                    EXPECT_EQ(pixel(image->colorRows[y], x), "000000");
                else
                    ++opaque;
            }
        }
        EXPECT_GT(opaque, 20);
    }
}

TEST(ImageTables, VariantsShareMasksAndSwapOneColour)
{
    for (int y = 0; y < 16; ++y) {
        EXPECT_STREQ(checkingImage.maskRows[y], idleImage.maskRows[y]);
        EXPECT_STREQ(seenMailImage.maskRows[y], newMailImage.maskRows[y]);
        for (int x = 0; x < 16; ++x) {
            bool opaque = pixel(idleImage.maskRows[y], x) == "000000";
            EXPECT_EQ(pixel(idleImage.colorRows[y], x), "000000");
            EXPECT_EQ(pixel(checkingImage.colorRows[y], x), opaque ? "FF00FF" : "000000");
            std::string mail = pixel(newMailImage.colorRows[y], x);
            EXPECT_EQ(pixel(seenMailImage.colorRows[y], x), mail == "FFFFFF" ? "C0C0C0" : mail);
        }
    }
}

TEST(ImageTables, PicturesLandWhereDrawn)
{
    // Top row of the at sign: pixels 5..10 opaque.
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(pixel(idleImage.maskRows[0], x), (x >= 5 && x <= 10) ? "000000" : "FFFFFF");
    // The exclamation mark is red, the envelope has yellow, olive and its grey shadow.
    EXPECT_EQ(pixel(errorImage.colorRows[0], 6), "FF0000");
    EXPECT_EQ(pixel(errorImage.colorRows[0], 10), "000000");
    EXPECT_EQ(pixel(errorImage.maskRows[0], 10), "000000");
    EXPECT_EQ(pixel(newMailImage.colorRows[4], 3), "FFFF00");
    EXPECT_EQ(pixel(newMailImage.colorRows[6], 1), "808000");
    EXPECT_EQ(pixel(newMailImage.colorRows[13], 15), "808080");
    EXPECT_EQ(pixel(newMailImage.maskRows[3], 15), "FFFFFF");
    // Bottom row of the large at sign is empty.
    for (int x = 0; x < 32; ++x) EXPECT_EQ(pixel(appImage.maskRows[31], x), "FFFFFF");
    EXPECT_EQ(pixel(appImage.maskRows[0], 12), "000000");
}

namespace {

// The hex text a row of letter-picture pixels turns into: the colour row and the mask row.
void expectRow(const DHexImage& image, int y, const char* letters)
{
    std::string colors, mask;
    for (const char* p = letters; *p; ++p) {
        switch (*p) {
        case '.': colors += "000000"; break;
        case 'K': colors += "000000"; break;
        case 'M': colors += "FF00FF"; break;
        case 'R': colors += "FF0000"; break;
        case 'W': colors += "FFFFFF"; break;
        case 'L': colors += "C0C0C0"; break;
        case 'G': colors += "808080"; break;
        case 'O': colors += "808000"; break;
        case 'Y': colors += "FFFF00"; break;
        default: ADD_FAILURE() << "unknown letter " << *p;
        }
        mask += *p == '.' ? "FFFFFF" : "000000";
    }
    EXPECT_EQ(std::string(image.colorRows[y]), colors) << "colour row " << y << " " << letters;
    EXPECT_EQ(std::string(image.maskRows[y]), mask) << "mask row " << y << " " << letters;
}

}  // namespace

TEST(ImageTables, RowsReadFromTheLetterPictures)
{
    expectRow(idleImage, 3, ".KKK..KKK.KKKK..");
    expectRow(idleImage, 11, ".KK.KKKK.KKK....");
    expectRow(checkingImage, 5, "MMM.MM...MMM.MM.");
    expectRow(checkingImage, 12, ".MMM.........MM.");
    expectRow(errorImage, 0, "......RRR.K.....");
    expectRow(errorImage, 11, ".KK...RRR..K....");
    expectRow(errorImage, 14, "...K.RRRRR.KK...");
    expectRow(newMailImage, 3, "KKKKKKKKKKKKKKK.");
    expectRow(newMailImage, 6, "KOWKKYWYWYKKWOKG");
    expectRow(newMailImage, 8, "KOWOKOKKKOKOWOKG");
    expectRow(newMailImage, 13, ".GGGGGGGGGGGGGGG");
    expectRow(seenMailImage, 4, "KKLYLYLYLYLYLKKG");
    expectRow(seenMailImage, 9, "KLLKLLLLLLLKLLKG");
    expectRow(appImage, 7, "..KKKK....KKKKKKK.KKKKK...KKK...");
    expectRow(appImage, 22, ".KKKK...KKKKKKK.KKKKKKKK........");
    expectRow(appImage, 27, ".....KKKKKKK.........KKKKKKK....");
}
