// Every text of every window, measured in its control's own font on its canvas at the
// display's dpi, against the room its control gives it: captions clear inside the focus
// rectangle of their buttons and check boxes, group titles before the end of the frame's
// top edge, labels and messages within their views, combo box items before the drop button,
// column titles within their columns and the columns beside the list's vertical bar, menu
// items before the menu's edge or submenu arrow. In English and in Hungarian.
#include "ScaledWindowsKit.h"

#include "controls/DButton.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DHeader.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DMenuItem.h"
#include "controls/DStaticText.h"
#include "foundation/DStringList.h"
#include "framework/WindowTestKit.h"
#include "graphics/DCanvas.h"
#include "graphics/DFont.h"
#include "framework/DWinInterior.h"
#include "foundation/DPellaroDictionary.h"
#include "windows/DAboutBox.h"
#include "windows/DLangMsgBox.h"
#include "windows/DMailBoxWindow.h"
#include "windows/DUserGuideBox.h"
#include "windows/MailboxForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

using namespace scaledtest;

namespace {

// The lines of a label word-wrapped to its width, each measured.
void checkLabel(DStaticText* label, std::ostringstream& faults)
{
    DCanvas* canvas = label->getCanvas();
    canvas->font()->assign(*label->getFont());
    DStringList* lines = canvas->wrapText(label->getWidth(), label->getText());
    for (int i = 0; i < lines->count(); i++) {
        const int width = canvas->textExtent(lines->get(i)).width();
        if (width > label->getWidth())
            faults << nameOf(label) << ": line \"" << lines->get(i).text() << "\" is " << width
                   << " wide\n";
    }
    delete lines;
    const int height = canvas->textBoxHeight(label->getWidth(), label->getText());
    if (height > label->getHeight())
        faults << nameOf(label) << ": its lines take " << height << "\n";
}

void checkView(DView* view, std::ostringstream& faults)
{
    const int w = view->getWidth();
    const int h = view->getHeight();
    if (auto* box = dynamic_cast<DCheckBox*>(view)) {
        // The caption at 24 ends inside the focus rectangle, which ends 2 inside the box.
        const SIZE m = measure(box, box->getFont(), box->getText());
        if (24 + m.cx > w - 2 || m.cy > h)
            faults << nameOf(box) << ": caption " << m.cx << " x " << m.cy << "\n";
    } else if (auto* button = dynamic_cast<DButton*>(view)) {
        // Centred, at least 3 clear inside the focus rectangle 4 in from the edges: less, and
        // the caption seems to touch it.
        const SIZE m = measure(button, button->getFont(), button->getText());
        if (m.cx > w - 2 * (4 + 3) || m.cy > h - 2 * 4)
            faults << nameOf(button) << ": caption " << m.cx << " x " << m.cy << "\n";
    } else if (auto* group = dynamic_cast<DGroup*>(view)) {
        // The caption at 11 leaves some of the frame's top edge, which ends 4 in.
        const SIZE m = measure(group, group->getFont(), group->getText());
        if (group->getText().length() > 0 && 11 + m.cx + 1 + 4 > w - 4)
            faults << nameOf(group) << ": title " << m.cx << "\n";
    } else if (auto* label = dynamic_cast<DStaticText*>(view)) {
        checkLabel(label, faults);
    } else if (auto* combo = dynamic_cast<DComboBox*>(view)) {
        for (int i = 0; i < combo->itemCount(); i++) {
            const SIZE m = measure(combo, nullptr, combo->itemText(i));
            if (2 + m.cx + 2 > w - 20 || m.cy > h - 4)
                faults << nameOf(combo) << ": item \"" << combo->itemText(i).text() << "\" "
                       << m.cx << " x " << m.cy << "\n";
        }
    } else if (auto* list = dynamic_cast<DListView*>(view)) {
        DHeader* header = list->getHeader();
        int total = 0;
        for (int c = 0; c < header->columnCount(); c++) {
            const SIZE m = measure(header, nullptr, header->columnTitle(c));
            total += header->columnWidth(c);
            if (2 + m.cx + 2 > header->columnWidth(c) || m.cy > header->getHeight())
                faults << nameOf(list) << ": column \"" << header->columnTitle(c).text()
                       << "\" " << m.cx << " in " << header->columnWidth(c) << "\n";
        }
        if (total > w - 2 - 18 - 2)
            faults << nameOf(list) << ": columns " << total << " wide pass the vertical bar\n";
    }
}

std::string textFaults(DWindow& window)
{
    std::ostringstream faults;
    forEachView(window, [&](DView* view) { checkView(view, faults); });
    return faults.str();
}

// Items are drawn from x 27; they end before the submenu arrow, or 4 inside the menu.
std::string menuFaults(DMenu& menu)
{
    std::ostringstream faults;
    const DMenuLayout& layout = menu.getLayout();
    for (int i = 0; i < menu.itemCount(); i++) {
        DMenuItem* item = menu.itemAt(i);
        if (item->isSeparator())
            continue;
        const SIZE m = measure(menu.getInterior(), nullptr, item->text);
        const DMenuBox text = menuTextBox(layout, i, m.cx, m.cy);
        const int end = item->submenu ? menuArrowBox(layout, i).x : layout.width - 4;
        if (text.x + m.cx > end || m.cy > layout.heights[static_cast<size_t>(i)])
            faults << "menu item \"" << item->text.text() << "\" " << m.cx << " x " << m.cy
                   << " in a menu " << layout.width << " wide\n";
    }
    return faults.str();
}

class FittingMainWindow : public ScaledMainWindowTest {
protected:
    void check(bool inHungarian)
    {
        startIn(inHungarian);
        EXPECT_EQ(textFaults(*window), "") << expectedDpi() << " dpi";
        for (DMenu* menu : {window->getTrayMenu(), window->getLanguageMenu()}) {
            menu->popupForWindow(window, 50, 50);
            EXPECT_EQ(menuFaults(*menu), "") << expectedDpi() << " dpi";
            menu->close();
        }
    }
};

using FittingDialogs = ScaledDialogTest;

}  // namespace

TEST_F(FittingMainWindow, EveryEnglishTextFits)
{
    check(false);
}

TEST_F(FittingMainWindow, EveryHungarianTextFits)
{
    check(true);
}

TEST_F(FittingDialogs, EveryTextOfTheMailboxWindowFitsInBothLanguages)
{
    for (unsigned char language : {0, 1}) {
        dictionary->setLanguage(language);
        for (int mode : {0, 1}) {
            std::unique_ptr<DMailBoxWindow> box(new DMailBoxWindow);
            box->setEditMode(mode);
            ASSERT_TRUE(box->create(nullptr, 0, 0, mailboxFormWidth, mailboxFormHeight,
                                    DString("Mailbox"), 0));
            EXPECT_EQ(textFaults(*box), "") << expectedDpi() << " dpi, language "
                                            << int(language);
            box->close();
        }
    }
}

TEST_F(FittingDialogs, EveryTextOfTheInformationBoxesFitsInBothLanguages)
{
    for (unsigned char language : {0, 1}) {
        dictionary->setLanguage(language);
        std::unique_ptr<DInfoBox> boxes[] = {std::unique_ptr<DInfoBox>(new DAboutBox),
                                             std::unique_ptr<DInfoBox>(new DUserGuideBox),
                                             std::unique_ptr<DInfoBox>(new DLangMsgBox)};
        for (auto& box : boxes) {
            ASSERT_TRUE(box->createBox());
            EXPECT_EQ(textFaults(*box), "") << expectedDpi() << " dpi, " << box->title().text();
            box->close();
        }
    }
}
