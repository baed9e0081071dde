// The About, user's guide and restart boxes in real windows under Wine: their texts in
// English and Hungarian, their controls' places, and "OK" closing them by mouse, Enter and
// Escape, also from a modal run.
#include "framework/WindowTestKit.h"

#include "controls/DButton.h"
#include "controls/DGroup.h"
#include "controls/DStaticText.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"
#include "graphics/DIcon.h"
#include "mail/DictionaryTexts.h"
#include "mail/GuideTexts.h"
#include "windows/DAboutBox.h"
#include "windows/DLangMsgBox.h"
#include "windows/DUserGuideBox.h"

#include <gtest/gtest.h>

using namespace windowtest;

namespace {

const char aboutHu[] = "N\xE9vjegy";
const char guideHu[] = "Haszn\xE1lati utas\xEDt\xE1s";
const char informationHu[] = "Inform\xE1" "ci\xF3";
const char restartEn[] = "You must restart Pellaro for the new settings to take effect!";
const char restartHu[] = "Az \xFAj be\xE1llit\xE1sok \xE9rv\xE9nybe l\xE9p\xE9s\xE9hez a Pellaro "
                         "\xFAjraindit\xE1sa sz\xFCks\xE9ges!";

class InfoBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        releaseKeys();
        parkPointer();
        if (!dictionary) {
            dictionary = new DPellaroDictionary;
            fillDictionary(*dictionary);
        }
        dictionary->setLanguage(0);
    }
    void TearDown() override
    {
        dictionary->setLanguage(0);
        pumpMessages();
    }
    static void key(DWindow& box, int virtualKey)
    {
        SendMessageA(box.getHandle(), WM_KEYDOWN, virtualKey, keyData(virtualKey, false));
        if (box.getHandle())
            SendMessageA(box.getHandle(), WM_KEYUP, virtualKey, keyData(virtualKey, true));
    }
    static void clickAt(DWindow& box, int x, int y)
    {
        SendMessageA(box.getHandle(), WM_MOUSEMOVE, 0, point(x, y));
        SendMessageA(box.getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point(x, y));
        if (box.getHandle())
            SendMessageA(box.getHandle(), WM_LBUTTONUP, 0, point(x, y));
    }
};

::testing::AssertionResult placed(DView* view, int x, int y, int width, int height)
{
    int vx, vy, vw, vh;
    view->getBounds(vx, vy, vw, vh);
    if (vx == x && vy == y && vw == width && vh == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << vx << ", " << vy << ", " << vw << ", " << vh;
}

}  // namespace

TEST_F(InfoBoxes, TheAboutBoxShowsItsTextsInAFrameAndTranslatesOnlyItsTitle)
{
    for (unsigned char language : {0, 1}) {
        dictionary->setLanguage(language);
        DAboutBox box;
        ASSERT_TRUE(box.createBox());
        EXPECT_TRUE(box.title() == (language ? aboutHu : "About"));
        DRect r = box.bounds();
        EXPECT_EQ(r.width, 300);
        EXPECT_EQ(r.height, 200);
        EXPECT_TRUE(placed(box.getFrame(), 10, 10, 280, 135));
        EXPECT_TRUE(box.getFrame()->getText() == "");
        EXPECT_EQ(box.getTitleText()->getParent(), box.getFrame());
        EXPECT_TRUE(placed(box.getTitleText(), 10, 10, 260, 40));
        EXPECT_TRUE(placed(box.getFreewareText(), 10, 55, 260, 25));
        EXPECT_TRUE(placed(box.getCreditText(), 10, 105, 260, 25));
        EXPECT_TRUE(placed(box.getOkButton(), 110, 155, 80, 25));
        EXPECT_TRUE(box.getTitleText()->getText() == "Pellaro 2.3");
        EXPECT_EQ(box.getTitleText()->getFont()->getSize(), 12);
        EXPECT_EQ(box.getTitleText()->getFont()->getBold(), 1);
        EXPECT_EQ(box.getTitleText()->getFormat(), 0x44);
        EXPECT_TRUE(box.getFreewareText()->getText() == "FREEWARE");
        EXPECT_EQ(box.getFreewareText()->getFormat(), 0x44);
        EXPECT_GT(box.getCreditText()->getText().length(), 0);
        EXPECT_EQ(box.getCreditText()->getFormat(), 0x44);
        EXPECT_TRUE(box.getOkButton()->getText() == "OK");
        EXPECT_TRUE(box.getOkButton()->isFocused());
        box.close();
    }
}

TEST_F(InfoBoxes, TheUserGuideShowsTheGuideInTheCurrentLanguage)
{
    DUserGuideBox english;
    ASSERT_TRUE(english.createBox());
    EXPECT_TRUE(english.title() == "User's Guide");
    EXPECT_TRUE(english.getGuideText()->getText() == englishGuideText());
    EXPECT_EQ(english.getGuideText()->getFormat(), 0x11);
    EXPECT_TRUE(placed(english.getGuideText(), 10, 10, 330, 185));
    EXPECT_TRUE(placed(english.getOkButton(), 135, 215, 80, 25));
    english.close();

    dictionary->setLanguage(1);
    DUserGuideBox hungarian;
    ASSERT_TRUE(hungarian.createBox());
    EXPECT_TRUE(hungarian.title() == guideHu);
    EXPECT_TRUE(hungarian.getGuideText()->getText() == hungarianGuideText());
    EXPECT_FALSE(hungarian.getGuideText()->getText() == englishGuideText());
    hungarian.close();
}

TEST_F(InfoBoxes, TheGuideAndTheRestartNoticeFitTheirTextsInEitherLanguage)
{
    for (unsigned char language : {0, 1}) {
        dictionary->setLanguage(language);
        DUserGuideBox box;
        ASSERT_TRUE(box.createBox());
        DStaticText* guide = box.getGuideText();
        DCanvas* canvas = guide->getCanvas();
        ASSERT_NE(canvas, nullptr);
        canvas->font()->assign(*guide->getFont());
        int needed = canvas->textBoxHeight(guide->getWidth(), guide->getText());
        EXPECT_GT(needed, 5 * 13) << "language " << int(language);
        EXPECT_LE(needed, guide->getHeight()) << "language " << int(language);
        box.close();

        DLangMsgBox notice;
        ASSERT_TRUE(notice.createBox());
        DStaticText* message = notice.getMessageText();
        message->getCanvas()->font()->assign(*message->getFont());
        EXPECT_LE(message->getCanvas()->textBoxHeight(message->getWidth(), message->getText()),
                  message->getHeight())
            << "language " << int(language);
        notice.close();
    }
}

TEST_F(InfoBoxes, TheRestartNoticeSpeaksTheNewlyChosenLanguage)
{
    DLangMsgBox english;
    ASSERT_TRUE(english.createBox());
    EXPECT_TRUE(english.title() == "Information");
    EXPECT_TRUE(english.getMessageText()->getText() == restartEn);
    EXPECT_EQ(english.getMessageText()->getFormat(), 0x44);
    EXPECT_TRUE(placed(english.getMessageText(), 10, 10, 280, 35));
    EXPECT_TRUE(placed(english.getOkButton(), 110, 65, 80, 25));
    english.close();

    // Switching to Magyar: the box opened right after already speaks Hungarian.
    dictionary->setLanguage(1);
    DLangMsgBox hungarian;
    ASSERT_TRUE(hungarian.createBox());
    EXPECT_TRUE(hungarian.title() == informationHu);
    EXPECT_TRUE(hungarian.getMessageText()->getText() == restartHu);
    hungarian.close();
}

TEST_F(InfoBoxes, OkClosesEachBoxByMouseEnterAndEscape)
{
    {
        DAboutBox box;
        ASSERT_TRUE(box.createBox());
        clickAt(box, 150, 167);  // the middle of "OK"
        EXPECT_EQ(box.getHandle(), nullptr);
    }
    {
        DUserGuideBox box;
        ASSERT_TRUE(box.createBox());
        key(box, VK_RETURN);
        EXPECT_EQ(box.getHandle(), nullptr);
    }
    {
        DLangMsgBox box;
        ASSERT_TRUE(box.createBox());
        key(box, VK_ESCAPE);
        EXPECT_EQ(box.getHandle(), nullptr);
    }
    {
        // A click beside the button leaves the box open.
        DLangMsgBox box;
        ASSERT_TRUE(box.createBox());
        clickAt(box, 20, 80);
        EXPECT_NE(box.getHandle(), nullptr);
        box.close();
    }
}

TEST_F(InfoBoxes, ABoxRunsModallyOverItsOwnerUntilOkIsPressed)
{
    RecordingWindow owner;
    ASSERT_TRUE(owner.make(200, 100));
    DIcon icon(16, 16);
    auto* box = new DAboutBox;
    bool sawModal = false;
    owner.postAction([&] {
        sawModal = owner.getModalChild() == box && IsWindowVisible(box->getHandle());
        SendMessageA(box->getHandle(), WM_KEYDOWN, VK_RETURN, keyData(VK_RETURN, false));
    });
    EXPECT_TRUE(box->open(&owner, &icon));  // returns once the box is closed
    EXPECT_TRUE(sawModal);
    EXPECT_EQ(box->getHandle(), nullptr);
    EXPECT_EQ(owner.getModalChild(), nullptr);
    delete box;
    owner.close();
}
